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
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool readScript(const QString& path, QByteArray& text)
{
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        return false;
    }
    text = file.readAll();
    return true;
}

// Makes the view's client area exactly `size` (the offscreen platform has no decorations).
void sizeView(BatchWindow& window, QSize size)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        // The scroll area shows or hides its scroll bars in a queued call after a resize: the
        // size read must be the settled one, or the window is resized (and painted) again.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        const QSize client = window.view().viewport()->size();
        if (client == size) {
            return;
        }
        window.widget().resize(window.widget().size() + (size - client));
        QApplication::processEvents();
    }
}

class Runner {
public:
    Runner(BatchWindow& window, ScriptedUi& ui) : m_window(window), m_ui(ui) {}

    // Runs one line; false on a script error (already reported).
    bool run(const ScriptLine& line)
    {
        m_line = line.number;
        const QString& name = line.command;
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
        std::fprintf(stderr, "script line %d: %s\n", m_line, text.toUtf8().constData());
        return false;
    }

    bool pointer(RunnerAction action, const QString& name, const QStringList& words)
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

    bool snapshot(const QStringList& words)
    {
        if (words.size() != 1) {
            return error(QStringLiteral("Snapshot needs one path"));
        }
        return savePicture(m_window.view().canvas(), words.first(), QStringLiteral("snapshot"));
    }

    bool screen(const QStringList& words)
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

    bool dump(const QStringList& words)
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
    bool savePicture(const QImage& image, const QString& path, const QString& what) const
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) {
            return error(QStringLiteral("cannot encode the %1 \"%2\"").arg(what, path));
        }
        return writeFile(std::string_view(png.constData(), std::size_t(png.size())), path, what);
    }

    bool writeFile(std::string_view bytes, const QString& path, const QString& what) const
    {
        if (!writeFileWhole(QFile::encodeName(path).toStdString(), bytes)) {
            return error(QStringLiteral("cannot write the %1 \"%2\": %3")
                             .arg(what, path, QString::fromLocal8Bit(std::strerror(errno))));
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
    QByteArray text;
    if (!readScript(options.script, text)) {
        std::fprintf(stderr, "tav1: cannot read the script \"%s\"\n", options.script.toUtf8().constData());
        return kBatchCannotStart;
    }
    const std::vector<ScriptLine> lines = parseScript(text);

    setPausesSkipped(options.fast);
    ScriptedUi scripted(stderr);
    setUi(&scripted);
    // Without --map, a map dialog that opens by itself at start-up is cancelled.
    scripted.setAnswers({QStringLiteral("cancel")});
    int status = kBatchDone;
    if (std::unique_ptr<BatchWindow> window = makeWindow(options.map)) {
        window->widget().show();
        sizeView(*window, options.size);
        QApplication::processEvents();
        scripted.setAnswers({});
        scripted.clearScriptError();
        Runner runner(*window, scripted);
        for (const ScriptLine& line : lines) {
            // What the event loop does between two clicks of a person: pending window-system
            // events run.
            QApplication::processEvents();
            if (!runner.run(line)) {
                status = kBatchScriptError;
                break;
            }
        }
    } else {
        status = kBatchCannotStart;
    }
    setUi(nullptr);
    return status;
}
