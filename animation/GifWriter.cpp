#include "animation/GifWriter.h"

#include "animation/FrameList.h"
#include "base/MessageTexts.h"
#include "base/SaveTarget.h"

#include <QSaveFile>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

constexpr int kColorCount = 8; // background + seven dot colours, a power of two as GIF needs
constexpr int kLedColorCount = 16; // black, seven dot colours, the unlit lamp, unused
constexpr int kUnlitLamp = 8;
constexpr int kMaxSide = 0xFFFF;
constexpr int kMaxDelay = 0xFFFF;
// Readers show a delay of 0 or 1 hundredth as a tenth of a second; 2 is the
// shortest they keep.
constexpr int kMinDelay = 2;

int AppendBytes(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

struct SGifCloser
{
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
using GifPtr = std::unique_ptr<GifFileType, SGifCloser>;

struct SMapFreer
{
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// Index 0 for the background and any colour that is not a dot colour, 1..7
// for the dot colours in palette order; an LED picture adds the unlit lamp.
std::unique_ptr<ColorMapObject, SMapFreer> MakeColorMap(COLORREF background, bool led)
{
    std::array<GifColorType, kLedColorCount> colors{};
    const auto set = [&colors](int index, COLORREF c) {
        colors[static_cast<std::size_t>(index)] = GifColorType{static_cast<GifByteType>(RedOf(c)),
                                                               static_cast<GifByteType>(GreenOf(c)),
                                                               static_cast<GifByteType>(BlueOf(c))};
    };
    set(0, led ? MakeColor(0, 0, 0) : background);
    for (int i = 0; i < kPaletteSize; ++i)
        set(i + 1, DotPalette[static_cast<std::size_t>(i)]);
    if (led)
        set(kUnlitLamp, MakeColor(38, 38, 38));
    return std::unique_ptr<ColorMapObject, SMapFreer>(
        GifMakeMapObject(led ? kLedColorCount : kColorCount, colors.data()));
}

// Which pixels of a pitch x pitch cell the round lamp covers, row by row:
// a disc with a gap of a fifth of the pitch (at least a pixel) around it.
std::vector<std::uint8_t> LampMask(int pitch)
{
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(pitch));
    const double gap = std::max(1.0, pitch / 5.0);
    const double radius = (pitch - gap) / 2.0, centre = pitch / 2.0;
    for (int j = 0; j < pitch; ++j)
        for (int i = 0; i < pitch; ++i) {
            const double dx = i + 0.5 - centre, dy = j + 0.5 - centre;
            mask[static_cast<std::size_t>(j) * pitch + i] = pitch < 3 ? (i == 0 && j == 0) || pitch == 1
                                                                      : dx * dx + dy * dy <= radius * radius;
        }
    return mask;
}

// The colour index of each dot of a display row: 0 unlit, 1..7 the dot colours.
void DotIndices(const CDotGrid& grid, int y, std::vector<GifPixelType>& indices)
{
    const std::uint8_t* dot = grid.DisplayRowBits(y);
    for (int x = 0; x < grid.Width(); ++x, dot += 3) {
        const int index = PaletteIndexOf(MakeColor(dot[2], dot[1], dot[0]));
        indices[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(index == kUnlitIndex ? 0 : index + 1);
    }
}

// How frames become GIF rows: one pixel a dot, or lamps of a pitch.
struct SRowMaker
{
    int nPitch = 0; // 0: one pixel a dot
    std::vector<std::uint8_t> abMask;
    std::vector<GifPixelType> anDots;
    std::vector<GifPixelType> anLine;

    SRowMaker(int width, int pitch)
        : nPitch(pitch)
        , anDots(static_cast<std::size_t>(width))
        , anLine(static_cast<std::size_t>(width) * static_cast<std::size_t>(std::max(pitch, 1)))
    {
        if (pitch > 0)
            abMask = LampMask(pitch);
    }
    int Height(const CDotGrid& grid) const { return grid.Height() * std::max(nPitch, 1); }
    int Width(const CDotGrid& grid) const { return grid.Width() * std::max(nPitch, 1); }

    // Picture row py of the frame.
    GifPixelType* Row(const CDotGrid& grid, int py)
    {
        if (nPitch == 0) {
            DotIndices(grid, py, anLine);
            return anLine.data();
        }
        const int j = py % nPitch;
        if (j == 0)
            DotIndices(grid, py / nPitch, anDots);
        const auto* mask = &abMask[static_cast<std::size_t>(j) * nPitch];
        GifPixelType* out = anLine.data();
        for (const GifPixelType dot : anDots) {
            const GifPixelType lamp = dot == 0 ? kUnlitLamp : dot;
            for (int i = 0; i < nPitch; ++i)
                *out++ = mask[i] ? lamp : 0;
        }
        return anLine.data();
    }
};

// NETSCAPE2.0 application block: loop for ever.
bool PutLoopForever(GifFileType* gif)
{
    static const GifByteType kId[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType kLoop[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
        && EGifPutExtensionBlock(gif, sizeof kId, kId) == GIF_OK
        && EGifPutExtensionBlock(gif, sizeof kLoop, kLoop) == GIF_OK
        && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutFrame(GifFileType* gif, const CDotGrid& grid, int durationMs, SRowMaker& rows)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = CGifWriter::DelayOf(durationMs);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    const int width = rows.Width(grid), height = rows.Height(grid);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK
        || EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_OK)
        return false;
    // GIF rows run from the top, as display rows do.
    for (int py = 0; py < height; ++py) {
        if (EGifPutLine(gif, rows.Row(grid, py), width) != GIF_OK)
            return false;
    }
    return true;
}

} // namespace

int CGifWriter::DelayOf(int ms)
{
    return std::clamp((std::max(ms, 0) + 5) / 10, kMinDelay, kMaxDelay);
}

bool CGifWriter::Encode(const CFrameList& frames, QByteArray& bytes, QString& error, int ledPitch)
{
    bytes.clear();
    const CDotGrid& first = frames.Grid(0);
    if (first.IsEmpty()) {
        error = MessageText::English(MessageText::NoDots);
        return false;
    }
    const int pitch = std::clamp(ledPitch, 0, kMaxLedPitch);
    SRowMaker rows(first.Width(), pitch);
    if (rows.Width(first) > kMaxSide || rows.Height(first) > kMaxSide) {
        error = MessageText::English(MessageText::GifTooLarge);
        return false;
    }
    int status = 0;
    GifPtr gif(EGifOpen(&bytes, AppendBytes, &status));
    const auto map = MakeColorMap(frames.Live().BackColor(), pitch > 0);
    if (!gif || !map) {
        error = MessageText::English(MessageText::NoMemoryForGif);
        return false;
    }
    EGifSetGifVersion(gif.get(), true);
    constexpr int kColorBits = 8; // bits per primary in the colour table
    bool ok = EGifPutScreenDesc(gif.get(), rows.Width(first), rows.Height(first), kColorBits, 0, map.get())
               == GIF_OK
           && PutLoopForever(gif.get());
    for (int i = 0; ok && i < frames.Count(); ++i) {
        const CDotGrid& grid = frames.Grid(i);
        ok = grid.Width() == first.Width() && grid.Height() == first.Height()
          && PutFrame(gif.get(), grid, frames.Duration(i), rows);
    }
    // Closing writes the trailer; it frees the handle whatever it reports.
    GifFileType* handle = gif.release();
    status = handle->Error;
    if (EGifCloseFile(handle, &status) != GIF_OK)
        ok = false;
    if (!ok) {
        error = MessageText::English(MessageText::GifFailed, {QString::fromUtf8(GifErrorString(status))});
        bytes.clear();
    }
    return ok;
}

bool CGifWriter::Write(const CFrameList& frames, const QString& path, QString& error, int ledPitch)
{
    // A folder or a device named as the file is refused before any work.
    error = CSaveTarget::Refusal(path);
    if (!error.isEmpty())
        return false;
    QByteArray bytes;
    if (!Encode(frames, bytes, error, ledPitch))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}
