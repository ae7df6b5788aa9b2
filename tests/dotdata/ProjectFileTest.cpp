// Project files: every part of the document comes back exactly, and a file
// that is cut short, too large, corrupted or from a newer version is refused
// with one sentence while the project read into is left alone.
#include "dotdata/ProjectFile.h"

#include "base/TextCharacters.h"
#include "dotdata/DotPng.h"
#include "dotdata/PngChunks.h"
#include "dotdata/ProjectText.h"
#include "SevenColours.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A text-mode project with Chinese text in all seven colours, every text
// setting away from its default and a few dots touched up.
SProject TextProject()
{
    SProject p;
    p.m_grid.Create(64, 16, TextMode);
    p.m_grid.SetBackgroundColor(MakeColor(10, 20, 30), true);
    p.m_grid.SetDotColor(2);
    for (int x = 0; x < 64; x += 3)
        p.m_grid.SetDot(x, x % 16, kSevenColours[static_cast<std::size_t>(x % 7)].Value());
    CCanvasText& t = p.m_text;
    t.m_szText = QStringLiteral("你好AB七色字\U0001F600");
    for (std::size_t i = 0; i < 8; ++i)
        t.m_abCharColor[i] = static_cast<std::uint8_t>(i); // 0..6 and unlit
    t.m_lfText = FontOf("WenQuanYi Zen Hei", 16);
    t.m_lfText.lfWeight = 700;
    t.m_lfText.lfItalic = true;
    t.m_lfText.lfUnderline = true;
    t.m_crText = MakeColor(255, 127, 0);
    t.m_nTextX = 5;
    t.m_nTextY = 9;
    t.m_bVertical = 1;
    t.m_nCellWidth = 16;
    t.m_nCellHeight = 16;
    t.m_nGlyphOffsetX = -3;
    t.m_nGlyphOffsetY = 2;
    t.m_nStretch = -7;
    t.m_bDotsFromText = 0;
    SInputState& in = p.m_input;
    in.m_szText = QStringLiteral("你好\nAB\\x\t\r\x01 end");
    for (int i = 0; i < 14; ++i)
        in.m_acrColor.push_back(kSevenColours[static_cast<std::size_t>(i % 7)].Value());
    in.m_acrColor.back() = MakeColor(1, 2, 3); // a pasted colour off the palette
    in.m_lfFont = FontOf("DejaVu Sans", 24);
    in.m_lfFont.lfStrikeOut = true;
    in.m_nColorIndex = 6;
    in.m_bMerged = 0;
    p.m_nPictureColors = 2;
    return p;
}

SProject ImageProject()
{
    SProject p;
    p.m_grid.Create(1024, 768, ImageMode);
    for (int y = 0; y < 768; y += 7)
        for (int x = y % 5; x < 1024; x += 11)
            p.m_grid.SetDot(x, y, kSevenColours[static_cast<std::size_t>((x + y) % 7)].Value());
    p.m_text.m_szText = QStringLiteral("Overlay");
    p.m_text.m_nTextX = 1000;
    p.m_text.m_nTextY = 700;
    p.m_text.m_acrOverlay = {DotPalette[0], DotPalette[0], MakeColor(1, 2, 3), DotPalette[6]};
    p.m_text.m_layout = {SSignLayoutOptions::AlignEnd, SSignLayoutOptions::AlignCentre, SSignLayoutOptions::kSpacingMin,
                         SSignLayoutOptions::kSpacingMax, true};
    p.m_input.m_szText = QStringLiteral("Overlay");
    p.m_input.m_acrColor.assign(7, kSevenColours[3].Value());
    p.m_input.m_bMerged = 0;
    return p;
}

void ExpectSame(const SProject& a, const SProject& b)
{
    ASSERT_EQ(a.m_grid.Width(), b.m_grid.Width());
    ASSERT_EQ(a.m_grid.Height(), b.m_grid.Height());
    EXPECT_EQ(a.m_grid.Mode(), b.m_grid.Mode());
    EXPECT_EQ(a.m_grid.BackColor(), b.m_grid.BackColor());
    EXPECT_EQ(a.m_grid.ColorIndex(), b.m_grid.ColorIndex());
    EXPECT_EQ(0, a.m_grid.ByteCount() == 0 ? 0 : std::memcmp(a.m_grid.Bits(), b.m_grid.Bits(), a.m_grid.ByteCount()));
    const CCanvasText& s = a.m_text;
    const CCanvasText& t = b.m_text;
    EXPECT_EQ(s.m_szText, t.m_szText);
    EXPECT_TRUE(s.m_lfText == t.m_lfText);
    EXPECT_EQ(s.m_crText, t.m_crText);
    EXPECT_EQ(s.m_nTextX, t.m_nTextX);
    EXPECT_EQ(s.m_nTextY, t.m_nTextY);
    EXPECT_EQ(s.m_bVertical, t.m_bVertical);
    EXPECT_EQ(s.m_nCellWidth, t.m_nCellWidth);
    EXPECT_EQ(s.m_nCellHeight, t.m_nCellHeight);
    EXPECT_EQ(s.m_nGlyphOffsetX, t.m_nGlyphOffsetX);
    EXPECT_EQ(s.m_nGlyphOffsetY, t.m_nGlyphOffsetY);
    EXPECT_EQ(s.m_nStretch, t.m_nStretch);
    EXPECT_EQ(s.m_bDotsFromText, t.m_bDotsFromText);
    EXPECT_EQ(s.m_acrOverlay, t.m_acrOverlay);
    EXPECT_TRUE(s.m_layout == t.m_layout);
    // Colours count for the characters of the text only.
    for (std::size_t i = 0; i < static_cast<std::size_t>(CharactersOf(s.m_szText).size()); ++i)
        EXPECT_EQ(s.m_abCharColor[i], t.m_abCharColor[i]) << i;
    EXPECT_TRUE(a.m_input == b.m_input);
    EXPECT_EQ(a.m_nPictureColors, b.m_nPictureColors);
    ASSERT_EQ(a.m_frames.size(), b.m_frames.size());
    EXPECT_EQ(a.m_nCurrentFrame, b.m_nCurrentFrame);
    for (std::size_t i = 0; i < a.m_frames.size(); ++i) {
        const CDotGrid& f = a.m_frames[i].grid;
        const CDotGrid& g = b.m_frames[i].grid;
        ASSERT_EQ(f.ByteCount(), g.ByteCount()) << i;
        EXPECT_EQ(0, std::memcmp(f.Bits(), g.Bits(), f.ByteCount())) << i;
        EXPECT_EQ(f.Mode(), g.Mode()) << i;
        EXPECT_EQ(f.BackColor(), g.BackColor()) << i;
        EXPECT_EQ(f.ColorIndex(), g.ColorIndex()) << i;
        EXPECT_EQ(a.m_frames[i].nDurationMs, b.m_frames[i].nDurationMs) << i;
    }
}

// A 16 x 8 sign of three frames, the middle one current: each has its own
// dots in other colours and a black one, its own background and duration (the shortest and
// longest among them), and the last is a text-mode frame.
SProject AnimatedProject()
{
    SProject p = TextProject();
    p.m_grid.Create(16, 8, ImageMode);
    const int durations[] = {SSignFrame::kMinDurationMs, 250, SSignFrame::kMaxDurationMs};
    for (int i = 0; i < 3; ++i) {
        CDotGrid grid;
        grid.SetBackgroundColor(MakeColor(i * 40, 0, 9), false);
        grid.Create(16, 8, i == 2 ? TextMode : ImageMode);
        grid.SetDotColor(3);
        for (int k = 0; k < 7; ++k)
            grid.SetDisplayDot((k * 5 + i) % 16, (k + 3 * i) % 8, kSevenColours[static_cast<std::size_t>((k + i) % 7)].Value());
        grid.SetDisplayDot(15, 7, MakeColor(0, 0, 0)); // a black pixel, not the background
        p.m_frames.push_back(SSignFrame{std::move(grid), durations[i]});
    }
    p.m_nCurrentFrame = 1;
    p.m_grid = p.m_frames[1].grid;
    return p;
}

// The file's chunks of the given type, whole (length, type, data, CRC).
QList<QByteArray> ChunksOf(const QByteArray& file, const char* type)
{
    CPngChunks chunks;
    EXPECT_EQ(chunks.Parse(file), CPngChunks::Ok);
    QList<QByteArray> found;
    for (const CPngChunks::SChunk& c : chunks.Chunks()) {
        if (c.type == type)
            found << file.mid(c.nOffset - 8, c.nLength + 12);
    }
    return found;
}

// A small project file whose every byte the corruption tests can visit.
QByteArray SmallFile()
{
    SProject p = TextProject();
    p.m_grid.Create(16, 8, TextMode);
    p.m_grid.SetDot(3, 4, kSevenColours[0].Value());
    return CProjectFile::Encode(p);
}

// A project file whose settings are exactly text, its picture written by Qt.
QByteArray WithSettings(const QByteArray& text, int width = 16, int height = 8)
{
    QImage picture(width, height, QImage::Format_RGB888);
    picture.fill(Qt::black);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(picture);
    QByteArray data(CProjectFile::kKeyword);
    data.append(5, '\0');
    constexpr int kAfterHeader = 8 + 25;
    return png.insert(kAfterHeader, CPngChunks::MakeChunk("iTXt", data + text));
}

CProjectFile::Status DecodeInto(const QByteArray& bytes, SProject& project, QString& detail)
{
    return CProjectFile::Decode(bytes, project, detail);
}

// Why a file whose settings are head and line is refused; the project read
// into must stay as it was.
std::string RefusalOf(const char* head, const char* line)
{
    SProject project = ImageProject();
    QString detail;
    EXPECT_EQ(DecodeInto(WithSettings(QByteArray(head) + line + '\n'), project, detail), CProjectFile::Damaged) << line;
    EXPECT_EQ(project.m_grid.Width(), 1024) << line;
    return detail.toStdString();
}

// A whole frame chunk like chunk, its frame index replaced.
QByteArray FrameChunkAt(const QByteArray& chunk, quint32 index)
{
    QByteArray data = chunk.mid(8, chunk.size() - 12);
    qToBigEndian(index, data.data());
    return CPngChunks::MakeChunk("frAM", data);
}

// The same frame chunk with another duration and mode, its checksum remade.
QByteArray FrameChunkTimed(const QByteArray& chunk, quint32 durationMs, char mode)
{
    QByteArray data = chunk.mid(8, chunk.size() - 12);
    qToBigEndian(durationMs, data.data() + 4);
    data[8] = mode;
    return CPngChunks::MakeChunk("frAM", data);
}

} // namespace

TEST(ProjectFile, EveryPartComesBackInBothModesAndOnAnEmptyCanvas)
{
    CScratchDir dir;
    for (const SProject& original : {TextProject(), ImageProject(), SProject()}) {
        const QString path = dir.FilePath(QStringLiteral("sign.png"));
        QString error;
        ASSERT_TRUE(CProjectFile::Save(path, original, error)) << error.toStdString();
        SProject read;
        ASSERT_EQ(CProjectFile::Load(path, read, error), CProjectFile::Ok) << error.toStdString();
        ExpectSame(original, read);
        EXPECT_TRUE(CProjectFile::IsProject(path));
    }
}

TEST(ProjectFile, AnimatedSignsKeepEveryFrameStillSignsStayInTheFirstFormat)
{
    const SProject animated = AnimatedProject();
    const QByteArray file = CProjectFile::Encode(animated);
    SProject read;
    QString detail;
    ASSERT_EQ(DecodeInto(file, read, detail), CProjectFile::Ok) << detail.toStdString();
    ExpectSame(animated, read);
    EXPECT_TRUE(file.contains("version=2\n"));
    EXPECT_EQ(ChunksOf(file, "frAM").size(), 2);
    // Any viewer shows the current frame.
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(file, "PNG"));
    const SDotColour& c = kSevenColours[1];
    EXPECT_EQ(picture.pixel(1, 3), qRgb(c.red, c.green, c.blue));

    // A still sign, with or without a list of its one frame, is written as
    // before: the first format and no frame settings or chunks.
    SProject still = TextProject();
    const QByteArray plain = CProjectFile::Encode(still);
    still.m_frames.push_back(SSignFrame{still.m_grid, 500});
    EXPECT_EQ(CProjectFile::Encode(still), plain);
    EXPECT_TRUE(plain.contains("version=1\n"));
    EXPECT_FALSE(plain.contains("frame"));
    EXPECT_TRUE(ChunksOf(plain, "frAM").isEmpty());
}

TEST(ProjectFile, MissingDoubledOrMisfitFramesAreRefused)
{
    const QByteArray file = CProjectFile::Encode(AnimatedProject());
    const QList<QByteArray> frames = ChunksOf(file, "frAM");
    ASSERT_EQ(frames.size(), 2);
    SProject other = AnimatedProject();
    other.m_grid.Create(17, 8, ImageMode);
    for (SSignFrame& f : other.m_frames)
        f.grid.Create(17, 8, ImageMode);
    const QByteArray wider = ChunksOf(CProjectFile::Encode(other), "frAM").first();
    QByteArray settingsSaid = file;
    settingsSaid.replace("frames=3\n", "frames=4\n");

    const struct
    {
        QByteArray bytes;
        const char* detail;
    } cases[] = {
        {QByteArray(file).replace(frames[1], ""), "frame 3 of 3 is missing"},
        {QByteArray(file).replace(frames[1], frames[0]), "frame 1 is there twice"},
        {QByteArray(file).replace(frames[0], wider), "the dots of frame 1 are damaged"},
        {settingsSaid, "its settings fail their checksum"},
        {QByteArray(file).replace(frames[0], FrameChunkAt(frames[0], 3)), "a frame has no place in the sign"},
        {QByteArray(file).replace(frames[0], FrameChunkAt(frames[0], 1)), "frame 2 is there twice"},
        {QByteArray(file).replace(frames[1], FrameChunkTimed(frames[1], 9, 1)), "frame 3 has a wrong duration or mode"},
        {QByteArray(file).replace(frames[0], FrameChunkTimed(frames[0], 60001, 1)), "frame 1 has a wrong duration or mode"},
        {QByteArray(file).replace(frames[0], FrameChunkTimed(frames[0], 500, 2)), "frame 1 has a wrong duration or mode"},
    };
    for (const auto& c : cases) {
        SProject project = ImageProject();
        QString detail;
        EXPECT_EQ(DecodeInto(c.bytes, project, detail), CProjectFile::Damaged) << c.detail;
        EXPECT_EQ(detail.toStdString(), c.detail);
        EXPECT_EQ(project.m_grid.Width(), 1024);
    }

    // Settings that announce more frames than there are, or a current frame
    // past the last, name the setting.
    const struct
    {
        QByteArray text;
        const char* detail;
    } settings[] = {
        {"version=2\nwidth=16\nheight=8\nframes=2\n", "frame 2 of 2 is missing"},
        {"version=2\nwidth=16\nheight=8\nframes=3\ncurrentFrame=3\n", "currentFrame: \"3\" is not a number from 0 to 2"},
        {"version=2\nwidth=16\nheight=8\nframes=65537\n", "frames: \"65537\" is not a number from 1 to 65536"},
        {"version=2\nwidth=16\nheight=8\nframes=2\nframeDuration=9\n", "frameDuration: \"9\" is not a number from 10 to 60000"},
        {"version=2\nwidth=1024\nheight=768\nframes=300\n", "300 frames of 1024 x 768 dots are more than Pellmark keeps"},
        // A canvas without dots has no frames to animate (its picture is one pixel).
        {"version=2\nwidth=0\nheight=0\nframes=2\n", "2 frames of 0 x 0 dots are more than Pellmark keeps"},
    };
    for (const auto& c : settings) {
        SProject project;
        QString detail;
        const QStringList size = QString::fromLatin1(c.text).split('\n');
        const int width = size[1].mid(6).toInt(), height = size[2].mid(7).toInt();
        EXPECT_EQ(DecodeInto(WithSettings(c.text, std::max(width, 1), std::max(height, 1)), project, detail),
                  CProjectFile::Damaged)
            << c.detail;
        EXPECT_EQ(detail.toStdString(), c.detail);
    }
}

TEST(ProjectFile, IsAPictureOfTheDotsForAnyViewer)
{
    const SProject p = TextProject();
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(CProjectFile::Encode(p), "PNG"));
    ASSERT_EQ(picture.size(), QSize(64, 16));
    for (int x = 0; x < 64; x += 3) {
        const SDotColour& c = kSevenColours[static_cast<std::size_t>(x % 7)];
        EXPECT_EQ(picture.pixel(x, 15 - x % 16), qRgb(c.red, c.green, c.blue)) << x; // grid rows count from the bottom
    }
    EXPECT_EQ(picture.pixel(1, 0), qRgb(10, 20, 30));
}

TEST(ProjectText, EscapesKeepEveryCharacterOnOneLine)
{
    const QString lone = QString(QChar(0xD800)) + QStringLiteral("a") + QChar(0xDC00);
    for (const QString& text : {QStringLiteral("a\\b\\\\n"), QStringLiteral("\n\r\t\x01\x7F="),
                                QStringLiteral("你好\U0001F600"), lone, QString()}) {
        const QString escaped = CProjectText::Escape(text);
        EXPECT_FALSE(escaped.contains(QLatin1Char('\n')));
        EXPECT_EQ(QString::fromUtf8(escaped.toUtf8()), escaped); // survives UTF-8
        QString back;
        ASSERT_TRUE(CProjectText::Unescape(escaped, back));
        EXPECT_EQ(back, text);
    }
    QString ignored;
    for (const char* broken : {"\\", "ab\\", "\\q", "\\x4", "\\xZZ", "\\u12", "\\u12G4"})
        EXPECT_FALSE(CProjectText::Unescape(QString::fromLatin1(broken), ignored)) << broken;
}

TEST(ProjectFile, EveryCutIsRefusedAndLeavesTheProjectAlone)
{
    const QByteArray whole = SmallFile();
    const SProject before = ImageProject();
    for (qsizetype n = 0; n < whole.size(); ++n) {
        SProject project = ImageProject();
        QString detail;
        const CProjectFile::Status status = DecodeInto(whole.left(n), project, detail);
        ASSERT_NE(status, CProjectFile::Ok) << n;
        EXPECT_EQ(status, n < 8 ? CProjectFile::NotProject : CProjectFile::Truncated) << n;
        ASSERT_EQ(project.m_grid.Width(), 1024) << n;
        EXPECT_EQ(project.m_input.m_szText, before.m_input.m_szText);
    }
}

TEST(ProjectFile, EveryFlippedByteIsRefusedOrChangesNothing)
{
    for (const QByteArray& whole : {SmallFile(), CProjectFile::Encode(AnimatedProject())}) {
    SProject expected;
    QString detail;
    ASSERT_EQ(DecodeInto(whole, expected, detail), CProjectFile::Ok);
    for (qsizetype i = 0; i < whole.size(); ++i) {
        QByteArray bytes = whole;
        bytes[i] = static_cast<char>(bytes[i] ^ 0x24);
        SProject project;
        const CProjectFile::Status status = DecodeInto(bytes, project, detail);
        if (status == CProjectFile::Ok) {
            ExpectSame(expected, project);
        } else if (status != CProjectFile::NotProject) { // a broken keyword hides the settings
            EXPECT_FALSE(detail.isEmpty()) << i;
        }
    }
    }
}

TEST(ProjectFile, OversizedFilesCanvasesAndSettingsAreRefusedBeforeReading)
{
    CScratchDir dir;
    const QString big = dir.FilePath(QStringLiteral("big.png"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(SmallFile());
        ASSERT_TRUE(file.resize(CProjectFile::kMaxBytes + 1)); // sparse
    }
    SProject project;
    QString error;
    EXPECT_EQ(CProjectFile::Load(big, project, error), CProjectFile::CannotRead);
    EXPECT_TRUE(error.contains(QStringLiteral("larger than"))) << error.toStdString();

    // A header claiming 2^25 + 1 dots, with settings that agree.
    QByteArray huge = WithSettings("version=1\nwidth=32769\nheight=1024\n");
    qToBigEndian<std::uint32_t>(32769, huge.data() + 16);
    qToBigEndian<std::uint32_t>(1024, huge.data() + 20);
    const QByteArray header = huge.mid(12, 17);
    qToBigEndian(CPngChunks::Crc32(header.constData(), header.size()), huge.data() + 29);
    QString detail;
    EXPECT_EQ(DecodeInto(huge, project, detail), CProjectFile::Damaged);
    EXPECT_TRUE(detail.contains(QStringLiteral("larger than Pellmark makes"))) << detail.toStdString();

    const QByteArray padding(CProjectFile::kMaxSettingsBytes, 'x');
    EXPECT_EQ(DecodeInto(WithSettings("version=1\nwidth=16\nheight=8\nz=" + padding), project, detail),
              CProjectFile::Damaged);
    EXPECT_TRUE(detail.contains(QStringLiteral("larger than"))) << detail.toStdString();
}

// Chunks other programs add (compressed text, a private chunk) are stepped
// over, whatever letters their types use.
TEST(ProjectFile, ChunksOfOtherProgramsAreSteppedOver)
{
    QByteArray text("Comment");
    text.append(2, '\0').append(qCompress(QByteArray("made elsewhere")).mid(4));
    constexpr int kAfterHeader = 8 + 25;
    const QByteArray others = CPngChunks::MakeChunk("zTXt", text) + CPngChunks::MakeChunk("prVZ", "A");
    const QByteArray file = SmallFile().insert(kAfterHeader, others);
    SProject project;
    QString detail;
    ASSERT_EQ(DecodeInto(file, project, detail), CProjectFile::Ok) << detail.toStdString();
    EXPECT_EQ(project.m_grid.Width(), 16);
    EXPECT_EQ(project.m_grid.DotAt(3, 4), kSevenColours[0].Value());
}

TEST(ProjectFile, NewerVersionsAreRefusedUnknownKeysIgnored)
{
    SProject project;
    QString detail;
    ASSERT_EQ(DecodeInto(WithSettings("version=3\nwidth=16\nheight=8\n"), project, detail), CProjectFile::Newer);
    const QString message = CProjectFile::Describe(CProjectFile::Newer, QStringLiteral("/x/sign.png"), detail);
    EXPECT_EQ(message.toStdString(), "The project 'sign.png' was saved by a newer Pellmark (project format 3); "
                                     "this one opens format 2 and older.");
    EXPECT_EQ(DecodeInto(WithSettings("version=1\nwidth=16\nheight=8\nlayout.align=centre\nfuture=\\q\n"), project,
                         detail),
              CProjectFile::Ok);
    EXPECT_EQ(project.m_grid.Width(), 16);
}

TEST(ProjectFile, FilesFromBeforeTheOverlayColoursAndLayoutOpenWithTheDefaults)
{
    SProject project = ImageProject();
    QString detail;
    ASSERT_EQ(DecodeInto(WithSettings("version=1\nwidth=16\nheight=8\nmode=1\ntext=old\n"), project, detail),
              CProjectFile::Ok)
        << detail.toStdString();
    EXPECT_TRUE(project.m_text.m_acrOverlay.empty());
    EXPECT_TRUE(project.m_text.m_layout == SSignLayoutOptions());
    EXPECT_EQ(project.m_text.m_bDotsFromText, 1);
}

TEST(ProjectFile, MalformedAndOutOfRangeSettingsAreNamed)
{
    const char* const head = "version=1\nwidth=16\nheight=8\n";
    const struct {
        const char* line;
        const char* named;
    } cases[] = {
        {"mode=2", "mode"}, {"dotColor=7", "dotColor"}, {"dotColor=-1", "dotColor"},
        {"stretch=65", "stretch"}, {"stretch=-33", "stretch"}, {"background=GG0000", "background"},
        {"background=FFFFF", "background"}, {"text=ab\\", "text"}, {"font.face=" "0123456789012345678901234567890X", "font.face"},
        {"font.height=-2147483648", "font.height"}, {"input.colors=FF0000*0", "input.colors"},
        {"input.colors=FF0000*1025", "input.colors"}, {"input.merged=2", "input.merged"},
        {"cellWidth=-1", "cellWidth"}, {"width=9", "9"}, {"no equals sign", "without a key"},
        {"textColors=018", "colour"}, {"textColors=01\\", "textColors"}, {"version=x", "version"},
        {"dotsFromText=2", "dotsFromText"}, {"overlayColors=FF0000*1025", "overlayColors"},
        {"layout.alignH=4", "layout.alignH"}, {"layout.alignV=-1", "layout.alignV"},
        {"layout.spacing=65", "layout.spacing"}, {"layout.lineSpacing=-33", "layout.lineSpacing"},
        {"layout.fitHeight=2", "layout.fitHeight"},
    };
    for (const auto& c : cases) {
        const std::string detail = RefusalOf(head, c.line);
        EXPECT_NE(detail.find(c.named), std::string::npos) << c.line << ": " << detail;
    }
    // Runs of colours up to the 1,024 characters a text can have, in several runs.
    for (const char* key : {"overlayColors", "input.colors"}) {
        SProject project = ImageProject();
        QString detail;
        const QByteArray runs = QByteArray(head) + key + "=FF0000*1000 00FF00*24\n";
        ASSERT_EQ(DecodeInto(WithSettings(runs), project, detail), CProjectFile::Ok) << key << ": " << detail.toStdString();
        const QByteArray over = QByteArray(head) + key + "=FF0000*1000 00FF00*24 0000FF*1\n";
        EXPECT_EQ(DecodeInto(WithSettings(over), project, detail), CProjectFile::Damaged) << key;
        // A run may be 2^20 long, and is then too many colours for a text; one
        // more and it is not a run at all.
        const QByteArray longest = QByteArray(head) + key + "=FF0000*1048576\n";
        EXPECT_EQ(DecodeInto(WithSettings(longest), project, detail), CProjectFile::Damaged) << key;
        EXPECT_TRUE(detail.contains(QLatin1String("more than 1024 colours"))) << detail.toStdString();
        const QByteArray past = QByteArray(head) + key + "=FF0000*1048577\n";
        EXPECT_EQ(DecodeInto(WithSettings(past), project, detail), CProjectFile::Damaged) << key;
        EXPECT_TRUE(detail.contains(QLatin1String("is not a colour run"))) << detail.toStdString();
    }
    QString detail;
    SProject project;
    EXPECT_EQ(DecodeInto(WithSettings(QByteArray("version=1\nwidth=16\nheight=8\ntext=") + QByteArray(1025 * 3, 'a')
                                          .replace("aaa", "你"),
                                      16, 8),
                         project, detail),
              CProjectFile::Damaged);
    EXPECT_EQ(DecodeInto(WithSettings(QByteArray("version=1\nwidth=16\nheight=8\n\xff\xfe=1\n")), project, detail),
              CProjectFile::Damaged);
    EXPECT_TRUE(detail.contains(QStringLiteral("UTF-8")));
}

TEST(ProjectFile, OnlyPngFilesWithProjectSettingsAreProjects)
{
    CScratchDir dir;
    QImage picture(8, 8, QImage::Format_RGB888);
    picture.fill(Qt::red);
    const QString png = dir.FilePath(QStringLiteral("plain.png"));
    ASSERT_TRUE(picture.save(png, "PNG"));
    const QString bmp = dir.FilePath(QStringLiteral("plain.bmp"));
    ASSERT_TRUE(picture.save(bmp, "BMP"));
    const QString fifo = dir.FilePath(QStringLiteral("fifo.png"));
    ASSERT_TRUE(MakeFifo(fifo));
    // A text chunk of another keyword does not make a project.
    const QString texted = dir.FilePath(QStringLiteral("texted.png"));
    QImage withText = picture;
    withText.setText(QStringLiteral("Pellmark"), QStringLiteral("project"));
    ASSERT_TRUE(withText.save(texted, "PNG"));
    for (const QString& path : {png, bmp, fifo, texted, dir.FilePath(QStringLiteral("missing.png"))})
        EXPECT_FALSE(CProjectFile::IsProject(path)) << path.toStdString();
    // A project cut short after its settings is still one, so that opening
    // it says what is wrong with it.
    const QString cut = dir.FilePath(QStringLiteral("cut.png"));
    ASSERT_TRUE(WriteAll(cut, CProjectFile::Encode(AnimatedProject()).chopped(100)));
    EXPECT_TRUE(CProjectFile::IsProject(cut));

    SProject project = ImageProject();
    QString error;
    EXPECT_EQ(CProjectFile::Load(png, project, error), CProjectFile::NotProject);
    EXPECT_EQ(error.toStdString(), "'plain.png' is not a Pellmark project.");
    EXPECT_EQ(CProjectFile::Load(fifo, project, error), CProjectFile::CannotRead);
    EXPECT_EQ(project.m_grid.Width(), 1024);
}

TEST(ProjectFile, SaveRefusesTargetsThatAreNotFilesAndKeepsTheOldFileOnFailure)
{
    CScratchDir dir;
    const QString fifo = dir.FilePath(QStringLiteral("fifo.png"));
    ASSERT_TRUE(MakeFifo(fifo));
    QString error;
    for (const QString& path : {fifo, dir.Path()}) {
        EXPECT_FALSE(CProjectFile::Save(path, TextProject(), error)) << path.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("not a regular file"))) << error.toStdString();
    }
    EXPECT_FALSE(CProjectFile::Save(dir.FilePath(QStringLiteral("no/such/folder/x.png")), TextProject(), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("The project could not be saved"))) << error.toStdString();
}

// Telling a project by its chunk headers: a file that ends inside a header
// is none, and the search gives up after 65,536 chunks, the project's own
// settings chunk counted.
TEST(ProjectFile, TheProjectTestStopsAtACutHeaderAndAfterTheMostChunks)
{
    CScratchDir dir;
    const QByteArray project = CProjectFile::Encode(ImageProject());
    // Chunks of the project before its settings (an iTXt chunk).
    int before = 0;
    qsizetype at = 8;
    while (project.mid(at + 4, 4) != "iTXt") {
        at += 12 + qFromBigEndian<quint32>(project.constData() + at);
        ++before;
        ASSERT_LT(before, 10);
    }
    const QByteArray empty("\0\0\0\0abCd\0\0\0\0", 12); // an empty chunk of no meaning
    const struct
    {
        const char* name;
        QByteArray bytes;
        bool isProject;
    } cases[] = {
        {"signature only", project.left(8), false},
        {"cut inside the first header", project.left(8 + 7), false},
        {"settings are chunk 65,536", project.left(8) + empty.repeated(65535 - before) + project.mid(8), true},
        {"settings are chunk 65,537", project.left(8) + empty.repeated(65536 - before) + project.mid(8), false},
    };
    for (const auto& c : cases) {
        const QString path = dir.FilePath(QStringLiteral("p.png"));
        ASSERT_TRUE(WriteAll(path, c.bytes));
        EXPECT_EQ(CProjectFile::IsProject(path), c.isProject) << c.name;
    }
}

// The dots' picture reads back only at its own size and with sound pixel
// data; a refused picture leaves the grid as it was.
TEST(DotPng, ReadsBackOnlyItsOwnSizeAndSoundData)
{
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(9, 5, ImageMode));
    for (std::size_t i = 0; i < kSevenColours.size(); ++i)
        grid.SetDisplayDot(static_cast<int>(i), static_cast<int>(i) % 5, kSevenColours[i].Value());
    const QByteArray png = CDotPng::Encode(grid, QByteArray());
    CDotGrid back;
    ASSERT_TRUE(CDotPng::Decode(png, 9, 5, ImageMode, back));
    ASSERT_EQ(back.Width(), 9);
    ASSERT_EQ(back.Height(), 5);
    for (std::size_t i = 0; i < kSevenColours.size(); ++i)
        EXPECT_EQ(back.DisplayDotAt(static_cast<int>(i), static_cast<int>(i) % 5), kSevenColours[i].Value()) << i;

    const qsizetype idat = png.indexOf("IDAT") - 4;
    ASSERT_GT(idat, 0);
    const QByteArray garbled = png.left(idat) + CPngChunks::MakeChunk("IDAT", QByteArray(40, '\x5A'))
        + CPngChunks::MakeChunk("IEND", QByteArray());
    const struct
    {
        const char* what;
        QByteArray bytes;
        int width, height;
    } refused[] = {{"narrower", png, 8, 5}, {"shorter", png, 9, 4}, {"wider", png, 10, 5}, {"pixel data garbled", garbled, 9, 5}};
    for (const auto& r : refused) {
        CDotGrid kept = grid;
        EXPECT_FALSE(CDotPng::Decode(r.bytes, r.width, r.height, ImageMode, kept)) << r.what;
        EXPECT_EQ(kept.Width(), 9) << r.what;
        EXPECT_EQ(kept.DisplayDotAt(0, 0), kSevenColours[0].Value()) << r.what;
    }
}

// An empty grid is a 1 x 1 black picture; the extra chunk follows the image
// header at once; the dots read back in the mode asked for.
TEST(DotPng, EmptyGridsExtraChunkAndMode)
{
    const QByteArray extra = CPngChunks::MakeChunk("tEXt", QByteArray("k\0v", 3));
    const QByteArray empty = CDotPng::Encode(CDotGrid(), extra);
    const QImage one = QImage::fromData(empty, "PNG");
    ASSERT_EQ(one.size(), QSize(1, 1));
    EXPECT_EQ(one.pixel(0, 0) & 0xFFFFFFu, 0u);
    EXPECT_EQ(empty.mid(8 + 8 + 13 + 4, extra.size()), extra);

    CDotGrid grid;
    grid.SetBackgroundColor(MakeColor(0, 0, 70), false);
    ASSERT_TRUE(grid.Create(3, 2, ImageMode));
    grid.SetDisplayDot(2, 1, kSevenColours[6].Value());
    CDotGrid back;
    ASSERT_TRUE(CDotPng::Decode(CDotPng::Encode(grid, QByteArray()), 3, 2, TextMode, back));
    EXPECT_EQ(back.Mode(), int(TextMode));
    EXPECT_EQ(back.DisplayDotAt(2, 1), kSevenColours[6].Value());
    EXPECT_EQ(back.DisplayDotAt(0, 0), MakeColor(0, 0, 70));
    EXPECT_EQ(back.DisplayDotAt(1, 1), MakeColor(0, 0, 70));
}

// Every ranged setting reads its lowest and highest value, and the value one
// past either end is refused with the setting's name.
TEST(ProjectFile, EveryRangeReadsBothEndsAndRefusesOnePast)
{
    const struct
    {
        const char* line;
        int expected; // the value read back, when the line is accepted
        int (*read)(const SProject&);
    } accepted[] = {
        {"font.height=-2147483647", -2147483647, [](const SProject& p) { return p.m_text.m_lfText.lfHeight; }},
        {"font.weight=0", 0, [](const SProject& p) { return p.m_text.m_lfText.lfWeight; }},
        {"font.weight=1000", 1000, [](const SProject& p) { return p.m_text.m_lfText.lfWeight; }},
        {"input.font.weight=1000", 1000, [](const SProject& p) { return p.m_input.m_lfFont.lfWeight; }},
        {"font.italic=1", 1, [](const SProject& p) { return int(p.m_text.m_lfText.lfItalic); }},
        {"font.underline=1", 1, [](const SProject& p) { return int(p.m_text.m_lfText.lfUnderline); }},
        {"input.font.strikeOut=1", 1, [](const SProject& p) { return int(p.m_input.m_lfFont.lfStrikeOut); }},
        {"font.charSet=255", 255, [](const SProject& p) { return p.m_text.m_lfText.lfCharSet; }},
        {"input.font.charSet=134", 134, [](const SProject& p) { return p.m_input.m_lfFont.lfCharSet; }},
        {"font.pitchAndFamily=255", 255, [](const SProject& p) { return p.m_text.m_lfText.lfPitchAndFamily; }},
        {"pictureColors=0", 0, [](const SProject& p) { return p.m_nPictureColors; }},
        {"pictureColors=2", 2, [](const SProject& p) { return p.m_nPictureColors; }},
        {"overlayX=-2147483647", -2147483647, [](const SProject& p) { return p.m_text.m_nTextX; }},
        {"overlayY=2147483647", 2147483647, [](const SProject& p) { return p.m_text.m_nTextY; }},
        {"vertical=1", 1, [](const SProject& p) { return p.m_text.m_bVertical; }},
        {"cellWidth=0", 0, [](const SProject& p) { return p.m_text.m_nCellWidth; }},
        {"cellWidth=33554432", 33554432, [](const SProject& p) { return p.m_text.m_nCellWidth; }},
        {"cellHeight=0", 0, [](const SProject& p) { return p.m_text.m_nCellHeight; }},
        {"cellHeight=33554432", 33554432, [](const SProject& p) { return p.m_text.m_nCellHeight; }},
        {"glyphOffsetX=-2147483647", -2147483647, [](const SProject& p) { return p.m_text.m_nGlyphOffsetX; }},
        {"glyphOffsetY=2147483647", 2147483647, [](const SProject& p) { return p.m_text.m_nGlyphOffsetY; }},
        {"stretch=-32", -32, [](const SProject& p) { return p.m_text.m_nStretch; }},
        {"stretch=64", 64, [](const SProject& p) { return p.m_text.m_nStretch; }},
        {"dotsFromText=0", 0, [](const SProject& p) { return p.m_text.m_bDotsFromText; }},
        {"layout.alignH=0", 0, [](const SProject& p) { return p.m_text.m_layout.nAlignH; }},
        {"layout.alignH=3", 3, [](const SProject& p) { return p.m_text.m_layout.nAlignH; }},
        {"layout.alignV=3", 3, [](const SProject& p) { return p.m_text.m_layout.nAlignV; }},
        {"layout.spacing=-32", -32, [](const SProject& p) { return p.m_text.m_layout.nSpacing; }},
        {"layout.lineSpacing=64", 64, [](const SProject& p) { return p.m_text.m_layout.nLineSpacing; }},
        {"layout.fitHeight=1", 1, [](const SProject& p) { return int(p.m_text.m_layout.bFitHeight); }},
        {"input.colorIndex=0", 0, [](const SProject& p) { return p.m_input.m_nColorIndex; }},
        {"input.colorIndex=6", 6, [](const SProject& p) { return p.m_input.m_nColorIndex; }},
        {"input.merged=0", 0, [](const SProject& p) { return p.m_input.m_bMerged; }},
        {"mode=1", int(ImageMode), [](const SProject& p) { return p.m_grid.Mode(); }},
        {"dotColor=0", 0, [](const SProject& p) { return p.m_grid.ColorIndex(); }},
        {"dotColor=6", 6, [](const SProject& p) { return p.m_grid.ColorIndex(); }},
    };
    const char* const head = "version=1\nwidth=16\nheight=8\n";
    for (const auto& c : accepted) {
        SProject project;
        QString detail;
        ASSERT_EQ(DecodeInto(WithSettings(QByteArray(head) + c.line + '\n'), project, detail), CProjectFile::Ok)
            << c.line << ": " << detail.toStdString();
        EXPECT_EQ(c.read(project), c.expected) << c.line;
    }

    const struct
    {
        const char* line;
        const char* detail;
    } refused[] = {
        {"font.weight=-1", "font.weight: \"-1\" is not a number from 0 to 1000"},
        {"input.font.weight=1001", "input.font.weight: \"1001\" is not a number from 0 to 1000"},
        {"font.italic=-1", "font.italic: \"-1\" is not a number from 0 to 1"},
        {"input.font.underline=2", "input.font.underline: \"2\" is not a number from 0 to 1"},
        {"font.charSet=256", "font.charSet: \"256\" is not a number from 0 to 255"},
        {"input.font.charSet=-1", "input.font.charSet: \"-1\" is not a number from 0 to 255"},
        {"font.pitchAndFamily=-1", "font.pitchAndFamily: \"-1\" is not a number from 0 to 255"},
        {"input.font.pitchAndFamily=256", "input.font.pitchAndFamily: \"256\" is not a number from 0 to 255"},
        {"pictureColors=-1", "pictureColors: \"-1\" is not a number from 0 to 2"},
        {"pictureColors=3", "pictureColors: \"3\" is not a number from 0 to 2"},
        {"overlayY=-2147483648", "overlayY: \"-2147483648\" is not a number from -2147483647 to 2147483647"},
        {"vertical=-1", "vertical: \"-1\" is not a number from 0 to 1"},
        {"vertical=2", "vertical: \"2\" is not a number from 0 to 1"},
        {"cellWidth=33554433", "cellWidth: \"33554433\" is not a number from 0 to 33554432"},
        {"cellHeight=-1", "cellHeight: \"-1\" is not a number from 0 to 33554432"},
        {"glyphOffsetX=2147483648", "glyphOffsetX: \"2147483648\" is not a number from -2147483647 to 2147483647"},
        {"dotsFromText=-1", "dotsFromText: \"-1\" is not a number from 0 to 1"},
        {"layout.alignH=-1", "layout.alignH: \"-1\" is not a number from 0 to 3"},
        {"layout.alignV=4", "layout.alignV: \"4\" is not a number from 0 to 3"},
        {"layout.spacing=-33", "layout.spacing: \"-33\" is not a number from -32 to 64"},
        {"layout.lineSpacing=65", "layout.lineSpacing: \"65\" is not a number from -32 to 64"},
        {"layout.fitHeight=-1", "layout.fitHeight: \"-1\" is not a number from 0 to 1"},
        {"input.colorIndex=-1", "input.colorIndex: \"-1\" is not a number from 0 to 6"},
        {"input.colorIndex=7", "input.colorIndex: \"7\" is not a number from 0 to 6"},
        {"input.merged=-1", "input.merged: \"-1\" is not a number from 0 to 1"},
        {"mode=-1", "mode: \"-1\" is not a number from 0 to 1"},
        {"width=-1", "width: \"-1\" is not a number from 0 to 2147483647"},
        {"height=-1", "height: \"-1\" is not a number from 0 to 2147483647"},
        {"textColors=0/", "a character colour is not a digit 0 to 7"},
    };
    for (const auto& c : refused)
        EXPECT_EQ(RefusalOf(head, c.line), c.detail);
    SProject project;
    QString detail;
    EXPECT_EQ(DecodeInto(WithSettings("version=0\nwidth=16\nheight=8\n"), project, detail), CProjectFile::Damaged);
    EXPECT_EQ(detail.toStdString(), "version: \"0\" is not a number from 1 to 2147483647");
}

// What a file leaves out: the version and the size are needed, the rest
// keeps its default; character colours not listed are unlit and typed
// characters without a colour are white.
TEST(ProjectFile, LeftOutSettingsAreNamedOrTakeTheirDefaults)
{
    const struct
    {
        QByteArray text;
        int width, height;
        const char* detail;
    } refused[] = {
        {"width=16\nheight=8\n", 16, 8, "its format version is missing"},
        {"version=1\nheight=8\n", 16, 8, "the canvas size is missing"},
        {"version=1\nwidth=16\n", 16, 8, "the canvas size is missing"},
        {"version=1\nwidth=16\nheight=9\n", 16, 8, "the picture is 16 x 8 dots, the settings say 16 x 9"},
        {"version=1\nwidth=15\nheight=8\n", 16, 8, "the picture is 16 x 8 dots, the settings say 15 x 8"},
        {"version=1\nwidth=8\nheight=16\n", 16, 8, "the picture is 16 x 8 dots, the settings say 8 x 16"},
        {"version=1\nwidth=0\nheight=8\n", 16, 8, "the picture is 16 x 8 dots, the settings say 0 x 8"},
        // The most dots a canvas may have pass the size limit and then meet
        // the picture's size.
        {"version=1\nwidth=32768\nheight=1024\n", 16, 8, "the picture is 16 x 8 dots, the settings say 32768 x 1024"},
        {"version=1\nwidth=1024\nheight=32769\n", 16, 8, "a canvas of 1024 x 32769 dots is larger than Pellmark makes"},
    };
    for (const auto& c : refused) {
        SProject project;
        QString detail;
        EXPECT_EQ(DecodeInto(WithSettings(c.text, c.width, c.height), project, detail), CProjectFile::Damaged)
            << c.detail;
        EXPECT_EQ(detail.toStdString(), c.detail);
    }

    // A canvas without dots on either axis is a 1 x 1 picture; it keeps its
    // mode.
    for (const char* size : {"width=0\nheight=8\n", "width=16\nheight=0\n", "width=0\nheight=0\n"}) {
        SProject project;
        QString detail;
        ASSERT_EQ(DecodeInto(WithSettings(QByteArray("version=1\nmode=1\n") + size, 1, 1), project, detail),
                  CProjectFile::Ok)
            << size << detail.toStdString();
        EXPECT_EQ(project.m_grid.ByteCount(), 0u) << size;
        EXPECT_EQ(project.m_grid.Mode(), int(ImageMode)) << size;
    }
    // The dots are the picture's pixels, whatever the background: black
    // pixels on a navy sign stay black.
    {
        SProject project;
        QString detail;
        ASSERT_EQ(DecodeInto(WithSettings("version=1\nwidth=16\nheight=8\nbackground=000046\n"), project, detail),
                  CProjectFile::Ok);
        EXPECT_EQ(project.m_grid.BackColor(), MakeColor(0, 0, 70));
        EXPECT_EQ(project.m_grid.DotAt(3, 4), MakeColor(0, 0, 0));
    }

    SProject project = ImageProject();
    QString detail;
    ASSERT_EQ(DecodeInto(WithSettings("version=1\nwidth=16\nheight=8\ntext=abcd\ntextColors=21\n"
                                      "input.text=abc\ninput.colors=FF0000*1\n"),
                         project, detail),
              CProjectFile::Ok)
        << detail.toStdString();
    EXPECT_EQ(project.m_grid.Mode(), int(TextMode));
    EXPECT_EQ(project.m_grid.BackColor(), MakeColor(0, 0, 0));
    EXPECT_EQ(project.m_grid.ColorIndex(), kWhiteIndex);
    const std::uint8_t colours[] = {2, 1, kUnlitIndex, kUnlitIndex};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(project.m_text.m_abCharColor[i], colours[i]) << i;
    const std::vector<COLORREF> typed = {MakeColor(255, 0, 0), DotPalette[kWhiteIndex], DotPalette[kWhiteIndex]};
    EXPECT_EQ(project.m_input.m_acrColor, typed);
    // More colours than characters are cut to the text.
    ASSERT_EQ(DecodeInto(WithSettings("version=1\nwidth=16\nheight=8\ninput.text=ab\ninput.colors=FF0000*1 00FF00*4\n"),
                         project, detail),
              CProjectFile::Ok);
    EXPECT_EQ(project.m_input.m_acrColor, (std::vector<COLORREF>{MakeColor(255, 0, 0), MakeColor(0, 255, 0)}));
}

// The settings may fill their limit to the byte; one byte more is refused.
TEST(ProjectFile, SettingsMayFillTheirLimitExactly)
{
    const QByteArray head("version=1\nwidth=16\nheight=8\nz=");
    const qsizetype prefix = qsizetype(std::strlen(CProjectFile::kKeyword)) + 5;
    const QByteArray fits = head + QByteArray(CProjectFile::kMaxSettingsBytes - prefix - head.size(), 'x');
    SProject project;
    QString detail;
    EXPECT_EQ(DecodeInto(WithSettings(fits), project, detail), CProjectFile::Ok) << detail.toStdString();
    EXPECT_EQ(DecodeInto(WithSettings(fits + 'x'), project, detail), CProjectFile::Damaged);
    EXPECT_EQ(detail.toStdString(), "its settings are larger than 1048576 bytes");
}

// Each outcome of opening a project reads as one sentence naming the file;
// a successful load clears an earlier message.
TEST(ProjectFile, EachOutcomeHasItsSentence)
{
    const QString path = QStringLiteral("/x/sign.png");
    const struct
    {
        CProjectFile::Status status;
        const char* sentence;
    } cases[] = {
        {CProjectFile::Ok, ""},
        {CProjectFile::CannotRead, "The project cannot be opened: why."},
        {CProjectFile::NotProject, "'sign.png' is not a Pellmark project."},
        {CProjectFile::Truncated, "The project 'sign.png' is incomplete: why."},
        {CProjectFile::Damaged, "The project 'sign.png' is damaged: why."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CProjectFile::Describe(c.status, path, QStringLiteral("why")).toStdString(), c.sentence);

    CScratchDir dir;
    const QString file = dir.FilePath(QStringLiteral("sign.png"));
    QString error = QStringLiteral("earlier");
    ASSERT_TRUE(CProjectFile::Save(file, TextProject(), error));
    EXPECT_EQ(error, QStringLiteral("earlier"));
    SProject project;
    ASSERT_EQ(CProjectFile::Load(file, project, error), CProjectFile::Ok);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_TRUE(WriteAll(file, SmallFile().chopped(3)));
    EXPECT_EQ(CProjectFile::Load(file, project, error), CProjectFile::Truncated);
    EXPECT_EQ(error.toStdString(), "The project 'sign.png' is incomplete: the file ends early.");
    EXPECT_EQ(CProjectFile::Load(dir.FilePath(QStringLiteral("none.png")), project, error), CProjectFile::CannotRead);
    EXPECT_TRUE(error.startsWith(QStringLiteral("The project cannot be opened: "))) << error.toStdString();
    EXPECT_EQ(project.m_text.m_szText, TextProject().m_text.m_szText);
}

// A settings chunk that holds the keyword and nothing else still marks a
// project; one a byte shorter does not.
TEST(ProjectFile, TheShortestSettingsChunkMarksAProject)
{
    CScratchDir dir;
    const QByteArray signature = CProjectFile::Encode(SProject()).left(CPngChunks::kSignatureSize);
    QByteArray keyword(CProjectFile::kKeyword);
    keyword.append(5, '\0');
    const QString path = dir.FilePath(QStringLiteral("p.png"));
    ASSERT_TRUE(WriteAll(path, signature + CPngChunks::MakeChunk("iTXt", keyword)));
    EXPECT_TRUE(CProjectFile::IsProject(path));
    ASSERT_TRUE(WriteAll(path, signature + CPngChunks::MakeChunk("iTXt", keyword.chopped(1)) + QByteArray(12, '\0')));
    EXPECT_FALSE(CProjectFile::IsProject(path));
}

// The frames of a sign may fill their memory limit to the byte; a frame
// chunk too short for its header has no place, one with a header and no
// dots is damaged, and a frame failing its checksum is named as such.
TEST(ProjectFile, FrameLimitsAndBrokenFrameChunks)
{
    // 65521 frames of 2731 x 1 dots are 65521 x 8193 bytes, and 8193 is the
    // most whole bytes per frame that 512 MiB holds for 65521 frames.
    const struct
    {
        int width, height;
        const char* detail;
    } sizes[] = {
        {2731, 1, "frame 2 of 65521 is missing"},
        {1, 2731, "frame 2 of 65521 is missing"},
        {2732, 1, "65521 frames of 2732 x 1 dots are more than Pellmark keeps"},
        {1, 2732, "65521 frames of 1 x 2732 dots are more than Pellmark keeps"},
    };
    for (const auto& c : sizes) {
        const QByteArray text = "version=2\nwidth=" + QByteArray::number(c.width) + "\nheight="
            + QByteArray::number(c.height) + "\nframes=65521\n";
        SProject project;
        QString detail;
        EXPECT_EQ(DecodeInto(WithSettings(text, c.width, c.height), project, detail), CProjectFile::Damaged);
        EXPECT_EQ(detail.toStdString(), c.detail);
    }

    const QByteArray file = CProjectFile::Encode(AnimatedProject());
    const QByteArray first = ChunksOf(file, "frAM").first();
    const QByteArray data = first.mid(8, first.size() - 12);
    QByteArray badCrc = first;
    badCrc.back() = static_cast<char>(badCrc.back() ^ 1);
    const struct
    {
        QByteArray chunk;
        const char* detail;
    } broken[] = {
        {CPngChunks::MakeChunk("frAM", data.left(11)), "a frame has no place in the sign"},
        {CPngChunks::MakeChunk("frAM", data.left(12)), "the dots of frame 1 are damaged"},
        {badCrc, "a frame fails its checksum"},
    };
    for (const auto& c : broken) {
        SProject project;
        QString detail;
        EXPECT_EQ(DecodeInto(QByteArray(file).replace(first, c.chunk), project, detail), CProjectFile::Damaged);
        EXPECT_EQ(detail.toStdString(), c.detail);
    }
}

// Which characters are escaped and how: control characters, DEL and the
// backslash, with lower-case hexadecimal; a lone surrogate at either end of
// the text or beside another lone one; nothing else.
TEST(ProjectText, EachEscapeIsWrittenExactly)
{
    const struct
    {
        QString text;
        const char* escaped;
    } cases[] = {
        {QStringLiteral("\x1f \x7f~\\\n\r\t"), "\\x1f \\x7f~\\\\\\n\\r\\x09"},
        {QString(QChar(0xDBFF)), "\\udbff"},
        {QString(QChar(0xDC00)) + QStringLiteral("a"), "\\udc00a"},
        {QString(QChar(0xD800)) + QChar(0xD801) + QChar(0xDC01), "\\ud800\xf0\x90\x90\x81"},
        {QStringLiteral("\u00A0\u4e2d"), "\xc2\xa0\xe4\xb8\xad"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CProjectText::Escape(c.text).toUtf8().toStdString(), c.escaped);
        QString back;
        ASSERT_TRUE(CProjectText::Unescape(CProjectText::Escape(c.text), back));
        EXPECT_EQ(back, c.text);
    }
    // Hexadecimal digits of either case, at the very end too; the
    // characters next to the digit ranges are none.
    QString back;
    ASSERT_TRUE(CProjectText::Unescape(QStringLiteral("\\x09\\xAF\\xaf\\u00Ff\\x41"), back));
    EXPECT_EQ(back, QStringLiteral("\x09\u00AF\u00AF\u00FF") + QLatin1Char('A'));
    for (const char* broken : {"\\x/0", "\\x:0", "\\x@0", "\\xG0", "\\x`0", "\\xg0", "\\u123"})
        EXPECT_FALSE(CProjectText::Unescape(QString::fromLatin1(broken), back)) << broken;
}

// Parsing: at most 4096 lines, every line with a key before its '=';
// values are read up to their limits, counting characters, not UTF-16 units.
TEST(ProjectText, LinesKeysAndLimits)
{
    CProjectText in;
    EXPECT_TRUE(in.Parse(QByteArray("k=1\n").repeated(4095) + "k=2"));
    EXPECT_FALSE(in.Parse(QByteArray("k=1\n").repeated(4096) + "k=2"));
    EXPECT_EQ(in.Error().toStdString(), "more than 4096 lines of settings");
    EXPECT_FALSE(in.Parse("a=1\n=2\n"));
    EXPECT_TRUE(in.Error().startsWith(QStringLiteral("a settings line without a key: "))) << in.Error().toStdString();

    ASSERT_TRUE(in.Parse(QStringLiteral("t=ab\U0001F600\nu=abcd\nc=0a141E\nr=0A141E*2 FFFFFF*1\nn=\n").toUtf8()));
    QString text = QStringLiteral("kept");
    EXPECT_TRUE(in.GetText("missing", 3, text));
    EXPECT_EQ(text, QStringLiteral("kept"));
    EXPECT_TRUE(in.GetText("t", 3, text));
    EXPECT_EQ(text, QStringLiteral("ab\U0001F600"));
    EXPECT_FALSE(in.GetText("u", 3, text));
    EXPECT_EQ(in.Error().toStdString(), "u: more than 3 characters");
    COLORREF colour = 0;
    EXPECT_TRUE(in.GetColor("c", colour));
    EXPECT_EQ(colour, MakeColor(10, 20, 30));
    EXPECT_FALSE(in.GetColor("n", colour));
    EXPECT_EQ(colour, MakeColor(10, 20, 30));
    std::vector<COLORREF> runs;
    EXPECT_TRUE(in.GetColorRuns("r", 3, runs));
    EXPECT_EQ(runs, (std::vector<COLORREF>{MakeColor(10, 20, 30), MakeColor(10, 20, 30), MakeColor(255, 255, 255)}));
    EXPECT_FALSE(in.GetColorRuns("r", 2, runs));
    EXPECT_EQ(runs.size(), 3u);
    EXPECT_TRUE(in.GetColorRuns("n", 2, runs));
    EXPECT_TRUE(runs.empty());

    CProjectText out;
    out.PutColor("c", MakeColor(10, 20, 255));
    out.PutColorRuns("r", {MakeColor(1, 2, 3), MakeColor(1, 2, 3), MakeColor(1, 2, 3), 0, MakeColor(1, 2, 3)});
    out.Put("t", QStringLiteral("a=b"));
    EXPECT_EQ(out.Bytes(), QByteArray("c=0A14FF\nr=010203*3 000000*1 010203*1\nt=a=b\n"));
}
