#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

// Every file the program writes whole (an export, a dump, a picture, the INI file) goes through
// here, so that a failed write never costs the user an earlier file:
// - the bytes go to a temporary file beside the target, which replaces the target only once
//   every byte is written and on the disk; any failure removes the temporary and leaves the
//   target as it was;
// - only a regular file is replaced: a folder, pipe, socket or device is refused at once and left
//   untouched, with the errno of fileopen.h (EISDIR, ESPIPE, ENODEV); a symlink is followed and
//   the file it names is written;
// - an existing file the user may not write is refused with EACCES.
// Names are bytes, passed to the system as they are; a name holding a NUL byte is refused with
// EINVAL rather than cut short.

struct FileContent {
    std::string name;
    std::string_view bytes;
};

// Writes every file whole, or replaces none: all are checked and written to their temporaries
// before the first is replaced, and where a later one cannot be put in place the earlier ones
// get their earlier files back. Returns files.size() when all were written, or the index of the
// file that failed, with errno set.
std::size_t writeFilesWhole(std::span<const FileContent> files);

// writeFilesWhole of one file; false with errno set.
bool writeFileWhole(const std::string& name, std::string_view bytes);

// The system calls that put a written file on the disk and in its place; a test replaces them to
// make them fail.
struct FileSystemCalls {
    int (*sync)(int fd) = ::fsync;
    int (*rename)(const char* from, const char* to) = ::rename;
};

// Makes the writer use `calls`; returns the calls used until now.
FileSystemCalls setFileSystemCalls(FileSystemCalls calls);

// "NAME: reason" for a failure with errno `error`, as the program's boxes and messages name it.
std::string writeFailureText(const std::string& name, int error);
