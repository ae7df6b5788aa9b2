#include "dialogs/ExportDialog.h"

#include "base/DotGrid.h"
#include "dialogs/ExportDotView.h"
#include "dotdata/ByteLayout.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace {

// The 16 x 8 canvas with dots at (0,0), (9,0) and (15,7) from the top left.
CDotGrid SampleGrid()
{
    return GridWithDots(16, 8, {{0, 0}, {9, 0}, {15, 7}}, MakeColor(255, 0, 0));
}

// The sample canvas's bytes in modules of 8 x 4 dots, read in the scan asked for.
CByteLayout SampleModules(SExportOptions::Scan scan = SExportOptions::Rows)
{
    SExportOptions options;
    options.moduleWidth = 8;
    options.moduleHeight = 4;
    options.scan = scan;
    CByteLayout layout;
    QString error;
    EXPECT_TRUE(layout.Set(16, 8, options, error)) << error.toStdString();
    return layout;
}

SExportRequest RequestFor(const char* path, SExportOptions::Scan scan = SExportOptions::Rows)
{
    SExportRequest request;
    request.path = QString::fromUtf8(path);
    request.options.scan = scan;
    return request;
}

// The dialog's label showing this text, or null.
QLabel* LabelWithText(const QWidget& dialog, const QString& text)
{
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    return nullptr;
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

    // The pointer picks the dot under it; beside the picture it changes nothing.
    CByteLayout rows;
    QString error;
    ASSERT_TRUE(rows.Set(16, 8, SExportOptions(), error));
    view.SetLayout(rows);
    view.resize(200, 80); // the picture at x 20 to 179
    const auto moveTo = [&view](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), view.mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
    };
    moveTo({175, 75}); // dot (15, 7)
    EXPECT_EQ(view.HighlightedByte(), 15);
    moveTo({10, 40});
    EXPECT_EQ(view.HighlightedByte(), 15);
    moveTo({25, 5});
    EXPECT_EQ(view.HighlightedByte(), 0);
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
    view.SetLayout(SampleModules());
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

// Each control sits on its row, top to bottom, with the module size beside
// its check box; the dots take the width beside the form.
TEST(ExportDialog, ControlsStandInTheirRowsAndOrder)
{
    const CDotGrid grid = SampleGrid();
    CExportDialog dialog(grid, 0);
    EXPECT_EQ(dialog.size(), QSize(760, 560));
    dialog.show();
    const auto at = [&dialog](const QWidget* w) { return QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size()); };
    const QList<QComboBox*> boxes = dialog.findChildren<QComboBox*>();
    const QList<QCheckBox*> checks = dialog.findChildren<QCheckBox*>();
    const QList<QSpinBox*> spins = dialog.findChildren<QSpinBox*>();
    ASSERT_EQ(boxes.size(), 5);
    ASSERT_EQ(checks.size(), 3);
    ASSERT_EQ(spins.size(), 2);
    QLabel* times = LabelWithText(dialog, QStringLiteral("x"));
    ASSERT_NE(times, nullptr);
    // Form, scan, bit order, modules, module order, serpentine, invert, planes.
    const std::vector<QWidget*> rows = {boxes[0], boxes[1], boxes[2], checks[0], boxes[3], checks[1], checks[2], boxes[4]};
    for (std::size_t i = 1; i < rows.size(); ++i)
        EXPECT_GT(at(rows[i]).top(), at(rows[i - 1]).bottom()) << i;
    const std::vector<QWidget*> moduleRow = {checks[0], spins[0], times, spins[1]};
    for (std::size_t i = 1; i < moduleRow.size(); ++i) {
        EXPECT_GT(at(moduleRow[i]).left(), at(moduleRow[i - 1]).right()) << i;
        EXPECT_NEAR(at(moduleRow[i]).center().y(), at(moduleRow[0]).center().y(), 1) << i;
    }
    const auto* form = dialog.findChild<QFormLayout*>();
    ASSERT_NE(form, nullptr);
    const struct
    {
        QWidget* field;
        const char* label;
    } labelled[] = {{boxes[0], "Form:"}, {boxes[1], "Scan:"}, {boxes[2], "Bit order:"},
                    {boxes[3], "Module order:"}, {boxes[4], "Planes:"}};
    for (const auto& l : labelled) {
        const auto* label = qobject_cast<QLabel*>(form->labelForField(l.field));
        ASSERT_NE(label, nullptr) << l.label;
        EXPECT_EQ(label->text().toStdString(), l.label);
    }
    // The dots take the room the form leaves, right of it.
    const QRect dots = at(dialog.DotView());
    EXPECT_GT(dots.left(), at(boxes[0]).right());
    EXPECT_GT(dots.width(), at(boxes[0]).width());
    EXPECT_GE(dots.right(), dialog.width() - 20);
    // Byte line, the preview's title, the preview, the buttons, downwards.
    QLabel* title = LabelWithText(dialog, QStringLiteral("Preview:"));
    ASSERT_NE(title, nullptr);
    QLabel* byteLine = LabelWithText(dialog, dialog.ByteText());
    ASSERT_NE(byteLine, nullptr);
    const auto* preview = dialog.findChild<QPlainTextEdit*>();
    EXPECT_GT(at(byteLine).top(), dots.bottom());
    EXPECT_GT(at(title).top(), at(byteLine).bottom());
    EXPECT_GT(at(preview).top(), at(title).bottom());
    EXPECT_EQ(preview->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

// Changing any control by hand updates the preview, the byte options are
// off for a picture, the module sizes only while modules are chosen.
TEST(ExportDialog, ControlsChangedByHandUpdateEverything)
{
    const CDotGrid grid = SampleGrid();
    CExportDialog dialog(grid, 0);
    dialog.show();
    const QList<QComboBox*> boxes = dialog.findChildren<QComboBox*>();
    const QList<QCheckBox*> checks = dialog.findChildren<QCheckBox*>();
    const QList<QSpinBox*> spins = dialog.findChildren<QSpinBox*>();
    ASSERT_EQ(checks.size(), 3);
    ASSERT_EQ(spins.size(), 2);
    // Without a name the file is called after the sign.
    EXPECT_EQ(dialog.Request().path, "sign.h");
    EXPECT_FALSE(dialog.Request().options.HasModules());
    const auto enabled = [&] {
        std::string on;
        for (QWidget* w : std::initializer_list<QWidget*>{boxes[1], boxes[2], checks[0], spins[0], spins[1], boxes[3],
                                                          checks[1], checks[2], boxes[4]})
            on += w->isEnabled() ? '1' : '0';
        return on;
    };
    EXPECT_EQ(enabled(), "111000011");
    checks[0]->setChecked(true);
    EXPECT_EQ(enabled(), "111111111");
    // The module size starts at eight by eight.
    EXPECT_EQ(dialog.Request().options.moduleWidth, 8);
    EXPECT_EQ(dialog.Request().options.moduleHeight, 8);
    // A width the canvas does not split into turns OK off at once.
    spins[0]->setValue(5);
    EXPECT_FALSE(dialog.CanAccept());
    spins[0]->setValue(16);
    EXPECT_TRUE(dialog.CanAccept());
    spins[1]->setValue(3);
    EXPECT_FALSE(dialog.CanAccept());
    spins[1]->setValue(0);
    EXPECT_EQ(spins[1]->value(), 1);
    spins[1]->setValue(1025);
    EXPECT_EQ(spins[1]->value(), 1024);
    spins[1]->setValue(8);
    EXPECT_TRUE(dialog.CanAccept());
    // Modules of 8 x 4: two across, two down.
    spins[0]->setValue(8);
    spins[1]->setValue(4);

    // Each control changes the bytes shown.
    const auto changes = [&dialog](const std::function<void()>& change, const char* what) {
        const QString before = dialog.PreviewText();
        change();
        EXPECT_NE(dialog.PreviewText(), before) << what;
    };
    changes([&] { boxes[1]->setCurrentIndex(1); }, "scan");
    changes([&] { boxes[2]->setCurrentIndex(1); }, "bit order");
    changes([&] { boxes[3]->setCurrentIndex(1); }, "module order");
    changes([&] { checks[1]->setChecked(true); }, "serpentine");
    changes([&] { checks[2]->setChecked(true); }, "invert");
    changes([&] { boxes[4]->setCurrentIndex(2); }, "planes");
    changes([&] { checks[0]->setChecked(false); }, "modules");

    // A picture: no byte options, no byte line, whatever was chosen.
    checks[0]->setChecked(true);
    ASSERT_TRUE(dialog.DotView()->HighlightDot(0, 0));
    EXPECT_NE(dialog.ByteText().toStdString(), "Point at a dot to see its byte.");
    boxes[0]->setCurrentIndex(boxes[0]->count() - 1);
    EXPECT_EQ(enabled(), "000000000");
    EXPECT_EQ(dialog.ByteText().toStdString(), "Point at a dot to see its byte.");
    QLabel* byteLine = LabelWithText(dialog, dialog.ByteText());
    ASSERT_NE(byteLine, nullptr);
    EXPECT_TRUE(byteLine->isHidden());
    boxes[0]->setCurrentIndex(0);
    EXPECT_FALSE(byteLine->isHidden());

    // Modules that do not fit forget the outlined byte.
    ASSERT_TRUE(dialog.DotView()->HighlightDot(0, 0));
    spins[0]->setValue(5);
    EXPECT_EQ(dialog.ByteText().toStdString(), "Point at a dot to see its byte.");
    EXPECT_FALSE(dialog.DotView()->HasHighlight());
}

// A request without modules leaves the sizes last shown; OK and Cancel close
// the dialog with their answers; an empty canvas makes no picture.
TEST(ExportDialog, ButtonsAndRequestsWithoutModules)
{
    const CDotGrid grid = SampleGrid();
    CExportDialog dialog(grid, 0);
    SExportRequest request = RequestFor("a.h");
    request.options.moduleWidth = 16;
    request.options.moduleHeight = 4;
    dialog.SetRequest(request);
    dialog.SetRequest(RequestFor("a.h"));
    EXPECT_FALSE(dialog.Request().options.HasModules());
    dialog.findChildren<QCheckBox*>().at(0)->setChecked(true);
    EXPECT_EQ(dialog.Request().options.moduleWidth, 16);
    EXPECT_EQ(dialog.Request().options.moduleHeight, 4);

    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    dialog.setResult(QDialog::Rejected);
    buttons->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    buttons->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    const CDotGrid empty;
    CExportDialog nothing(empty, 0);
    nothing.SetRequest(RequestFor("a.png"));
    EXPECT_FALSE(nothing.CanAccept());
    CExportDialog picture(grid, 0);
    picture.SetRequest(RequestFor("a.png"));
    EXPECT_TRUE(picture.CanAccept());
}

// The picture is centred across and down on the window colour; module
// borders stop inside it, never on its far edges; a column's byte is
// outlined down its dots.
TEST(ExportDotView, CentredOnBothAxesWithBordersOnlyInside)
{
    CExportDotView view;
    view.SetGrid(SampleGrid());
    // Never smaller than 160 x 80, asking for 360 x 200.
    view.resize(10, 10);
    EXPECT_EQ(view.size(), QSize(160, 80));
    EXPECT_EQ(view.sizeHint(), QSize(360, 200));
    view.SetLayout(SampleModules());
    const QRgb border = qRgb(128, 128, 128);
    const QRgb window = view.palette().window().color().rgb();
    // 400 x 80: ten pixels a dot, the picture from x 120 to 279.
    view.resize(400, 80);
    QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(119, 40), window);
    EXPECT_EQ(shown.pixel(280, 20), window);
    EXPECT_EQ(shown.pixel(120, 5), qRgb(255, 0, 0)); // dot (0, 0)
    EXPECT_EQ(shown.pixel(200, 45), border);
    EXPECT_EQ(shown.pixel(150, 40), border);
    EXPECT_NE(shown.pixel(199, 45), border);
    int x = -1;
    int y = -1;
    EXPECT_FALSE(view.DotAt(QPoint(119, 40), x, y));
    ASSERT_TRUE(view.DotAt(QPoint(279, 79), x, y));
    EXPECT_EQ(QPoint(x, y), QPoint(15, 7));
    // 160 x 200: the picture from y 60 to 139, nothing drawn below it.
    view.resize(160, 200);
    shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(40, 140), window);
    EXPECT_EQ(shown.pixel(40, 59), window);
    EXPECT_EQ(shown.pixel(40, 100), border);

    // Columns: the byte of dot (9, 1) is column 9, x 90 to 99, outlined
    // one pixel outside.
    view.SetLayout(SampleModules(SExportOptions::Columns));
    view.resize(160, 80);
    ASSERT_TRUE(view.HighlightDot(9, 1));
    shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb cyan = qRgb(0, 255, 255);
    EXPECT_EQ(shown.pixel(89, 20), cyan);
    EXPECT_EQ(shown.pixel(101, 20), cyan);
    EXPECT_EQ(shown.pixel(88, 20), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(100, 20), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(102, 20), qRgb(0, 0, 0));
    EXPECT_NE(shown.pixel(95, 20), cyan);
    EXPECT_NE(shown.pixel(110, 20), cyan);

    // No picture: nothing to point at.
    CExportDotView empty;
    empty.resize(160, 80);
    EXPECT_FALSE(empty.DotAt(QPoint(80, 40), x, y));
}

// The hovered byte is announced once per change, and a new layout moves
// the outline to the byte the same dot now sits in, byte 0 included.
TEST(ExportDotView, ByteChangesAreAnnouncedOnce)
{
    CExportDotView view;
    view.SetGrid(SampleGrid());
    CByteLayout rows;
    CByteLayout columns;
    QString error;
    SExportOptions options;
    ASSERT_TRUE(rows.Set(16, 8, options, error));
    options.scan = SExportOptions::Columns;
    ASSERT_TRUE(columns.Set(16, 8, options, error));
    view.SetLayout(rows);
    QSignalSpy spy(&view, &CExportDotView::ByteHovered);
    ASSERT_TRUE(view.HighlightDot(1, 0));
    ASSERT_TRUE(view.HighlightDot(7, 0)); // the same byte
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toLongLong(), 0);
    view.SetLayout(columns);
    EXPECT_EQ(view.HighlightedByte(), 7);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toLongLong(), 7);
    EXPECT_FALSE(view.HighlightDot(16, 0));
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(2).at(0).toLongLong(), -1);
    // Without a layout no dot has a byte.
    view.SetLayout(CByteLayout());
    EXPECT_FALSE(view.HighlightDot(0, 0));
    EXPECT_FALSE(view.HasHighlight());
}

// The forms and the choices read in the menu language; a row of dots is
// 行 in Simplified and 列 in Traditional Chinese.
TEST(ExportDialog, FormsAndChoicesInEachLanguage)
{
    const CDotGrid grid = SampleGrid();
    const struct
    {
        int language;
        QStringList forms;
        QStringList scans;
    } cases[] = {
        {0,
         {"C array (*.h)", "C array (*.c)", "Raw bytes (*.bin)", "Intel HEX (*.hex)", "PNG picture (*.png)"},
         {"Rows", "Columns"}},
        {1,
         {"C 数组 (*.h)", "C 数组 (*.c)", "原始字节 (*.bin)", "Intel HEX (*.hex)", "PNG 图片 (*.png)"},
         {"按行", "按列"}},
        {2,
         {"C 陣列 (*.h)", "C 陣列 (*.c)", "原始位元組 (*.bin)", "Intel HEX (*.hex)", "PNG 圖片 (*.png)"},
         {"按列", "按行"}},
    };
    for (const auto& c : cases) {
        CExportDialog dialog(grid, c.language);
        const QList<QComboBox*> boxes = dialog.findChildren<QComboBox*>();
        ASSERT_EQ(boxes.size(), 5);
        QStringList forms;
        for (int i = 0; i < boxes[0]->count(); ++i)
            forms << boxes[0]->itemText(i);
        EXPECT_EQ(forms, c.forms) << c.language;
        for (QComboBox* scan : {boxes[1], boxes[3]}) {
            ASSERT_EQ(scan->count(), 2);
            EXPECT_EQ(scan->itemText(0), c.scans[0]) << c.language;
            EXPECT_EQ(scan->itemText(1), c.scans[1]) << c.language;
        }
        // Each extension picks its own form.
        for (int i = 0; i < forms.size(); ++i) {
            const QString ending = c.forms[i].section(QStringLiteral("*."), 1).chopped(1);
            SExportRequest request;
            request.path = QStringLiteral("sign.") + ending;
            dialog.SetRequest(request);
            EXPECT_EQ(boxes[0]->currentIndex(), i) << ending.toStdString();
        }
    }
}
