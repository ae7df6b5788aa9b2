#pragma once

#include "base/SignLayoutOptions.h"

#include <QToolBar>

#include <array>

class QAction;
class QSpinBox;

// The input pane's image-mode layout controls: alignment on each axis
// (a pressed button pressed again leaves that axis to X/Y), the text sized
// to fill the rows, and the extra spacing between characters and lines.
class CSignLayoutBar : public QToolBar
{
    Q_OBJECT

public:
    // The buttons, in the bar's order.
    enum Button { Left, Centre, Right, Top, Middle, Bottom, FitHeight, kButtonCount };

    explicit CSignLayoutBar(QWidget* parent = nullptr);

    SSignLayoutOptions Options() const { return m_options; }
    // Shows the options; tells OptionsChanged when they differ from those shown.
    void SetOptions(const SSignLayoutOptions& options);
    // Tooltips in the interface language: 0 English, 1 Simplified Chinese,
    // 2 Traditional Chinese.
    void SetLanguage(int language);

    QAction* ButtonAction(Button button) const { return m_actions[static_cast<std::size_t>(button)]; }
    QSpinBox* SpacingBox() const { return m_spacing; }
    QSpinBox* LineSpacingBox() const { return m_lineSpacing; }

signals:
    void OptionsChanged(const SSignLayoutOptions& options);

private:
    void AddAxis(Button first);
    QSpinBox* AddSpinBox();
    // The options the controls show now.
    SSignLayoutOptions Shown() const;
    void OnControlChanged();

    std::array<QAction*, kButtonCount> m_actions{};
    QSpinBox* m_spacing = nullptr;
    QSpinBox* m_lineSpacing = nullptr;
    SSignLayoutOptions m_options;
    bool m_bShowing = false;
};
