#include "app/BatchCommandLine.h"

#include "SevenColours.h"

#include <QRegularExpression>

#include <iterator>

#include <gtest/gtest.h>

namespace {
QString ErrorOf(const QStringList& args)
{
    CBatchCommandLine line;
    EXPECT_FALSE(line.Parse(args));
    return line.Error();
}
}

TEST(BatchCommandLine, OnlyOptionsMakeABatchRun)
{
    EXPECT_FALSE(CBatchCommandLine::IsBatch({}));
    EXPECT_FALSE(CBatchCommandLine::IsBatch({"picture.bmp"}));
    EXPECT_TRUE(CBatchCommandLine::IsBatch({"--version"}));
}

TEST(BatchCommandLine, ParsesValuesInOrder)
{
    CBatchCommandLine line;
    ASSERT_TRUE(line.Parse({"--new", "20x10:image", "--dot-color", "ORANGE", "--background", "00ff80",
                            "--set-dot", "3,4", "--text-colors", "red,Blue", "--stretch", "-4", "--text", "",
                            "--save-dots", "out.txt"}));
    const auto& s = line.Steps();
    ASSERT_EQ(s.size(), 8u);
    EXPECT_EQ(s[0].kind, SBatchStep::New);
    EXPECT_EQ(s[0].x, 20);
    EXPECT_EQ(s[0].y, 10);
    EXPECT_EQ(s[0].mode, 1);
    EXPECT_EQ(s[1].x, 6);
    EXPECT_EQ(s[2].color, MakeColor(0, 255, 128));
    EXPECT_EQ(s[3].x, 3);
    EXPECT_EQ(s[3].y, 4);
    EXPECT_EQ(s[4].colors, (std::vector<int>{0, 2}));
    EXPECT_EQ(s[5].x, -4);
    EXPECT_EQ(s[6].text, QString());
    EXPECT_EQ(s[7].text, QString("out.txt"));

    ASSERT_TRUE(line.Parse({"--new", "16x16"}));
    EXPECT_EQ(line.Steps()[0].mode, 0);

    ASSERT_TRUE(line.Parse({"--match", "nearest", "--open", "a.jpg", "--match", "dither", "--match", "exact"}));
    ASSERT_EQ(line.Steps().size(), 4u);
    EXPECT_EQ(line.Steps()[0].kind, SBatchStep::Match);
    EXPECT_EQ(line.Steps()[0].x, 1);
    EXPECT_EQ(line.Steps()[1].kind, SBatchStep::Open);
    EXPECT_EQ(line.Steps()[2].x, 2);
    EXPECT_EQ(line.Steps()[3].x, 0);
}

TEST(BatchCommandLine, BadInputNamesTheOption)
{
    EXPECT_EQ(ErrorOf({"--frobnicate"}), "--frobnicate: unknown option");
    EXPECT_EQ(ErrorOf({"--crop", "0,0,8,0"}), "--crop: the width and height must be above 0");
    EXPECT_EQ(ErrorOf({"--crop", "0,0,0,8"}), "--crop: the width and height must be above 0");
    EXPECT_EQ(ErrorOf({"--mirror", "file.txt"}), "file.txt: unexpected argument");
    EXPECT_EQ(ErrorOf({"--open"}), "--open: missing value FILE");
    EXPECT_EQ(ErrorOf({"--new", "axb"}), "--new: 'a' is not a number");
    EXPECT_EQ(ErrorOf({"--new", "16"}), "--new: '16' is not of the form AxB");
    EXPECT_EQ(ErrorOf({"--new", "16x16:photo"}), "--new: mode 'photo' is neither text nor image");
    EXPECT_EQ(ErrorOf({"--dot-color", "purple"}), "--dot-color: unknown colour 'purple'");
    EXPECT_EQ(ErrorOf({"--text-colors", "red,,blue"}), "--text-colors: unknown colour ''");
    EXPECT_EQ(ErrorOf({"--background", "12345g"}), "--background: '12345g' is not a colour RRGGBB");
    EXPECT_EQ(ErrorOf({"--size", "big"}), "--size: 'big' is not a number");
    EXPECT_EQ(ErrorOf({"--size", "0"}), "--size: the size must be within 1..5792");
    EXPECT_EQ(ErrorOf({"--stretch", "65"}), "--stretch: the stretch must be within -32..64");
    EXPECT_EQ(ErrorOf({"--stretch", "wide"}), "--stretch: 'wide' is not a number");
    EXPECT_EQ(ErrorOf({"--set-dot", "1;2"}), "--set-dot: '1;2' is not of the form A,B");
    EXPECT_EQ(ErrorOf({"--match"}), "--match: missing value exact|nearest|dither");
    for (const char* bad : {"", "Nearest", "dithered", "1", "exact "})
        EXPECT_EQ(ErrorOf({"--match", bad}), QStringLiteral("--match: '%1' is none of exact, nearest, dither").arg(bad));
}

TEST(BatchCommandLine, EveryColourNameInAnyCaseGivesItsIndex)
{
    QStringList all;
    std::vector<int> indexes;
    for (const SDotColour& colour : kSevenColours) {
        const QString name = QString::fromLatin1(colour.option);
        for (const QString& spelled : {name, name.toUpper(), QString::fromLatin1(colour.name)}) {
            CBatchCommandLine line;
            ASSERT_TRUE(line.Parse({"--dot-color", spelled})) << line.Error().toStdString();
            EXPECT_EQ(line.Steps()[0].x, colour.index) << spelled.toStdString();
        }
        all << name;
        indexes.push_back(colour.index);
    }
    CBatchCommandLine line;
    ASSERT_TRUE(line.Parse({"--text-colors", all.join(',')}));
    EXPECT_EQ(line.Steps()[0].colors, indexes);
}

TEST(BatchCommandLine, StretchAndSizeLimitsHoldAtTheirEdges)
{
    const struct
    {
        const char* option;
        const char* value;
        bool accepted;
    } cases[] = {
        {"--stretch", "-33", false}, {"--stretch", "-32", true}, {"--stretch", "64", true},
        {"--stretch", "65", false},  {"--size", "0", false},     {"--size", "1", true},
        {"--size", "5792", true},    {"--size", "5793", false},  {"--size", "99999", false},
    };
    for (const auto& k : cases) {
        CBatchCommandLine line;
        EXPECT_EQ(line.Parse({k.option, k.value}), k.accepted) << k.option << " " << k.value;
        if (k.accepted) {
            EXPECT_EQ(line.Steps()[0].x, QString(k.value).toInt()) << k.option << " " << k.value;
        }
    }
}

// Each of the four numbers of a shape may be -8192..8192, no further.
TEST(BatchCommandLine, ShapeCornersHoldTheDrawingLimitInEachPlace)
{
    for (int place = 0; place < 4; ++place) {
        for (const int value : {8192, -8192, 8193, -8193}) {
            QStringList numbers = {"0", "0", "1", "1"};
            numbers[place] = QString::number(value);
            CBatchCommandLine line;
            EXPECT_EQ(line.Parse({"--line", numbers.join(',')}), std::abs(value) <= 8192) << place << " " << value;
        }
        // A word in that place is no number.
        QStringList numbers = {"0", "0", "1", "1"};
        numbers[place] = QStringLiteral("x");
        EXPECT_EQ(ErrorOf({"--line", numbers.join(',')}), "--line: 'x' is not a number") << place;
    }
}

TEST(BatchCommandLine, AlignNamesEachAxisAndSpacingsHoldTheirLimits)
{
    const struct
    {
        const char* value;
        int h, v;
    } aligns[] = {
        {"left", 1, 0}, {"center", 2, 0}, {"right", 3, 0}, {"left,top", 1, 1}, {"center,middle", 2, 2}, {"right,bottom", 3, 3},
    };
    for (const auto& a : aligns) {
        CBatchCommandLine line;
        ASSERT_TRUE(line.Parse({"--align", a.value})) << a.value;
        EXPECT_EQ(line.Steps()[0].x, a.h) << a.value;
        EXPECT_EQ(line.Steps()[0].y, a.v) << a.value;
    }
    for (const char* bad : {"middle", "top,left", "center,", ",middle", "left,top,top", "Center", ""})
        EXPECT_EQ(ErrorOf({"--align", bad}),
                  QStringLiteral("--align: '%1' is not left|center|right[,top|middle|bottom]").arg(bad));
    for (const char* option : {"--spacing", "--line-spacing"}) {
        for (const int value : {-33, -32, -1, 0, 3, 64, 65}) {
            CBatchCommandLine line;
            const bool inside = value >= -32 && value <= 64;
            EXPECT_EQ(line.Parse({option, QString::number(value)}), inside) << option << " " << value;
            if (inside) {
                EXPECT_EQ(line.Steps()[0].x, value);
            } else {
                EXPECT_EQ(line.Error(), QStringLiteral("%1: the spacing must be within -32..64").arg(option));
            }
        }
    }
    CBatchCommandLine line;
    ASSERT_TRUE(line.Parse({"--fit-height", "--merge"}));
    EXPECT_EQ(line.Steps()[0].kind, SBatchStep::FitHeight);
}

TEST(BatchCommandLine, PositionsStopWhereTheCanvasCanNoLongerShowThem)
{
    // Glyph offsets reach one cell of the largest font (5792) either way; the
    // overlay starts at most on the last column or row of the largest canvas
    // and at least 2^23 dots before it; the int extremes are refused, not wrapped.
    const struct
    {
        const char* option;
        const char* value;
        bool accepted;
    } cases[] = {
        {"--offset", "5792,-5792", true},         {"--offset", "-5792,5792", true},
        {"--offset", "5793,0", false},            {"--offset", "0,-5793", false},
        {"--offset", "2147483647,0", false},      {"--offset", "0,-2147483648", false},
        {"--overlay-at", "1023,767", true},       {"--overlay-at", "1024,0", false},
        {"--overlay-at", "0,768", false},         {"--overlay-at", "-8388608,-8388608", true},
        {"--overlay-at", "-8388609,0", false},    {"--overlay-at", "0,-8388609", false},
        {"--overlay-at", "-2147483648,0", false}, {"--set-dot", "2147483647,0", true},
    };
    for (const auto& k : cases) {
        CBatchCommandLine line;
        EXPECT_EQ(line.Parse({k.option, k.value}), k.accepted) << k.option << " " << k.value;
        if (k.accepted) {
            const QStringList xy = QString(k.value).split(',');
            EXPECT_EQ(line.Steps()[0].x, xy[0].toInt()) << k.option << " " << k.value;
            EXPECT_EQ(line.Steps()[0].y, xy[1].toInt()) << k.option << " " << k.value;
        } else {
            EXPECT_TRUE(line.Error().startsWith(QString("%1: ").arg(k.option))) << line.Error().toStdString();
        }
    }
    EXPECT_EQ(ErrorOf({"--offset", "0,5793"}), "--offset: Y must be within -5792..5792");
    EXPECT_EQ(ErrorOf({"--overlay-at", "1024,0"}), "--overlay-at: X must be within -8388608..1023");
}

// Each option is known by its exact name, gives its own kind of step, and
// either takes the next argument as its value or leaves it for the next option.
TEST(BatchCommandLine, EveryOptionGivesItsKindAndTakesAValueOrNot)
{
    const struct
    {
        const char* name;
        SBatchStep::Kind kind;
        const char* value; // nullptr: a switch without a value
    } options[] = {
        {"--new", SBatchStep::New, "16x8"},
        {"--open", SBatchStep::Open, "a.png"},
        {"--match", SBatchStep::Match, "dither"},
        {"--mirror", SBatchStep::Mirror, nullptr},
        {"--flip", SBatchStep::Flip, nullptr},
        {"--rotate", SBatchStep::Rotate, nullptr},
        {"--dot-color", SBatchStep::DotColor, "red"},
        {"--background", SBatchStep::Background, "102030"},
        {"--set-dot", SBatchStep::SetDot, "1,2"},
        {"--clear-dot", SBatchStep::ClearDot, "1,2"},
        {"--text", SBatchStep::Text, "A"},
        {"--text-colors", SBatchStep::TextColors, "red"},
        {"--font", SBatchStep::Font, "DejaVu Sans"},
        {"--size", SBatchStep::Size, "12"},
        {"--offset", SBatchStep::Offset, "1,2"},
        {"--stretch", SBatchStep::Stretch, "3"},
        {"--overlay-at", SBatchStep::OverlayAt, "1,2"},
        {"--align", SBatchStep::Align, "left"},
        {"--spacing", SBatchStep::Spacing, "1"},
        {"--line-spacing", SBatchStep::LineSpacing, "1"},
        {"--fit-height", SBatchStep::FitHeight, nullptr},
        {"--merge", SBatchStep::Merge, nullptr},
        {"--save-dots", SBatchStep::SaveDots, "a.txt"},
        {"--save-image", SBatchStep::SaveImage, "a.bmp"},
        {"--print-pdf", SBatchStep::PrintPdf, "a.pdf"},
        {"--load-dots", SBatchStep::LoadDots, "a.txt"},
        {"--line", SBatchStep::Line, "0,0,1,1"},
        {"--clear-line", SBatchStep::ClearLine, "0,0,1,1"},
        {"--rect", SBatchStep::Rect, "0,0,1,1"},
        {"--clear-rect", SBatchStep::ClearRect, "0,0,1,1"},
        {"--ellipse", SBatchStep::Ellipse, "0,0,1,1"},
        {"--clear-ellipse", SBatchStep::ClearEllipse, "0,0,1,1"},
        {"--fill", SBatchStep::Fill, "1,1"},
        {"--clear-fill", SBatchStep::ClearFill, "1,1"},
        {"--resize", SBatchStep::Resize, "8x8"},
        {"--crop", SBatchStep::Crop, "0,0,1,1"},
        {"--export", SBatchStep::Export, "a.bin"},
        {"--scan", SBatchStep::Scan, "columns"},
        {"--bit-order", SBatchStep::BitOrder, "lsb"},
        {"--module", SBatchStep::Module, "8x8"},
        {"--module-order", SBatchStep::ModuleOrder, "columns"},
        {"--serpentine", SBatchStep::Serpentine, nullptr},
        {"--invert", SBatchStep::Invert, nullptr},
        {"--planes", SBatchStep::Planes, "rgb"},
        {"--load-export", SBatchStep::LoadExport, "a.bin"},
        {"--save-project", SBatchStep::SaveProject, "a.png"},
        {"--undo", SBatchStep::Undo, nullptr},
        {"--redo", SBatchStep::Redo, nullptr},
        {"--frame", SBatchStep::Frame, "2"},
        {"--add-frame", SBatchStep::AddFrame, nullptr},
        {"--duplicate-frame", SBatchStep::DuplicateFrame, nullptr},
        {"--delete-frame", SBatchStep::DeleteFrame, nullptr},
        {"--move-frame", SBatchStep::MoveFrame, "2"},
        {"--duration", SBatchStep::Duration, "100"},
        {"--panel", SBatchStep::Panel, "8x8"},
        {"--scroll", SBatchStep::Scroll, "left"},
        {"--blink", SBatchStep::Blink, "100"},
        {"--wipe", SBatchStep::Wipe, "left"},
        {"--gif-dots", SBatchStep::GifDots, "2"},
        {"--save-gif", SBatchStep::SaveGif, "a.gif"},
        {"--save-frames", SBatchStep::SaveFrames, "a.png"},
        {"--list-fonts", SBatchStep::ListFonts, nullptr},
        {"--help", SBatchStep::Help, nullptr},
        {"--version", SBatchStep::Version, nullptr},
    };
    ASSERT_EQ(std::size(options), 64u);
    for (const auto& o : options) {
        const QString name = QString::fromLatin1(o.name);
        CBatchCommandLine line;
        if (o.value) {
            ASSERT_TRUE(line.Parse({name, o.value, "--merge"})) << o.name << ": " << line.Error().toStdString();
            ASSERT_EQ(line.Steps().size(), 2u) << o.name;
            EXPECT_TRUE(ErrorOf({name}).startsWith(name + ": missing value ")) << o.name;
        } else {
            ASSERT_TRUE(line.Parse({name, "--merge"})) << o.name << ": " << line.Error().toStdString();
            ASSERT_EQ(line.Steps().size(), 2u) << o.name;
            EXPECT_EQ(ErrorOf({name, "x"}), "x: unexpected argument") << o.name;
        }
        EXPECT_EQ(line.Steps()[0].kind, o.kind) << o.name;
        EXPECT_EQ(line.Steps()[0].option, name);
        EXPECT_EQ(line.Steps()[1].kind, SBatchStep::Merge) << o.name;
        // Only the whole name is an option.
        EXPECT_EQ(ErrorOf({name.chopped(1)}), name.chopped(1) + ": unknown option") << o.name;
    }
}

// The help lists each option on its own line, its description starting in
// the same column after the name and value.
TEST(BatchCommandLine, HelpListsEachOptionWithItsDescriptionInOneColumn)
{
    const QStringList lines = CBatchCommandLine::HelpText().split('\n');
    EXPECT_TRUE(lines.contains("  --undo                            take back the last change to the dots"));
    EXPECT_TRUE(lines.contains("  --new WxH[:text|:image]           make a new canvas (sizes corrected as in the New dialog)"));
    // A head longer than the column is not cut.
    EXPECT_TRUE(lines.contains("  --scroll left|right|up|down[:SPEED]frames of the canvas scrolling across the panel, "
                               "SPEED dots a second (20)"));
    EXPECT_EQ(lines.last(), QString());
    EXPECT_EQ(lines.filter(QRegularExpression("^  --")).size(), 64);
}

// The last accepted value and the first refused one of each range the
// command line checks, on both axes where there are two.
TEST(BatchCommandLine, RangesHoldAtBothEdges)
{
    const struct
    {
        const char* option;
        const char* value;
        int x, y; // expected values when accepted
        const char* error; // nullptr: accepted
    } cases[] = {
        {"--panel", "1x1", 1, 1, nullptr},
        {"--panel", "1024x768", 1024, 768, nullptr},
        {"--panel", "0x8", 0, 0, "--panel: the width must be within 1..1024"},
        {"--panel", "8x0", 0, 0, "--panel: the height must be within 1..768"},
        {"--panel", "8x769", 0, 0, "--panel: the height must be within 1..768"},
        {"--gif-dots", "32", 32, 0, nullptr},
        {"--gif-dots", "0", 0, 0, nullptr},
        {"--scroll", "right:100", 1, 100, nullptr},
        {"--scroll", "down:1", 3, 1, nullptr},
        {"--wipe", "right:101", 0, 0, "--wipe: the speed (dots a second) must be within 1..100"},
        {"--wipe", "up", 2, 20, nullptr},
        {"--duration", "10", 10, 0, nullptr},
        {"--duration", "60000", 60000, 0, nullptr},
        {"--duration", "60001", 0, 0, "--duration: the duration (ms) must be within 10..60000"},
        {"--blink", "10", 10, 0, nullptr},
        {"--blink", "9", 0, 0, "--blink: the duration (ms) must be within 10..60000"},
        {"--frame", "1", 1, 0, nullptr},
        {"--move-frame", "0", 0, 0, "--move-frame: frames are numbered from 1"},
        {"--size", " 12 ", 12, 0, nullptr},
        {"--new", "1024x768", 1024, 768, nullptr},
        {"--resize", "30x20", 30, 20, nullptr},
        {"--fill", "3,-4", 3, -4, nullptr},
        {"--clear-fill", "3", 0, 0, "--clear-fill: '3' is not of the form A,B"},
    };
    for (const auto& c : cases) {
        CBatchCommandLine line;
        const bool accepted = line.Parse({c.option, c.value});
        EXPECT_EQ(accepted, c.error == nullptr) << c.option << " " << c.value;
        if (!accepted) {
            EXPECT_EQ(line.Error(), QString::fromLatin1(c.error ? c.error : "")) << c.option << " " << c.value;
            continue;
        }
        ASSERT_EQ(line.Steps().size(), 1u);
        EXPECT_EQ(line.Steps()[0].x, c.x) << c.option << " " << c.value;
        EXPECT_EQ(line.Steps()[0].y, c.y) << c.option << " " << c.value;
    }
}

// Shapes take :fill, lines and crops do not; a resize keeps the top left
// unless it names another anchor.
TEST(BatchCommandLine, FillSuffixAndResizeAnchor)
{
    const struct
    {
        const char* option;
        const char* value;
        int mode;
    } filled[] = {
        {"--rect", "1,2,3,4:fill", 1},         {"--rect", "1,2,3,4", 0},
        {"--clear-rect", "1,2,3,4:fill", 1},   {"--ellipse", "1,2,3,4:fill", 1},
        {"--clear-ellipse", "1,2,3,4:fill", 1}, {"--ellipse", "1,2,3,4", 0},
        {"--resize", "30x20", 0},              {"--resize", "30x20:top-right", 2},
        {"--resize", "30x20:bottom-right", 8},
    };
    for (const auto& f : filled) {
        CBatchCommandLine line;
        ASSERT_TRUE(line.Parse({f.option, f.value})) << f.option << " " << f.value << ": " << line.Error().toStdString();
        const SBatchStep& step = line.Steps()[0];
        EXPECT_EQ(step.mode, f.mode) << f.option << " " << f.value;
        if (step.kind == SBatchStep::Resize) {
            EXPECT_EQ(step.x, 30);
            EXPECT_EQ(step.y, 20);
            continue;
        }
        EXPECT_EQ(step.x, 1);
        EXPECT_EQ(step.y, 2);
        EXPECT_EQ(step.x2, 3);
        EXPECT_EQ(step.y2, 4);
    }
    EXPECT_EQ(ErrorOf({"--line", "1,2,3,4:fill"}), "--line: '4:fill' is not a number");
    EXPECT_EQ(ErrorOf({"--clear-line", "1,2,3,4:fill"}), "--clear-line: '4:fill' is not a number");
    EXPECT_EQ(ErrorOf({"--crop", "1,2,3,4:fill"}), "--crop: '4:fill' is not a number");
    EXPECT_EQ(ErrorOf({"--rect", "1,2,3:fill"}), "--rect: '1,2,3:fill' is not of the form A,B,C,D");
    EXPECT_EQ(ErrorOf({"--rect", "1,2,3,4,5"}), "--rect: '1,2,3,4,5' is not of the form A,B,C,D");
    // A value that starts with its colon has an empty size.
    EXPECT_EQ(ErrorOf({"--resize", ":top"}), "--resize: '' is not of the form AxB");
    EXPECT_EQ(ErrorOf({"--new", ":image"}), "--new: '' is not of the form AxB");
    CBatchCommandLine crop;
    ASSERT_TRUE(crop.Parse({"--crop", "-1,-2,1,1"}));
    EXPECT_EQ(crop.Steps()[0].x2, 1);
    EXPECT_EQ(crop.Steps()[0].y2, 1);
}

// Every anchor, by name or by compass point, reaches the resize step; the
// first of them (top left) is as valid as the rest.
TEST(BatchCommandLine, EveryResizeAnchorNameParses)
{
    const struct
    {
        const char* name;
        const char* compass;
        int anchor;
    } anchors[] = {
        {"top-left", "nw", 0}, {"top", "n", 1},       {"top-right", "ne", 2},
        {"left", "w", 3},      {"center", "c", 4},    {"right", "e", 5},
        {"bottom-left", "sw", 6}, {"bottom", "s", 7}, {"bottom-right", "se", 8},
    };
    for (const auto& a : anchors) {
        for (const char* word : {a.name, a.compass}) {
            CBatchCommandLine line;
            const QString value = QStringLiteral("12x9:%1").arg(QLatin1String(word));
            ASSERT_TRUE(line.Parse({"--resize", value})) << word << ": " << line.Error().toStdString();
            EXPECT_EQ(line.Steps()[0].mode, a.anchor) << word;
        }
    }
}

// Colours: six hexadecimal digits exactly; names may be spaced after commas.
// File names keep the bytes they were given as.
TEST(BatchCommandLine, ColoursEmptyValuesAndRawBytes)
{
    const struct
    {
        const char* value;
        int r, g, b;
    } colours[] = {{"123456", 0x12, 0x34, 0x56}, {"FFFFFF", 255, 255, 255}, {"000000", 0, 0, 0}, {"a0b0c0", 0xa0, 0xb0, 0xc0}};
    for (const auto& c : colours) {
        CBatchCommandLine line;
        ASSERT_TRUE(line.Parse({"--background", c.value})) << c.value;
        EXPECT_EQ(line.Steps()[0].color, MakeColor(c.r, c.g, c.b)) << c.value;
    }
    for (const char* bad : {"fff", "12345", "1234567", "", "-12345"})
        EXPECT_EQ(ErrorOf({"--background", bad}), QStringLiteral("--background: '%1' is not a colour RRGGBB").arg(bad));

    CBatchCommandLine spaced;
    ASSERT_TRUE(spaced.Parse({"--text-colors", " white , orange"}));
    EXPECT_EQ(spaced.Steps()[0].colors, (std::vector<int>{5, 6}));

    for (const char* option : {"--save-dots", "--open", "--font", "--export"})
        EXPECT_EQ(ErrorOf({option, ""}), QStringLiteral("%1: empty value").arg(option));

    CBatchCommandLine raw;
    ASSERT_TRUE(raw.Parse({"--merge", "--open", "a.png", "--save-dots", "b.txt"}, {"--merge", "--open", "A\xff", "--save-dots"}));
    ASSERT_EQ(raw.Steps().size(), 3u);
    EXPECT_EQ(raw.Steps()[0].rawText, QByteArray());
    EXPECT_EQ(raw.Steps()[1].rawText, QByteArray("A\xff"));
    EXPECT_EQ(raw.Steps()[1].text, "a.png");
    EXPECT_EQ(raw.Steps()[2].rawText, QByteArray()); // no bytes were given for it
    EXPECT_EQ(raw.Steps()[2].text, "b.txt");
}
