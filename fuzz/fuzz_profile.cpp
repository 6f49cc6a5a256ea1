// Fuzzes the private-profile rules on text in memory (ProfileText), and now and then the file
// functions over the same text. Input layout:
//   byte 0  section: 0-3 a section the program uses, 4 a new one, 5 a name from the bytes below
//   byte 1  letter-case flips of the section name (bit i % 8 flips letter i)
//   byte 2  key: 0-14 a key the program uses, 15 a new one, 16-17 a name from the bytes below
//   byte 3  letter-case flips of the key name
//   byte 4  lengths of the section name (low nibble) and key name (high nibble) bytes below
//   byte 5  length of the value bytes below (modulo 64)
//   byte 6  bit 0: no text (no file at all); bits 1-3 all set: the file functions too, with the
//           file stored as TAV.INI when bit 4 is set (names ignore case)
//   then the section name, key name and value bytes, then the text.
// Known keys are read (string and int) before and after writing the chosen key: each reads as a
// reference reader of the bytes says, and afterwards the chosen key reads as written and every
// other key as before. The file functions must read and write what the text in memory does.
#include "support.h"
#include "platform/lasterror.h"
#include "platform/profile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::array<std::string_view, 4> kSections = {"Velmora", "TAV", "DefaultValues", "Vozidlo"};
constexpr std::array<std::string_view, 15> kKeys = {
    "Dialogs", "MessageBox", "Default", "Bitmapa", "DosahScanerra", "StartPossitionX",
    "StartPossitionY", "EndPossitionX", "EndPossitionY", "MinVzdialenost", "Vozik", "df_Str",
    "Dlzka", "Rozchod kolies", "Uhol natocenia"};
// The keys the program itself reads or writes.
constexpr std::pair<std::string_view, std::string_view> kProgramKeys[] = {
    {"Velmora", "Dialogs"}, {"Velmora", "MessageBox"}, {"TAV", "Dialogs"}, {"TAV", "Default"},
    {"TAV", "Bitmapa"}, {"DefaultValues", "DosahScanerra"}, {"DefaultValues", "StartPossitionX"},
    {"DefaultValues", "StartPossitionY"}, {"DefaultValues", "EndPossitionX"},
    {"DefaultValues", "EndPossitionY"}, {"DefaultValues", "MinVzdialenost"},
    {"DefaultValues", "Vozik"}, {"DefaultValues", "df_Str"}, {"Vozidlo", "Dlzka"},
    {"Vozidlo", "Rozchod kolies"}, {"Vozidlo", "Uhol natocenia"}};
constexpr std::size_t kHeaderSize = 7;
constexpr std::uint32_t kReadSize = 1000;
// Defaults no value can equal: values read from the file never hold a control character here.
constexpr std::string_view kDefaultText = "\x01missing";
constexpr int kDefaultInt = -7;
constexpr int kFileNotFound = 2;

std::string g_path;      // the name every file function is given
std::string g_upperPath; // the same file in other letter case

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text)
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

std::string flipCase(std::string_view name, std::uint8_t mask)
{
    std::string flipped(name);
    for (std::size_t i = 0; i < flipped.size(); ++i) {
        const char c = flipped[i];
        if (((mask >> (i % 8)) & 1) != 0 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            flipped[i] = static_cast<char>(c ^ 0x20);
        }
    }
    return flipped;
}

// A name the writer can round-trip: letters, digits and inner blanks.
std::string nameFrom(std::string_view bytes)
{
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ";
    std::string name;
    for (const char byte : bytes) {
        name.push_back(kAlphabet[static_cast<unsigned char>(byte) % kAlphabet.size()]);
    }
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "X";
    }
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

// A value the writer can round-trip: printable ASCII, no blank at either end, not enclosed in
// a pair of matching quotes (the reader would remove them).
std::string valueFrom(std::string_view bytes)
{
    std::string value;
    for (const char byte : bytes) {
        value.push_back(static_cast<char>(0x20 + static_cast<unsigned char>(byte) % 95));
    }
    const std::size_t first = value.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    value = value.substr(first, value.find_last_not_of(' ') - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value.front() = 'q';
    }
    return value;
}

// What GetPrivateProfileIntA makes of a present value: the first 29 characters, blanks, sign,
// 0x/0X/0o/0b prefix, digits of the base up to the first other character, modulo 2^32.
std::uint32_t expectedInt(std::string_view value)
{
    if (value.empty()) {
        return static_cast<std::uint32_t>(kDefaultInt);
    }
    value = value.substr(0, 29);
    std::size_t i = 0;
    while (i < value.size() && isBlank(value[i])) {
        ++i;
    }
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    std::uint32_t base = 10;
    if (value.substr(i, 2) == "0x" || value.substr(i, 2) == "0X") {
        base = 16;
    } else if (value.substr(i, 2) == "0o") {
        base = 8;
    } else if (value.substr(i, 2) == "0b") {
        base = 2;
    }
    if (base != 10) {
        i += 2;
    }
    std::uint64_t result = 0;
    for (; i < value.size(); ++i) {
        const char c = asciiLower(value[i]);
        const std::uint32_t digit = c >= '0' && c <= '9' ? std::uint32_t(c - '0')
            : c >= 'a' && c <= 'z'                       ? std::uint32_t(c - 'a' + 10)
                                                         : base;
        if (digit >= base) {
            break;
        }
        result = (result * base + digit) % (std::uint64_t(1) << 32);
    }
    const auto wrapped = static_cast<std::uint32_t>(result);
    return negative ? 0u - wrapped : wrapped;
}

struct Key {
    std::string section;
    std::string key;
};

struct Reading {
    std::string text;
    std::uint32_t number = 0;
};

// The keys a run reads: those the program reads and writes, every known key of the chosen
// section and the chosen key in every known section (those a write could disturb by mistake),
// and the chosen key itself. A key listed twice is read twice: cheaper than looking for it.
// Arrays, not vectors: under AddressSanitizer, allocations are what a run spends most on.
constexpr std::size_t kKeyCount = std::size(kProgramKeys) + kKeys.size() + kSections.size() + 1;
using Keys = std::array<Key, kKeyCount>;
using Readings = std::array<Reading, kKeyCount>;
using Values = std::array<std::optional<std::string_view>, kKeyCount>;

// The values of the keys as the text gives them, by the rules in platform/profile.h,
// read independently of the module in one pass over the lines: nothing where the section or
// key is missing.
Values referenceValues(std::string_view bytes, const Keys& keys)
{
    enum class State { Before, In, After }; // the first section of the key's section name
    std::array<State, kKeyCount> states;
    states.fill(State::Before);
    Values values;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        const std::string_view line = trimBlanks(bytes.substr(0, end));
        bytes.remove_prefix(end);
        bytes.remove_prefix(bytes.starts_with("\r\n") ? 2 : std::min<std::size_t>(bytes.size(), 1));
        if (line.empty()) {
            continue;
        }
        const std::size_t close = line.find(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            // Only the first section of the name counts.
            const std::string_view name = trimBlanks(line.substr(1, close - 1));
            for (std::size_t i = 0; i < keys.size(); ++i) {
                if (states[i] == State::In) {
                    states[i] = State::After;
                } else if (states[i] == State::Before && equalsIgnoringCase(name, keys[i].section)) {
                    states[i] = State::In;
                }
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string_view name = trimBlanks(line.substr(0, equals));
        std::string_view value = equals == std::string_view::npos ? std::string_view() : trimBlanks(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        // Only the first key of the name counts.
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (states[i] == State::In && !values[i] && equalsIgnoringCase(name, keys[i].key)) {
                values[i] = value;
            }
        }
    }
    return values;
}

// Reads the keys from the text (string and int), checking each against the reference reading
// of its bytes.
void readKeys(const Keys& keys, const ProfileText& profile, Readings& readings)
{
    const Values values = referenceValues(profile.bytes(), keys);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Key& key = keys[i];
        Reading& reading = readings[i];
        const std::uint32_t length = profile.getString(key.section, key.key, kDefaultText, reading.text, kReadSize);
        FUZZ_CHECK(length == reading.text.size() && reading.text.size() < kReadSize);
        reading.number = profile.getInt(key.section, key.key, kDefaultInt);

        const std::optional<std::string_view>& value = values[i];
        const std::string_view expectedText = value ? value->substr(0, kReadSize - 1) : kDefaultText;
        const std::uint32_t expectedNumber = value ? expectedInt(*value) : static_cast<std::uint32_t>(kDefaultInt);
        if (reading.text != expectedText || reading.number != expectedNumber) {
            std::fprintf(stderr, "[%s] %s reads \"%s\" (%u), the text says \"%s\" (%u)\n", key.section.c_str(),
                         key.key.c_str(), reading.text.c_str(), reading.number, std::string(expectedText).c_str(),
                         expectedNumber);
        }
        FUZZ_CHECK(reading.text == expectedText);
        FUZZ_CHECK(reading.number == expectedNumber);
    }
}

std::string readBytes(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    FUZZ_CHECK(file != nullptr);
    std::string bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof(buffer), file)) > 0;) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    return bytes;
}

bool fileExists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::string folder = makeScratchFolder("profile");
    g_path = folder + "/tav.ini";
    g_upperPath = folder + "/TAV.INI";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::array<std::uint8_t, kHeaderSize> header = {};
    for (std::size_t i = 0; i < kHeaderSize && i < size; ++i) {
        header[i] = data[i];
    }
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    rest.remove_prefix(size < kHeaderSize ? size : kHeaderSize);
    const auto take = [&rest](std::size_t count) {
        const std::string_view part = rest.substr(0, count);
        rest.remove_prefix(part.size());
        return part;
    };
    const std::string_view sectionBytes = take(header[4] & 0x0F);
    const std::string_view keyBytes = take(header[4] >> 4);
    const std::string value = valueFrom(take(header[5] % 64));

    const int sectionChoice = header[0] % 6;
    const std::string section = flipCase(sectionChoice < 4 ? kSections[sectionChoice]
                                             : sectionChoice == 4 ? "New Section"
                                                                  : nameFrom(sectionBytes),
                                         header[1]);
    const int keyChoice = header[2] % 18;
    const std::string key = flipCase(keyChoice < 15 ? kKeys[keyChoice]
                                         : keyChoice == 15 ? "New Key"
                                                           : nameFrom(keyBytes),
                                     header[3]);

    const bool noFile = (header[6] & 1) != 0;
    const std::string_view original = noFile ? std::string_view() : rest;

    Keys keys;
    std::size_t count = 0;
    for (const auto& [s, k] : kProgramKeys) {
        keys[count++] = {std::string(s), std::string(k)};
    }
    for (const std::string_view k : kKeys) {
        keys[count++] = {section, std::string(k)};
    }
    for (const std::string_view s : kSections) {
        keys[count++] = {std::string(s), key};
    }
    const std::size_t chosen = count;
    keys[count++] = {section, key};
    FUZZ_CHECK(count == kKeyCount);

    ProfileText profile{std::string(original)};
    Readings before;
    readKeys(keys, profile, before);
    profile.write(section, key, value);
    Readings after;
    readKeys(keys, profile, after);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // Names match without regard to case: a key that differs only so is the one written.
        const bool written = equalsIgnoringCase(keys[i].section, section) && equalsIgnoringCase(keys[i].key, key);
        const std::string& expectedText = written ? value : before[i].text;
        const std::uint32_t expectedNumber = written ? expectedInt(value) : before[i].number;
        if (after[i].text != expectedText || after[i].number != expectedNumber) {
            std::fprintf(stderr, "[%s] %s reads \"%s\" (%u), expected \"%s\" (%u), after writing [%s] %s=%s\n",
                         keys[i].section.c_str(), keys[i].key.c_str(), after[i].text.c_str(), after[i].number,
                         expectedText.c_str(), expectedNumber, section.c_str(), key.c_str(), value.c_str());
        }
        FUZZ_CHECK(after[i].text == expectedText);
        FUZZ_CHECK(after[i].number == expectedNumber);
    }
    if (original.empty()) {
        // A new text holds just the section and the key, with Windows line breaks.
        FUZZ_CHECK(profile.bytes() == "[" + section + "]\r\n" + key + "=" + value + "\r\n");
    }

    // One input in eight also goes through a file: reading the chosen key and writing it give
    // what the text in memory gives.
    // A file that starts as UTF-16 is read decoded and never written, as the profile tests show.
    if ((header[6] & 0x0E) != 0x0E || rest.starts_with("\xFF\xFE") || rest.starts_with("\xFE\xFF")) {
        return 0;
    }
    const bool upperName = (header[6] & 0x10) != 0;
    unlink(g_path.c_str());
    unlink(g_upperPath.c_str());
    if (!noFile) {
        std::FILE* file = std::fopen(upperName ? g_upperPath.c_str() : g_path.c_str(), "wb");
        FUZZ_CHECK(file != nullptr);
        FUZZ_CHECK(std::fwrite(rest.data(), 1, rest.size(), file) == rest.size());
        FUZZ_CHECK(std::fclose(file) == 0);
    }
    std::string text;
    FUZZ_CHECK(GetPrivateProfileStringA(section, key, kDefaultText, text, kReadSize, g_path) == text.size());
    FUZZ_CHECK(GetLastError() == (noFile ? kFileNotFound : 0));
    FUZZ_CHECK(text == before[chosen].text);
    FUZZ_CHECK(GetPrivateProfileIntA(section, key, kDefaultInt, g_path) == before[chosen].number);
    FUZZ_CHECK(WritePrivateProfileStringA(section, key, value, g_path) != 0);
    FUZZ_CHECK(GetLastError() == 0);
    // The write goes to the file that exists, whatever its letter case, or creates the name given.
    const bool upperWritten = upperName && !noFile;
    FUZZ_CHECK(fileExists(upperWritten ? g_upperPath : g_path));
    FUZZ_CHECK(!fileExists(upperWritten ? g_path : g_upperPath));
    FUZZ_CHECK(readBytes(upperWritten ? g_upperPath : g_path) == profile.bytes());
    return 0;
}
