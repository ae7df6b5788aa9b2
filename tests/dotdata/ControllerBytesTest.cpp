#include "base/DotGrid.h"
#include "dotdata/ByteLayout.h"
#include "dotdata/DotBytes.h"
#include "dotdata/PlaneColors.h"
#include "SevenColours.h"
#include "TestSupport.h"

#include <QStringList>

#include <cstring>
#include <vector>

#include <QSize>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = MakeColor(0, 0, 40);
const COLORREF kRed = kSevenColours[0].Value();

CDotGrid GridWith(int w, int h, std::initializer_list<std::pair<int, int>> dots, COLORREF colour = kRed)
{
    return GridWithDots(w, h, dots, colour, kBack);
}

QByteArray Encode(const CDotGrid& grid, const SExportOptions& options)
{
    CByteLayout layout;
    QString error;
    EXPECT_TRUE(layout.Set(grid.Width(), grid.Height(), options, error)) << error.toStdString();
    return CDotBytes::Encode(grid, layout);
}

// Bytes written as "80 40 00".
QByteArray Hex(const QByteArray& bytes) { return bytes.toHex(' '); }

SExportOptions Options(SExportOptions::Scan scan, SExportOptions::BitOrder order)
{
    SExportOptions options;
    options.scan = scan;
    options.bitOrder = order;
    return options;
}

// The expected bytes: size zeros with the given (index, value) pairs set.
QByteArray Expected(int size, std::initializer_list<std::pair<int, int>> set)
{
    QByteArray bytes(size, '\0');
    for (const auto& entry : set)
        bytes[entry.first] = static_cast<char>(entry.second);
    return bytes;
}

} // namespace

TEST(ControllerBytes, SixteenByEightInEachScanAndBitOrder)
{
    const CDotGrid grid = GridWith(16, 8, {{0, 0}, {9, 0}, {15, 7}});
    using O = SExportOptions;
    EXPECT_EQ(Hex(Encode(grid, Options(O::Rows, O::MsbFirst))), "80 40 00 00 00 00 00 00 00 00 00 00 00 00 00 01");
    EXPECT_EQ(Hex(Encode(grid, Options(O::Rows, O::LsbFirst))), "01 02 00 00 00 00 00 00 00 00 00 00 00 00 00 80");
    EXPECT_EQ(Hex(Encode(grid, Options(O::Columns, O::MsbFirst))), "80 00 00 00 00 00 00 00 00 80 00 00 00 00 00 01");
    EXPECT_EQ(Hex(Encode(grid, Options(O::Columns, O::LsbFirst))), "01 00 00 00 00 00 00 00 00 01 00 00 00 00 00 80");

    // Inverted: every dot's bit flips.
    SExportOptions inverted = Options(O::Rows, O::MsbFirst);
    inverted.invert = true;
    EXPECT_EQ(Hex(Encode(grid, inverted)), "7f bf ff ff ff ff ff ff ff ff ff ff ff ff ff fe");
}

TEST(ControllerBytes, ModulesChainInOrderAndSnake)
{
    // 64 x 32 in 16 x 8 modules: 4 across, 4 down, 16 bytes each (rows of 2 bytes).
    const CDotGrid grid = GridWith(64, 32, {{0, 8}, {63, 31}, {20, 3}});
    struct SCase
    {
        SExportOptions::ModuleOrder order;
        bool serpentine;
        int at08, at6331, at203; // byte index of each dot, by hand
    };
    const SCase cases[] = {
        // (0,8) is module (0,1); (63,31) module (3,3) bottom right; (20,3) module (1,0), row 3, dot 4.
        {SExportOptions::ModuleRows, false, 4 * 16, 15 * 16 + 15, 1 * 16 + 6},
        // Module row 1 runs right to left: (0,1) is 4th + 3; module row 3 too: (3,3) is 12th.
        {SExportOptions::ModuleRows, true, 7 * 16, 12 * 16 + 15, 1 * 16 + 6},
        // Down the columns: (0,1) is 1st, (3,3) 15th, (1,0) 4th.
        {SExportOptions::ModuleColumns, false, 1 * 16, 15 * 16 + 15, 4 * 16 + 6},
        // Column 1 and 3 of modules run bottom to top: (3,3) is 12th, (1,0) 7th.
        {SExportOptions::ModuleColumns, true, 1 * 16, 12 * 16 + 15, 7 * 16 + 6},
    };
    for (const SCase& c : cases) {
        SExportOptions options;
        options.moduleWidth = 16;
        options.moduleHeight = 8;
        options.moduleOrder = c.order;
        options.serpentine = c.serpentine;
        EXPECT_EQ(Encode(grid, options), Expected(256, {{c.at08, 0x80}, {c.at6331, 0x01}, {c.at203, 0x08}}))
            << "order " << c.order << " serpentine " << c.serpentine;
    }

    // MAX7219-style 8 x 8 modules read in columns: 32 modules of 8 bytes. (9,1)
    // is column 1 of module 1; (9,9) column 1 of module (1,1), which the
    // snaking second row puts 6th from its start, 14th in the chain.
    SExportOptions max;
    max.moduleWidth = 8;
    max.moduleHeight = 8;
    max.scan = SExportOptions::Columns;
    max.serpentine = true;
    EXPECT_EQ(Encode(GridWith(64, 32, {{9, 1}, {9, 9}}), max), Expected(256, {{8 + 1, 0x40}, {14 * 8 + 1, 0x40}}));
}

TEST(ControllerBytes, ByteAtAgreesWithTheEncoderForEveryDot)
{
    // The byte under the cursor is computed directly; the encoder walks the
    // chain. Both must name the same byte and bit for every dot.
    for (int set = 0; set < 6; ++set) {
        SExportOptions options;
        options.scan = set % 2 ? SExportOptions::Columns : SExportOptions::Rows;
        options.bitOrder = set % 3 == 1 ? SExportOptions::LsbFirst : SExportOptions::MsbFirst;
        options.moduleWidth = set < 2 ? 0 : 12;
        options.moduleHeight = set < 2 ? 0 : 8;
        options.moduleOrder = set >= 4 ? SExportOptions::ModuleColumns : SExportOptions::ModuleRows;
        options.serpentine = set >= 3;
        CByteLayout layout;
        QString error;
        ASSERT_TRUE(layout.Set(24, 16, options, error));
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 24; ++x) {
                CByteLayout::SRun run;
                const qint64 index = layout.ByteAt(x, y, run);
                const QByteArray bytes = CDotBytes::Encode(GridWith(24, 16, {{x, y}}), layout);
                ASSERT_EQ(bytes.count('\0'), bytes.size() - 1) << x << "," << y;
                ASSERT_NE(bytes.at(index), '\0') << "set " << set << " dot " << x << "," << y;
                // The dot is in its byte's run.
                const int i = run.dx ? x - run.x : y - run.y;
                EXPECT_TRUE(i >= 0 && i < run.count && (run.dx ? y == run.y : x == run.x)) << x << "," << y;
            }
        }
        CByteLayout::SRun run;
        EXPECT_EQ(layout.ByteAt(24, 0, run), -1);
        EXPECT_EQ(layout.ByteAt(0, -1, run), -1);
    }
}

TEST(ControllerBytes, ShortLinesArePaddedWithZeros)
{
    // A 12-dot row takes two bytes, the second ending in four zero bits, also
    // when inverted.
    const CDotGrid grid = GridWith(12, 8, {{11, 0}, {0, 7}});
    SExportOptions options;
    EXPECT_EQ(Encode(grid, options), Expected(16, {{1, 0x10}, {14, 0x80}}));
    options.bitOrder = SExportOptions::LsbFirst;
    EXPECT_EQ(Encode(grid, options), Expected(16, {{1, 0x08}, {14, 0x01}}));
    options.bitOrder = SExportOptions::MsbFirst;
    options.invert = true;
    const QByteArray inverted = Encode(grid, options);
    EXPECT_EQ(Hex(inverted.left(4)), "ff e0 ff f0");
    EXPECT_EQ(Hex(inverted.right(2)), "7f f0");

    // Columns of 12 dots: modules 8 x 12 on an 8 x 24 canvas.
    SExportOptions columns;
    columns.scan = SExportOptions::Columns;
    columns.moduleWidth = 8;
    columns.moduleHeight = 12;
    CByteLayout layout;
    QString error;
    ASSERT_TRUE(layout.Set(8, 24, columns, error));
    EXPECT_EQ(layout.PlaneBytes(), 2 * 8 * 2);
    EXPECT_EQ(layout.PaddingBits(), 4);
    // (0,11) ends column 0 of module 0; (7,12) starts column 7 of module 1.
    EXPECT_EQ(CDotBytes::Encode(GridWith(8, 24, {{0, 11}, {7, 12}}), layout), Expected(32, {{1, 0x10}, {16 + 14, 0x80}}));
    EXPECT_TRUE(layout.Describe().join(' ').contains("the last ending in 4 zero bits"));

    // A canvas one dot wide: one byte a row, seven of its bits padding.
    const CDotGrid narrow = GridWith(1, 8, {{0, 0}, {0, 7}});
    EXPECT_EQ(Encode(narrow, SExportOptions()), Expected(8, {{0, 0x80}, {7, 0x80}}));
    // Bytes come back only onto a canvas of the layout's own size.
    ASSERT_TRUE(layout.Set(8, 24, columns, error));
    const QByteArray bytes = CDotBytes::Encode(GridWith(8, 24, {{0, 11}}), layout);
    for (const QSize size : {QSize(8, 24), QSize(16, 24), QSize(8, 16)}) {
        CDotGrid target;
        ASSERT_TRUE(target.Create(size.width(), size.height(), ImageMode));
        EXPECT_EQ(CDotBytes::Decode(bytes, layout, 0, target), size == QSize(8, 24)) << size.width() << "x" << size.height();
    }
}

TEST(ControllerBytes, ModulesMustDivideTheCanvas)
{
    CByteLayout layout;
    QString error;
    SExportOptions options;
    options.moduleWidth = 24;
    options.moduleHeight = 16;
    EXPECT_FALSE(layout.Set(64, 32, options, error));
    EXPECT_EQ(error, "A 64 x 32 canvas does not split into whole modules of 24 x 16 dots.");
    options.moduleWidth = 72;
    options.moduleHeight = 8;
    EXPECT_FALSE(layout.Set(64, 32, options, error));
    options.moduleWidth = 64;
    options.moduleHeight = 32;
    EXPECT_TRUE(layout.Set(64, 32, options, error));
    EXPECT_EQ(layout.ModuleCount(), 1);
    options.moduleWidth = 1;
    options.moduleHeight = 1;
    ASSERT_TRUE(layout.Set(64, 32, options, error));
    EXPECT_EQ(layout.TotalBytes(), 64 * 32);
    EXPECT_FALSE(layout.Set(0, 8, SExportOptions(), error));
}

TEST(ControllerBytes, PlanesForEachColour)
{
    // One dot at (0,0) of an 8 x 8 canvas: each plane's first byte is 80 when
    // the colour lights that plane. Expectations per colour: red, green, blue planes.
    struct SPlanes
    {
        const char* redGreen;
        const char* rgb;
        int readBackRedGreen; // palette index read back
        int readBackRgb;
    };
    const SPlanes expected[7] = {
        {"10", "100", 0, 0}, // Red
        {"01", "010", 1, 1}, // Green
        {"01", "001", 1, 2}, // Blue: no blue LED, lit green
        {"11", "110", 3, 3}, // Yellow
        {"10", "101", 0, 4}, // Pink
        {"11", "111", 3, 5}, // White
        {"11", "110", 3, 3}, // Orange: red and green, read back as Yellow
    };
    for (const SDotColour& colour : kSevenColours) {
        const SPlanes& e = expected[colour.index];
        const CDotGrid grid = GridWith(8, 8, {{0, 0}}, colour.Value());
        for (const auto planes : {SExportOptions::Mono, SExportOptions::RedGreen, SExportOptions::Rgb}) {
            SExportOptions options;
            options.planes = planes;
            const QByteArray bytes = Encode(grid, options);
            const char* bits = planes == SExportOptions::Mono ? "1" : planes == SExportOptions::RedGreen ? e.redGreen : e.rgb;
            ASSERT_EQ(bytes.size(), 8 * static_cast<int>(strlen(bits))) << colour.name;
            for (int p = 0; bits[p]; ++p) {
                EXPECT_EQ(static_cast<unsigned char>(bytes[8 * p]), bits[p] == '1' ? 0x80 : 0x00)
                    << colour.name << " plane " << p << " of " << bits;
                EXPECT_EQ(bytes.mid(8 * p + 1, 7), QByteArray(7, '\0'));
            }
            // Read back: mono dots come back in the given colour.
            CByteLayout layout;
            QString error;
            ASSERT_TRUE(layout.Set(8, 8, options, error));
            CDotGrid back = GridWith(8, 8, {{3, 3}});
            ASSERT_TRUE(CDotBytes::Decode(bytes, layout, 6, back));
            const int want = planes == SExportOptions::Mono ? 6 : planes == SExportOptions::RedGreen ? e.readBackRedGreen : e.readBackRgb;
            EXPECT_EQ(back.DotAt(0, 7), kSevenColours[static_cast<std::size_t>(want)].Value()) << colour.name;
            EXPECT_EQ(back.DotAt(3, 4), kBack) << "every other dot is redrawn unlit";
        }
    }
}

TEST(ControllerBytes, RoundTripForEveryOptionSet)
{
    // Colours each plane setting keeps apart.
    const std::vector<std::vector<int>> keptColours = {{2}, {0, 1, 3}, {0, 1, 2, 3, 4, 5}};
    const std::pair<int, int> modules[] = {{0, 0}, {8, 8}, {16, 8}, {32, 16}, {24, 32}};
    int sets = 0;
    for (int planes = 0; planes < 3; ++planes) {
        const std::vector<int>& colours = keptColours[static_cast<std::size_t>(planes)];
        CDotGrid grid;
        grid.SetBackgroundColor(kBack, false);
        grid.Create(96, 32, ImageMode);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 96; ++x)
                if ((x * 5 + y * 3) % 7 < 4)
                    grid.SetDot(x, y, DotPalette[static_cast<std::size_t>(colours[static_cast<std::size_t>(x + y) % colours.size()])]);
        for (int bits = 0; bits < 32; ++bits) {
            for (const auto& module : modules) {
                SExportOptions options;
                options.planes = static_cast<SExportOptions::Planes>(planes);
                options.scan = bits & 1 ? SExportOptions::Columns : SExportOptions::Rows;
                options.bitOrder = bits & 2 ? SExportOptions::LsbFirst : SExportOptions::MsbFirst;
                options.moduleOrder = bits & 4 ? SExportOptions::ModuleColumns : SExportOptions::ModuleRows;
                options.serpentine = bits & 8;
                options.invert = bits & 16;
                options.moduleWidth = module.first;
                options.moduleHeight = module.second;
                CByteLayout layout;
                QString error;
                ASSERT_TRUE(layout.Set(96, 32, options, error)) << error.toStdString();
                const QByteArray bytes = CDotBytes::Encode(grid, layout);
                CDotGrid back = grid;
                back.FillWithBackground();
                ASSERT_TRUE(CDotBytes::Decode(bytes, layout, colours[0], back));
                ASSERT_EQ(0, memcmp(back.Bits(), grid.Bits(), grid.ByteCount()))
                    << "planes " << planes << " bits " << bits << " module " << module.first << "x" << module.second;
                ++sets;
            }
        }
    }
    EXPECT_EQ(sets, 3 * 32 * 5);
}

// The description written above a C array names every choice, worked out
// here by hand for two opposite sets of options.
TEST(ControllerBytes, TheDescriptionNamesEveryChoice)
{
    SExportOptions many;
    many.scan = SExportOptions::Columns;
    many.bitOrder = SExportOptions::LsbFirst;
    many.moduleWidth = 8;
    many.moduleHeight = 8;
    many.moduleOrder = SExportOptions::ModuleColumns;
    many.serpentine = true;
    many.invert = true;
    many.planes = SExportOptions::Rgb;
    CByteLayout layout;
    QString error;
    ASSERT_TRUE(layout.Set(16, 8, many, error));
    EXPECT_EQ(layout.Describe(),
              QStringList({"16 x 8 dots, 48 bytes.", "Scan: columns from the left, each top to bottom, 8 dots a byte.",
                           "Bit order: LSB first, the first dot of a byte in bit 0.",
                           "Modules: 2 x 1 of 8 x 8 dots, 8 bytes each, chained column by column from the top left, "
                           "serpentine (every other column of modules runs bottom to top).",
                           "Padding: none, each column of 8 dots fills 1 bytes.",
                           "Planes: rgb: Red, Green and Blue light their own plane; Yellow and Orange light red and "
                           "green; Pink lights red and blue; White lights all three. One plane after another: red from "
                           "byte 0, green from byte 16, blue from byte 32.",
                           "Inverted: a lit dot is 0, an unlit dot 1 (padding stays 0)."}));

    SExportOptions plain;
    plain.planes = SExportOptions::RedGreen;
    ASSERT_TRUE(layout.Set(8, 8, plain, error));
    EXPECT_EQ(layout.Describe(),
              QStringList({"8 x 8 dots, 16 bytes.", "Scan: rows from the top, each left to right, 8 dots a byte.",
                           "Bit order: MSB first, the first dot of a byte in bit 7.", "Modules: one, the whole canvas.",
                           "Padding: none, each row of 8 dots fills 1 bytes.",
                           "Planes: red-green: Red and Pink light red; Green and Blue light green; Yellow, Orange and "
                           "White light both. One plane after another: red from byte 0, green from byte 8.",
                           "A lit dot is 1, an unlit dot 0."}));

    plain.planes = SExportOptions::Mono;
    plain.moduleWidth = 8;
    plain.moduleHeight = 4;
    ASSERT_TRUE(layout.Set(16, 8, plain, error));
    const QStringList lines = layout.Describe();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[3], QStringLiteral("Modules: 2 x 2 of 8 x 4 dots, 4 bytes each, chained row by row from the top "
                                       "left, each row left to right."));
    EXPECT_EQ(lines[5], QStringLiteral("Planes: mono: every lit dot is 1, whatever its colour."));
}

// A canvas with no dots on either axis has no layout; a refused size leaves
// the layout as it was. A layout never set holds no bytes.
TEST(ControllerBytes, RefusedSizesKeepTheLayout)
{
    CByteLayout layout;
    EXPECT_EQ(layout.PlaneBytes(), 0);
    EXPECT_EQ(layout.TotalBytes(), 0);
    QString error;
    SExportOptions options;
    options.moduleWidth = 8;
    options.moduleHeight = 4;
    ASSERT_TRUE(layout.Set(16, 8, options, error));
    for (const QSize size : {QSize(0, 8), QSize(8, 0), QSize(-8, 8), QSize(8, -8)}) {
        error.clear();
        EXPECT_FALSE(layout.Set(size.width(), size.height(), SExportOptions(), error));
        EXPECT_EQ(error, QStringLiteral("The canvas has no dots.")) << size.width() << "x" << size.height();
    }
    // Modules one dot too large on either axis.
    options.moduleWidth = 17;
    EXPECT_FALSE(layout.Set(16, 8, options, error));
    options.moduleWidth = 16;
    options.moduleHeight = 9;
    EXPECT_FALSE(layout.Set(16, 8, options, error));
    EXPECT_EQ(layout.Width(), 16);
    EXPECT_EQ(layout.Height(), 8);
    EXPECT_EQ(layout.ModuleWidth(), 8);
    EXPECT_EQ(layout.ModuleHeight(), 4);
    EXPECT_EQ(layout.ModuleCount(), 4);

    // One past each edge, on both axes, names no byte; the last dot does.
    CByteLayout::SRun run;
    for (const auto& [x, y] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{16, 0}, std::pair{0, 8}, std::pair{16, 8}})
        EXPECT_EQ(layout.ByteAt(x, y, run), -1) << x << "," << y;
    EXPECT_EQ(layout.ByteAt(15, 7, run), layout.PlaneBytes() - 1);
    EXPECT_EQ(run.x, 8);
    EXPECT_EQ(run.y, 7);
    EXPECT_EQ(run.count, 8);
}

// Bytes and grid must match the layout: another size either way gives no
// bytes and reads nothing back. A mono colour outside the palette reads
// back as White.
TEST(ControllerBytes, SizesMustMatchAndMonoColoursStayInThePalette)
{
    CByteLayout layout;
    QString error;
    ASSERT_TRUE(layout.Set(16, 8, SExportOptions(), error));
    for (const QSize size : {QSize(24, 8), QSize(16, 16)})
        EXPECT_TRUE(CDotBytes::Encode(GridWith(size.width(), size.height(), {{0, 0}}), layout).isEmpty())
            << size.width() << "x" << size.height();
    EXPECT_TRUE(CDotBytes::Encode(CDotGrid(), layout).isEmpty());

    const QByteArray bytes = CDotBytes::Encode(GridWith(16, 8, {{1, 0}}), layout);
    ASSERT_EQ(bytes.size(), 16);
    for (const QByteArray& wrong : {bytes.left(15), bytes + QByteArray(1, '\0')}) {
        CDotGrid kept = GridWith(16, 8, {{5, 5}});
        EXPECT_FALSE(CDotBytes::Decode(wrong, layout, 0, kept)) << wrong.size();
        EXPECT_EQ(kept.DisplayDotAt(5, 5), kRed);
        EXPECT_EQ(kept.DisplayDotAt(1, 0), kBack);
    }
    const struct
    {
        int mono;
        int shown;
    } monos[] = {{-1, 5}, {0, 0}, {6, 6}, {7, 5}};
    for (const auto& m : monos) {
        CDotGrid back = GridWith(16, 8, {});
        ASSERT_TRUE(CDotBytes::Decode(bytes, layout, m.mono, back));
        EXPECT_EQ(back.DisplayDotAt(1, 0), DotPalette[static_cast<std::size_t>(m.shown)]) << m.mono;
        EXPECT_EQ(back.DisplayDotAt(0, 0), kBack) << m.mono;
    }
}

// Plane bits no colour writes still read back as a colour: green and blue
// together as White; only the planes a setting has count, and in mono only
// the first bit. An unlit dot lights no plane.
TEST(ControllerBytes, PlaneBitsNoColourWritesReadBack)
{
    constexpr int kUnlit = 7;
    const struct
    {
        SExportOptions::Planes planes;
        int bits;
        int index;
    } reads[] = {
        {SExportOptions::Rgb, 0, kUnlit}, {SExportOptions::Rgb, 6, 5}, {SExportOptions::Rgb, 7, 5},
        {SExportOptions::Rgb, 8, kUnlit}, {SExportOptions::Rgb, 9, 0}, {SExportOptions::RedGreen, 0, kUnlit},
        {SExportOptions::RedGreen, 4, kUnlit}, {SExportOptions::RedGreen, 6, 1}, {SExportOptions::Mono, 1, 4},
        {SExportOptions::Mono, 2, kUnlit}, {SExportOptions::Mono, 0, kUnlit},
    };
    for (const auto& r : reads)
        EXPECT_EQ(CPlaneColors::ColorIndexOf(r.planes, r.bits, 4), r.index) << r.planes << " bits " << r.bits;
    for (const auto planes : {SExportOptions::Mono, SExportOptions::RedGreen, SExportOptions::Rgb}) {
        for (const int index : {-1, 7, 8})
            EXPECT_EQ(CPlaneColors::BitsOf(planes, index), 0) << planes << " index " << index;
    }
    EXPECT_EQ(CPlaneColors::PlaneName(SExportOptions::Mono, 0), QStringLiteral("mono"));
    EXPECT_EQ(CPlaneColors::PlaneName(SExportOptions::Rgb, 2), QStringLiteral("blue"));

    // Green and blue planes lit for the first dot of an 8 x 8 canvas.
    SExportOptions rgb;
    rgb.planes = SExportOptions::Rgb;
    CByteLayout layout;
    QString error;
    ASSERT_TRUE(layout.Set(8, 8, rgb, error));
    QByteArray bytes(24, '\0');
    bytes[8] = '\x80';
    bytes[16] = '\x80';
    CDotGrid back = GridWith(8, 8, {});
    ASSERT_TRUE(CDotBytes::Decode(bytes, layout, 0, back));
    EXPECT_EQ(back.DisplayDotAt(0, 0), MakeColor(255, 255, 255));
}
