#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <string>
#include <variant>

// One command line of a batch script: the command word and the words after it, as the bytes
// the script holds (a file name that is not UTF-8 keeps its bytes).
struct ScriptLine {
    int number = 0; // 1-based line number in the script
    QByteArray command;
    QList<QByteArray> words;
};

// Largest script read: a script is a list of commands, not data.
constexpr qint64 kScriptLimit = qint64(64) << 20;

// Reads the script `name` (bytes), or standard input for "-", as every input is read: only a
// regular file (a folder, pipe or device is refused), at most kScriptLimit bytes, and UTF-8 text.
// The text, or why it cannot be had ("Is a directory", "larger than 64 MiB", ...).
std::variant<QByteArray, QString> readScript(const std::string& name);

// Gives a script's command lines one at a time, so that memory stays near the script's size:
// one command a line, words separated by blanks; blank lines and lines whose first non-blank
// character is '#' are skipped. Line ends may be LF or CRLF; a UTF-8 byte-order mark is skipped.
class ScriptReader {
public:
    explicit ScriptReader(QByteArray text);
    // The next command line; nothing at the end of the script.
    std::optional<ScriptLine> next();

private:
    QByteArray m_text;
    qsizetype m_position = 0;
    int m_number = 0;
};
