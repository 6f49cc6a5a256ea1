#include "batch/batchrunner.h"

#include "batch/dump.h"
#include "batch/runnercommands.h"
#include "batch/script.h"
#include "batch/scriptedui.h"
#include "platform/filewrite.h"
#include "platform/pause.h"
#include "view/commandtable.h"
#include "view/screengrab.h"
#include "view/tav1view.h"

#include <QApplication>
#include <QBuffer>
#include <QScrollBar>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <variant>

namespace {

// Makes the view's client area exactly `size` (the offscreen platform has no decorations). The
// canvas never shrinks, grows to every client area the view passes through, and brings a scroll
// bar wherever it is larger, which takes from the client area; the scroll area decides its bars
// from the size it had before. So the bars the canvas needs at `size` are held on while the
// window is sized, and the others may go only once the view has its final size: no client area
// larger than `size` passes on the way. False, said on standard error, when the window cannot
// make the view that size.
bool sizeView(BatchWindow& window, QSize size)
{
    // The shown window's first repaint, a queued call, loads the configured map: the canvas is
    // measured with it.
    QApplication::processEvents();
    CTAV1View& view = window.view();
    const QSize bars(view.verticalScrollBar()->sizeHint().width(), view.horizontalScrollBar()->sizeHint().height());
    const QSize content = view.widget()->size();
    if (content.width() > size.width() && content.height() > size.height()
        && content.width() <= size.width() + bars.width() && content.height() <= size.height() + bars.height()) {
        // The canvas would fit without the two bars it needs, so they would come and go: one
        // pixel wider, it needs them in every layout.
        view.ensureCanvasSize(QSize(size.width() + bars.width() + 1, content.height()));
    }
    const QSize needed = view.widget()->size();
    const bool horizontal = needed.width() > size.width();
    const bool vertical = needed.height() > size.height();
    view.setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    view.setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    const int frame = 2 * view.frameWidth();
    const QSize outer = size + QSize(frame + (vertical ? bars.width() : 0), frame + (horizontal ? bars.height() : 0));
    for (int attempt = 0; attempt < 3 && view.size() != outer; ++attempt) {
        window.widget().resize(window.widget().size() + (outer - view.size()));
        QApplication::processEvents();
    }
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The scroll area shows or hides its bars in a queued call after a resize.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    const QSize made = view.viewport()->size();
    if (made != size) {
        std::fprintf(stderr, "tav1: the window cannot make the view %dx%d: it makes it %dx%d\n", size.width(),
                     size.height(), made.width(), made.height());
        return false;
    }
    return true;
}

class Runner {
public:
    Runner(BatchWindow& window, ScriptedUi& ui) : m_window(window), m_ui(ui) {}

    // Runs one line; false on a script error (already reported).
    bool run(const ScriptLine& line)
    {
        m_line = line.number;
        const QString name = QString::fromUtf8(line.command);
        // A name in the system's calls ends at a NUL byte: the word would name another file.
        if (line.command.contains('\0')
            || std::any_of(line.words.begin(), line.words.end(), [](const QByteArray& word) { return word.contains('\0'); })) {
            return error(QStringLiteral("a word holds a NUL byte"));
        }
        if (const RunnerCommand* own = findRunnerCommand(name)) {
            switch (own->action) {
            case RunnerAction::DoubleClick:
            case RunnerAction::MouseMove:
                return pointer(own->action, name, line.words);
            case RunnerAction::Snapshot:
                return snapshot(line.words);
            case RunnerAction::Screen:
                return screen(line.words);
            case RunnerAction::Dump:
                return dump(line.words);
            }
        }
        const Command* command = findBatchCommand(name.toUtf8().constData());
        if (command == nullptr) {
            return error(QStringLiteral("unknown command \"%1\"").arg(name));
        }
        m_ui.setAnswers(line.words);
        m_ui.clearScriptError();
        m_window.trigger(command->id);
        // Work the command left queued (a repaint it asked for) may still open a dialog.
        QApplication::processEvents();
        m_ui.setAnswers({});
        if (!m_ui.scriptError().isEmpty()) {
            return error(QStringLiteral("%1: %2").arg(name, m_ui.scriptError()));
        }
        return true;
    }

private:
    bool error(const QString& text) const
    {
        const QByteArray line = echoLine(QStringLiteral("script line %1: %2").arg(m_line).arg(text));
        std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
        return false;
    }

    bool pointer(RunnerAction action, const QString& name, const QByteArrayList& words)
    {
        bool xOk = false;
        bool yOk = false;
        const int x = words.value(0).toInt(&xOk);
        const int y = words.value(1).toInt(&yOk);
        if (words.size() != 2 || !xOk || !yOk) {
            return error(QStringLiteral("%1 needs two integers X Y").arg(name));
        }
        CTAV1View& view = m_window.view();
        if (action == RunnerAction::MouseMove) {
            view.OnMouseMove(QPoint(x, y));
        } else {
            view.OnLButtonDblClk(QPoint(x, y));
        }
        return true;
    }

    bool snapshot(const QByteArrayList& words)
    {
        if (words.size() != 1) {
            return error(QStringLiteral("Snapshot needs one path"));
        }
        return savePicture(m_window.view().canvas(), words.first(), QStringLiteral("snapshot"));
    }

    bool screen(const QByteArrayList& words)
    {
        if (words.size() != 1) {
            return error(QStringLiteral("Screen needs one path"));
        }
        const QImage shown = grabShownView(m_window.view());
        if (shown.isNull()) {
            return error(QStringLiteral("the window shows nothing yet"));
        }
        return savePicture(shown, words.first(), QStringLiteral("screen"));
    }

    bool dump(const QByteArrayList& words)
    {
        if (words.size() > 1) {
            return error(QStringLiteral("Dump takes at most one path"));
        }
        const std::string text = dumpState(m_window.view(), m_window.statusText(), m_ui) + "\n";
        if (words.isEmpty()) {
            errno = 0;
            if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
                return error(QStringLiteral("cannot write the dump to standard output: %1")
                                 .arg(QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO))));
            }
            return true;
        }
        return writeFile(text, words.first(), QStringLiteral("dump"));
    }

    // A PNG of `image` at `path`, written whole or not at all.
    bool savePicture(const QImage& image, const QByteArray& path, const QString& what) const
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) {
            return error(QStringLiteral("cannot encode the %1 \"%2\"").arg(what, QString::fromUtf8(path)));
        }
        return writeFile(std::string_view(png.constData(), std::size_t(png.size())), path, what);
    }

    bool writeFile(std::string_view bytes, const QByteArray& path, const QString& what) const
    {
        if (!writeFileWhole(path.toStdString(), bytes)) {
            return error(QStringLiteral("cannot write the %1 \"%2\": %3")
                             .arg(what, QString::fromUtf8(path), QString::fromLocal8Bit(std::strerror(errno))));
        }
        return true;
    }

    BatchWindow& m_window;
    ScriptedUi& m_ui;
    int m_line = 0;
};

} // namespace

int runBatch(const BatchOptions& options, const BatchWindowMaker& makeWindow)
{
    std::variant<QByteArray, QString> text = readScript(options.script);
    if (const QString* reason = std::get_if<QString>(&text)) {
        std::fprintf(stderr, "tav1: cannot read the script \"%s\": %s\n", options.script.c_str(),
                     reason->toUtf8().constData());
        return kBatchCannotStart;
    }
    ScriptReader script(std::get<QByteArray>(std::move(text)));

    setPausesSkipped(options.fast);
    ScriptedUi scripted(stderr);
    setUi(&scripted);
    // Without --map, a map dialog that opens by itself at start-up is cancelled.
    scripted.setAnswers({"cancel"});
    int status = kBatchCannotStart;
    std::unique_ptr<BatchWindow> window = makeWindow(options.map);
    if (window) {
        window->widget().show();
    }
    if (window && sizeView(*window, options.size)) {
        QApplication::processEvents();
        scripted.setAnswers({});
        scripted.clearScriptError();
        Runner runner(*window, scripted);
        status = kBatchDone;
        for (std::optional<ScriptLine> line = script.next(); line; line = script.next()) {
            // What the event loop does between two clicks of a person: pending window-system
            // events run.
            QApplication::processEvents();
            if (!runner.run(*line)) {
                status = kBatchScriptError;
                break;
            }
        }
    }
    window.reset();
    setUi(nullptr);
    return status;
}
