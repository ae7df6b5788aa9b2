#include "dotdata/PictureDecoder.h"

#include "dotdata/PictureFiles.h"
#include "dotdata/SkippingDevice.h"
#include "TestSupport.h"

#include <QBuffer>

#include <array>

#include <gtest/gtest.h>

using namespace testpic;

namespace {

const QSize kLimit(1024, 768);

QRgb Checker(int x, int y)
{
    return (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
}

// A 2 x 1 BMP with the 12-byte header of old files (16-bit sizes, 3-byte
// palette entries): one bit a pixel, green then red.
QByteArray CoreBmp()
{
    QByteArray core(14 + 12 + 6 + 4, '\0');
    core[0] = 'B';
    core[1] = 'M';
    Put32(core, 10, 14 + 12 + 6);
    Put32(core, 14, 12);
    Put16(core, 18, 2);  // width
    Put16(core, 20, 1);  // height
    Put16(core, 22, 1);  // planes
    Put16(core, 24, 1);  // bits a pixel
    core[27] = static_cast<char>(255); // entry 0: green
    core[31] = static_cast<char>(255); // entry 1: red
    core[32] = static_cast<char>(0x40); // pixels 0, 1
    return core;
}

} // namespace

TEST(PictureDecoder, ReadsEveryBmpDepthAsBlueGreenRed)
{
    const std::vector<QRgb> palette = {qRgb(0, 0, 255), qRgb(255, 0, 0), qRgb(188, 143, 143), qRgb(0, 255, 0)};
    auto index = [](int x, int y) { return static_cast<std::uint32_t>((x + 2 * y) % 4); };
    auto expectIndexed = [&](int bitCount, int colors) {
        BmpFields s;
        s.width = 13;
        s.height = 5;
        s.bitCount = bitCount;
        s.palette.assign(palette.begin(), palette.begin() + colors);
        s.valueAt = [&](int x, int y) { return index(x, y) % static_cast<std::uint32_t>(colors); };
        const DecodedPicture p = Decode(MakeBmp(s));
        ASSERT_TRUE(p.IsValid()) << bitCount;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(PixelAt(p, x, y), palette[index(x, y) % colors] & 0xFFFFFF) << bitCount << " " << x << "," << y;
    };
    expectIndexed(1, 2);
    expectIndexed(4, 4);
    expectIndexed(8, 4);

    // A table of six colours: indices 6 and up, which it does not reach, read
    // as black.
    BmpFields shortTable;
    shortTable.width = 9;
    shortTable.bitCount = 8;
    shortTable.palette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                          qRgb(255, 255, 0), qRgb(188, 143, 143), qRgb(255, 255, 255)};
    shortTable.valueAt = [](int x, int) { return static_cast<std::uint32_t>(x < 8 ? x : 255); };
    const DecodedPicture past = Decode(MakeBmp(shortTable));
    ASSERT_TRUE(past.IsValid());
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(PixelAt(past, x, 0), x < 6 ? shortTable.palette[static_cast<std::size_t>(x)] & 0xFFFFFF : 0u) << x;

    // 16 bits: the default 5-5-5 layout, then 5-6-5 bit fields.
    for (const std::array<std::uint32_t, 3>& masks :
         {std::array<std::uint32_t, 3>{0x7C00u, 0x03E0u, 0x001Fu}, std::array<std::uint32_t, 3>{0xF800u, 0x07E0u, 0x001Fu}}) {
        BmpFields s16;
        s16.width = 3;
        s16.bitCount = 16;
        if (masks[0] == 0xF800u) {
            s16.compression = 3;
            s16.masks.assign(masks.begin(), masks.end());
        }
        s16.valueAt = [&](int x, int) { return masks[static_cast<std::size_t>(x)]; };
        const DecodedPicture p = Decode(MakeBmp(s16));
        ASSERT_TRUE(p.IsValid());
        EXPECT_EQ(PixelAt(p, 0, 0), 0xFF0000u);
        EXPECT_EQ(PixelAt(p, 1, 0), 0x00FF00u);
        EXPECT_EQ(PixelAt(p, 2, 0), 0x0000FFu);
    }

    // Every 5-bit level is stretched to the nearest 8-bit one: level x is
    // x * 255 / 31 rounded (7 gives 57.58, so 58), red rising as green falls.
    BmpFields levels;
    levels.width = 32;
    levels.bitCount = 16;
    levels.valueAt = [](int x, int) { return static_cast<std::uint32_t>(x << 10 | (31 - x) << 5); };
    const DecodedPicture ramp = Decode(MakeBmp(levels));
    ASSERT_TRUE(ramp.IsValid());
    for (int x = 0; x < 32; ++x) {
        const QRgb expected = qRgb(qRound(x * 255.0 / 31), qRound((31 - x) * 255.0 / 31), 0) & 0xFFFFFF;
        EXPECT_EQ(PixelAt(ramp, x, 0), expected) << "level " << x;
    }

    // 32 bits with an alpha byte: the alpha is dropped, the colour kept exactly.
    BmpFields s32;
    s32.width = 2;
    s32.height = 1;
    s32.bitCount = 32;
    s32.valueAt = [](int x, int) { return x ? 0x00BC8F8Fu : 0x80FF7F00u; };
    const DecodedPicture p = Decode(MakeBmp(s32));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 0, 0), 0xFF7F00u);
    EXPECT_EQ(PixelAt(p, 1, 0), 0xBC8F8Fu);

    // Bit fields with an alpha mask (compression 6) read through their own
    // masks, here red in the low byte and blue above green.
    for (const std::uint32_t compression : {3u, 6u}) {
        BmpFields masked = s32;
        masked.compression = compression;
        masked.masks = {0x000000FFu, 0x0000FF00u, 0x00FF0000u};
        masked.valueAt = [](int x, int) { return x ? 0xAA123456u : 0x00FF7F00u; };
        const DecodedPicture m = Decode(MakeBmp(masked));
        ASSERT_TRUE(m.IsValid()) << "compression " << compression;
        EXPECT_EQ(PixelAt(m, 0, 0), 0x007FFFu) << "compression " << compression;
        EXPECT_EQ(PixelAt(m, 1, 0), 0x563412u) << "compression " << compression;
    }
}

TEST(PictureDecoder, BmpRowOrderPaddingAndOldHeader)
{
    // 10 pixels wide: 30 bytes of pixels, 32 bytes per row in the file.
    auto colour = [](int x, int y) { return qRgb(x * 20, y * 40, 7); };
    DecodedPicture p = Decode(MakeBmp24(10, 4, colour));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(10, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(PixelAt(p, x, y), colour(x, y) & 0xFFFFFF) << x << "," << y;

    BmpFields topDown;
    topDown.width = 2;
    topDown.height = -2;
    topDown.valueAt = [](int x, int y) { return static_cast<std::uint32_t>(Checker(x, y) & 0xFFFFFF); };
    p = Decode(MakeBmp(topDown));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(2, 2));
    EXPECT_EQ(PixelAt(p, 0, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(p, 1, 0), 0xFF0000u);

    // The 12-byte header of old files: 16-bit sizes, 3-byte palette entries.
    p = Decode(CoreBmp());
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(p, 1, 0), 0xFF0000u);
}

TEST(PictureDecoder, RunLengthBmpIsDecoded)
{
    // 4 x 2, 8 bits: each row one run of four pixels, then end of line / bitmap.
    const QByteArray rle("\x04\x01\x00\x00\x04\x02\x00\x01", 8);
    QByteArray b(54 + 3 * 4 + rle.size(), '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, 54 + 12);
    Put32(b, 14, 40);
    Put32(b, 18, 4);
    Put32(b, 22, 2);
    Put16(b, 26, 1);
    Put16(b, 28, 8);
    Put32(b, 30, 1);
    Put32(b, 34, static_cast<std::uint32_t>(rle.size()));
    Put32(b, 46, 3);
    b[54 + 4 + 2] = static_cast<char>(255);       // index 1: red
    b[54 + 8 + 1] = static_cast<char>(255);       // index 2: green
    b.replace(54 + 12, rle.size(), rle);
    const DecodedPicture p = Decode(b);
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 3, 1), 0xFF0000u); // first stored row is the bottom one
    EXPECT_EQ(PixelAt(p, 0, 0), 0x00FF00u);
}

TEST(PictureDecoder, LargePicturesAreDecodedOnlyInsideTheLimit)
{
    auto mark = [](int x, int y) { return (x == 1023 && y == 767) || (x == 0 && y == 0) ? qRgb(255, 0, 0) : qRgb(0, 0, 0); };
    DecodedPicture p = Decode(MakeBmp24(2000, 1000, mark));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(2000, 1000));
    EXPECT_EQ(p.pixels.size(), QSize(1024, 768));
    EXPECT_EQ(PixelAt(p, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(p, 1023, 767), 0xFF0000u);
    EXPECT_EQ(PixelAt(p, 1022, 767), 0u);

    auto half = [](int x, int) { return x < 600 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); };
    p = Decode(MakeJpeg(MakeImage(1500, 900, half)));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(1500, 900));
    EXPECT_EQ(p.pixels.size(), QSize(1024, 768));
    EXPECT_GT(qRed(PixelAt(p, 100, 700)), 240);
    EXPECT_LT(qRed(PixelAt(p, 1000, 700)), 15);

    p = Decode(MakeJpeg(MakeImage(40, 30, Checker), true));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(40, 30));
}

TEST(PictureDecoder, FormatComesFromTheContent)
{
    const QByteArray png = MakePng(MakeImage(4, 4, Checker));
    EXPECT_TRUE(Decode(png).IsValid());
    EXPECT_FALSE(Decode(png.mid(1)).IsValid()); // no longer recognised as anything
    QByteArray gif = "GIF89a";
    gif.append(QByteArray(64, '\0'));
    EXPECT_FALSE(Decode(gif).IsValid());
    EXPECT_FALSE(Decode(QByteArray()).IsValid());
    EXPECT_TRUE(Decode(MakeJpeg(MakeImage(8, 8, Checker))).IsValid());

    // Only an open device that can seek, with a limit of some size, is read.
    struct SStream : QBuffer
    {
        using QBuffer::QBuffer;
        bool isSequential() const override { return true; }
    };
    const QByteArray bmp = MakeBmp24(2, 2, [](int, int) { return qRgb(255, 0, 0); });
    QByteArray copy = bmp;
    for (const bool sequential : {false, true})
        for (const QSize limit : {QSize(16, 16), QSize(), QSize(0, 16), QSize(16, 0)}) {
            SStream stream(&copy);
            QBuffer seekable(&copy);
            QIODevice& device = sequential ? static_cast<QIODevice&>(stream) : seekable;
            ASSERT_TRUE(device.open(QIODevice::ReadOnly));
            DecodedPicture picture;
            EXPECT_EQ(CPictureDecoder::Decode(device, limit, picture), !sequential && limit == QSize(16, 16))
                << sequential << " " << limit.width() << "x" << limit.height();
        }
}

namespace {

// A 2 x 2 24-bit BMP, all red; each damaged case below changes one thing.
QByteArray RedBmp()
{
    return MakeBmp24(2, 2, [](int, int) { return qRgb(255, 0, 0); });
}

QByteArray WithField32(QByteArray b, int at, std::uint32_t v)
{
    Put32(b, at, v);
    return b;
}

// A one-row run-length BMP of the given width with a two-colour table
// (black, red) and the given run-length data.
QByteArray Rle8Row(int width, const QByteArray& data)
{
    QByteArray b = MakeRle8Bmp(width, 1, {qRgb(0, 0, 0), qRgb(255, 0, 0)}, [](int, int) { return std::uint8_t{0}; });
    b.truncate(54 + 8);
    b.append(data);
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 34, static_cast<std::uint32_t>(data.size()));
    return b;
}

} // namespace

TEST(PictureDecoder, DamagedBmpHeadersAndDataAreRefused)
{
    ASSERT_TRUE(Decode(RedBmp()).IsValid());
    EXPECT_EQ(PixelAt(Decode(RedBmp()), 1, 1), 0xFF0000u);
    ASSERT_TRUE(Decode(Rle8Row(4, QByteArray("\x04\x01\x00\x01", 4))).IsValid());

    BmpFields eight;
    eight.width = 2;
    eight.bitCount = 8;
    eight.palette.assign(256, qRgb(0, 255, 0));
    eight.valueAt = [](int, int) { return 0u; };
    const QByteArray paletted = MakeBmp(eight);
    BmpFields twoColours = eight;
    twoColours.palette = {qRgb(0, 255, 0), qRgb(255, 0, 0)};
    ASSERT_TRUE(Decode(MakeBmp(twoColours)).IsValid());
    ASSERT_TRUE(Decode(paletted).IsValid());

    BmpFields fields;
    fields.width = 2;
    fields.bitCount = 32;
    fields.compression = 3;
    fields.masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
    fields.valueAt = [](int, int) { return 0x00FF00FFu; };
    const QByteArray masked = MakeBmp(fields);
    ASSERT_TRUE(Decode(masked).IsValid());

    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"24 bits stored as JPEG", WithField32(RedBmp(), 30, 4)},
        {"24 bits with bit fields", WithField32(RedBmp(), 30, 3)},
        {"two planes", WithField32(RedBmp(), 26, 2 | 24u << 16)},
        {"pixels inside the header", WithField32(RedBmp(), 10, 53)},
        {"colour table cut short", paletted.left(54 + 255 * 4)},
        {"full colour table declared, two entries given", WithField32(MakeBmp(twoColours), 46, 0)},
        {"bit field masks cut short", masked.left(54 + 8)},
        {"run-length data past the end", WithField32(Rle8Row(4, QByteArray("\x04\x01\x00\x01", 4)), 10, 4000)},
        {"run-length delta cut short", Rle8Row(4, QByteArray("\x00\x02\x01", 3))},
        {"run-length literal pad cut short", Rle8Row(4, QByteArray("\x00\x03\x01\x01\x01", 5))},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(Decode(bytes).IsValid()) << name;

    // No room at all to keep a pixel, on either axis.
    for (const QSize limit : {QSize(0, 768), QSize(1024, 0)}) {
        EXPECT_FALSE(Decode(RedBmp(), limit).IsValid()) << limit.width() << "x" << limit.height();
        EXPECT_FALSE(Decode(Rle8Row(4, QByteArray("\x04\x01\x00\x01", 4)), limit).IsValid());
    }
}

TEST(PictureDecoder, BmpMasksInsideTheHeaderAndAMissingChannel)
{
    // Masks that are part of a 52-byte header (not after a 40-byte one) are
    // read from the header: green in the low byte, red in the high one.
    BmpFields fields;
    fields.width = 2;
    fields.bitCount = 32;
    fields.compression = 3;
    fields.masks = {0x00FF0000u, 0x000000FFu, 0x0000FF00u};
    fields.valueAt = [](int x, int) { return x ? 0x00120034u : 0x00AB00CDu; };
    QByteArray inHeader = MakeBmp(fields);
    Put32(inHeader, 14, 52);
    const DecodedPicture p = Decode(inHeader);
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 0, 0), 0xABCD00u);
    EXPECT_EQ(PixelAt(p, 1, 0), 0x123400u);

    // A channel without a mask reads as zero; the others keep their levels.
    fields.masks = {0x00FF0000u, 0x0000FF00u, 0u};
    fields.valueAt = [](int, int) { return 0x00FFFFFFu; };
    const DecodedPicture noBlue = Decode(MakeBmp(fields));
    ASSERT_TRUE(noBlue.IsValid());
    EXPECT_EQ(PixelAt(noBlue, 0, 0), 0xFFFF00u);
    EXPECT_EQ(PixelAt(noBlue, 1, 0), 0xFFFF00u);
}

namespace {

// A 2 x 1 24-bit BMP (red, green) whose information header is headerSize
// bytes long: the usual 40 bytes of fields, then zeros.
QByteArray BmpWithHeaderSize(std::uint32_t headerSize)
{
    const QByteArray plain = MakeBmp24(2, 1, [](int x, int) { return x ? qRgb(0, 255, 0) : qRgb(255, 0, 0); });
    QByteArray header = plain.mid(14, 40);
    header.resize(static_cast<qsizetype>(headerSize < 40 ? 40 : headerSize), '\0');
    QByteArray b = plain.left(14) + header + plain.mid(54);
    Put32(b, 14, headerSize);
    Put32(b, 10, static_cast<std::uint32_t>(14 + header.size()));
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

} // namespace

// Information headers of 40 to 1024 bytes are read, the old one of 12; sizes
// between or past them are refused, as is an old header naming two planes.
TEST(PictureDecoder, BmpHeaderSizesAndPlanesOfTheOldHeader)
{
    for (const std::uint32_t size : {40u, 52u, 124u, 1024u}) {
        const DecodedPicture p = Decode(BmpWithHeaderSize(size));
        ASSERT_TRUE(p.IsValid()) << size;
        EXPECT_EQ(PixelAt(p, 0, 0), 0xFF0000u) << size;
        EXPECT_EQ(PixelAt(p, 1, 0), 0x00FF00u) << size;
    }
    for (const std::uint32_t size : {39u, 13u, 11u, 1025u})
        EXPECT_FALSE(Decode(BmpWithHeaderSize(size)).IsValid()) << size;

    QByteArray core = CoreBmp();
    ASSERT_TRUE(Decode(core).IsValid());
    Put16(core, 22, 2);
    EXPECT_FALSE(Decode(core).IsValid());
}

// The last stored row needs its dots but not its padding: a file ending
// right after them opens, one byte less does not. One bit a pixel, 9 wide:
// two bytes of a four-byte row; 24 bits, 3 wide: nine of twelve; one bit,
// 1025 wide: 129 of 132, though only the first 128 are kept.
TEST(PictureDecoder, BmpLastRowNeedsItsDotsButNotItsPadding)
{
    BmpFields bits;
    bits.width = 9;
    bits.height = 2;
    bits.bitCount = 1;
    bits.palette = {qRgb(0, 0, 0), qRgb(255, 0, 0)};
    bits.valueAt = [](int x, int y) { return static_cast<std::uint32_t>(y == 0 && x == 8); };
    const QByteArray oneBit = MakeBmp(bits);
    // Wider than the limit: the last row's dots past the kept ones count too.
    bits.width = 1025;
    bits.valueAt = [](int x, int y) { return static_cast<std::uint32_t>(y == 0 && (x == 1023 || x == 1024)); };
    const QByteArray wide = MakeBmp(bits);
    const QByteArray rgb = MakeBmp24(3, 2, [](int x, int y) { return y == 0 && x == 2 ? qRgb(0, 0, 255) : qRgb(9, 9, 9); });
    const struct
    {
        QByteArray file;
        int cut; // bytes of the last row that are padding
        int x;
        QRgb lit;
    } cases[] = {{oneBit, 2, 8, 0xFF0000u}, {rgb, 3, 2, 0x0000FFu}, {wide, 3, 1023, 0xFF0000u}};
    for (const auto& c : cases) {
        const QByteArray exact = c.file.left(c.file.size() - c.cut);
        const DecodedPicture p = Decode(exact);
        ASSERT_TRUE(p.IsValid()) << c.x;
        EXPECT_EQ(PixelAt(p, c.x, 0), c.lit) << c.x; // the top row is stored last
        EXPECT_NE(PixelAt(p, c.x, 1), c.lit) << c.x;
        EXPECT_FALSE(Decode(exact.left(exact.size() - 1)).IsValid()) << c.x;
    }
}

// Run-length coding fits one depth each; bit fields fit 16 and 32 bits; two
// bits a pixel is no BMP depth.
TEST(PictureDecoder, BmpDepthAndCompressionMustFit)
{
    BmpFields s;
    s.width = 2;
    s.palette.assign(16, qRgb(0, 255, 0));
    s.valueAt = [](int, int) { return 0u; };
    const struct
    {
        int bitCount;
        std::uint32_t compression;
    } refused[] = {{4, 1}, {8, 2}, {24, 2}, {2, 0}, {8, 3}, {24, 6}, {0, 0}};
    for (const auto& r : refused) {
        BmpFields f = s;
        f.bitCount = r.bitCount == 0 ? 8 : r.bitCount;
        f.compression = r.compression;
        QByteArray b = MakeBmp(f);
        if (r.bitCount == 0)
            Put16(b, 28, 0);
        EXPECT_FALSE(Decode(b).IsValid()) << r.bitCount << " bits, compression " << r.compression;
    }
    // Bit fields with an alpha mask on 16 bits: 5-6-5.
    BmpFields alpha;
    alpha.width = 1;
    alpha.bitCount = 16;
    alpha.compression = 6;
    alpha.masks = {0xF800u, 0x07E0u, 0x001Fu};
    alpha.valueAt = [](int, int) { return 0x07E0u; };
    const DecodedPicture p = Decode(MakeBmp(alpha));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 0, 0), 0x00FF00u);
}

namespace {

// A one-bit PNG of width x height, all white but the first pixel.
QByteArray MonoPng(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.fill(1);
    image.setPixel(0, 0, 0);
    return MakePng(image);
}

} // namespace

// A PNG larger than the limit on either axis is kept to the limit's top left,
// its whole size still told; a pixel with no alpha keeps its colour.
TEST(PictureDecoder, PngIsCutToTheLimitOnEachAxis)
{
    auto marks = [](int x, int y) {
        if (x == 1023 && y == 767)
            return qRgb(255, 0, 0);
        return x == 1024 || y == 768 ? qRgb(0, 255, 0) : qRgb(0, 0, 0);
    };
    DecodedPicture p = Decode(MakePng(MakeImage(1100, 800, marks)));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(1100, 800));
    EXPECT_EQ(p.pixels.size(), QSize(1024, 768));
    EXPECT_EQ(p.pixels.format(), QImage::Format_BGR888);
    EXPECT_EQ(PixelAt(p, 1023, 767), 0xFF0000u);
    EXPECT_EQ(PixelAt(p, 1022, 766), 0u);
    for (const QSize size : {QSize(1100, 20), QSize(20, 800)}) {
        p = Decode(MakePng(MakeImage(size.width(), size.height(), marks)));
        ASSERT_TRUE(p.IsValid());
        EXPECT_EQ(p.size, size);
        EXPECT_EQ(p.pixels.size(), size.boundedTo(QSize(1024, 768)));
    }

    QImage clear(2, 1, QImage::Format_ARGB32);
    clear.setPixel(0, 0, qRgba(0, 255, 0, 0));
    clear.setPixel(1, 0, qRgba(255, 0, 255, 255));
    p = Decode(MakePng(clear));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(PixelAt(p, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(p, 1, 0), 0xFF00FFu);
}

// A PNG is decoded whole at four bytes a pixel, up to 32 MB; a file past
// 64 MB is not read at all.
TEST(PictureDecoder, PngSizeAndFileLimits)
{
    DecodedPicture p = Decode(MonoPng(2048, 4096));
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.size, QSize(2048, 4096));
    EXPECT_EQ(PixelAt(p, 0, 0), 0u);
    EXPECT_EQ(PixelAt(p, 1, 0), 0xFFFFFFu);
    EXPECT_FALSE(Decode(MonoPng(2049, 4096)).IsValid());
    EXPECT_FALSE(Decode(MonoPng(4096, 2049)).IsValid());

    QByteArray file = MonoPng(4, 4);
    file.append(64 * 1024 * 1024 - file.size(), '\0');
    EXPECT_TRUE(Decode(file).IsValid());
    file.append('\0');
    EXPECT_FALSE(Decode(file).IsValid());
}

// The view of a device with ranges left out reads the rest in order, from
// any position and in pieces of any size, and tells the size that is left.
TEST(PictureDecoder, ASkippingViewReadsOnlyWhatIsLeftIn)
{
    QByteArray source("0123456789");
    QBuffer buffer(&source);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    const struct
    {
        CSkippingDevice::Ranges skipped;
        QByteArray seen;
    } cases[] = {
        {{}, "0123456789"},
        {{{2, 4}, {6, 7}}, "0145789"},
        {{{0, 1}, {2, 4}, {6, 7}, {9, 10}}, "14578"},
        {{{0, 10}}, ""},
    };
    for (const auto& c : cases) {
        CSkippingDevice view(buffer, c.skipped);
        EXPECT_EQ(view.size(), c.seen.size()) << c.seen.constData();
        EXPECT_EQ(view.readAll(), c.seen);
        for (int piece = 1; piece <= 3; ++piece) {
            ASSERT_TRUE(view.seek(0));
            QByteArray read;
            for (int step = 0; step < 12 && !view.atEnd(); ++step) {
                const QByteArray got = view.read(piece);
                EXPECT_EQ(got, c.seen.mid(read.size(), piece)) << piece;
                read += got;
            }
            EXPECT_EQ(read, c.seen) << piece;
        }
        for (qint64 from = 0; from < c.seen.size(); ++from) {
            ASSERT_TRUE(view.seek(from));
            EXPECT_EQ(view.read(100), c.seen.mid(from)) << c.seen.constData() << " from " << from;
        }
    }
}

// A file is taken for a picture by its first bytes alone, whatever its name;
// only a regular file is looked at.
TEST(PictureDecoder, APictureFileIsKnownByItsFirstBytes)
{
    CScratchDir dir;
    const struct
    {
        const char* name;
        QByteArray bytes;
        bool picture;
    } files[] = {
        {"a.txt", "BM", true},
        {"b.dat", MakePng(MakeImage(2, 2, Checker)), true},
        {"c", MakeJpeg(MakeImage(8, 8, Checker)), true},
        {"d.bmp", "B", false},
        {"e.png", "\x89PNX", false},
        {"f.jpg", "\xFF\xD8\xFE", false},
        {"g.bmp", "", false},
    };
    for (const auto& f : files) {
        const QString path = dir.FilePath(QString::fromLatin1(f.name));
        ASSERT_TRUE(WriteAll(path, f.bytes));
        EXPECT_EQ(CPictureDecoder::IsPictureFile(path), f.picture) << f.name;
    }
    const QString fifo = dir.FilePath(QStringLiteral("fifo.bmp"));
    ASSERT_TRUE(MakeFifo(fifo));
    EXPECT_FALSE(CPictureDecoder::IsPictureFile(fifo));
    EXPECT_FALSE(CPictureDecoder::IsPictureFile(dir.FilePath(QStringLiteral("missing.bmp"))));
    EXPECT_FALSE(CPictureDecoder::IsPictureFile(dir.Path()));
}
