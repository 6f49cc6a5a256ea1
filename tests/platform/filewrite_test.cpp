#include "platform/filewrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
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

} // namespace
