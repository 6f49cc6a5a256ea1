#pragma once

#include "batch/batchrunner.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <string>

// The program's command line, read the GNU way: -h/--help, -v/--version, --batch SCRIPT or
// --batch=SCRIPT, --size WxH, --fast, --map PATH, --desktop, one optional FILE; "--" ends the
// options.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString error;                  // what is wrong, naming the option (Action::Error)
    bool batch = false;
    bool desktop = false;           // started from the desktop entry: work in the user's folder
    BatchOptions options;           // the script and its options; its map serves both modes
    std::string file;               // FILE, if given
};

// `arguments` are argv's bytes, the program name first. The map's and FILE's names keep their
// bytes (a name need not be UTF-8); any other word is read as text.
CommandLine parseCommandLine(const QByteArrayList& arguments);

// The --help text, with the batch commands of the command table.
QByteArray usageText();

// Exit status of a wrong or incomplete command line.
constexpr int kUsageError = 2;
