#include "animation/GifWriter.h"

#include "animation/FrameList.h"

#include <QSaveFile>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

constexpr int kColorCount = 8; // background + seven dot colours, a power of two as GIF needs
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
// for the dot colours in palette order.
std::unique_ptr<ColorMapObject, SMapFreer> MakeColorMap(COLORREF background)
{
    std::array<GifColorType, kColorCount> colors{};
    const auto set = [&colors](int index, COLORREF c) {
        colors[static_cast<std::size_t>(index)] = GifColorType{static_cast<GifByteType>(RedOf(c)),
                                                               static_cast<GifByteType>(GreenOf(c)),
                                                               static_cast<GifByteType>(BlueOf(c))};
    };
    set(0, background);
    for (int i = 0; i < kPaletteSize; ++i)
        set(i + 1, DotPalette[static_cast<std::size_t>(i)]);
    return std::unique_ptr<ColorMapObject, SMapFreer>(GifMakeMapObject(kColorCount, colors.data()));
}

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

bool PutFrame(GifFileType* gif, const CDotGrid& grid, int durationMs, std::vector<GifPixelType>& line)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = CGifWriter::DelayOf(durationMs);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK
        || EGifPutImageDesc(gif, 0, 0, grid.Width(), grid.Height(), false, nullptr) != GIF_OK)
        return false;
    // GIF rows run from the top: display row y is storage row H-1-y.
    for (int y = 0; y < grid.Height(); ++y) {
        const std::uint8_t* dot = grid.Bits() + 3u * static_cast<std::size_t>(grid.Height() - 1 - y) * grid.Width();
        for (int x = 0; x < grid.Width(); ++x, dot += 3) {
            const int index = PaletteIndexOf(MakeColor(dot[2], dot[1], dot[0]));
            line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(index == kUnlitIndex ? 0 : index + 1);
        }
        if (EGifPutLine(gif, line.data(), grid.Width()) != GIF_OK)
            return false;
    }
    return true;
}

} // namespace

int CGifWriter::DelayOf(int ms)
{
    return std::clamp((std::max(ms, 0) + 5) / 10, kMinDelay, kMaxDelay);
}

bool CGifWriter::Encode(const CFrameList& frames, QByteArray& bytes, QString& error)
{
    bytes.clear();
    const CDotGrid& first = frames.Grid(0);
    if (first.IsEmpty() || first.Width() > 0xFFFF || first.Height() > 0xFFFF) {
        error = QStringLiteral("The canvas has no dots.");
        return false;
    }
    int status = 0;
    GifPtr gif(EGifOpen(&bytes, AppendBytes, &status));
    const auto map = MakeColorMap(first.BackColor());
    if (!gif || !map) {
        error = QStringLiteral("Not enough memory for the GIF.");
        return false;
    }
    EGifSetGifVersion(gif.get(), true);
    std::vector<GifPixelType> line(static_cast<std::size_t>(first.Width()));
    bool ok = EGifPutScreenDesc(gif.get(), first.Width(), first.Height(), kColorCount, 0, map.get()) == GIF_OK
           && PutLoopForever(gif.get());
    for (int i = 0; ok && i < frames.Count(); ++i) {
        const CDotGrid& grid = frames.Grid(i);
        ok = grid.Width() == first.Width() && grid.Height() == first.Height()
          && PutFrame(gif.get(), grid, frames.Duration(i), line);
    }
    // Closing writes the trailer; it frees the handle whatever it reports.
    GifFileType* handle = gif.release();
    status = handle->Error;
    if (EGifCloseFile(handle, &status) != GIF_OK)
        ok = false;
    if (!ok) {
        error = QStringLiteral("The GIF could not be encoded (%1).").arg(QString::fromUtf8(GifErrorString(status)));
        bytes.clear();
    }
    return ok;
}

bool CGifWriter::Write(const CFrameList& frames, const QString& path, QString& error)
{
    QByteArray bytes;
    if (!Encode(frames, bytes, error))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}
