#pragma once

#include <QString>

#include <span>
#include <string>
#include <variant>
#include <vector>

class QIODevice;

// A reference path as a file, for paths planned elsewhere (a script, a spreadsheet) and for the
// program's own: CSV, one record a row, "x,y" in view pixels as C-locale reals. A header row
// "x,y" may come first; blank lines and lines starting with '#' are skipped; lines may end in LF
// or CRLF and hold at most 1024 bytes beside their line end; the samples may lie at any spacing. Written with a header, CRLF line ends and the shortest numbers that read
// back as the same 64-bit values.

struct PathPoint {
    double x;
    double y;
};

// Reads records up to `capacity` of them from `in`. A fault names its line: "line 3: ...".
std::variant<std::vector<PathPoint>, QString> parsePath(QIODevice& in, int capacity);

// Reads the path file `name` (bytes; a regular file only). A fault is "NAME: line N: reason",
// or "NAME: reason" when the file cannot be read at all.
std::variant<std::vector<PathPoint>, QString> readPathFile(const std::string& name, int capacity);

// The file's bytes for `points`.
std::string pathCsv(std::span<const PathPoint> points);

// Writes the path file whole or not at all; an empty text, or what went wrong, naming the file.
QString writePathFile(const std::string& name, std::span<const PathPoint> points);
