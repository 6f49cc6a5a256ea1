#include "hangguard.h"
#include "platform/bitmap.h"
#include "platform/lasterror.h"
#include "platform/surface.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

class BitmapTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return QFile::encodeName(m_dir.path()).toStdString() + "/" + name; }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(QString::fromStdString(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    HangGuard m_guard;
    QTemporaryDir m_dir;
};

QImage sample(QImage::Format format)
{
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(6, 4, qRgb(255, 0, 0));
    return image.convertToFormat(format);
}

} // namespace

TEST_F(BitmapTest, ReadsBmpByAnyNameAndOtherFormatsByContent)
{
    ASSERT_TRUE(sample(QImage::Format_Indexed8).save(QString::fromStdString(path("eight.bmp")), "BMP"));
    ASSERT_TRUE(sample(QImage::Format_RGB32).save(QString::fromStdString(path("png-named.bmp")), "PNG"));
    ASSERT_TRUE(sample(QImage::Format_Grayscale8).save(QString::fromStdString(path("grey.pgm")), "PGM"));
    for (const char* name : {"eight.bmp", "png-named.bmp", "grey.pgm"}) {
        const DibHandle dib = LoadDIBFromFile(path(name).c_str());
        ASSERT_TRUE(dib) << name;
        const BitmapHandle bitmap = BitmapFromDIB(dib);
        ASSERT_TRUE(bitmap) << name;
        EXPECT_EQ(bitmap->format(), QImage::Format_RGB32);
        EXPECT_EQ(bitmap->size(), QSize(7, 5));
    }
    const BitmapHandle colour = BitmapFromDIB(LoadDIBFromFile(path("eight.bmp").c_str()));
    EXPECT_EQ(colour->pixel(6, 4), qRgb(255, 0, 0));
    EXPECT_EQ(colour->pixel(0, 0), qRgb(10, 20, 30));

    // A name written in a Windows code page is not UTF-8; its bytes name the file.
    const std::string latin1 = path("m\xE9.bmp");
    ASSERT_EQ(std::rename(path("eight.bmp").c_str(), latin1.c_str()), 0);
    const DibHandle renamed = LoadDIBFromFile(latin1.c_str());
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->size(), QSize(7, 5));

    // The widest PGM Qt's reader takes.
    write("widest.pgm", "P5\n32767 1\n255\n" + QByteArray(32767, '\0'));
    const DibHandle widest = LoadDIBFromFile(path("widest.pgm"));
    ASSERT_TRUE(widest);
    EXPECT_EQ(widest->size(), QSize(32767, 1));
}

TEST_F(BitmapTest, FailuresSetTheirCodes)
{
    write("empty.bmp", "");
    write("text.bmp", "hello, not an image");
    QByteArray huge("BM");
    huge += QByteArray::fromHex("36000000000000003600000028000000a0860100a08601000100180000000000");
    huge += QByteArray(24, '\0');
    write("huge.bmp", huge);
    // Declared sizes of other formats come from Qt; a BMP cut short is refused before Qt fills it.
    write("huge.pgm", "P5\n20000 20000\n255\n");
    write("huge40k.pgm", "P2 # a comment\n40000\n40000 255\n");
    // Small, but wider than Qt's reader of the format takes.
    write("wide.pgm", "P5\n32768 1\n255\n" + QByteArray(32768, '\0'));
    write("tall.pbm", "P4\n1 40000\n" + QByteArray(40000, '\0'));
    QByteArray full;
    {
        QBuffer buffer(&full);
        ASSERT_TRUE(sample(QImage::Format_RGB32).save(&buffer, "BMP"));
    }
    write("truncated.bmp", full.left(full.size() - 4));
    write("whole.bmp", full);
    QDir(m_dir.path()).mkdir("folder.bmp");
    // Neither may block: a pipe nobody writes into, and a device that never ends.
    ASSERT_EQ(mkfifo(path("pipe.bmp").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", path("zero.bmp").c_str()), 0);
    const struct {
        std::string name;
        int code;
    } cases[] = {{"absent.bmp", ENOENT},         {"folder.bmp", EISDIR},          {"empty.bmp", kBitmapBadFormat},
                 {"text.bmp", kBitmapBadFormat}, {"huge.bmp", kBitmapTooLarge},   {"pipe.bmp", ESPIPE},
                 {"zero.bmp", ENODEV},           {"huge.pgm", kBitmapTooLarge},   {"truncated.bmp", kBitmapBadFormat},
                 {"huge40k.pgm", kBitmapTooLarge}, {"wide.pgm", kBitmapTooLarge}, {"tall.pbm", kBitmapTooLarge},
                 // The system would open "whole.bmp", the name up to the NUL.
                 {std::string("whole.bmp\0x", 11), EINVAL}};
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(LoadDIBFromFile(path(c.name))) << c.name;
        EXPECT_EQ(GetLastError(), c.code) << c.name;
    }
    SetLastError(0);
    EXPECT_FALSE(BitmapFromDIB(nullptr));
    EXPECT_EQ(GetLastError(), kBitmapNoBitmap);
}

TEST_F(BitmapTest, DrawCopiesUnscaledClippedAndNothingWithoutABitmap)
{
    QImage canvas(10, 8, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const BitmapHandle bitmap = std::make_shared<const QImage>(sample(QImage::Format_RGB32));
    {
        Surface dc(canvas);
        EXPECT_NE(DrawBitmap(dc, 5, 4, bitmap), 0);
        EXPECT_NE(DrawBitmap(dc, 0, 0, nullptr), 0);
    }
    EXPECT_EQ(canvas.pixel(4, 3), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(5, 4), qRgb(10, 20, 30));
    EXPECT_EQ(canvas.pixel(9, 7), qRgb(10, 20, 30));
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));
    {
        Surface dc(canvas);
        DrawBitmap(dc, -6, -4, bitmap);
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
}
