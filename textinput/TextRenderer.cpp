#include "textinput/TextRenderer.h"

#include "base/CanvasMode.h"
#include "base/DotGrid.h"
#include "base/DotPalette.h"
#include "base/GridImage.h"
#include "base/QtColor.h"
#include "base/TextCharacters.h"
#include "textinput/RowScaleCopy.h"

#include <QPainter>
#include <QTextBlock>

#include <algorithm>
#include <cstdlib>

namespace {

// Characters without a colour of their own show in the edit's default white.
constexpr COLORREF kDefaultTextColor = 0x00FFFFFF;

static_assert(static_cast<long long>(kMaxFontHeight) * kMaxFontHeight <= CTextRenderer::kMaxRenderedDots,
              "one character of the largest font must render");
static_assert(static_cast<long long>(kMaxFontHeight + 8) * (kMaxFontHeight + 8) > CTextRenderer::kMaxRenderedDots,
              "the largest font height is the largest that renders");

bool TooLarge(long long width, long long height)
{
    return width * height > CTextRenderer::kMaxRenderedDots;
}

} // namespace

CTextRenderer::CTextRenderer(CDotGrid& grid, CCanvasText& text, LayoutStep layoutStep)
    : m_grid(grid)
    , m_text(text)
    , m_fnLayoutStep(std::move(layoutStep))
{
}

bool CTextRenderer::IsBlank(QChar c)
{
    switch (c.unicode()) {
    case u' ':
    case u'\t':
    case u'\r':
    case u'\n':
    case QChar::Nbsp:           // a space in the plain text
    case QChar::LineSeparator:  // a line break in the plain text
    case QChar::ParagraphSeparator:
        return true;
    default:
        return false;
    }
}

QString CTextRenderer::WithoutBlanks(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (!IsBlank(c))
            kept.append(c);
    }
    return kept;
}

std::vector<COLORREF> CTextRenderer::NonBlankColors(const QTextDocument& document)
{
    return CharacterColors(document, true);
}

std::vector<COLORREF> CTextRenderer::CharacterColors(const QTextDocument& document, bool skipBlanks)
{
    std::vector<COLORREF> colours;
    bool afterHigh = false; // the next unit may end a surrogate pair
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // The line end between two paragraphs is a character of the plain text.
        if (block != document.begin() && !skipBlanks)
            colours.push_back(kDefaultTextColor);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QBrush brush = fragment.charFormat().foreground();
            const COLORREF colour = brush.style() == Qt::NoBrush ? kDefaultTextColor : FromQRgb(brush.color().rgb());
            for (const QChar c : fragment.text()) {
                const bool secondHalf = afterHigh && c.isLowSurrogate();
                afterHigh = c.isHighSurrogate();
                if (!(skipBlanks && IsBlank(c)) && !secondHalf)
                    colours.push_back(colour);
            }
        }
        afterHigh = false;
    }
    return colours;
}

void CTextRenderer::SetUpNewCanvas(CCanvasText& text, int width, int height, int mode)
{
    // Text left from the last canvas would show as an overlay that the next
    // Merge burns in, or be rendered raw by the next offset step.
    text.m_szText.clear();
    text.m_acrOverlay.clear();
    text.m_abCharColor.fill(static_cast<std::uint8_t>(kUnlitIndex));
    text.m_nCellWidth = 0;
    text.m_nCellHeight = 0;
    text.m_bDotsFromText = 1;
    if (mode != TextMode)
        return;
    text.m_bVertical = width < height ? 1 : 0;
    text.m_nCellWidth = text.m_nCellHeight = std::min(width, height);
}

bool CTextRenderer::MergeText(QTextDocument* source, const LogFont& font)
{
    m_pTextSource = source;
    QString plain = source ? source->toPlainText().left(kMaxMergedChars) : QString();
    if (!plain.isEmpty() && plain.back().isHighSurrogate())
        plain.chop(1); // never keep half of a character cut at the limit
    if (plain.isEmpty())
        return false;
    m_text.m_lfText = font;
    m_text.m_szText = WithoutBlanks(plain);
    RenderText();
    m_text.m_nTextX = 0;
    m_text.m_nTextY = 0;
    return true;
}

bool CTextRenderer::SizeGrid(int width, int height)
{
    if (m_grid.Width() != width || m_grid.Height() != height) {
        if (!m_grid.Resize(width, height))
            return false;
    }
    if (m_fnLayoutStep)
        m_fnLayoutStep(width, height);
    m_grid.FillWithBackground();
    return true;
}

bool CTextRenderer::RenderText()
{
    QStringList characters = CharactersOf(m_text.m_szText);
    if (characters.size() > CCanvasText::kMaxChars)
        characters = characters.mid(0, CCanvasText::kMaxChars);
    const int n = static_cast<int>(characters.size());
    if (n == 0)
        return false;

    // A height from the font dialog may be negative (character height); its
    // size is what counts here.
    const long long e = m_text.m_nCellHeight != 0 ? Round8(static_cast<long long>(m_text.m_nCellHeight))
                                                  : Round8(std::abs(static_cast<long long>(m_text.m_lfText.lfHeight)));
    // A cell width set by New is the glyph box width too, so the glyphs sit
    // one per cell; otherwise the first character decides full or half width.
    const long long g = m_text.m_nCellWidth != 0 ? m_text.m_nCellWidth
                                                 : (CodePointOf(characters.front()) > 255 ? Round8(e) : Round8(e / 2));
    if (g < 0 || e < 0 || TooLarge(g, e))
        return false;
    if (m_text.m_nCellWidth == 0)
        m_text.m_nCellWidth = static_cast<int>(g);
    if (m_text.m_nCellHeight == 0)
        m_text.m_nCellHeight = static_cast<int>(e);

    const long long cells = n;
    const long long width = m_text.m_bVertical ? m_text.m_nCellWidth : m_text.m_nCellWidth * cells;
    const long long height = m_text.m_bVertical ? m_text.m_nCellHeight * cells : m_text.m_nCellHeight;
    if (TooLarge(width, height) || !SizeGrid(static_cast<int>(width), static_cast<int>(height)))
        return false;

    m_text.m_bDotsFromText = 1;
    const std::vector<COLORREF> colours = m_pTextSource ? NonBlankColors(*m_pTextSource) : std::vector<COLORREF>();
    const int boxWidth = static_cast<int>(g);
    const int boxHeight = static_cast<int>(e);
    QImage surface(std::max(boxWidth, 1), std::max(boxHeight, 1), QImage::Format_RGB32);
    const CGlyphRaster raster(m_text.m_lfText, m_glyphOptions);
    const int drop = m_text.m_nStretch < 0 ? -m_text.m_nStretch / 2 : 0;
    for (int i = 0; i < n; ++i) {
        const COLORREF colour = i < static_cast<int>(colours.size()) ? colours[static_cast<std::size_t>(i)] : kDefaultTextColor;
        m_text.m_abCharColor[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(PaletteIndexOf(colour));
        if (boxWidth == 0 || boxHeight == 0)
            continue;
        raster.DrawCentred(surface, characters[i], colour, m_grid.BackColor());
        const QPoint dst = m_text.m_bVertical ? QPoint(0, i * boxHeight + drop) : QPoint(i * boxWidth, drop);
        StretchRowsOnto(surface, QPoint(-m_text.m_nGlyphOffsetX, -m_text.m_nGlyphOffsetY), QSize(boxWidth, boxHeight),
                        m_grid, dst, boxHeight + m_text.m_nStretch);
    }
    return true;
}

bool CTextRenderer::BurnInOverlay(const OverlayPainter& drawOverlay)
{
    if (m_text.m_szText.isEmpty())
        return false;
    if (!m_grid.IsEmpty() && drawOverlay) {
        QImage image = GridToImage(m_grid);
        drawOverlay(image);
        ImageToGrid(image, m_grid);
    }
    m_text.m_szText.clear();
    m_text.m_acrOverlay.clear();
    m_text.m_nTextX = 0;
    m_text.m_nTextY = 0;
    return true;
}
