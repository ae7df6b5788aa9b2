#include "dotdata/DotListing.h"

#include "base/DotPalette.h"
#include "base/TextCharacters.h"

#include <QLatin1String>

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace {

constexpr int kBlockSide = 8;
constexpr int kEntriesPerTextLine = 8;

// Text mode hands each character a run of consecutive units (blocks in
// portrait, block columns in landscape). On a canvas made for the text every
// character gets units / len of them. On any other canvas each character gets
// at least one while units last, the last character also takes what is left
// over, and characters beyond the units get none, so every block is listed
// exactly once and nothing is read outside the grid.
std::pair<int, int> UnitsOfCharacter(int units, int len, int charIndex)
{
    const int per = std::max(1, units / len);
    const int start = std::min(units, charIndex * per);
    const int end = charIndex == len - 1 ? units : std::min(units, start + per);
    return {start, std::max(start, end)};
}

} // namespace

CDotListing::CDotListing(CDotListingSink& sink, int chunkChars)
    : m_sink(sink)
    , m_nChunkChars(std::max(1, chunkChars))
{
}

bool CDotListing::HasLitDot(const CDotGrid& grid)
{
    if (grid.IsEmpty())
        return false;
    const std::uint8_t* p = grid.Bits();
    const std::size_t count = static_cast<std::size_t>(grid.Width()) * static_cast<std::size_t>(grid.Height());
    for (std::size_t i = 0; i < count; ++i, p += 3) {
        if (PaletteIndexOf(MakeColor(p[2], p[1], p[0])) != kUnlitIndex)
            return true;
    }
    return false;
}

bool CDotListing::LeavesLitDotsOut(const CDotGrid& grid, const CCanvasText& text)
{
    return grid.Mode() != ImageMode && !ListsMergedText(text) && HasLitDot(grid);
}

bool CDotListing::ListsMergedText(const CCanvasText& text)
{
    return !text.m_szText.isEmpty() && text.m_bDotsFromText;
}

QString CDotListing::StatusFor(int percent)
{
    return QStringLiteral("\t\t%1%").arg(percent);
}

QString CDotListing::ColorName(int index)
{
    const bool inTable = index >= 0 && index < static_cast<int>(kColorNames.size());
    return QString::fromLatin1(kColorNames[static_cast<std::size_t>(inTable ? index : kUnlitIndex)]);
}

void CDotListing::Generate(const CDotGrid& grid, const CCanvasText& text)
{
    if (grid.Mode() == ImageMode)
        WriteImageModeDots(grid);
    else
        WriteTextModeDots(grid, text);
    Flush();
    m_sink.Status(StatusFor(100));
}

QString CDotListing::DotName(const CDotGrid& grid, const CCanvasText& text, int column, int row)
{
    if (grid.IsEmpty() || column < 0 || row < 0 || column >= grid.Width() || row >= grid.Height())
        return {};
    const SBlockGeometry g = GeometryOf(grid);
    const int band = row / kBlockSide;
    const int blockColumn = column / kBlockSide;
    // Blocks are numbered in the order the writer visits them.
    int number = band * g.nColumns + blockColumn + 1;
    if (grid.Mode() != ImageMode) {
        if (text.m_szText.isEmpty())
            return {};
        if (!text.m_bVertical) {
            // Each character's block columns, band by band, one character after another.
            const int len = static_cast<int>(CharactersOf(text.m_szText).size());
            for (int i = 0; i < len; ++i) {
                const auto [start, end] = UnitsOfCharacter(g.nColumns, len, i);
                if (blockColumn >= start && blockColumn < end) {
                    number = g.nBands * start + band * (end - start) + (blockColumn - start) + 1;
                    break;
                }
            }
        }
    }
    return QStringLiteral("%1-%2-%3").arg(number).arg(row % kBlockSide + 1).arg(column % kBlockSide + 1);
}

CDotListing::SBlockGeometry CDotListing::GeometryOf(const CDotGrid& grid)
{
    SBlockGeometry g;
    if (grid.IsEmpty())
        return g;
    // Sizes are multiples of 8; a partial block at an edge is still a block,
    // with its dots outside the grid treated as unlit.
    g.nColumns = (grid.Width() + kBlockSide - 1) / kBlockSide;
    g.nBands = (grid.Height() + kBlockSide - 1) / kBlockSide;
    return g;
}

// Calls visit(row, column, colorIndex) with 1-based row and column inside
// the block for every lit dot, rows from the top, columns from the left.
template <typename F>
void CDotListing::ForEachLitDot(const CDotGrid& grid, int band, int column, F&& visit)
{
    const int width = grid.Width();
    const int height = grid.Height();
    const int x0 = column * kBlockSide;
    const int y0 = band * kBlockSide;
    const int columns = std::min(kBlockSide, width - x0);
    const int rows = std::min(kBlockSide, height - y0);
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t* p = grid.DisplayRowBits(y0 + r) + 3 * static_cast<std::size_t>(x0);
        for (int c = 0; c < columns; ++c, p += 3) {
            const int index = PaletteIndexOf(MakeColor(p[2], p[1], p[0]));
            if (index != kUnlitIndex)
                visit(r + 1, c + 1, index);
        }
    }
}

void CDotListing::WriteImageModeDots(const CDotGrid& grid)
{
    const SBlockGeometry g = GeometryOf(grid);
    m_nLast = 100;
    int blockNo = 1;
    for (int band = 0; band < g.nBands; ++band) {
        for (int column = 0; column < g.nColumns; ++column, ++blockNo) {
            WriteImageBlock(grid, band, column, blockNo);
            Progress(blockNo, g.Total());
        }
    }
}

void CDotListing::WriteImageBlock(const CDotGrid& grid, int band, int column, int blockNo)
{
    int count = 0;
    ForEachLitDot(grid, band, column, [&](int r, int c, int index) {
        AppendEntry(blockNo, r, c, index, count != 0, false);
        ++count;
    });
    if (count == 0)
        return;
    m_szBuffer += QLatin1String("\n\n");
    EndPiece();
}

void CDotListing::WriteTextModeDots(const CDotGrid& grid, const CCanvasText& text)
{
    m_nLast = 100;
    m_nBlockNo = 0;
    m_nDots = 0;
    // Headers naming characters over dots of a picture would mislabel them.
    if (!ListsMergedText(text))
        return;
    // One header per character as the renderer gave it a cell: a code point.
    m_characters = CharactersOf(text.m_szText);
    if (text.m_bVertical)
        WriteTextPortrait(grid, text);
    else
        WriteTextLandscape(grid, text);
}

// Cells stacked from the top: each character owns a run of blocks in the
// band-by-band visiting order.
void CDotListing::WriteTextPortrait(const CDotGrid& grid, const CCanvasText& text)
{
    const SBlockGeometry g = GeometryOf(grid);
    const int len = static_cast<int>(m_characters.size());
    for (int i = 0; i < len; ++i) {
        WriteHeader(text, i);
        const auto [start, end] = UnitsOfCharacter(g.Total(), len, i);
        for (int block = start; block < end; ++block) {
            WriteTextBlock(grid, block / g.nColumns, block % g.nColumns);
            Progress(m_nBlockNo++, g.Total());
        }
        WriteFooter();
    }
}

// Cells side by side: each character owns a run of block columns, visited
// band by band from the top.
void CDotListing::WriteTextLandscape(const CDotGrid& grid, const CCanvasText& text)
{
    const SBlockGeometry g = GeometryOf(grid);
    const int len = static_cast<int>(m_characters.size());
    for (int i = 0; i < len; ++i) {
        WriteHeader(text, i);
        const auto [start, end] = UnitsOfCharacter(g.nColumns, len, i);
        for (int band = 0; band < g.nBands && start < end; ++band) {
            for (int column = start; column < end; ++column) {
                WriteTextBlock(grid, band, column);
                Progress(m_nBlockNo++, g.Total());
            }
        }
        WriteFooter();
    }
}

void CDotListing::WriteTextBlock(const CDotGrid& grid, int band, int column)
{
    int lineCount = 0;
    ForEachLitDot(grid, band, column, [&](int r, int c, int index) {
        AppendEntry(m_nBlockNo + 1, r, c, index, lineCount != 0, true);
        ++m_nDots;
        if (++lineCount == kEntriesPerTextLine) {
            m_szBuffer += QLatin1Char('\n');
            EndPiece();
            lineCount = 0;
        }
    });
    if (lineCount == 0)
        return;
    m_szBuffer += QLatin1Char('\n');
    EndPiece();
}

void CDotListing::WriteHeader(const CCanvasText& text, int charIndex)
{
    const int colorIndex = charIndex < CCanvasText::kMaxChars
        ? text.m_abCharColor[static_cast<std::size_t>(charIndex)]
        : kUnlitIndex;
    m_szBuffer += QLatin1String("/*****  ");
    m_szBuffer += m_characters.at(charIndex);
    m_szBuffer += QLatin1String(", ");
    m_szBuffer += ColorName(colorIndex);
    m_szBuffer += QLatin1String("  ");
    m_szBuffer += QString(59, QLatin1Char('*'));
    m_szBuffer += QLatin1String("/\n");
    EndPiece();
}

void CDotListing::WriteFooter()
{
    m_szBuffer += QLatin1String("//**** <");
    AppendNumber(m_nDots);
    m_szBuffer += QLatin1String("> ");
    m_szBuffer += QString(67, QLatin1Char('*'));
    m_szBuffer += QLatin1String("\n\n");
    EndPiece();
    m_nDots = 0;
}

// "%s%d-%d-%d-%c", or with padNumber "%s%2d-%d-%d-%c". The entry is built
// in a small local buffer and appended once: there are up to 786,432 of them.
void CDotListing::AppendEntry(int blockNo, int row, int column, int colorIndex, bool separator, bool padNumber)
{
    char entry[32];
    char* p = entry;
    if (separator) {
        *p++ = ',';
        *p++ = ' ';
    }
    if (padNumber && blockNo < 10)
        *p++ = ' ';
    p = std::to_chars(p, entry + 20, blockNo).ptr;
    *p++ = '-';
    *p++ = static_cast<char>('0' + row);
    *p++ = '-';
    *p++ = static_cast<char>('0' + column);
    *p++ = '-';
    *p++ = kColorNames[static_cast<std::size_t>(colorIndex)][0];
    m_szBuffer += QLatin1String(entry, static_cast<int>(p - entry));
    EndPiece();
}

void CDotListing::AppendNumber(int n)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, n);
    m_szBuffer += QLatin1String(digits, static_cast<int>(result.ptr - digits));
}

void CDotListing::EndPiece()
{
    if (m_szBuffer.size() >= m_nChunkChars)
        Flush();
}

void CDotListing::Flush()
{
    if (m_szBuffer.isEmpty())
        return;
    // Let go of the chunk before asking for the next buffer: a sink that hands
    // the same memory back then holds it alone and can keep it.
    m_sink.Insert(std::exchange(m_szBuffer, QString()));
    m_szBuffer = m_sink.Buffer();
    m_szBuffer.reserve(m_nChunkChars + 128);
}

// p = trunc(n * 100 / total + 0.5), sent only when it differs from the last.
void CDotListing::Progress(int n, int total)
{
    const int percent = static_cast<int>(static_cast<double>(n) * 100.0 / static_cast<double>(total) + 0.5);
    if (percent == m_nLast)
        return;
    m_nLast = percent;
    m_sink.Status(StatusFor(percent));
}

namespace {

// Gathers the listing in one string and drops the progress texts.
class CStringSink : public CDotListingSink
{
public:
    void Insert(const QString& text) override { m_szText += text; }
    void Status(const QString&) override {}
    QString m_szText;
};

} // namespace

QString CDotListing::Whole(const CDotGrid& grid, const CCanvasText& text)
{
    CStringSink sink;
    CDotListing(sink).Generate(grid, text);
    return sink.m_szText;
}
