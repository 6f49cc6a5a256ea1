#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Private-profile (INI) files with the results of the Windows functions of the same names.
//
// - Section and key names are matched without regard to ASCII letter case; blanks around
//   names and values are ignored; key names may contain blanks.
// - The first of duplicate sections or keys is the one that counts; lines before the first
//   section belong to none.
// - One pair of matching double or single quotes around a value is removed.
// - Lines end in LF, CRLF or CR; a UTF-8 byte-order mark is skipped. A file with a UTF-16
//   byte-order mark (little or big endian) is read as its text in UTF-8, and is not written:
//   a write to it fails (EILSEQ) and leaves it whole.
// - The file name's last component is matched without regard to letter case as well.
// - Writes replace a value in place, append a new key at the end of its section and a new
//   section at the end of the file; every write is atomic (the old file stays whole when a
//   write fails).
// - Only a regular file is read or replaced (platform/fileopen.h); only its first 4 MiB are
//   read, and a write to a larger file fails (EFBIG) rather than cut it.
// - On failure the last-error code (platform/lasterror.h) holds the reason.

// Value of the key as an unsigned 32-bit integer (decimal, or 0x/0o/0b prefixed, optional sign,
// wrapping modulo 2^32, trailing text ignored, at most the first 29 characters looked at);
// `defaultValue` when the file, section or key is missing or the value is empty.
std::uint32_t GetPrivateProfileIntA(std::string_view section, std::string_view key,
                                    int defaultValue, const std::string& fileName);

// Copies the value (or `defaultText` without its trailing blanks when missing) into `target`,
// cut to `size` - 1 characters; returns the number of characters copied. A size of 0 copies
// nothing and returns 0. The last error is 2 when the file is missing, 0 after a read.
std::uint32_t GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                       std::string_view defaultText, std::string& target,
                                       std::uint32_t size, const std::string& fileName);

// Sets the key to the value, creating file, section and key as needed; new lines take the
// file's line break (CRLF in a new file). Returns nonzero on success, 0 on failure.
int WritePrivateProfileStringA(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& fileName);

// The same rules over the bytes of one file held in memory: the functions above read the file
// once into it (a missing file is no bytes), and any number of keys can be read from one reading.
// Nothing here touches a file or the last error, and no size bound applies.
class ProfileText {
public:
    explicit ProfileText(std::string bytes = {});

    const std::string& bytes() const { return m_bytes; }

    // The key's value (blanks around it and one pair of quotes removed), or nothing when the
    // section or key is missing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // What GetPrivateProfileIntA and GetPrivateProfileStringA return for a file of these bytes.
    std::uint32_t getInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::uint32_t getString(std::string_view section, std::string_view key, std::string_view defaultText,
                            std::string& target, std::uint32_t size) const;

    // Changes the bytes as WritePrivateProfileStringA changes the file.
    void write(std::string_view section, std::string_view key, std::string_view value);

private:
    // Part of the bytes, as offsets, so a copied or moved text keeps its meaning.
    struct Span {
        std::size_t pos = 0;
        std::size_t size = 0;
    };
    enum class LineKind { Other, Section, Key };
    // One line. The offsets let a write keep every other byte as it was.
    struct Line {
        std::size_t begin = 0; // first byte
        std::size_t end = 0;   // end of the text, where the line break starts
        std::size_t next = 0;  // first byte of the next line
        LineKind kind = LineKind::Other;
        Span name;  // section or key name, trimmed
        Span value; // key value, trimmed and unquoted
    };
    // Where a section and key are (line indexes, npos when absent).
    struct Found {
        std::size_t section;
        std::size_t key;
        std::size_t last; // last key line of the section, or its header
    };

    void parse();
    std::string_view part(Span span) const { return std::string_view(m_bytes).substr(span.pos, span.size); }
    Found find(std::string_view section, std::string_view key) const;

    std::string m_bytes;
    std::vector<Line> m_lines;
    std::vector<std::size_t> m_sections; // indexes of the section lines
};
