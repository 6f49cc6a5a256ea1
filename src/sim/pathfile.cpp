#include "sim/pathfile.h"

#include "platform/fileopen.h"
#include "platform/filewrite.h"
#include "platform/pixelmath.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// A path line is two numbers; a line whose text (its line end aside) is longer is not one, and is
// not read whole.
constexpr qint64 kMaxLineBytes = 1024;

struct Real {
    double value = 0.0;
    std::errc error = std::errc::invalid_argument; // result_out_of_range: a number no double holds
};

// A C-locale real filling the whole field (std::from_chars, as strtod follows the locale).
Real parseReal(QByteArray field)
{
    if (field.startsWith('+') && !field.startsWith("+-")) {
        field.remove(0, 1);
    }
    Real real;
    const char* end = field.constData() + field.size();
    const auto [stop, error] = std::from_chars(field.constData(), end, real.value);
    if (!field.isEmpty() && stop == end) {
        real.error = error;
    }
    return real;
}

// The shortest text that reads back as the same double, sign of zero included (Qt's number()
// drops the sign of -0).
QByteArray shortestReal(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QByteArray(text, result.ptr - text);
}

bool isHeader(const QList<QByteArray>& fields)
{
    return fields.size() == 2 && fields[0].trimmed().toLower() == "x" && fields[1].trimmed().toLower() == "y";
}

// The record of one line, or why it is none.
std::variant<PathPoint, QString> recordOf(const QList<QByteArray>& fields)
{
    if (fields.size() != 2) {
        return QStringLiteral("%1 columns, not the 2 of x,y").arg(fields.size());
    }
    double values[2] = {0.0, 0.0};
    for (int i = 0; i < 2; ++i) {
        const QByteArray field = fields[i].trimmed();
        const QString shown = QString::fromUtf8(field);
        const Real value = parseReal(field);
        if (value.error == std::errc::result_out_of_range) {
            return QStringLiteral("%1 is out of range").arg(shown);
        }
        if (value.error != std::errc()) {
            return QStringLiteral("\"%1\" is not a number").arg(shown);
        }
        if (!std::isfinite(value.value)) {
            return QStringLiteral("%1 is not a finite number").arg(shown);
        }
        if (!(std::fabs(value.value) < kPixelLimit)) {
            return QStringLiteral("%1 lies beyond the pixel coordinates").arg(shown);
        }
        values[i] = value.value;
    }
    return PathPoint{values[0], values[1]};
}

} // namespace

std::variant<std::vector<PathPoint>, QString> parsePath(QIODevice& in, int capacity)
{
    std::vector<PathPoint> points;
    int number = 0;
    bool headerAllowed = true;
    const auto fault = [&number](const QString& reason) {
        return QStringLiteral("line %1: %2").arg(number).arg(reason);
    };
    // Read until a read gives nothing: a file of the system's (/proc) says it is empty and is not.
    for (QByteArray line = in.readLine(kMaxLineBytes + 3); !line.isEmpty(); line = in.readLine(kMaxLineBytes + 3)) {
        ++number;
        if (line.endsWith('\n')) {
            line.chop(line.endsWith("\r\n") ? 2 : 1);
        }
        if (line.size() > kMaxLineBytes) {
            return fault(QStringLiteral("longer than %1 bytes").arg(kMaxLineBytes));
        }
        if (number == 1 && line.startsWith("\xEF\xBB\xBF")) {
            line.remove(0, 3); // a spreadsheet's UTF-8 byte-order mark
        }
        // Comments as NumPy's savetxt writes its header ("# x,y").
        if (line.trimmed().isEmpty() || line.trimmed().startsWith('#')) {
            continue;
        }
        const QList<QByteArray> fields = line.trimmed().split(',');
        if (headerAllowed && isHeader(fields)) {
            headerAllowed = false;
            continue;
        }
        headerAllowed = false;
        auto record = recordOf(fields);
        if (const QString* reason = std::get_if<QString>(&record)) {
            return fault(*reason);
        }
        if (int(points.size()) >= capacity) {
            return fault(QStringLiteral("more than %1 records, the most a path holds").arg(capacity));
        }
        points.push_back(std::get<PathPoint>(record));
    }
    if (points.empty()) {
        ++number;
        return fault(QStringLiteral("the file ends before the path's first x,y record"));
    }
    return points;
}

std::variant<std::vector<PathPoint>, QString> readPathFile(const std::string& name, int capacity)
{
    const QString shown = QFile::decodeName(QByteArray::fromStdString(name));
    errno = 0;
    QFile file;
    if (!openForReading(name, file)) {
        return QStringLiteral("%1: %2").arg(shown, QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EACCES)));
    }
    auto read = parsePath(file, capacity);
    if (file.error() != QFileDevice::NoError) {
        return QStringLiteral("%1: %2").arg(shown, file.errorString());
    }
    if (QString* fault = std::get_if<QString>(&read)) {
        *fault = QStringLiteral("%1: %2").arg(shown, *fault);
    }
    return read;
}

std::string pathCsv(std::span<const PathPoint> points)
{
    QByteArray csv = "x,y\r\n";
    for (const PathPoint& point : points) {
        csv += shortestReal(point.x) + ',' + shortestReal(point.y) + "\r\n";
    }
    return csv.toStdString();
}

QString writePathFile(const std::string& name, std::span<const PathPoint> points)
{
    if (writeFileWhole(name, pathCsv(points))) {
        return {};
    }
    return QFile::decodeName(writeFailureText(name, errno).c_str());
}
