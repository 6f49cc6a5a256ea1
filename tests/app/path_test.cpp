// Trajectory › Load path… and Save path… in the real window, and a run's collisions with the
// map's walls: the steps that collide, the status field, the export's column.
#include "common/appfixture.h"

#include "app/mainframe.h"
#include "config/inisettings.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>

#include <cstring>
#include <vector>

using namespace cmd;

namespace {

// Records out along y = 300 from x = 100 to 300 and back to 150: the start and end lie 50
// pixels apart, the path holds 351 records.
QByteArray outAndBack()
{
    QByteArray csv = "x,y\n";
    for (int x = 100; x <= 300; ++x) {
        csv += QByteArray::number(x) + ",300.75\n";
    }
    for (int x = 299; x >= 150; --x) {
        csv += QByteArray::number(x) + ".5,300.75\n";
    }
    return csv;
}

class PathTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(startOnWhiteMap("[TAV]\nDialogs=0\nDefault=1\n[DefaultValues]\nStartPossitionX=100\n"
                                    "StartPossitionY=300\nEndPossitionX=300\nEndPossitionY=300\n"));
        view().m_delayMs = 0;
    }

    // Chooses an item of the Trajectory menu, answering its file dialog with `file`.
    void choose(const QString& label, const QString& file)
    {
        ui().setAnswers({QFile::encodeName(QDir(dir()).filePath(file))});
        QAction* item = nullptr;
        for (QAction* action : frame().submenu("&Trajectory")->actions()) {
            item = action->text() == label ? action : item;
        }
        ASSERT_NE(item, nullptr) << label.toStdString();
        item->trigger();
        QApplication::processEvents();
    }

    std::vector<TrajectoryPoint> records()
    {
        return {view().m_pTrajectory.get(), view().m_pTrajectory.get() + view().m_trajectoryCount};
    }

    // A white map with one wall pixel, loaded as File › Open loads it.
    void mapWithWallAt(QPoint wall)
    {
        QImage map(800, 600, QImage::Format_RGB32);
        map.fill(Qt::white);
        map.setPixel(wall, qRgb(255, 0, 0));
        ASSERT_TRUE(map.save(QDir(dir()).filePath("mapa.bmp"), "BMP"));
        ASSERT_TRUE(run(ID_FILE_OPEN));
    }

    QLabel* collisionField() { return frame().statusBar()->findChild<QLabel*>("collision"); }
};

bool sameBits(const std::vector<TrajectoryPoint>& a, const std::vector<TrajectoryPoint>& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i].x, &b[i].x, sizeof(double)) != 0 || std::memcmp(&a[i].y, &b[i].y, sizeof(double)) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST_F(PathTest, EveryGeneratedPathSavedLoadsBackBitForBitAndABadFileKeepsThePath)
{
    writeFile("other.csv", "1.25,2\n3,4\n");
    for (const int generator : {ID_SIN_2PI, ID_SIN_PI, ID_LINE}) {
        ASSERT_TRUE(run(generator));
        const std::vector<TrajectoryPoint> generated = records();
        ASSERT_GT(generated.size(), 150u);
        choose("Save path…", "saved.csv");
        choose("Load path…", "other.csv");
        ASSERT_EQ(view().m_trajectoryCount, 2);
        choose("Load path…", "saved.csv");
        EXPECT_TRUE(sameBits(records(), generated)) << generator;
        EXPECT_EQ(view().m_trajectoryType, CTAV1View::kLoadedPathType);
    }
    EXPECT_EQ(captions(), QStringList());

    writeFile("bad.csv", "x,y\n1,2\n\n3,oops\n");
    const std::vector<TrajectoryPoint> kept = records();
    const CStartEndDlg points = view().m_startEndDlg;
    for (const char* bad : {"bad.csv", "missing.csv"}) {
        choose("Load path…", bad);
    }
    ASSERT_EQ(ui().messages().size(), 2u);
    EXPECT_EQ(ui().messages()[0].caption, "Error Load path");
    EXPECT_EQ(ui().messages()[0].text, QDir(dir()).filePath("bad.csv") + ": line 4: \"oops\" is not a number");
    EXPECT_EQ(ui().messages()[1].text, QDir(dir()).filePath("missing.csv") + ": No such file or directory");
    EXPECT_TRUE(sameBits(records(), kept));
    EXPECT_EQ(view().m_startEndDlg.m_startX, points.m_startX);
    EXPECT_EQ(view().m_startEndDlg.m_endY, points.m_endY);
}

TEST_F(PathTest, ARunOfALoadedPathEndsByItsRecordCountAndNotesTheStepsWhoseCartCoversAWall)
{
    // Step j's guide point is record 10 (j - 1): (100 + 10 (j - 1), 300). The cart's drawing
    // reaches 7 rows below its guide point, not 8 (the box's bottom edge is excluded).
    struct Case {
        QPoint wall;
        int firstCollision; // 0 for none
    };
    writeFile("path.csv", outAndBack());
    for (const Case c : {Case{{150, 307}, 6}, Case{{150, 308}, 0}}) {
        mapWithWallAt(c.wall);
        choose("Load path…", "path.csv");
        EXPECT_EQ(view().m_startEndDlg.m_startX, 100);
        EXPECT_EQ(view().m_startEndDlg.m_startY, 300);
        EXPECT_EQ(view().m_startEndDlg.m_endX, 150);
        EXPECT_EQ(view().m_trajectoryCount, 351);
        ASSERT_TRUE(run(ID_ANIMUJ));
        // Ten records a step while step j + 1's end record, 10 (j + 1), is below 351 (the start and
        // end, 50 pixels apart, would end it after 4).
        ASSERT_EQ(view().m_lastRun.steps.size(), 35u);
        std::vector<int> collided;
        for (const StepRecord& step : view().m_lastRun.steps) {
            if (step.collision) {
                collided.push_back(step.step);
            }
        }
        EXPECT_EQ(collided, c.firstCollision ? std::vector<int>{6} : std::vector<int>{}) << c.wall.y();
        ASSERT_NE(collisionField(), nullptr);
        EXPECT_EQ(collisionField()->isVisible(), c.firstCollision != 0);
        EXPECT_EQ(collisionField()->text(), c.firstCollision ? "Collision at step 6" : "");

        ui().setAnswers({QFile::encodeName(QDir(dir()).filePath("run.csv"))});
        ASSERT_TRUE(run(ID_EXPORT_RUN));
        const QList<QByteArray> lines = readFile("run.csv").split('\n');
        EXPECT_TRUE(lines[0].endsWith(",farthest_hit_px,collision\r"));
        ASSERT_EQ(lines.size(), 37);
        for (int step = 1; step <= 35; ++step) {
            EXPECT_TRUE(lines[step].endsWith(step == c.firstCollision ? ",1\r" : ",0\r")) << step;
        }
    }
    EXPECT_EQ(captions(), QStringList());
}

TEST_F(PathTest, ARedPathDrawnOnTheCanvasIsNoWallAndSavingNothingSaysSo)
{
    choose("Save path…", "nothing.csv");
    ASSERT_EQ(captions(), QStringList{"Error Save path"});
    EXPECT_FALSE(QFile::exists(QDir(dir()).filePath("nothing.csv")));

    // The full sine is drawn in pure red and drawn again at every step, under the cart.
    ASSERT_TRUE(run(ID_START_CIEL));
    ASSERT_TRUE(run(ID_SIN_2PI));
    ASSERT_TRUE(run(ID_ANIMUJ));
    ASSERT_FALSE(view().m_lastRun.steps.empty());
    const TrajectoryPoint& sample = view().m_pTrajectory.get()[5];
    EXPECT_EQ(view().canvas().pixel(int(sample.x), int(sample.y)), qRgb(255, 0, 0));
    for (const StepRecord& step : view().m_lastRun.steps) {
        EXPECT_FALSE(step.collision) << step.step;
    }
    EXPECT_FALSE(collisionField()->isVisible());
}

// Trajectory › Follow path in the real window: the cart steers along the stored path, draws the
// trace it drove, and stops before a wall drawn across the path, saying why in the status bar.
TEST_F(PathTest, FollowPathDrivesThePathAndStopsBeforeAWallAcrossIt)
{
    const struct {
        int wallX; // 0: none
        const char* status;
        int lastX; // the cart's last pixel, at least
    } rows[] = {{0, "Reached the end", 290}, {250, "Stopped: obstacle at 20 px", 230}};
    for (const auto& row : rows) {
        QImage map(800, 600, QImage::Format_RGB32);
        map.fill(Qt::white);
        QPainter(&map).fillRect(QRect(row.wallX, 250, row.wallX != 0 ? 4 : 0, 100), Qt::red);
        ASSERT_TRUE(map.save(QDir(dir()).filePath("mapa.bmp"), "BMP"));
        ASSERT_TRUE(run(ID_FILE_OPEN));
        g_minDistance = 30;
        view().m_scannerRange = 150;
        view().m_scanStepDivisor = 10.0f;
        ASSERT_TRUE(run(ID_START_CIEL));
        ASSERT_TRUE(run(ID_LINE));
        choose("Follow path", "");
        EXPECT_EQ(frame().paneText().toStdString(), row.status);
        const StepRecord& last = view().m_lastRun.steps.back();
        EXPECT_GE(last.cartX, row.lastX);
        EXPECT_LT(last.cartX, row.wallX == 0 ? 301 : row.wallX - 8);
        // The trace it drove, in its own colour, from the start to the cart drawn at the last step's start.
        EXPECT_EQ(view().canvas().pixel(110, 300), qRgb(255, 140, 0));
        EXPECT_EQ(view().canvas().pixel(last.guideX - 12, last.guideY), qRgb(255, 140, 0));
    }
    EXPECT_EQ(captions(), QStringList());
}
