// Draws the README's glyph sheet: the 200 most frequent characters of the
// benchmark list rendered by the canvas's own text rendering at 12, 16 and
// 24 dots, each dot shown as a square.
// Usage: glyphsheet OUTPUT.png [FACE] [--hinting none|vertical|full]
#include "bench/CommonChars.h"
#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "textinput/TextRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int kCharacters = 200;
constexpr int kPerRow = 20;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 22;
constexpr COLORREF kInk = 0x0000FFFF; // yellow, as on a sign
const QColor kPaper(24, 24, 24);
const QColor kUnlit(48, 48, 48);

struct SSection
{
    int nHeight;  // font height in dots
    int nDotSize; // pixels per dot on the sheet
};
const SSection kSections[] = {{12, 4}, {16, 4}, {24, 3}};

// One row of characters as one landscape text-mode canvas.
CDotGrid RenderRow(const QString& text, const LogFont& font, const SGlyphRasterOptions& options)
{
    CDotGrid grid;
    grid.Create(8, 8, TextMode);
    CCanvasText canvasText;
    CTextRenderer renderer(grid, canvasText);
    renderer.SetGlyphOptions(options);
    QTextDocument document;
    QTextCharFormat format;
    format.setForeground(QColor(255, 255, 0));
    QTextCursor(&document).insertText(text, format);
    renderer.MergeText(&document, font);
    return grid;
}

void DrawGrid(QPainter& painter, const CDotGrid& grid, QPoint origin, int dot)
{
    for (int y = 0; y < grid.Height(); ++y) {
        for (int x = 0; x < grid.Width(); ++x) {
            const bool lit = grid.DotAt(x, grid.Height() - 1 - y) == kInk;
            painter.fillRect(origin.x() + x * dot, origin.y() + y * dot, dot - 1, dot - 1,
                             lit ? QColor(255, 220, 0) : kUnlit);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    QString face = QStringLiteral("WenQuanYi Zen Hei");
    SGlyphRasterOptions options;
    for (int i = 2; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--hinting") && i + 1 < argc) {
            const QString h = QString::fromLocal8Bit(argv[++i]);
            options.hinting = h == QLatin1String("none")       ? QFont::PreferNoHinting
                : h == QLatin1String("vertical") ? QFont::PreferVerticalHinting
                                                 : QFont::PreferFullHinting;
        } else {
            face = arg;
        }
    }
    const QString characters = CommonHanzi().left(kCharacters);

    int width = 0;
    int height = kMargin;
    for (const SSection& s : kSections) {
        const int cell = CTextRenderer::Round8(s.nHeight);
        width = std::max(width, 2 * kMargin + kPerRow * cell * s.nDotSize);
        height += kLabelHeight + (kCharacters / kPerRow) * cell * s.nDotSize + kMargin;
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(kPaper);
    QPainter painter(&sheet);
    painter.setPen(Qt::white);
    int y = kMargin;
    for (const SSection& s : kSections) {
        LogFont font;
        font.lfFaceName = face;
        font.lfHeight = s.nHeight;
        painter.drawText(QRect(kMargin, y, width, kLabelHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1, height %2 dots").arg(face).arg(s.nHeight));
        y += kLabelHeight;
        for (int first = 0; first < characters.size(); first += kPerRow) {
            const CDotGrid grid = RenderRow(characters.mid(first, kPerRow), font, options);
            DrawGrid(painter, grid, QPoint(kMargin, y), s.nDotSize);
            y += grid.Height() * s.nDotSize;
        }
        y += kMargin;
    }
    painter.end();
    return sheet.save(path) ? 0 : 1;
}
