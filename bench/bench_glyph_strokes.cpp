// Counts glyphs that lose a stroke when text becomes dots.
//
// Each character is rendered alone through the canvas's text rendering, at a
// font height h in the cell the renderer makes for it. The reference is the
// same glyph drawn with smooth edges at four times the em size in a four
// times larger box, box-filtered 4 x 4 into the ink coverage C of each dot.
// A dot with C >= 0.35 is missed when neither it nor one of its four
// neighbours is lit; the best of the nine one-dot alignments counts. A glyph
// with 3 or more missed dots has lost a stroke. Lit dots / total coverage
// guards against blobs; any dot that is neither background nor the text
// colour is counted as grey.
//
// Usage: bench_glyph_strokes [--list] [--lit C] [--ridge C] [--same C] [--ink C]
//            [--hinting none|vertical|full] [--no-exact] [--dump FACE HEIGHT TEXT] [face...]
// The options try other rasteriser settings than the renderer's defaults;
// --no-exact draws strike and grid fonts through coverage too; --dump draws
// the named characters with the options given before it.
#include "CommonChars.h"
#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/LogFont.h"
#include "base/TextCharacters.h"
#include "textinput/GlyphRaster.h"
#include "textinput/TextRenderer.h"

#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kInkCoverage = 0.35;
constexpr int kLostStrokeDots = 3;
constexpr int kScale = 4;
constexpr COLORREF kInk = 0x00FFFFFF;
const int kSizes[] = {8, 11, 12, 13, 14, 16, 24, 32, 48, 64};

struct SDots
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<float> values;
    float At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= nWidth || y >= nHeight)
            return 0.0f;
        return values[static_cast<std::size_t>(y) * nWidth + x];
    }
};

struct SRendered
{
    SDots lit;
    int nGrey = 0;
    LogFont lfUsed;
};

SRendered RenderThroughCanvas(const QString& ch, const LogFont& font, const SGlyphRasterOptions& options)
{
    CDotGrid grid;
    grid.Create(8, 8, TextMode);
    CCanvasText text;
    CTextRenderer renderer(grid, text);
    renderer.SetGlyphOptions(options);
    QTextDocument document;
    QTextCursor(&document).insertText(ch);
    renderer.MergeText(&document, font);
    SRendered out;
    out.lfUsed = text.m_lfText;
    out.lit.nWidth = grid.Width();
    out.lit.nHeight = grid.Height();
    out.lit.values.assign(static_cast<std::size_t>(grid.Width()) * grid.Height(), 0.0f);
    for (int y = 0; y < grid.Height(); ++y) {
        for (int x = 0; x < grid.Width(); ++x) {
            const COLORREF c = grid.DotAt(x, grid.Height() - 1 - y);
            if (c == kInk)
                out.lit.values[static_cast<std::size_t>(y) * grid.Width() + x] = 1.0f;
            else if (c != grid.BackColor())
                ++out.nGrey;
        }
    }
    return out;
}

// Coverage of each dot of a width x height box from the smooth glyph at
// four times the size.
SDots ReferenceCoverage(const QString& ch, const LogFont& font, int width, int height)
{
    QFont big = font.ToQFont();
    big.setPixelSize(big.pixelSize() * kScale);
    big.setStyleStrategy(QFont::PreferAntialias);
    big.setHintingPreference(QFont::PreferNoHinting);
    QImage image(width * kScale, height * kScale, QImage::Format_Alpha8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(big);
        painter.setPen(Qt::white);
        painter.drawText(image.rect(), Qt::AlignCenter | Qt::TextSingleLine, ch);
    }
    SDots cover;
    cover.nWidth = width;
    cover.nHeight = height;
    cover.values.assign(static_cast<std::size_t>(width) * height, 0.0f);
    for (int y = 0; y < height * kScale; ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < width * kScale; ++x)
            cover.values[static_cast<std::size_t>(y / kScale) * width + x / kScale] += line[x] / (255.0f * kScale * kScale);
    }
    return cover;
}

bool LitNear(const SDots& lit, int x, int y)
{
    return lit.At(x, y) > 0 || lit.At(x - 1, y) > 0 || lit.At(x + 1, y) > 0 || lit.At(x, y - 1) > 0
        || lit.At(x, y + 1) > 0;
}

int MissedDots(const SDots& cover, const SDots& lit)
{
    int best = cover.nWidth * cover.nHeight;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            int missed = 0;
            for (int y = 0; y < cover.nHeight; ++y) {
                for (int x = 0; x < cover.nWidth; ++x) {
                    if (cover.At(x, y) >= kInkCoverage && !LitNear(lit, x + dx, y + dy))
                        ++missed;
                }
            }
            best = std::min(best, missed);
        }
    }
    return best;
}

// The lit dots as '#', reference ink (C >= 0.35) that is not lit as '.'.
void Dump(const QString& ch, const LogFont& font, const SGlyphRasterOptions& options)
{
    const SRendered rendered = RenderThroughCanvas(ch, font, options);
    const SDots cover = ReferenceCoverage(ch, rendered.lfUsed, rendered.lit.nWidth, rendered.lit.nHeight);
    std::printf("%s at %d (em %d): %d missed\n", qPrintable(ch), font.lfHeight, rendered.lfUsed.EmPixels(),
                MissedDots(cover, rendered.lit));
    // The smooth coverage the renderer itself starts from, in the same box.
    const CGlyphRaster raster(rendered.lfUsed, options);
    const QImage own = raster.Coverage(QSize(cover.nWidth, cover.nHeight), QRect(0, 0, cover.nWidth, cover.nHeight),
                                       Qt::AlignCenter | Qt::TextSingleLine, ch);
    for (int y = 0; y < cover.nHeight; ++y) {
        std::string row;
        for (int x = 0; x < cover.nWidth; ++x)
            row += rendered.lit.At(x, y) > 0 ? '#' : cover.At(x, y) >= kInkCoverage ? '.' : ' ';
        row += "  ";
        for (int x = 0; x < cover.nWidth; ++x)
            row += static_cast<char>('0' + std::min(9, static_cast<int>(cover.At(x, y) * 10)));
        row += "  ";
        for (int x = 0; x < cover.nWidth; ++x)
            row += static_cast<char>('0' + std::min(9, own.constScanLine(y)[x] * 10 / 255));
        std::printf("  %s\n", row.c_str());
    }
}

struct SResult
{
    int nGlyphs = 0;
    int nLost = 0;
    int nGrey = 0;
    double fLit = 0;
    double fCover = 0;
    QString szLost;
};

void Measure(const QString& chars, const LogFont& font, const SGlyphRasterOptions& options, SResult& r)
{
    for (const QChar c : chars) {
        const QString ch(c);
        const SRendered rendered = RenderThroughCanvas(ch, font, options);
        const SDots cover = ReferenceCoverage(ch, rendered.lfUsed, rendered.lit.nWidth, rendered.lit.nHeight);
        ++r.nGlyphs;
        r.nGrey += rendered.nGrey;
        for (float v : rendered.lit.values)
            r.fLit += v;
        for (float v : cover.values)
            r.fCover += v;
        if (MissedDots(cover, rendered.lit) >= kLostStrokeDots) {
            ++r.nLost;
            if (r.szLost.size() < 24)
                r.szLost += ch;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList faces;
    SGlyphRasterOptions options;
    bool list = false;
    bool dumped = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == QLatin1String("--list")) {
            list = true;
        } else if (arg == QLatin1String("--dump") && i + 3 < argc) {
            LogFont font;
            font.lfFaceName = QString::fromLocal8Bit(argv[i + 1]);
            font.lfHeight = QString::fromLocal8Bit(argv[i + 2]).toInt();
            for (const QString& ch : CharactersOf(QString::fromLocal8Bit(argv[i + 3])))
                Dump(ch, font, options);
            i += 3;
            dumped = true;
        } else if (arg == QLatin1String("--lit") && hasValue) {
            options.fLitCoverage = QString::fromLocal8Bit(argv[++i]).toFloat();
        } else if (arg == QLatin1String("--ink") && hasValue) {
            options.fInkCoverage = QString::fromLocal8Bit(argv[++i]).toFloat();
        } else if (arg == QLatin1String("--same") && hasValue) {
            options.fSameCoverage = QString::fromLocal8Bit(argv[++i]).toFloat();
        } else if (arg == QLatin1String("--ridge") && hasValue) {
            options.fRidgeCoverage = QString::fromLocal8Bit(argv[++i]).toFloat();
        } else if (arg == QLatin1String("--no-exact")) {
            options.bExactGlyphs = false;
        } else if (arg == QLatin1String("--hinting") && hasValue) {
            const QString h = QString::fromLocal8Bit(argv[++i]);
            options.hinting = h == QLatin1String("none")       ? QFont::PreferNoHinting
                : h == QLatin1String("vertical") ? QFont::PreferVerticalHinting
                                                 : QFont::PreferFullHinting;
        } else {
            faces << arg;
        }
    }
    if (dumped)
        return 0;
    if (faces.isEmpty())
        faces << LogFont::DefaultGuiFont().lfFaceName << QStringLiteral("WenQuanYi Zen Hei");

    const QString hanzi = CommonHanzi();
    const QString ascii = PrintableAscii();
    std::printf("%d Chinese characters, %d ASCII characters; lost = glyphs with >= %d missed dots\n",
                static_cast<int>(hanzi.size()), static_cast<int>(ascii.size()), kLostStrokeDots);
    std::printf("lit at coverage %.2f, ridges from %.2f, hinting preference %d\n", options.fLitCoverage,
                options.fRidgeCoverage, static_cast<int>(options.hinting));
    int totalLost = 0;
    for (const QString& face : faces) {
        std::printf("\n%s\n  size  lost(CJK)  lost(ASCII)  lit/coverage  grey dots  ms\n", qPrintable(face));
        for (int size : kSizes) {
            LogFont font;
            font.lfFaceName = face;
            font.lfHeight = size;
            QElapsedTimer timer;
            timer.start();
            SResult cjk;
            SResult latin;
            Measure(hanzi, font, options, cjk);
            Measure(ascii, font, options, latin);
            const double ratio = (cjk.fLit + latin.fLit) / std::max(1e-9, cjk.fCover + latin.fCover);
            std::printf("  %4d  %9d  %11d  %12.3f  %9d  %lld\n", size, cjk.nLost, latin.nLost, ratio,
                        cjk.nGrey + latin.nGrey, static_cast<long long>(timer.elapsed()));
            if (list && cjk.nLost + latin.nLost > 0)
                std::printf("        e.g. %s\n", qPrintable(cjk.szLost + latin.szLost));
            totalLost += cjk.nLost + latin.nLost;
        }
    }
    std::printf("\ntotal glyphs that lose a stroke: %d\n", totalLost);
    return 0;
}
