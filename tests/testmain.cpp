#include <QApplication>
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
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
