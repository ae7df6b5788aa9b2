#include "SevenColours.h"
#include "TestSupport.h"
#include "../textinput/FontOwnDots.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QStringList ClearAll(int width, int height)
{
    QStringList args;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            args << "--clear-dot" << QString("%1,%2").arg(x).arg(y);
    return args;
}

} // namespace

TEST(BatchProcess, ImageModeWorkedExampleByteForByte)
{
    CScratchDir dir;
    const QString out = dir.FilePath("dots.txt");
    const SProcessResult r = RunPellmark({"--new", "16x8:image", "--dot-color", "red", "--set-dot", "0,0", "--set-dot", "1,0",
                                   "--dot-color", "Green", "--set-dot", "7,7", "--dot-color", "BLUE", "--set-dot", "9,0",
                                   "--save-dots", out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(ReadAll(out), QByteArray("1-1-1-R, 1-1-2-R, 1-8-8-G\r\n\r\n2-1-2-B\r\n\r\n"));
}

TEST(BatchProcess, TextModeWorkedExampleByteForByte)
{
    CScratchDir dir;
    const QString out = dir.FilePath("dots.txt");
    QStringList args{"--new", "8x8:text", "--font", "DejaVu Sans", "--size", "8", "--text", "I",
                     "--text-colors", "green", "--merge"};
    args << ClearAll(8, 8) << "--dot-color" << "green" << "--set-dot" << "4,0";
    for (int y = 0; y < 8; ++y)
        args << "--set-dot" << QString("3,%1").arg(y);
    args << "--save-dots" << out;
    const SProcessResult r = RunPellmark(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(out),
              QByteArray("/*****  I, Green  ***********************************************************/\r\n"
                         " 1-1-4-G,  1-1-5-G,  1-2-4-G,  1-3-4-G,  1-4-4-G,  1-5-4-G,  1-6-4-G,  1-7-4-G\r\n"
                         " 1-8-4-G\r\n"
                         "//**** <9> *******************************************************************\r\n"
                         "\r\n"));
}

TEST(BatchProcess, EveryColourNamePaintsItsOwnDot)
{
    CScratchDir dir;
    const QString out = dir.FilePath("dots.txt");
    QStringList args{"--new", "8x8:image"};
    for (const SDotColour& colour : kSevenColours)
        args << "--dot-color" << colour.option << "--set-dot" << QString("%1,0").arg(colour.index);
    args << "--save-dots" << out;
    const SProcessResult r = RunPellmark(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(out), QByteArray("1-1-1-R, 1-1-2-G, 1-1-3-B, 1-1-4-Y, 1-1-5-P, 1-1-6-W, 1-1-7-O\r\n\r\n"));
}

TEST(BatchProcess, ListingsReadBackAndPicturesRoundTrip)
{
    CScratchDir dir;
    const QString first = dir.FilePath("a.txt");
    const QString bmp = dir.FilePath("a.bmp");
    const QString second = dir.FilePath("b.txt");
    WriteAll(first, "1-1-1-R, 1-8-8-G\r\n\r\n3-2-2-O\r\n\r\n");
    SProcessResult r = RunPellmark({"--new", "16x16:image", "--load-dots", first, "--save-image", bmp});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Open keeps the canvas's mode, so an image-mode canvas comes first.
    r = RunPellmark({"--new", "8x8:image", "--open", bmp, "--save-dots", second, "--print-pdf", dir.FilePath("a.pdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(second), ReadAll(first));
    EXPECT_TRUE(ReadAll(dir.FilePath("a.pdf")).startsWith("%PDF"));
    EXPECT_FALSE(QFile::exists(dir.FilePath("a.pdf.part")));
}

TEST(BatchProcess, BadInputExitsWithTwoAndWritesNothing)
{
    CScratchDir dir;
    const QString out = dir.FilePath("out.txt");
    WriteAll(dir.FilePath("bad.bmp"), "BM this is not a picture");
    WriteAll(dir.FilePath("bad.txt"), "1-1-1-R\r\n\r\nnonsense\r\n");
    const struct
    {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"--bogus"}, "--bogus: unknown option"},
        {{"--new"}, "--new: missing value"},
        {{"--new", "16by16"}, "--new: '16by16' is not of the form AxB"},
        {{"--new", "axb"}, "--new: 'a' is not a number"},
        {{"--new", "16x16", "--dot-color", "purple", "--save-dots", out}, "--dot-color: unknown colour 'purple'"},
        {{"--size", "x12"}, "--size: 'x12' is not a number"},
        {{"--open", dir.FilePath("bad.bmp"), "--save-dots", out}, "--open: cannot read the picture"},
        {{"--new", "16x16:image", "--set-dot", "16,0", "--save-dots", out}, "--set-dot: 16,0 is outside the 16 x 16 canvas"},
        {{"--new", "16x8:image", "--clear-dot", "15,8", "--save-dots", out}, "--clear-dot: 15,8 is outside the 16 x 8 canvas"},
        {{"--new", "16x16:image", "--load-dots", dir.FilePath("bad.txt"), "--save-dots", out}, "line 3:"},
        {{"--new", "16x16:image", "--save-dots", dir.FilePath("missing/out.txt")}, "--save-dots: the folder of"},
        {{"--new", "16x16:image", "--save-image", dir.FilePath("missing/out.bmp")}, "--save-image:"},
        {{"--new", "16x16:image", "--print-pdf", dir.FilePath("missing/out.pdf")}, "--print-pdf: the folder of"},
        {{"--new", "16x16:image", "--font", "No Such Font Family", "--save-dots", out}, "--font: no font family"},
        {{"--new", "16x16:image", "--match", "closest", "--save-dots", out}, "--match: 'closest' is none of"},
    };
    for (const auto& c : cases) {
        const SProcessResult r = RunPellmark(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files).size(), 2); // only the two inputs
}

TEST(BatchProcess, InformationOptionsPrintAndSucceed)
{
    SProcessResult r = RunPellmark({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("pellmark "));
    r = RunPellmark({"--help"});
    EXPECT_TRUE(r.out.contains("--save-dots FILE"));
    r = RunPellmark({"--list-fonts"});
    EXPECT_TRUE(r.out.contains("DejaVu Sans\n"));
    EXPECT_TRUE(r.out.contains("WenQuanYi Zen Hei"));
    // Every family of the font database, one a line, in alphabetical order
    // whatever the case, the first one included.
    QStringList families = QFontDatabase::families();
    std::stable_sort(families.begin(), families.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    ASSERT_FALSE(families.isEmpty());
    EXPECT_EQ(QString::fromUtf8(r.out), families.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

// --match applies to the --open options after it: a red JPEG opens empty as
// Exact (the lossy file keeps no pixel exactly red), fully red as Nearest.
TEST(BatchProcess, MatchAppliesToTheOpensAfterIt)
{
    CScratchDir dir;
    QImage red(16, 8, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    const QString jpeg = dir.FilePath("red.jpg");
    const QString bmp = dir.FilePath("red.bmp");
    ASSERT_TRUE(red.save(jpeg, "JPEG", 75));
    ASSERT_TRUE(red.save(bmp, "BMP"));
    const QString expected = dir.FilePath("expected.txt");
    SProcessResult r = RunPellmark({"--new", "8x8:image", "--open", bmp, "--save-dots", expected});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_FALSE(ReadAll(expected).isEmpty());

    const QString before = dir.FilePath("before.txt");
    const QString after = dir.FilePath("after.txt");
    r = RunPellmark({"--new", "8x8:image", "--open", jpeg, "--save-dots", before, "--match", "nearest",
                     "--open", jpeg, "--save-dots", after});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_NE(ReadAll(before), ReadAll(expected));
    EXPECT_EQ(ReadAll(after), ReadAll(expected));
}

// A bitmap font merged at a size it has comes out as its strike, quietly;
// at a size it lacks, at its nearest size, with one warning line.
TEST(BatchProcess, BitmapFontSizesAndTheWarningForOneItLacks)
{
    CScratchDir dir;
    const CFontOwnDots own("/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf", "WenQuanYi Bitmap Song");
    DotRows strike;
    ASSERT_TRUE(own.Strike(U'赢', 16, strike));
    for (const char* size : {"16", "17"}) {
        const QString out = dir.FilePath(QStringLiteral("song%1.bmp").arg(size));
        const SProcessResult r = RunPellmark({"--new", "16x16:text", "--font", "WenQuanYi Bitmap Song", "--size", size,
                                              "--text", "赢", "--merge", "--save-image", out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QList<QByteArray> lines = r.err.trimmed().split('\n');
        if (QByteArray(size) == "16") {
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        } else {
            ASSERT_EQ(lines.size(), 1);
            EXPECT_TRUE(lines[0].contains("warning") && lines[0].contains("17") && lines[0].contains("16"))
                << lines[0].toStdString();
        }
        const QImage picture(out);
        ASSERT_EQ(picture.size(), QSize(16, 16));
        DotRows rows;
        for (int y = 0; y < 16; ++y) {
            std::string row;
            for (int x = 0; x < 16; ++x)
                row += (picture.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu ? '#' : '.';
            rows.push_back(row);
        }
        EXPECT_EQ(Trimmed(rows), strike) << size;
    }
}

// Colours chosen before the text is typed colour it.
TEST(BatchProcess, TextColoursChosenBeforeTheTextColourIt)
{
    CScratchDir dir;
    const QString out = dir.FilePath("dots.txt");
    const SProcessResult r = RunPellmark({"--new", "8x8:text", "--font", "DejaVu Sans", "--size", "8", "--text-colors",
                                          "orange", "--text", "I", "--merge", "--save-dots", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(ReadAll(out).startsWith("/*****  I, Orange  ***")) << ReadAll(out).constData();
}
