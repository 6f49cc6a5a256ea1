#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Private-profile (INI) files with the results of the Windows functions of the same names.
//
// - Section and key names are matched without regard to ASCII letter case; blanks around
//   names and values are ignored; key names may contain blanks.
// - The first of duplicate sections or keys is the one that counts; lines before the first
//   section belong to none.
// - One pair of matching double or single quotes around a value is removed.
// - Lines end in LF, CRLF or CR; a UTF-8 byte-order mark is skipped.
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
