#include "canvas/WholeStateStep.h"

#include <cstring>
#include <utility>

namespace {

// The text state in groups that change together.
enum TextField : unsigned {
    kTextString = 1u << 0,
    kFont = 1u << 1,
    kOverlayColour = 1u << 2,
    kOverlayPosition = 1u << 3,
    kCells = 1u << 4,
    kGlyphOffsets = 1u << 5,
    kStretch = 1u << 6,
    kCharColours = 1u << 7,
    kDotsFromText = 1u << 8,
};

unsigned ChangedTextFields(const CCanvasText& a, const CCanvasText& b)
{
    unsigned fields = 0;
    if (a.m_szText != b.m_szText || a.m_acrOverlay != b.m_acrOverlay)
        fields |= kTextString;
    if (a.m_lfText != b.m_lfText)
        fields |= kFont;
    if (a.m_crText != b.m_crText)
        fields |= kOverlayColour;
    if (a.m_nTextX != b.m_nTextX || a.m_nTextY != b.m_nTextY)
        fields |= kOverlayPosition;
    if (a.m_bVertical != b.m_bVertical || a.m_nCellWidth != b.m_nCellWidth || a.m_nCellHeight != b.m_nCellHeight)
        fields |= kCells;
    if (a.m_nGlyphOffsetX != b.m_nGlyphOffsetX || a.m_nGlyphOffsetY != b.m_nGlyphOffsetY)
        fields |= kGlyphOffsets;
    if (a.m_nStretch != b.m_nStretch)
        fields |= kStretch;
    if (a.m_abCharColor != b.m_abCharColor)
        fields |= kCharColours;
    if (a.m_bDotsFromText != b.m_bDotsFromText)
        fields |= kDotsFromText;
    return fields;
}

// Exchanges the fields (swap) or copies them from b into a (assign).
template <typename Op>
void ForTextFields(CCanvasText& a, CCanvasText& b, unsigned fields, Op op)
{
    if (fields & kTextString) {
        op(a.m_szText, b.m_szText);
        op(a.m_acrOverlay, b.m_acrOverlay);
    }
    if (fields & kFont)
        op(a.m_lfText, b.m_lfText);
    if (fields & kOverlayColour)
        op(a.m_crText, b.m_crText);
    if (fields & kOverlayPosition) {
        op(a.m_nTextX, b.m_nTextX);
        op(a.m_nTextY, b.m_nTextY);
    }
    if (fields & kCells) {
        op(a.m_bVertical, b.m_bVertical);
        op(a.m_nCellWidth, b.m_nCellWidth);
        op(a.m_nCellHeight, b.m_nCellHeight);
    }
    if (fields & kGlyphOffsets) {
        op(a.m_nGlyphOffsetX, b.m_nGlyphOffsetX);
        op(a.m_nGlyphOffsetY, b.m_nGlyphOffsetY);
    }
    if (fields & kStretch)
        op(a.m_nStretch, b.m_nStretch);
    if (fields & kCharColours)
        op(a.m_abCharColor, b.m_abCharColor);
    if (fields & kDotsFromText)
        op(a.m_bDotsFromText, b.m_bDotsFromText);
}

bool SameDots(const CDotGrid& a, const CDotGrid& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.Mode() != b.Mode() || a.BackColor() != b.BackColor())
        return false;
    if (a.IsEmpty() || b.IsEmpty())
        return a.IsEmpty() == b.IsEmpty();
    return std::memcmp(a.Bits(), b.Bits(), a.ByteCount()) == 0;
}

} // namespace

std::unique_ptr<CWholeStateStep> CWholeStateStep::Record(EUndoKind kind, SCanvasState& state,
                                                         const std::function<bool()>& change)
{
    std::unique_ptr<CWholeStateStep> step(new CWholeStateStep(kind));
    step->m_grid = state.grid;
    step->m_text = state.text;
    const bool done = change();
    step->m_bGrid = done || !SameDots(state.grid, step->m_grid);
    step->m_nTextFields = ChangedTextFields(state.text, step->m_text);
    if (!step->m_bGrid && step->m_nTextFields == 0)
        return nullptr;
    if (!step->m_bGrid)
        step->m_grid = CDotGrid(); // a change of the text state alone keeps no dots
    return step;
}

std::size_t CWholeStateStep::Bytes() const
{
    return sizeof(*this) + m_grid.ByteCount() + static_cast<std::size_t>(m_text.m_szText.capacity()) * sizeof(QChar);
}

void CWholeStateStep::Exchange(SCanvasState& state)
{
    if (m_bGrid) {
        // The colour the next click paints is the user's choice, not history.
        const int pen = state.grid.ColorIndex();
        std::swap(state.grid, m_grid);
        state.grid.SetDotColor(pen);
    }
    ForTextFields(state.text, m_text, m_nTextFields, [](auto& a, auto& b) {
        using std::swap;
        swap(a, b);
    });
}

bool CWholeStateStep::MergeWith(CUndoStep& next)
{
    auto* later = dynamic_cast<CWholeStateStep*>(&next);
    if (!later || Kind() != EUndoKind::Render || later->Kind() != EUndoKind::Render)
        return false;
    // Both are in effect; this step holds the state before the first. What
    // the later one changed and this one did not was then as the later one
    // found it, so that is what the merged step keeps.
    if (!m_bGrid && later->m_bGrid) {
        m_grid = std::move(later->m_grid);
        m_bGrid = true;
    }
    const unsigned added = later->m_nTextFields & ~m_nTextFields;
    ForTextFields(m_text, later->m_text, added, [](auto& a, auto& b) { a = b; });
    m_nTextFields |= later->m_nTextFields;
    return true;
}
