#include "app/tav1app.h"
#include "batch/batchrunner.h"

#include <QApplication>
#include <QRegularExpression>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    "usage: tav1 [FILE]\n"
    "       tav1 --batch SCRIPT [--size WxH] [--fast] [--map PATH]\n"
    "       tav1 --help | --version\n"
    "\n"
    "  FILE           opened as the (data-less) document\n"
    "  --batch SCRIPT run SCRIPT (a path, or - for standard input) on an offscreen window, then exit\n"
    "  --size WxH     the view's client size in batch mode (default 800x600)\n"
    "  --fast         skip the animation's pauses\n"
    "  --map PATH     answer to a map dialog opening at start-up (default: cancel)\n";

struct Arguments {
    bool batch = false;
    QString file;
    BatchOptions options;
};

int usageError(const char* text)
{
    std::fprintf(stderr, "tav1: %s\n%s", text, kUsage);
    return kBatchCannotStart;
}

// Returns -1 when the program should go on, or the exit status.
int parseArguments(int argc, char** argv, Arguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(word, "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(word, "--version") == 0) {
            std::puts("TAV1 Version 1.0");
            return 0;
        }
        if (std::strcmp(word, "--batch") == 0 && hasValue) {
            arguments.batch = true;
            arguments.options.script = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(word, "--size") == 0 && hasValue) {
            static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
            const QRegularExpressionMatch match = pattern.match(QString::fromLocal8Bit(argv[++i]));
            if (!match.hasMatch() || match.captured(1).toInt() == 0 || match.captured(2).toInt() == 0) {
                return usageError("--size wants WxH, e.g. 800x600");
            }
            arguments.options.size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        } else if (std::strcmp(word, "--fast") == 0) {
            arguments.options.fast = true;
        } else if (std::strcmp(word, "--map") == 0 && hasValue) {
            arguments.options.map = QString::fromLocal8Bit(argv[++i]);
        } else if (word[0] == '-' && word[1] != '\0') {
            return usageError("unknown or incomplete option");
        } else if (arguments.file.isEmpty()) {
            arguments.file = QString::fromLocal8Bit(word);
        } else {
            return usageError("only one FILE may be given");
        }
    }
    if (!arguments.batch && (arguments.options.fast || arguments.options.map)) {
        return usageError("--size, --fast and --map belong to --batch");
    }
    return -1;
}

void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
}

} // namespace

int main(int argc, char** argv)
{
    // A file-size limit must make a write fail (and be reported), not kill the program.
    std::signal(SIGXFSZ, SIG_IGN);
    Arguments arguments;
    if (const int status = parseArguments(argc, argv, arguments); status >= 0) {
        return status;
    }
    if (arguments.batch) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Standard error carries the script's boxes and errors; keep Qt's own notes out of it.
        qInstallMessageHandler(quietMessages);
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("TAV1"));
    // Numbers in files and texts are always written and read with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    return arguments.batch ? runBatch(arguments.options) : runDesktop(arguments.file);
}
