#pragma once

#include <QDialog>

class QSpinBox;

// Asks how a scroll is made: the size of the sign the canvas moves across
// and the speed in dots a second. Its texts follow the program's language
// (0 English, 1 Simplified Chinese, 2 Traditional Chinese).
class CScrollDialog : public QDialog
{
    Q_OBJECT

public:
    CScrollDialog(int panelWidth, int panelHeight, int speed, int language, QWidget* parent = nullptr);

    int PanelWidth() const;
    int PanelHeight() const;
    int Speed() const;

    QSpinBox* WidthBox() const { return m_spinWidth; }
    QSpinBox* HeightBox() const { return m_spinHeight; }
    QSpinBox* SpeedBox() const { return m_spinSpeed; }

    // The texts of this dialog and of the one-number questions that go with
    // the other effects (blink and frame durations, wipe speed), by id.
    static QString Text(int id, int language);
    enum TextId { Title, SignWidth, SignHeight, SpeedLabel, DotsPerSecond, FrameDuration, Milliseconds, BlinkTitle,
                  WipeTitle, DurationTitle };

private:
    QSpinBox* m_spinWidth = nullptr;
    QSpinBox* m_spinHeight = nullptr;
    QSpinBox* m_spinSpeed = nullptr;
};
