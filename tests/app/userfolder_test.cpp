// A start from the desktop entry works in the user's own folder under the XDG data home.
#include "app/userfolder.h"
#include "common/files.h"
#include "common/ordinaryuser.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(UserFolder, TheFirstStartMakesItWithTheSamplesLaterStartsKeepWhatIsThere)
{
    if (rerunAsOrdinaryUser()) {
        return;
    }
    QTemporaryDir root;
    const QString examples = root.filePath("share/tav1/example");
    ASSERT_TRUE(QDir().mkpath(examples));
    ASSERT_TRUE(writeFileBytes(examples + "/mapa.bmp", "map bytes"));
    ASSERT_TRUE(writeFileBytes(examples + "/tav.ini", "[TAV]\nDialogs=0\n"));
    ASSERT_TRUE(writeFileBytes(examples + "/demo.tav1", "Dump\n"));
    // Installed samples are read-only; the user's copies must not be.
    QFile::setPermissions(examples + "/tav.ini", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    const QString folder = root.filePath("data/TAV1");
    EXPECT_EQ(prepareUserFolder(folder, examples), "");
    EXPECT_EQ(readFileBytes(folder + "/mapa.bmp"), "map bytes");
    EXPECT_EQ(readFileBytes(folder + "/tav.ini"), "[TAV]\nDialogs=0\n");
    EXPECT_FALSE(QFile::exists(folder + "/demo.tav1"));
    EXPECT_TRUE(QFile::permissions(folder + "/tav.ini").testFlag(QFile::WriteOwner));

    ASSERT_TRUE(writeFileBytes(folder + "/tav.ini", "[TAV]\nDialogs=1\n"));
    QFile::remove(folder + "/mapa.bmp");
    EXPECT_EQ(prepareUserFolder(folder, examples), "");
    EXPECT_EQ(readFileBytes(folder + "/tav.ini"), "[TAV]\nDialogs=1\n");
    EXPECT_FALSE(QFile::exists(folder + "/mapa.bmp"));
}

TEST(UserFolder, AFolderThatCannotBeMadeIsNamed)
{
    QTemporaryDir root;
    ASSERT_TRUE(writeFileBytes(root.filePath("data"), "a file where the folder's parent should be"));
    const QString folder = root.filePath("data/TAV1");
    EXPECT_EQ(prepareUserFolder(folder, root.filePath("none")), "Cannot create the folder " + folder);
}

TEST(UserFolder, TheDesktopOptionMovesTheProgramsFilesThere)
{
    QTemporaryDir home;
    QTemporaryDir work;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", home.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(work.path());
    program.start(QStringLiteral(TAV1_BINARY), {"--desktop"});
    ASSERT_TRUE(program.waitForStarted());
    // The view opens its trace file "temp.txt" in the folder it works in, at start.
    const QString trace = home.filePath("TAV1/temp.txt");
    for (int waited = 0; waited < 200 && !QFile::exists(trace); ++waited) {
        QTest::qWait(50);
    }
    program.kill();
    program.waitForFinished();
    EXPECT_TRUE(QFile::exists(trace));
    EXPECT_FALSE(QFile::exists(work.filePath("temp.txt")));
}
