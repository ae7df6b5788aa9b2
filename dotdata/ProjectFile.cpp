#include "dotdata/ProjectFile.h"

#include "base/MessageTexts.h"
#include "base/QuotedText.h"
#include "base/RegularFile.h"
#include "base/TextCharacters.h"
#include "dotdata/DotPng.h"
#include "dotdata/PngChunks.h"
#include "dotdata/ProjectFrames.h"
#include "dotdata/ProjectText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Any int but the one whose negation overflows.
constexpr int kIntMin = INT_MIN + 1;
constexpr int kIntMax = INT_MAX;

// iTXt data: keyword, NUL, compression flag and method, empty language tag
// and translated keyword (each NUL-ended), then the UTF-8 text.
QByteArray TextChunkData(const QByteArray& text)
{
    QByteArray data(CProjectFile::kKeyword);
    data.append('\0').append('\0').append('\0').append('\0').append('\0');
    return data + text;
}

// The settings text of an iTXt chunk holding the project keyword, or a null
// array when the chunk is another one.
QByteArray SettingsOf(const QByteArray& chunkData)
{
    const QByteArray prefix = TextChunkData(QByteArray());
    if (!chunkData.startsWith(prefix))
        return {};
    return chunkData.mid(prefix.size());
}

void PutFont(CProjectText& out, const QByteArray& prefix, const LogFont& font)
{
    out.Put(prefix + ".height", font.lfHeight);
    out.Put(prefix + ".weight", font.lfWeight);
    out.Put(prefix + ".italic", font.lfItalic ? 1 : 0);
    out.Put(prefix + ".underline", font.lfUnderline ? 1 : 0);
    out.Put(prefix + ".strikeOut", font.lfStrikeOut ? 1 : 0);
    out.Put(prefix + ".charSet", font.lfCharSet);
    out.Put(prefix + ".pitchAndFamily", font.lfPitchAndFamily);
    out.Put(prefix + ".face", font.lfFaceName);
}

bool GetFlag(CProjectText& in, const QByteArray& key, bool& flag)
{
    int value = flag ? 1 : 0;
    if (!in.GetInt(key, 0, 1, value))
        return false;
    flag = value != 0;
    return true;
}

void PutLayout(CProjectText& out, const SSignLayoutOptions& layout)
{
    out.Put("layout.alignH", layout.nAlignH);
    out.Put("layout.alignV", layout.nAlignV);
    out.Put("layout.spacing", layout.nSpacing);
    out.Put("layout.lineSpacing", layout.nLineSpacing);
    out.Put("layout.fitHeight", layout.bFitHeight ? 1 : 0);
}

// Files written before the layout choices existed leave the defaults.
bool GetLayout(CProjectText& in, SSignLayoutOptions& layout)
{
    using L = SSignLayoutOptions;
    return in.GetInt("layout.alignH", L::Unaligned, L::AlignEnd, layout.nAlignH)
        && in.GetInt("layout.alignV", L::Unaligned, L::AlignEnd, layout.nAlignV)
        && in.GetInt("layout.spacing", L::kSpacingMin, L::kSpacingMax, layout.nSpacing)
        && in.GetInt("layout.lineSpacing", L::kSpacingMin, L::kSpacingMax, layout.nLineSpacing)
        && GetFlag(in, "layout.fitHeight", layout.bFitHeight);
}

bool GetFont(CProjectText& in, const QByteArray& prefix, LogFont& font)
{
    return in.GetInt(prefix + ".height", kIntMin, kIntMax, font.lfHeight)
        && in.GetInt(prefix + ".weight", 0, 1000, font.lfWeight)
        && GetFlag(in, prefix + ".italic", font.lfItalic)
        && GetFlag(in, prefix + ".underline", font.lfUnderline)
        && GetFlag(in, prefix + ".strikeOut", font.lfStrikeOut)
        && in.GetInt(prefix + ".charSet", 0, 255, font.lfCharSet)
        && in.GetInt(prefix + ".pitchAndFamily", 0, 255, font.lfPitchAndFamily)
        && in.GetText(prefix + ".face", LogFont::kFaceNameLength, font.lfFaceName);
}

// The palette index of each character of the canvas text, one digit each.
QString CharColorDigits(const CCanvasText& text)
{
    const auto count = std::min<qsizetype>(CharactersOf(text.m_szText).size(), CCanvasText::kMaxChars);
    QString digits;
    for (qsizetype i = 0; i < count; ++i)
        digits += QChar(u'0' + std::min<int>(text.m_abCharColor[static_cast<std::size_t>(i)], kUnlitIndex));
    return digits;
}

bool GetCharColors(CProjectText& in, CCanvasText& text)
{
    QString digits;
    if (!in.GetText("textColors", CCanvasText::kMaxChars, digits))
        return false;
    text.m_abCharColor.fill(static_cast<std::uint8_t>(kUnlitIndex));
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int index = digits.at(i).unicode() - u'0';
        if (index < 0 || index > kUnlitIndex)
            return false;
        text.m_abCharColor[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(index);
    }
    return true;
}

QByteArray SettingsText(const SProject& p)
{
    const CDotGrid& grid = p.m_grid;
    const CCanvasText& text = p.m_text;
    const SInputState& input = p.m_input;
    CProjectText out;
    out.Put("version", CProjectFrames::IsAnimated(p) ? CProjectFile::kVersion : CProjectFile::kStillVersion);
    out.Put("width", grid.Width());
    out.Put("height", grid.Height());
    out.Put("mode", grid.Mode());
    out.PutColor("background", grid.BackColor());
    out.Put("dotColor", grid.ColorIndex());
    out.Put("pictureColors", p.m_nPictureColors);

    out.Put("text", text.m_szText);
    out.Put("textColors", CharColorDigits(text));
    PutFont(out, "font", text.m_lfText);
    out.PutColor("overlayColor", text.m_crText);
    out.Put("overlayX", text.m_nTextX);
    out.Put("overlayY", text.m_nTextY);
    out.Put("vertical", text.m_bVertical);
    out.Put("cellWidth", text.m_nCellWidth);
    out.Put("cellHeight", text.m_nCellHeight);
    out.Put("glyphOffsetX", text.m_nGlyphOffsetX);
    out.Put("glyphOffsetY", text.m_nGlyphOffsetY);
    out.Put("stretch", text.m_nStretch);
    out.Put("dotsFromText", text.m_bDotsFromText);
    out.PutColorRuns("overlayColors", text.m_acrOverlay);
    PutLayout(out, text.m_layout);

    out.Put("input.text", input.m_szText);
    out.PutColorRuns("input.colors", input.m_acrColor);
    PutFont(out, "input.font", input.m_lfFont);
    out.Put("input.colorIndex", input.m_nColorIndex);
    out.Put("input.merged", input.m_bMerged);
    CProjectFrames::PutSettings(out, p);
    return out.Bytes();
}

bool GetCanvasText(CProjectText& in, CCanvasText& text)
{
    constexpr int kMaxCell = static_cast<int>(CProjectFile::kMaxDots);
    return in.GetText("text", CCanvasText::kMaxChars, text.m_szText) && GetCharColors(in, text)
        && GetFont(in, "font", text.m_lfText) && in.GetColor("overlayColor", text.m_crText)
        && in.GetInt("overlayX", kIntMin, kIntMax, text.m_nTextX)
        && in.GetInt("overlayY", kIntMin, kIntMax, text.m_nTextY)
        && in.GetInt("vertical", 0, 1, text.m_bVertical)
        && in.GetInt("cellWidth", 0, kMaxCell, text.m_nCellWidth)
        && in.GetInt("cellHeight", 0, kMaxCell, text.m_nCellHeight)
        && in.GetInt("glyphOffsetX", kIntMin, kIntMax, text.m_nGlyphOffsetX)
        && in.GetInt("glyphOffsetY", kIntMin, kIntMax, text.m_nGlyphOffsetY)
        && in.GetInt("stretch", kStretchMin, kStretchMax, text.m_nStretch)
        && in.GetInt("dotsFromText", 0, 1, text.m_bDotsFromText)
        && in.GetColorRuns("overlayColors", CCanvasText::kMaxChars, text.m_acrOverlay) && GetLayout(in, text.m_layout);
}

bool GetInput(CProjectText& in, SInputState& input)
{
    constexpr int kMaxInput = CCanvasText::kMaxChars;
    if (!in.GetText("input.text", kMaxInput, input.m_szText)
        || !in.GetColorRuns("input.colors", kMaxInput, input.m_acrColor) || !GetFont(in, "input.font", input.m_lfFont)
        || !in.GetInt("input.colorIndex", 0, kPaletteSize - 1, input.m_nColorIndex)
        || !in.GetInt("input.merged", 0, 1, input.m_bMerged))
        return false;
    // One colour per character; a shorter list leaves the rest in the
    // default white, a longer one is cut.
    input.m_acrColor.resize(static_cast<std::size_t>(CharactersOf(input.m_szText).size()), DotPalette[kWhiteIndex]);
    return true;
}

// The project's PNG chunks: the settings chunk's text, or a status saying
// why there is none.
CProjectFile::Status FindSettings(const QByteArray& bytes, CPngChunks& chunks, QByteArray& settings, QString& detail)
{
    switch (chunks.Parse(bytes)) {
    case CPngChunks::Ok:
        break;
    case CPngChunks::NotPng:
        return CProjectFile::NotProject;
    case CPngChunks::Truncated:
        detail = MessageText::English(MessageText::EndsEarly);
        return CProjectFile::Truncated;
    case CPngChunks::Damaged:
        detail = MessageText::English(MessageText::PictureStructureBroken);
        return CProjectFile::Damaged;
    }
    for (const CPngChunks::SChunk& chunk : chunks.Chunks()) {
        if (chunk.type != "iTXt")
            continue;
        const QByteArray head = bytes.mid(chunk.nOffset, std::min<qsizetype>(chunk.nLength, 64));
        if (SettingsOf(head).isNull())
            continue;
        if (chunk.nLength > CProjectFile::kMaxSettingsBytes) {
            detail = MessageText::English(MessageText::SettingsTooLarge, {QString::number(CProjectFile::kMaxSettingsBytes)});
            return CProjectFile::Damaged;
        }
        if (!CPngChunks::CrcMatches(bytes, chunk)) {
            detail = MessageText::English(MessageText::SettingsChecksum);
            return CProjectFile::Damaged;
        }
        settings = SettingsOf(bytes.mid(chunk.nOffset, chunk.nLength));
        return CProjectFile::Ok;
    }
    return CProjectFile::NotProject;
}

CProjectFile::Status DecodeGrid(const QByteArray& bytes, const CPngChunks& chunks, CProjectText& in, SProject& out,
                                QString& detail)
{
    int width = -1;
    int height = -1;
    int mode = TextMode;
    COLORREF background = 0;
    int dotColor = kWhiteIndex;
    if (!in.GetInt("width", 0, kIntMax, width) || !in.GetInt("height", 0, kIntMax, height)
        || !in.GetInt("mode", TextMode, ImageMode, mode) || !in.GetColor("background", background)
        || !in.GetInt("dotColor", 0, kPaletteSize - 1, dotColor)) {
        detail = in.Error();
        return CProjectFile::Damaged;
    }
    if (width < 0 || height < 0) {
        detail = MessageText::English(MessageText::SizeMissing);
        return CProjectFile::Damaged;
    }
    const bool empty = width == 0 || height == 0;
    if (static_cast<long long>(width) * height > CProjectFile::kMaxDots) {
        detail = MessageText::English(MessageText::CanvasTooLarge, {QString::number(width), QString::number(height)});
        return CProjectFile::Damaged;
    }
    const int pictureWidth = empty ? 1 : width;
    const int pictureHeight = empty ? 1 : height;
    if (chunks.Width() != pictureWidth || chunks.Height() != pictureHeight) {
        detail = MessageText::English(MessageText::SizesDisagree,
                                      {QString::number(chunks.Width()), QString::number(chunks.Height()),
                                       QString::number(width), QString::number(height)});
        return CProjectFile::Damaged;
    }

    CDotGrid& grid = out.m_grid;
    grid = CDotGrid();
    if (!empty && !CDotPng::Decode(bytes, width, height, mode, grid)) {
        detail = MessageText::English(MessageText::PictureDataDamaged);
        return CProjectFile::Damaged;
    }
    grid.SetMode(mode);
    grid.SetBackgroundColor(background, false);
    grid.SetDotColor(dotColor);
    return CProjectFile::Ok;
}

} // namespace

QByteArray CProjectFile::Encode(const SProject& project)
{
    QByteArray chunks = CPngChunks::MakeChunk("iTXt", TextChunkData(SettingsText(project)));
    if (!CProjectFrames::AppendChunks(project, chunks))
        return {};
    return CDotPng::Encode(project.m_grid, chunks);
}

CProjectFile::Status CProjectFile::Decode(const QByteArray& bytes, SProject& project, QString& detail)
{
    detail.clear();
    CPngChunks chunks;
    QByteArray settings;
    const Status found = FindSettings(bytes, chunks, settings, detail);
    if (found != Ok)
        return found;

    CProjectText in;
    int version = 0;
    if (!in.Parse(settings) || !in.GetInt("version", 1, kIntMax, version) || version == 0) {
        detail = in.Error().isEmpty() ? MessageText::English(MessageText::VersionMissing) : in.Error();
        return Damaged;
    }
    if (version > kVersion) {
        detail = QString::number(version);
        return Newer;
    }

    SProject read;
    const Status grid = DecodeGrid(bytes, chunks, in, read, detail);
    if (grid != Ok)
        return grid;
    if (!in.GetInt("pictureColors", 0, 2, read.m_nPictureColors) || !GetCanvasText(in, read.m_text)
        || !GetInput(in, read.m_input)) {
        detail = in.Error().isEmpty() ? MessageText::English(MessageText::BadColourDigit) : in.Error();
        return Damaged;
    }
    if (!CProjectFrames::Read(bytes, chunks, in, read, detail))
        return Damaged;
    project = std::move(read);
    return Ok;
}

bool CProjectFile::Save(const QString& path, const SProject& project, QString& error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = MessageText::English(MessageText::NotRegularFileSentence, {CQuotedText::Quote(path)});
        return false;
    }
    const QByteArray bytes = Encode(project);
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = MessageText::English(MessageText::ProjectNotSaved,
                                     {CQuotedText::Quote(path),
                                      bytes.isEmpty() ? MessageText::English(MessageText::OutOfMemory) : file.errorString()});
        return false;
    }
    return true;
}

CProjectFile::Status CProjectFile::Load(const QString& path, SProject& project, QString& error)
{
    QByteArray bytes;
    const CRegularFile::Status status = CRegularFile::ReadAll(path, kMaxBytes, bytes);
    if (status != CRegularFile::Ok) {
        error = Describe(CannotRead, path, CRegularFile::Describe(status, path, kMaxBytes));
        return CannotRead;
    }
    QString detail;
    const Status decoded = Decode(bytes, project, detail);
    error = decoded == Ok ? QString() : Describe(decoded, path, detail);
    return decoded;
}

bool CProjectFile::IsProject(const QString& path)
{
    QFile file;
    if (CRegularFile::Open(path, kMaxBytes, file) != CRegularFile::Ok)
        return false;
    if (file.read(CPngChunks::kSignatureSize) != QByteArray(CPngChunks::kSignature, CPngChunks::kSignatureSize))
        return false;
    // Only the chunk headers are read, and the start of each text chunk, so
    // that telling a project from a picture costs a few reads, not the file.
    // A project whose later chunks are damaged is still a project: opening
    // it says what is wrong.
    const QByteArray prefix = TextChunkData(QByteArray());
    for (qsizetype n = 0; n < CPngChunks::kMaxChunks; ++n) {
        const QByteArray header = file.read(8);
        if (header.size() < 8)
            return false;
        const quint32 length = qFromBigEndian<quint32>(header.constData());
        const QByteArray type = header.mid(4);
        if (type == "iTXt" && length >= static_cast<quint32>(prefix.size()) && file.peek(prefix.size()) == prefix)
            return true;
        if (type == "IEND" || !file.seek(file.pos() + qint64{length} + 4))
            return false;
    }
    return false;
}

QString CProjectFile::Describe(Status status, const QString& path, const QString& detail)
{
    const QString name = CQuotedText::Quote(QFileInfo(path).fileName());
    switch (status) {
    case Ok:
        return {};
    case CannotRead:
        return MessageText::English(MessageText::ProjectCannotOpen, {detail});
    case NotProject:
        return MessageText::English(MessageText::NotAProject, {name});
    case Truncated:
        return MessageText::English(MessageText::ProjectIncomplete, {name, detail});
    case Damaged:
        return MessageText::English(MessageText::ProjectDamaged, {name, detail});
    case Newer:
        return MessageText::English(MessageText::ProjectTooNew, {name, detail, QString::number(kVersion)});
    }
    return {};
}
