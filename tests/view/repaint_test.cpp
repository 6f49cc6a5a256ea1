// A repaint restores the map only where drawings covered it. Random command sequences on random
// maps must leave the canvas, after every command, exactly as the same sequence leaves it when
// every repaint draws the whole map; and the screen must show what the canvas holds.
#include "common/appfixture.h"

#include "dialogs/systemdlg.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <random>
#include <vector>

using namespace cmd;

namespace {

constexpr QRgb kObstacle = qRgb(255, 0, 0);

enum class Op { DoubleClick, ClearStartEnd, Command };

struct Step {
    Op op = Op::Command;
    int command = 0;
    QPoint point;
};

struct Scenario {
    QImage map;
    int amplitude = 40;
    int scannerRange = 150;
    bool trace = true;
    int numbers = 0;
    int squares = 0;
    std::vector<Step> steps;
};

QImage randomMap(std::mt19937& random)
{
    std::uniform_int_distribution<int> side(200, 1300);
    QImage map(side(random), side(random), QImage::Format_RGB32);
    map.fill(Qt::white);
    QPainter painter(&map);
    std::uniform_int_distribution<int> coordinate(0, std::max(map.width(), map.height()));
    std::uniform_int_distribution<int> extent(1, 120);
    for (int i = 0; i < 25; ++i) {
        const QColor colour = i % 3 == 0 ? QColor(kObstacle) : QColor::fromHsv(int(random() % 360), 80, 200);
        painter.fillRect(QRect(coordinate(random), coordinate(random), extent(random), extent(random)), colour);
    }
    painter.setPen(QPen(QColor(kObstacle), 1));
    for (int i = 0; i < 10; ++i) {
        painter.drawLine(coordinate(random), coordinate(random), coordinate(random), coordinate(random));
    }
    return map;
}

Scenario randomScenario(unsigned seed)
{
    std::mt19937 random(seed);
    Scenario scenario;
    scenario.map = randomMap(random);
    scenario.amplitude = std::uniform_int_distribution<int>(-120, 120)(random);
    scenario.scannerRange = std::uniform_int_distribution<int>(20, 400)(random);
    scenario.trace = random() % 4 != 0;
    scenario.numbers = int(random() % 2);
    scenario.squares = int(random() % 2);
    const int commands[] = {ID_SIN_2PI,  ID_SIN_PI,      ID_LINE,      ID_START_CIEL, ID_SCANNER,
                            ID_ANIMUJ,   ID_ANIMUJ,      ID_GOOOOO,    ID_SAVE_CIRCLE, ID_KRESLI,
                            ID_ALGORITMUS, ID_LOAD_DATA, ID_POMOCNE_MENU};
    std::uniform_int_distribution<int> x(-20, 820);
    std::uniform_int_distribution<int> y(-20, 620);
    for (int i = 0; i < 24; ++i) {
        Step step;
        const unsigned kind = random() % 10;
        if (kind < 3) {
            step.op = Op::DoubleClick;
            step.point = QPoint(std::clamp(x(random), 0, 799), std::clamp(y(random), 0, 599));
        } else if (kind == 3) {
            step.op = Op::ClearStartEnd;
        } else {
            step.command = commands[random() % std::size(commands)];
        }
        scenario.steps.push_back(step);
    }
    return scenario;
}

class RepaintTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        writeFile("tav.ini", "[TAV]\nDialogs=0\nDefault=1\n[Velmora]\nDialogs=0\nMessageBox=0\n");
        writeFile("samples.dat", "1 0\n0.5 2\n-1 0.25\n3 -2\n0 1\n2 2\n");
    }

    // The canvas after each step of the scenario; with `checkScreen`, also whether the screen
    // showed the canvas after each step.
    std::vector<QImage> play(const Scenario& scenario, bool fullRepaints, bool checkScreen)
    {
        resetProcessState();
        QFile::remove(QStringLiteral("aaa.dat"));
        scenario.map.save(QStringLiteral("mapa.bmp"), "BMP");
        if (!startProgram()) {
            ADD_FAILURE() << "the program did not start";
            return {};
        }
        CTAV1View& v = view();
        v.setFullRepaints(fullRepaints);
        v.m_delayMs = 0;
        v.m_amplitude = scenario.amplitude;
        v.m_scannerRange = scenario.scannerRange;
        v.m_curveDlg.m_numbers = scenario.numbers;
        v.m_curveDlg.m_squaresEllipses = scenario.squares;
        g_systemDlg.m_scannerTrace = scenario.trace ? 1 : 0;
        std::vector<QImage> canvases;
        for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
            const Step& step = scenario.steps[i];
            switch (step.op) {
            case Op::DoubleClick:
                doubleClick(step.point);
                break;
            case Op::ClearStartEnd:
                v.OnClearStartEnd();
                break;
            case Op::Command:
                ui().setAnswers({"samples.dat"});
                run(step.command);
                break;
            }
            QApplication::processEvents();
            canvases.push_back(v.canvas().copy());
            if (checkScreen) {
                EXPECT_TRUE(screenShowsCanvas()) << "after step " << i;
            }
        }
        closeProgram();
        return canvases;
    }
};

// The first pixel where two canvases differ, for the failure message.
std::string firstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        return "canvas sizes differ";
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is "
                    + QColor(a.pixel(x, y)).name().toStdString() + ", a full repaint gives "
                    + QColor(b.pixel(x, y)).name().toStdString();
            }
        }
    }
    return {};
}

} // namespace

TEST_F(RepaintTest, RestoringWhatWasDrawnGivesTheCanvasOfFullRepaints)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const Scenario scenario = randomScenario(seed);
        const std::vector<QImage> tracked = play(scenario, false, true);
        const std::vector<QImage> full = play(scenario, true, false);
        ASSERT_EQ(tracked.size(), full.size());
        for (std::size_t i = 0; i < tracked.size(); ++i) {
            const std::string difference = firstDifference(tracked[i], full[i]);
            ASSERT_TRUE(difference.empty()) << "seed " << seed << ", after step " << i << " (command "
                                            << scenario.steps[i].command << "): " << difference;
        }
    }
}

TEST_F(RepaintTest, ARunOnAMapRestoresTheMapUnderTheCartsOldPlaces)
{
    // A red wall the scanner stops at and a grey floor: after the run, the path's old places
    // show the map again except where the last step and the marks are drawn.
    QImage map(900, 700, QImage::Format_RGB32);
    map.fill(qRgb(200, 200, 200));
    QPainter(&map).fillRect(QRect(600, 100, 20, 400), QColor(kObstacle));
    Scenario scenario;
    scenario.map = map;
    scenario.steps = {{Op::DoubleClick, 0, QPoint(100, 300)}, {Op::DoubleClick, 0, QPoint(550, 320)},
                      {Op::Command, ID_LINE, {}},            {Op::Command, ID_START_CIEL, {}},
                      {Op::Command, ID_ANIMUJ, {}}};
    const std::vector<QImage> tracked = play(scenario, false, true);
    const std::vector<QImage> full = play(scenario, true, false);
    ASSERT_EQ(tracked.size(), scenario.steps.size());
    EXPECT_EQ(firstDifference(tracked.back(), full.back()), "");
    // The first step's hatched circle around (100, 300) is gone: the map is back there.
    EXPECT_EQ(tracked[3].pixel(100 + 3, 300 - 3), qRgb(200, 200, 200));
    EXPECT_EQ(tracked.back().pixel(100 + 3, 300 - 3), qRgb(200, 200, 200));
}

TEST_F(RepaintTest, TheMapComesBackPixelForPixelWhateverItsNumberOfColours)
{
    // Colour k of a map whose pixels run through `colours` colours, the first the wall colour;
    // up to 256 the view keeps the map as colour indices, beyond that as 32-bit pixels.
    const struct {
        const char* name;
        int colours;
        QImage::Format kept;
    } cases[] = {{"two colours", 2, QImage::Format_Indexed8},
                 {"256 colours", 256, QImage::Format_Indexed8},
                 {"257 colours", 257, QImage::Format_RGB32},
                 {"a colour a pixel", 300 * 200, QImage::Format_RGB32}};
    for (const auto& c : cases) {
        QImage map(300, 200, QImage::Format_RGB32);
        for (int y = 0; y < map.height(); ++y) {
            for (int x = 0; x < map.width(); ++x) {
                const int k = (y * map.width() + x * 7) % c.colours;
                map.setPixel(x, y, k == 0 ? kObstacle : qRgb(k & 0xff, (k >> 8) & 0xff, 77));
            }
        }
        resetProcessState();
        ASSERT_TRUE(map.save(QStringLiteral("mapa.bmp"), "BMP"));
        ASSERT_TRUE(startProgram()) << c.name;
        CTAV1View& v = view();
        EXPECT_EQ(v.m_hBitmap->format(), c.kept) << c.name;
        // Sweeps with the trace paint over the map; a repaint puts back what they covered.
        g_systemDlg.m_scannerTrace = 1;
        v.m_cartX = 150;
        v.m_cartY = 100;
        for (const double heading : {0.0, 1.6, 3.2, 4.7}) {
            v.m_pCart->heading = heading;
            run(ID_SCANNER);
        }
        EXPECT_NE(v.canvas().copy(map.rect()), map) << c.name;
        v.RedrawWindow(false);
        QApplication::processEvents();
        EXPECT_EQ(firstDifference(v.canvas().copy(map.rect()), map), "") << c.name;
        closeProgram();
    }
}
