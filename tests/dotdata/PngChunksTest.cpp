#include "dotdata/PngChunks.h"

#include "dotdata/PictureFiles.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QByteArray kSignature = QByteArray::fromHex("89504e470d0a1a0a");

// A PNG written by Qt, whose chunks the walk must find as Qt wrote them.
QByteArray QtPng(int width, int height)
{
    return testpic::MakePng(testpic::MakeImage(width, height, [](int, int) { return qRgb(255, 0, 0); }));
}

QByteArray Header(quint32 width, quint32 height, int extra = 0)
{
    QByteArray data(8, '\0');
    qToBigEndian(width, data.data());
    qToBigEndian(height, data.data() + 4);
    data += QByteArray::fromHex("0802000000");
    if (extra < 0)
        data.chop(-extra);
    data += QByteArray(qMax(extra, 0), '\0');
    return CPngChunks::MakeChunk("IHDR", data);
}

const QByteArray kEnd = CPngChunks::MakeChunk("IEND", {});

// The signature, a header for width x height, the middle and the end.
QByteArray File(const QByteArray& middle, quint32 width = 5, quint32 height = 3)
{
    return kSignature + Header(width, height) + middle + kEnd;
}

// A chunk whose length field says length, followed by no data at all.
QByteArray Claiming(quint32 length, const char* type)
{
    QByteArray chunk(4, '\0');
    qToBigEndian(length, chunk.data());
    return chunk + QByteArray(type, 4);
}

} // namespace

TEST(PngChunks, TheWalkFindsEveryChunkOfAWrittenPicture)
{
    const QByteArray png = QtPng(300, 7);
    CPngChunks chunks;
    ASSERT_EQ(chunks.Parse(png), CPngChunks::Ok);
    EXPECT_EQ(chunks.Width(), 300);
    EXPECT_EQ(chunks.Height(), 7);
    const std::vector<CPngChunks::SChunk>& all = chunks.Chunks();
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all.front().type, "IHDR");
    EXPECT_EQ(all.front().nOffset, 16);
    EXPECT_EQ(all.front().nLength, 13);
    EXPECT_EQ(all.back().type, "IEND");
    EXPECT_EQ(all.back().nOffset, png.size() - 4);
    EXPECT_EQ(all.back().nLength, 0);
    qsizetype next = 16;
    for (const CPngChunks::SChunk& c : all) {
        EXPECT_EQ(c.nOffset, next) << c.type.constData();
        next = c.nOffset + c.nLength + 12;
        EXPECT_TRUE(CPngChunks::CrcMatches(png, c)) << c.type.constData();
        // Remade from its type and data, each chunk is byte for byte Qt's.
        EXPECT_EQ(CPngChunks::MakeChunk(c.type.constData(), png.mid(c.nOffset, c.nLength)), png.mid(c.nOffset - 8, c.nLength + 12))
            << c.type.constData();
    }
    EXPECT_EQ(kEnd.toHex(), "0000000049454e44ae426082");

    // A changed byte of the data, of the type or of the CRC itself fails the check.
    const CPngChunks::SChunk header = all.front();
    for (const qsizetype at : {header.nOffset - 4, header.nOffset - 1, header.nOffset, header.nOffset + 12,
                               header.nOffset + 13, header.nOffset + 16}) {
        QByteArray changed = png;
        changed[at] = static_cast<char>(changed[at] ^ 0x01);
        EXPECT_FALSE(CPngChunks::CrcMatches(changed, header)) << at;
    }
}

TEST(PngChunks, TheEndMustBeThereWhole)
{
    const QByteArray file = File({});
    CPngChunks chunks;
    ASSERT_EQ(chunks.Parse(file), CPngChunks::Ok);
    ASSERT_EQ(chunks.Chunks().size(), 2u);
    EXPECT_EQ(chunks.Parse(file + "after the end"), CPngChunks::Ok);
    EXPECT_EQ(chunks.Chunks().size(), 2u);

    const struct
    {
        QByteArray bytes;
        CPngChunks::Status status;
    } cases[] = {
        {file.chopped(1), CPngChunks::Truncated},
        {file.chopped(4), CPngChunks::Truncated},
        {file.chopped(12), CPngChunks::Truncated},
        {kSignature, CPngChunks::Truncated},
        {kSignature + Header(5, 3).chopped(1), CPngChunks::Truncated},
        {QByteArray(), CPngChunks::NotPng},
        {kSignature.chopped(1), CPngChunks::NotPng},
        {kSignature.chopped(1) + 'X' + file.mid(8), CPngChunks::NotPng},
        {'X' + file.mid(1), CPngChunks::NotPng},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(chunks.Parse(file), CPngChunks::Ok);
        EXPECT_EQ(chunks.Parse(c.bytes), c.status) << c.bytes.size();
        // Nothing of an earlier walk is left after a failed one.
        EXPECT_EQ(chunks.Width(), 0);
        EXPECT_EQ(chunks.Height(), 0);
    }
    EXPECT_TRUE(CPngChunks::HasSignature(file));
    EXPECT_FALSE(CPngChunks::HasSignature(kSignature.chopped(1) + '\x0b'));
}

TEST(PngChunks, TheHeaderComesFirstWholeAndIntact)
{
    CPngChunks chunks;
    // The largest size a length field may hold is taken; one more is not.
    ASSERT_EQ(chunks.Parse(File({}, 0x7FFFFFFF, 1)), CPngChunks::Ok);
    EXPECT_EQ(chunks.Width(), 0x7FFFFFFF);
    EXPECT_EQ(chunks.Height(), 1);
    ASSERT_EQ(chunks.Parse(File({}, 1, 0x7FFFFFFF)), CPngChunks::Ok);
    EXPECT_EQ(chunks.Width(), 1);
    EXPECT_EQ(chunks.Height(), 0x7FFFFFFF);

    const QByteArray text = CPngChunks::MakeChunk("tEXt", "a");
    QByteArray badCrc = File({});
    badCrc[8 + 8 + 13] = static_cast<char>(badCrc[8 + 8 + 13] ^ 0x80);
    const QByteArray damaged[] = {
        File({}, 0, 3),
        File({}, 5, 0),
        File({}, 0x80000000u, 1),
        File({}, 1, 0x80000000u),
        kSignature + Header(5, 3, 1) + kEnd,
        kSignature + Header(5, 3, -1) + kEnd,
        kSignature + text + Header(5, 3) + kEnd,
        kSignature + kEnd,
        badCrc,
    };
    for (const QByteArray& bytes : damaged)
        EXPECT_EQ(chunks.Parse(bytes), CPngChunks::Damaged) << bytes.toHex().constData();

    // Only the header's CRC is checked here; other chunks are the decoder's.
    QByteArray otherCrc = File(text);
    otherCrc[otherCrc.size() - 13] = static_cast<char>(otherCrc[otherCrc.size() - 13] ^ 0x80);
    ASSERT_EQ(chunks.Parse(otherCrc), CPngChunks::Ok);
    ASSERT_EQ(chunks.Chunks().size(), 3u);
    EXPECT_EQ(chunks.Chunks()[1].type, "tEXt");
    EXPECT_EQ(chunks.Chunks()[1].nOffset, 8 + 25 + 8);
    EXPECT_EQ(chunks.Chunks()[1].nLength, 1);
    EXPECT_FALSE(CPngChunks::CrcMatches(otherCrc, chunks.Chunks()[1]));
}

TEST(PngChunks, TypesAreFourLettersAndLengthsFitInThirtyOneBits)
{
    CPngChunks chunks;
    EXPECT_EQ(chunks.Parse(File(CPngChunks::MakeChunk("AZaz", "xy"))), CPngChunks::Ok);
    for (int at = 0; at < 4; ++at) {
        for (const char wrong : {'@', '[', '`', '{', '1'}) {
            QByteArray type("AZaz");
            type[at] = wrong;
            EXPECT_EQ(chunks.Parse(File(CPngChunks::MakeChunk(type.constData(), "xy"))), CPngChunks::Damaged)
                << type.constData();
        }
    }
    // A length past 2^31 - 1 is damage; up to it, a chunk the file cannot hold.
    EXPECT_EQ(chunks.Parse(File(Claiming(0x80000000u, "abCd"))), CPngChunks::Damaged);
    EXPECT_EQ(chunks.Parse(File(Claiming(0x7FFFFFFFu, "abCd"))), CPngChunks::Truncated);
    // A chunk whose data runs one byte past the end.
    EXPECT_EQ(chunks.Parse(kSignature + Header(5, 3) + Claiming(1, "abCd") + QByteArray(4, '\0')), CPngChunks::Truncated);
    EXPECT_EQ(chunks.Parse(kSignature + Header(5, 3) + Claiming(1, "abCd") + QByteArray(5, '\0') + kEnd), CPngChunks::Ok);
    // A chunk of 300 bytes says so in its four length bytes, most significant first.
    const QByteArray big = CPngChunks::MakeChunk("abCd", QByteArray(300, 'z'));
    EXPECT_EQ(big.left(8), QByteArray::fromHex("0000012c") + "abCd");
    EXPECT_EQ(big.size(), 312);
}

TEST(PngChunks, AtMostSixtyFiveThousandFiveHundredAndThirtySixChunks)
{
    const QByteArray empty = CPngChunks::MakeChunk("abCd", {});
    CPngChunks chunks;
    // The header and the end count: 65534 between them make the most.
    ASSERT_EQ(chunks.Parse(File(empty.repeated(65534))), CPngChunks::Ok);
    EXPECT_EQ(chunks.Chunks().size(), 65536u);
    EXPECT_EQ(chunks.Parse(File(empty.repeated(65535))), CPngChunks::Damaged);
}
