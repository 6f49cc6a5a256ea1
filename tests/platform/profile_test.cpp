#include "common/ordinaryuser.h"
#include "hangguard.h"
#include "platform/lasterror.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The text (ASCII, or UTF-8 turned into its UTF-16 code units) in UTF-16 with its byte-order
// mark, as some editors save an INI file.
std::string utf16(const std::string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : QString::fromUtf8(text.data(), qsizetype(text.size())).toStdU16String()) {
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
    }

    std::string path(const QString& name = QStringLiteral("tav.ini")) const
    {
        return QFile::encodeName(m_dir.filePath(name)).toStdString();
    }

    void writeFile(const std::string& bytes, const QString& name = QStringLiteral("tav.ini")) const
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
                  static_cast<qint64>(bytes.size()));
    }

    std::string fileBytes(const QString& name = QStringLiteral("tav.ini")) const
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            return "<missing>";
        }
        return file.readAll().toStdString();
    }

    std::string readString(std::string_view section, std::string_view key,
                           std::uint32_t size = 256, std::string_view defaultText = "default")
    {
        std::string target = "stale";
        const std::uint32_t count =
            GetPrivateProfileStringA(section, key, defaultText, target, size, path());
        EXPECT_EQ(count, target.size());
        return target;
    }

    std::uint32_t readInt(std::string_view section, std::string_view key, int defaultValue = 77)
    {
        return GetPrivateProfileIntA(section, key, defaultValue, path());
    }

    HangGuard m_guard;
    QTemporaryDir m_dir;
};

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesDefault)
{
    SetLastError(0);
    EXPECT_EQ(readString("TAV", "Bitmapa", 15, "mapa.bmp"), "mapa.bmp");
    EXPECT_EQ(GetLastError(), 2);
    EXPECT_EQ(readInt("DefaultValues", "EndPossitionX", 560), 560u);
    EXPECT_EQ(readInt("Vozidlo", "Dlzka", -1), 0xFFFFFFFFu);

    writeFile("[TAV]\r\nDialogs=0\r\n");
    EXPECT_EQ(readString("TAV", "Bitmapa", 15, "mapa.bmp"), "mapa.bmp");
    EXPECT_EQ(GetLastError(), 0);
    EXPECT_EQ(readString("Velmora", "Dialogs"), "default");
    EXPECT_EQ(readInt("Velmora", "Dialogs", 1), 1u);
    EXPECT_EQ(readInt("TAV", "Dialogs", 1), 0u);
}

TEST_F(ProfileTest, SectionAndKeyNamesIgnoreCaseAndMayHoldBlanks)
{
    writeFile("[Vozidlo]\r\nDlzka=20\r\nRozchod kolies=2\r\n[DefaultValues]\r\ndf_Str=10\r\n");
    EXPECT_EQ(readInt("vozidlo", "dlzka"), 20u);
    EXPECT_EQ(readInt("VOZIDLO", "ROZCHOD KOLIES"), 2u);
    EXPECT_EQ(readString("defaultvalues", "DF_STR"), "10");
    // Blanks inside a name are part of it.
    EXPECT_EQ(readInt("Vozidlo", "Rozchodkolies"), 77u);
    EXPECT_EQ(readInt("Vozidlo", "Rozchod  kolies"), 77u);
}

TEST_F(ProfileTest, FileNameIgnoresCaseForReadsAndWrites)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    writeFile("[TAV]\nBitmapa=velka.bmp\n", QStringLiteral("TAV.INI"));

    std::string target;
    EXPECT_EQ(GetPrivateProfileStringA("TAV", "Bitmapa", "mapa.bmp", target, 15, "./tav.ini"), 9u);
    EXPECT_EQ(target, "velka.bmp");
    EXPECT_EQ(WritePrivateProfileStringA("TAV", "Default", "1", "./tav.ini"), 1);
    EXPECT_EQ(GetPrivateProfileIntA("TAV", "Default", 0, "./Tav.Ini"), 1u);

    EXPECT_EQ(fileBytes(QStringLiteral("TAV.INI")), "[TAV]\nBitmapa=velka.bmp\nDefault=1\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("TAV.INI")});
    ASSERT_TRUE(QDir::setCurrent(previous));
}

TEST_F(ProfileTest, FirstDuplicateSectionAndKeyCount)
{
    writeFile("[TAV]\nBitmapa=first.bmp\nbitmapa=second.bmp\n"
              "[tav]\nBitmapa=third.bmp\nDefault=0\n");
    EXPECT_EQ(readString("TAV", "Bitmapa"), "first.bmp");
    // Keys of a later section of the same name are not seen.
    EXPECT_EQ(readInt("TAV", "Default", 1), 1u);

    EXPECT_EQ(WritePrivateProfileStringA("TAV", "BITMAPA", "new.bmp", path()), 1);
    EXPECT_EQ(fileBytes(), "[TAV]\nBitmapa=new.bmp\nbitmapa=second.bmp\n"
                           "[tav]\nBitmapa=third.bmp\nDefault=0\n");
}

TEST_F(ProfileTest, ReadsLfCrlfLoneCrAndByteOrderMark)
{
    // Characters beyond Latin-1 (here š and €) in a UTF-16 file are read in UTF-8.
    const std::string map = "mapa \xC5\xA1\xE2\x82\xAC.bmp";
    const struct {
        std::string bytes;
        std::string map;
    } cases[] = {
        {"[TAV]\nDialogs=3\n[Vozidlo]\nDlzka=4", ""},
        {"[TAV]\r\nDialogs=3\r\n[Vozidlo]\r\nDlzka=4\r\n", ""},
        {"[TAV]\rDialogs=3\r[Vozidlo]\rDlzka=4\r", ""},
        {"\xEF\xBB\xBF[TAV]\r\nDialogs=3\r\nBitmapa=" + map + "\r\n[Vozidlo]\r\nDlzka=4\r\n", map},
        {utf16("[TAV]\r\nDialogs=3\r\nBitmapa=" + map + "\r\n[Vozidlo]\r\nDlzka=4\r\n", false), map},
        {utf16("[TAV]\nDialogs=3\nBitmapa=" + map + "\n[Vozidlo]\nDlzka=4", true), map},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        writeFile(c.bytes);
        EXPECT_EQ(readInt("TAV", "Dialogs"), 3u);
        EXPECT_EQ(readInt("Vozidlo", "Dlzka"), 4u);
        EXPECT_EQ(readString("Vozidlo", "Dlzka"), "4");
        EXPECT_EQ(readString("TAV", "Bitmapa", 256, ""), c.map);
    }
}

TEST_F(ProfileTest, BlanksQuotesAndOddLines)
{
    writeFile("Before=1\n"
              "  [ TAV ]  trailing text\n"
              "\t Bitmapa \t=\t mapa 2.bmp  \n"
              "Double=\"  quoted  \"\n"
              "Single='x'\n"
              "NoText=\"\"\n"
              "Mixed=\"x'\n"
              "Lone=\"\n"
              "Equals=a=b\n"
              "Flag\n"
              "Empty=\n");
    const std::pair<std::string_view, std::string> cases[] = {
        {"Bitmapa", "mapa 2.bmp"},
        {"Double", "  quoted  "},
        {"Single", "x"},
        {"NoText", ""},
        {"Mixed", "\"x'"},
        {"Lone", "\""},
        {"Equals", "a=b"},
        {"Flag", ""},
    };
    for (const auto& [key, value] : cases) {
        EXPECT_EQ(readString("TAV", key), value) << key;
    }
    // Lines before the first section belong to none.
    EXPECT_EQ(readString("", "Before"), "default");
    EXPECT_EQ(readInt("TAV", "Before"), 77u);

    // A present but empty value is read as empty text (count 0), not as the default.
    SetLastError(99);
    std::string target = "stale";
    EXPECT_EQ(GetPrivateProfileStringA("TAV", "Empty", "mapa.bmp", target, 15, path()), 0u);
    EXPECT_EQ(target, "");
    EXPECT_EQ(GetLastError(), 0);
    EXPECT_EQ(readInt("TAV", "Empty", 5), 5u);
    EXPECT_EQ(readInt("TAV", "Flag", 5), 5u);
}

TEST_F(ProfileTest, TextIsCutToTransferSize)
{
    writeFile("[TAV]\nBitmapa=abcdefghijklmnopqrst.bmp\n"
              "[DefaultValues]\ndf_Str=0.123456789012\n");
    EXPECT_EQ(readString("TAV", "Bitmapa", 15), "abcdefghijklmn");
    EXPECT_EQ(readString("DefaultValues", "df_Str", 10), "0.1234567");
    EXPECT_EQ(readString("TAV", "Bitmapa", 1), "");

    std::string target = "stale";
    EXPECT_EQ(GetPrivateProfileStringA("TAV", "Bitmapa", "x", target, 0, path()), 0u);
    EXPECT_EQ(target, "");

    // The default is cut too, after its trailing blanks are dropped.
    EXPECT_EQ(readString("TAV", "Missing", 15, "a-very-long-default.bmp"), "a-very-long-de");
    EXPECT_EQ(readString("TAV", "Missing", 15, " mapa.bmp   "), " mapa.bmp");
}

TEST_F(ProfileTest, IntegersFollowWindowsConversion)
{
    const struct {
        const char* text;
        std::uint32_t expected;
    } cases[] = {
        {"42", 42u},
        {"+7", 7u},
        {"-5", 0xFFFFFFFBu},
        {"' \t-5 '", 0xFFFFFFFBu},
        {"12abc", 12u},
        {"12 34", 12u},
        {"abc", 0u},
        {"--5", 0u},
        {"-", 0u},
        {"0x1F", 31u},
        {"0X1f", 31u},
        {"-0x10", 0xFFFFFFF0u},
        {"0xG", 0u},
        {"0o17", 15u},
        {"0o8", 0u},
        {"0b1012", 5u},
        {"010", 10u},
        {"1.9", 1u},
        {"4294967295", 0xFFFFFFFFu},
        {"4294967297", 1u},
        {"-2147483648", 0x80000000u},
        // Only the first 29 characters count: 28 zeros, then "1" of "12".
        {"000000000000000000000000000012", 1u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        writeFile(std::string("[DefaultValues]\nDosahScanerra=") + c.text + "\n");
        EXPECT_EQ(readInt("DefaultValues", "DosahScanerra", 10), c.expected);
    }
}

TEST_F(ProfileTest, NewFileGetsSectionsAndKeysInOrderWritten)
{
    const char* const writes[][3] = {
        {"Velmora", "Dialogs", "0"},
        {"Velmora", "MessageBox", "0"},
        {"TAV", "Dialogs", "0"},
        {"TAV", "Default", "1"},
        {"TAV", "Bitmapa", "mapa.bmp"},
        {"DefaultValues", "DosahScanerra", "150"},
        {"DefaultValues", "StartPossitionX", "300"},
        {"DefaultValues", "Vozik", "1"},
        {"DefaultValues", "df_Str", "10"},
        {"Vozidlo", "Dlzka", "20"},
        {"Vozidlo", "Rozchod kolies", "2"},
        {"Vozidlo", "Uhol natocenia", "0"},
    };
    const std::string expected = "[Velmora]\r\nDialogs=0\r\nMessageBox=0\r\n"
                                 "\r\n[TAV]\r\nDialogs=0\r\nDefault=1\r\nBitmapa=mapa.bmp\r\n"
                                 "\r\n[DefaultValues]\r\nDosahScanerra=150\r\n"
                                 "StartPossitionX=300\r\nVozik=1\r\ndf_Str=10\r\n"
                                 "\r\n[Vozidlo]\r\nDlzka=20\r\nRozchod kolies=2\r\n"
                                 "Uhol natocenia=0\r\n";
    for (int round = 0; round < 2; ++round) {
        for (const auto& w : writes) {
            EXPECT_EQ(WritePrivateProfileStringA(w[0], w[1], w[2], path()), 1);
        }
        // Writing everything again replaces each value: still one line per key.
        EXPECT_EQ(fileBytes(), expected);
    }
    EXPECT_EQ(readInt("Vozidlo", "Rozchod kolies"), 2u);
    EXPECT_EQ(readString("TAV", "Bitmapa", 15), "mapa.bmp");
    EXPECT_EQ(readString("DefaultValues", "df_Str", 10), "10");
}

TEST_F(ProfileTest, WriteReplacesValueKeepingEveryOtherByte)
{
    const std::string before = "; settings of the cart\n"
                               "\n"
                               "[TAV]\n"
                               "  bitmapa = \"old.bmp\"   \n"
                               "junk line without equals\n"
                               "\tDefault=1\n"
                               "\n"
                               "[Vozidlo]\n"
                               "Dlzka = 10\n";
    writeFile(before);
    EXPECT_EQ(WritePrivateProfileStringA("tav", "BITMAPA", "new.bmp", path()), 1);
    // The key keeps the spelling it has in the file.
    EXPECT_EQ(fileBytes(), "; settings of the cart\n"
                           "\n"
                           "[TAV]\n"
                           "bitmapa=new.bmp\n"
                           "junk line without equals\n"
                           "\tDefault=1\n"
                           "\n"
                           "[Vozidlo]\n"
                           "Dlzka = 10\n");
    EXPECT_EQ(readString("TAV", "Bitmapa"), "new.bmp");
}

TEST_F(ProfileTest, WriteAddsKeyAfterLastKeyOfItsSection)
{
    writeFile("[A]\r\nx=1\r\n; note\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(WritePrivateProfileStringA("A", "z", "3", path()), 1);
    EXPECT_EQ(fileBytes(), "[A]\r\nx=1\r\n; note\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");

    // A section without keys gets the key right after its header.
    writeFile("[A]\n\n[B]\ny=2\n");
    EXPECT_EQ(WritePrivateProfileStringA("A", "k", "v", path()), 1);
    EXPECT_EQ(fileBytes(), "[A]\nk=v\n\n[B]\ny=2\n");

    // A file whose last line has no line break.
    writeFile("[A]\nx=1");
    EXPECT_EQ(WritePrivateProfileStringA("A", "y", "2", path()), 1);
    EXPECT_EQ(fileBytes(), "[A]\nx=1\ny=2");
    EXPECT_EQ(WritePrivateProfileStringA("B", "k", "v", path()), 1);
    EXPECT_EQ(fileBytes(), "[A]\nx=1\ny=2\n\n[B]\nk=v\n");
}

TEST_F(ProfileTest, WriteKeepsByteOrderMarkAndLineBreaks)
{
    writeFile("\xEF\xBB\xBF[TAV]\r\nDialogs=1\r\n");
    EXPECT_EQ(WritePrivateProfileStringA("TAV", "Dialogs", "0", path()), 1);
    EXPECT_EQ(WritePrivateProfileStringA("TAV", "Default", "1", path()), 1);
    EXPECT_EQ(WritePrivateProfileStringA("Vozidlo", "Dlzka", "20", path()), 1);
    EXPECT_EQ(fileBytes(), "\xEF\xBB\xBF[TAV]\r\nDialogs=0\r\nDefault=1\r\n\r\n"
                           "[Vozidlo]\r\nDlzka=20\r\n");

    writeFile("[TAV]\nDialogs=1\n");
    EXPECT_EQ(WritePrivateProfileStringA("Vozidlo", "Dlzka", "20", path()), 1);
    EXPECT_EQ(fileBytes(), "[TAV]\nDialogs=1\n\n[Vozidlo]\nDlzka=20\n");
}

TEST_F(ProfileTest, FailedWriteReturnsZeroAndLeavesFileWhole)
{
    if (rerunAsOrdinaryUser()) {
        return;
    }
    const std::string before = "[TAV]\r\nDialogs=1\r\n";
    const QStringList original = {QStringLiteral("tav.ini")};

    // A folder that does not exist.
    SetLastError(0);
    EXPECT_EQ(WritePrivateProfileStringA("TAV", "Dialogs", "0", path("missing/tav.ini")), 0);
    EXPECT_NE(GetLastError(), 0);

    // A name that is a folder.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.ini")));
    SetLastError(0);
    EXPECT_EQ(WritePrivateProfileStringA("TAV", "Dialogs", "0", path("folder.ini")), 0);
    EXPECT_NE(GetLastError(), 0);
    ASSERT_TRUE(QDir(m_dir.path()).rmdir(QStringLiteral("folder.ini")));

    // The file system refuses the new contents half way: here a file size limit.
    writeFile(before);
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small = {1024, limit.rlim_max};
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    SetLastError(0);
    const int result =
        WritePrivateProfileStringA("TAV", "Bitmapa", std::string(4096, 'x'), path());
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, 0);
    EXPECT_NE(GetLastError(), 0);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), original);

    // A UTF-16 file would be left in two encodings.
    for (const bool bigEndian : {false, true}) {
        const std::string wide = utf16(before, bigEndian);
        writeFile(wide);
        SetLastError(0);
        EXPECT_EQ(WritePrivateProfileStringA("TAV", "Dialogs", "0", path()), 0);
        EXPECT_EQ(GetLastError(), EILSEQ);
        EXPECT_EQ(fileBytes(), wide);
    }
    writeFile(before);

    // A read-only folder.
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    SetLastError(0);
    EXPECT_EQ(WritePrivateProfileStringA("TAV", "Dialogs", "0", path()), 0);
    EXPECT_NE(GetLastError(), 0);
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), original);
}

TEST_F(ProfileTest, PipesAndDevicesAreRefusedAndLeftAsTheyAre)
{
    const struct {
        int (*make)(const std::string& path);
        int code;
        mode_t type;
    } cases[] = {
        {[](const std::string& path) { return mkfifo(path.c_str(), 0600); }, ESPIPE, S_IFIFO},
        {[](const std::string& path) { return symlink("/dev/zero", path.c_str()); }, ENODEV, S_IFLNK},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.make(path()), 0);
        SetLastError(0);
        EXPECT_EQ(readString("TAV", "Bitmapa"), "default");
        EXPECT_EQ(GetLastError(), c.code);
        EXPECT_EQ(readInt("TAV", "Dialogs"), 77u);
        SetLastError(0);
        EXPECT_EQ(WritePrivateProfileStringA("TAV", "Dialogs", "0", path()), 0);
        EXPECT_EQ(GetLastError(), c.code);
        struct stat status {};
        ASSERT_EQ(lstat(path().c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & S_IFMT, c.type);
        ASSERT_EQ(unlink(path().c_str()), 0);
    }
}

TEST_F(ProfileTest, OnlyTheFirstFourMebibytesAreRead)
{
    // The bound falls inside the value: "la" is read, "te.bmp" is not.
    const std::string head = "[TAV]\nDialogs=3\n;";
    const std::string cut = "\nBitmapa=la";
    const std::string text = head + std::string((4 << 20) - head.size() - cut.size(), 'x') + cut + "te.bmp\n";
    writeFile(text);
    EXPECT_EQ(readInt("TAV", "Dialogs"), 3u);
    EXPECT_EQ(readString("TAV", "Bitmapa"), "la");
    // Writing back only what was read would cut the file.
    SetLastError(0);
    EXPECT_EQ(WritePrivateProfileStringA("TAV", "Dialogs", "0", path()), 0);
    EXPECT_EQ(GetLastError(), EFBIG);
    EXPECT_EQ(fileBytes(), text);

    // A file far larger than memory (sparse, so it takes no disk) is read as fast as a small one.
    writeFile("[TAV]\nDialogs=4\n");
    ASSERT_TRUE(QFile(m_dir.filePath(QStringLiteral("tav.ini"))).resize(qint64(1) << 40));
    EXPECT_EQ(readInt("TAV", "Dialogs"), 4u);
}

TEST_F(ProfileTest, AFileThatTellsNoSizeIsReadWhole)
{
    // Files in /proc tell the size 0; this one holds the thread's name, which the test chooses
    // (at most 15 bytes).
    char previous[17] = {};
    ASSERT_EQ(prctl(PR_GET_NAME, previous), 0);
    ASSERT_EQ(prctl(PR_SET_NAME, "[TAV]\nDialogs=7"), 0);
    const std::string name = "/proc/thread-self/comm";
    std::string target;
    const std::uint32_t count = GetPrivateProfileStringA("tav", "dialogs", "default", target, 15, name);
    const std::uint32_t number = GetPrivateProfileIntA("TAV", "Dialogs", 77, name);
    prctl(PR_SET_NAME, previous);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(target, "7");
    EXPECT_EQ(number, 7u);
}

TEST_F(ProfileTest, HostileFilesReadWithoutHarm)
{
    // Binary garbage with NUL bytes and stray brackets.
    std::string garbage;
    std::uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        garbage.push_back(static_cast<char>(state >> 24));
    }
    garbage += std::string("[\0]\n[TAV\n=\n==\n[]\n]\n", 19);
    writeFile(garbage);
    readString("TAV", "Bitmapa", 15);
    readInt("TAV", "Dialogs");
    EXPECT_EQ(WritePrivateProfileStringA("TAV", "Bitmapa", "mapa.bmp", path()), 1);
    EXPECT_EQ(readString("TAV", "Bitmapa", 15), "mapa.bmp");
    EXPECT_EQ(fileBytes().substr(0, garbage.size()), garbage);

    // One-megabyte lines: as a value, as a key and as a section name.
    const std::string huge(1 << 20, '7');
    writeFile("[TAV]\nBitmapa=" + huge + "\n" + huge + "=1\n[" + huge + "]\nk=v\n");
    EXPECT_EQ(readString("TAV", "Bitmapa", 15), "77777777777777");
    EXPECT_EQ(readString("TAV", "Bitmapa", 1 << 21), huge);
    // 29 sevens, modulo 2^32.
    EXPECT_EQ(readInt("TAV", "Bitmapa"), 0xD1C71C71u);
    EXPECT_EQ(readString(huge, "k"), "v");
}

TEST(ProfileText, ReadsAndWritesTheBytesInMemoryByTheSameRules)
{
    ProfileText text("\xEF\xBB\xBF[TAV]\r\n Bitmapa = \"a.bmp\" \r\nDialogs=0x10\r\n; note\r\n[tav]\r\nDefault=1\r\n");
    EXPECT_EQ(text.value(" tav ", "BITMAPA"), std::optional<std::string_view>("a.bmp"));
    // Only the first section of a name counts.
    EXPECT_EQ(text.value("TAV", "Default"), std::nullopt);
    EXPECT_EQ(text.value("Velmora", "Dialogs"), std::nullopt);
    EXPECT_EQ(text.getInt("TAV", "Dialogs", 5), 16u);
    EXPECT_EQ(text.getInt("TAV", "Default", -1), 0xFFFFFFFFu);
    std::string target = "stale";
    EXPECT_EQ(text.getString("TAV", "Bitmapa", "x", target, 4), 3u);
    EXPECT_EQ(target, "a.b");
    EXPECT_EQ(text.getString("TAV", "Missing", "mapa.bmp  ", target, 15), 8u);
    EXPECT_EQ(target, "mapa.bmp");
    EXPECT_EQ(text.getString("TAV", "Bitmapa", "x", target, 0), 0u);
    EXPECT_EQ(target, "");

    // A copy keeps its own bytes and meaning when the original is written.
    const ProfileText copy = text;
    text.write("TAV", "Default", "0");
    text.write("tav", "bitmapa", "b.bmp");
    // A line without "=" is a key, so the new key comes after the note.
    EXPECT_EQ(text.bytes(), "\xEF\xBB\xBF[TAV]\r\nBitmapa=b.bmp\r\nDialogs=0x10\r\n; note\r\nDefault=0\r\n"
                            "[tav]\r\nDefault=1\r\n");
    EXPECT_EQ(text.getInt("TAV", "Default", 5), 0u);
    EXPECT_EQ(text.value("TAV", "Bitmapa"), std::optional<std::string_view>("b.bmp"));
    EXPECT_EQ(copy.value("TAV", "Bitmapa"), std::optional<std::string_view>("a.bmp"));
    EXPECT_EQ(copy.value("TAV", "Default"), std::nullopt);

    // No bytes are a missing file: every key reads as its default, and a write makes the text.
    ProfileText empty;
    EXPECT_EQ(empty.getInt("TAV", "Dialogs", 3), 3u);
    empty.write(" Vozidlo ", " Rozchod kolies ", "2");
    EXPECT_EQ(empty.bytes(), "[Vozidlo]\r\nRozchod kolies=2\r\n");
}

TEST_F(ProfileTest, TheFileFunctionsReadAndWriteWhatTheTextInMemoryDoes)
{
    const std::string before = "[A]\nx = 1\n\n[B]\ny=\"2\"";
    writeFile(before);
    ProfileText text(before);
    std::string target;
    for (const char* key : {"x", "y", "z"}) {
        for (const char* section : {"A", "B"}) {
            text.getString(section, key, "default", target, 256);
            EXPECT_EQ(readString(section, key), target);
            EXPECT_EQ(readInt(section, key), text.getInt(section, key, 77));
        }
    }
    for (const auto& [section, key, value] : {std::array<const char*, 3>{"B", "z", "3"}, {"a", "X", "4"}, {"C", "w", "5"}}) {
        EXPECT_EQ(WritePrivateProfileStringA(section, key, value, path()), 1);
        text.write(section, key, value);
        EXPECT_EQ(fileBytes(), text.bytes());
    }
    EXPECT_EQ(text.bytes(), "[A]\nx=4\n\n[B]\ny=\"2\"\nz=3\n\n[C]\nw=5\n");
}

} // namespace
