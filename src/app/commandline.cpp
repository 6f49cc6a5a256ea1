#include "app/commandline.h"

#include "platform/bitmap.h"
#include "view/commandtable.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

const char* const kUsage =
    "Usage: tav1 [--map PATH] [--desktop] [FILE]\n"
    "  or:  tav1 --batch SCRIPT [--size WxH] [--fast] [--map PATH]\n"
    "  or:  tav1 --help | --version\n"
    "\n"
    "  FILE             an image, or an occupancy map's YAML description (.yaml, .yml), opens\n"
    "                   as the map the window starts with; any other file is opened as the\n"
    "                   (data-less) document\n"
    "  --map PATH       the map the window starts with instead of the configured one (a\n"
    "                   .yaml or .yml file is imported as an occupancy map); where the\n"
    "                   configuration asks for the map dialog, PATH is its answer (and its\n"
    "                   folder becomes the working directory)\n"
    "  --desktop        work in the folder $XDG_DATA_HOME/TAV1 (~/.local/share/TAV1), made\n"
    "                   and given the sample map and tav.ini on first use, instead of the\n"
    "                   working directory (the desktop entry starts the program so)\n"
    "  --batch SCRIPT   run SCRIPT (a path, or - for standard input) on an offscreen window,\n"
    "                   then exit\n"
    "  --size WxH       the view's client size in batch mode (default 800x600, at most\n"
    "                   1024 MB of 32-bit pixels, e.g. 16384x16384)\n"
    "  --fast           skip the animation's pauses in batch mode\n"
    "  -h, --help       show this text\n"
    "  -v, --version    show the version\n"
    "  --               end of the options\n"
    "\n"
    "A batch script holds one command a line; words after a command answer the dialog it opens\n"
    "(field=value, a path, or cancel). The commands:\n"
    "%1"
    "\n"
    "  DoubleClick X Y, MouseMove X Y, Snapshot PATH (the canvas), Screen PATH (the view as\n"
    "  shown), Dump [PATH] (the state as JSON)\n"
    "\n"
    "Exit status: 0 done, 1 the program could not start, 2 a wrong command line or a script\n"
    "error (with its line number).\n";

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch() || match.captured(1).toInt() == 0 || match.captured(2).toInt() == 0) {
        return std::nullopt;
    }
    return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

CommandLine failure(const QString& text)
{
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = text;
    return line;
}

} // namespace

QByteArray usageText()
{
    constexpr int kWidth = 90;
    QByteArray names;
    QByteArray line;
    for (const Command& command : commandTable()) {
        if (command.batchName == nullptr) {
            continue;
        }
        if (!line.isEmpty() && line.size() + 1 + qstrlen(command.batchName) > kWidth) {
            names += line + '\n';
            line.clear();
        }
        line += (line.isEmpty() ? "  " : " ") + QByteArray(command.batchName);
    }
    return QByteArray(kUsage).replace("%1", names + line + '\n');
}

CommandLine parseCommandLine(const QByteArrayList& arguments)
{
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption batch(QStringLiteral("batch"), QString(), QStringLiteral("SCRIPT"));
    const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("WxH"));
    const QCommandLineOption fast(QStringLiteral("fast"));
    const QCommandLineOption map(QStringLiteral("map"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption desktop(QStringLiteral("desktop"));
    QCommandLineParser parser;
    parser.addOptions({help, version, batch, size, fast, map, desktop});
    // Qt decodes a word that is not UTF-8 lossily, so the file names come from a second reading
    // of the words as Latin-1 (one character a byte): the options are ASCII, so both readings
    // find the same options and values.
    QCommandLineParser bytes;
    bytes.addOptions({help, version, batch, size, fast, map, desktop});
    QStringList text;
    QStringList latin1;
    for (const QByteArray& argument : arguments) {
        text << QString::fromLocal8Bit(argument);
        latin1 << QString::fromLatin1(argument);
    }
    if (!parser.parse(text) || !bytes.parse(latin1)) {
        return failure(parser.errorText());
    }
    CommandLine line;
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::Help;
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
        return line;
    }
    const QStringList files = bytes.positionalArguments();
    if (files.size() > 1) {
        return failure(QStringLiteral("only one FILE may be given"));
    }
    line.file = files.value(0).toLatin1().toStdString();
    line.batch = parser.isSet(batch);
    for (const QCommandLineOption* batchOnly : {&size, &fast}) {
        if (parser.isSet(*batchOnly) && !line.batch) {
            return failure(QStringLiteral("--%1 works only with --batch").arg(batchOnly->names().constFirst()));
        }
    }
    if (line.batch && parser.isSet(desktop)) {
        return failure(QStringLiteral("--desktop does not go with --batch"));
    }
    line.desktop = parser.isSet(desktop);
    if (line.batch && !line.file.empty()) {
        return failure(QStringLiteral("--batch takes no FILE"));
    }
    line.options.script = bytes.value(batch).toLatin1().toStdString();
    if (parser.isSet(size)) {
        const std::optional<QSize> parsed = parseSize(parser.value(size));
        if (!parsed) {
            return failure(QStringLiteral("--size wants WxH, e.g. 800x600, not '%1'").arg(parser.value(size)));
        }
        // The canvas holds at least the view, and holds no more than the largest map does.
        if (!fitsBitmapLimit(parsed->width(), parsed->height())) {
            return failure(QStringLiteral("--size wants at most %1 MB of 32-bit pixels (e.g. 16384x16384), not '%2'")
                               .arg(kBitmapAllocationLimitMb)
                               .arg(parser.value(size)));
        }
        line.options.size = *parsed;
    }
    line.options.fast = parser.isSet(fast);
    if (parser.isSet(map)) {
        line.options.map = bytes.value(map).toLatin1().toStdString();
    }
    return line;
}
