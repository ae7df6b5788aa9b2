#include "base/ExportOptions.h"

#include <gtest/gtest.h>

// Module sizes: each side 1 to 1024, or none; anything else leaves the options alone.
TEST(ExportOptionNames, ModuleSidesFromOneTo1024)
{
    const struct
    {
        const char* word;
        int width, height; // 0 x 0 when accepted as none; -1 when refused
    } cases[] = {{"1x1", 1, 1},       {"1x8", 1, 8},       {"8x1", 8, 1},       {"1024x1024", 1024, 1024},
                 {"none", 0, 0},      {"0x0", 0, 0},       {"0x8", -1, -1},     {"8x0", -1, -1},
                 {"1025x8", -1, -1},  {"8x1025", -1, -1},  {"8", -1, -1},       {"8x", -1, -1},
                 {"x8", -1, -1},      {"-8x8", -1, -1},    {"8x-8", -1, -1},    {"8x8x8", -1, -1}};
    for (const auto& c : cases) {
        SExportOptions options;
        options.moduleWidth = options.moduleHeight = 77;
        const bool ok = CExportOptionNames::ParseModule(QString::fromLatin1(c.word), options);
        EXPECT_EQ(ok, c.width >= 0) << c.word;
        EXPECT_EQ(options.moduleWidth, ok ? c.width : 77) << c.word;
        EXPECT_EQ(options.moduleHeight, ok ? c.height : 77) << c.word;
    }
}

// Every choice has its word, read back to the same choice; other words change nothing.
TEST(ExportOptionNames, EachWordNamesItsChoice)
{
    SExportOptions options;
    EXPECT_TRUE(CExportOptionNames::ParseScan(QStringLiteral("columns"), options));
    EXPECT_EQ(options.scan, SExportOptions::Columns);
    EXPECT_TRUE(CExportOptionNames::ParseBitOrder(QStringLiteral("lsb"), options));
    EXPECT_EQ(options.bitOrder, SExportOptions::LsbFirst);
    EXPECT_TRUE(CExportOptionNames::ParseModuleOrder(QStringLiteral("columns"), options));
    EXPECT_EQ(options.moduleOrder, SExportOptions::ModuleColumns);
    EXPECT_TRUE(CExportOptionNames::ParsePlanes(QStringLiteral("red-green"), options));
    EXPECT_EQ(options.planes, SExportOptions::RedGreen);
    const SExportOptions before = options;
    EXPECT_FALSE(CExportOptionNames::ParseScan(QStringLiteral("Rows"), options));
    EXPECT_FALSE(CExportOptionNames::ParsePlanes(QStringLiteral("rgbw"), options));
    EXPECT_FALSE(CExportOptionNames::ParseBitOrder(QString(), options));
    EXPECT_EQ(options, before);

    EXPECT_EQ(CExportOptionNames::PlanesWords(), QStringList({"mono", "red-green", "rgb"}));
    EXPECT_EQ(CExportOptionNames::ScanWords(), QStringList({"rows", "columns"}));
    EXPECT_EQ(CExportOptionNames::PlanesWord(SExportOptions::Rgb), QStringLiteral("rgb"));
    EXPECT_EQ(CExportOptionNames::BitOrderWord(SExportOptions::MsbFirst), QStringLiteral("msb"));
    EXPECT_EQ(CExportOptionNames::ModuleOrderWord(SExportOptions::ModuleColumns), QStringLiteral("columns"));
    for (const auto planes : {SExportOptions::Mono, SExportOptions::RedGreen, SExportOptions::Rgb}) {
        SExportOptions read;
        ASSERT_TRUE(CExportOptionNames::ParsePlanes(CExportOptionNames::PlanesWord(planes), read));
        EXPECT_EQ(read.planes, planes);
    }
}

// Every word of every list, the first included, reads as the choice at its
// place and is the word of that choice.
TEST(ExportOptionNames, EveryWordReadsBackAtItsPlace)
{
    EXPECT_EQ(CExportOptionNames::BitOrderWords(), QStringList({"msb", "lsb"}));
    EXPECT_EQ(CExportOptionNames::ModuleOrderWords(), QStringList({"rows", "columns"}));
    SExportOptions options;
    options.scan = SExportOptions::Columns;
    options.bitOrder = SExportOptions::LsbFirst;
    options.moduleOrder = SExportOptions::ModuleColumns;
    options.planes = SExportOptions::Rgb;
    ASSERT_TRUE(CExportOptionNames::ParseScan(QStringLiteral("rows"), options));
    ASSERT_TRUE(CExportOptionNames::ParseBitOrder(QStringLiteral("msb"), options));
    ASSERT_TRUE(CExportOptionNames::ParseModuleOrder(QStringLiteral("rows"), options));
    ASSERT_TRUE(CExportOptionNames::ParsePlanes(QStringLiteral("mono"), options));
    EXPECT_EQ(options, SExportOptions());
    EXPECT_TRUE(CExportOptionNames::ParsePlanes(QStringLiteral("rgb"), options));
    EXPECT_EQ(options.planes, SExportOptions::Rgb);

    EXPECT_EQ(CExportOptionNames::ScanWord(SExportOptions::Rows), QStringLiteral("rows"));
    EXPECT_EQ(CExportOptionNames::ScanWord(SExportOptions::Columns), QStringLiteral("columns"));
    EXPECT_EQ(CExportOptionNames::BitOrderWord(SExportOptions::LsbFirst), QStringLiteral("lsb"));
    EXPECT_EQ(CExportOptionNames::ModuleOrderWord(SExportOptions::ModuleRows), QStringLiteral("rows"));
    EXPECT_EQ(CExportOptionNames::PlanesWord(SExportOptions::Mono), QStringLiteral("mono"));
    EXPECT_EQ(CExportOptionNames::PlanesWord(SExportOptions::RedGreen), QStringLiteral("red-green"));
}

// Options are equal only when every field is.
TEST(ExportOptions, EqualOnlyWhenEveryFieldIs)
{
    using O = SExportOptions;
    void (*const changes[])(O&) = {
        [](O& o) { o.scan = O::Columns; },          [](O& o) { o.bitOrder = O::LsbFirst; },
        [](O& o) { o.moduleWidth = 8; },            [](O& o) { o.moduleHeight = 8; },
        [](O& o) { o.moduleOrder = O::ModuleColumns; }, [](O& o) { o.serpentine = true; },
        [](O& o) { o.invert = true; },              [](O& o) { o.planes = O::Rgb; },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        O changed;
        changes[i](changed);
        EXPECT_FALSE(changed == O()) << i;
        EXPECT_TRUE(changed != O()) << i;
        O same;
        changes[i](same);
        EXPECT_TRUE(changed == same) << i;
    }
}
