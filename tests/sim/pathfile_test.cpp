#include "sim/pathfile.h"

#include "common/files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct PathCase {
    const char* name;
    QByteArray bytes;
    std::vector<PathPoint> records; // what is read, when it is good
    const char* fault;              // the fault's text, when it is bad
};

std::variant<std::vector<PathPoint>, QString> parse(QByteArray bytes, int capacity)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return parsePath(buffer, capacity);
}

bool sameBits(const std::vector<PathPoint>& a, const std::vector<PathPoint>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(PathPoint)) == 0);
}

} // namespace

TEST(PathFile, ReadsGoodPathsAndNamesTheLineOfEveryFault)
{
    const PathCase cases[] = {
        {"header", "x,y\n1,2\n3.5,-4e2\n", {{1, 2}, {3.5, -400}}, nullptr},
        {"no header, CRLF, blanks, spacing", "\r\n 1 , 2\r\n\r\n\t+7,.25 \r\n", {{1, 2}, {7, 0.25}}, nullptr},
        {"byte-order mark, header in capitals, no last line end", "\xEF\xBB\xBFX, Y\n-0,5", {{-0.0, 5}}, nullptr},
        {"at capacity", "1,1\n2,2\n3,3\n", {{1, 1}, {2, 2}, {3, 3}}, nullptr},
        {"as numpy.savetxt writes it", "# x,y\n1.000000000000000000e+00,2.500000000000000000e+00\n", {{1, 2.5}}, nullptr},
        {"a header later", "1,2\nx,y\n", {}, "line 2: \"x\" is not a number"},
        {"bad number", "x,y\n1,2\n\n3,4x\n", {}, "line 4: \"4x\" is not a number"},
        {"comma decimal", "1,5;2\n", {}, "line 1: \"5;2\" is not a number"},
        {"empty field", "1,\n", {}, "line 1: \"\" is not a number"},
        {"three columns", "1,2\n1,2,3\n", {}, "line 2: 3 columns, not the 2 of x,y"},
        {"one column", "\n12\n", {}, "line 2: 1 columns, not the 2 of x,y"},
        {"NaN", "1,2\nnan,2\n", {}, "line 2: nan is not a finite number"},
        {"infinity", "-inf,2\n", {}, "line 1: -inf is not a finite number"},
        {"beyond a double", "1e400,2\n", {}, "line 1: 1e400 is out of range"},
        {"below a double", "1,1e-400\n", {}, "line 1: 1e-400 is out of range"},
        {"beyond the pixels", "1,-3e9\n", {}, "line 1: -3e9 lies beyond the pixel coordinates"},
        {"at the pixels' end", "2147483648,5\n", {}, "line 1: 2147483648 lies beyond the pixel coordinates"},
        {"too many", "1,1\n2,2\n3,3\n4,4\n", {}, "line 4: more than 3 records, the most a path holds"},
        {"header alone", "x,y\r\n\r\n", {}, "line 3: the file ends before the path's first x,y record"},
        {"empty", "", {}, "line 1: the file ends before the path's first x,y record"},
        {"a long line", QByteArray(2000, ' ') + "1,2\n", {}, "line 1: longer than 1024 bytes"},
        {"the longest line, LF", QByteArray(1021, ' ') + "1,2\n", {{1, 2}}, nullptr},
        {"the longest line, CRLF", QByteArray(1021, ' ') + "1,2\r\n", {{1, 2}}, nullptr},
        {"the longest line, no line end", "1,1\n" + QByteArray(1021, ' ') + "1,2", {{1, 1}, {1, 2}}, nullptr},
        {"a byte longer, CRLF", QByteArray(1022, ' ') + "1,2\r\n", {}, "line 1: longer than 1024 bytes"},
        {"a byte longer, no line end", QByteArray(1022, ' ') + "1,2", {}, "line 1: longer than 1024 bytes"},
    };
    for (const PathCase& c : cases) {
        const auto read = parse(c.bytes, 3);
        if (c.fault == nullptr) {
            ASSERT_TRUE(std::holds_alternative<std::vector<PathPoint>>(read))
                << c.name << ": " << std::get<QString>(read).toStdString();
            EXPECT_TRUE(sameBits(std::get<std::vector<PathPoint>>(read), c.records)) << c.name;
        } else {
            ASSERT_TRUE(std::holds_alternative<QString>(read)) << c.name;
            EXPECT_EQ(std::get<QString>(read), c.fault) << c.name;
        }
    }
}

TEST(PathFile, WritesEveryDigitAndReadsTheSameBitsBackAndAFaultNamesTheFile)
{
    const std::vector<PathPoint> points = {{0.1, -0.0}, {1.0 / 3.0, 2.0e-310}, {123456.78901234567, -1e9}};
    EXPECT_EQ(pathCsv({points.data(), 1}), "x,y\r\n0.1,-0\r\n");
    QTemporaryDir dir;
    const QString file = dir.filePath("path.csv");
    ASSERT_EQ(writePathFile(file.toStdString(), points), "");
    const auto read = readPathFile(file.toStdString(), 64);
    ASSERT_TRUE(std::holds_alternative<std::vector<PathPoint>>(read));
    EXPECT_TRUE(sameBits(std::get<std::vector<PathPoint>>(read), points));

    ASSERT_TRUE(writeFileBytes(file, "x,y\n1,2\n1,2,3\n"));
    EXPECT_EQ(std::get<QString>(readPathFile(file.toStdString(), 64)), file + ": line 3: 3 columns, not the 2 of x,y");
    const QString missing = dir.filePath("missing.csv");
    EXPECT_EQ(std::get<QString>(readPathFile(missing.toStdString(), 64)), missing + ": No such file or directory");
    EXPECT_EQ(std::get<QString>(readPathFile(dir.path().toStdString(), 64)), dir.path() + ": Is a directory");
    // A named pipe would block the read: refused at once.
    const QString pipe = dir.filePath("pipe.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(std::get<QString>(readPathFile(pipe.toStdString(), 64)), pipe + ": Illegal seek");
    EXPECT_TRUE(writePathFile(dir.path().toStdString(), points).startsWith(dir.path() + ": "));
    // A file of the system's says it is empty: it is read to its real end all the same.
    EXPECT_EQ(std::get<QString>(readPathFile("/proc/self/status", 64)), "/proc/self/status: line 1: 1 columns, not the 2 of x,y");
}
