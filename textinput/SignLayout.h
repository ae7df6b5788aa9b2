#pragma once

#include "base/CanvasText.h"
#include "textinput/GlyphRaster.h"
#include "textinput/SignLayoutCache.h"

#include <QImage>
#include <QPoint>
#include <QRawFont>
#include <QRect>

#include <vector>

struct SPreparedText;

// A glyph of a sign layout line put together from single glyphs.
struct SLaidGlyph
{
    QRawFont raw;
    int nFont = 0; // the cache's number for raw
    quint32 nIndex = 0;
    QPoint ptPen;      // the whole dot the pen is in, in layout coordinates
    QPoint ptFraction; // where in that dot, in steps of 1 / CSignLayoutCache::kSubDots
    COLORREF colour = 0;
    bool bReady = false; // dots known: the font's own
    SGlyphDots dots;
    QRect outline; // where its dots can lie, in layout coordinates
};

// Lays the image-mode text out on a width x height panel and draws it as
// dots: every character in its own colour, the font's own advances and
// kerning plus the extra spacing, lines either wrapped at the right edge
// from X/Y or broken only at line breaks and aligned on their ink, and the
// font optionally sized so that the ink fills the panel's rows. The overlay,
// its burn-in and batch mode all draw through this class, so what the canvas
// shows is what Merge burns in. Text placed from X/Y without options is
// drawn a line at a time, exactly as the platform's wrapped text drawing
// draws it; aligned, spaced or fitted text, and text with the font's own
// dots, is put together from the dots of single glyphs, the font's own where
// it has them. A cache kept between layouts makes a keystroke redraw only
// what it changed.
class CSignLayout
{
public:
    // Lines are drawn whole, and so measured on their dots, while they hold
    // at most this many dots together; larger text is measured by its
    // outlines and only the part on the panel is drawn, so an absurd font
    // size costs no more than the panel.
    static constexpr long long kMaxDrawnDots = 1LL << 23;

    CSignLayout(const CCanvasText& text, int width, int height, const SGlyphRasterOptions& options = {},
                CSignLayoutCache* cache = nullptr);
    ~CSignLayout();
    CSignLayout(const CSignLayout&) = delete;
    CSignLayout& operator=(const CSignLayout&) = delete;

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // The em size in dots the text is drawn at (chosen here when fitting to
    // the rows).
    int EmPixels() const { return m_nEm; }
    // The ink's bounding box on the panel, before the panel's edges cut it;
    // empty when nothing is lit.
    QRect InkRect() const { return m_inkRect; }
    // Dots of ink past the left and right (top and bottom) edges together.
    int OverflowWidth() const;
    int OverflowHeight() const;

    // The lit dots on a black picture of the panel's size (RGB32). Dots of
    // black text do not show.
    QImage Render() const;
    // The lit dots painted onto an RGB32 picture of the panel's size.
    void Paint(QImage& target) const;

private:
    struct SLine
    {
        QRect area;  // where its dots lie, in layout coordinates
        QImage dots; // RGB32, black where nothing is lit; null until drawn
        QRect ink;   // lit part, in layout coordinates
        QPoint shift; // from layout coordinates to the panel
        std::vector<SLaidGlyph> glyphs; // when put together from single glyphs
    };

    // Text in a font that has its designer's dots at this size, in one
    // colour, laid out from X/Y without options: those dots, whole.
    void LayOutExact(const CGlyphRaster& raster, const CCanvasText& text, const SPreparedText& prepared);
    // Lines drawn whole, as the platform's wrapped text drawing draws them.
    void LayOutWholeLines(const CCanvasText& text, const SPreparedText& prepared, const CGlyphRaster& raster,
                          CSignLayoutCache& cache);
    // Lines put together from single glyphs.
    void LayOutGlyphs(const CCanvasText& text, const SPreparedText& prepared, const CGlyphRaster& raster,
                      CSignLayoutCache& cache);
    // Shifts each line onto the panel: by its line box to X/Y, or by its ink
    // to the chosen alignment and then by X/Y.
    void Place(const CCanvasText& text);
    // The em at which the text's ink is as tall as the panel, or just under.
    int FitEm(const CCanvasText& text, const SPreparedText& prepared, CSignLayoutCache& cache) const;

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nEm = 0;
    QRect m_clip;
    QRect m_inkRect;
    std::vector<SLine> m_lines;
};
