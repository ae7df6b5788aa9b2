#include "base/ProfileFile.h"

#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>


#include <utility>
#include <vector>

TEST(ProfileFile, DefaultsForMissingFileSectionAndKey)
{
    CScratchDir dir;
    const CProfileFile missing(dir.FilePath("option.ini"));
    EXPECT_EQ(missing.GetInt("Main", "Language", 1), 1);

    WriteAll(dir.FilePath("option.ini"), "[Other]\nLanguage=2\n[Main]\nShowGrid=0\n");
    EXPECT_EQ(missing.GetInt("Main", "Language", 1), 1);
    EXPECT_EQ(missing.GetInt("Main", "ShowGrid", 1), 0);
    EXPECT_EQ(missing.GetInt("Other", "Language", 1), 2);
}

TEST(ProfileFile, ValueIsItsLeadingDigits)
{
    EXPECT_EQ(CProfileFile::LeadingDigits("5"), 5);
    EXPECT_EQ(CProfileFile::LeadingDigits("  42abc"), 42);
    EXPECT_EQ(CProfileFile::LeadingDigits("abc"), 0);
    EXPECT_EQ(CProfileFile::LeadingDigits("-3"), 0);
    EXPECT_EQ(CProfileFile::LeadingDigits(""), 0);
    EXPECT_EQ(CProfileFile::LeadingDigits("16777215"), 16777215);

    CScratchDir dir;
    WriteAll(dir.FilePath("a.ini"), "[main]\r\n bkcolor = 255 ; red\r\n");
    EXPECT_EQ(CProfileFile(dir.FilePath("a.ini")).GetInt("Main", "BkColor", 0), 255);
}

TEST(ProfileFile, FreshFileKeepsKeysInWritingOrder)
{
    CScratchDir dir;
    const CProfileFile ini(dir.FilePath("option.ini"));
    EXPECT_TRUE(ini.WriteInt("Main", "Language", 1));
    EXPECT_TRUE(ini.WriteInt("Main", "BkColor", 0));
    EXPECT_TRUE(ini.WriteInt("Main", "ShowGrid", 1));
    EXPECT_EQ(ReadAll(ini.Path()), QByteArray("[Main]\nLanguage=1\nBkColor=0\nShowGrid=1\n"));
}

TEST(ProfileFile, WriteUpdatesInPlaceAndKeepsTheRest)
{
    // A key written into a section that has none goes right under its name.
    {
        CScratchDir dir;
        const QString path = dir.FilePath("option.ini");
        WriteAll(path, "[Main]\n\n[Extra]\nKey=abc\n");
        const CProfileFile ini(path);
        ini.WriteInt("Main", "Language", 1);
        EXPECT_EQ(ReadAll(path), QByteArray("[Main]\nLanguage=1\n\n[Extra]\nKey=abc\n"));
    }
    CScratchDir dir;
    const QString path = dir.FilePath("option.ini");
    WriteAll(path, "; settings\r\n[Main]\r\nShowGrid=5\r\nLanguage=2\r\n\r\n[Extra]\r\nKey=abc\r\n");
    const CProfileFile ini(path);
    ini.WriteInt("Main", "Language", 0);
    ini.WriteInt("Main", "BkColor", 16711680);
    ini.WriteInt("Extra", "Other", -4);
    EXPECT_EQ(ReadAll(path), QByteArray("; settings\r\n[Main]\r\nShowGrid=5\r\nLanguage=0\r\n"
                                        "BkColor=16711680\r\n\r\n[Extra]\r\nKey=abc\r\nOther=-4\r\n"));
}

TEST(ProfileFile, UnwritableLocationFailsQuietly)
{
    // A directory that does not exist cannot take the file, even for root.
    CScratchDir dir;
    const CProfileFile ini(dir.FilePath("missing/option.ini"));
    EXPECT_FALSE(ini.WriteInt("Main", "Language", 1));
    EXPECT_EQ(ini.GetInt("Main", "Language", 1), 1);
}

TEST(ProfileFile, HugeValuesStayPositive)
{
    // Hand-worked: INT_MAX is 2147483647; anything longer saturates there.
    const std::vector<std::pair<const char*, int>> cases = {
        {"2147483646", 2147483646}, {"2147483647", 2147483647}, {"2147483648", 2147483647},
        {"4294967295", 2147483647}, {"99999999999999999999", 2147483647}, {"4294967296", 2147483647},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(CProfileFile::LeadingDigits(text), expected) << text;

    CScratchDir dir;
    const QString path = dir.FilePath("option.ini");
    WriteAll(path, "[Main]\nShowGrid=4294967295\n");
    const CProfileFile ini(path);
    const int value = ini.GetInt("Main", "ShowGrid", 1);
    EXPECT_EQ(value, 2147483647);
    ini.WriteInt("Main", "ShowGrid", value);
    EXPECT_EQ(ini.GetInt("Main", "ShowGrid", 1), 2147483647);
}

TEST(ProfileFile, EveryLineEndIsReadAndKept)
{
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        CScratchDir dir;
        const QString path = dir.FilePath("option.ini");
        const QByteArray e(eol);
        WriteAll(path, "[Main]" + e + "Language=2" + e + "ShowGrid=0" + e + "[Next]" + e + "A=1" + e);
        const CProfileFile ini(path);
        EXPECT_EQ(ini.GetInt("Main", "Language", 1), 2) << eol;
        EXPECT_EQ(ini.GetInt("Main", "ShowGrid", 1), 0) << eol;
        ini.WriteInt("Main", "Language", 0);
        ini.WriteInt("Main", "BkColor", 255);
        EXPECT_EQ(ReadAll(path), "[Main]" + e + "Language=0" + e + "ShowGrid=0" + e + "BkColor=255" + e + "[Next]" + e
                                     + "A=1" + e)
            << eol;
    }
}

TEST(ProfileFile, OtherBytesComeBackUnchanged)
{
    CScratchDir dir;
    const QString path = dir.FilePath("option.ini");
    // Invalid UTF-8, Latin-1, a NUL, mixed line ends and no final line end.
    const char raw[] = "; \xC3\x28 caf\xE9 \xFF\xFE\r\n[Main]\nBkColor=1\r\n\x00junk=\x80\r[Other]\nX=\xA0";
    const QByteArray before(raw, sizeof(raw) - 1);
    WriteAll(path, before);
    const CProfileFile ini(path);
    ASSERT_TRUE(ini.WriteInt("Main", "BkColor", 65280));
    QByteArray expected = before;
    expected.replace("BkColor=1", "BkColor=65280");
    EXPECT_EQ(ReadAll(path), expected);
    ASSERT_TRUE(ini.WriteInt("Other", "Y", 3));
    EXPECT_EQ(ReadAll(path), expected + "\r\nY=3");
}

TEST(ProfileFile, Utf16FilesStayUtf16)
{
    const auto utf16 = [](const QString& text, bool bigEndian) {
        QByteArray b = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
        for (const QChar c : text) {
            const char hi = static_cast<char>(c.unicode() >> 8), lo = static_cast<char>(c.unicode() & 0xFF);
            b.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
        }
        return b;
    };
    for (const bool bigEndian : {false, true}) {
        CScratchDir dir;
        const QString path = dir.FilePath("option.ini");
        WriteAll(path, utf16(QStringLiteral("[Main]\r\nLanguage=2\r\n; \u4e2d\u6587\r\n"), bigEndian));
        const CProfileFile ini(path);
        EXPECT_EQ(ini.GetInt("Main", "Language", 1), 2);
        ASSERT_TRUE(ini.WriteInt("Main", "Language", 0));
        ASSERT_TRUE(ini.WriteInt("Main", "ShowGrid", 1));
        EXPECT_EQ(ReadAll(path), utf16(QStringLiteral("[Main]\r\nLanguage=0\r\n; \u4e2d\u6587\r\nShowGrid=1\r\n"),
                                       bigEndian));
    }
    // Cut in the middle of a unit: still UTF-16, the odd byte kept at the end.
    CScratchDir dir;
    const QString path = dir.FilePath("option.ini");
    WriteAll(path, utf16(QStringLiteral("[Main]\nA=1"), false) + 'x');
    const CProfileFile ini(path);
    ASSERT_TRUE(ini.WriteInt("Main", "ShowGrid", 7));
    EXPECT_EQ(ReadAll(path), utf16(QStringLiteral("[Main]\nA=1\nShowGrid=7"), false) + 'x');
    EXPECT_EQ(ini.GetInt("Main", "ShowGrid", 1), 7);
}

TEST(ProfileFile, SpecialAndOversizedFilesReadAsMissingAndAreNotReplaced)
{
    CScratchDir dir;
    const QString fifo = dir.FilePath("fifo.ini");
    ASSERT_TRUE(MakeFifo(fifo));
    const QString zero = dir.FilePath("zero.ini");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    for (const QString& path : {fifo, zero}) {
        const CProfileFile ini(path);
        EXPECT_EQ(ini.GetInt("Main", "Language", 1), 1);
        EXPECT_FALSE(ini.WriteInt("Main", "Language", 2));
        EXPECT_FALSE(QFileInfo(path).isFile());
    }
    const QString big = dir.FilePath("big.ini");
    const QByteArray atCap = "[Main]\nLanguage=2\n" + QByteArray(CProfileFile::kMaxBytes - 18, ';');
    WriteAll(big, atCap);
    EXPECT_EQ(CProfileFile(big).GetInt("Main", "Language", 1), 2);
    WriteAll(big, atCap + ";");
    EXPECT_EQ(CProfileFile(big).GetInt("Main", "Language", 1), 1);
    EXPECT_FALSE(CProfileFile(big).WriteInt("Main", "Language", 0));
    EXPECT_EQ(ReadAll(big), atCap + ";");
}

TEST(ProfileFile, NewSectionAfterALastLineWithoutItsEndStartsOnALineOfItsOwn)
{
    for (const char* eol : {"\n", "\r\n"}) {
        CScratchDir dir;
        const QString path = dir.FilePath("option.ini");
        const QByteArray e(eol);
        WriteAll(path, "[Other]" + e + "X=1");
        const CProfileFile ini(path);
        ASSERT_TRUE(ini.WriteInt("Main", "Language", 2));
        EXPECT_EQ(ReadAll(path), "[Other]" + e + "X=1" + e + "[Main]" + e + "Language=2" + e) << eol;
        EXPECT_EQ(ini.GetInt("Main", "Language", 0), 2) << eol;
        EXPECT_EQ(ini.GetInt("Other", "X", 0), 1) << eol;
    }
}

// Names and values are found through tabs, vertical tabs and form feeds as
// well as spaces, on either side; a section name may lack its bracket;
// comments and lines without '=' are no keys.
TEST(ProfileFile, BlanksCommentsAndLooseLinesAroundKeys)
{
    const QByteArray file("[ Main \t\n"
                          "; Language=5\n"
                          "Language\n"
                          "\t\v\fLanguage\f\v\t=\t\v\f1090:7\n"
                          "[Other ]\n"
                          "ShowGrid = 9/2\n"
                          "[Third]\n"
                          "BkColor=255\n");
    EXPECT_EQ(CProfileFile::IntIn(file, "Main", "Language", -1), 1090);
    EXPECT_EQ(CProfileFile::IntIn(file, "Other", "ShowGrid", -1), 9);
    EXPECT_EQ(CProfileFile::IntIn(file, "Other", "BkColor", -1), -1);
    EXPECT_EQ(CProfileFile::IntIn(file, "Main", "", -1), -1);

    // The write finds the same line and keeps every other byte.
    QByteArray expected = file;
    expected.replace("\t\v\fLanguage\f\v\t=\t\v\f1090:7", "Language=3");
    EXPECT_EQ(CProfileFile::WithValue(file, "Main", "Language", "3"), expected);
    // A new key goes after the section's last line that is not blank.
    const QByteArray spaced("[Main]\nA=1\n \t\n[Next]\n");
    EXPECT_EQ(CProfileFile::WithValue(spaced, "Main", "B", "2"), QByteArray("[Main]\nA=1\nB=2\n \t\n[Next]\n"));
}
