#include "platform/filewrite.h"

#include "platform/fileopen.h"

#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

// Not QSaveFile: its names are QStrings (a name that is not UTF-8 cannot be written), it replaces
// a pipe or a device with a regular file, and it cannot hold one file back until another is written.
namespace {

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kLinkDepth = 40;

struct Pending {
    std::string target;
    std::string temporary;
    std::string earlier; // the target's earlier file, kept while a pair is put in place
};

std::string folderOf(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : name.substr(0, slash);
}

std::string baseOf(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// Follows the symlinks of `name` to the file a write to it stands for. A dangling link gives the
// name of the file it would create; a name whose folder is missing fails later, at the temporary.
bool followLinks(std::string& name)
{
    for (int depth = 0; depth < kLinkDepth; ++depth) {
        struct stat status {};
        if (::lstat(name.c_str(), &status) != 0) {
            return errno == ENOENT;
        }
        if (!S_ISLNK(status.st_mode)) {
            return true;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(name.c_str(), target.data(), target.size());
        if (length < 0) {
            return false;
        }
        target.resize(std::size_t(length));
        name = target.starts_with('/') ? target : folderOf(name) + '/' + target;
    }
    errno = ELOOP;
    return false;
}

void removeKeepingErrno(const std::string& name)
{
    const int reason = errno;
    ::unlink(name.c_str());
    errno = reason;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

FileSystemCalls g_calls;

// A name beside the target that no two writers share. It holds at most the first 64 bytes of the
// target's own name, so that it is no longer than a name the folder already takes.
std::string temporaryName(const std::string& target, const char* ending)
{
    constexpr std::size_t kNameBytes = 64;
    return folderOf(target) + "/." + baseOf(target).substr(0, kNameBytes) + '.'
           + std::to_string(QRandomGenerator::global()->generate()) + ending;
}

// A new file beside the target; -1 with errno set.
int createTemporary(const std::string& target, std::string& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryName(target, ".tmp");
        // 0666 as any new file: the umask takes off what the user does not give away.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Writes `bytes` into a temporary beside `target` (symlinks already followed), on the disk and
// with the target's owner and permissions; the target itself is not touched.
bool writeTemporary(const std::string& target, std::string_view bytes, std::string& temporary)
{
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        return false;
    }
    if (exists) {
        if (const int refusal = refusalFor(existing.st_mode); refusal != 0) {
            errno = refusal;
            return false;
        }
        if (::access(target.c_str(), W_OK) != 0) {
            return false;
        }
    }
    const int fd = createTemporary(target, temporary);
    if (fd < 0) {
        return false;
    }
    if (exists) {
        // Only root may give the file back to its owner; anyone else keeps the file as theirs.
        [[maybe_unused]] const int owned = ::fchown(fd, existing.st_uid, existing.st_gid);
        ::fchmod(fd, existing.st_mode & 07777);
    }
    const bool written = writeAll(fd, bytes) && g_calls.sync(fd) == 0;
    const int reason = errno;
    if (::close(fd) != 0 || !written) {
        if (!written) {
            errno = reason;
        }
        removeKeepingErrno(temporary);
        return false;
    }
    return true;
}

void removeTemporaries(const std::vector<Pending>& pending, std::size_t from)
{
    for (std::size_t i = from; i < pending.size(); ++i) {
        removeKeepingErrno(pending[i].temporary);
    }
}

// Keeps the target's earlier file under another name until the files after it are in place too:
// a second link to it, or where the folder takes no hard links (FAT), a copy. Empty for a target
// that does not exist yet.
bool keepEarlier(Pending& file)
{
    if (::access(file.target.c_str(), F_OK) != 0) {
        return errno == ENOENT;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.earlier = temporaryName(file.target, ".old");
        if (::link(file.target.c_str(), file.earlier.c_str()) == 0) {
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    QFile earlier;
    if (!openForReading(file.target, earlier)) {
        return false;
    }
    const QByteArray bytes = earlier.readAll();
    return earlier.error() == QFileDevice::NoError
           && writeTemporary(file.target, std::string_view(bytes.constData(), std::size_t(bytes.size())), file.earlier);
}

// Puts back the earlier files of the targets already replaced (a new one is removed again).
void restoreEarlier(const std::vector<Pending>& pending, std::size_t replaced)
{
    const int reason = errno;
    for (std::size_t i = 0; i < replaced; ++i) {
        if (pending[i].earlier.empty()) {
            ::unlink(pending[i].target.c_str());
        } else {
            ::rename(pending[i].earlier.c_str(), pending[i].target.c_str());
        }
    }
    errno = reason;
}

void removeEarlier(const std::vector<Pending>& pending)
{
    for (const Pending& file : pending) {
        if (!file.earlier.empty()) {
            removeKeepingErrno(file.earlier);
        }
    }
}

} // namespace

FileSystemCalls setFileSystemCalls(FileSystemCalls calls)
{
    return std::exchange(g_calls, calls);
}

std::size_t writeFilesWhole(std::span<const FileContent> files)
{
    std::vector<Pending> pending;
    for (std::size_t i = 0; i < files.size(); ++i) {
        Pending file{files[i].name, {}, {}};
        if (file.target.find('\0') != std::string::npos) {
            removeTemporaries(pending, 0);
            errno = EINVAL;
            return i;
        }
        if (!followLinks(file.target) || !writeTemporary(file.target, files[i].bytes, file.temporary)) {
            removeTemporaries(pending, 0);
            return i;
        }
        pending.push_back(std::move(file));
    }
    // Each file but the last could have to be put back when a later one cannot be renamed.
    for (std::size_t i = 0; i + 1 < pending.size(); ++i) {
        if (!keepEarlier(pending[i])) {
            removeEarlier(pending);
            removeTemporaries(pending, 0);
            return i;
        }
    }
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (g_calls.rename(pending[i].temporary.c_str(), pending[i].target.c_str()) != 0) {
            removeTemporaries(pending, i);
            restoreEarlier(pending, i);
            removeEarlier(pending);
            return i;
        }
    }
    removeEarlier(pending);
    return files.size();
}

bool writeFileWhole(const std::string& name, std::string_view bytes)
{
    const FileContent file{name, bytes};
    return writeFilesWhole(std::span(&file, 1)) == 1;
}

std::string writeFailureText(const std::string& name, int error)
{
    return name + ": " + std::strerror(error);
}
