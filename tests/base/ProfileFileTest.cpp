#include "base/ProfileFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

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
