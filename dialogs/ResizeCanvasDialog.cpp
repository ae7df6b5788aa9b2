#include "dialogs/ResizeCanvasDialog.h"

#include "base/CanvasMode.h"
#include "base/TriText.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

enum TextId { TitleText, WidthLabel, HeightLabel, AnchorLabel };
constexpr std::array<STriText, 4> kTexts = {{
    {"Resize Canvas", "调整画布大小", "調整畫布大小"},
    {"&Width:", "宽度(&W):", "寬度(&W):"},
    {"&Height:", "高度(&H):", "高度(&H):"},
    {"Keep the dots at", "原有格点位置", "原有格點位置"},
}};
static_assert(AllComplete(kTexts));

// Arrows pointing where the dots go, row by row from the top left.
constexpr std::array<const char*, 9> kAnchorMarks = {"↖", "↑", "↗", "←", "•", "→", "↙", "↓", "↘"};

QSpinBox* SizeBox(int value, int limit)
{
    auto* box = new QSpinBox;
    box->setRange(kBlockSize, limit);
    box->setSingleStep(kBlockSize);
    box->setValue(RoundToBlocks(value, limit));
    // A typed size between blocks is rounded up, as the New dialog corrects it.
    box->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    QObject::connect(box, &QSpinBox::editingFinished, box,
                     [box, limit] { box->setValue(RoundToBlocks(box->value(), limit)); });
    return box;
}

} // namespace

CResizeCanvasDialog::CResizeCanvasDialog(int width, int height, int language, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(kTexts[TitleText].Pick(language));

    m_spinWidth = SizeBox(width, kMaxCanvasWidth);
    m_spinHeight = SizeBox(height, kMaxCanvasHeight);
    auto* sizes = new QFormLayout;
    sizes->addRow(kTexts[WidthLabel].Pick(language), m_spinWidth);
    sizes->addRow(kTexts[HeightLabel].Pick(language), m_spinHeight);

    auto* anchorBox = new QGroupBox(kTexts[AnchorLabel].Pick(language));
    auto* grid = new QGridLayout(anchorBox);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 9; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(kAnchorMarks[static_cast<std::size_t>(i)]));
        group->addButton(button, i);
        grid->addWidget(button, i / 3, i % 3);
        m_aAnchors[static_cast<std::size_t>(i)] = button;
    }
    m_aAnchors[0]->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sizes);
    layout->addWidget(anchorBox);
    layout->addWidget(buttons);
}

int CResizeCanvasDialog::CanvasWidth() const
{
    return RoundToBlocks(m_spinWidth->value(), kMaxCanvasWidth);
}

int CResizeCanvasDialog::CanvasHeight() const
{
    return RoundToBlocks(m_spinHeight->value(), kMaxCanvasHeight);
}

int CResizeCanvasDialog::Anchor() const
{
    for (int i = 0; i < 9; ++i) {
        if (m_aAnchors[static_cast<std::size_t>(i)]->isChecked())
            return i;
    }
    return 0;
}
