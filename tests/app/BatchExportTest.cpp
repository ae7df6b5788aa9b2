#include "app/BatchCommandLine.h"

#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QStringList kSample = {"--new", "16x8:image", "--dot-color", "green",
                             "--set-dot", "0,0", "--set-dot", "9,0", "--set-dot", "15,7"};

QString ParseError(const QStringList& args)
{
    CBatchCommandLine line;
    return line.Parse(args) ? QString() : line.Error();
}

} // namespace

TEST(BatchExport, WorkedExampleInEachOrder)
{
    CScratchDir dir;
    const SProcessResult r = RunPellmark(QStringList(kSample) << "--export" << dir.FilePath("rows.bin")
                                         << "--export" << dir.FilePath("rows.h")
                                         << "--bit-order" << "lsb" << "--export" << dir.FilePath("lsb.bin")
                                         << "--bit-order" << "msb" << "--scan" << "columns"
                                         << "--export" << dir.FilePath("columns.hex")
                                         << "--scan" << "rows" << "--invert" << "--export" << dir.FilePath("inverted.bin"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty() && r.out.isEmpty());
    EXPECT_EQ(ReadAll(dir.FilePath("rows.bin")).toHex(' '), "80 40 00 00 00 00 00 00 00 00 00 00 00 00 00 01");
    EXPECT_EQ(ReadAll(dir.FilePath("lsb.bin")).toHex(' '), "01 02 00 00 00 00 00 00 00 00 00 00 00 00 00 80");
    EXPECT_TRUE(ReadAll(dir.FilePath("rows.h")).contains("const uint8_t rows[] = {\n    0x80, 0x40, 0x00,"));
    EXPECT_EQ(ReadAll(dir.FilePath("columns.hex")), ":1000000080000000000000000080000000000001EF\r\n:00000001FF\r\n");
    // Active-low: every bit of rows.bin the other way round.
    EXPECT_EQ(ReadAll(dir.FilePath("inverted.bin")).toHex(' '), "7f bf ff ff ff ff ff ff ff ff ff ff ff ff ff fe");
}

// A PNG export opens again as the same dots: its listing is the canvas's.
TEST(BatchExport, PngExportOpensAsTheSameListing)
{
    CScratchDir dir;
    ASSERT_EQ(RunPellmark(QStringList(kSample) << "--export" << dir.FilePath("sign.png") << "--save-dots"
                                                << dir.FilePath("before.txt"))
                  .exitCode,
              0);
    const SProcessResult r =
        RunPellmark({"--open", dir.FilePath("sign.png"), "--save-dots", dir.FilePath("after.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(ReadAll(dir.FilePath("before.txt")).isEmpty());
    EXPECT_EQ(ReadAll(dir.FilePath("after.txt")), ReadAll(dir.FilePath("before.txt")));
}

TEST(BatchExport, LoadExportRedrawsTheSameDots)
{
    // Modules, snaking and rgb planes, through a hex file onto a fresh canvas:
    // the listing of both canvases is the same, and Undo takes the load back.
    CScratchDir dir;
    const QStringList options = {"--planes", "rgb", "--module", "8x8", "--module-order", "columns",
                                 "--serpentine", "--invert", "--scan", "columns"};
    QStringList first = {"--new", "32x16:image"};
    const char* colours[] = {"red", "green", "blue", "yellow", "pink", "white"};
    for (int i = 0; i < 12; ++i)
        first << "--dot-color" << colours[i % 6] << "--set-dot" << QString("%1,%2").arg(i * 5 % 32).arg(i * 3 % 16);
    first << options << "--export" << dir.FilePath("sign.hex") << "--save-dots" << dir.FilePath("first.txt");
    ASSERT_EQ(RunPellmark(first).exitCode, 0);
    const SProcessResult r = RunPellmark(QStringList{"--new", "32x16:image"} << options
                                         << "--load-export" << dir.FilePath("sign.hex")
                                         << "--save-dots" << dir.FilePath("second.txt") << "--undo"
                                         << "--save-dots" << dir.FilePath("undone.txt"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(dir.FilePath("second.txt")), ReadAll(dir.FilePath("first.txt")));
    EXPECT_FALSE(ReadAll(dir.FilePath("first.txt")).isEmpty());
    EXPECT_EQ(ReadAll(dir.FilePath("undone.txt")), "");
}

TEST(BatchExport, BadValuesAndFilesStopTheRun)
{
    EXPECT_EQ(ParseError({"--scan", "diagonal"}), "--scan: 'diagonal' is none of rows, columns");
    EXPECT_EQ(ParseError({"--bit-order", "MSB"}), "--bit-order: 'MSB' is none of msb, lsb");
    EXPECT_EQ(ParseError({"--planes", "rgbw"}), "--planes: 'rgbw' is none of mono, red-green, rgb");
    EXPECT_EQ(ParseError({"--module-order", "snake"}), "--module-order: 'snake' is none of rows, columns");
    for (const char* bad : {"0x8", "8", "8x", "1025x8", "-8x8", "8x8x8"})
        EXPECT_EQ(ParseError({"--module", bad}), QStringLiteral("--module: '%1' is not a module size WxH (1..1024 each) or none").arg(bad));
    EXPECT_EQ(ParseError({"--module", "1024x1", "--module", "none", "--serpentine", "--invert"}), QString());

    CScratchDir dir;
    struct SCase
    {
        QStringList args;
        const char* says;
    };
    const SCase cases[] = {
        {{"--export", dir.FilePath("sign.txt")}, "names no export form; use .h, .c, .bin, .hex or .png."},
        {{"--module", "24x16", "--export", dir.FilePath("a.bin")}, "A 16 x 8 canvas does not split into whole modules of 24 x 16 dots."},
        {{"--export", dir.FilePath("no/such/a.bin")}, "does not exist"},
        {{"--load-export", dir.FilePath("missing.bin")}, "cannot open"},
        {{"--load-export", dir.FilePath("a.h")}, "is neither a .bin nor a .hex file"},
    };
    for (const SCase& c : cases) {
        const SProcessResult r = RunPellmark(QStringList(kSample) << c.args);
        EXPECT_EQ(r.exitCode, 2) << c.says;
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1);
    }
    EXPECT_TRUE(QDir(dir.Path()).entryList(QDir::Files).isEmpty());
}

// Module size, chain order, snaking and planes each move a dot's bit: one
// lit dot on a 16 x 16 canvas, rows of 8 dots a byte, high bit first.
TEST(BatchExport, EachLayoutOptionPutsTheDotWhereItSays)
{
    CScratchDir dir;
    const struct
    {
        const char* colour;
        const char* dot;
        QStringList options;
        int size;  // bytes written
        int index; // the one byte that is not 0, holding 0x80
    } cases[] = {
        {"green", "8,0", {}, 32, 1},
        {"green", "8,0", {"--module", "8x8"}, 32, 8},
        {"green", "8,0", {"--module", "16x8"}, 32, 1},
        {"green", "8,0", {"--module", "8x16"}, 32, 16},
        {"green", "8,0", {"--module", "8x8", "--module-order", "columns"}, 32, 16},
        {"green", "0,8", {"--module", "8x8"}, 32, 16},
        {"green", "0,8", {"--module", "8x8", "--serpentine"}, 32, 24},
        {"green", "0,0", {"--planes", "red-green"}, 64, 32},
        {"red", "0,0", {"--planes", "red-green"}, 64, 0},
        {"blue", "0,0", {"--planes", "rgb"}, 96, 64},
    };
    const QString bin = dir.FilePath("out.bin");
    for (const auto& c : cases) {
        QFile::remove(bin);
        const QStringList args = QStringList{"--new", "16x16:image", "--dot-color", c.colour, "--set-dot", c.dot} + c.options
            + QStringList{"--export", bin};
        const SProcessResult r = RunPellmark(args);
        ASSERT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        QByteArray expected(c.size, '\0');
        expected[c.index] = char(0x80);
        EXPECT_EQ(ReadAll(bin).toHex(' '), expected.toHex(' ')) << args.join(' ').toStdString();
    }
}
