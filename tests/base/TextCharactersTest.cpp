#include "base/TextCharacters.h"

#include <gtest/gtest.h>

TEST(TextCharacters, SurrogatePairsStayTogetherAndLoneHalvesStandAlone)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    EXPECT_EQ(CharactersOf(QString()), QStringList());
    EXPECT_EQ(CharactersOf(QStringLiteral("a") + smile + QStringLiteral("b")),
              (QStringList{QStringLiteral("a"), smile, QStringLiteral("b")}));
    EXPECT_EQ(CharactersOf(smile + smile), (QStringList{smile, smile}));
    // A high half at the end, a low half first, two high halves in a row.
    EXPECT_EQ(CharactersOf(QString(QLatin1Char('x')) + high), (QStringList{QStringLiteral("x"), QString(high)}));
    EXPECT_EQ(CharactersOf(QString(low) + QLatin1Char('x')), (QStringList{QString(low), QStringLiteral("x")}));
    EXPECT_EQ(CharactersOf(QString(high) + high + low), (QStringList{QString(high), QString(high) + low}));
}

TEST(TextCharacters, CodePoints)
{
    EXPECT_EQ(CodePointOf(QString()), 0u);
    EXPECT_EQ(CodePointOf(QStringLiteral("A")), 0x41u);
    EXPECT_EQ(CodePointOf(QString(QChar(0xFF))), 0xFFu);
    EXPECT_EQ(CodePointOf(QString(QChar(0x100))), 0x100u);
    EXPECT_EQ(CodePointOf(QString::fromUtf8("\xE4\xB8\xAD")), 0x4E2Du);   // 中
    EXPECT_EQ(CodePointOf(QString::fromUtf8("\xF0\x9F\x98\x80")), 0x1F600u);
    EXPECT_EQ(CodePointOf(QString::fromUtf8("\xF0\xA0\x80\x80")), 0x20000u);
    EXPECT_EQ(CodePointOf(QString(QChar(0xD83D))), 0xD83Du);
}
