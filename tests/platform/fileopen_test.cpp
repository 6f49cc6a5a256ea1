#include "hangguard.h"
#include "platform/fileopen.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

class FileOpenTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::string path(const std::string& name) const
    {
        return QFile::encodeName(m_dir.path()).toStdString() + "/" + name;
    }

    std::string contents(const std::string& name) const
    {
        std::FILE* file = std::fopen(path(name).c_str(), "r");
        if (file == nullptr) {
            return "<missing>";
        }
        std::string text;
        for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
            text.push_back(static_cast<char>(c));
        }
        std::fclose(file);
        return text;
    }

    void write(const std::string& name, const std::string& text) const
    {
        std::FILE* file = std::fopen(path(name).c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }

    HangGuard m_guard;
    QTemporaryDir m_dir;
};

// Each way of opening, with the errno it leaves (0 when it succeeded).
struct Outcome {
    int read = 0;
    int readQFile = 0;
    int write = 0;
};

// The errno of an open that failed, 0 for one that succeeded (its file closed again).
int failureOf(std::FILE* file)
{
    if (file == nullptr) {
        return errno;
    }
    std::fclose(file);
    return 0;
}

Outcome tryEveryOpen(const std::string& name)
{
    Outcome outcome;
    errno = 0;
    outcome.read = failureOf(openForReading(name));
    QFile qfile;
    errno = 0;
    outcome.readQFile = openForReading(name, qfile) ? 0 : errno;
    errno = 0;
    outcome.write = failureOf(openForWriting(name));
    return outcome;
}

} // namespace

TEST_F(FileOpenTest, RefusesAnythingButARegularFileWithoutWaiting)
{
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", path("zero").c_str()), 0);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(server, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = path("socket");
    ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    write("named", "kept\n");

    const struct {
        std::string name;
        int code;
    } cases[] = {{path("pipe"), ESPIPE},   {path("socket"), ESPIPE},     {path("zero"), ENODEV},
                 {"/dev/null", ENODEV},    {path("folder"), EISDIR},    {path("absent/file"), ENOENT},
                 // The system would open "named", the name up to the NUL.
                 {path("named") + std::string("\0x", 2), EINVAL}};
    for (const auto& c : cases) {
        const Outcome outcome = tryEveryOpen(c.name);
        EXPECT_EQ(outcome.read, c.code) << c.name;
        EXPECT_EQ(outcome.readQFile, c.code) << c.name;
        EXPECT_EQ(outcome.write, c.code) << c.name;
    }
    close(server);
    EXPECT_EQ(contents("named"), "kept\n");

    struct stat status {};
    ASSERT_EQ(lstat(path("pipe").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    ASSERT_EQ(lstat(path("zero").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
}

TEST_F(FileOpenTest, NeverWritesIntoAPipeThatHasAReader)
{
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    const int reader = open(path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    errno = 0;
    EXPECT_EQ(openForWriting(path("pipe")), nullptr);
    EXPECT_EQ(errno, ESPIPE);
    char byte = 0;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
}

TEST_F(FileOpenTest, RegularFilesOpenByTheirBytesAndWritesReplaceTheContents)
{
    // A name from a Windows code page: not UTF-8.
    const std::string name = "m\xE9.dat";
    write(name, "1 2\n");
    std::FILE* file = openForReading(path(name));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fgetc(file), '1');
    std::fclose(file);
    QFile qfile;
    ASSERT_TRUE(openForReading(path(name), qfile));
    EXPECT_EQ(qfile.readAll(), QByteArray("1 2\n"));

    write("old.txt", "a longer text than the new one\n");
    for (const std::string written : {"old.txt", "new.txt"}) {
        file = openForWriting(path(written));
        ASSERT_NE(file, nullptr) << written;
        std::fputs("new\n", file);
        EXPECT_EQ(std::fclose(file), 0);
        EXPECT_EQ(contents(written), "new\n");
    }
}

TEST(FileNames, AbsoluteNamesAreCleanedByteForByte)
{
    const std::string here = QFile::encodeName(QDir::currentPath()).toStdString();
    const std::pair<std::string, std::string> cases[] = {
        {"a/./b/../m\xE9.bmp", here + "/a/m\xE9.bmp"},
        {"/srv//maps/", "/srv/maps"},
        {"", here},
        {"/", "/"},
    };
    for (const auto& [name, absolute] : cases) {
        EXPECT_EQ(absoluteName(name), absolute) << name;
    }
}
