#include "textinput/FontComboBox.h"

#include <QAbstractItemView>
#include <QBitmap>
#include <QFontDatabase>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>

namespace {

// Draws the list items through the box, so list and closed box look alike.
class CFontItemDelegate : public QStyledItemDelegate
{
public:
    explicit CFontItemDelegate(CFontComboBox* box)
        : QStyledItemDelegate(box)
        , m_pBox(box)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_pBox->DrawItem(*painter, option.rect, index.row(), option.state & QStyle::State_Selected);
    }

private:
    CFontComboBox* m_pBox;
};

} // namespace

CFontComboBox::CFontComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setItemDelegate(new CFontItemDelegate(this));
}

void CFontComboBox::FillFontList()
{
    QPixmap mark(QStringLiteral(":/textinput/font_type.bmp"));
    mark.setMask(mark.createMaskFromColor(Qt::white));
    m_imlFontType = mark;

    clear();
    QStringList families = QFontDatabase::families();
    std::stable_sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    for (const QString& family : families) {
        // The font database reports no TrueType flag; an outline font is one
        // that scales smoothly to any size.
        const int type = QFontDatabase::isSmoothlyScalable(family) ? TrueTypeFontType : RasterFontType;
        addItem(family, type);
    }
    setCurrentIndex(count() > 0 ? 0 : -1);
}

int CFontComboBox::FontTypeOf(int index) const
{
    return itemData(index).toInt();
}

void CFontComboBox::DrawItem(QPainter& painter, const QRect& rect, int index, bool selected) const
{
    if (index < 0)
        return;
    painter.save();
    painter.fillRect(rect, selected ? palette().highlight() : palette().base());
    painter.setPen(selected ? palette().highlightedText().color() : palette().text().color());
    if (FontTypeOf(index) & TrueTypeFontType)
        painter.drawPixmap(rect.topLeft() + kMarkOffset, m_imlFontType);
    painter.setFont(font());
    const int textHeight = painter.fontMetrics().height();
    const QRect textRect(rect.left() + kNameIndent, rect.top() + (rect.height() - textHeight) / 2,
                         rect.width() - kNameIndent, textHeight);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, itemText(index));
    painter.restore();
}

void CFontComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() < 0) {
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = field;
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
        return;
    }
    DrawItem(painter, field, currentIndex(), hasFocus());
}

void CFontComboBox::showPopup()
{
    // The list is at least a scroll bar plus 15 pixels wide, and never
    // narrower than the box.
    const int minimum = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 15;
    view()->setMinimumWidth(std::max(minimum, width()));
    QComboBox::showPopup();
}
