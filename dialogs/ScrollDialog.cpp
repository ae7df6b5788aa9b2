#include "dialogs/ScrollDialog.h"

#include "animation/FrameEffects.h"
#include "base/TriText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<STriText, 10> kTexts = {{
    {"Scroll", "滚动", "捲動"},
    {"Sign width (dots):", "显示屏宽度（点）：", "顯示屏寬度（點）："},
    {"Sign height (dots):", "显示屏高度（点）：", "顯示屏高度（點）："},
    {"Speed:", "速度：", "速度："},
    {" dots a second", " 点/秒", " 點/秒"},
    {"Duration:", "时长：", "時長："},
    {" ms", " 毫秒", " 毫秒"},
    {"Blink", "闪烁", "閃爍"},
    {"Wipe", "擦除", "擦除"},
    {"Frame Duration", "帧时长", "幀時長"},
}};
static_assert(AllComplete(kTexts));

QSpinBox* MakeBox(int minimum, int maximum, int value, const QString& suffix, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setValue(std::clamp(value, minimum, maximum));
    box->setSuffix(suffix);
    return box;
}

} // namespace

QString CScrollDialog::Text(int id, int language)
{
    const auto row = static_cast<std::size_t>(std::clamp(id, 0, static_cast<int>(kTexts.size()) - 1));
    return kTexts[row].Pick(language);
}

CScrollDialog::CScrollDialog(int panelWidth, int panelHeight, int speed, int language, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Text(Title, language));
    m_spinWidth = MakeBox(1, kMaxCanvasWidth, panelWidth, QString(), this);
    m_spinHeight = MakeBox(1, kMaxCanvasHeight, panelHeight, QString(), this);
    m_spinSpeed = MakeBox(CFrameEffects::kMinSpeed, CFrameEffects::kMaxSpeed, speed, Text(DotsPerSecond, language), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(Text(SignWidth, language), m_spinWidth);
    form->addRow(Text(SignHeight, language), m_spinHeight);
    form->addRow(Text(SpeedLabel, language), m_spinSpeed);
    form->addRow(buttons);
}

int CScrollDialog::PanelWidth() const
{
    return m_spinWidth->value();
}

int CScrollDialog::PanelHeight() const
{
    return m_spinHeight->value();
}

int CScrollDialog::Speed() const
{
    return m_spinSpeed->value();
}
