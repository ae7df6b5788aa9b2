#include "textinput/ExactGlyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// A glyph bitmap larger than this on either side is refused: fonts on disk
// are outside input.
constexpr unsigned kMaxGlyphSide = 4096;
// Characters whose outlines decide whether a font is drawn on a pixel grid:
// Latin and Chinese shapes with diagonals and curves in ordinary fonts.
constexpr char32_t kGridProbes[] = {U'A', U'g', U'0', U'的', U'国', U'中'};

int Pixels26(FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}

// A one-bit or grey bitmap as 255 / 0 dots.
bool MaskOf(const FT_Bitmap& bitmap, QImage& mask)
{
    if (bitmap.width > kMaxGlyphSide || bitmap.rows > kMaxGlyphSide)
        return false;
    const int width = static_cast<int>(bitmap.width);
    const int height = static_cast<int>(bitmap.rows);
    mask = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_Alpha8);
    mask.fill(0);
    if (width == 0 || height == 0)
        return true;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return false;
    for (int y = 0; y < height; ++y) {
        const unsigned char* in = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        uchar* out = mask.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const bool lit = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (in[x >> 3] & (0x80 >> (x & 7))) != 0
                                                                     : in[x] >= 128;
            out[x] = lit ? 255 : 0;
        }
    }
    return true;
}

bool GlyphFromSlot(FT_GlyphSlot slot, SExactGlyph& glyph)
{
    if (!MaskOf(slot->bitmap, glyph.mask))
        return false;
    glyph.ptOffset = QPoint(slot->bitmap_left, -slot->bitmap_top);
    glyph.nAdvance = Pixels26(slot->advance.x);
    return true;
}

// Whether every point of the unscaled outline is a corner on the grid of
// upem / em font units, joined to its neighbours by horizontal and vertical
// edges: the outline is then a set of whole pixels at em.
bool OutlineOnGrid(const FT_Outline& outline, long upem, int em)
{
    const auto onGrid = [upem, em](FT_Pos v) { return (static_cast<long long>(v) * em) % upem == 0; };
    int first = 0;
    for (int c = 0; c < outline.n_contours; ++c) {
        const int last = outline.contours[c];
        if (last < first || last >= outline.n_points)
            return false;
        for (int i = first; i <= last; ++i) {
            const FT_Vector p = outline.points[i];
            const FT_Vector q = outline.points[i == last ? first : i + 1];
            if (FT_CURVE_TAG(outline.tags[i]) != FT_CURVE_TAG_ON || !onGrid(p.x) || !onGrid(p.y))
                return false;
            if (p.x != q.x && p.y != q.y)
                return false;
        }
        first = last + 1;
    }
    return true;
}

} // namespace

struct CExactGlyphs::SLibrary
{
    FT_Library library = nullptr;
    SLibrary() { FT_Init_FreeType(&library); }
    ~SLibrary()
    {
        if (library)
            FT_Done_FreeType(library);
    }
};

struct CExactGlyphs::SFace
{
    FT_Face face = nullptr;
    std::vector<SStrike> strikes; // by strike index of the face
    SFace() = default;
    SFace(const SFace&) = delete;
    SFace& operator=(const SFace&) = delete;
    ~SFace()
    {
        if (face)
            FT_Done_Face(face);
    }
};

CExactGlyphs::CExactGlyphs(const LogFont& font)
    : m_lfFont(font)
    , m_pLibrary(std::make_unique<SLibrary>())
{
    if (m_pLibrary->library && !font.lfFaceName.isEmpty())
        OpenFaces(font);
}

CExactGlyphs::~CExactGlyphs()
{
    m_faces.clear(); // before the library that made them
}

void CExactGlyphs::OpenFaces(const LogFont& font)
{
    FcPattern* pattern = FcPatternCreate();
    const QByteArray family = font.lfFaceName.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    if (!fonts)
        return;

    // The styles of the family that give the described weight and slant
    // without synthesis; of these, the weight nearest the described one.
    const bool bold = font.lfWeight >= 600;
    const int wanted = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
    struct SCandidate
    {
        QByteArray file;
        int nIndex;
        int nWeight;
    };
    std::vector<SCandidate> candidates;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        int index = 0;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &index);
        FcPatternGetInteger(fonts->fonts[i], FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(fonts->fonts[i], FC_SLANT, 0, &slant);
        if ((weight >= FC_WEIGHT_DEMIBOLD) != bold || (slant != FC_SLANT_ROMAN) != font.lfItalic)
            continue;
        candidates.push_back({QByteArray(reinterpret_cast<const char*>(file)), index, weight});
    }
    FcFontSetDestroy(fonts);
    if (candidates.empty())
        return;
    const auto distance = [wanted](const SCandidate& c) { return std::abs(c.nWeight - wanted); };
    const int best = distance(*std::min_element(candidates.begin(), candidates.end(),
                                                [&](const SCandidate& a, const SCandidate& b) {
                                                    return distance(a) < distance(b);
                                                }));
    for (const SCandidate& c : candidates) {
        if (distance(c) != best)
            continue;
        auto face = std::make_unique<SFace>();
        if (FT_New_Face(m_pLibrary->library, c.file.constData(), c.nIndex, &face->face) != 0)
            continue;
        for (int s = 0; s < face->face->num_fixed_sizes; ++s) {
            SStrike strike;
            strike.nEm = Pixels26(face->face->available_sizes[s].y_ppem);
            if (FT_Select_Size(face->face, s) == 0)
                strike.nCellHeight = Pixels26(face->face->size->metrics.ascender - face->face->size->metrics.descender);
            face->strikes.push_back(strike);
        }
        m_faces.push_back(std::move(face));
    }
}

bool CExactGlyphs::IsOpen() const
{
    return !m_faces.empty();
}

bool CExactGlyphs::IsBitmapOnly() const
{
    return IsOpen() && OutlineFace() == nullptr;
}

std::vector<SStrike> CExactGlyphs::Strikes() const
{
    std::vector<SStrike> strikes;
    for (const auto& face : m_faces) {
        for (const SStrike& s : face->strikes) {
            if (s.nEm > 0 && std::find(strikes.begin(), strikes.end(), s) == strikes.end())
                strikes.push_back(s);
        }
    }
    std::sort(strikes.begin(), strikes.end(), [](const SStrike& a, const SStrike& b) {
        return a.nEm < b.nEm || (a.nEm == b.nEm && a.nCellHeight < b.nCellHeight);
    });
    return strikes;
}

int CExactGlyphs::EmFor(int lfHeight) const
{
    LogFont font = m_lfFont;
    font.lfHeight = lfHeight;
    if (!IsBitmapOnly())
        return font.EmPixels();
    const std::vector<SStrike> strikes = Strikes();
    if (strikes.empty())
        return font.EmPixels();
    // A bitmap font cannot be scaled: the height picks the strike of the
    // nearest em, the smaller on a tie. Its line heights cannot tell its
    // strikes apart (they are often padded to one shared line), so a height
    // of either sign is taken as the em here.
    const long long target = lfHeight != 0 ? std::llabs(static_cast<long long>(lfHeight)) : font.EmPixels();
    int nearest = strikes.front().nEm;
    for (const SStrike& s : strikes) {
        if (std::llabs(s.nEm - target) < std::llabs(nearest - target))
            nearest = s.nEm;
    }
    return nearest;
}

std::vector<SExactHeight> CExactGlyphs::ExactHeights(int maxHeight) const
{
    std::vector<SExactHeight> heights;
    if (IsBitmapOnly()) {
        for (const SStrike& s : Strikes()) {
            if (heights.empty() || heights.back().nHeight != s.nEm)
                heights.push_back({s.nEm, s.nEm});
        }
        return heights;
    }
    std::vector<std::pair<int, bool>> known; // em, exact
    for (int h = 1; h <= maxHeight; ++h) {
        const int em = EmFor(h);
        auto it = std::find_if(known.begin(), known.end(), [em](const auto& k) { return k.first == em; });
        if (it == known.end())
            it = known.insert(known.end(), {em, IsExactAt(em)});
        if (it->second)
            heights.push_back({h, em});
    }
    return heights;
}

const CExactGlyphs::SFace* CExactGlyphs::StrikeFaceFor(int em, int* strikeIndex) const
{
    for (const auto& face : m_faces) {
        for (std::size_t s = 0; s < face->strikes.size(); ++s) {
            if (face->strikes[s].nEm == em) {
                *strikeIndex = static_cast<int>(s);
                return face.get();
            }
        }
    }
    return nullptr;
}

const CExactGlyphs::SFace* CExactGlyphs::OutlineFace() const
{
    for (const auto& face : m_faces) {
        if (FT_IS_SCALABLE(face->face))
            return face.get();
    }
    return nullptr;
}

bool CExactGlyphs::IsOnGridAt(int em) const
{
    const SFace* outline = OutlineFace();
    if (!outline || em <= 0 || outline->face->units_per_EM == 0)
        return false;
    FT_Face face = outline->face;
    int probed = 0;
    for (const char32_t code : kGridProbes) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (index == 0)
            continue;
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0
            || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE
            || !OutlineOnGrid(face->glyph->outline, face->units_per_EM, em))
            return false;
        ++probed;
    }
    return probed > 0;
}

bool CExactGlyphs::IsExactAt(int em) const
{
    int strike = 0;
    return StrikeFaceFor(em, &strike) != nullptr || IsOnGridAt(em);
}

bool CExactGlyphs::SetEm(int em)
{
    m_nEm = em;
    m_bGridAtEm = IsOnGridAt(em);
    m_nAscent = m_nDescent = 0;
    int strike = 0;
    FT_Face face = nullptr;
    FT_Error sized = 0;
    if (const SFace* strikeFace = StrikeFaceFor(em, &strike)) {
        face = strikeFace->face;
        sized = FT_Select_Size(face, strike);
    } else if (m_bGridAtEm) {
        face = OutlineFace()->face;
        sized = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
    } else {
        return false;
    }
    if (sized == 0) {
        m_nAscent = Pixels26(face->size->metrics.ascender);
        m_nDescent = Pixels26(-face->size->metrics.descender);
    }
    return true;
}

bool CExactGlyphs::Glyph(char32_t code, SExactGlyph& glyph) const
{
    int strike = 0;
    if (const SFace* face = StrikeFaceFor(m_nEm, &strike)) {
        const FT_UInt index = FT_Get_Char_Index(face->face, code);
        // A glyph missing from the strike would come back as a scaled outline.
        if (index != 0 && FT_Select_Size(face->face, strike) == 0
            && FT_Load_Glyph(face->face, index, FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0
            && face->face->glyph->format == FT_GLYPH_FORMAT_BITMAP)
            return GlyphFromSlot(face->face->glyph, glyph);
    }
    const SFace* outline = OutlineFace();
    if (!m_bGridAtEm || !outline)
        return false;
    FT_Face face = outline->face;
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0
        || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE
        || !OutlineOnGrid(face->glyph->outline, face->units_per_EM, m_nEm))
        return false;
    // Every edge lies on a pixel edge, so plain centre sampling lights
    // exactly the pixels the outline covers.
    return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(m_nEm)) == 0
        && FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO) == 0
        && FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0 && GlyphFromSlot(face->glyph, glyph);
}
