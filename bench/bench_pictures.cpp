// Open and Save Image on a full-size (1024 x 768) picture, BMP and JPEG.
//
// With --peak it instead measures the peak memory of importing files that
// declare huge sizes, each import in a child process of its own:
//   ./build/bench/bench_pictures --peak
// and with --write-large DIR writes the large pictures for measuring the program.
#include "base/DotGrid.h"
#include "dotdata/ImageExport.h"
#include "dotdata/PictureImport.h"
#include "tests/dotdata/PictureFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtEndian>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

using namespace testpic;

namespace {

CDotGrid FullGrid()
{
    CDotGrid grid;
    grid.SetBackgroundColor(MakeColor(0, 0, 0), false);
    grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    for (int r = 0; r < grid.Height(); ++r)
        for (int c = (r % 3); c < grid.Width(); c += 3)
            grid.SetDot(c, r, DotPalette[static_cast<std::size_t>((r / 8 + c / 8) % 7)]);
    return grid;
}

// The sample files, written once.
struct Samples
{
    QTemporaryDir dir;
    CDotGrid grid = FullGrid();
    QString bmp = dir.filePath("full.bmp");
    QString jpeg = dir.filePath("full.jpg");

    Samples()
    {
        QString error;
        CImageExport::Write(grid, bmp, error);
        CImageExport::Write(grid, jpeg, error);
    }
    static Samples& Get()
    {
        static Samples samples;
        return samples;
    }
};

void Import(benchmark::State& state, const QString& path)
{
    CDotGrid grid;
    for (auto _ : state) {
        if (!CPictureImport::Import(path, grid))
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(grid.Bits());
    }
}

void Export(benchmark::State& state, const QString& path)
{
    const CDotGrid& grid = Samples::Get().grid;
    QString error;
    for (auto _ : state) {
        if (!CImageExport::Write(grid, path, error))
            state.SkipWithError("export failed");
    }
}

void BM_ImportBmp(benchmark::State& state) { Import(state, Samples::Get().bmp); }
void BM_ImportJpeg(benchmark::State& state) { Import(state, Samples::Get().jpeg); }
void BM_ExportBmp(benchmark::State& state) { Export(state, Samples::Get().dir.filePath("out.bmp")); }
void BM_ExportJpeg(benchmark::State& state) { Export(state, Samples::Get().dir.filePath("out.jpg")); }

BENCHMARK(BM_ImportBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportJpeg)->Unit(benchmark::kMillisecond);

// ---- peak memory of hostile and large files ----

QByteArray HugeBmpHeader()
{
    QByteArray b(54 + 64, '\x11');
    std::memset(b.data(), 0, 54);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, 65535);
    Put32(b, 22, 65535);
    b[26] = 1;
    b[28] = 24;
    return b;
}

// A baseline JPEG header declaring 65500 x 65500 (the most Qt's reader takes)
// followed by enough entropy data to pass the size check: the decoder really
// runs over the clipped rows.
QByteArray HugeJpegWithData()
{
    QByteArray small = MakeJpeg(QImage(16, 16, QImage::Format_RGB32));
    small.chop(2); // end marker
    QByteArray j = WithJpegSize(small, 65500, 65500);
    j.append(QByteArray(14 * 1024 * 1024, '\0'));
    j.append("\xFF\xD9", 2);
    return j;
}

// The peak resident size of this process so far, in kB (VmHWM starts afresh
// with each program, unlike the rusage figure, which keeps the parent's peak
// across fork and exec).
long PeakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

int ImportOne(const char* path)
{
    CDotGrid grid;
    QElapsedTimer clock;
    clock.start();
    const bool loaded = CPictureImport::Import(QString::fromLocal8Bit(path), grid);
    std::printf("%s %ld %.2f\n", loaded ? "loaded" : "refused", PeakKb(), clock.nsecsElapsed() / 1e9);
    return 0;
}

// A small picture after 'count' marker segments of 64 KB (comments, Exif).
QByteArray JpegAfterSegments(char marker, int count)
{
    const QByteArray small = MakeJpeg(QImage(16, 16, QImage::Format_RGB32));
    QByteArray segment("\xFF", 1);
    segment.append(marker).append("\xFF\xFF", 2).append(QByteArray(65533, 'x'));
    return small.left(2) + segment.repeated(count) + small.mid(2);
}

// A grey 4096 x 6144 progressive picture of empty blocks whose last scan
// comes again until there are 'scans' scans.
QByteArray RepeatedScans(int scans)
{
    QImage grey(4096, 6144, QImage::Format_Grayscale8);
    grey.fill(90);
    const QByteArray plain = MakeJpeg(grey, true);
    const qsizetype last = plain.lastIndexOf("\xFF\xDA");
    const QByteArray scan = plain.mid(last, plain.size() - 2 - last);
    const int have = static_cast<int>(plain.count("\xFF\xDA"));
    return plain.left(plain.size() - 2) + scan.repeated(std::max(0, scans - have)) + plain.right(2);
}

// An RLE8 picture of 2^31 - 1 rows (negative: top-down) and 'bytes' bytes of
// end-of-line codes.
QByteArray EndOfLineFlood(qint32 height, qsizetype bytes)
{
    QByteArray b = MakeRle8Bmp(16, 1, {qRgb(255, 0, 0), qRgb(0, 255, 0)}, [](int, int) { return std::uint8_t(1); });
    Put32(b, 22, static_cast<std::uint32_t>(height));
    b.truncate(static_cast<qsizetype>(qFromLittleEndian<quint32>(b.constData() + 10)));
    return b + QByteArray(bytes, '\0');
}

// Runs the import in a fresh process of this program, so the figure is that
// process's own peak and nothing of the caller's.
void ReportImport(const char* name, const QString& path)
{
    const QByteArray command = "/proc/" + QByteArray::number(getpid()) + "/exe --import-one '" + path.toLocal8Bit() + "'";
    char result[16] = "failed";
    long kb = 0;
    double seconds = 0;
    if (FILE* pipe = popen(command.constData(), "r")) {
        if (std::fscanf(pipe, "%15s %ld %lf", result, &kb, &seconds) != 3)
            std::strcpy(result, "failed");
        pclose(pipe);
    }
    std::printf("%-42s %-8s %6.1f MB %6.2f s\n", name, result, kb / 1024.0, seconds);
}

// Pictures far larger than the canvas whose useful corner is 1024 x 768:
// noise keeps the JPEG files large, as photographs are.
std::vector<std::pair<const char*, QByteArray>> LargePictures()
{
    QImage noise(4096, 3072, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < noise.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            line[x] = 0xFF000000u | (seed >> 8);
        }
    }
    return {
        {"4096 x 3072 progressive JPEG (noise)", MakeJpeg(noise, true)},
        {"8000 x 8000 baseline JPEG", MakeJpeg(noise.scaled(8000, 8000))},
        // Its coefficients (4:2:0) just fit the progressive decoder's cap.
        {"4000 x 4000 progressive JPEG", MakeJpeg(noise.scaled(4000, 4000), true)},
        {"4000 x 4000 RLE8 BMP",
         MakeRle8Bmp(4000, 4000, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 0)},
                     [](int x, int y) { return static_cast<std::uint8_t>((x / 7 + y / 3) % 3); })},
    };
}

// Writes the large pictures into a folder, for measuring the program itself.
int WriteLarge(const char* folder)
{
    int i = 0;
    for (const auto& [name, bytes] : LargePictures()) {
        QFile file(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("large%1").arg(++i)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
        std::printf("%s: %s\n", qPrintable(file.fileName()), name);
    }
    return 0;
}

int RunPeak()
{
    QTemporaryDir dir;
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(qRgb(255, 0, 0));
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"65535 x 65535 BMP header", HugeBmpHeader()},
        {"65535 x 65535 JPEG header", WithJpegSize(MakeJpeg(QImage(16, 16, QImage::Format_RGB32)), 65535, 65535)},
        {"65535 x 65535 progressive JPEG header", WithJpegSize(MakeJpeg(QImage(16, 16, QImage::Format_RGB32), true), 65535, 65535)},
        {"65500 x 65500 JPEG with 14 MB of data", HugeJpegWithData()},
        {"4000 x 3000 JPEG", MakeJpeg(photo)},
        {"4000 x 3000 progressive JPEG", MakeJpeg(photo, true)},
        {"950 comments of 64 KB before a JPEG", JpegAfterSegments('\xFE', 950)},
        {"990 comments of 64 KB before a JPEG", JpegAfterSegments('\xFE', 990)},
        {"950 Exif segments of 64 KB before a JPEG", JpegAfterSegments('\xE1', 950)},
        {"4096 x 6144 grey progressive, 995 scans", RepeatedScans(995)},
        {"4096 x 6144 grey progressive, 40 scans", RepeatedScans(40)},
        {"RLE8 2^31-1 rows top-down, 256 MB of EOL", EndOfLineFlood(-INT32_MAX, qsizetype{256} << 20)},
        {"RLE8 2^31-1 rows bottom-up, 256 MB of EOL", EndOfLineFlood(INT32_MAX, qsizetype{256} << 20)},
    };
    std::printf("%-42s %-8s %s\n", "file", "result", "peak RSS, time");
    std::fflush(stdout);
    ReportImport("(no file: process baseline)", dir.filePath("absent"));
    // Each file is written, then opened by a fresh process.
    const auto report = [&dir](const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath("case");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
        file.close();
        std::fflush(stdout);
        ReportImport(name, path);
        return true;
    };
    for (const auto& [name, bytes] : cases)
        if (!report(name, bytes))
            return 1;
    for (const auto& [name, bytes] : LargePictures())
        if (!report(name, bytes))
            return 1;
    // A 36 MB BMP of 4000 x 3000 pixels, written by Qt.
    const QString bmp = dir.filePath("photo.bmp");
    photo.save(bmp, "BMP");
    std::fflush(stdout);
    ReportImport("4000 x 3000 BMP (36 MB file)", bmp);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--peak") == 0)
        return RunPeak();
    if (argc > 2 && std::strcmp(argv[1], "--write-large") == 0)
        return WriteLarge(argv[2]);
    if (argc > 2 && std::strcmp(argv[1], "--import-one") == 0)
        return ImportOne(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
