// Files larger than 2 GiB open on 32-bit targets too (their fstat fails there otherwise); no
// off_t crosses this file's interface, so the setting stays within it.
#define _FILE_OFFSET_BITS 64

#include "platform/fileopen.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

// Qt opens by QString and without a way to refuse a pipe before it blocks, so these use POSIX.
int refusalFor(mode_t mode)
{
    if (S_ISREG(mode)) {
        return 0;
    }
    if (S_ISDIR(mode)) {
        return EISDIR;
    }
    if (S_ISFIFO(mode) || S_ISSOCK(mode)) {
        return ESPIPE;
    }
    return ENODEV;
}

namespace {

void closeKeepingErrno(int fd)
{
    const int reason = errno;
    ::close(fd);
    errno = reason;
}

// open() that never waits for the other end of a pipe and keeps a descriptor only of a regular
// file. The type is taken from the opened descriptor, so the name cannot change in between.
int openRegular(const std::string& name, int flags)
{
    // The system would take the name only up to a NUL byte, and so open another file.
    if (name.find('\0') != std::string::npos) {
        errno = EINVAL;
        return -1;
    }
    const int fd = ::open(name.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        // A pipe without a reader (opened for writing) and a socket refuse with ENXIO.
        const int reason = errno;
        struct stat status {};
        const bool named = reason == ENXIO && ::stat(name.c_str(), &status) == 0 && refusalFor(status.st_mode) != 0;
        errno = named ? refusalFor(status.st_mode) : reason;
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        closeKeepingErrno(fd);
        return -1;
    }
    if (const int refusal = refusalFor(status.st_mode); refusal != 0) {
        ::close(fd);
        errno = refusal;
        return -1;
    }
    // A regular file ignores O_NONBLOCK; cleared so the descriptor is an ordinary one.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::FILE* adopt(int fd, const char* mode)
{
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, mode);
    if (file == nullptr) {
        closeKeepingErrno(fd);
    }
    return file;
}

} // namespace

bool openForReading(const std::string& name, QFile& file)
{
    const int fd = openRegular(name, O_RDONLY);
    if (fd < 0) {
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        closeKeepingErrno(fd);
        return false;
    }
    return true;
}

std::FILE* openForReading(const std::string& name)
{
    return adopt(openRegular(name, O_RDONLY), "r");
}

std::FILE* openForWriting(const std::string& name)
{
    const int fd = openRegular(name, O_WRONLY | O_CREAT);
    if (fd >= 0 && ::ftruncate(fd, 0) != 0) {
        closeKeepingErrno(fd);
        return nullptr;
    }
    return adopt(fd, "w");
}

std::string absoluteName(const std::string& name)
{
    std::error_code error;
    std::string absolute = (std::filesystem::current_path(error) / name).lexically_normal().native();
    // A folder's name ends without a slash, as Qt's cleaned paths do.
    if (absolute.size() > 1 && absolute.back() == '/') {
        absolute.pop_back();
    }
    return absolute;
}
