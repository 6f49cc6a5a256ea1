#include "platform/profile.h"

#include "platform/fileopen.h"
#include "platform/filewrite.h"
#include "platform/lasterror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

// Error codes set where the failing call leaves errno at 0; they have the Windows numbers.
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;

// How much of a configuration file is read: one that grows without end cannot hold the program.
constexpr std::size_t kSizeLimit = std::size_t(4) << 20;

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
bool readFile(const std::string& path, std::string& bytes)
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
    // The first read takes the size the file tells (a buffer of the bound for every small file
    // would cost more than the reading); later ones take what a file that tells no size, as in
    // /proc, or that grew meanwhile, still holds.
    // QFile reads on until it has the count asked for or meets the end, so a short read is the end.
    bytes.clear();
    std::size_t chunk = static_cast<std::size_t>(std::clamp<qint64>(file.size(), 0, kSizeLimit)) + 1;
    while (bytes.size() <= kSizeLimit) {
        const std::size_t used = bytes.size();
        const std::size_t wanted = std::min(chunk, kSizeLimit + 1 - used);
        bytes.resize(used + wanted);
        const qint64 got = file.read(bytes.data() + used, static_cast<qint64>(wanted));
        bytes.resize(used + static_cast<std::size_t>(std::max<qint64>(got, 0)));
        if (got < static_cast<qint64>(wanted)) {
            break;
        }
        chunk = std::size_t(1) << 16;
    }
    if (file.error() != QFileDevice::NoError) {
        SetLastErrorFromErrno(kAccessDenied);
        return false;
    }
    SetLastError(0);
    return true;
}

// Whether the bytes start with a UTF-16 byte-order mark, as some editors save an INI file.
bool isUtf16(std::string_view bytes)
{
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// UTF-16 text (after its byte-order mark) as the 8-bit text the reader parses: UTF-8, as names
// in this system are, which keeps every character.
std::string utf8FromUtf16(std::string_view bytes)
{
    QStringDecoder decoder(bytes.starts_with("\xFE\xFF") ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                           QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes.data() + 2, qsizetype(bytes.size()) - 2));
    return text.toUtf8().toStdString();
}

// The file's text, or no text when it cannot be read (the last error says why).
ProfileText readText(const std::string& fileName)
{
    std::string bytes;
    if (!readFile(resolvePath(fileName), bytes)) {
        return ProfileText();
    }
    bytes.resize(std::min(bytes.size(), kSizeLimit));
    return ProfileText(isUtf16(bytes) ? utf8FromUtf16(bytes) : std::move(bytes));
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

ProfileText::ProfileText(std::string bytes) : m_bytes(std::move(bytes))
{
    parse();
}

// Splits the bytes into lines at LF, CRLF or a lone CR, skipping a UTF-8 byte-order mark.
void ProfileText::parse()
{
    m_lines.clear();
    m_sections.clear();
    const std::string_view bytes = m_bytes;
    // Every line but the last ends in a CR or LF: one allocation holds them all.
    m_lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')
                                             + std::count(bytes.begin(), bytes.end(), '\r'))
                    + 1);
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
        const std::string_view whole = trim(bytes.substr(line.begin, line.end - line.begin));
        const auto span = [&bytes](std::string_view part) {
            return Span{static_cast<std::size_t>(part.data() - bytes.data()), part.size()};
        };
        if (!whole.empty()) {
            const std::size_t close = whole.front() == '[' ? whole.find(']') : std::string_view::npos;
            if (close != std::string_view::npos) {
                line.kind = LineKind::Section;
                line.name = span(trim(whole.substr(1, close - 1)));
                m_sections.push_back(m_lines.size());
            } else {
                // A line without "=" is a key with an empty value, as Windows reads it.
                const std::size_t equals = whole.find('=');
                line.kind = LineKind::Key;
                line.name = span(trim(whole.substr(0, equals)));
                if (equals != std::string_view::npos) {
                    line.value = span(unquote(trim(whole.substr(equals + 1))));
                }
            }
        }
        m_lines.push_back(line);
        pos = line.next;
    }
}

ProfileText::Found ProfileText::find(std::string_view section, std::string_view key) const
{
    constexpr std::size_t npos = std::string_view::npos;
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        const std::size_t header = m_sections[s];
        if (!equalsIgnoringCase(part(m_lines[header].name), section)) {
            continue;
        }
        // The first section of the name; its lines run to the next section.
        Found found{header, npos, header};
        const std::size_t end = s + 1 < m_sections.size() ? m_sections[s + 1] : m_lines.size();
        for (std::size_t i = header + 1; i < end; ++i) {
            if (m_lines[i].kind == LineKind::Key) {
                found.last = i;
                if (found.key == npos && equalsIgnoringCase(part(m_lines[i].name), key)) {
                    found.key = i;
                }
            }
        }
        return found;
    }
    return {npos, npos, npos};
}

std::optional<std::string_view> ProfileText::value(std::string_view section, std::string_view key) const
{
    const Found found = find(trim(section), trim(key));
    if (found.key == std::string_view::npos) {
        return std::nullopt;
    }
    return part(m_lines[found.key].value);
}

std::uint32_t ProfileText::getInt(std::string_view section, std::string_view key, int defaultValue) const
{
    // Windows reads the value through a 30-character transfer, so only 29 characters count.
    constexpr std::size_t kTransferSize = 30;
    const std::string_view text = value(section, key).value_or(std::string_view()).substr(0, kTransferSize - 1);
    if (text.empty()) {
        return static_cast<std::uint32_t>(defaultValue);
    }
    return parseInteger(text);
}

std::uint32_t ProfileText::getString(std::string_view section, std::string_view key, std::string_view defaultText,
                                     std::string& target, std::uint32_t size) const
{
    target.clear();
    if (size == 0) {
        return 0;
    }
    const std::optional<std::string_view> found = value(section, key);
    std::string_view text = defaultText;
    if (found) {
        text = *found;
    } else {
        // Windows drops the default's trailing blanks.
        while (!text.empty() && text.back() == ' ') {
            text.remove_suffix(1);
        }
    }
    target.assign(text.substr(0, size - 1));
    return static_cast<std::uint32_t>(target.size());
}

void ProfileText::write(std::string_view section, std::string_view key, std::string_view value)
{
    section = trim(section);
    key = trim(key);
    const Found found = find(section, key);
    const std::string_view bytes = m_bytes;

    // New lines take the text's own line break; a new text gets the Windows one.
    std::string_view eol = "\r\n";
    for (const Line& line : m_lines) {
        if (line.next > line.end) {
            eol = bytes.substr(line.end, line.next - line.end);
            break;
        }
    }

    std::string text(bytes);
    if (found.key != std::string_view::npos) {
        const Line& line = m_lines[found.key];
        std::string replacement(part(line.name));
        replacement.append("=").append(value);
        text.replace(line.begin, line.end - line.begin, replacement);
    } else if (found.section != std::string_view::npos) {
        // Inserted before the break of the section's last line, so the new line ends with it.
        std::string entry(eol);
        entry.append(key).append("=").append(value);
        text.insert(m_lines[found.last].end, entry);
    } else {
        if (!m_lines.empty()) {
            if (m_lines.back().next == m_lines.back().end) {
                text.append(eol);
            }
            text.append(eol);
        }
        text.append("[").append(section).append("]").append(eol);
        text.append(key).append("=").append(value).append(eol);
    }
    m_bytes = std::move(text);
    parse();
}

std::uint32_t GetPrivateProfileIntA(std::string_view section, std::string_view key,
                                    int defaultValue, const std::string& fileName)
{
    return readText(fileName).getInt(section, key, defaultValue);
}

std::uint32_t GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                       std::string_view defaultText, std::string& target,
                                       std::uint32_t size, const std::string& fileName)
{
    target.clear();
    if (size == 0) {
        return 0;
    }
    return readText(fileName).getString(section, key, defaultText, target, size);
}

int WritePrivateProfileStringA(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& fileName)
{
    const std::string path = resolvePath(fileName);
    std::string original;
    if (!readFile(path, original) && GetLastError() != kFileNotFound) {
        return 0;
    }
    // Rewriting only the part that was read would cut the file.
    if (original.size() > kSizeLimit) {
        SetLastError(EFBIG);
        return 0;
    }
    // Lines written in 8 bits would leave the file in two encodings; it is left whole instead.
    if (isUtf16(original)) {
        SetLastError(EILSEQ);
        return 0;
    }
    ProfileText profile(std::move(original));
    profile.write(section, key, value);
    const std::string& text = profile.bytes();

    // Whole or not at all: a failed write leaves the old file as it was.
    errno = 0;
    if (!writeFileWhole(path, text)) {
        SetLastErrorFromErrno(kAccessDenied);
        return 0;
    }
    SetLastError(0);
    return 1;
}
