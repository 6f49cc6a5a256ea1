#include "batch/script.h"

#include "platform/fileopen.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// UTF-16 and UTF-32 start with a byte-order mark, or, without one, hold a NUL byte beside the
// first character of a line of ASCII text.
bool isWideText(const QByteArray& text)
{
    return text.startsWith("\xff\xfe") || text.startsWith("\xfe\xff")
        || (text.size() >= 2 && (text.at(0) == '\0' || text.at(1) == '\0'));
}

// At most kScriptLimit + 1 bytes of `file`, enough to know a script is too long; nothing
// when reading fails (errno says why).
std::optional<QByteArray> readLimited(QFile& file)
{
    constexpr qint64 kChunk = qint64(1) << 20;
    QByteArray text;
    while (text.size() <= kScriptLimit) {
        const qsizetype had = text.size();
        text.resize(had + kChunk);
        errno = 0;
        const qint64 got = file.read(text.data() + had, kChunk);
        if (got < 0) {
            errno = errno != 0 ? errno : EIO;
            return std::nullopt;
        }
        text.resize(had + got);
        if (got == 0) {
            break;
        }
    }
    text.squeeze();
    return text;
}

} // namespace

std::variant<QByteArray, QString> readScript(const std::string& name)
{
    QFile file;
    errno = 0;
    const bool opened = name == "-" ? file.open(stdin, QIODevice::ReadOnly) : openForReading(name, file);
    if (!opened) {
        return QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO));
    }
    const QString tooLarge = QStringLiteral("larger than %1 MiB").arg(kScriptLimit >> 20);
    if (name != "-" && file.size() > kScriptLimit) {
        return tooLarge;
    }
    const std::optional<QByteArray> text = readLimited(file);
    if (!text) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (text->size() > kScriptLimit) {
        return tooLarge;
    }
    if (isWideText(*text)) {
        return QStringLiteral("not UTF-8 text (it looks like UTF-16 or UTF-32)");
    }
    return *text;
}

ScriptReader::ScriptReader(QByteArray text) : m_text(std::move(text))
{
    if (m_text.startsWith("\xef\xbb\xbf")) {
        m_position = 3;
    }
}

std::optional<ScriptLine> ScriptReader::next()
{
    while (m_position < m_text.size()) {
        qsizetype end = m_text.indexOf('\n', m_position);
        end = end < 0 ? m_text.size() : end;
        const QByteArrayView line = QByteArrayView(m_text).sliced(m_position, end - m_position);
        m_position = end + 1;
        ++m_number;
        qsizetype first = 0;
        while (first < line.size() && isBlank(line.at(first))) {
            ++first;
        }
        if (first == line.size() || line.at(first) == '#') {
            continue;
        }
        ScriptLine parsed;
        for (qsizetype at = first; at < line.size();) {
            if (isBlank(line.at(at))) {
                ++at;
                continue;
            }
            qsizetype wordEnd = at;
            while (wordEnd < line.size() && !isBlank(line.at(wordEnd))) {
                ++wordEnd;
            }
            parsed.words.append(line.sliced(at, wordEnd - at).toByteArray());
            at = wordEnd;
        }
        parsed.number = m_number;
        parsed.command = parsed.words.takeFirst();
        return parsed;
    }
    return std::nullopt;
}
