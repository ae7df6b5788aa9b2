#pragma once

#include "base/CanvasText.h"
#include "base/Color.h"
#include "textinput/GlyphRaster.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QTextDocument>

#include <functional>
#include <vector>

class CDotGrid;

// Turns the canvas text into dots of the grid. Text mode regenerates the
// whole grid, one character cell per character in that character's colour;
// image mode burns the overlay text into the dots it covers.
class CTextRenderer
{
public:
    // Merge Text reads at most this many characters of the input.
    static constexpr int kMaxMergedChars = 511;
    // Refuses grids and glyph boxes larger than this many dots (about 100 MB
    // of dots): an absurd typed font size must not exhaust memory.
    static constexpr long long kMaxRenderedDots = 1LL << 25;

    // The view's layout step, run with the grid's size after each sizing.
    using LayoutStep = std::function<void(int width, int height)>;
    // Draws the overlay text, one pixel per dot, onto an image of the grid.
    using OverlayPainter = std::function<void(QImage& target)>;

    CTextRenderer(CDotGrid& grid, CCanvasText& text, LayoutStep layoutStep = {});

    void SetLayoutStep(LayoutStep step) { m_fnLayoutStep = std::move(step); }
    // How glyph coverage becomes lit dots (the defaults suit every size).
    void SetGlyphOptions(const SGlyphRasterOptions& options) { m_glyphOptions = options; }

    // Text mode: takes the non-blank characters of the source's first
    // kMaxMergedChars characters as the merged text and renders it. False,
    // changing nothing, when the source holds no text.
    bool MergeText(QTextDocument* source, const LogFont& font);
    // Where the glyph colours are read from when the text is rendered again
    // (a project put back the merged text without a Merge Text).
    void SetTextSource(QTextDocument* source) { m_pTextSource = source; }
    // Text mode: renders the merged text with the current font, cell,
    // offsets, stretch and the colours the source now has. False when
    // nothing was drawn.
    bool RenderText();
    // Image mode: burns the overlay into the grid and clears it. False,
    // changing nothing, when there is no overlay text.
    bool BurnInOverlay(const OverlayPainter& drawOverlay);

    // Text fields of a freshly made canvas: no text (neither merged text nor
    // overlay), square cells of the shorter side, stacked when the canvas is
    // taller than wide; image mode has no cell.
    static void SetUpNewCanvas(CCanvasText& text, int width, int height, int mode);

    // ((v + 7) / 8) * 8 with truncating division.
    static int Round8(int v) { return static_cast<int>(Round8(static_cast<long long>(v))); }
    static long long Round8(long long v) { return ((v + 7) / 8) * 8; }
    static bool IsBlank(QChar c);
    static QString WithoutBlanks(const QString& text);
    // The colour of each non-blank character (code point) of the document,
    // in order.
    static std::vector<COLORREF> NonBlankColors(const QTextDocument& document);
    // The colour of every character (code point) of the document's plain
    // text, line ends included, or of its non-blank ones only.
    static std::vector<COLORREF> CharacterColors(const QTextDocument& document, bool skipBlanks = false);

private:
    bool SizeGrid(int width, int height);

    CDotGrid& m_grid;
    CCanvasText& m_text;
    QPointer<QTextDocument> m_pTextSource;
    LayoutStep m_fnLayoutStep;
    SGlyphRasterOptions m_glyphOptions;
};
