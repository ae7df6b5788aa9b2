#include "canvas/CanvasHistory.h"

#include <cstring>
#include <utility>

namespace {

bool IsDotOf(const std::uint8_t* dot, COLORREF c)
{
    return dot[0] == BlueOf(c) && dot[1] == GreenOf(c) && dot[2] == RedOf(c);
}

// One bit per dot, in storage order: set where the dot has the colour.
std::vector<std::uint8_t> DotsOfColour(const CDotGrid& grid, COLORREF c)
{
    if (grid.IsEmpty())
        return {};
    const std::size_t dots = grid.ByteCount() / 3;
    std::vector<std::uint8_t> bits((dots + 7) / 8, 0);
    const std::uint8_t* p = grid.Bits();
    for (std::size_t i = 0; i < dots; ++i, p += 3) {
        if (IsDotOf(p, c))
            bits[i / 8] = static_cast<std::uint8_t>(bits[i / 8] | (1u << (i % 8)));
    }
    return bits;
}

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
};

unsigned ChangedTextFields(const CCanvasText& a, const CCanvasText& b)
{
    unsigned fields = 0;
    if (a.m_szText != b.m_szText)
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
    return fields;
}

void SwapTextFields(CCanvasText& a, CCanvasText& b, unsigned fields)
{
    using std::swap;
    if (fields & kTextString)
        swap(a.m_szText, b.m_szText);
    if (fields & kFont)
        swap(a.m_lfText, b.m_lfText);
    if (fields & kOverlayColour)
        swap(a.m_crText, b.m_crText);
    if (fields & kOverlayPosition) {
        swap(a.m_nTextX, b.m_nTextX);
        swap(a.m_nTextY, b.m_nTextY);
    }
    if (fields & kCells) {
        swap(a.m_bVertical, b.m_bVertical);
        swap(a.m_nCellWidth, b.m_nCellWidth);
        swap(a.m_nCellHeight, b.m_nCellHeight);
    }
    if (fields & kGlyphOffsets) {
        swap(a.m_nGlyphOffsetX, b.m_nGlyphOffsetX);
        swap(a.m_nGlyphOffsetY, b.m_nGlyphOffsetY);
    }
    if (fields & kStretch)
        swap(a.m_nStretch, b.m_nStretch);
    if (fields & kCharColours)
        swap(a.m_abCharColor, b.m_abCharColor);
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

CCanvasHistory::CCanvasHistory(CDotGrid& grid, CCanvasText& text, std::size_t byteLimit)
    : m_grid(grid)
    , m_text(text)
    , m_nByteLimit(byteLimit)
{
}

CCanvasHistory::~CCanvasHistory() = default;

std::size_t CCanvasHistory::BytesOf(const SStep& step)
{
    std::size_t bytes = sizeof(SStep) + step.abChanged.capacity();
    if (step.pOther) {
        bytes += sizeof(SState) + step.pOther->grid.ByteCount();
        bytes += static_cast<std::size_t>(step.pOther->text.m_szText.capacity()) * sizeof(QChar);
    }
    return bytes;
}

const char* CCanvasHistory::KindName(Kind kind)
{
    switch (kind) {
    case Kind::EditDot: return "Dot Edit";
    case Kind::Mirror: return "Mirror";
    case Kind::Flip: return "Flip";
    case Kind::Rotate: return "Rotate";
    case Kind::Background: return "Background Color";
    case Kind::Open: return "Open";
    case Kind::MergeText: return "Merge Text";
    case Kind::Render: return "Text Layout";
    case Kind::LoadDots: return "Load Dots";
    case Kind::Draw: return "Drawing";
    case Kind::Fill: return "Fill";
    case Kind::ResizeCanvas: return "Resize Canvas";
    case Kind::Crop: return "Crop";
    }
    return "";
}

void CCanvasHistory::DropRedoSteps()
{
    while (m_steps.size() > m_nDone) {
        m_nStoredBytes -= BytesOf(m_steps.back());
        m_steps.pop_back();
    }
}

void CCanvasHistory::Push(SStep step)
{
    DropRedoSteps();
    m_nStoredBytes += BytesOf(step);
    m_steps.push_back(std::move(step));
    ++m_nDone;
    // The newest step stays even when it alone is over the limit.
    while (m_nStoredBytes > m_nByteLimit && m_steps.size() > 1) {
        m_nStoredBytes -= BytesOf(m_steps.front());
        m_steps.pop_front();
        --m_nDone;
    }
}

void CCanvasHistory::Clear()
{
    m_steps.clear();
    m_nDone = 0;
    m_nStoredBytes = 0;
}

bool CCanvasHistory::EditDot(int column, int storageRow, COLORREF colour)
{
    if (m_grid.IsEmpty() || column < 0 || storageRow < 0 || column >= m_grid.Width() || storageRow >= m_grid.Height())
        return false;
    SStep step;
    step.nKind = Kind::EditDot;
    step.nColumn = column;
    step.nRow = storageRow;
    step.crBefore = m_grid.DotAt(column, storageRow);
    step.crAfter = colour;
    m_grid.SetDot(column, storageRow, colour);
    Push(std::move(step));
    return true;
}

bool CCanvasHistory::Mirror()
{
    return SelfInverse(Kind::Mirror, &CDotGrid::Mirror);
}

bool CCanvasHistory::Flip()
{
    return SelfInverse(Kind::Flip, &CDotGrid::Flip);
}

bool CCanvasHistory::SelfInverse(Kind kind, void (CDotGrid::*change)())
{
    if (m_grid.IsEmpty())
        return false;
    (m_grid.*change)();
    SStep step;
    step.nKind = kind;
    Push(std::move(step));
    return true;
}

void CCanvasHistory::SetBackgroundColor(COLORREF colour)
{
    SStep step;
    step.nKind = Kind::Background;
    step.crBefore = m_grid.BackColor();
    step.abChanged = DotsOfColour(m_grid, step.crBefore);
    m_grid.SetBackgroundColor(colour, true);
    step.crAfter = m_grid.BackColor();
    Push(std::move(step));
}

void CCanvasHistory::UndoBackground(const SStep& step)
{
    std::uint8_t* p = m_grid.Bits();
    const std::size_t dots = m_grid.ByteCount() / 3;
    for (std::size_t i = 0; p && i < dots && i / 8 < step.abChanged.size(); ++i) {
        if (step.abChanged[i / 8] & (1u << (i % 8))) {
            p[3 * i] = static_cast<std::uint8_t>(BlueOf(step.crBefore));
            p[3 * i + 1] = static_cast<std::uint8_t>(GreenOf(step.crBefore));
            p[3 * i + 2] = static_cast<std::uint8_t>(RedOf(step.crBefore));
        }
    }
    m_grid.SetBackgroundColor(step.crBefore, false);
}

bool CCanvasHistory::RecordWhole(Kind kind, const std::function<bool()>& change)
{
    auto before = std::make_unique<SState>();
    before->grid = m_grid;
    before->text = m_text;
    const bool done = change();
    before->bGrid = done || !SameDots(m_grid, before->grid);
    before->nTextFields = ChangedTextFields(m_text, before->text);
    if (!before->bGrid && before->nTextFields == 0)
        return false;
    if (!before->bGrid)
        before->grid = CDotGrid(); // a change of the text state alone keeps no dots
    SStep step;
    step.nKind = kind;
    step.pOther = std::move(before);
    Push(std::move(step));
    return true;
}

void CCanvasHistory::Exchange(SStep& step)
{
    // The state kept may now be of another size; the count follows it. The
    // limit is enforced at the next recorded change.
    m_nStoredBytes -= BytesOf(step);
    SState& other = *step.pOther;
    if (other.bGrid) {
        // The colour the next click paints is the user's choice, not history.
        const int pen = m_grid.ColorIndex();
        std::swap(m_grid, other.grid);
        m_grid.SetDotColor(pen);
    }
    SwapTextFields(m_text, other.text, other.nTextFields);
    m_nStoredBytes += BytesOf(step);
}

bool CCanvasHistory::Undo()
{
    if (!CanUndo())
        return false;
    SStep& step = m_steps[--m_nDone];
    switch (step.nKind) {
    case Kind::EditDot:
        m_grid.SetDot(step.nColumn, step.nRow, step.crBefore);
        break;
    case Kind::Mirror:
        m_grid.Mirror();
        break;
    case Kind::Flip:
        m_grid.Flip();
        break;
    case Kind::Background:
        UndoBackground(step);
        break;
    default:
        Exchange(step);
        break;
    }
    return true;
}

bool CCanvasHistory::Redo()
{
    if (!CanRedo())
        return false;
    SStep& step = m_steps[m_nDone++];
    switch (step.nKind) {
    case Kind::EditDot:
        m_grid.SetDot(step.nColumn, step.nRow, step.crAfter);
        break;
    case Kind::Mirror:
        m_grid.Mirror();
        break;
    case Kind::Flip:
        m_grid.Flip();
        break;
    case Kind::Background:
        m_grid.SetBackgroundColor(step.crAfter, true);
        break;
    default:
        Exchange(step);
        break;
    }
    return true;
}
