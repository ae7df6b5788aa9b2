// Draws the README's glyph sheet: the 200 most frequent characters of the
// benchmark list rendered by the canvas's own text rendering, each dot shown
// as a square. At the heights that give 12 and 16 pixels to the em, the
// stroke-keeping rendering of the outlines stands beside the font's own
// hand-drawn strikes (WenQuanYi Zen Hei Sharp); 24 dots has no strike.
// Usage: glyphsheet OUTPUT.png [FACE] [--hinting none|vertical|full]
#include "bench/CommonChars.h"
#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "textinput/ExactGlyphs.h"
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

const char* const kStrikeFace = "WenQuanYi Zen Hei Sharp";

// One block of the sheet: a face at a height, drawn with or without the
// font's own dots.
struct SBlock
{
    QString szFace;
    int nHeight;     // font height in dots
    bool bExact;     // the font's own dots where it has them
    int nCell;       // cell height of the canvas, 0 from the font
    QString szLabel;
};

// A row of the sheet: one block, or two side by side.
struct SSection
{
    std::vector<SBlock> blocks;
    int nDotSize; // pixels per dot on the sheet
};

// The first height that gives the strike face an em of em pixels.
int HeightForEm(int em)
{
    LogFont font;
    font.lfFaceName = QString::fromLatin1(kStrikeFace);
    for (const SExactHeight& h : CExactGlyphs(font).ExactHeights(64)) {
        if (h.nEm == em)
            return h.nHeight;
    }
    return -em;
}

// One row of characters as one landscape text-mode canvas, in cells of
// the given height as a New canvas of that height makes them (0: cells from
// the font).
CDotGrid RenderRow(const QString& text, const LogFont& font, const SGlyphRasterOptions& options, int cell)
{
    CDotGrid grid;
    grid.Create(8, 8, TextMode);
    CCanvasText canvasText;
    if (cell > 0)
        CTextRenderer::SetUpNewCanvas(canvasText, cell * kPerRow, cell, TextMode);
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
    const QString strikeFace = QString::fromLatin1(kStrikeFace);
    std::vector<SSection> sections;
    for (int em : {12, 16}) {
        const int height = HeightForEm(em);
        // Both in the 16-dot cells of a 16-dot sign.
        sections.push_back(
            {{{face, height, false, 16,
               QStringLiteral("%1, height %2 in 16-dot cells: stroke-keeping rendering").arg(face).arg(height)},
              {strikeFace, height, true, 16,
               QStringLiteral("%1, height %2 in 16-dot cells: its own %3-pixel strike").arg(strikeFace).arg(height).arg(em)}},
             3});
    }
    sections.push_back({{{face, 24, false, 0, QStringLiteral("%1, height 24 dots").arg(face)}}, 3});

    int width = 0;
    int height = kMargin;
    for (const SSection& s : sections) {
        int rowWidth = kMargin;
        int rowHeight = 0;
        for (const SBlock& b : s.blocks) {
            const int cell = b.nCell > 0 ? b.nCell : CTextRenderer::Round8(std::abs(b.nHeight));
            rowWidth += kPerRow * cell * s.nDotSize + kMargin;
            rowHeight = std::max(rowHeight, (kCharacters / kPerRow) * cell * s.nDotSize);
        }
        width = std::max(width, rowWidth);
        height += kLabelHeight + rowHeight + kMargin;
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(kPaper);
    QPainter painter(&sheet);
    painter.setPen(Qt::white);
    int y = kMargin;
    for (const SSection& s : sections) {
        int x = kMargin;
        int bottom = y;
        for (const SBlock& b : s.blocks) {
            LogFont font;
            font.lfFaceName = b.szFace;
            font.lfHeight = b.nHeight;
            SGlyphRasterOptions blockOptions = options;
            blockOptions.bExactGlyphs = b.bExact;
            painter.drawText(QRect(x, y, width - x, kLabelHeight), Qt::AlignLeft | Qt::AlignVCenter, b.szLabel);
            int rowY = y + kLabelHeight;
            int blockWidth = 0;
            for (int first = 0; first < characters.size(); first += kPerRow) {
                const CDotGrid grid = RenderRow(characters.mid(first, kPerRow), font, blockOptions, b.nCell);
                DrawGrid(painter, grid, QPoint(x, rowY), s.nDotSize);
                rowY += grid.Height() * s.nDotSize;
                blockWidth = std::max(blockWidth, grid.Width() * s.nDotSize);
            }
            x += blockWidth + kMargin;
            bottom = std::max(bottom, rowY);
        }
        y = bottom + kMargin;
    }
    painter.end();
    return sheet.save(path) ? 0 : 1;
}
