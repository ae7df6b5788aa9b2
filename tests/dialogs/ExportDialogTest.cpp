#include "dialogs/ExportDialog.h"

#include "base/DotGrid.h"
#include "dialogs/ExportDotView.h"
#include "dotdata/ByteLayout.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// The 16 x 8 canvas with dots at (0,0), (9,0) and (15,7) from the top left.
CDotGrid SampleGrid()
{
    return GridWithDots(16, 8, {{0, 0}, {9, 0}, {15, 7}}, MakeColor(255, 0, 0));
}

SExportRequest RequestFor(const char* path, SExportOptions::Scan scan = SExportOptions::Rows)
{
    SExportRequest request;
    request.path = QString::fromUtf8(path);
    request.options.scan = scan;
    return request;
}

} // namespace

TEST(ExportDialog, PreviewShowsTheFirstLinesOfEachForm)
{
    const CDotGrid grid = SampleGrid();
    CExportDialog dialog(grid, 0);
    EXPECT_TRUE(dialog.PreviewText().contains("const uint8_t sign[] = {\n    0x80, 0x40, 0x00,"));
    EXPECT_LE(dialog.PreviewText().count('\n'), CExportDialog::kPreviewLines);
    // A view of the bytes, not a place to type; long lines scroll, never wrap.
    const auto* preview = dialog.findChild<QPlainTextEdit*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isReadOnly());
    EXPECT_EQ(preview->lineWrapMode(), QPlainTextEdit::NoWrap);

    dialog.SetRequest(RequestFor("/tmp/out/panel.bin"));
    EXPECT_EQ(dialog.PreviewText(), "00000000 80 40 00 00 00 00 00 00 00 00 00 00 00 00 00 01\n");
    EXPECT_EQ(dialog.Request().path, "/tmp/out/panel.bin");

    dialog.SetRequest(RequestFor("panel.HEX", SExportOptions::Columns));
    EXPECT_EQ(dialog.PreviewText(), ":1000000080000000000000000080000000000001EF\n:00000001FF\n");
    EXPECT_EQ(dialog.Request().options.scan, SExportOptions::Columns);

    // Choosing another form in the box changes the preview and the extension.
    auto* form = dialog.findChildren<QComboBox*>().at(0);
    form->setCurrentIndex(1);
    EXPECT_EQ(dialog.Request().path, "./panel.c");
    EXPECT_TRUE(dialog.PreviewText().contains("const uint8_t panel[]"));

    // A name without a known extension starts as a C header.
    dialog.SetRequest(RequestFor("panel.txt"));
    EXPECT_EQ(dialog.Extension(), "h");
}

TEST(ExportDialog, OptionsRoundTripAndModulesThatDoNotFitDisableOk)
{
    CDotGrid grid;
    grid.Create(64, 32, ImageMode);
    CExportDialog dialog(grid, 0);
    SExportRequest request = RequestFor("a.hex", SExportOptions::Columns);
    SExportOptions& o = request.options;
    o.bitOrder = SExportOptions::LsbFirst;
    o.moduleWidth = 16;
    o.moduleHeight = 8;
    o.moduleOrder = SExportOptions::ModuleColumns;
    o.serpentine = true;
    o.invert = true;
    o.planes = SExportOptions::RedGreen;
    dialog.SetRequest(request);
    EXPECT_TRUE(dialog.Request().options == o);
    EXPECT_TRUE(dialog.CanAccept());

    o.moduleWidth = 24;
    dialog.SetRequest(request);
    EXPECT_FALSE(dialog.CanAccept());
    EXPECT_EQ(dialog.PreviewText().toStdString(), "A 64 x 32 canvas does not split into whole modules of 24 x 8 dots.");

    // Modules from one dot to the widest canvas on each side.
    for (const int side : {1, 1024}) {
        o.moduleWidth = side;
        o.moduleHeight = side;
        dialog.SetRequest(request);
        EXPECT_EQ(dialog.Request().options.moduleWidth, side);
        EXPECT_EQ(dialog.Request().options.moduleHeight, side);
    }
}

// A long file shows its first sixteen lines, the first of them included.
TEST(ExportDialog, LongPreviewsShowTheirFirstSixteenLines)
{
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(128, 32, 0));
    CExportDialog dialog(grid, 0);
    dialog.SetRequest(RequestFor("big.h"));
    const QStringList header = dialog.PreviewText().split(QLatin1Char('\n'));
    ASSERT_EQ(header.size(), 17); // sixteen lines, each ended
    EXPECT_EQ(header.front(), QStringLiteral("/*")); // the file's own first line
    dialog.SetRequest(RequestFor("big.bin"));
    const QStringList dump = dialog.PreviewText().split(QLatin1Char('\n'));
    ASSERT_EQ(dump.size(), 17);
    EXPECT_TRUE(dump[0].startsWith(QLatin1String("00000000 00 00")));
    EXPECT_TRUE(dump[15].startsWith(QLatin1String("000000f0 ")));
}

// The text preview takes the dialog's spare height, under the dots and
// above the buttons.
TEST(ExportDialog, ThePreviewFillsTheMiddle)
{
    const CDotGrid grid = SampleGrid();
    CExportDialog dialog(grid, 0);
    dialog.show();
    const auto* preview = dialog.findChild<QPlainTextEdit*>();
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(preview && buttons);
    EXPECT_TRUE(preview->isVisible());
    const QRect at(preview->mapTo(&dialog, QPoint(0, 0)), preview->size());
    const QRect dots(dialog.DotView()->mapTo(&dialog, QPoint(0, 0)), dialog.DotView()->size());
    EXPECT_GT(at.top(), dots.bottom());
    EXPECT_LT(at.bottom(), buttons->y());
    EXPECT_GT(at.height(), dialog.height() / 5);
}

TEST(ExportDialog, TheByteUnderTheMouseIsOutlinedAndNamed)
{
    const CDotGrid grid = SampleGrid();
    CExportDialog dialog(grid, 0);
    CExportDotView* dots = dialog.DotView();
    EXPECT_EQ(dialog.ByteText().toStdString(), "Point at a dot to see its byte.");

    ASSERT_TRUE(dots->HighlightDot(9, 0));
    EXPECT_EQ(dialog.ByteText().toStdString(), "Byte 1: 0x40, dots (8, 0) to (15, 0)");
    // The same dot read in columns is the tenth byte, all of column 9.
    dialog.SetRequest(RequestFor("a.h", SExportOptions::Columns));
    EXPECT_EQ(dialog.ByteText().toStdString(), "Byte 9: 0x80, dots (9, 0) to (9, 7)");
    EXPECT_FALSE(dots->HighlightDot(16, 0));
    EXPECT_EQ(dialog.ByteText().toStdString(), "Point at a dot to see its byte.");

    // A real mouse move over the picture: the bottom-right dot's byte.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // The picture is centred with square dots: its bottom-right corner.
    const double scale = std::min(dots->width() / 16.0, dots->height() / 8.0);
    const QPoint corner(int((dots->width() + 16 * scale) / 2) - 2, int((dots->height() + 8 * scale) / 2) - 2);
    QTest::mouseMove(dots, corner);
    ASSERT_TRUE(dots->HasHighlight());
    EXPECT_EQ(dialog.ByteText().toStdString(), "Byte 15: 0x01, dots (15, 0) to (15, 7)");
    int x = -1;
    int y = -1;
    EXPECT_FALSE(dots->DotAt(QPoint(-1, 10), x, y));
}

// Ten pixels a dot: the picture's right and bottom edges belong to the last dots.
TEST(ExportDotView, TheFarEdgesAreTheLastDots)
{
    CExportDotView view;
    view.SetGrid(SampleGrid());
    view.resize(160, 80);
    const struct
    {
        QPoint at;
        QPoint dot;
    } cases[] = {{{160, 80}, {15, 7}}, {{150, 70}, {15, 7}}, {{149, 69}, {14, 6}}, {{0, 0}, {0, 0}}};
    for (const auto& c : cases) {
        int x = -1;
        int y = -1;
        ASSERT_TRUE(view.DotAt(c.at, x, y)) << c.at.x();
        EXPECT_EQ(QPoint(x, y), c.dot) << c.at.x() << "," << c.at.y();
    }
    int x = -1;
    int y = -1;
    EXPECT_FALSE(view.DotAt(QPoint(161, 40), x, y));
    EXPECT_FALSE(view.DotAt(QPoint(80, 81), x, y));
}

TEST(ExportDialog, SpeaksTheMenuLanguage)
{
    const CDotGrid grid = SampleGrid();
    EXPECT_EQ(CExportDialog(grid, 0).windowTitle(), "Export");
    EXPECT_EQ(CExportDialog(grid, 1).windowTitle(), "导出");
    EXPECT_EQ(CExportDialog(grid, 2).windowTitle(), "匯出");
    CExportDialog chinese(grid, 1);
    ASSERT_TRUE(chinese.DotView()->HighlightDot(0, 0));
    EXPECT_EQ(chinese.ByteText().toStdString(), "第 0 字节:0x80,点 (0, 0) 至 (7, 0)");
}

// The forms come from the export registry with PNG last; a picture takes
// none of the byte options.
TEST(ExportDialog, PngIsOfferedLastWithoutTheByteOptions)
{
    const CDotGrid grid = SampleGrid();
    CExportDialog dialog(grid, 0);
    const QList<QComboBox*> boxes = dialog.findChildren<QComboBox*>();
    ASSERT_EQ(boxes.at(0)->count(), 5);
    dialog.SetRequest(RequestFor("/tmp/out/panel.PNG"));
    EXPECT_EQ(dialog.Extension(), "png");
    EXPECT_EQ(dialog.Filter(), "PNG picture (*.png)");
    EXPECT_EQ(dialog.Request().path, "/tmp/out/panel.png");
    EXPECT_TRUE(dialog.CanAccept());
    EXPECT_TRUE(dialog.PreviewText().startsWith("A 16 x 8 PNG picture")) << dialog.PreviewText().toStdString();
    EXPECT_FALSE(boxes.at(1)->isEnabled());
    boxes.at(0)->setCurrentIndex(0);
    EXPECT_TRUE(boxes.at(1)->isEnabled());
    EXPECT_EQ(dialog.Filter(), "C array (*.h)");
}

// Ten pixels a dot: module borders between the modules, and the byte under
// the pointer outlined in cyan on black just outside its dots.
TEST(ExportDotView, ModuleBordersAndTheOutlinedByteAreDrawn)
{
    CExportDotView view;
    view.SetGrid(SampleGrid());
    view.resize(160, 80);
    SExportOptions options;
    options.moduleWidth = 8;
    options.moduleHeight = 4;
    CByteLayout layout;
    QString error;
    ASSERT_TRUE(layout.Set(16, 8, options, error));
    view.SetLayout(layout);
    const QRgb border = qRgb(128, 128, 128);
    QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(80, 25), border);
    EXPECT_EQ(shown.pixel(85, 40), border);
    EXPECT_NE(shown.pixel(70, 25), border);
    EXPECT_NE(shown.pixel(85, 30), border);

    // Dots (8, 1) to (15, 1): pixels 80 to 159 across, 10 to 19 down.
    ASSERT_TRUE(view.HighlightDot(9, 1));
    shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb cyan = qRgb(0, 255, 255);
    EXPECT_EQ(shown.pixel(79, 15), cyan);
    EXPECT_EQ(shown.pixel(120, 9), cyan);
    EXPECT_EQ(shown.pixel(120, 21), cyan);
    EXPECT_EQ(shown.pixel(78, 15), qRgb(0, 0, 0));
    EXPECT_NE(shown.pixel(120, 15), cyan);
    EXPECT_NE(shown.pixel(120, 25), cyan);

    // In a taller view the picture is centred (rows 60 to 139): the borders stay on it.
    view.resize(160, 200);
    shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(80, 100), border);
    EXPECT_NE(shown.pixel(80, 150), border);
    EXPECT_NE(shown.pixel(80, 50), border);
}
