#include "base/MessageTexts.h"

#include <gtest/gtest.h>

using namespace MessageText;

TEST(MessageTexts, FillPutsEachArgumentInOnce)
{
    // An argument holding "%2" (a file name, say) is not filled again.
    EXPECT_EQ(Fill(QStringLiteral("%1 and %2"), {QStringLiteral("a%2"), QStringLiteral("b")}), QStringLiteral("a%2 and b"));
    EXPECT_EQ(Fill(QStringLiteral("%2 before %1"), {QStringLiteral("x"), QStringLiteral("y")}), QStringLiteral("y before x"));
    EXPECT_EQ(Fill(QStringLiteral("100% of %1, %3"), {QStringLiteral("z")}), QStringLiteral("100% of z, %3"));
}

// Every entry is the one its own English is taken for, so no entry hides
// another: filled with plain arguments, each comes back in its own Chinese.
TEST(MessageTexts, EveryEntryIsRecognisedByItsEnglish)
{
    const QStringList args = {QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3"), QStringLiteral("D4"),
                              QStringLiteral("E5")};
    for (const STriText& text : kAll) {
        const QString english = English(text, args);
        EXPECT_EQ(Translate(english, kLanguageEnglish), english);
        EXPECT_EQ(Translate(english, 7), english);
        for (int language : {kLanguageSimplified, kLanguageTraditional})
            EXPECT_EQ(Translate(english, language), Fill(text.Pick(language), args)) << text.szEnglish;
    }
}

TEST(MessageTexts, NestedAndSeveralLineMessagesAreTranslatedWhole)
{
    const struct {
        QString english;
        const char* simplified;
        const char* traditional;
    } cases[] = {
        {English(ProjectDamaged, {QStringLiteral("s.png"), English(FrameTwice, {QStringLiteral("3")})}),
         "项目“s.png”已损坏：第 3 帧出现了两次。", "專案「s.png」已損毀：第 3 幀出現了兩次。"},
        {English(ProjectDamaged,
                 {QStringLiteral("s.png"),
                  English(NamedProblem, {QStringLiteral("width"),
                                         English(NotANumberFromTo, {QStringLiteral("x"), QStringLiteral("1"),
                                                                    QStringLiteral("4096")})})}),
         "项目“s.png”已损坏：width：“x”不是 1 到 4096 之间的数字。",
         "專案「s.png」已損毀：width：「x」不是 1 到 4096 之間的數字。"},
        {English(PictureUnreadable, {QStringLiteral("a.bmp")}) + QLatin1Char('\n')
             + English(NotAPicture, {QStringLiteral("a.bmp")}),
         "无法读取图片“a.bmp”。\n“a.bmp”不是可以读取的 BMP、PNG 或 JPEG 图片",
         "無法讀取圖片「a.bmp」。\n「a.bmp」不是可以讀取的 BMP、PNG 或 JPEG 圖片"},
        // The system's own words have no entry and stay as they are.
        {English(AnimationNotSaved, {QStringLiteral("No space left on device")}), "无法保存动画：No space left on device",
         "無法儲存動畫：No space left on device"},
        {QStringLiteral("No space left on device"), "No space left on device", "No space left on device"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Translate(c.english, kLanguageSimplified), QString::fromUtf8(c.simplified));
        EXPECT_EQ(Translate(c.english, kLanguageTraditional), QString::fromUtf8(c.traditional));
    }
}

TEST(MessageTexts, FillLeavesWhatIsNoArgumentAlone)
{
    const QStringList nine = {"a", "b", "c", "d", "e", "f", "g", "h", "i"};
    EXPECT_EQ(Fill(QStringLiteral("%0%1%9%"), nine), QStringLiteral("%0ai%"));
    EXPECT_EQ(Fill(QStringLiteral("%"), nine), QStringLiteral("%"));
    EXPECT_EQ(Fill(QStringLiteral("50%"), {}), QStringLiteral("50%"));
    EXPECT_EQ(Fill(QStringLiteral("%10"), nine), QStringLiteral("a0"));
    EXPECT_EQ(Fill(QStringLiteral("%%1"), nine), QStringLiteral("%a"));
}

namespace {

// A project damaged because of a project damaged ... `levels` deep, ending in
// a frame that is there twice.
QString NestedDamage(int levels)
{
    QString message = English(FrameTwice, {QStringLiteral("3")});
    for (int i = 0; i < levels; ++i)
        message = English(ProjectDamaged, {QStringLiteral("s"), message});
    return message;
}

QString Repeated(const char* utf8, int times)
{
    return QString::fromUtf8(utf8).repeated(times);
}

} // namespace

// Messages are taken apart five levels deep; what lies deeper stays English.
TEST(MessageTexts, NestingIsTranslatedFiveLevelsDeep)
{
    EXPECT_EQ(Translate(NestedDamage(4), kLanguageSimplified),
              Repeated("项目“s”已损坏：", 4) + QString::fromUtf8("第 3 帧出现了两次") + Repeated("。", 4));
    EXPECT_EQ(Translate(NestedDamage(5), kLanguageSimplified),
              Repeated("项目“s”已损坏：", 5) + QStringLiteral("frame 3 is there twice") + Repeated("。", 5));
    EXPECT_EQ(Translate(NestedDamage(6), kLanguageTraditional),
              Repeated("專案「s」已損毀：", 5) + QStringLiteral("The project 's' is damaged: frame 3 is there twice.")
                  + Repeated("。", 5));
    EXPECT_EQ(Translate(QString(), kLanguageSimplified), QString());
}
