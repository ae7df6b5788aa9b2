// System > Font: the dialog shows the input pane's size, and OK without a
// change gives back the very font it was opened with.
#include "base/LogFont.h"

#include "TestSupport.h"

#include <QFontDialog>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

// What the dialog hands back on OK when nothing was touched.
LogFont ThroughTheDialog(const LogFont& current, int* shownSize = nullptr)
{
    QFontDialog dialog(current.ToDialogFont());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (shownSize)
        *shownSize = dialog.currentFont().pointSize();
    return LogFont::FromDialogFont(dialog.currentFont(), current);
}

} // namespace

TEST(FontDialog, OkWithoutAChangeChangesNothing)
{
    for (const char* face : {"DejaVu Sans", "DejaVu Serif", "WenQuanYi Zen Hei"}) {
        for (const int height : {8, 12, 15, 16, 24, 72, -16}) {
            const LogFont current = FontOf(face, height);
            int shown = 0;
            LogFont back = ThroughTheDialog(current, &shown);
            EXPECT_EQ(shown, std::abs(height)) << face << " " << height;
            EXPECT_EQ(back.lfHeight, current.lfHeight) << face << " " << height;
            EXPECT_EQ(back.lfFaceName, current.lfFaceName) << face;
            // A second round trip does not drift either.
            back = ThroughTheDialog(back);
            EXPECT_EQ(back.lfHeight, height) << face;
        }
    }
}

TEST(FontDialog, WeightsComeBackAroundTheBoldThreshold)
{
    // Bold chosen in the dialog comes back bold.
    LogFont boldFont = FontOf("DejaVu Sans", 16);
    boldFont.lfWeight = 700;
    EXPECT_GE(ThroughTheDialog(boldFont).lfWeight, 600);
    // Qt and the description share the 1..1000 scale; the dots are drawn
    // bold from 600 on.
    for (const int weight : {100, 400, 500, 599, 600, 601, 700, 900}) {
        LogFont current = FontOf("DejaVu Sans", 16);
        current.lfWeight = weight;
        EXPECT_EQ(current.ToQFont().bold(), weight >= 600) << weight;
        QFont chosen(QStringLiteral("DejaVu Sans"));
        chosen.setWeight(static_cast<QFont::Weight>(weight));
        EXPECT_EQ(LogFont::FromQFont(chosen).lfWeight, weight);
    }
    QFont bold(QStringLiteral("DejaVu Sans"));
    bold.setBold(true);
    EXPECT_EQ(LogFont::FromQFont(bold).lfWeight, 700);
}
