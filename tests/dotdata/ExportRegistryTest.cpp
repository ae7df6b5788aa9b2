// The export registry: which file names become which format, the filters
// the dialogs offer, and the listing exporter against the listing writer.
#include "dotdata/ExportRegistry.h"

#include "dotdata/DotListing.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(ExportRegistry, PicturesAreChosenByExtensionAndUnknownOnesRefused)
{
    const struct
    {
        const char* path;
        const char* format; // null: refused
    } cases[] = {
        {"a.bmp", "BMP"},     {"A.BMP", "BMP"},       {"a.jpg", "JPG"},     {"a.JPEG", "JPG"},
        {"a.jpe", "JPG"},     {"noextension", "JPG"}, {"dir.bmp/x", "JPG"}, {"a.bmp.jpg", "JPG"},
        {"a.jpg.bmp", "BMP"}, {"a.gif", nullptr},     {"a.txt", nullptr},   {"a.bmp~", nullptr},
        {"a.png", "PNG"},     {"B.Png", "PNG"},       {".png", "JPG"},      {"a.", "JPG"},
    };
    for (const auto& c : cases) {
        const SExporter* exporter = CExportRegistry::PictureFor(QString::fromUtf8(c.path));
        if (!c.format) {
            EXPECT_EQ(exporter, nullptr) << c.path;
            continue;
        }
        ASSERT_NE(exporter, nullptr) << c.path;
        EXPECT_STREQ(exporter->szName, c.format) << c.path;
        EXPECT_EQ(exporter->nFamily, SExporter::Picture);
    }
}

TEST(ExportRegistry, DialogFiltersComeFromTheTable)
{
    EXPECT_EQ(CExportRegistry::DialogFilters(SExporter::Picture),
              (QStringList{QStringLiteral("BMP (*.bmp)"), QStringLiteral("JPG (*.jpg *.jpeg *.jpe)"),
                           QStringLiteral("PNG (*.png)")}));
    EXPECT_EQ(CExportRegistry::DialogFilters(SExporter::Listing), QStringList{QStringLiteral("TXT (*.txt)")});
}

TEST(ExportRegistry, TheListingExporterWritesTheListingWithCrLf)
{
    CScratchDir dir;
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(16, 8, ImageMode));
    grid.SetDisplayDot(0, 0, DotPalette[0]);
    grid.SetDisplayDot(9, 7, DotPalette[6]);
    const CCanvasText text;
    QString expected = CDotListing::Whole(grid, text);
    ASSERT_EQ(expected, QStringLiteral("1-1-1-R\n\n2-8-2-O\n\n"));
    const QString path = dir.FilePath(QStringLiteral("any name.dat"));
    ASSERT_TRUE(CExportRegistry::ListingExporter().pfnWrite({grid, text}, path));
    EXPECT_EQ(ReadAll(path), expected.replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toUtf8());
    // No dots, no file.
    const CDotGrid empty;
    EXPECT_FALSE(CExportRegistry::ListingExporter().pfnWrite({empty, text}, dir.FilePath(QStringLiteral("e.txt"))));
    EXPECT_FALSE(QFile::exists(dir.FilePath(QStringLiteral("e.txt"))));
}

// File > Export takes the controller forms and PNG by extension in any
// letter case and refuses anything else with the list; Save Image still
// offers only pictures.
TEST(ExportRegistry, ExportFormsByExtensionApartFromSaveImage)
{
    const struct
    {
        const char* path;
        const char* form; // null: refused
    } cases[] = {
        {"a.h", "C array"},   {"a.C", "C array"},  {"a.bin", "Raw bytes"}, {"a.HEX", "Intel HEX"},
        {"a.png", "PNG"},     {"a.bmp", nullptr},  {"a.jpg", nullptr},     {"noextension", nullptr},
        {"a.txt", nullptr},   {"a.hex~", nullptr},
    };
    for (const auto& c : cases) {
        const SExporter* exporter = CExportRegistry::ExportFor(QString::fromUtf8(c.path));
        if (!c.form) {
            EXPECT_EQ(exporter, nullptr) << c.path;
            continue;
        }
        ASSERT_NE(exporter, nullptr) << c.path;
        EXPECT_STREQ(exporter->szName, c.form) << c.path;
    }
    EXPECT_EQ(CExportRegistry::PictureFor(QStringLiteral("a.h")), nullptr);
    EXPECT_EQ(CExportRegistry::DialogFilters(SExporter::Controller),
              (QStringList{QStringLiteral("C array (*.h *.c)"), QStringLiteral("Raw bytes (*.bin)"),
                           QStringLiteral("Intel HEX (*.hex)")}));

    CScratchDir dir;
    const CDotGrid grid = GridWithDots(8, 8, {{1, 1}}, MakeColor(255, 0, 0));
    const CCanvasText text;
    const COutcome refused = CExportRegistry::WriteExport({grid, text}, dir.FilePath(QStringLiteral("sign.txt")));
    EXPECT_EQ(refused.Message(), QStringLiteral("\"sign.txt\" names no export form; use .h, .c, .bin, .hex or .png."));
    EXPECT_TRUE(QDir(dir.Path()).entryList(QDir::Files).isEmpty());
}

// Each exporter writes its own form, whichever way it is reached; pictures
// need dots, and a name of no picture kind is refused by name.
TEST(ExportRegistry, EachFormWritesItsOwnBytes)
{
    CScratchDir dir;
    const CDotGrid grid = GridWithDots(8, 8, {{0, 0}}, MakeColor(255, 0, 0));
    const CCanvasText text;
    const struct
    {
        const char* name;
        QByteArray head;
    } pictures[] = {{"s.bmp", "BM"}, {"s.jpg", "\xFF\xD8\xFF"}, {"s.png", "\x89PNG"}};
    for (const auto& p : pictures) {
        const QString path = dir.FilePath(QString::fromLatin1(p.name));
        EXPECT_TRUE(CExportRegistry::WritePicture({grid, text}, path)) << p.name;
        EXPECT_TRUE(ReadAll(path).startsWith(p.head)) << p.name;
    }
    const struct
    {
        const char* name;
        QByteArray bytes;
    } exports[] = {
        {"e.bin", QByteArray::fromHex("8000000000000000")},
        {"e.hex", ":08000000800000000000000078\r\n:00000001FF\r\n"},
    };
    for (const auto& e : exports) {
        const QString path = dir.FilePath(QString::fromLatin1(e.name));
        EXPECT_TRUE(CExportRegistry::WriteExport({grid, text}, path)) << e.name;
        EXPECT_EQ(ReadAll(path), e.bytes) << e.name;
    }
    EXPECT_TRUE(CExportRegistry::WriteExport({grid, text}, dir.FilePath(QStringLiteral("e.h"))));
    EXPECT_TRUE(ReadAll(dir.FilePath(QStringLiteral("e.h"))).contains("const uint8_t e[] = {\n    0x80, 0x00,"));
    EXPECT_TRUE(CExportRegistry::WriteExport({grid, text}, dir.FilePath(QStringLiteral("e.png"))));
    EXPECT_TRUE(ReadAll(dir.FilePath(QStringLiteral("e.png"))).startsWith("\x89PNG"));

    const CDotGrid empty;
    for (const char* name : {"n.png", "n.bmp"}) {
        const QString path = dir.FilePath(QString::fromLatin1(name));
        EXPECT_EQ(CExportRegistry::WritePicture({empty, text}, path).Message(), QStringLiteral("The canvas has no dots."));
        EXPECT_FALSE(QFile::exists(path)) << name;
    }
    const QString none = dir.FilePath(QStringLiteral("n.png"));
    EXPECT_EQ(CExportRegistry::WriteExport({empty, text}, none).Message(), QStringLiteral("The canvas has no dots."));
    EXPECT_FALSE(QFile::exists(none));
    const COutcome gif = CExportRegistry::WritePicture({grid, text}, dir.FilePath(QStringLiteral("s.gif")));
    EXPECT_FALSE(gif);
    EXPECT_TRUE(gif.Message().startsWith(QStringLiteral("\"s.gif\" asks for a kind of picture"))) << gif.Message().toStdString();
    EXPECT_FALSE(QFile::exists(dir.FilePath(QStringLiteral("s.gif"))));

    EXPECT_EQ(CExportRegistry::ExtensionList(SExporter::Picture), QStringLiteral("bmp, jpg, jpeg, jpe, png"));
    EXPECT_EQ(CExportRegistry::ExtensionList(SExporter::Controller), QStringLiteral("h, c, bin, hex"));
    EXPECT_EQ(CExportRegistry::ExtensionList(SExporter::Listing), QStringLiteral("txt"));
}
