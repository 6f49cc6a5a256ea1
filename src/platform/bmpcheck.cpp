#include "platform/bmpcheck.h"

#include <QtEndian>

#include <cstdlib>

namespace {

constexpr quint32 kRgb = 0;
constexpr quint32 kRle8 = 1;
constexpr quint32 kRle4 = 2;
constexpr quint32 kBitfields = 3;
constexpr qint64 kFileHeader = 14;
constexpr qint64 kCoreHeader = 12;
constexpr qint64 kInfoHeader = 40;

struct Header {
    qint64 offset = 0;
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    quint32 compression = kRgb;
};

// Whether run-length encoded pixels reach their end marker, or at least their last row,
// inside the file. Every step consumes at least two bytes, so this ends.
bool rleComplete(const uchar* data, qint64 size, const Header& header)
{
    qint64 at = header.offset;
    qint64 rows = 0;
    while (at + 2 <= size) {
        const int count = data[at];
        const int code = data[at + 1];
        at += 2;
        if (count > 0) {
            continue;
        }
        if (code == 0) {
            ++rows;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (at + 2 > size) {
                return false;
            }
            rows += data[at + 1];
            at += 2;
        } else {
            const qint64 bytes = header.compression == kRle8 ? code : (code + 1) / 2;
            at += bytes + (bytes & 1);
            if (at > size) {
                return false;
            }
        }
    }
    return rows >= header.height - 1;
}

} // namespace

std::optional<BmpHeader> readBmpHeader(const uchar* data, qint64 size)
{
    if (data == nullptr || size < kFileHeader + kCoreHeader || data[0] != 'B' || data[1] != 'M') {
        return std::nullopt;
    }
    Header header;
    header.offset = qFromLittleEndian<quint32>(data + 10);
    const qint64 headerSize = qFromLittleEndian<quint32>(data + 14);
    if (headerSize == kCoreHeader) {
        header.width = qFromLittleEndian<quint16>(data + 18);
        header.height = qFromLittleEndian<quint16>(data + 20);
        header.bitsPerPixel = qFromLittleEndian<quint16>(data + 24);
    } else if (headerSize >= kInfoHeader && size >= kFileHeader + kInfoHeader) {
        header.width = std::abs(qint64(qFromLittleEndian<qint32>(data + 18)));
        header.height = std::abs(qint64(qFromLittleEndian<qint32>(data + 22)));
        header.bitsPerPixel = qFromLittleEndian<quint16>(data + 28);
        header.compression = qFromLittleEndian<quint32>(data + 30);
    } else {
        return std::nullopt;
    }
    BmpHeader result{header.width, header.height, true};
    if (header.compression == kRgb || header.compression == kBitfields) {
        // Rows of whole 32-bit words; compared by division, as a huge header's product would
        // overflow.
        const qint64 stride = (header.width * header.bitsPerPixel + 31) / 32 * 4;
        const qint64 available = size - header.offset;
        result.complete = available >= 0 && (stride == 0 || header.height <= available / stride);
    } else if (header.compression == kRle8 || header.compression == kRle4) {
        result.complete = rleComplete(data, size, header);
    }
    return result;
}
