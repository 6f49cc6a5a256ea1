#include "platform/filewrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
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

    // A NUL byte would cut the name short and write another file.
    errno = 0;
    EXPECT_FALSE(writeFileWhole(path("a.txt") + "\0.tmp"s, "cut\n"));
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(read("a.txt"), "new\n");
    EXPECT_EQ(listing(), QStringList({"a.txt", "b.txt", "link1", "link2"}));
}

// Calls that fail where a row says: a sync, or the n-th rename (from 1).
int g_failingRename = 0;
int g_renames = 0;

int failingSync(int)
{
    errno = EIO;
    return -1;
}

int renameFailingOnce(const char* from, const char* to)
{
    if (++g_renames == g_failingRename) {
        errno = EPERM;
        return -1;
    }
    return ::rename(from, to);
}

TEST_F(FileWriteTest, AFileNotOnTheDiskOrNotInPlaceCostsNoEarlierFile)
{
    struct Row {
        const char* name;
        bool syncFails;
        int failingRename;
        bool firstExists;
        std::size_t failed; // the file reported
        int error;
    };
    const Row rows[] = {
        {"the data never reached the disk", true, 0, true, 0, EIO},
        {"the second of a pair cannot be put in place", false, 2, true, 1, EPERM},
        {"the second cannot, the first was new", false, 2, false, 1, EPERM},
        {"the first cannot", false, 1, true, 0, EPERM},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        if (row.firstExists) {
            write("run.csv", kEarlier);
        }
        write("run-hits.csv", kEarlier + "hits\n");
        g_renames = 0;
        g_failingRename = row.failingRename;
        const FileSystemCalls normal = setFileSystemCalls({row.syncFails ? failingSync : ::fsync, renameFailingOnce});
        const FileContent pair[] = {{path("run.csv"), "new\n"}, {path("run-hits.csv"), "new hits\n"}};
        errno = 0;
        EXPECT_EQ(writeFilesWhole(pair), row.failed);
        EXPECT_EQ(errno, row.error);
        setFileSystemCalls(normal);
        EXPECT_EQ(read("run.csv"), row.firstExists ? kEarlier : "(cannot be read)");
        EXPECT_EQ(read("run-hits.csv"), kEarlier + "hits\n");
        EXPECT_EQ(listing().size(), row.firstExists ? 2 : 1) << listing().join(' ').toStdString();
    }
}

TEST_F(FileWriteTest, TheLongestNameAFolderTakesIsWrittenEveryTime)
{
    const std::string name(255, 'n');
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(writeFileWhole(path(name.c_str()), std::to_string(i))) << std::strerror(errno);
    }
    EXPECT_EQ(read(name.c_str()), "19");
}

} // namespace
