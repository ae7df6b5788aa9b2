#include "textinput/SignLayoutBar.h"

#include "base/TriText.h"

#include <QAction>
#include <QActionGroup>
#include <QPainter>
#include <QSpinBox>

namespace {

constexpr QSize kButtonSize(16, 15);
constexpr int kSpinBoxWidth = 44;

// Tooltips in the order of the buttons, then the two spacing boxes.
constexpr int kTipCount = CSignLayoutBar::kButtonCount + 2;
constexpr std::array<STriText, kTipCount> kTips = {{
    {"Align Left (press again: X/Y only)", "左对齐（再按一下：只按 X/Y 放置）", "靠左對齊（再按一下：只按 X/Y 放置）"},
    {"Center Horizontally (press again: X/Y only)", "水平居中（再按一下：只按 X/Y 放置）", "水平置中（再按一下：只按 X/Y 放置）"},
    {"Align Right (press again: X/Y only)", "右对齐（再按一下：只按 X/Y 放置）", "靠右對齊（再按一下：只按 X/Y 放置）"},
    {"Align Top (press again: X/Y only)", "顶端对齐（再按一下：只按 X/Y 放置）", "靠上對齊（再按一下：只按 X/Y 放置）"},
    {"Center Vertically (press again: X/Y only)", "垂直居中（再按一下：只按 X/Y 放置）", "垂直置中（再按一下：只按 X/Y 放置）"},
    {"Align Bottom (press again: X/Y only)", "底端对齐（再按一下：只按 X/Y 放置）", "靠下對齊（再按一下：只按 X/Y 放置）"},
    {"Fit Height: size the font so the text fills the rows", "适合高度：调整字号使文字填满所有行",
     "符合高度：調整字級使文字填滿所有列"},
    {"Character spacing in dots", "字间距（点）", "字間距（點）"},
    {"Line spacing in dots", "行间距（点）", "行間距（點）"},
}};
static_assert(AllComplete(kTips));

// A button image in the style of the colour buttons: dark strokes on the
// light grey that the toolbar images use as their transparent colour.
QIcon ButtonIcon(int button)
{
    QPixmap pixmap(kButtonSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor ink(32, 32, 32);
    if (button <= CSignLayoutBar::Right) {
        // Lines of text of different lengths, aligned as the button says.
        constexpr std::array<int, 4> lengths = {12, 8, 12, 6};
        for (int i = 0; i < 4; ++i) {
            const int length = lengths[static_cast<std::size_t>(i)];
            const int x = button == CSignLayoutBar::Left ? 2 : button == CSignLayoutBar::Right ? 14 - length : (16 - length) / 2;
            painter.fillRect(x, 2 + i * 3, length, 2, ink);
        }
        return QIcon(pixmap);
    }
    // A panel with a block of text at the top, middle or bottom, or filling it.
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(1, 0, 13, 14);
    const QColor text(192, 0, 0);
    switch (button) {
    case CSignLayoutBar::Top: painter.fillRect(4, 2, 8, 4, text); break;
    case CSignLayoutBar::Middle: painter.fillRect(4, 5, 8, 5, text); break;
    case CSignLayoutBar::Bottom: painter.fillRect(4, 9, 8, 4, text); break;
    default:
        painter.fillRect(4, 1, 8, 13, text);
        painter.fillRect(7, 3, 2, 9, ink);
        painter.fillRect(6, 3, 4, 1, ink);
        painter.fillRect(6, 11, 4, 1, ink);
        break;
    }
    return QIcon(pixmap);
}

} // namespace

CSignLayoutBar::CSignLayoutBar(QWidget* parent)
    : QToolBar(parent)
{
    setIconSize(kButtonSize);
    setMovable(false);
    setFloatable(false);
    setStyleSheet(QStringLiteral("QToolBar { border: none; padding: 0px; spacing: 0px; }"
                                 "QToolButton { padding: 1px; }"));
    AddAxis(Left);
    addSeparator();
    AddAxis(Top);
    addSeparator();
    QAction* fit = addAction(ButtonIcon(FitHeight), QString());
    fit->setCheckable(true);
    connect(fit, &QAction::toggled, this, &CSignLayoutBar::OnControlChanged);
    m_actions[FitHeight] = fit;
    addSeparator();
    m_spacing = AddSpinBox();
    m_lineSpacing = AddSpinBox();
    SetLanguage(0);
    adjustSize();
}

void CSignLayoutBar::AddAxis(Button first)
{
    // At most one button of an axis is pressed; none leaves it to X/Y.
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int b = first; b < first + 3; ++b) {
        QAction* action = addAction(ButtonIcon(b), QString());
        action->setCheckable(true);
        group->addAction(action);
        m_actions[static_cast<std::size_t>(b)] = action;
        connect(action, &QAction::toggled, this, &CSignLayoutBar::OnControlChanged);
    }
}

QSpinBox* CSignLayoutBar::AddSpinBox()
{
    auto* box = new QSpinBox(this);
    box->setRange(SSignLayoutOptions::kSpacingMin, SSignLayoutOptions::kSpacingMax);
    box->setFixedWidth(kSpinBoxWidth);
    box->setAlignment(Qt::AlignCenter);
    connect(box, &QSpinBox::valueChanged, this, &CSignLayoutBar::OnControlChanged);
    addWidget(box);
    return box;
}

void CSignLayoutBar::SetLanguage(int language)
{
    for (std::size_t b = 0; b < m_actions.size(); ++b)
        m_actions[b]->setToolTip(kTips[b].Pick(language));
    m_spacing->setToolTip(kTips[kButtonCount].Pick(language));
    m_lineSpacing->setToolTip(kTips[kButtonCount + 1].Pick(language));
}

SSignLayoutOptions CSignLayoutBar::Shown() const
{
    const auto axis = [this](Button first) {
        for (int b = 0; b < 3; ++b) {
            if (m_actions[static_cast<std::size_t>(first + b)]->isChecked())
                return SSignLayoutOptions::AlignStart + b;
        }
        return static_cast<int>(SSignLayoutOptions::Unaligned);
    };
    SSignLayoutOptions shown;
    shown.nAlignH = axis(Left);
    shown.nAlignV = axis(Top);
    shown.bFitHeight = m_actions[FitHeight]->isChecked();
    shown.nSpacing = m_spacing->value();
    shown.nLineSpacing = m_lineSpacing->value();
    return shown;
}

void CSignLayoutBar::SetOptions(const SSignLayoutOptions& options)
{
    if (!SSignLayoutOptions::IsAlign(options.nAlignH) || !SSignLayoutOptions::IsAlign(options.nAlignV)
        || !SSignLayoutOptions::IsSpacing(options.nSpacing) || !SSignLayoutOptions::IsSpacing(options.nLineSpacing))
        return;
    m_bShowing = true;
    const auto showAxis = [this](Button first, int align) {
        for (int b = 0; b < 3; ++b)
            m_actions[static_cast<std::size_t>(first + b)]->setChecked(align == SSignLayoutOptions::AlignStart + b);
    };
    showAxis(Left, options.nAlignH);
    showAxis(Top, options.nAlignV);
    m_actions[FitHeight]->setChecked(options.bFitHeight);
    m_spacing->setValue(options.nSpacing);
    m_lineSpacing->setValue(options.nLineSpacing);
    m_bShowing = false;
    OnControlChanged();
}

void CSignLayoutBar::OnControlChanged()
{
    // One change of the options, however many controls it moved.
    if (m_bShowing)
        return;
    const SSignLayoutOptions shown = Shown();
    if (shown == m_options)
        return;
    m_options = shown;
    emit OptionsChanged(m_options);
}
