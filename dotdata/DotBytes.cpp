#include "dotdata/DotBytes.h"

#include "base/DotGrid.h"
#include "dotdata/ByteLayout.h"
#include "dotdata/PlaneColors.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

// The mask of the i-th dot of a byte for each bit order.
std::array<unsigned, 8> DotMasks(const SExportOptions& options)
{
    std::array<unsigned, 8> masks{};
    for (std::size_t i = 0; i < masks.size(); ++i)
        masks[i] = options.bitOrder == SExportOptions::MsbFirst ? 0x80u >> i : 1u << i;
    return masks;
}

// The palette colours spread over 32 slots by a multiplicative hash, so that
// a dot's colour is found with one look-up and one comparison.
constexpr int kSlotShift = 27;
constexpr std::size_t kSlots = std::size_t{1} << (32 - kSlotShift);

constexpr std::size_t SlotOf(COLORREF c)
{
    return static_cast<std::size_t>((c * 0x9E3779B1u) >> kSlotShift);
}

constexpr bool PaletteSlotsDiffer()
{
    for (std::size_t i = 0; i < DotPalette.size(); ++i)
        for (std::size_t j = i + 1; j < DotPalette.size(); ++j)
            if (SlotOf(DotPalette[i]) == SlotOf(DotPalette[j]))
                return false;
    return true;
}
static_assert(PaletteSlotsDiffer(), "each dot colour needs a slot of its own");

// The plane bits of every dot, rows from the top, so that runs in either
// direction read one byte a dot.
std::vector<std::uint8_t> PlaneCodes(const CDotGrid& grid, SExportOptions::Planes planes)
{
    // A slot no palette colour uses holds a colour no dot can have.
    std::array<COLORREF, kSlots> colours;
    colours.fill(0xFFFFFFFFu);
    std::array<std::uint8_t, kSlots> codes{};
    for (std::size_t i = 0; i < DotPalette.size(); ++i) {
        colours[SlotOf(DotPalette[i])] = DotPalette[i];
        codes[SlotOf(DotPalette[i])] = static_cast<std::uint8_t>(CPlaneColors::BitsOf(planes, static_cast<int>(i)));
    }
    const int width = grid.Width();
    const int height = grid.Height();
    std::vector<std::uint8_t> result(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* dot = grid.Bits() + static_cast<std::size_t>(height - 1 - y) * 3u * width;
        std::uint8_t* code = result.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x, dot += 3) {
            const COLORREF c = MakeColor(dot[2], dot[1], dot[0]);
            const std::size_t slot = SlotOf(c);
            code[x] = colours[slot] == c ? codes[slot] : 0;
        }
    }
    return result;
}

} // namespace

QByteArray CDotBytes::Encode(const CDotGrid& grid, const CByteLayout& layout)
{
    if (grid.IsEmpty() || grid.Width() != layout.Width() || grid.Height() != layout.Height())
        return QByteArray();
    const SExportOptions& options = layout.Options();
    const std::vector<std::uint8_t> codes = PlaneCodes(grid, options.planes);
    const std::array<unsigned, 8> masks = DotMasks(options);
    const int planes = options.PlaneCount();
    const qint64 planeBytes = layout.PlaneBytes();
    const int width = grid.Width();
    QByteArray out(static_cast<qsizetype>(layout.TotalBytes()), '\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(out.data());
    layout.ForEachByte([&](qint64 index, const CByteLayout::SRun& run) {
        const std::uint8_t* code = codes.data() + static_cast<std::size_t>(run.y) * width + run.x;
        const std::ptrdiff_t step = static_cast<std::ptrdiff_t>(run.dy) * width + run.dx;
        std::array<unsigned, 3> value{};
        unsigned used = 0;
        for (int i = 0; i < run.count; ++i, code += step) {
            const unsigned mask = masks[static_cast<std::size_t>(i)];
            used |= mask;
            value[0] |= (*code & 1u) ? mask : 0u;
            value[1] |= (*code & 2u) ? mask : 0u;
            value[2] |= (*code & 4u) ? mask : 0u;
        }
        for (int p = 0; p < planes; ++p) {
            // Inversion flips the dots' bits only: padding stays zero.
            const unsigned v = options.invert ? value[static_cast<std::size_t>(p)] ^ used : value[static_cast<std::size_t>(p)];
            bytes[p * planeBytes + index] = static_cast<std::uint8_t>(v);
        }
    });
    return out;
}

bool CDotBytes::Decode(const QByteArray& bytes, const CByteLayout& layout, int monoColorIndex, CDotGrid& grid)
{
    if (grid.IsEmpty() || grid.Width() != layout.Width() || grid.Height() != layout.Height()
        || bytes.size() != layout.TotalBytes())
        return false;
    if (monoColorIndex < 0 || monoColorIndex >= kPaletteSize)
        monoColorIndex = kWhiteIndex;
    const SExportOptions& options = layout.Options();
    const std::array<unsigned, 8> masks = DotMasks(options);
    const int planes = options.PlaneCount();
    const qint64 planeBytes = layout.PlaneBytes();
    const unsigned flip = options.invert ? 1u : 0u;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    layout.ForEachByte([&](qint64 index, const CByteLayout::SRun& run) {
        for (int i = 0; i < run.count; ++i) {
            const unsigned mask = masks[static_cast<std::size_t>(i)];
            int bits = 0;
            for (int p = 0; p < planes; ++p) {
                const unsigned bit = ((data[p * planeBytes + index] & mask) ? 1u : 0u) ^ flip;
                bits |= static_cast<int>(bit << p);
            }
            const int colorIndex = CPlaneColors::ColorIndexOf(options.planes, bits, monoColorIndex);
            const COLORREF colour = colorIndex == kUnlitIndex ? grid.BackColor() : DotPalette[static_cast<std::size_t>(colorIndex)];
            const int x = run.x + i * run.dx;
            const int y = run.y + i * run.dy;
            grid.SetDot(x, grid.Height() - 1 - y, colour);
        }
    });
    return true;
}
