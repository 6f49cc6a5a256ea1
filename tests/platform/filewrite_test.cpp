#include "platform/filewrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>

namespace {

using namespace std::string_literals;

const std::string kEarlier = "an earlier file\n";

class FileWriteTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return QFile::encodeName(m_dir.filePath(name)).toStdString(); }
    void write(const char* name, const std::string& bytes) const
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
    }
    std::string read(const char* name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(cannot be read)";
    }
    QStringList listing() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }
    mode_t mode(const char* name) const
    {
        struct stat status {};
        ::stat(path(name).c_str(), &status);
        return status.st_mode & 07777;
    }

    QTemporaryDir m_dir;
};

TEST_F(FileWriteTest, ReplacesAFileWholeThroughItsLinksKeepingItsPermissions)
{
    write("a.txt", kEarlier);
    ::chmod(path("a.txt").c_str(), 0640);
    ASSERT_EQ(::symlink("a.txt", path("link1").c_str()), 0);
    ASSERT_EQ(::symlink("link1", path("link2").c_str()), 0);
    ASSERT_TRUE(writeFileWhole(path("link2"), "new\n"));
    EXPECT_EQ(read("a.txt"), "new\n");
    EXPECT_EQ(mode("a.txt"), 0640u);
    EXPECT_TRUE(QFileInfo(m_dir.filePath("link2")).isSymLink());

    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeFileWhole(path("b.txt"), ""));
    ::umask(mask);
    EXPECT_EQ(mode("b.txt"), 0644u);
    EXPECT_EQ(listing(), QStringList({"a.txt", "b.txt", "link1", "link2"}));
}

TEST_F(FileWriteTest, WhatIsNotARegularFileIsRefusedAndLeftAsItWas)
{
    const auto pipeBehindALink = [](const std::string& name) {
        ::mkfifo((name + "-real").c_str(), 0644);
        ::symlink((name + "-real").c_str(), name.c_str());
    };
    const struct {
        const char* what;
        std::function<void(const std::string& name)> make;
        std::string written; // beside the name made
        int error;
    } cases[] = {
        {"a folder", [](const std::string& n) { ::mkdir(n.c_str(), 0755); }, "t", EISDIR},
        {"a named pipe", [](const std::string& n) { ::mkfifo(n.c_str(), 0644); }, "t", ESPIPE},
        {"a link to a pipe", pipeBehindALink, "t", ESPIPE},
        {"a missing folder", [](const std::string&) {}, "missing/t", ENOENT},
        {"a name with a NUL byte", [](const std::string& n) { QFile(QFile::decodeName(n.c_str())).open(QIODevice::WriteOnly); }, "t\0x"s, EINVAL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(c.what));
        const std::string folder = path(c.what) + '/';
        c.make(folder + "t");
        const QStringList before = QDir(QFile::decodeName(folder.c_str())).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        errno = 0;
        EXPECT_FALSE(writeFileWhole(folder + c.written, "new\n"));
        EXPECT_EQ(errno, c.error) << std::strerror(errno);
        EXPECT_EQ(QDir(QFile::decodeName(folder.c_str())).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
    }
}

TEST_F(FileWriteTest, APairIsWrittenWholeOrNotAtAll)
{
    write("run.csv", kEarlier);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("run-hits.csv"));
    const FileContent pair[] = {{path("run.csv"), "new run\n"}, {path("run-hits.csv"), "new hits\n"}};
    EXPECT_EQ(writeFilesWhole(pair), 1u);
    EXPECT_EQ(errno, EISDIR);
    EXPECT_EQ(read("run.csv"), kEarlier);
    EXPECT_EQ(listing(), QStringList({"run-hits.csv", "run.csv"}));

    ASSERT_TRUE(QDir(m_dir.path()).rmdir("run-hits.csv"));
    EXPECT_EQ(writeFilesWhole(pair), 2u);
    EXPECT_EQ(read("run.csv"), "new run\n");
    EXPECT_EQ(read("run-hits.csv"), "new hits\n");
}

TEST_F(FileWriteTest, AWriteCutShortByAFileSizeLimitLeavesTheEarlierFile)
{
    write("a.txt", kEarlier);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    errno = 0;
    const bool written = writeFileWhole(path("a.txt"), std::string(10000, 'x'));
    const int error = errno;
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(read("a.txt"), kEarlier);
    EXPECT_EQ(listing(), QStringList({"a.txt"}));
}

} // namespace
