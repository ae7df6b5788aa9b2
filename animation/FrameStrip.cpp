#include "animation/FrameStrip.h"

#include "animation/FrameList.h"
#include "base/GridImage.h"

#include <QPixmap>

#include <algorithm>

CFrameStrip::CFrameStrip(QWidget* parent) : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setMovement(QListView::Static);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setIconSize(QSize(kMaxThumbWidth, kThumbHeight));
    setUniformItemSizes(true);
    setFixedHeight(kThumbHeight + fontMetrics().height() + 28);
    hide();
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_bFilling && row >= 0)
            emit FrameChosen(row);
    });
}

void CFrameStrip::SetFrames(const CFrameList* frames)
{
    m_pFrames = frames;
    Refresh();
}

QIcon CFrameStrip::Thumbnail(int index) const
{
    const CDotGrid grid = m_pFrames->Picture(index);
    if (grid.IsEmpty())
        return QIcon();
    // Whole dots, never blurred: the largest whole scale that fits, or a
    // plain shrink for signs wider than the thumbnail.
    const int scale = std::max(1, std::min(kMaxThumbWidth / grid.Width(), kThumbHeight / grid.Height()));
    QImage image = GridToImage(grid);
    const QSize size = scale > 1 ? image.size() * scale
                                 : image.size().scaled(QSize(kMaxThumbWidth, kThumbHeight), Qt::KeepAspectRatio);
    return QIcon(QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

QString CFrameStrip::Caption(int index) const
{
    return QStringLiteral("%1 \u00B7 %2 ms").arg(index + 1).arg(m_pFrames->Duration(index));
}

void CFrameStrip::Refresh()
{
    const bool show = m_pFrames && m_pFrames->IsAnimated();
    setVisible(show);
    m_bFilling = true;
    clear();
    if (show) {
        for (int i = 0; i < m_pFrames->Count(); ++i)
            addItem(new QListWidgetItem(Thumbnail(i), Caption(i)));
        setCurrentRow(m_pFrames->Current());
        scrollToItem(currentItem());
    }
    m_bFilling = false;
}

void CFrameStrip::RefreshCurrent()
{
    if (!m_pFrames || !m_pFrames->IsAnimated() || count() != m_pFrames->Count()) {
        Refresh();
        return;
    }
    const int current = m_pFrames->Current();
    QListWidgetItem* item = this->item(current);
    item->setIcon(Thumbnail(current));
    item->setText(Caption(current));
    if (currentRow() != current) {
        m_bFilling = true;
        setCurrentRow(current);
        m_bFilling = false;
    }
}
