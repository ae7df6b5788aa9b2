#include "app/BatchCommandLine.h"

#include "SevenColours.h"

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
