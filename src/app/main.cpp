#include "app/commandline.h"
#include "app/tav1app.h"
#include "app/version.h"
#include "batch/batchrunner.h"

#include <QApplication>

#include <clocale>
#include <csignal>
#include <cstdio>

namespace {

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
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    const CommandLine line = parseCommandLine(arguments);
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(usageText().constData(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::puts(kVersionText);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "tav1: %s\nTry 'tav1 --help'.\n", line.error.toLocal8Bit().constData());
        return kUsageError;
    case CommandLine::Action::Run:
        break;
    }
    if (line.batch) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Standard error carries the script's boxes and errors; keep Qt's own notes out of it.
        qInstallMessageHandler(quietMessages);
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("TAV1"));
    // Numbers in files and texts are always written and read with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    return line.batch ? runScript(line.options) : runDesktop(line.file, line.options.map, line.desktop);
}
