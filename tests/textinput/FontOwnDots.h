#pragma once

// A font's own dots read straight from its file with FreeType, apart from
// the program's text rendering, to compare that rendering against: a
// bitmap strike loaded for one-bit output at the strike's size, and a
// pixel-grid outline sampled at each pixel centre by its winding number.
// Glyphs are compared as their ink only ('#' lit, '.' not, trimmed to the
// lit dots), so where a glyph sits in its cell does not matter.

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/TextCharacters.h"
#include "textinput/TextRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <QString>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string>
#include <vector>

using DotRows = std::vector<std::string>;

// Rows trimmed to the bounding box of their '#' dots.
inline DotRows Trimmed(const DotRows& rows)
{
    int top = -1, bottom = -1, left = 1 << 30, right = -1;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        const std::string& r = rows[static_cast<std::size_t>(y)];
        const auto first = r.find('#');
        if (first == std::string::npos)
            continue;
        top = top < 0 ? y : top;
        bottom = y;
        left = std::min(left, static_cast<int>(first));
        right = std::max(right, static_cast<int>(r.rfind('#')));
    }
    DotRows out;
    for (int y = top; top >= 0 && y <= bottom; ++y)
        out.push_back(rows[static_cast<std::size_t>(y)].substr(static_cast<std::size_t>(left),
                                                                static_cast<std::size_t>(right - left + 1)));
    return out;
}

// The dots of one cell of a grid (display rows, top first) lit in ink.
inline DotRows CellDots(const CDotGrid& grid, int left, int top, int width, int height, COLORREF ink)
{
    DotRows rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x)
            row += grid.DotAt(x, grid.Height() - 1 - y) == ink ? '#' : '.';
        rows.push_back(row);
    }
    return Trimmed(rows);
}

// Each character of text as the program renders it in text mode, merged
// in one go in a font of height lfHeight, white: in cells from the font, or
// in square cells of the given size as a New canvas that high makes them.
inline std::vector<DotRows> ProgramDots(const QString& text, const char* face, int lfHeight,
                                        const SGlyphRasterOptions& options = {}, int cell = 0)
{
    CDotGrid grid;
    grid.Create(8, 8, TextMode);
    CCanvasText canvasText;
    if (cell > 0)
        CTextRenderer::SetUpNewCanvas(canvasText, cell * 2, cell, TextMode);
    CTextRenderer renderer(grid, canvasText);
    renderer.SetGlyphOptions(options);
    QTextDocument document;
    QTextCursor(&document).insertText(text);
    LogFont font;
    font.lfFaceName = QString::fromUtf8(face);
    font.lfHeight = lfHeight;
    renderer.MergeText(&document, font);
    std::vector<DotRows> cells;
    const int n = static_cast<int>(CharactersOf(canvasText.m_szText).size());
    for (int i = 0; i < n; ++i)
        cells.push_back(CellDots(grid, i * canvasText.m_nCellWidth, 0, canvasText.m_nCellWidth,
                                 canvasText.m_nCellHeight, 0x00FFFFFF));
    return cells;
}

class CFontOwnDots
{
public:
    // The face named family in the font file at path (a collection is
    // searched face by face).
    CFontOwnDots(const char* path, const char* family)
    {
        if (FT_Init_FreeType(&m_library) != 0)
            return;
        for (FT_Long i = 0;; ++i) {
            FT_Face face = nullptr;
            if (FT_New_Face(m_library, path, i, &face) != 0)
                return;
            if (face->family_name && QString::fromUtf8(face->family_name) == QString::fromUtf8(family)) {
                m_face = face;
                return;
            }
            const FT_Long count = face->num_faces;
            FT_Done_Face(face);
            if (i + 1 >= count)
                return;
        }
    }
    ~CFontOwnDots()
    {
        if (m_face)
            FT_Done_Face(m_face);
        if (m_library)
            FT_Done_FreeType(m_library);
    }
    CFontOwnDots(const CFontOwnDots&) = delete;
    CFontOwnDots& operator=(const CFontOwnDots&) = delete;

    bool IsOpen() const { return m_face != nullptr; }

    // The strike's glyph at ppem; false when the strike lacks it.
    bool Strike(char32_t code, int ppem, DotRows& rows) const
    {
        if (!m_face || FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(ppem)) != 0)
            return false;
        const FT_UInt index = FT_Get_Char_Index(m_face, code);
        if (index == 0 || FT_Load_Glyph(m_face, index, FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0
            || m_face->glyph->format != FT_GLYPH_FORMAT_BITMAP)
            return false;
        const FT_Bitmap& b = m_face->glyph->bitmap;
        DotRows out;
        for (unsigned y = 0; y < b.rows; ++y) {
            std::string row;
            const unsigned char* line = b.buffer + static_cast<long>(y) * b.pitch;
            for (unsigned x = 0; x < b.width; ++x)
                row += (line[x / 8] & (0x80 >> (x % 8))) ? '#' : '.';
            out.push_back(row);
        }
        rows = Trimmed(out);
        return true;
    }

    // The outline at em sampled at pixel centres (non-zero winding), in
    // font units, without FreeType's scaler or rasteriser.
    bool Grid(char32_t code, int em, DotRows& rows) const
    {
        const FT_UInt index = m_face ? FT_Get_Char_Index(m_face, code) : 0;
        if (index == 0 || FT_Load_Glyph(m_face, index, FT_LOAD_NO_SCALE) != 0
            || m_face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            return false;
        const FT_Outline& o = m_face->glyph->outline;
        const double unit = static_cast<double>(m_face->units_per_EM) / em;
        const int left = -em, top = 2 * em; // a box round the em square
        DotRows out;
        for (int py = 0; py < 3 * em; ++py) {
            std::string row;
            const double y = (top - py - 0.5) * unit;
            for (int px = 0; px < 3 * em; ++px)
                row += Winding(o, (left + px + 0.5) * unit, y) != 0 ? '#' : '.';
            out.push_back(row);
        }
        rows = Trimmed(out);
        return true;
    }

private:
    static int Winding(const FT_Outline& o, double x, double y)
    {
        int winding = 0;
        int first = 0;
        for (int c = 0; c < o.n_contours; ++c) {
            const int last = o.contours[c];
            for (int i = first; i <= last; ++i) {
                const FT_Vector a = o.points[i];
                const FT_Vector b = o.points[i == last ? first : i + 1];
                if ((a.y <= y) != (b.y <= y)) {
                    const double cross = a.x + (y - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y);
                    if (cross > x)
                        winding += b.y > a.y ? 1 : -1;
                }
            }
            first = last + 1;
        }
        return winding;
    }

    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};
