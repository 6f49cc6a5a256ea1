#include "platform/fileopen.h"

#include <sys/stat.h>

#include <cerrno>

std::FILE* openForReading(const std::string& name)
{
    std::FILE* file = std::fopen(name.c_str(), "r");
    if (file == nullptr) {
        return nullptr;
    }
    struct stat status {};
    if (fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return nullptr;
    }
    return file;
}
