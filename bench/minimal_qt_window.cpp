// The least a Qt program with this program's kind of window pays to start: a main window with a
// one-item menu, a one-action toolbar and a status text, a map file shown in a label, the
// window 800 x 600, shown, its events processed once and grabbed, then exit.
//
//     minimal_qt_window MAP
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    const QImage map = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (map.isNull()) {
        return 1;
    }
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.addToolBar(QStringLiteral("Standard"))->addAction(QStringLiteral("Open"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(map));
    window.setCentralWidget(label);
    window.resize(800, 600);
    window.show();
    QApplication::processEvents();
    return window.grab().isNull() ? 1 : 0;
}
