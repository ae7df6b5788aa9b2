#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// A 16 x 8 picture with red dots at (0,0) and (1,0), a green one at (7,7)
// and a blue one at (9,0) on a colour that is no dot colour.
QString WriteSample(const CScratchDir& dir)
{
    QImage image(16, 8, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    image.setPixelColor(0, 0, QColor(255, 0, 0));
    image.setPixelColor(1, 0, QColor(255, 0, 0));
    image.setPixelColor(7, 7, QColor(0, 255, 0));
    image.setPixelColor(9, 0, QColor(0, 0, 255));
    const QString path = dir.FilePath(QStringLiteral("sign.bmp"));
    EXPECT_TRUE(image.save(path, "BMP"));
    return path;
}

const QByteArray kSampleListing = "1-1-1-R, 1-1-2-R, 1-8-8-G\r\n\r\n2-1-2-B\r\n\r\n";

} // namespace

TEST(BatchModeTraps, OpenBeforeAnyNewListsThePicture)
{
    CScratchDir dir;
    const QString sign = WriteSample(dir);
    const QString txt = dir.FilePath(QStringLiteral("sign.txt"));
    const QString pdf = dir.FilePath(QStringLiteral("sign.pdf"));
    SProcessResult r = RunPellmark({QStringLiteral("--open"), sign, QStringLiteral("--save-dots"), txt,
                                    QStringLiteral("--print-pdf"), pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(txt), kSampleListing);
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("2-1-2-B")));

    // A rotation before the picture changes nothing about the mode.
    r = RunPellmark({QStringLiteral("--rotate"), QStringLiteral("--open"), sign, QStringLiteral("--save-dots"), txt});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(txt), kSampleListing);
    EXPECT_TRUE(RunPellmark({QStringLiteral("--help")}).out.contains("image mode when --open comes before any --new"));
}

TEST(BatchModeTraps, TextModeListingOfLitDotsWithoutTextIsRefused)
{
    CScratchDir dir;
    const QString sign = WriteSample(dir);
    const QString kept = dir.FilePath(QStringLiteral("kept.txt"));
    const QByteArray old = "listed before\r\n";
    ASSERT_TRUE(WriteAll(kept, old));
    const struct
    {
        const char* option;
        const char* file;
    } outputs[] = {{"--save-dots", "out.txt"}, {"--print-pdf", "out.pdf"}, {"--save-dots", "kept.txt"}};
    for (const auto& output : outputs) {
        const QString target = dir.FilePath(QLatin1String(output.file));
        const SProcessResult r = RunPellmark({QStringLiteral("--new"), QStringLiteral("16x8:text"),
                                              QStringLiteral("--open"), sign, QLatin1String(output.option), target});
        EXPECT_EQ(r.exitCode, 2) << output.option;
        EXPECT_TRUE(r.err.startsWith(QByteArray(output.option) + ": ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("--new WxH:image")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_EQ(ReadAll(kept), old);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), (QStringList{QStringLiteral("kept.txt"), QStringLiteral("sign.bmp")}));

    // Nothing lit: the empty listing is the right one.
    const QString empty = dir.FilePath(QStringLiteral("empty.txt"));
    const SProcessResult r = RunPellmark({QStringLiteral("--new"), QStringLiteral("16x8:text"),
                                          QStringLiteral("--save-dots"), empty});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(empty));
    EXPECT_EQ(ReadAll(empty), QByteArray());
}

TEST(BatchModeTraps, ExactOpenThatLightsNothingWarnsOnceAndGoesOn)
{
    CScratchDir dir;
    // A photo-like ramp: no pixel is exactly a dot colour.
    QImage photo(32, 16, QImage::Format_RGB888);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixelColor(x, y, QColor(40 + 6 * x, 90 + 5 * y, 60 + 3 * x));
    const QString photoPath = dir.FilePath(QStringLiteral("photo.bmp"));
    ASSERT_TRUE(photo.save(photoPath, "BMP"));
    const QString txt = dir.FilePath(QStringLiteral("photo.txt"));

    SProcessResult r = RunPellmark({QStringLiteral("--open"), photoPath, QStringLiteral("--save-dots"), txt});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith("--open: warning: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--match nearest") && r.err.contains("--match dither")) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(txt));

    // Nearest lights it, and a picture with dot colours lights under Exact: no warning.
    r = RunPellmark({QStringLiteral("--match"), QStringLiteral("nearest"), QStringLiteral("--open"), photoPath});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    r = RunPellmark({QStringLiteral("--open"), WriteSample(dir)});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
}

TEST(BatchModeTraps, NumbersPastWhatTheCanvasCanUseAreBadInput)
{
    const QStringList bad[] = {
        {"--new", "64x16", "--size", "99999", "--text", "A", "--merge"},
        {"--new", "64x16", "--size", "5793"},
        {"--new", "64x16", "--offset", "2147483647,-2147483647"},
        {"--new", "64x16:image", "--overlay-at", "-2147483647,0"},
    };
    for (const QStringList& args : bad) {
        const SProcessResult r = RunPellmark(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

TEST(BatchModeTraps, DotsThatNoLongerComeFromTheMergedTextAreNotListedAsIt)
{
    CScratchDir dir;
    const QString sign = WriteSample(dir);
    const QString txt = dir.FilePath(QStringLiteral("out.txt"));
    const QStringList merged{"--new", "16x8:text", "--font", "DejaVu Sans", "--size", "8", "--text", "OPEN", "--merge"};
    SProcessResult r = RunPellmark(QStringList(merged) << "--save-dots" << txt);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray untouched = ReadAll(txt);
    ASSERT_TRUE(untouched.startsWith("/*****  O, White")) << untouched.constData();

    const QStringList replacing[] = {{"--open", sign}, {"--rotate"}, {"--mirror"}, {"--flip"}, {"--mirror", "--flip"}};
    for (const QStringList& change : replacing) {
        QFile::remove(txt);
        r = RunPellmark(QStringList(merged) << change << "--save-dots" << txt);
        EXPECT_EQ(r.exitCode, 2) << change.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("--save-dots: a text-mode canvas lists only merged text")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(txt));
    }
    // Taken back, or rendered again from the text, the dots are the text's again.
    const QStringList restoring[] = {{"--mirror", "--undo"}, {"--rotate", "--undo"}, {"--open", sign, "--undo"},
                                     {"--flip", "--merge"}};
    for (const QStringList& change : restoring) {
        r = RunPellmark(QStringList(merged) << change << "--save-dots" << txt);
        EXPECT_EQ(r.exitCode, 0) << change.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(ReadAll(txt), untouched) << change.join(' ').toStdString();
    }
}

// Glyph offsets belong to text mode and the overlay's place to image mode:
// asked of the other mode, the run stops with one line saying so.
TEST(BatchModeTraps, OffsetsAndOverlayPlacesBelongToTheirOwnMode)
{
    CScratchDir dir;
    const QString out = dir.FilePath(QStringLiteral("out.bmp"));
    const struct
    {
        QStringList args;
        const char* error; // nullptr: accepted
    } cases[] = {
        {{"--new", "16x8:image", "--offset", "1,1"}, "--offset: glyph offsets apply to text mode only\n"},
        {{"--new", "16x8:text", "--offset", "1,1"}, nullptr},
        {{"--new", "16x8:text", "--overlay-at", "1,1"}, "--overlay-at: the overlay position applies to image mode only\n"},
        {{"--new", "16x8:image", "--overlay-at", "1,1"}, nullptr},
    };
    for (const auto& c : cases) {
        QFile::remove(out);
        const SProcessResult r = RunPellmark(QStringList(c.args) << QStringLiteral("--save-image") << out);
        EXPECT_EQ(r.exitCode, c.error ? 2 : 0) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.err.toStdString(), c.error ? c.error : "");
        EXPECT_EQ(QFile::exists(out), !c.error) << c.args.join(' ').toStdString();
    }
}
