#include "app/BatchCommandLine.h"

#include "TestSupport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

// Every option --help lists has an entry of its own in the manual page.
TEST(ManualPage, DescribesEveryBatchOption)
{
    QString page = QString::fromUtf8(ReadAll(QStringLiteral(PELLMARK_SOURCE_DIR "/packaging/pellmark.1")));
    ASSERT_FALSE(page.isEmpty());
    page.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    const QRegularExpression option(QStringLiteral("^  (--[a-z-]+)"), QRegularExpression::MultilineOption);
    int options = 0;
    for (auto it = option.globalMatch(CBatchCommandLine::HelpText()); it.hasNext(); ++options) {
        const QString name = it.next().captured(1);
        const QRegularExpression entry(QStringLiteral("^\\.TP\\n\\.BI? %1\\b").arg(QRegularExpression::escape(name)),
                                       QRegularExpression::MultilineOption);
        EXPECT_TRUE(entry.match(page).hasMatch()) << name.toStdString();
    }
    EXPECT_EQ(options, 50);
}
