// Open of a full-size (1024 x 768) photo-like JPEG in the three ways of
// matching colours, and the matching step alone on the decoded picture, which
// is what Nearest and Dithered cost beyond the plain decode.
//   ./build/bench/bench_picture_colors
#include "base/DotGrid.h"
#include "dotdata/ColorMatcher.h"
#include "dotdata/PictureDecoder.h"
#include "dotdata/PictureImport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// Smooth hue and lightness sweeps with a fine ripple, so nearly every pixel
// differs from its neighbour, as in a photo.
QImage PhotoLike()
{
    QImage image(kMaxCanvasWidth, kMaxCanvasHeight, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double ripple = 12.0 * std::sin(x * 0.37) * std::cos(y * 0.29);
            const int r = static_cast<int>(127.5 + 127.5 * std::sin(x * 0.006) + ripple);
            const int g = static_cast<int>(y * 255.0 / image.height() - ripple);
            const int b = static_cast<int>(127.5 + 127.5 * std::cos((x + y) * 0.004) + ripple);
            image.setPixel(x, y, qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255)));
        }
    }
    return image;
}

struct Samples
{
    QTemporaryDir dir;
    QString jpeg = dir.filePath("photo.jpg");
    DecodedPicture decoded;

    Samples()
    {
        PhotoLike().save(jpeg, "JPEG", 90);
        QFile file(jpeg);
        if (file.open(QIODevice::ReadOnly))
            CPictureDecoder::Decode(file, QSize(kMaxCanvasWidth, kMaxCanvasHeight), decoded);
    }
    static Samples& Get()
    {
        static Samples samples;
        return samples;
    }
};

CDotGrid FullGrid()
{
    CDotGrid grid;
    grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    return grid;
}

void BM_DecodeOnly(benchmark::State& state)
{
    QFile file(Samples::Get().jpeg);
    if (!file.open(QIODevice::ReadOnly))
        state.SkipWithError("cannot open the sample");
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        DecodedPicture picture;
        if (!CPictureDecoder::Decode(buffer, QSize(kMaxCanvasWidth, kMaxCanvasHeight), picture))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(picture.pixels.constBits());
    }
}

void Import(benchmark::State& state, int way)
{
    CDotGrid grid;
    for (auto _ : state) {
        if (!CPictureImport::Import(Samples::Get().jpeg, grid, way))
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(grid.Bits());
    }
}

void BM_OpenExact(benchmark::State& state) { Import(state, ExactColors); }
void BM_OpenNearest(benchmark::State& state) { Import(state, NearestColor); }
void BM_OpenDithered(benchmark::State& state) { Import(state, DitheredColors); }

void BM_MatchNearestOnly(benchmark::State& state)
{
    CDotGrid grid = FullGrid();
    const CColorMatcher matcher(grid.BackColor());
    for (auto _ : state) {
        matcher.MatchNearest(Samples::Get().decoded.pixels, grid);
        benchmark::DoNotOptimize(grid.Bits());
    }
}

void BM_MatchDitheredOnly(benchmark::State& state)
{
    CDotGrid grid = FullGrid();
    const CColorMatcher matcher(grid.BackColor());
    for (auto _ : state) {
        matcher.MatchDithered(Samples::Get().decoded.pixels, grid);
        benchmark::DoNotOptimize(grid.Bits());
    }
}

} // namespace

BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenNearest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDithered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchNearestOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchDitheredOnly)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
