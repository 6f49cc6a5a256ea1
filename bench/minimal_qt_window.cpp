// The least a Qt program with this program's kind of window pays to start: a main window with a
// menu bar, a toolbar, a status text and a scrolled map, shown and rendered once, then exit.
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

// Draws the map and ends the program once it has been rendered.
class MapWidget : public QWidget {
public:
    explicit MapWidget(const QImage& map) : m_map(map) { resize(map.size()); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).drawImage(0, 0, m_map);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }

private:
    QImage m_map;
};

QImage makeMap()
{
    QImage map(640, 480, QImage::Format_RGB32);
    map.fill(qRgb(235, 230, 215));
    QPainter painter(&map);
    painter.fillRect(300, 200, 40, 120, Qt::red);
    return map;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"&File", "&Edit", "&View", "&Help"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        menu->addAction(QStringLiteral("&Open..."));
        menu->addAction(QStringLiteral("&Save"));
        menu->addSeparator();
        menu->addAction(QStringLiteral("E&xit"));
    }
    QToolBar* toolBar = window.addToolBar(QStringLiteral("Standard"));
    for (const char* text : {"New", "Open", "Save", "Print"}) {
        toolBar->addAction(QString::fromLatin1(text));
    }
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    auto* scroll = new QScrollArea;
    scroll->setWidget(new MapWidget(makeMap()));
    window.setCentralWidget(scroll);
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
