// Fuzzes the dialog field conversions. The input, read as UTF-8, is parsed as int, int16 and
// real and compared with a reference parser; every value that parses must survive formatting
// and parsing again. The first bytes also serve as raw int and float bits for the formatters.
#include "support.h"
#include "dialogs/dataexchange.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace {

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

// The text without the blanks (space, tab) the fields allow around a number, or nothing when
// a character outside ASCII remains (no number can contain one).
std::optional<std::string> trimmedAscii(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t')) {
        ++begin;
    }
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t')) {
        --end;
    }
    std::string ascii;
    for (qsizetype i = begin; i < end; ++i) {
        if (text[i].unicode() >= 0x80) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(text[i].unicode()));
    }
    return ascii;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reference integer reader: optional sign and decimal digits, within int.
std::optional<int> referenceInt(const std::string& text)
{
    std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    if (i == text.size()) {
        return std::nullopt;
    }
    for (std::size_t j = i; j < text.size(); ++j) {
        if (!isDigit(text[j])) {
            return std::nullopt;
        }
    }
    // from_chars takes '-' but not '+'.
    const std::size_t from = text[0] == '+' ? 1 : 0;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data() + from, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Whether the text has the form of a real: sign, digits with an optional point (or a point
// and digits), optional exponent.
bool isRealSyntax(const std::string& text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == text.size();
}

// Significant digits of the shortest decimal that reads back as the value.
int shortestDigits(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::scientific);
    int digits = 0;
    for (const char* p = buffer; p != result.ptr && *p != 'e'; ++p) {
        digits += isDigit(*p) ? 1 : 0;
    }
    return digits;
}

// A finite value formatted and parsed again: exactly the value when its shortest form has at
// most 6 significant digits; otherwise the value of the 6 digits shown, which is then stable.
void checkFloatRoundTrip(float value)
{
    const QString shown = formatFloat(value);
    const std::optional<float> again = parseFloat(shown);
    FUZZ_CHECK(again.has_value());
    if (shortestDigits(value) <= 6) {
        FUZZ_CHECK(bitsOf(*again) == bitsOf(value));
    } else {
        FUZZ_CHECK(formatFloat(*again) == shown);
        const std::optional<float> third = parseFloat(formatFloat(*again));
        FUZZ_CHECK(third.has_value() && bitsOf(*third) == bitsOf(*again));
    }
}

void checkText(const QString& text)
{
    const std::optional<std::string> trimmed = trimmedAscii(text);

    const std::optional<int> integer = parseInt(text);
    const std::optional<int> expectedInt = trimmed ? referenceInt(*trimmed) : std::nullopt;
    FUZZ_CHECK(integer == expectedInt);
    if (integer) {
        FUZZ_CHECK(parseInt(formatInt(*integer)) == integer);
    }

    const std::optional<std::int16_t> integer16 = parseInt16(text);
    if (integer && *integer >= std::numeric_limits<std::int16_t>::min()
        && *integer <= std::numeric_limits<std::int16_t>::max()) {
        FUZZ_CHECK(integer16 && *integer16 == *integer);
        FUZZ_CHECK(parseInt16(formatInt(*integer16)) == integer16);
    } else {
        FUZZ_CHECK(!integer16);
    }

    const std::optional<float> real = parseFloat(text);
    const bool realSyntax = trimmed && isRealSyntax(*trimmed);
    if (!realSyntax) {
        FUZZ_CHECK(!real);
        return;
    }
    // Read in double, then rounded once to single; beyond single precision it is refused.
    const std::string& number = *trimmed;
    const std::size_t from = number[0] == '+' ? 1 : 0;
    double wide = 0.0;
    const auto [end, error] = std::from_chars(number.data() + from, number.data() + number.size(), wide);
    FUZZ_CHECK(end == number.data() + number.size());
    if (error == std::errc::result_out_of_range) {
        // Either too large (refused) or below the smallest double (zero or nearly).
        FUZZ_CHECK(!real || std::fabs(*real) < std::numeric_limits<float>::min());
    } else {
        FUZZ_CHECK(error == std::errc());
        const float single = static_cast<float>(wide);
        if (std::isinf(single)) {
            FUZZ_CHECK(!real);
        } else {
            FUZZ_CHECK(real && bitsOf(*real) == bitsOf(single));
        }
    }
    if (real) {
        FUZZ_CHECK(std::isfinite(*real));
        checkFloatRoundTrip(*real);
    }
    if (integer) {
        FUZZ_CHECK(real && *real == static_cast<float>(*integer));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkText(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    // The first bytes as raw values: every int and every finite float must round-trip.
    std::uint8_t raw[4] = {};
    std::memcpy(raw, data, size < sizeof(raw) ? size : sizeof(raw));
    std::int32_t integer = 0;
    float real = 0.0f;
    std::memcpy(&integer, raw, sizeof(integer));
    std::memcpy(&real, raw, sizeof(real));
    FUZZ_CHECK(parseInt(formatInt(integer)) == integer);
    const auto integer16 = static_cast<std::int16_t>(integer);
    FUZZ_CHECK(parseInt16(formatInt(integer16)) == integer16);
    if (std::isfinite(real)) {
        checkFloatRoundTrip(real);
    } else {
        FUZZ_CHECK(!parseFloat(formatFloat(real))); // "nan", "inf" are not numbers to a field
    }
    // The messages take any values, NaN included.
    FUZZ_CHECK(!intRangeMessage(integer, integer16).isEmpty());
    FUZZ_CHECK(!floatRangeMessage(real, -real).isEmpty());
    return 0;
}
