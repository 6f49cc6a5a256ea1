// Fuzzes the private-profile functions. Input layout:
//   byte 0  section: 0-3 a section the program uses, 4 a new one, 5 a name from the bytes below
//   byte 1  letter-case flips of the section name (bit i % 8 flips letter i)
//   byte 2  key: 0-14 a key the program uses, 15 a new one, 16-17 a name from the bytes below
//   byte 3  letter-case flips of the key name
//   byte 4  lengths of the section name (low nibble) and key name (high nibble) bytes below
//   byte 5  length of the value bytes below (modulo 64)
//   byte 6  bit 0: no file at all; bit 1: the file is stored as TAV.INI (names ignore case)
//   then the section name, key name and value bytes, then the file.
// Known keys are read (string and int) before and after writing the chosen key; afterwards the
// chosen key reads as written and every other key as before.
#include "platform/lasterror.h"
#include "platform/profile.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

std::string g_folder;
std::string g_path;      // the name every call is given
std::string g_upperPath; // the same file in other letter case

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void removeFolder()
{
    unlink(g_path.c_str());
    unlink(g_upperPath.c_str());
    rmdir(g_folder.c_str());
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

// What GetPrivateProfileIntA makes of a present value: the first 29 characters, optional sign,
// 0x/0X/0o/0b prefix, digits of the base up to the first other character, modulo 2^32.
std::uint32_t expectedInt(std::string_view value)
{
    if (value.empty()) {
        return static_cast<std::uint32_t>(kDefaultInt);
    }
    value = value.substr(0, 29);
    std::size_t i = 0;
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

struct Entry {
    std::string section;
    std::string key;
    std::string text;
    std::uint32_t number = 0;
};

void readEntry(Entry& entry, bool fileExists)
{
    std::string text;
    const std::uint32_t length =
        GetPrivateProfileStringA(entry.section, entry.key, kDefaultText, text, kReadSize, g_path);
    check(length == text.size() && text.size() < kReadSize);
    check(GetLastError() == (fileExists ? 0 : kFileNotFound));
    entry.text = text;
    entry.number = GetPrivateProfileIntA(entry.section, entry.key, kDefaultInt, g_path);
}

bool fileExists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char folder[] = "/dev/shm/tav1-fuzz-profile-XXXXXX";
    char fallback[] = "/tmp/tav1-fuzz-profile-XXXXXX";
    const char* made = mkdtemp(folder);
    if (made == nullptr) {
        made = mkdtemp(fallback);
    }
    check(made != nullptr);
    g_folder = made;
    g_path = g_folder + "/tav.ini";
    g_upperPath = g_folder + "/TAV.INI";
    std::atexit(removeFolder);
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
    unlink(g_path.c_str());
    unlink(g_upperPath.c_str());
    if (!noFile) {
        std::FILE* file = std::fopen((header[6] & 2) != 0 ? g_upperPath.c_str() : g_path.c_str(), "wb");
        check(file != nullptr);
        check(std::fwrite(rest.data(), 1, rest.size(), file) == rest.size());
        check(std::fclose(file) == 0);
    }

    // The keys the program reads and writes, every known key of the chosen section and the
    // chosen key in every known section: those a write could disturb by mistake. (All 60
    // combinations would make each run about three times slower.)
    std::vector<Entry> entries;
    const auto add = [&entries](std::string_view s, std::string_view k) {
        for (const Entry& entry : entries) {
            if (entry.section == s && entry.key == k) {
                return;
            }
        }
        entries.push_back({std::string(s), std::string(k), {}, 0});
    };
    for (const auto& [s, k] : kProgramKeys) {
        add(s, k);
    }
    for (const std::string_view k : kKeys) {
        add(section, k);
    }
    for (const std::string_view s : kSections) {
        add(s, key);
    }
    add(section, key);
    for (Entry& entry : entries) {
        readEntry(entry, !noFile);
    }

    check(WritePrivateProfileStringA(section, key, value, g_path) != 0);
    check(GetLastError() == 0);
    // The write goes to the file that exists, whatever its letter case, or creates the name given.
    check(fileExists((header[6] & 3) == 2 ? g_upperPath : g_path));
    check(!fileExists((header[6] & 3) == 2 ? g_path : g_upperPath));

    for (const Entry& before : entries) {
        Entry after{before.section, before.key, {}, 0};
        readEntry(after, true);
        // Names match without regard to case: a key that differs only so is the one written.
        if (equalsIgnoringCase(before.section, section) && equalsIgnoringCase(before.key, key)) {
            check(after.text == value);
            check(after.number == expectedInt(value));
        } else {
            check(after.text == before.text);
            check(after.number == before.number);
        }
    }

    if (noFile) {
        // A new file holds just the section and the key, with Windows line breaks.
        std::FILE* file = std::fopen(g_path.c_str(), "rb");
        check(file != nullptr);
        std::string bytes(4096, '\0');
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
        check(bytes == "[" + section + "]\r\n" + key + "=" + value + "\r\n");
    }
    return 0;
}
