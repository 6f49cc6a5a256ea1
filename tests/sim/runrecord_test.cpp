#include "sim/runrecord.h"

#include "common/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(RunExport, BeforeAnyRunOnlyTheHeadersAreWritten)
{
    QTemporaryDir dir;
    const QString run = dir.filePath("run.csv");
    EXPECT_EQ(exportRun(RunRecord(), run.toStdString()), "");
    EXPECT_EQ(readFileBytes(run), "step,cart_x,cart_y,heading_rad,guide_x,guide_y,steering_rad,rays,hits,nearest_hit_px,"
                         "farthest_hit_px,collision\r\n");
    EXPECT_EQ(readFileBytes(dir.filePath("run-hits.csv")), "step,ray_angle_rad,hit_x,hit_y,distance_px\r\n");
    EXPECT_EQ(hitsFileName("/a/b.CSV"), "/a/b-hits.csv");
    EXPECT_EQ(hitsFileName("/a/b.txt"), "/a/b.txt-hits.csv");
}

TEST(RunExport, OneRowAStepWithItsNearestAndFarthestHitAndEveryHitBeside)
{
    RunRecord run;
    run.hits = {{-1.5, 10, 20, 7.5f}, {0.25, 30, 40, 2.0f}, {1.0, 50, 60, 0.1f}};
    run.steps = {{1, 100, 200, 0.75, 95, 196, 0.75f, 10, 0}, {2, 110, 205, 1.0 / 3.0, 100, 200, 0.3f, 10, 2, true},
                 {3, 120, 210, -0.5, 110, 205, -0.5f, 1, 3}};
    QTemporaryDir dir;
    const QString path = dir.filePath("run.csv");
    ASSERT_EQ(exportRun(run, path.toStdString()), "");
    EXPECT_EQ(readFileBytes(path), "step,cart_x,cart_y,heading_rad,guide_x,guide_y,steering_rad,rays,hits,nearest_hit_px,"
                          "farthest_hit_px,collision\r\n"
                          "1,100,200,0.75,95,196,0.75,10,2,2,7.5,0\r\n"
                          "2,110,205,0.33333333333333331,100,200,0.300000012,10,1,0.100000001,0.100000001,1\r\n"
                          "3,120,210,-0.5,110,205,-0.5,1,0,,,0\r\n");
    EXPECT_EQ(readFileBytes(dir.filePath("run-hits.csv")), "step,ray_angle_rad,hit_x,hit_y,distance_px\r\n"
                                                  "1,-1.5,10,20,7.5\r\n"
                                                  "1,0.25,30,40,2\r\n"
                                                  "2,1,50,60,0.100000001\r\n");
}

TEST(RunExport, AFailedWriteIsNamedAndWritesNeitherFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/run.csv");
    const QString error = exportRun(RunRecord(), path.toStdString());
    EXPECT_TRUE(error.startsWith(path + ": ")) << error.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    // The run's file cannot be replaced (a folder has its name): its hits are not written either.
    ASSERT_TRUE(QDir(dir.path()).mkdir("run.csv"));
    EXPECT_TRUE(exportRun(RunRecord(), dir.filePath("run.csv").toStdString()).startsWith(dir.filePath("run.csv") + ": "));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
