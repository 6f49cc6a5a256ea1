#pragma once

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <signal.h>
#include <unistd.h>

// A broken rule aborts, so libFuzzer saves the input; the message names the rule.
[[noreturn]] inline void fuzzCheckFailed(const char* file, int line, const char* condition)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : fuzzCheckFailed(__FILE__, __LINE__, #condition))

// Makes a folder of this process's own for the files a target writes, in /dev/shm (memory, so
// fast) or else the temporary folder, removed at a normal exit. A crashed run cannot remove its
// folder; the next run of the target removes those of processes that are gone.
inline std::string makeScratchFolder(const std::string& target)
{
    namespace fs = std::filesystem;
    static fs::path folder;
    std::error_code error;
    const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    const std::string prefix = "tav1-fuzz-" + target + "-";
    for (const fs::directory_entry& entry : fs::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        const int pid = name.starts_with(prefix) ? std::atoi(name.c_str() + prefix.size()) : 0;
        if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH) {
            fs::remove_all(entry.path(), error);
        }
    }
    folder = base / (prefix + std::to_string(getpid()));
    fs::create_directories(folder, error);
    FUZZ_CHECK(fs::is_directory(folder));
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    });
    return folder.string();
}
