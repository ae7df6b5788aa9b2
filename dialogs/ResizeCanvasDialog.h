#pragma once

#include <QDialog>

#include <array>

class QRadioButton;
class QSpinBox;

// Asks for a new canvas size and the anchor: where the present dots stay
// (one of nine places, CanvasAnchor order). Sizes step in whole blocks of 8
// within the canvas limits, so what is asked is what the canvas becomes.
class CResizeCanvasDialog : public QDialog
{
    Q_OBJECT

public:
    // language: 0 English, 1 Simplified, 2 Traditional Chinese.
    CResizeCanvasDialog(int width, int height, int language, QWidget* parent = nullptr);

    int CanvasWidth() const;
    int CanvasHeight() const;
    int Anchor() const;

    QSpinBox* WidthBox() const { return m_spinWidth; }
    QSpinBox* HeightBox() const { return m_spinHeight; }
    QRadioButton* AnchorButton(int anchor) const { return m_aAnchors[static_cast<std::size_t>(anchor)]; }

private:
    QSpinBox* m_spinWidth = nullptr;
    QSpinBox* m_spinHeight = nullptr;
    std::array<QRadioButton*, 9> m_aAnchors {};
};
