// Counts glyphs that come out exactly as the font's designer drew them.
//
// The 500 most frequent Chinese characters are rendered through the canvas's
// text rendering at an em size (a negative height) and compared, as ink
// trimmed to its bounding box, with the font's own dots read straight from
// the file with FreeType: the bitmap strike of that size loaded for one-bit
// output, or for a pixel-grid font its outline sampled at pixel centres.
// Each line gives the share identical with the font's own dots ("after")
// and with every glyph drawn by the stroke-keeping renderer instead
// ("before"), and the mean number of differing dots per differing glyph.
//
// Then, per font, the heights to type for its designer's dots and the
// share identical there, in the cells the font makes and in the 16-dot
// cells of a 16-dot sign.
//
// Usage: bench_exact_glyphs [--list]
#include "CommonChars.h"
#include "tests/textinput/FontOwnDots.h"
#include "textinput/ExactGlyphs.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int kCharacters = 500;

struct SCase
{
    const char* szPath;
    const char* szFace;
    int nEm;
    bool bGrid; // compare against the outline's grid, not a strike
};

const SCase kCases[] = {
    {"/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei Sharp", 12, false},
    {"/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", "WenQuanYi Zen Hei Sharp", 16, false},
    {"/usr/share/fonts/truetype/arphic/uming.ttc", "AR PL UMing CN", 12, false},
    {"/usr/share/fonts/truetype/arphic/uming.ttc", "AR PL UMing CN", 16, false},
    {"/usr/share/fonts/opentype/unifont/unifont.otf", "Unifont", 16, true},
};

// Dots that differ between two trimmed glyphs laid over each other at
// their top-left corners.
int Difference(const DotRows& a, const DotRows& b)
{
    const std::size_t rows = std::max(a.size(), b.size());
    int differ = 0;
    for (std::size_t y = 0; y < rows; ++y) {
        const std::string ra = y < a.size() ? a[y] : std::string();
        const std::string rb = y < b.size() ? b[y] : std::string();
        for (std::size_t x = 0; x < std::max(ra.size(), rb.size()); ++x) {
            const bool la = x < ra.size() && ra[x] == '#';
            const bool lb = x < rb.size() && rb[x] == '#';
            differ += la != lb ? 1 : 0;
        }
    }
    return differ;
}

struct SScore
{
    int nCompared = 0;
    int nSame = 0;
    long long nDiffering = 0;
    QString szDiffer;
};

SScore Score(const QStringList& characters, const std::vector<DotRows>& rendered, const CFontOwnDots& own,
             const SCase& c)
{
    SScore score;
    for (int i = 0; i < characters.size() && i < static_cast<int>(rendered.size()); ++i) {
        DotRows reference;
        const char32_t code = CodePointOf(characters[i]);
        if (!(c.bGrid ? own.Grid(code, c.nEm, reference) : own.Strike(code, c.nEm, reference)))
            continue;
        ++score.nCompared;
        if (reference == rendered[static_cast<std::size_t>(i)]) {
            ++score.nSame;
            continue;
        }
        score.nDiffering += Difference(reference, rendered[static_cast<std::size_t>(i)]);
        if (score.szDiffer.size() < 16)
            score.szDiffer += characters[i];
    }
    return score;
}

void Print(const char* label, const SScore& s, bool list)
{
    const int differing = s.nCompared - s.nSame;
    std::printf("    %-6s %3d of %3d identical (%5.1f %%), %5.1f dots differ per differing glyph\n", label, s.nSame,
                s.nCompared, 100.0 * s.nSame / std::max(1, s.nCompared),
                differing ? static_cast<double>(s.nDiffering) / differing : 0.0);
    if (list && differing > 0)
        std::printf("           e.g. %s\n", qPrintable(s.szDiffer));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool list = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--list");
    const QStringList characters = CharactersOf(CommonHanzi().left(kCharacters));
    SGlyphRasterOptions before;
    before.bExactGlyphs = false;
    std::printf("%d frequent Chinese characters, compared with the font's own dots\n",
                static_cast<int>(characters.size()));
    for (const SCase& c : kCases) {
        const CFontOwnDots own(c.szPath, c.szFace);
        if (!own.IsOpen()) {
            std::printf("\n%s: not installed (%s)\n", c.szFace, c.szPath);
            continue;
        }
        QElapsedTimer timer;
        timer.start();
        const QString text = characters.join(QString());
        const SScore after = Score(characters, ProgramDots(text, c.szFace, -c.nEm), own, c);
        const qint64 ms = timer.elapsed();
        const SScore old = Score(characters, ProgramDots(text, c.szFace, -c.nEm, before), own, c);
        std::printf("\n%s at %d px (height %d), against its %s; %lld ms\n", c.szFace, c.nEm, -c.nEm,
                    c.bGrid ? "pixel grid" : "strike", static_cast<long long>(ms));
        Print("before", old, list);
        Print("after", after, list);
    }

    std::printf("\nHeights that give the font's own dots (cell = the cells the font makes, 16 = a 16-dot New canvas)\n");
    const char* const faces[] = {"WenQuanYi Zen Hei Sharp", "AR PL UMing CN", "WenQuanYi Bitmap Song", "Unifont"};
    const QStringList sample = characters.mid(0, 100);
    for (const char* face : faces) {
        LogFont font;
        font.lfFaceName = QString::fromLatin1(face);
        const CExactGlyphs exact(font);
        std::printf("\n%s%s\n  height  em  identical(cell)  identical(16)\n", face,
                    exact.IsBitmapOnly() ? " (bitmap only)" : "");
        const SCase* reference = nullptr;
        for (const SCase& c : kCases) {
            if (QString::fromLatin1(c.szFace) == font.lfFaceName)
                reference = &c;
        }
        for (const SExactHeight& h : exact.ExactHeights(64)) {
            std::printf("  %6d  %2d", h.nHeight, h.nEm);
            if (reference) {
                const CFontOwnDots own(reference->szPath, face);
                const SCase at{reference->szPath, face, h.nEm, reference->bGrid};
                const QString text = sample.join(QString());
                const SScore inCell = Score(sample, ProgramDots(text, face, h.nHeight), own, at);
                std::printf("  %7d of %3d", inCell.nSame, inCell.nCompared);
                if (h.nEm <= 16) {
                    const SScore in16 = Score(sample, ProgramDots(text, face, h.nHeight, {}, 16), own, at);
                    std::printf("  %7d of %3d", in16.nSame, in16.nCompared);
                }
            }
            std::printf("\n");
        }
    }
    return 0;
}
