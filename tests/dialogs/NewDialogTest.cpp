#include "dialogs/NewDialog.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Asked
{
    QString caption;
    QString text;
};

// A New dialog whose question is answered by the test and recorded.
struct Dialog
{
    CNewDialog dialog;
    std::vector<Asked> asked;
    bool answer = true;

    Dialog()
    {
        dialog.SetQuestion([this](const QString& caption, const QString& text) {
            asked.push_back({caption, text});
            return answer;
        });
    }
    void Enter(const QString& width, const QString& height)
    {
        dialog.WidthBox()->findChild<QLineEdit*>()->setText(width);
        dialog.HeightBox()->findChild<QLineEdit*>()->setText(height);
    }
    bool Ok()
    {
        dialog.setResult(QDialog::Rejected);
        dialog.OnOK();
        return dialog.result() == QDialog::Accepted;
    }
};

} // namespace

TEST(NewDialogCorrection, DefaultsAreAcceptedWithoutAQuestion)
{
    Dialog d;
    EXPECT_EQ(d.dialog.windowTitle(), QStringLiteral("New"));
    EXPECT_EQ(d.dialog.WidthBox()->text(), QStringLiteral("16"));
    EXPECT_EQ(d.dialog.HeightBox()->text(), QStringLiteral("16"));
    // Text mode is chosen at first, as the dialog shows it.
    int checked = 0;
    for (const QRadioButton* mode : d.dialog.findChildren<QRadioButton*>()) {
        checked += mode->isChecked() ? 1 : 0;
        EXPECT_EQ(mode->isChecked(), mode != d.dialog.ImageModeButton()) << mode->text().toStdString();
    }
    EXPECT_EQ(checked, 1);
    ASSERT_TRUE(d.Ok());
    EXPECT_TRUE(d.asked.empty());
    EXPECT_EQ(d.dialog.Width(), 16);
    EXPECT_EQ(d.dialog.Height(), 16);
    EXPECT_EQ(d.dialog.Mode(), 0);

    Dialog image;
    image.dialog.ImageModeButton()->setChecked(true);
    ASSERT_TRUE(image.Ok());
    EXPECT_EQ(image.dialog.Mode(), 1);
}

TEST(NewDialogCorrection, OddWidthIsRoundedUpAfterTheExactQuestion)
{
    Dialog d;
    d.Enter(QStringLiteral("20"), QStringLiteral("16"));
    ASSERT_TRUE(d.Ok());
    ASSERT_EQ(d.asked.size(), 1u);
    EXPECT_EQ(d.asked[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(d.asked[0].text, QString::fromUtf8("输入的数据 [20x16] 无效！\n\n是否自动修正为 24x16？"));
    EXPECT_EQ(d.dialog.Width(), 24);
    EXPECT_EQ(d.dialog.Height(), 16);
}

TEST(NewDialogCorrection, SizesAreBoundedAndEmptyOrZeroBecomesEight)
{
    struct Case { const char* w; const char* h; int cw; int ch; };
    const Case cases[] = {
        {"2000", "1000", 1024, 768},
        {"0", "", 8, 8},
        {"1021", "767", 1024, 768},
        {"1030", "3", 1024, 8},
        {"99999999999", "16", 8, 16},
    };
    for (const Case& c : cases) {
        Dialog d;
        d.Enter(QString::fromUtf8(c.w), QString::fromUtf8(c.h));
        ASSERT_TRUE(d.Ok()) << c.w << "x" << c.h;
        EXPECT_EQ(d.asked.size(), 1u) << c.w << "x" << c.h;
        EXPECT_EQ(d.dialog.Width(), c.cw) << c.w;
        EXPECT_EQ(d.dialog.Height(), c.ch) << c.h;
    }
}

TEST(NewDialogCorrection, OnlySizesOffTheEightsOrPastTheLimitsAreQuestionedOnBothAxes)
{
    struct Case { const char* w; const char* h; bool asked; int cw; int ch; };
    const Case cases[] = {
        {"8", "8", false, 8, 8},          {"9", "8", true, 16, 8},          {"8", "9", true, 8, 16},
        {"1024", "768", false, 1024, 768}, {"1025", "768", true, 1024, 768}, {"1024", "769", true, 1024, 768},
        {"768", "1024", true, 768, 768},   {"1016", "760", false, 1016, 760},
    };
    for (const Case& c : cases) {
        Dialog d;
        d.Enter(QString::fromUtf8(c.w), QString::fromUtf8(c.h));
        ASSERT_TRUE(d.Ok()) << c.w << "x" << c.h;
        EXPECT_EQ(d.asked.size(), c.asked ? 1u : 0u) << c.w << "x" << c.h;
        EXPECT_EQ(d.dialog.Width(), c.cw) << c.w << "x" << c.h;
        EXPECT_EQ(d.dialog.Height(), c.ch) << c.w << "x" << c.h;
    }
}

TEST(NewDialogCorrection, AnsweringNoKeepsTheDialogOpenWithTheTypedValues)
{
    Dialog d;
    d.answer = false;
    d.Enter(QStringLiteral("20"), QStringLiteral("2000"));
    EXPECT_FALSE(d.Ok());
    EXPECT_EQ(d.dialog.WidthBox()->text(), QStringLiteral("20"));
    EXPECT_EQ(d.dialog.HeightBox()->text(), QStringLiteral("2000"));
    EXPECT_FALSE(d.Ok());
    EXPECT_EQ(d.asked.size(), 2u);
    EXPECT_EQ(d.asked[1].text, QString::fromUtf8("输入的数据 [20x2000] 无效！\n\n是否自动修正为 24x768？"));
}

TEST(NewDialogSpin, ArrowsStepByEightWithinTheRange)
{
    Dialog d;
    QAbstractSpinBox* width = d.dialog.WidthBox();
    width->stepUp();
    EXPECT_EQ(width->text(), QStringLiteral("24"));
    d.Enter(QStringLiteral("1020"), QStringLiteral("12"));
    width->stepUp();
    EXPECT_EQ(width->text(), QStringLiteral("1024"));
    d.dialog.HeightBox()->stepDown();
    EXPECT_EQ(d.dialog.HeightBox()->text(), QStringLiteral("8"));
    // At a limit its arrow is off, the other one on.
    struct SPeek : QAbstractSpinBox
    {
        using QAbstractSpinBox::stepEnabled;
    };
    const auto arrows = [](QAbstractSpinBox* box) { return (box->*(&SPeek::stepEnabled))().toInt(); };
    EXPECT_EQ(arrows(width), int(QAbstractSpinBox::StepDownEnabled));
    EXPECT_EQ(arrows(d.dialog.HeightBox()), int(QAbstractSpinBox::StepUpEnabled));
    d.Enter(QStringLiteral("1016"), QStringLiteral("16"));
    EXPECT_EQ(arrows(width), int(QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled));
}


// Every control sits where the dialog's template puts it: dialog units of 6 x
// 13 pixels per 4 x 8, each edit with its arrows beside it as one box, each
// label three pixels taller above and below so its text centres on the edit.
TEST(NewDialogLayout, EveryControlAtItsPlace)
{
    const CNewDialog dialog;
    const auto px = [](int x, int y, int w, int h) { return QRect(x * 6 / 4, y * 13 / 8, w * 6 / 4, h * 13 / 8); };
    EXPECT_EQ(dialog.size(), px(0, 0, 187, 100).size());
    EXPECT_EQ(dialog.WidthBox()->geometry(), px(73, 19, 45 + 11, 14));
    EXPECT_EQ(dialog.HeightBox()->geometry(), px(73, 40, 45 + 11, 14));
    const struct
    {
        const char* text;
        QRect rect;
    } placed[] = {{"OK", px(30, 79, 50, 14)},
                  {"Cancel", px(105, 79, 50, 14)},
                  {"Width:", px(14, 21, 54, 8).adjusted(0, -3, 0, 3)},
                  {"Height:", px(7, 43, 61, 8).adjusted(0, -3, 0, 3)},
                  {"文字模式", px(38, 63, 48, 10)},
                  {"图片模式", px(97, 63, 48, 10)}};
    for (const auto& p : placed) {
        const QString text = QString::fromUtf8(p.text);
        QWidget* found = nullptr;
        for (QWidget* child : dialog.findChildren<QWidget*>())
            if (child->property("text").toString() == text)
                found = child;
        ASSERT_NE(found, nullptr) << p.text;
        EXPECT_EQ(found->geometry(), p.rect) << p.text;
        // The size labels stand right against their boxes.
        if (const auto* label = qobject_cast<const QLabel*>(found)) {
            EXPECT_EQ(label->alignment(), Qt::AlignRight | Qt::AlignVCenter) << p.text;
        }
    }
}

// OK is the default button and answers like Enter; Cancel closes without a
// size; tabbing goes width, height, OK, Cancel, then the modes.
TEST(NewDialogButtons, OkIsTheDefaultAndTheTabOrderFollowsTheFields)
{
    Dialog d;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    for (QPushButton* button : d.dialog.findChildren<QPushButton*>())
        (button->text() == QStringLiteral("OK") ? ok : cancel) = button;
    ASSERT_TRUE(ok && cancel);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(cancel->isDefault());

    d.Enter(QStringLiteral("24"), QStringLiteral("32"));
    d.dialog.setResult(QDialog::Rejected);
    ok->click();
    EXPECT_EQ(d.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(d.dialog.Width(), 24);
    EXPECT_EQ(d.dialog.Height(), 32);
    d.dialog.setResult(QDialog::Accepted);
    cancel->click();
    EXPECT_EQ(d.dialog.result(), QDialog::Rejected);

    // The widgets a Tab reaches, in order, each spin box counted once.
    std::vector<QWidget*> order;
    QWidget* at = d.dialog.WidthBox();
    for (int i = 0; i < 40 && order.size() < 6; ++i, at = at->nextInFocusChain()) {
        QWidget* owner = qobject_cast<QAbstractSpinBox*>(at->parentWidget()) ? at->parentWidget() : at;
        if ((owner->focusPolicy() & Qt::TabFocus) && (order.empty() || order.back() != owner))
            order.push_back(owner);
    }
    const std::vector<QWidget*> expected = {d.dialog.WidthBox(), d.dialog.HeightBox(), ok, cancel,
                                            d.dialog.findChildren<QRadioButton*>().at(0), d.dialog.ImageModeButton()};
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(d.dialog.focusWidget() == d.dialog.WidthBox()
                || d.dialog.focusWidget() == d.dialog.WidthBox()->findChild<QLineEdit*>());
}

// Typed digits are read up to the largest int; anything more is no number.
TEST(NewDialogSpin, FieldsTakeDigitsOnlyAndCentreThem)
{
    Dialog d;
    const struct
    {
        const char* typed;
        int width;
    } cases[] = {{"2147483647", 1024}, {"2147483648", 8}, {"4294967296", 8}};
    for (const auto& c : cases) {
        d.Enter(QString::fromUtf8(c.typed), QStringLiteral("16"));
        ASSERT_TRUE(d.Ok()) << c.typed;
        EXPECT_EQ(d.dialog.Width(), c.width) << c.typed;
    }
    for (QAbstractSpinBox* box : {d.dialog.WidthBox(), d.dialog.HeightBox()}) {
        EXPECT_EQ(box->alignment(), Qt::AlignCenter);
        QString input = QStringLiteral("12a");
        int pos = 0;
        EXPECT_EQ(box->validate(input, pos), QValidator::Invalid);
        input = QStringLiteral("120");
        EXPECT_EQ(box->validate(input, pos), QValidator::Acceptable);
        // Two steps at once move by sixteen.
        box->findChild<QLineEdit*>()->setText(QStringLiteral("16"));
        box->stepBy(2);
        EXPECT_EQ(box->text(), QStringLiteral("32"));
        box->stepBy(-3);
        EXPECT_EQ(box->text(), QStringLiteral("8"));
    }
}
