// Hostile sizes, run-length data and listings: every size from the file is
// checked before use, only the canvas corner is kept, and bad input is named
// briefly.
#include "dotdata/BmpDecoder.h"
#include "dotdata/DotListingReader.h"
#include "dotdata/JpegDecoder.h"
#include "dotdata/PictureDecoder.h"

#include "base/QuotedText.h"
#include "dotdata/LibJpegFiles.h"
#include "dotdata/PictureFiles.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QColor>
#include <QFile>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <climits>


using namespace testpic;

namespace {

const std::vector<QRgb> kPalette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};

// An RLE BMP of the given size and depth holding exactly these data bytes.
QByteArray RleBmp(int width, int height, int bitCount, const QByteArray& data)
{
    QByteArray b = MakeRle8Bmp(1, 1, kPalette, [](int, int) { return std::uint8_t(0); });
    b.truncate(54 + static_cast<int>(kPalette.size()) * 4);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 28, static_cast<std::uint16_t>(bitCount));
    Put32(b, 30, bitCount == 8 ? 1u : 2u);
    Put32(b, 34, static_cast<std::uint32_t>(data.size()));
    b.append(data);
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

} // namespace

TEST(HostileBmp, LargestDeclaredSizesAreRefusedWithoutOverflow)
{
    // 2^31 - 1 squared: the row arithmetic needs more than 64 bits.
    for (int bits : {24, 32}) {
        BmpFields s;
        s.bitCount = bits;
        s.valueAt = [](int, int) { return 0u; };
        for (const auto& [w, h] : std::array<std::pair<int, int>, 4>{
                 {{INT_MAX, INT_MAX}, {INT_MAX, -INT_MAX}, {INT_MAX, 2}, {1, INT_MAX}}}) {
            QByteArray b = MakeBmp(s);
            Put32(b, 18, static_cast<std::uint32_t>(w));
            Put32(b, 22, static_cast<std::uint32_t>(h));
            EXPECT_FALSE(Decode(b).IsValid()) << bits << " bits, " << w << " x " << h;
        }
    }
    // Run-length data of that size: an early end-of-bitmap escape is a whole
    // picture (the rest is the first palette colour); data that simply stops
    // is cut short.
    const DecodedPicture p = Decode(RleBmp(INT_MAX, INT_MAX, 8, QByteArray("\xFF\x01\x00\x00\x00\x01", 6)));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(INT_MAX, INT_MAX));
    EXPECT_EQ(p.pixels.size(), QSize(1024, 768));
    EXPECT_EQ(PixelAt(p, 1023, 767), 0xFF0000u);
    EXPECT_FALSE(Decode(RleBmp(INT_MAX, INT_MAX, 8, QByteArray("\x00\x02\xFF\xFF", 4))).IsValid());
}

TEST(HostileBmp, RunLengthDataKeepsOnlyTheCanvasCorner)
{
    // 2000 x 1000, bottom-up: row 999 (the first stored) is all index 1;
    // then deltas to the top row, where runs put index 2 at x 0..9 and
    // index 3 at x 1020..1029.
    QByteArray data;
    for (int x = 0; x < 2000; x += 250)
        data.append('\xFA').append('\x01');
    data.append(QByteArray("\x00\x00", 2));
    for (int row = 1; row < 999; row += 1)
        data.append(QByteArray("\x00\x00", 2));
    data.append(QByteArray("\x0A\x02\x00\x02\xFF\x00\x00\x02\xFF\x00\x00\x02\xFF\x00\x00\x02\xEB\x00\x0A\x03\x00\x01", 22));
    // 10 + 255 * 3 + 235 = 1010 ... 1020, then 10 of index 3.
    data.replace(data.size() - 22 + 16, 1, QByteArray(1, static_cast<char>(245)));
    const DecodedPicture p = Decode(RleBmp(2000, 1000, 8, data));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(2000, 1000));
    EXPECT_EQ(p.pixels.size(), QSize(1024, 768));
    EXPECT_EQ(PixelAt(p, 0, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(p, 9, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(p, 10, 0), 0xFF0000u); // skipped: the first palette colour
    EXPECT_EQ(PixelAt(p, 1019, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(p, 1020, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(p, 1023, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(p, 0, 1), 0xFF0000u);
    EXPECT_EQ(PixelAt(p, 500, 767), 0xFF0000u); // stored row 232: nothing written
}

TEST(HostileBmp, RunLengthEscapesInBothDepths)
{
    // 8 x 2 RLE4: row 1 (bottom) = run of 4 alternating 1/2, then a literal
    // run of 4 (3,0,1,2); row 0 (top), after the end of the line and a delta
    // of 5 to the right, = run of 2 of index 3.
    const QByteArray rle4("\x04\x12\x00\x04\x30\x12\x00\x00\x00\x02\x05\x00\x02\x33\x00\x01", 16);
    DecodedPicture p = Decode(RleBmp(8, 2, 4, rle4));
    ASSERT_TRUE(p.IsValid());
    const std::array<QRgb, 8> bottom = {0x00FF00, 0x0000FF, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(PixelAt(p, x, 1), bottom[static_cast<std::size_t>(x)]) << x;
    const std::array<QRgb, 8> top = {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFFFFFF, 0xFFFFFF, 0xFF0000};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(PixelAt(p, x, 0), top[static_cast<std::size_t>(x)]) << x;

    // RLE8 literal runs of odd length are padded to a 16-bit boundary.
    const QByteArray rle8("\x00\x03\x01\x02\x03\x00\x01\x01\x00\x00\x03\x02\x00\x01", 14);
    p = Decode(RleBmp(4, 2, 8, rle8));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 0, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(p, 2, 1), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(p, 3, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(p, 0, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(p, 3, 0), 0xFF0000u);

    // Data that stops inside a literal run or before its last row is cut short.
    EXPECT_FALSE(Decode(RleBmp(4, 2, 8, rle8.left(4))).IsValid());
    EXPECT_FALSE(Decode(RleBmp(4, 2, 8, QByteArray("\x04\x01\x00\x00", 4))).IsValid());
    // Ending on the last row without the end-of-bitmap escape is complete.
    EXPECT_TRUE(Decode(RleBmp(4, 2, 8, QByteArray("\x04\x01\x00\x00\x04\x02\x00\x00", 8))).IsValid());
}

TEST(HostileBmp, Rle4LiteralAndRunLengthsOneToEight)
{
    // Indices cycle 1, 2, 3 (green, blue, white) from x 0; after them a run
    // of two index 3 (white) shows that the data after the run was found at
    // the right (16-bit padded) place. Literals start at 3: shorter counts
    // are escapes.
    const std::array<QRgb, 4> colour = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (int n = 1; n <= 8; ++n) {
        for (const bool literal : {false, true}) {
            if (literal && n < 3)
                continue;
            QByteArray data;
            if (literal) {
                data.append('\0').append(static_cast<char>(n));
                for (int i = 0; i < n; i += 2)
                    data.append(static_cast<char>(((i % 3 + 1) << 4) | (i + 1 < n ? (i + 1) % 3 + 1 : 0)));
                if (data.size() % 2)
                    data.append('\0');
            } else {
                // A run repeats the two nibbles of its byte: 1, 2, 1, 2, ...
                data.append(static_cast<char>(n)).append('\x12');
            }
            data.append(QByteArray("\x02\x33\x00\x01", 4));
            const DecodedPicture p = Decode(RleBmp(16, 1, 4, data));
            ASSERT_TRUE(p.IsValid()) << n << literal;
            for (int x = 0; x < 16; ++x) {
                const int index = x < n ? (literal ? x % 3 + 1 : x % 2 + 1) : (x < n + 2 ? 3 : 0);
                EXPECT_EQ(PixelAt(p, x, 0), colour[static_cast<std::size_t>(index)]) << n << literal << " x " << x;
            }
        }
    }
}

TEST(HostileBmp, RunLengthReadingStopsWhenTheRestCannotReachTheCanvas)
{
    // 4 MB of end-of-line codes after one run of green in the first stored row.
    QByteArray lines("\x10\x01", 2);
    lines.append(QByteArray(4 << 20, '\0'));
    const auto decode = [](const QByteArray& bytes, qint64& read) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        DecodedPicture out;
        CPictureDecoder::Decode(buffer, QSize(1024, 768), out);
        read = buffer.pos();
        return out;
    };
    qint64 read = 0;
    // Top-down: below the 768 kept rows nothing can reach the canvas, so the
    // rest is not read; the kept rows are whole.
    DecodedPicture p = decode(RleBmp(16, -INT_MAX, 8, lines), read);
    ASSERT_TRUE(p.IsValid());
    EXPECT_LT(read, 1 << 20);
    EXPECT_EQ(PixelAt(p, 15, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(p, 0, 1), 0xFF0000u);
    // Bottom-up: 4 MB cannot move the pen 2^31 rows up to the kept rows, so
    // only the end of the data decides: cut short, or a whole picture of the
    // first palette colour.
    EXPECT_FALSE(decode(RleBmp(16, INT_MAX, 8, lines), read).IsValid());
    EXPECT_LT(read, 1 << 20);
    p = decode(RleBmp(16, INT_MAX, 8, lines + QByteArray("\x00\x01", 2)), read);
    ASSERT_TRUE(p.IsValid());
    EXPECT_LT(read, 1 << 20);
    EXPECT_EQ(PixelAt(p, 0, 767), 0xFF0000u);
    // Enough bytes for deltas to reach the kept rows: they are still read.
    QByteArray deltas;
    for (int i = 0; i < 200; ++i)
        deltas.append(QByteArray("\x00\x02\x00\xFF", 4)); // 51,000 rows
    p = decode(RleBmp(16, 51000 + 768, 8, deltas + QByteArray("\x03\x02\x00\x01", 4)), read);
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 2, 767), 0x0000FFu);
    EXPECT_EQ(PixelAt(p, 3, 767), 0xFF0000u);
    // Three bytes still move the pen a row (an end of line), seven bytes 256
    // rows (a delta and an end of line): exactly that far below the kept rows
    // they are read, and a run cut off after its count is cut short, though
    // the last two bytes look like the end-of-bitmap escape.
    const struct
    {
        QByteArray data;
        int rowsBelow;
    } cutRuns[] = {{QByteArray("\x00\x00\x01", 3), 1}, {QByteArray("\x00\x02\x00\xFF\x00\x00\x01", 7), 256}};
    for (const auto& c : cutRuns)
        EXPECT_FALSE(decode(RleBmp(16, 768 + c.rowsBelow, 8, c.data), read).IsValid()) << c.rowsBelow;
}

// Where the rest of the run-length data can no longer reach the kept rows,
// only its last two bytes decide; one row nearer it is still read, and a
// cut-off code is then found. Rows past the limit below the canvas, on a
// 16-wide bottom-up picture.
TEST(HostileBmp, RunLengthReadingStopsExactlyWhereTheRestCannotReach)
{
    const struct
    {
        QByteArray data;
        int rowsBelow;
        bool opens;
    } cases[] = {
        // An end of line, then a run cut after its count.
        {QByteArray("\x00\x00\x01", 3), 0, false},
        {QByteArray("\x00\x00\x01", 3), 2, true},
        // A delta of 255 rows and an end of line, then the cut run.
        {QByteArray("\x00\x02\x00\xFF\x00\x00\x01", 7), 257, true},
        // A literal of seven cut after four: six bytes move the pen 256 rows
        // at most (a delta and an end of line).
        {QByteArray("\x00\x07\x00\x00\x00\x01", 6), 256, false},
        {QByteArray("\x00\x07\x00\x00\x00\x01", 6), 257, true},
        // Three rows away: after the end of line the three bytes left move
        // the pen one row, not two, so the run and the cut code after it
        // are never read.
        {QByteArray("\x00\x00\x05\x00\x01", 5), 3, true},
        // Unreachable rows, and the data does not end with the end-of-bitmap
        // escape (only its second byte matches).
        {QByteArray("\x05\x01", 2), 1000, false},
        {QByteArray("\x00\x05", 2), 1000, false},
    };
    for (const auto& c : cases) {
        const DecodedPicture p = Decode(RleBmp(16, 768 + c.rowsBelow, 8, c.data));
        ASSERT_EQ(p.IsValid(), c.opens) << c.rowsBelow << " " << c.data.toHex().constData();
        if (c.opens) {
            EXPECT_EQ(PixelAt(p, 15, 767), 0xFF0000u) << c.rowsBelow;
        }
    }
}

// Top-down rows: data that ends right after the last kept row opens without
// the end-of-bitmap escape; one row less is cut short.
TEST(HostileBmp, TopDownRunLengthDataMayEndAfterTheLastKeptRow)
{
    const QByteArray firstRow("\x03\x02", 2);
    for (const int lines : {767, 768}) {
        const QByteArray data = firstRow + QByteArray(2 * lines, '\0');
        const DecodedPicture p = Decode(RleBmp(16, -769, 8, data));
        ASSERT_EQ(p.IsValid(), lines == 768) << lines;
        if (lines == 768) {
            EXPECT_EQ(PixelAt(p, 2, 0), 0x0000FFu);
            EXPECT_EQ(PixelAt(p, 3, 0), 0xFF0000u);
            EXPECT_EQ(PixelAt(p, 2, 767), 0xFF0000u);
        }
    }
}

// A run in a row below the canvas still moves the pen to the right, so a
// delta up into the kept rows lands after it; untouched dots take the first
// palette colour, each of its channels in its place.
TEST(HostileBmp, RunsOutsideTheCanvasMoveThePen)
{
    // Bottom-up, 769 rows: the first stored row (display row 768) is cut off.
    const QByteArray data("\x05\x01\x00\x02\x00\x01\x01\x02\x00\x01", 10);
    QByteArray b = RleBmp(16, 769, 8, data);
    b[54] = '\x56'; // first palette entry, blue green red
    b[55] = '\x34';
    b[56] = '\x12';
    const DecodedPicture p = Decode(b);
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 5, 767), 0x0000FFu);
    EXPECT_EQ(PixelAt(p, 4, 767), 0x123456u);
    EXPECT_EQ(PixelAt(p, 6, 767), 0x123456u);
    EXPECT_EQ(PixelAt(p, 0, 0), 0x123456u);
}

// Called directly, the BMP decoder checks the two letters itself.
TEST(HostileBmp, OnlyFilesStartingWithBmAreDecoded)
{
    const QByteArray good = MakeBmp24(2, 1, [](int, int) { return qRgb(255, 0, 0); });
    for (const char* magic : {"BM", "BA", "XM", "MB"}) {
        QByteArray bytes = good;
        bytes.replace(0, 2, QByteArray(magic));
        QBuffer buffer(&bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        DecodedPicture out;
        EXPECT_EQ(CBmpDecoder::Decode(buffer, QSize(16, 16), out), QByteArray(magic) == "BM") << magic;
    }
}

// Bit field masks that use the top byte, read from a 52-byte header and from
// after a 40-byte one; a single mask is enough, none at all is refused.
TEST(HostileBmp, BitFieldMasksOfEveryByteAndOfOneChannel)
{
    BmpFields s;
    s.width = 2;
    s.bitCount = 32;
    s.compression = 3;
    s.masks = {0x0000FF00u, 0x00FF0000u, 0xFF000000u}; // red, green, blue
    s.valueAt = [](int x, int) { return x ? 0x80FF0001u : 0x12345678u; };
    for (const bool inHeader : {false, true}) {
        QByteArray b = MakeBmp(s);
        if (inHeader)
            Put32(b, 14, 52);
        const DecodedPicture p = Decode(b);
        ASSERT_TRUE(p.IsValid()) << inHeader;
        EXPECT_EQ(PixelAt(p, 0, 0), 0x563412u) << inHeader;
        EXPECT_EQ(PixelAt(p, 1, 0), 0x00FF80u) << inHeader;
    }
    const struct
    {
        std::vector<std::uint32_t> masks;
        QRgb expected; // of the pixel 0x00ABCDEF
    } single[] = {
        {{0x00FF0000u, 0u, 0u}, 0xAB0000u},
        {{0u, 0x0000FF00u, 0u}, 0x00CD00u},
        {{0u, 0u, 0x000000FFu}, 0x0000EFu},
    };
    for (const auto& c : single) {
        BmpFields one = s;
        one.masks = c.masks;
        one.valueAt = [](int, int) { return 0x00ABCDEFu; };
        const DecodedPicture p = Decode(MakeBmp(one));
        ASSERT_TRUE(p.IsValid()) << std::hex << c.expected;
        EXPECT_EQ(PixelAt(p, 1, 0), c.expected);
    }
    s.masks = {0u, 0u, 0u};
    EXPECT_FALSE(Decode(MakeBmp(s)).IsValid());
}

// Without bit fields, 16 bits are 5-5-5 and 32 bits 8-8-8: every bit of
// each channel counts, the lowest included. A colour table declaring more
// colours than the depth holds uses the first ones.
TEST(HostileBmp, DefaultChannelLayoutsKeepTheirLowestBits)
{
    BmpFields blue16;
    blue16.width = 32;
    blue16.bitCount = 16;
    blue16.valueAt = [](int x, int) { return static_cast<std::uint32_t>(x); };
    const DecodedPicture ramp = Decode(MakeBmp(blue16));
    ASSERT_TRUE(ramp.IsValid());
    for (int x = 0; x < 32; ++x)
        EXPECT_EQ(PixelAt(ramp, x, 0), static_cast<QRgb>(qRound(x * 255.0 / 31))) << x;

    BmpFields rgb32;
    rgb32.width = 2;
    rgb32.bitCount = 32;
    rgb32.valueAt = [](int x, int) { return x ? 0x00FEFEFEu : 0x00010101u; };
    const DecodedPicture p32 = Decode(MakeBmp(rgb32));
    ASSERT_TRUE(p32.IsValid());
    EXPECT_EQ(PixelAt(p32, 0, 0), 0x010101u);
    EXPECT_EQ(PixelAt(p32, 1, 0), 0xFEFEFEu);

    BmpFields bits;
    bits.width = 2;
    bits.bitCount = 1;
    bits.palette = {qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)};
    bits.valueAt = [](int x, int) { return static_cast<std::uint32_t>(x); };
    const DecodedPicture p1 = Decode(MakeBmp(bits));
    ASSERT_TRUE(p1.IsValid());
    EXPECT_EQ(PixelAt(p1, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(p1, 1, 0), 0xFF0000u);
}

TEST(HostileJpeg, EmptyScansAndFloodsOfSegmentsAreRefused)
{
    const QByteArray good = MakeJpeg(MakeImage(16, 16, [](int x, int) { return qRgb(x * 16, 0, 0); }));
    ASSERT_TRUE(Decode(good).IsValid());
    const int sos = good.indexOf("\xFF\xDA");
    ASSERT_GT(sos, 0);
    const int scanStart = sos + 2 + ((static_cast<uchar>(good[sos + 2]) << 8) | static_cast<uchar>(good[sos + 3]));
    for (int fill : {1, 2, 100, 10000}) {
        const QByteArray filled = good.left(scanStart) + QByteArray(fill, '\xFF') + QByteArray("\xFF\xD9", 2);
        EXPECT_FALSE(Decode(filled).IsValid()) << fill;
    }
    // Fill bytes and empty segments before the frame are walked across
    // buffer boundaries, and the picture behind them still decodes.
    const QByteArray comment("\xFF\xFE\x00\x02", 4);
    const QByteArray padded = good.left(2) + comment.repeated(900) + QByteArray(70000, '\xFF') + good.mid(2);
    EXPECT_TRUE(Decode(padded).IsValid());
    EXPECT_FALSE(Decode(padded.left(padded.size() - good.size() + 10) + QByteArray("\xFF\xD9", 2)).IsValid());
    // A thousand segments on top of the picture's own are too many, before
    // the picture's data or after it; fewer after it still open.
    EXPECT_FALSE(Decode(good.left(2) + comment.repeated(1000) + good.mid(2)).IsValid());
    const QByteArray beforeEnd = good.left(good.size() - 2);
    EXPECT_TRUE(Decode(beforeEnd + comment.repeated(900) + QByteArray("\xFF\xD9", 2)).IsValid());
    EXPECT_FALSE(Decode(beforeEnd + comment.repeated(1000) + QByteArray("\xFF\xD9", 2)).IsValid());
    // Stuffed zero bytes carry data, RST markers do not.
    const QByteArray markers = good.left(scanStart) + QByteArray("\xFF\xD0\xFF\xD1\xFF\xFF\xD9", 7);
    EXPECT_FALSE(Decode(markers).IsValid());
}

// Sampling factors run 1 to 4 on each axis; a frame naming 0 or 5 on either is refused.
TEST(HostileJpeg, SamplingFactorsOutsideOneToFourAreRefused)
{
    const QByteArray good = MakeJpeg(MakeImage(16, 16, [](int x, int) { return qRgb(x * 16, 0, 0); }));
    const int sof = good.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    const int firstFactors = sof + 2 + 2 + 1 + 2 + 2 + 1 + 1; // marker, length, precision, sizes, count, id
    for (const char factors : {'\x10', '\x01', '\x51', '\x15', '\x00'}) {
        QByteArray bad = good;
        bad[firstFactors] = factors;
        EXPECT_FALSE(Decode(bad).IsValid()) << static_cast<int>(factors);
    }
}

namespace {

// A marker segment with 'size' bytes of contents.
QByteArray Segment(char marker, int size, char fill)
{
    QByteArray segment("\xFF", 1);
    segment.append(marker).append(static_cast<char>((size + 2) >> 8)).append(static_cast<char>((size + 2) & 0xFF));
    return segment + QByteArray(size, fill);
}

} // namespace

TEST(HostileJpeg, CommentsAndApplicationDataAreSteppedOver)
{
    // Big comments and Exif before the frame and between the scans of a
    // progressive file (holding what looks like an end marker) change no
    // pixel.
    const QImage image = MakeImage(64, 48, [](int x, int y) { return qRgb(x * 4, y * 5, 128); });
    const QByteArray bulk = Segment('\xFE', 65533, '\xD9').repeated(3) + Segment('\xE1', 65533, '\xFF');
    for (const bool progressive : {false, true}) {
        const QByteArray plain = MakeJpeg(image, progressive);
        const DecodedPicture expected = Decode(plain);
        ASSERT_TRUE(expected.IsValid());
        QByteArray padded = plain.left(2) + bulk + plain.mid(2);
        const int lastScan = static_cast<int>(padded.lastIndexOf("\xFF\xDA"));
        padded.insert(lastScan, bulk);
        const DecodedPicture p = Decode(padded);
        ASSERT_TRUE(p.IsValid()) << progressive;
        EXPECT_EQ(p.pixels, expected.pixels) << progressive;
    }
}

// Comments are left out of what the image library reads, so none of them
// comes back as the picture's text, as it would if they were read.
TEST(HostileJpeg, CommentsAreNotReadAsText)
{
    const QByteArray plain = MakeJpeg(MakeImage(16, 8, [](int x, int) { return qRgb(x * 16, 0, 0); }));
    const QByteArray comment("\xFF\xFE\x00\x07" "about", 9);
    const QByteArray commented = plain.left(2) + comment + plain.mid(2);
    ASSERT_FALSE(QImage::fromData(commented).convertToFormat(QImage::Format_BGR888).text().isEmpty());
    const DecodedPicture p = Decode(commented);
    ASSERT_TRUE(p.IsValid());
    EXPECT_TRUE(p.pixels.text().isEmpty()) << qPrintable(p.pixels.text());
}

// The JFIF header is read, not stepped over like other application data:
// the picture keeps the density it was written with (127 dots an inch).
TEST(HostileJpeg, TheJfifHeaderIsRead)
{
    QImage image = MakeImage(16, 8, [](int x, int) { return qRgb(x * 16, 0, 0); });
    image.setDotsPerMeterX(5000);
    image.setDotsPerMeterY(5000);
    const QByteArray jpeg = MakeJpeg(image);
    ASSERT_TRUE(jpeg.mid(6, 4) == "JFIF");
    const DecodedPicture p = Decode(jpeg);
    ASSERT_TRUE(p.IsValid());
    EXPECT_NEAR(p.pixels.dotsPerMeterX(), 5000, 20);
    EXPECT_NEAR(p.pixels.dotsPerMeterY(), 5000, 20);
}

TEST(HostileJpeg, ScansTimesBlocksAreBounded)
{
    // A uniform grey progressive picture of 256 x 125 blocks whose last scan
    // (a few bytes of empty blocks) comes again and again: each copy costs
    // a pass over all 32,000 blocks. 500 scans make exactly 16 million
    // block passes and open, 501 do not.
    const QByteArray plain = MakeJpeg(MakeImage(2048, 1000, [](int, int) { return qRgb(90, 90, 90); })
                                          .convertToFormat(QImage::Format_Grayscale8),
                                      true);
    const int lastScan = static_cast<int>(plain.lastIndexOf("\xFF\xDA"));
    const QByteArray last = plain.mid(lastScan, plain.size() - 2 - lastScan);
    const int scans = static_cast<int>(plain.count("\xFF\xDA"));
    ASSERT_LT(scans, 20);
    const auto withScans = [&](int total) { return plain.left(plain.size() - 2) + last.repeated(total - scans) + plain.right(2); };
    const DecodedPicture p = Decode(withScans(500));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 1023, 767), 0x5A5A5Au);
    EXPECT_FALSE(Decode(withScans(501)).IsValid());
}

namespace {

// A flat picture of one pixel value written by libjpeg itself.
QByteArray FlatJpeg(int width, int height, const std::vector<JSAMPLE>& pixel, J_COLOR_SPACE space,
                    const std::function<void(jpeg_compress_struct&)>& setUp)
{
    const auto fill = [&pixel](int, std::vector<JSAMPLE>& row) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = pixel[i % pixel.size()];
    };
    return LibJpeg(width, height, static_cast<int>(pixel.size()), space, fill, setUp);
}

// A flat grey picture written with arithmetic coding, which Qt cannot write.
QByteArray ArithmeticJpeg(int width, int height, int grey)
{
    return FlatJpeg(width, height, {static_cast<JSAMPLE>(grey)}, JCS_GRAYSCALE,
                    [](jpeg_compress_struct& info) { info.arith_code = TRUE; });
}

} // namespace

// Arithmetic coding spends far less than a bit on each block of a flat
// picture: 4,096 blocks here in well under 512 bytes. The check that a
// Huffman-coded file holds data for every block must let it through.
TEST(HostileJpeg, ArithmeticCodedFlatPicturesOpen)
{
    const QByteArray flat = ArithmeticJpeg(512, 512, 90);
    ASSERT_TRUE(flat.contains(QByteArray("\xFF\xC9", 2))); // sequential, arithmetic
    ASSERT_LT(flat.size(), 512);
    const DecodedPicture p = Decode(flat);
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 0, 0), 0x5A5A5Au);
    EXPECT_EQ(PixelAt(p, 511, 511), 0x5A5A5Au);
}

// A file that stops before its end marker was cut short, even when its scan
// data is whole; an arithmetic-coded one too, whose data may be too short to
// tell on its own.
TEST(HostileJpeg, AFileWithoutItsEndMarkerIsRefused)
{
    const QByteArray huffman = MakeJpeg(MakeImage(16, 16, [](int x, int) { return qRgb(x * 16, 0, 0); }));
    const QByteArray arithmetic = ArithmeticJpeg(64, 64, 90);
    for (const QByteArray& whole : {huffman, arithmetic}) {
        ASSERT_TRUE(whole.endsWith(QByteArray("\xFF\xD9", 2)));
        ASSERT_TRUE(Decode(whole).IsValid());
        EXPECT_FALSE(Decode(whole.left(whole.size() - 2)).IsValid());
        EXPECT_FALSE(Decode(whole.left(whole.size() - 1)).IsValid());
    }
}

// A Huffman-coded scan needs at least a bit for each block: a flat grey
// picture of 9 x 8 blocks (one-symbol tables: each block is two zero bits)
// whose data is replaced by 9 zero bytes, 72 bits, opens (the decoder may
// make of them what it can); 8 bytes do not.
TEST(HostileJpeg, HuffmanDataOfABitABlockIsEnough)
{
    const QByteArray flat = FlatJpeg(72, 64, {90}, JCS_GRAYSCALE, [](jpeg_compress_struct& info) { info.optimize_coding = TRUE; });
    const int sos = static_cast<int>(flat.indexOf("\xFF\xDA"));
    ASSERT_GT(sos, 0);
    const int scanStart = sos + 2 + ((static_cast<uchar>(flat[sos + 2]) << 8) | static_cast<uchar>(flat[sos + 3]));
    ASSERT_TRUE(Decode(flat).IsValid());
    for (const int bytes : {9, 8}) {
        const QByteArray thin = flat.left(scanStart) + QByteArray(bytes, '\0') + QByteArray("\xFF\xD9", 2);
        const DecodedPicture p = Decode(thin);
        EXPECT_EQ(p.IsValid(), bytes == 9) << bytes;
    }
}

// Red, green and blue planes marked only by the Adobe header (no JFIF
// header, components numbered 1, 2, 3 as in a YCbCr file): the header is
// read, not stepped over like other application data, so the colour comes
// out as stored. Read as YCbCr it would be a bright green (77, 255, 44).
TEST(HostileJpeg, TheAdobeHeaderSaysHowTheColoursAreCoded)
{
    const QByteArray rgb = FlatJpeg(16, 16, {200, 40, 40}, JCS_RGB, [](jpeg_compress_struct& info) {
        jpeg_set_colorspace(&info, JCS_RGB);
        for (int i = 0; i < 3; ++i)
            info.comp_info[i].component_id = i + 1;
    });
    ASSERT_TRUE(rgb.contains(QByteArray("\xFF\xEE\x00\x0E" "Adobe", 9)));
    ASSERT_FALSE(rgb.contains("JFIF"));
    const DecodedPicture p = Decode(rgb);
    ASSERT_TRUE(p.IsValid());
    const QRgb c = PixelAt(p, 8, 8);
    EXPECT_NEAR(qRed(c), 200, 3);
    EXPECT_NEAR(qGreen(c), 40, 3);
    EXPECT_NEAR(qBlue(c), 40, 3);
}

// Restart markers belong to the picture's data, whichever of the eight they
// are: a restart after every block (over a thousand of each) is no flood of
// segments.
TEST(HostileJpeg, RestartMarkersAreNotSegments)
{
    const QByteArray restarts = FlatJpeg(1024, 512, {90}, JCS_GRAYSCALE,
                                         [](jpeg_compress_struct& info) { info.restart_interval = 1; });
    ASSERT_GT(restarts.count(QByteArray("\xFF\xD7", 2)), 1000);
    const DecodedPicture p = Decode(restarts);
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 1023, 511), 0x5A5A5Au);
}

TEST(HostileJpeg, FilesUpToTheSizeCapOpen)
{
    // A valid picture made exactly 64 MB long by fill bytes before its frame
    // (which no other check counts) opens with its pixels; one byte more is
    // refused by the cap alone.
    constexpr qsizetype kCap = qsizetype{64} << 20;
    const QByteArray plain = MakeJpeg(MakeImage(64, 48, [](int x, int y) { return qRgb(x * 4, y * 5, 128); }));
    const DecodedPicture expected = Decode(plain);
    ASSERT_TRUE(expected.IsValid());
    const auto padded = [&plain](qsizetype size) {
        return plain.left(2) + QByteArray(size - plain.size(), '\xFF') + plain.mid(2);
    };
    const DecodedPicture atCap = Decode(padded(kCap));
    ASSERT_TRUE(atCap.IsValid());
    EXPECT_EQ(atCap.pixels, expected.pixels);
    EXPECT_FALSE(Decode(padded(kCap + 1)).IsValid());
}

// A PNG made exactly 64 MB long by bytes after its end opens; one byte more
// is refused by the cap alone.
TEST(HostilePng, FilesUpToTheSizeCapOpen)
{
    constexpr qsizetype kCap = qsizetype{64} << 20;
    const QByteArray plain = MakePng(MakeImage(16, 8, [](int x, int) { return qRgb(x * 16, 0, 0); }));
    ASSERT_FALSE(plain.isEmpty());
    const DecodedPicture atCap = Decode(plain + QByteArray(kCap - plain.size(), '\0'));
    ASSERT_TRUE(atCap.IsValid());
    EXPECT_EQ(PixelAt(atCap, 15, 7), 0xF00000u);
    EXPECT_FALSE(Decode(plain + QByteArray(kCap + 1 - plain.size(), '\0')).IsValid());
}

TEST(HostileListing, BlockNumbersNearTheIntLimitAreNamedErrors)
{
    CDotListingReader reader;
    for (const char* entry : {"2147483647-1-1-R", "2147483647-8-8-R", "2147483648-1-1-R", "268435457-1-1-R",
                              "12289-1-1-R", "99999999999999999999-1-1-R"}) {
        EXPECT_FALSE(reader.Read(QStringLiteral("1-1-1-R\n%1\n").arg(entry), 1024, 768)) << entry;
        EXPECT_TRUE(reader.Error().startsWith("line 2: '")) << reader.Error().toStdString();
        EXPECT_TRUE(reader.Dots().empty());
    }
    // The last block of a full canvas is its bottom-right corner.
    ASSERT_TRUE(reader.Read(QStringLiteral("12288-8-8-W"), 1024, 768));
    EXPECT_EQ(reader.Dots()[0].x, 1023);
    EXPECT_EQ(reader.Dots()[0].y, 767);
    EXPECT_EQ(reader.Dots()[0].colorIndex, 5);
}

TEST(HostileListing, JunkIsQuotedShortAndEscaped)
{
    CDotListingReader reader;
    QByteArray junk("1-1-1-R, ");
    junk += QByteArray("x\r\0", 3).repeated(1000);
    QBuffer buffer(&junk);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(reader.Read(buffer, 1024, 768));
    EXPECT_TRUE(reader.Error().startsWith("line 1: 'x\\r\\0x\\r\\0")) << reader.Error().toStdString();
    EXPECT_LT(reader.Error().size(), 200);
    EXPECT_FALSE(reader.Error().contains(QChar(0)));
    EXPECT_FALSE(reader.Error().contains(QLatin1Char('\r')));

    // The same junk beyond the line cap is quoted from the line's start.
    junk += QByteArray("x\r\0", 3).repeated(2000);
    QBuffer longer(&junk);
    longer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(reader.Read(longer, 1024, 768));
    EXPECT_TRUE(reader.Error().startsWith("line 1: '1-1-1-R, x\\r\\0x")) << reader.Error().toStdString();
    EXPECT_LT(reader.Error().size(), 200);

    // An entry of 100 characters is cut at 60.
    EXPECT_FALSE(reader.Read(QString(100, QLatin1Char('7')), 8, 8));
    EXPECT_TRUE(reader.Error().contains(QString(60, QLatin1Char('7')) + QStringLiteral("...'")));
    EXPECT_FALSE(reader.Error().contains(QString(61, QLatin1Char('7'))));
}

TEST(HostileListing, LinesAndListingsHaveCaps)
{
    CDotListingReader reader;
    // A line of kMaxLineBytes is read, whatever its end or none; one byte
    // more is too long, also as the last line without an end.
    QString line = QStringLiteral("1-1-1-R");
    line += QString(CDotListingReader::kMaxLineBytes - line.size(), QLatin1Char(' '));
    ASSERT_EQ(line.size(), CDotListingReader::kMaxLineBytes);
    for (const char* end : {"", "\n", "\r\n"}) {
        const QString next = *end ? QStringLiteral("1-1-2-G\n") : QString(); // a line without an end is the last
        EXPECT_TRUE(reader.Read(line + QLatin1String(end) + next, 8, 8)) << reader.Error().toStdString();
        EXPECT_FALSE(reader.Read(QLatin1Char(' ') + line + QLatin1String(end), 8, 8)) << QByteArray(end).size();
        EXPECT_TRUE(reader.Error().startsWith("line 1:"));
        EXPECT_TRUE(reader.Error().contains("too long"));
    }

    // A dot, then blank lines up to the cap of a full listing; one byte more
    // and the listing is refused with none of its dots kept.
    const QByteArray blankLine = QByteArray(CDotListingReader::kMaxLineBytes - 1, ' ') + '\n';
    QByteArray blanks = QByteArray("1-1-1-R") + blankLine.mid(7)
        + blankLine.repeated(CDotListingReader::kMaxBytes / blankLine.size() - 1);
    blanks.append(QByteArray(CDotListingReader::kMaxBytes % blankLine.size(), '\n'));
    ASSERT_EQ(blanks.size(), CDotListingReader::kMaxBytes);
    QBuffer buffer(&blanks);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_TRUE(reader.Read(buffer, 8, 8));
    EXPECT_EQ(reader.Dots().size(), 1u);
    blanks.append('\n');
    QBuffer over(&blanks);
    over.open(QIODevice::ReadOnly);
    EXPECT_FALSE(reader.Read(over, 8, 8));
    EXPECT_TRUE(reader.Error().contains("longer than"));
    EXPECT_TRUE(reader.Dots().empty());
}

TEST(HostilePictureFile, OnlyRegularFilesAreDecodedAndFailuresSayWhy)
{
    CScratchDir dir;
    const QString fifo = dir.FilePath("fifo.bmp");
    ASSERT_TRUE(MakeFifo(fifo));
    const QString junk = dir.FilePath("junk.bmp");
    ASSERT_TRUE(WriteAll(junk, "BM not really"));
    const QString good = dir.FilePath("good.bmp");
    ASSERT_TRUE(WriteAll(good, MakeBmp24(9, 2, [](int x, int) { return x ? qRgb(0, 0, 0) : qRgb(255, 0, 0); })));

    DecodedPicture p;
    QString why;
    EXPECT_FALSE(CPictureDecoder::DecodeFile(fifo, QSize(1024, 768), p, why));
    EXPECT_EQ(why, QStringLiteral("'%1' is not a regular file").arg(CQuotedText::Quote(fifo)));
    EXPECT_FALSE(CPictureDecoder::DecodeFile(QStringLiteral("/dev/zero"), QSize(1024, 768), p, why));
    EXPECT_EQ(why, QStringLiteral("'/dev/zero' is not a regular file"));
    EXPECT_FALSE(CPictureDecoder::DecodeFile(junk, QSize(1024, 768), p, why));
    EXPECT_TRUE(why.endsWith("is not a BMP, PNG or JPEG picture that can be read"));
    EXPECT_FALSE(p.IsValid());
    ASSERT_TRUE(CPictureDecoder::DecodeFile(good, QSize(1024, 768), p, why));
    EXPECT_TRUE(why.isEmpty());
    EXPECT_EQ(p.size, QSize(9, 2));
    EXPECT_EQ(PixelAt(p, 0, 1), 0xFF0000u);
}

TEST(HostileJpeg, BrokenMarkerStructureBeforeTheScanIsRefused)
{
    const QByteArray good = MakeJpeg(MakeImage(16, 8, [](int x, int) { return qRgb(x * 16, 0, 0); }));
    const DecodedPicture expected = Decode(good);
    ASSERT_TRUE(expected.IsValid());
    const int sof = good.indexOf("\xFF\xC0");
    const int sos = good.indexOf("\xFF\xDA");
    ASSERT_GT(sof, 0);
    ASSERT_GT(sos, sof);
    const QByteArray head = good.left(2);
    const QByteArray rest = good.mid(2);

    // Stray markers without a length before the frame (the first and last
    // restart, the arithmetic coder's temporary marker) are stepped over.
    for (const char marker : {'\xD0', '\xD7', '\x01'}) {
        const DecodedPicture restart = Decode(head + QByteArray("\xFF", 1) + QByteArray(1, marker) + rest);
        ASSERT_TRUE(restart.IsValid()) << int(static_cast<uchar>(marker));
        EXPECT_EQ(restart.pixels, expected.pixels);
    }

    // A second frame naming another size: the library refuses it too.
    QByteArray otherFrame = good.mid(sof, 2 + ((static_cast<uchar>(good[sof + 2]) << 8) | static_cast<uchar>(good[sof + 3])));
    otherFrame[5] = '\x00';
    otherFrame[6] = '\x20'; // height 32
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"a byte that starts no marker", head + QByteArray(1, '\x00') + rest},
        {"end marker before the scan", head + QByteArray("\xFF\xD9", 2) + rest},
        {"frame header of four bytes", head + QByteArray("\xFF\xC0\x00\x06\x08\x00\x08\x00", 8) + rest},
        {"scan before the frame", head + good.mid(sos, 14) + rest},
        {"no scan at all", good.left(sos)},
        {"two frames of different sizes", good.left(sos) + otherFrame + good.mid(sos)},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(Decode(bytes).IsValid()) << name;

    // No room to keep a pixel, on either axis.
    for (const QSize limit : {QSize(0, 768), QSize(1024, 0)})
        EXPECT_FALSE(Decode(good, limit).IsValid()) << limit.width() << "x" << limit.height();
}

// A PNG is decoded whole before it is cut to the canvas: 2,896 x 2,896 at
// four bytes a pixel fits the 32 MB it may take, one more column or row
// does not, even in grey. A PNG cut short inside its pixel data is refused.
TEST(HostilePng, PicturesPastTheDecodeCapOrCutShortAreRefused)
{
    const struct
    {
        int width, height;
        bool opens;
    } sizes[] = {{2896, 2896, true}, {2897, 2896, false}, {2896, 2897, false}, {1, 1, true}};
    for (const auto& s : sizes) {
        // Grey, which the library would hold in a byte a pixel: the cap
        // counts four whatever the file's own depth.
        QImage image(s.width, s.height, QImage::Format_Grayscale8);
        image.fill(40);
        image.setPixelColor(s.width - 1, 0, QColor(200, 200, 200));
        const DecodedPicture p = Decode(MakePng(image), QSize(4096, 4096));
        ASSERT_EQ(p.IsValid(), s.opens) << s.width << " x " << s.height;
        if (!s.opens)
            continue;
        EXPECT_EQ(p.size, QSize(s.width, s.height));
        EXPECT_EQ(PixelAt(p, s.width - 1, 0), 0xC8C8C8u);
        EXPECT_EQ(PixelAt(p, 0, s.height - 1), s.width > 1 ? 0x282828u : 0xC8C8C8u);
    }

    QImage noise(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) * 4 % 256));
    const QByteArray whole = MakePng(noise);
    ASSERT_TRUE(Decode(whole).IsValid());
    EXPECT_FALSE(Decode(whole.left(whole.size() / 2)).IsValid());
}

namespace {

// The marker segments of a JPEG file up to and including its first scan
// header, walked here one length at a time.
int SegmentsBeforeScan(const QByteArray& jpeg)
{
    int segments = 0;
    for (int pos = 2; pos + 4 <= jpeg.size();) {
        const auto marker = static_cast<uchar>(jpeg[pos + 1]);
        ++segments;
        if (marker == 0xDA)
            return segments;
        pos += 2 + ((static_cast<uchar>(jpeg[pos + 2]) << 8) | static_cast<uchar>(jpeg[pos + 3]));
    }
    return -1;
}

} // namespace

// A thousand marker segments in all open, one more does not: counted before
// the frame, and after the picture's data.
TEST(HostileJpeg, AThousandSegmentsOpenOneMoreDoesNot)
{
    const QByteArray good = MakeJpeg(MakeImage(16, 16, [](int x, int) { return qRgb(x * 16, 0, 0); }));
    const int own = SegmentsBeforeScan(good);
    ASSERT_GT(own, 3);
    const QByteArray comment("\xFF\xFE\x00\x02", 4);
    const QByteArray end("\xFF\xD9", 2);
    const QByteArray beforeEnd = good.left(good.size() - 2);
    for (const int total : {1000, 1001}) {
        const QByteArray before = good.left(2) + comment.repeated(total - own) + good.mid(2);
        const QByteArray after = beforeEnd + comment.repeated(total - own) + end;
        EXPECT_EQ(Decode(before).IsValid(), total == 1000) << total << " before the frame";
        EXPECT_EQ(Decode(after).IsValid(), total == 1000) << total << " after the data";
    }
}

namespace {

// A progressive picture with these bytes put in just before its second scan
// decodes to the same pixels as without them.
void ExpectTheSameWithBytesBeforeTheSecondScan(const QByteArray& inserted)
{
    const QImage picture = MakeImage(32, 16, [](int x, int y) { return qRgb(x * 8, y * 16, 255 - x * 8); });
    const QByteArray plain = MakeJpeg(picture, true);
    const QByteArray sos("\xFF\xDA", 2);
    const qsizetype secondScan = plain.indexOf(sos, plain.indexOf(sos) + 2);
    ASSERT_GT(secondScan, 0);
    QByteArray changed = plain;
    changed.insert(secondScan, inserted);
    const DecodedPicture expected = Decode(plain);
    const DecodedPicture got = Decode(changed);
    ASSERT_TRUE(expected.IsValid());
    ASSERT_TRUE(got.IsValid());
    EXPECT_EQ(got.pixels, expected.pixels);
}

} // namespace

// A comment between the scans of a progressive picture is left out whole:
// the picture is the same as without it, even when the comment's last bytes
// look like the end of the picture.
TEST(HostileJpeg, ACommentBetweenScansIsSkippedWhole)
{
    const QByteArray payload("note\xFF\xD9\xFF\xD9", 8);
    ExpectTheSameWithBytesBeforeTheSecondScan(QByteArray("\xFF\xFE\x00", 3) + static_cast<char>(2 + payload.size())
                                              + payload);
}

// Comments of 510 bytes between the scans (their length's high byte in
// use) are stepped over whole: the marker-like bytes inside them, 4,064 in
// all, are not counted as segments, and the picture is unchanged.
TEST(HostileJpeg, LongCommentsBetweenScansAreSteppedOverWhole)
{
    const QByteArray comment = QByteArray("\xFF\xFE\x01\xFE", 4) + QByteArray("\xFF\x01", 2).repeated(254);
    ExpectTheSameWithBytesBeforeTheSecondScan(comment.repeated(16));
}

// A progressive grey picture of 768 x 512 blocks keeps exactly 48 MB of
// coefficients and opens; one more block row or column (769 or 513 blocks)
// is refused. A baseline picture never holds them all, so the larger one
// opens.
TEST(HostileJpeg, CoefficientsUpToTheCapOpen)
{
    const auto grey = [](int width, int height, bool progressive) {
        QImage image(width, height, QImage::Format_Grayscale8);
        image.fill(90);
        return MakeJpeg(image, progressive);
    };
    const DecodedPicture atCap = Decode(grey(6144, 4096, true));
    ASSERT_TRUE(atCap.IsValid());
    EXPECT_EQ(atCap.size, QSize(6144, 4096));
    EXPECT_EQ(PixelAt(atCap, 1023, 767), 0x5A5A5Au);
    EXPECT_FALSE(Decode(grey(6152, 4096, true)).IsValid());
    EXPECT_FALSE(Decode(grey(6144, 4104, true)).IsValid());
    const DecodedPicture baseline = Decode(grey(6152, 4104, false));
    ASSERT_TRUE(baseline.IsValid());
    EXPECT_EQ(baseline.size, QSize(6152, 4104));
}

// Sampling factors of 4, the largest there is, on either axis, open in
// their colour.
TEST(HostileJpeg, SamplingFactorsOfFourOpen)
{
    for (const bool across : {true, false}) {
        const QByteArray jpeg = FlatJpeg(32, 32, {40, 90, 200}, JCS_RGB, [across](jpeg_compress_struct& info) {
            info.comp_info[0].h_samp_factor = across ? 4 : 1;
            info.comp_info[0].v_samp_factor = across ? 1 : 4;
        });
        const DecodedPicture p = Decode(jpeg);
        ASSERT_TRUE(p.IsValid()) << across;
        const QRgb c = PixelAt(p, 31, 31);
        EXPECT_NEAR(qRed(c), 40, 4) << across;
        EXPECT_NEAR(qGreen(c), 90, 4) << across;
        EXPECT_NEAR(qBlue(c), 200, 4) << across;
    }
}

// Called directly, the JPEG decoder also refuses a limit with no room on
// either axis, and says so.
TEST(HostileJpeg, NoRoomToKeepAPixelIsRefused)
{
    const QByteArray good = MakeJpeg(MakeImage(16, 8, [](int x, int) { return qRgb(x * 16, 0, 0); }));
    for (const QSize limit : {QSize(0, 768), QSize(1024, 0), QSize(16, 8)}) {
        QBuffer buffer;
        buffer.setData(good);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        DecodedPicture out;
        EXPECT_EQ(CJpegDecoder::Decode(buffer, limit, out), !limit.isEmpty()) << limit.width() << "x" << limit.height();
        EXPECT_EQ(out.IsValid(), !limit.isEmpty());
    }
}

// Arithmetic-coded progressive files are bounded like Huffman-coded ones: a
// grey one of 256 x 128 blocks whose last scan comes again up to 489 scans
// in all is refused.
TEST(HostileJpeg, ArithmeticProgressiveScansAreBounded)
{
    const QByteArray plain = FlatJpeg(2048, 1024, {90}, JCS_GRAYSCALE, [](jpeg_compress_struct& info) {
        info.arith_code = TRUE;
        jpeg_simple_progression(&info);
    });
    ASSERT_TRUE(plain.contains(QByteArray("\xFF\xCA", 2)));
    ASSERT_TRUE(Decode(plain).IsValid());
    const int lastScan = static_cast<int>(plain.lastIndexOf("\xFF\xDA"));
    const QByteArray last = plain.mid(lastScan, plain.size() - 2 - lastScan);
    const int scans = static_cast<int>(plain.count("\xFF\xDA"));
    ASSERT_LT(scans, 20);
    EXPECT_FALSE(Decode(plain.left(plain.size() - 2) + last.repeated(489 - scans) + plain.right(2)).IsValid());
}

// A colour picture of 375 x 375 blocks in each of three components keeps
// 54 MB of coefficients when its components come in scans of their own, and
// is refused; with all three in one scan only the kept rows are decoded,
// and it opens.
TEST(HostileJpeg, ComponentsInScansOfTheirOwnAreBounded)
{
    const auto flat = [](bool ownScans) {
        // One scan a component; it must live until the file is written.
        jpeg_scan_info scans[3];
        for (int i = 0; i < 3; ++i)
            scans[i] = jpeg_scan_info{1, {i, 0, 0, 0}, 0, 63, 0, 0};
        return FlatJpeg(3000, 3000, {40, 90, 200}, JCS_RGB, [ownScans, &scans](jpeg_compress_struct& info) {
            for (int i = 0; i < 3; ++i) {
                info.comp_info[i].h_samp_factor = 1;
                info.comp_info[i].v_samp_factor = 1;
            }
            if (ownScans) {
                info.scan_info = scans;
                info.num_scans = 3;
            }
        });
    };
    const DecodedPicture interleaved = Decode(flat(false));
    ASSERT_TRUE(interleaved.IsValid());
    EXPECT_EQ(interleaved.size, QSize(3000, 3000));
    const QRgb c = PixelAt(interleaved, 1023, 767);
    EXPECT_NEAR(qRed(c), 40, 4);
    EXPECT_NEAR(qBlue(c), 200, 4);
    const QByteArray separate = flat(true);
    ASSERT_EQ(separate.count(QByteArray("\xFF\xDA", 2)), 3);
    EXPECT_FALSE(Decode(separate).IsValid());
}
