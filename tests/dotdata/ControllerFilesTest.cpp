#include "base/DotGrid.h"
#include "dotdata/CArrayText.h"
#include "dotdata/ControllerExport.h"
#include "dotdata/IntelHex.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = MakeColor(30, 0, 0);
constexpr COLORREF kGreen = MakeColor(0, 255, 0);

// The 16 x 8 canvas with dots at (0,0), (9,0) and (15,7), x and y from the top left.
CDotGrid SampleGrid()
{
    return GridWithDots(16, 8, {{0, 0}, {9, 0}, {15, 7}}, kGreen, kBack);
}

const QByteArray kSampleRows = QByteArray::fromHex("80400000000000000000000000000001");

// The bytes a C array holds, read back from its text.
QByteArray BytesOfCArray(const QByteArray& text)
{
    QByteArray bytes;
    const QRegularExpression hex(QStringLiteral("0x([0-9a-f]{2})"));
    const int body = text.indexOf('{');
    for (const auto& match : hex.globalMatch(QString::fromUtf8(text.mid(body))))
        bytes += static_cast<char>(match.captured(1).toInt(nullptr, 16));
    return bytes;
}

// Each record's bytes, checksum included, summed independently of the writer.
bool ChecksumsHold(const QByteArray& hex)
{
    for (const QByteArray& line : hex.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QByteArray record = QByteArray::fromHex(line.trimmed().mid(1));
        int sum = 0;
        for (const char c : record)
            sum += static_cast<unsigned char>(c);
        if (sum % 256 != 0)
            return false;
    }
    return true;
}

QString ReadBack(const QString& path, const SExportOptions& options, CDotGrid& grid)
{
    QString error;
    return CControllerExport::Read(path, options, 1, grid, error) ? QString() : error;
}

} // namespace

TEST(ControllerFiles, EachFormatHoldsTheSameBytes)
{
    CScratchDir dir;
    const CDotGrid grid = SampleGrid();
    QString error;
    for (const char* name : {"sign.h", "sign.C", "sign.bin", "SIGN.HEX"})
        ASSERT_TRUE(CControllerExport::Write(grid, SExportOptions(), dir.FilePath(name), error)) << name;

    const QByteArray h = ReadAll(dir.FilePath("sign.h"));
    EXPECT_TRUE(h.contains("\n#include <stdint.h>\n\nconst uint8_t sign[] = {\n"
                           "    0x80, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01\n"
                           "};\n"))
        << h.toStdString();
    EXPECT_TRUE(h.startsWith("/*\n * 16 x 8 dots, 16 bytes.\n * Scan: rows from the top"));
    for (const char* said : {"MSB first", "Modules: one", "Padding: none", "mono", "A lit dot is 1"})
        EXPECT_TRUE(h.contains(said)) << said;
    EXPECT_EQ(BytesOfCArray(ReadAll(dir.FilePath("sign.C"))), kSampleRows);
    EXPECT_EQ(ReadAll(dir.FilePath("sign.bin")), kSampleRows);
    // 16 data bytes at 0: 10+80+40+01 = D1, checksum 2F.
    EXPECT_EQ(ReadAll(dir.FilePath("SIGN.HEX")), ":10000000804000000000000000000000000000012F\r\n:00000001FF\r\n");

    EXPECT_FALSE(CControllerExport::Write(grid, SExportOptions(), dir.FilePath("sign.txt.gz"), error));
    EXPECT_TRUE(error.endsWith("names no controller format; use .c, .h, .bin or .hex.")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.FilePath("sign.txt.gz")));
}

TEST(ControllerFiles, CArrayLinesAndNames)
{
    QByteArray bytes(33, '\x5a');
    bytes[32] = '\x01';
    const QByteArray text = CCArrayText::Write(bytes, QStringLiteral("logo"), {QStringLiteral("Three lines.")});
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines.at(0), "/*");
    EXPECT_EQ(lines.at(1), " * Three lines.");
    EXPECT_EQ(lines.at(5), "const uint8_t logo[] = {");
    EXPECT_EQ(lines.at(6).count("0x5a"), 16);
    EXPECT_TRUE(lines.at(6).endsWith("0x5a,"));
    EXPECT_EQ(lines.at(7).count("0x5a"), 16);
    EXPECT_EQ(lines.at(8), "    0x01");
    EXPECT_EQ(lines.at(9), "};");

    // A long sentence wraps within 80 columns.
    const QString sentence = QString(40, QLatin1Char('w')).append(QStringLiteral(" word ")).repeated(4);
    const QByteArray wrapped = CCArrayText::Write(bytes, QStringLiteral("a"), {sentence});
    int commentLines = 0;
    for (const QByteArray& line : wrapped.split('\n')) {
        if (line.startsWith(" * ")) {
            EXPECT_LE(line.size(), 80);
            ++commentLines;
        }
    }
    EXPECT_EQ(commentLines, 4);
    // At the edge: " * " and 76 characters fit on one line, 77 do not.
    for (const int second : {37, 38}) {
        const QString words = QString(38, QLatin1Char('a')) + QLatin1Char(' ') + QString(second, QLatin1Char('b'));
        const QList<QByteArray> edge = CCArrayText::Write(bytes, QStringLiteral("a"), {words}).split('\n');
        EXPECT_EQ(edge.at(1).size(), second == 37 ? 79 : 41) << second;
        EXPECT_EQ(edge.at(2).startsWith(" * b"), second == 38) << second;
    }

    EXPECT_EQ(CCArrayText::NameFromPath(QStringLiteral("/tmp/my sign-2.h")), "my_sign_2");
    EXPECT_EQ(CCArrayText::NameFromPath(QStringLiteral("7seg.c")), "image_7seg");
    EXPECT_EQ(CCArrayText::NameFromPath(QStringLiteral("int.h")), "image_int");
    EXPECT_EQ(CCArrayText::NameFromPath(QStringLiteral("你好.h")), "image");
    EXPECT_EQ(CCArrayText::NameFromPath(QStringLiteral("a.b.h")), "a_b");
}

TEST(ControllerFiles, IntelHexAddressesAndChecksums)
{
    // 70000 bytes pass the 64 KB boundary: an extended linear address record
    // 0001 comes before the record at 0x10000, whose own address is 0000.
    QByteArray bytes(70000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    const QByteArray hex = CIntelHex::Write(bytes);
    EXPECT_TRUE(ChecksumsHold(hex));
    const QList<QByteArray> lines = hex.split('\n');
    EXPECT_TRUE(lines.at(4095).startsWith(":10FFF000"));
    EXPECT_EQ(lines.at(4096), ":020000040001F9\r");
    EXPECT_TRUE(lines.at(4097).startsWith(":10000000"));
    // 4464 bytes after the boundary: 279 records, then the end.
    EXPECT_EQ(lines.at(4097 + 279), ":00000001FF\r");
    QByteArray back;
    QString error;
    ASSERT_TRUE(CIntelHex::Read(hex, bytes.size(), back, error)) << error.toStdString();
    EXPECT_EQ(back, bytes);
}

TEST(ControllerFiles, IntelHexAddressesPastOneMegabyteUseBothBytesOfTheBase)
{
    // Bytes past 1 MB: the 17th 64 KB segment has the base 0010, the address
    // record's first byte 00 and second 10 (checksum 0x100 - 0x16 = 0xEA).
    QByteArray bytes(0x100000 + 32, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 251);
    const QByteArray hex = CIntelHex::Write(bytes);
    EXPECT_TRUE(hex.contains("\n:02000004000FEB\r\n"));
    EXPECT_TRUE(hex.contains("\n:020000040010EA\r\n:10000000"));
    QByteArray back;
    QString error;
    ASSERT_TRUE(CIntelHex::Read(hex, bytes.size(), back, error)) << error.toStdString();
    EXPECT_EQ(back, bytes);
}

// A last record shorter than 16 bytes holds only what is left; its address
// is the byte's own.
TEST(ControllerFiles, IntelHexLastRecordHoldsOnlyTheRest)
{
    QByteArray bytes;
    for (int i = 0; i < 16; ++i)
        bytes += static_cast<char>(i);
    bytes += '\xA5';
    EXPECT_EQ(CIntelHex::Write(bytes), ":10000000000102030405060708090A0B0C0D0E0F78\r\n"
                                       ":01001000A54A\r\n"
                                       ":00000001FF\r\n");
    EXPECT_EQ(CIntelHex::Write(QByteArray()), ":00000001FF\r\n");
}

TEST(ControllerFiles, IntelHexReaderRefusesBadRecords)
{
    QByteArray bytes;
    QString error;
    const QByteArray good = ":10000000804000000000000000000000000000012F\n:00000001FF\n";
    ASSERT_TRUE(CIntelHex::Read(good, 16, bytes, error));
    EXPECT_EQ(bytes, kSampleRows);
    // Segment records move the base by 16 a step; start records are skipped.
    const QByteArray segments = ":1000000000000000000000000000000000000000F0\r\n:020000020001FB\r\n"
                                ":02000000445565\r\n:0400000300000000F9\r\n:00000001FF\r\n";
    ASSERT_TRUE(CIntelHex::Read(segments, 18, bytes, error)) << error.toStdString();
    EXPECT_EQ(bytes, QByteArray(16, '\0') + "\x44\x55");
    // A start linear address record is skipped too.
    const QByteArray startLinear = ":0400000500000100F6\n" + good;
    ASSERT_TRUE(CIntelHex::Read(startLinear, 16, bytes, error)) << error.toStdString();
    EXPECT_EQ(bytes, kSampleRows);
    struct SBad
    {
        QByteArray text;
        const char* says;
    };
    const SBad bad[] = {
        {":10000000804000000000000000000000000000012E\n:00000001FF\n", "line 1 (':10000000804000000000000000000000000000012E'): has a wrong checksum"},
        {":10000000804000000000000000000000000000012F\n", "the end-of-file record is missing"},
        {":0F000000804000000000000000000000000000012F\n:00000001FF\n", "wrong length"},
        {":10000000804000000000000000000000000000G12F\n:00000001FF\n", "not hex"},
        {"10000000804000000000000000000000000000012F\n:00000001FF\n", "is not an Intel HEX record"},
        {":10000000804000000000000000000000000000012F\n;00000001FF\n", "line 2 (';00000001FF'): is not an Intel HEX record"},
        {":10000000804000000000000000000000000000012F\n:000001FF\n", "line 2 (':000001FF'): is not an Intel HEX record"},
        {":10000000804000000000000000000000000000012F\n:00000001FFF\n", "line 2 (':00000001FFF'): is not an Intel HEX record"},
        {":08000000804000000000000038\n:080008000000000000000001EF\n:0100100000EF\n:00000001FF\n", "a byte past the 16 bytes"},
        {":08000000804000000000000038\n:080000000000000000000001F7\n:00000001FF\n", "gives byte 0 a second time"},
        {":08000000804000000000000038\n:00000001FF\n", "give 8 of the 16 bytes"},
        {":10000000804000000000000000000000000000012F\n:00000001FF\n:00000001FF\n", "line 3"},
        {":10000000804000000000000000000000000000012F\n:00000006FA\n", "unknown record type 6"},
        {":0100000400FB\n:00000001FF\n", "without 2 bytes"},
        {":03000004000000F9\n:00000001FF\n", "without 2 bytes"},
    };
    for (const SBad& b : bad) {
        EXPECT_FALSE(CIntelHex::Read(b.text, 16, bytes, error)) << b.says;
        EXPECT_TRUE(error.contains(QLatin1String(b.says))) << error.toStdString();
    }
}

TEST(ControllerFiles, ReadBackDrawsTheFileOntoTheCanvas)
{
    CScratchDir dir;
    const CDotGrid grid = SampleGrid();
    SExportOptions options;
    options.scan = SExportOptions::Columns;
    options.bitOrder = SExportOptions::LsbFirst;
    options.moduleWidth = 8;
    options.moduleHeight = 8;
    options.moduleOrder = SExportOptions::ModuleColumns;
    options.invert = true;
    QString error;
    for (const char* name : {"in.bin", "in.hex"}) {
        ASSERT_TRUE(CControllerExport::Write(grid, options, dir.FilePath(name), error));
        CDotGrid back = grid;
        back.FillWithBackground();
        EXPECT_EQ(ReadBack(dir.FilePath(name), options, back), QString()) << name;
        EXPECT_EQ(0, memcmp(back.Bits(), grid.Bits(), grid.ByteCount())) << name;
        // Other options take a different number of bytes or draw other dots.
        CDotGrid other = grid;
        other.FillWithBackground();
        EXPECT_EQ(ReadBack(dir.FilePath(name), SExportOptions(), other), QString()) << name;
        EXPECT_NE(0, memcmp(other.Bits(), grid.Bits(), grid.ByteCount())) << name;
    }

    // A raw file must hold exactly the bytes the canvas takes.
    CDotGrid target = grid;
    ASSERT_TRUE(WriteAll(dir.FilePath("short.bin"), QByteArray(15, '\0')));
    EXPECT_TRUE(ReadBack(dir.FilePath("short.bin"), SExportOptions(), target)
                    .endsWith("holds 15 bytes; a 16 x 8 canvas takes 16 with these options."));
    ASSERT_TRUE(WriteAll(dir.FilePath("long.bin"), QByteArray(17, '\0')));
    EXPECT_TRUE(ReadBack(dir.FilePath("long.bin"), SExportOptions(), target)
                    .endsWith("holds more than the 16 bytes a 16 x 8 canvas takes with these options."));
    SExportOptions rgb;
    rgb.planes = SExportOptions::Rgb;
    EXPECT_TRUE(ReadBack(dir.FilePath("in.bin"), rgb, target).contains("holds 16 bytes; a 16 x 8 canvas takes 48"));
    EXPECT_EQ(0, memcmp(target.Bits(), grid.Bits(), grid.ByteCount())) << "refused files leave the canvas alone";

    // Only regular files of the two readable forms.
    ASSERT_TRUE(MakeFifo(dir.FilePath("fifo.bin")));
    EXPECT_TRUE(ReadBack(dir.FilePath("fifo.bin"), SExportOptions(), target).contains("is not a regular file"));
    ASSERT_TRUE(QDir(dir.Path()).mkdir(QStringLiteral("folder.hex")));
    EXPECT_TRUE(ReadBack(dir.FilePath("folder.hex"), SExportOptions(), target).contains("is not a regular file"));
    EXPECT_TRUE(ReadBack(dir.FilePath("missing.hex"), SExportOptions(), target).contains("cannot open"));
    EXPECT_TRUE(ReadBack(dir.FilePath("sign.h"), SExportOptions(), target).contains("neither a .bin nor a .hex"));
    ASSERT_TRUE(WriteAll(dir.FilePath("huge.hex"), QByteArray(16 * 16 + 65537, ':')));
    // Intel HEX may take 16 characters a byte and 64 KB more: 16 * 16 + 65536.
    EXPECT_TRUE(ReadBack(dir.FilePath("huge.hex"), SExportOptions(), target).contains("is larger than 65792"));
    ASSERT_TRUE(WriteAll(dir.FilePath("bad.hex"), ":10000000804000000000000000000000000000012E\r\n:00000001FF\r\n"));
    EXPECT_TRUE(ReadBack(dir.FilePath("bad.hex"), SExportOptions(), target).contains("bad.hex', line 1"));

    // Modules that do not divide the canvas are named before the file is read.
    SExportOptions misfit;
    misfit.moduleWidth = 24;
    misfit.moduleHeight = 8;
    EXPECT_EQ(ReadBack(dir.FilePath("in.bin"), misfit, target).toStdString(),
              "A 16 x 8 canvas does not split into whole modules of 24 x 8 dots.");
    EXPECT_EQ(0, memcmp(target.Bits(), grid.Bits(), grid.ByteCount()));
}

// A FIFO, a device or a folder is never replaced by an export, and the
// write does not wait for a reader.
TEST(ControllerFiles, TargetsThatAreNotRegularFilesAreLeftAlone)
{
    CScratchDir dir;
    const CDotGrid grid = SampleGrid();
    const QString fifo = dir.FilePath(QStringLiteral("pipe.hex"));
    ASSERT_TRUE(MakeFifo(fifo));
    const QString folder = dir.FilePath(QStringLiteral("folder.bin"));
    ASSERT_TRUE(QDir(dir.Path()).mkdir(QStringLiteral("folder.bin")));
    QString error;
    EXPECT_FALSE(CControllerExport::Write(grid, SExportOptions(), fifo, error));
    EXPECT_TRUE(error.endsWith("is not a regular file and is left as it is.")) << error.toStdString();
    EXPECT_FALSE(CControllerExport::Write(grid, SExportOptions(), folder, error));
    EXPECT_TRUE(error.endsWith("is a folder and is left as it is.")) << error.toStdString();
    EXPECT_FALSE(CControllerExport::WriteAs(grid, SExportOptions(), CControllerExport::Raw,
                                            QStringLiteral("/dev/null"), error));
    // A folder that does not exist: the write fails and says where.
    const QString lost = dir.FilePath(QStringLiteral("missing/sign.bin"));
    EXPECT_FALSE(CControllerExport::Write(grid, SExportOptions(), lost, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot write '"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("sign.bin': "))) << error.toStdString();
    // No format at all writes nothing.
    const QString none = dir.FilePath(QStringLiteral("none.bin"));
    EXPECT_FALSE(CControllerExport::WriteAs(grid, SExportOptions(), CControllerExport::None, none, error));
    EXPECT_EQ(error.toStdString(), "No controller format.");
    EXPECT_FALSE(QFile::exists(none));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(QDir(folder).isEmpty());
}
