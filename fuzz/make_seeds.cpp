// Writes the seed corpus of the fuzz targets into a folder: small valid
// pictures of every kind the decoders handle, listings, settings files,
// Intel HEX exports and projects.
//   make_seeds DIR  ->  DIR/bmp, DIR/jpeg, DIR/listing, DIR/profile, DIR/hex, DIR/project
#include "dotdata/IntelHex.h"
#include "dotdata/ProjectFile.h"
#include "tests/dotdata/PictureFiles.h"

#include <QDir>
#include <QtEndian>
#include <QFile>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

using namespace testpic;

namespace {

bool Put(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QRgb Pattern(int x, int y)
{
    return qRgb((x * 37) & 255, (y * 59) & 255, ((x + y) * 11) & 255);
}

bool BmpSeeds(const QDir& dir)
{
    bool ok = Put(dir, "rgb24.bmp", MakeBmp24(9, 7, Pattern));
    const std::vector<QRgb> palette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    for (int bits : {1, 4, 8}) {
        BmpFields s;
        s.width = 11;
        s.height = bits == 4 ? -5 : 5;
        s.bitCount = bits;
        s.palette = palette;
        s.valueAt = [bits](int x, int y) { return static_cast<std::uint32_t>((x + y) % (bits == 1 ? 2 : 4)); };
        ok = Put(dir, QStringLiteral("indexed%1.bmp").arg(bits), MakeBmp(s)) && ok;
    }
    for (int bits : {16, 32}) {
        BmpFields s;
        s.width = 6;
        s.height = 4;
        s.bitCount = bits;
        s.compression = 3;
        s.masks = bits == 16 ? std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F}
                             : std::vector<std::uint32_t>{0xFF0000, 0xFF00, 0xFF};
        s.valueAt = [](int x, int y) { return static_cast<std::uint32_t>(x * 1237 + y * 7919); };
        ok = Put(dir, QStringLiteral("bitfields%1.bmp").arg(bits), MakeBmp(s)) && ok;
    }
    ok = Put(dir, "rle8.bmp", MakeRle8Bmp(20, 6, palette, [](int x, int y) { return std::uint8_t((x / 3 + y) % 4); }))
        && ok;
    // RLE4 with a literal run, a delta and an end of bitmap, written by hand.
    QByteArray rle4 = MakeRle8Bmp(8, 2, palette, [](int, int) { return std::uint8_t(0); });
    Put16(rle4, 28, 4);
    Put32(rle4, 30, 2);
    const QByteArray data("\x04\x12\x00\x04\x12\x30\x00\x02\x01\x01\x00\x00\x02\x21\x00\x01", 16);
    rle4.truncate(54 + 16);
    rle4.append(data);
    Put32(rle4, 34, static_cast<std::uint32_t>(data.size()));
    ok = Put(dir, "rle4.bmp", rle4) && ok;
    // Programs (see FuzzSupport.h): a top-down and a bottom-up RLE8 picture
    // of 2^31 - 1 rows followed by 60,000 end-of-line codes.
    for (const char* height : {"\x01\x00\x00\x80", "\xFF\xFF\xFF\x7F"}) {
        QByteArray rle = MakeRle8Bmp(16, 1, palette, [](int, int) { return std::uint8_t(1); });
        rle.replace(22, 4, QByteArray(height, 4));
        rle.truncate(static_cast<qsizetype>(qFromLittleEndian<quint32>(rle.constData() + 10)));
        rle += QByteArray("\x10\x01", 2);
        QByteArray program("\0\x01", 2);
        program += char(rle.size()) + rle + QByteArray("\x01\x02\x00\x00\x03\xEA\x60", 7);
        ok = Put(dir, QStringLiteral("eol-flood-%1.prog").arg(height[3] == '\x80' ? "top-down" : "bottom-up"), program) && ok;
    }
    return ok;
}

bool JpegSeeds(const QDir& dir)
{
    const QImage image = MakeImage(24, 16, Pattern);
    bool ok = Put(dir, "baseline.jpg", MakeJpeg(image));
    ok = Put(dir, "progressive.jpg", MakeJpeg(image, true)) && ok;
    ok = Put(dir, "gray.jpg", MakeJpeg(image.convertToFormat(QImage::Format_Grayscale8))) && ok;
    ok = Put(dir, "large-size.jpg", WithJpegSize(MakeJpeg(image), 3000, 2000)) && ok;
    // Programs (see FuzzSupport.h): 950 comments of 64 KB before a picture,
    // and a grey progressive picture whose last scan comes 600 more times.
    const QByteArray small = MakeJpeg(image);
    QByteArray comments("\0\x01\x02\xFF\xD8\x02\xFE\xFF\xFF\x43\x03\x03\xB5", 13);
    for (qsizetype at = 2; at < small.size(); at += 255) {
        const QByteArray part = small.mid(at, 255);
        comments += QByteArray("\x01", 1) + char(part.size()) + part;
    }
    ok = Put(dir, "comment-flood.prog", comments) && ok;
    const QByteArray grey = MakeJpeg(MakeImage(2048, 1024, [](int, int) { return qRgb(90, 90, 90); })
                                         .convertToFormat(QImage::Format_Grayscale8), true);
    const qsizetype last = grey.lastIndexOf("\xFF\xDA");
    QByteArray scans("\0", 1);
    for (qsizetype at = 0; at < last; at += 255) {
        const QByteArray part = grey.mid(at, std::min<qsizetype>(255, last - at));
        scans += QByteArray("\x01", 1) + char(part.size()) + part;
    }
    const QByteArray lastScan = grey.mid(last, grey.size() - 2 - last);
    if (lastScan.size() > 255)
        return false;
    scans += QByteArray("\x01", 1) + char(lastScan.size()) + lastScan + QByteArray("\x03\x02\x58\xFF\xD9", 5);
    return Put(dir, "scan-flood.prog", scans) && ok;
}

bool ListingSeeds(const QDir& dir)
{
    // The first two bytes choose the canvas size in blocks.
    bool ok = Put(dir, "small", QByteArray("\x01\x00", 2) + "1-1-1-R, 1-1-2-G, 1-8-8-O\r\n\r\n2-1-2-B\r\n\r\n");
    ok = Put(dir, "full", QByteArray("\x7F\x5F", 2) + "12288-8-8-W, 12288-1-1-P\r\n\r\n1-1-1-Y\n") && ok;
    return Put(dir, "bad", QByteArray("\x03\x03", 2) + "1-1-1-R\n\nhello, 2147483647-1-1-R\r") && ok;
}

bool ProfileSeeds(const QDir& dir)
{
    bool ok = Put(dir, "lf.ini", "[Main]\nLanguage=1\nBkColor=0\nShowGrid=1\n");
    ok = Put(dir, "crlf.ini", "; settings\r\n[Main]\r\nShowGrid=5\r\n\r\n[Extra]\r\nKey=abc\r\n") && ok;
    ok = Put(dir, "cr.ini", "[main]\r bkcolor = 255 ; red\rShowGrid=4294967295") && ok;
    const QString text = QStringLiteral("[Main]\r\nLanguage=2\r\nShowGrid=0\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    ok = Put(dir, "utf16.ini", utf16) && ok;
    return Put(dir, "junk.ini", QByteArray("[Other]\n\xC3\x28\xFF=1\n[Main\nShowGrid=-3\n", 32)) && ok;
}

// Intel HEX exports; the first two bytes of each seed give the byte count
// the fuzz target asks for (1 + first + 256 * second).
bool HexSeeds(const QDir& dir)
{
    QByteArray bytes(4096, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 13);
    bool ok = Put(dir, "full.hex", QByteArray("\xFF\x0F", 2) + CIntelHex::Write(bytes));
    ok = Put(dir, "sample.hex", QByteArray("\x0F\x00", 2) + ":10000000804000000000000000000000000000012F\n:00000001FF\n") && ok;
    return Put(dir, "segments.hex", QByteArray("\x11\x00", 2) + ":1000000000000000000000000000000000000000F0\r\n"
               ":020000020001FB\r\n:02000000445565\r\n:0400000300000000F9\r\n:00000001FF\r\n") && ok;
}

bool ProjectSeeds(const QDir& dir)
{
    SProject text;
    text.m_grid.Create(32, 16, TextMode);
    text.m_grid.SetDot(3, 4, DotPalette[0]);
    text.m_text.m_szText = QStringLiteral("你好");
    text.m_text.m_abCharColor[1] = 3;
    text.m_text.m_nCellWidth = text.m_text.m_nCellHeight = 16;
    text.m_input.m_szText = QStringLiteral("你好\nAB");
    text.m_input.m_acrColor.assign(5, DotPalette[2]);
    bool ok = Put(dir, "text.png", CProjectFile::Encode(text));
    SProject image;
    image.m_grid.Create(8, 8, ImageMode);
    image.m_text.m_szText = QStringLiteral("overlay \\ \x01");
    ok = Put(dir, "image.png", CProjectFile::Encode(image)) && ok;
    return Put(dir, "empty.png", CProjectFile::Encode(SProject())) && ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 1;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* sub : {"bmp", "jpeg", "listing", "profile", "hex", "project"})
        root.mkpath(QString::fromLatin1(sub));
    const bool ok = BmpSeeds(QDir(root.filePath("bmp"))) && JpegSeeds(QDir(root.filePath("jpeg")))
        && ListingSeeds(QDir(root.filePath("listing"))) && ProfileSeeds(QDir(root.filePath("profile")))
        && HexSeeds(QDir(root.filePath("hex"))) && ProjectSeeds(QDir(root.filePath("project")));
    return ok ? 0 : 1;
}
