#include "base/QuotedText.h"
#include "base/RegularFile.h"
#include "base/SaveTarget.h"

#include "TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>


namespace {

QString MakeFifo(const CScratchDir& dir)
{
    const QString path = dir.FilePath("fifo");
    return MakeFifo(path) ? path : QString();
}

} // namespace

TEST(RegularFile, SpecialFilesAreRefusedWithoutBlocking)
{
    CScratchDir dir;
    const QString fifo = MakeFifo(dir);
    ASSERT_FALSE(fifo.isEmpty());
    const QString zeroLink = dir.FilePath("zero");
    ASSERT_TRUE(QFile::link("/dev/zero", zeroLink));
    for (const QString& path : {fifo, zeroLink, QStringLiteral("/dev/zero"), dir.Path()}) {
        QFile file;
        EXPECT_EQ(CRegularFile::Open(path, 1024, file), CRegularFile::NotRegular) << path.toStdString();
        EXPECT_FALSE(file.isOpen());
        QByteArray bytes("stale");
        EXPECT_EQ(CRegularFile::ReadAll(path, 1024, bytes), CRegularFile::NotRegular);
        EXPECT_TRUE(bytes.isEmpty());
    }
    QFile missing;
    EXPECT_EQ(CRegularFile::Open(dir.FilePath("absent"), 1024, missing), CRegularFile::CannotOpen);
}

TEST(RegularFile, CapIsTheLargestSizeAccepted)
{
    CScratchDir dir;
    const QString path = dir.FilePath("f");
    ASSERT_TRUE(WriteAll(path, QByteArray(100, 'a')));
    QByteArray bytes;
    EXPECT_EQ(CRegularFile::ReadAll(path, 100, bytes), CRegularFile::Ok);
    EXPECT_EQ(bytes, QByteArray(100, 'a'));
    EXPECT_EQ(CRegularFile::ReadAll(path, 99, bytes), CRegularFile::TooLarge);
    EXPECT_TRUE(bytes.isEmpty());

    const QString link = dir.FilePath("link");
    ASSERT_TRUE(QFile::link(path, link));
    QFile file;
    ASSERT_EQ(CRegularFile::Open(link, 100, file), CRegularFile::Ok);
    EXPECT_FALSE(file.isSequential());
    EXPECT_EQ(file.size(), 100);
    EXPECT_TRUE(file.seek(50));
    EXPECT_EQ(file.readAll(), QByteArray(50, 'a'));
}

TEST(RegularFile, DescriptionsNameTheFileQuoted)
{
    const QString path = QStringLiteral("a\nb");
    EXPECT_EQ(CRegularFile::Describe(CRegularFile::NotRegular, path, 5), QStringLiteral("'a\\nb' is not a regular file"));
    EXPECT_EQ(CRegularFile::Describe(CRegularFile::TooLarge, path, 5), QStringLiteral("'a\\nb' is larger than 5 bytes"));
    EXPECT_EQ(CRegularFile::Describe(CRegularFile::CannotOpen, path, 5), QStringLiteral("cannot open 'a\\nb'"));
    EXPECT_EQ(CRegularFile::Describe(CRegularFile::ReadFailed, path, 5), QStringLiteral("cannot read 'a\\nb'"));
    EXPECT_TRUE(CRegularFile::Describe(CRegularFile::Ok, path, 5).isEmpty());
    // No name at all opens nothing.
    QFile file;
    QByteArray bytes("x");
    EXPECT_EQ(CRegularFile::Open(QString(), 5, file), CRegularFile::CannotOpen);
    EXPECT_EQ(CRegularFile::ReadAll(QString(), 5, bytes), CRegularFile::CannotOpen);
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(QuotedText, AtMostSixtyCharactersAreShown)
{
    const QString sixty(60, QLatin1Char('x'));
    EXPECT_EQ(CQuotedText::Quote(sixty), sixty);
    EXPECT_EQ(CQuotedText::Quote(sixty + QLatin1Char('y')), sixty + QStringLiteral("..."));
    EXPECT_EQ(CQuotedText::Quote(QString(10 * 1024 * 1024, QLatin1Char('z'))).size(), 63);
    EXPECT_EQ(CQuotedText::Quote(QStringLiteral("abc"), 2), QStringLiteral("ab..."));
    EXPECT_EQ(CQuotedText::Quote(QString()), QString());
}

TEST(QuotedText, ControlCharactersAreEscaped)
{
    const QString raw = QStringLiteral("a\r\n\tb") + QChar(0) + QChar(0x1B) + QChar(0x7F) + QChar(0x85)
        + QChar(0x2028) + QStringLiteral("\u00e9\u4e2d");
    EXPECT_EQ(CQuotedText::Quote(raw),
              QStringLiteral("a\\r\\n\\tb\\0\\x1b\\x7f\\x85\\u2028\u00e9\u4e2d"));
    // A character outside the basic plane stays whole; a lone half is escaped.
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(CQuotedText::Quote(emoji), emoji);
    EXPECT_EQ(CQuotedText::Quote(emoji.left(1)), QStringLiteral("\\ud83d"));
}

TEST(SaveTarget, OnlyWhatIsMissingOrARegularFileMayBeReplaced)
{
    CScratchDir dir;
    const QString file = dir.FilePath(QStringLiteral("file.txt"));
    ASSERT_TRUE(WriteAll(file, "x"));
    const QString fifo = dir.FilePath(QStringLiteral("fifo"));
    ASSERT_TRUE(MakeFifo(fifo));
    const struct
    {
        QString path;
        const char* refusal; // nullptr: may be written
    } cases[] = {
        {dir.FilePath(QStringLiteral("new.txt")), nullptr},
        {file, nullptr},
        {dir.FilePath(QStringLiteral("link-to-file")), nullptr},
        {dir.FilePath(QStringLiteral("dangling")), nullptr},
        {fifo, "is not a regular file"},
        {dir.FilePath(QStringLiteral("link-to-fifo")), "is not a regular file"},
        {QStringLiteral("/dev/null"), "is not a regular file"},
        {dir.Path(), "is a folder"},
    };
    ASSERT_TRUE(QFile::link(file, cases[2].path));
    ASSERT_TRUE(QFile::link(dir.FilePath(QStringLiteral("nowhere")), cases[3].path));
    ASSERT_TRUE(QFile::link(fifo, cases[5].path));
    for (const auto& k : cases) {
        const QString refusal = CSaveTarget::Refusal(k.path);
        if (!k.refusal) {
            EXPECT_TRUE(refusal.isEmpty()) << k.path.toStdString() << ": " << refusal.toStdString();
            continue;
        }
        EXPECT_TRUE(refusal.contains(QLatin1String(k.refusal))) << refusal.toStdString();
        EXPECT_TRUE(refusal.contains(CQuotedText::Quote(k.path))) << refusal.toStdString();
    }
}

// Files the kernel makes as they are read say they are empty: the cap holds
// for what is read, not for the size they give, and a failed read is no content.
TEST(RegularFile, CapAndErrorsHoldForWhatIsReadNotTheSizeGiven)
{
    QByteArray bytes("stale");
    EXPECT_EQ(CRegularFile::ReadAll(QStringLiteral("/proc/self/status"), 10, bytes), CRegularFile::TooLarge);
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_EQ(CRegularFile::ReadAll(QStringLiteral("/proc/self/status"), 1 << 20, bytes), CRegularFile::Ok);
    EXPECT_TRUE(bytes.startsWith("Name:")) << bytes.left(20).constData();

    bytes = "stale";
    EXPECT_EQ(CRegularFile::ReadAll(QStringLiteral("/proc/self/mem"), 10, bytes), CRegularFile::ReadFailed);
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(QuotedText, NegativeLimitsShowNothingAndPairsAreNotCutInHalf)
{
    EXPECT_EQ(CQuotedText::Quote(QStringLiteral("abc"), -1), QStringLiteral("..."));
    EXPECT_EQ(CQuotedText::Quote(QStringLiteral("abc"), 0), QStringLiteral("..."));
    EXPECT_EQ(CQuotedText::Quote(QString(), -5), QString());
    EXPECT_EQ(CQuotedText::Quote(QStringLiteral("abc"), 3), QStringLiteral("abc"));

    // The limit falling between the halves of a pair shows the first half escaped.
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(CQuotedText::Quote(QString(59, QLatin1Char('x')) + emoji),
              QString(59, QLatin1Char('x')) + QStringLiteral("\\ud83d..."));
    EXPECT_EQ(CQuotedText::Quote(QString(58, QLatin1Char('x')) + emoji), QString(58, QLatin1Char('x')) + emoji);
    EXPECT_EQ(CQuotedText::Quote(emoji + emoji, 3), emoji + QStringLiteral("\\ud83d..."));
}

TEST(QuotedText, InvisibleFormatAndSeparatorCharactersAreEscaped)
{
    const struct
    {
        char16_t ch;
        const char* shown;
    } cases[] = {
        {0x00AD, "\\xad"},   // soft hyphen
        {0x061C, "\\u061c"}, // a direction mark, four digits even when the first is 0
        {0x200B, "\\u200b"}, // zero width space
        {0x2029, "\\u2029"}, // paragraph separator
        {0xFEFF, "\\ufeff"}, // byte order mark
        {0x0001, "\\x01"},
        {0x0020, " "},
        {0x00A0, "\u00a0"},  // a no-break space is seen
        {0x0100, "\u0100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CQuotedText::Quote(QString(QChar(c.ch)) + QLatin1Char('.')), QString::fromUtf8(c.shown) + QLatin1Char('.'))
            << std::hex << int(c.ch);
}
