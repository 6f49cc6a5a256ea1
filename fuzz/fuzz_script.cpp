// Fuzzes the batch script parser: line numbers are 1-based, strictly increasing and within the
// script; commands and words are non-empty and contain no blank.
#include "support.h"
#include "batch/script.h"

#include <QByteArray>

#include <cstdint>

namespace {

// The characters the parser separates words at, and the line break.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\f' || c == u'\v' || c == u'\n';
}

void checkWord(const QString& word)
{
    FUZZ_CHECK(!word.isEmpty());
    for (const QChar c : word) {
        FUZZ_CHECK(!isBlank(c));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::vector<ScriptLine> lines = parseScript(text);
    const qsizetype lineCount = text.count('\n') + 1;
    int previous = 0;
    for (const ScriptLine& line : lines) {
        FUZZ_CHECK(line.number > previous && line.number <= lineCount);
        previous = line.number;
        checkWord(line.command);
        FUZZ_CHECK(!line.command.startsWith(u'#'));
        for (const QString& word : line.words) {
            checkWord(word);
        }
    }
    return 0;
}
