#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>

class QFile;

// Every file the program reads or writes by name must be a regular file: a named pipe blocks
// the open or the first read, a device such as /dev/zero never ends, and neither may be written
// into. Anything else is refused at open, without blocking, with errno saying why:
//   EISDIR  a folder
//   ESPIPE  a named pipe (FIFO) or a socket
//   ENODEV  a character or block device
//   EINVAL  a name with a NUL byte (the system would read it only up to the NUL)
// Any other failure keeps the errno of open() (ENOENT, EACCES, ...). Names are bytes, passed to
// the system as they are, so a name that is not UTF-8 still opens its file.

// The errno that refuses a file of this type (a stat() mode), 0 for a regular file.
int refusalFor(mode_t mode);

// Opens `file` (not yet open) on the regular file for reading; false with errno set.
bool openForReading(const std::string& name, QFile& file);

// fopen(name, "r") of a regular file; null with errno set.
std::FILE* openForReading(const std::string& name);

// fopen(name, "w") of a regular file: created when missing; an existing one is emptied only
// once it is known to be regular. Null with errno set.
std::FILE* openForWriting(const std::string& name);

// The name made absolute against the working directory and cleaned of "." and "..", byte for
// byte (Qt's path functions would decode it, and lose what is not UTF-8).
std::string absoluteName(const std::string& name);
