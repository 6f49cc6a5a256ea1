#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One command line of a batch script: the command word and the words after it.
struct ScriptLine {
    int number = 0; // 1-based line number in the script
    QString command;
    QStringList words;
};

// Splits a script into command lines: one command a line, words separated by blanks; blank
// lines and lines whose first non-blank character is '#' are skipped. Line ends may be LF or
// CRLF; text is read as UTF-8.
std::vector<ScriptLine> parseScript(const QByteArray& text);
