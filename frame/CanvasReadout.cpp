#include "frame/CanvasReadout.h"

#include "canvas/ImageView.h"
#include "dotdata/DotListing.h"

#include <QLabel>
#include <QStatusBar>

namespace {

// Widest texts of the panes, which fix their widths so that the bar does
// not jump while the pointer moves.
constexpr std::array<const char*, CCanvasReadout::kPaneCount> kWidest = {"1023, 767", "12288-8-8", "×20",
                                                                         "1024 × 768"};

} // namespace

CCanvasReadout::CCanvasReadout(QStatusBar& bar, CImageView& canvas)
    : QObject(&bar)
    , m_canvas(canvas)
{
    for (std::size_t i = 0; i < m_apPanes.size(); ++i) {
        auto* label = new QLabel(&bar);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString::fromUtf8(kWidest[i])) + 8);
        bar.addPermanentWidget(label);
        m_apPanes[i] = label;
    }
    connect(&canvas, &CImageView::PointerDot, this, &CCanvasReadout::ShowPointer);
    Update();
}

QString CCanvasReadout::Text(int pane) const
{
    return pane >= 0 && pane < kPaneCount ? m_apPanes[static_cast<std::size_t>(pane)]->text() : QString();
}

void CCanvasReadout::Update()
{
    const CDotGrid& grid = m_canvas.Grid();
    m_apPanes[ZoomPane]->setText(QStringLiteral("×%1").arg(m_canvas.EffectiveDotSize()));
    m_apPanes[SizePane]->setText(grid.IsEmpty() ? QString()
                                                : QStringLiteral("%1 × %2").arg(grid.Width()).arg(grid.Height()));
}

void CCanvasReadout::ShowPointer(int column, int row, bool onGrid)
{
    if (!onGrid) {
        m_apPanes[PointerPane]->clear();
        m_apPanes[BlockPane]->clear();
        return;
    }
    m_apPanes[PointerPane]->setText(QStringLiteral("%1, %2").arg(column).arg(row));
    m_apPanes[BlockPane]->setText(CDotListing::DotName(m_canvas.Grid(), m_canvas.Text(), column, row));
}
