#include "platform/profile.h"

#include "platform/fileopen.h"
#include "platform/lasterror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace {

// Error codes set where the failing call leaves errno at 0; they have the Windows numbers.
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;

// How much of a configuration file is read: one that grows without end cannot hold the program.
constexpr qint64 kSizeLimit = qint64(4) << 20;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

enum class LineKind { Other, Section, Key };

// One line of the file. The offsets let a write keep every other byte of the file as it was.
struct Line {
    std::size_t begin = 0; // first byte
    std::size_t end = 0;   // end of the text, where the line break starts
    std::size_t next = 0;  // first byte of the next line
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key value, trimmed and unquoted
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Windows drops one pair of matching quotes around a value.
std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

void classify(Line& line, std::string_view text)
{
    text = trim(text);
    if (text.empty()) {
        return;
    }
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = trim(text.substr(1, close - 1));
            return;
        }
    }
    // A line without "=" is a key with an empty value, as Windows reads it.
    const std::size_t equals = text.find('=');
    line.kind = LineKind::Key;
    line.name = trim(text.substr(0, equals));
    if (equals != std::string_view::npos) {
        line.value = unquote(trim(text.substr(equals + 1)));
    }
}

// Splits the bytes into lines at LF, CRLF or a lone CR, skipping a UTF-8 byte-order mark.
std::vector<Line> parse(std::string_view bytes)
{
    std::vector<Line> lines;
    std::size_t pos = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < bytes.size()) {
        Line line;
        line.begin = pos;
        line.end = bytes.find_first_of("\r\n", pos);
        if (line.end == std::string_view::npos) {
            line.end = bytes.size();
            line.next = bytes.size();
        } else {
            line.next = line.end + (bytes.substr(line.end, 2) == "\r\n" ? 2 : 1);
        }
        classify(line, bytes.substr(line.begin, line.end - line.begin));
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

// Where a section and key are in the parsed lines (indexes, kNone when absent).
struct Found {
    std::size_t section = kNone; // header of the first matching section
    std::size_t key = kNone;     // first matching key in that section
    std::size_t last = kNone;    // last key line of that section, or its header
};

Found find(const std::vector<Line>& lines, std::string_view section, std::string_view key)
{
    Found found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.kind == LineKind::Section) {
            if (found.section != kNone) {
                break;
            }
            if (equalsIgnoringCase(line.name, section)) {
                found.section = i;
                found.last = i;
            }
        } else if (line.kind == LineKind::Key && found.section != kNone) {
            found.last = i;
            if (found.key == kNone && equalsIgnoringCase(line.name, key)) {
                found.key = i;
            }
        }
    }
    return found;
}

// The name as given when it exists, else an entry of its folder whose name differs only in
// letter case (the file comes from Windows, where names ignore case), else the name as given.
// Names stay bytes (they need not be UTF-8); only the folder search compares decoded names.
std::string resolvePath(const std::string& fileName)
{
    if (::access(fileName.c_str(), F_OK) == 0) {
        return fileName;
    }
    const QFileInfo info(QFile::decodeName(fileName.c_str()));
    const QDir folder = info.dir();
    const QString name = info.fileName();
    const QStringList entries =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return QFile::encodeName(folder.filePath(entry)).toStdString();
        }
    }
    return fileName;
}

// Reads the file, at most kSizeLimit + 1 bytes, only if it is a regular file (platform/fileopen.h).
// On failure sets the last error (kFileNotFound when it does not exist).
bool readFile(const std::string& path, QByteArray& bytes)
{
    errno = 0;
    QFile file;
    if (!openForReading(path, file)) {
        if (errno == ENOENT) {
            SetLastError(kFileNotFound);
        } else {
            SetLastErrorFromErrno(kAccessDenied);
        }
        return false;
    }
    bytes = file.read(kSizeLimit + 1);
    if (file.error() != QFileDevice::NoError) {
        SetLastErrorFromErrno(kAccessDenied);
        return false;
    }
    SetLastError(0);
    return true;
}

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The key's value, or nothing when the file, section or key is missing.
std::optional<std::string> readValue(std::string_view section, std::string_view key,
                                     const std::string& fileName)
{
    QByteArray bytes;
    if (!readFile(resolvePath(fileName), bytes)) {
        return std::nullopt;
    }
    bytes.truncate(kSizeLimit);
    const std::vector<Line> lines = parse(view(bytes));
    const Found found = find(lines, trim(section), trim(key));
    if (found.key == kNone) {
        return std::nullopt;
    }
    return std::string(lines[found.key].value);
}

// Windows' RtlCharToInteger with base 0.
std::uint32_t parseInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        switch (text[i + 1]) {
        case 'x':
        case 'X':
            base = 16;
            break;
        case 'o':
            base = 8;
            break;
        case 'b':
            base = 2;
            break;
        default:
            break;
        }
        if (base != 10) {
            i += 2;
        }
    }
    std::uint32_t result = 0;
    for (; i < text.size(); ++i) {
        const char c = asciiLower(text[i]);
        std::uint32_t digit = base;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'z') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        }
        if (digit >= base) {
            break;
        }
        result = result * base + digit; // unsigned: wraps modulo 2^32
    }
    return negative ? 0u - result : result;
}

} // namespace

std::uint32_t GetPrivateProfileIntA(std::string_view section, std::string_view key,
                                    int defaultValue, const std::string& fileName)
{
    // Windows reads the value through a 30-character transfer, so only 29 characters count.
    constexpr std::size_t kTransferSize = 30;
    const std::optional<std::string> value = readValue(section, key, fileName);
    const std::string_view text =
        value ? std::string_view(*value).substr(0, kTransferSize - 1) : std::string_view();
    if (text.empty()) {
        return static_cast<std::uint32_t>(defaultValue);
    }
    return parseInteger(text);
}

std::uint32_t GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                       std::string_view defaultText, std::string& target,
                                       std::uint32_t size, const std::string& fileName)
{
    target.clear();
    if (size == 0) {
        return 0;
    }
    const std::optional<std::string> value = readValue(section, key, fileName);
    std::string_view text = defaultText;
    if (value) {
        text = *value;
    } else {
        // Windows drops the default's trailing blanks.
        while (!text.empty() && text.back() == ' ') {
            text.remove_suffix(1);
        }
    }
    target.assign(text.substr(0, size - 1));
    return static_cast<std::uint32_t>(target.size());
}

int WritePrivateProfileStringA(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& fileName)
{
    const std::string path = resolvePath(fileName);
    QByteArray original;
    if (!readFile(path, original) && GetLastError() != kFileNotFound) {
        return 0;
    }
    // Rewriting only the part that was read would cut the file.
    if (original.size() > kSizeLimit) {
        SetLastError(EFBIG);
        return 0;
    }
    section = trim(section);
    key = trim(key);
    const std::string_view bytes = view(original);
    const std::vector<Line> lines = parse(bytes);
    const Found found = find(lines, section, key);

    // New lines take the file's own line break; a new file gets the Windows one.
    std::string_view eol = "\r\n";
    for (const Line& line : lines) {
        if (line.next > line.end) {
            eol = bytes.substr(line.end, line.next - line.end);
            break;
        }
    }

    std::string text(bytes);
    if (found.key != kNone) {
        const Line& line = lines[found.key];
        std::string replacement(line.name);
        replacement.append("=").append(value);
        text.replace(line.begin, line.end - line.begin, replacement);
    } else if (found.section != kNone) {
        // Inserted before the break of the section's last line, so the new line ends with it.
        std::string entry(eol);
        entry.append(key).append("=").append(value);
        text.insert(lines[found.last].end, entry);
    } else {
        if (!lines.empty()) {
            if (lines.back().next == lines.back().end) {
                text.append(eol);
            }
            text.append(eol);
        }
        text.append("[").append(section).append("]").append(eol);
        text.append(key).append("=").append(value).append(eol);
    }

    // QSaveFile writes a temporary file and renames it, so a failure leaves the old file whole;
    // it never opens the named file itself, so it neither waits on nor writes into a pipe.
    // Unbuffered, because a buffered QSaveFile commits a short write (e.g. at a file size limit)
    // as if it were whole; unbuffered, write() returns the short count.
    QSaveFile file(QFile::decodeName(path.c_str()));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || file.write(text.data(), static_cast<qint64>(text.size()))
            != static_cast<qint64>(text.size())
        || !file.commit()) {
        SetLastErrorFromErrno(kAccessDenied);
        return 0;
    }
    SetLastError(0);
    return 1;
}
