#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    // Tests never need a display and never touch the user's settings.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Settings of this test program alone: test programs run side by side, and one that clears
    // or writes the settings must not change what another reads.
    const QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
