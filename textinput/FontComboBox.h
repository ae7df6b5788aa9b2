#pragma once

#include <QComboBox>
#include <QPixmap>

// The list of font families offered by the font database, sorted by name,
// with a two-T mark in front of outline (smoothly scalable) families.
class CFontComboBox : public QComboBox
{
    Q_OBJECT

public:
    // Font-type flags kept as each item's data.
    enum FontType { RasterFontType = 1, DeviceFontType = 2, TrueTypeFontType = 4 };
    static constexpr int kNameIndent = 25;
    static constexpr QPoint kMarkOffset{5, 4};

    explicit CFontComboBox(QWidget* parent = nullptr);

    // Lists every family, case-insensitively sorted, and selects the first.
    void FillFontList();
    int FontTypeOf(int index) const;
    // Draws one item the way both the list and the closed box show it.
    void DrawItem(QPainter& painter, const QRect& rect, int index, bool selected) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showPopup() override;

private:
    QPixmap m_imlFontType;
};
