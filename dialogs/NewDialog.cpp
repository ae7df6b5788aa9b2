#include "dialogs/NewDialog.h"

#include "base/FixedChineseTexts.h"

#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace {

// Dialog units to pixels for the classic 8-point dialog font.
QRect FromDialogUnits(int x, int y, int w, int h)
{
    return QRect(x * 3 / 2, y * 13 / 8, w * 3 / 2, h * 13 / 8);
}

// Reads the leading digits of a field; anything else counts as 0.
int FieldValue(const QString& text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok);
    return ok && value <= static_cast<uint>(INT_MAX) ? static_cast<int>(value) : 0;
}

// A digits-only field with up/down arrows stepping by 8 within a range.
// Unlike QSpinBox it never corrects what is typed: out-of-range values
// reach OK, which corrects them and asks first.
class CSizeSpinBox : public QAbstractSpinBox
{
public:
    CSizeSpinBox(int minimum, int maximum, QWidget* parent)
        : QAbstractSpinBox(parent)
        , m_nMinimum(minimum)
        , m_nMaximum(maximum)
    {
        setAlignment(Qt::AlignCenter);
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    }

    void stepBy(int steps) override
    {
        const int value = std::clamp(FieldValue(text()) + steps * kBlockSize, m_nMinimum, m_nMaximum);
        lineEdit()->setText(QString::number(value));
    }

    QValidator::State validate(QString& input, int&) const override
    {
        static const QRegularExpression digits(QStringLiteral("^\\d*$"));
        return digits.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
    }

protected:
    StepEnabled stepEnabled() const override
    {
        const int value = FieldValue(text());
        StepEnabled enabled = StepNone;
        if (value < m_nMaximum)
            enabled |= StepUpEnabled;
        if (value > m_nMinimum)
            enabled |= StepDownEnabled;
        return enabled;
    }

private:
    int m_nMinimum;
    int m_nMaximum;
};

} // namespace

CNewDialog::CNewDialog(QWidget* parent)
    : QDialog(parent)
    , m_fnAsk([this](const QString& caption, const QString& text) { return AskWithMessageBox(this, caption, text); })
{
    setWindowTitle(QStringLiteral("New"));
    setFixedSize(FromDialogUnits(0, 0, 187, 100).size());

    auto* widthLabel = new QLabel(QStringLiteral("Width:"), this);
    widthLabel->setGeometry(FromDialogUnits(14, 21, 54, 8).adjusted(0, -3, 0, 3));
    widthLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* heightLabel = new QLabel(QStringLiteral("Height:"), this);
    heightLabel->setGeometry(FromDialogUnits(7, 43, 61, 8).adjusted(0, -3, 0, 3));
    heightLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_spinWidth = new CSizeSpinBox(kBlockSize, kMaxCanvasWidth, this);
    m_spinWidth->setGeometry(FromDialogUnits(73, 19, 56, 14));
    m_spinHeight = new CSizeSpinBox(kBlockSize, kMaxCanvasHeight, this);
    m_spinHeight->setGeometry(FromDialogUnits(73, 40, 56, 14));
    for (QAbstractSpinBox* box : {m_spinWidth, m_spinHeight})
        box->findChild<QLineEdit*>()->setText(QStringLiteral("16"));

    m_radioText = new QRadioButton(QString::fromUtf8(FixedChinese::kTextMode), this);
    m_radioText->setGeometry(FromDialogUnits(38, 63, 48, 10));
    m_radioImage = new QRadioButton(QString::fromUtf8(FixedChinese::kImageMode), this);
    m_radioImage->setGeometry(FromDialogUnits(97, 63, 48, 10));
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_radioText);
    modes->addButton(m_radioImage);
    m_radioText->setChecked(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(FromDialogUnits(30, 79, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(FromDialogUnits(105, 79, 50, 14));
    connect(ok, &QPushButton::clicked, this, &CNewDialog::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_spinWidth, m_spinHeight);
    setTabOrder(m_spinHeight, ok);
    setTabOrder(ok, cancel);
    m_spinWidth->setFocus();
}

QString CNewDialog::CorrectionQuestion(int width, int height, int correctedWidth, int correctedHeight)
{
    return QString::fromUtf8(FixedChinese::kCorrectSize)
        .arg(width)
        .arg(height)
        .arg(correctedWidth)
        .arg(correctedHeight);
}

void CNewDialog::OnOK()
{
    const int width = FieldValue(m_spinWidth->text());
    const int height = FieldValue(m_spinHeight->text());
    const int correctedWidth = RoundToBlocks(width, kMaxCanvasWidth);
    const int correctedHeight = RoundToBlocks(height, kMaxCanvasHeight);
    if ((correctedWidth != width || correctedHeight != height)
        && !m_fnAsk(QStringLiteral("Warning"), CorrectionQuestion(width, height, correctedWidth, correctedHeight)))
        return;
    m_nWidth = correctedWidth;
    m_nHeight = correctedHeight;
    m_nMode = m_radioImage->isChecked() ? 1 : 0;
    accept();
}

bool CNewDialog::AskWithMessageBox(QWidget* parent, const QString& caption, const QString& text)
{
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
