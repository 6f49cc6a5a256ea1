// Fuzzes the batch script parser: line numbers are 1-based, strictly increasing and within the
// script; commands and words are non-empty and contain no blank.
#include "support.h"
#include "batch/script.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace {

// The characters the parser separates words at, and the line break.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v' || c == '\n';
}

void checkWord(const QByteArray& word)
{
    FUZZ_CHECK(!word.isEmpty());
    for (const char c : word) {
        FUZZ_CHECK(!isBlank(c));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype lineCount = text.count('\n') + 1;
    int previous = 0;
    ScriptReader script(text);
    for (std::optional<ScriptLine> next = script.next(); next; next = script.next()) {
        const ScriptLine& line = *next;
        FUZZ_CHECK(line.number > previous && line.number <= lineCount);
        previous = line.number;
        checkWord(line.command);
        FUZZ_CHECK(!line.command.startsWith('#'));
        for (const QByteArray& word : line.words) {
            checkWord(word);
        }
    }
    return 0;
}
