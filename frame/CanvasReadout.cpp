#include "frame/CanvasReadout.h"

#include "base/TriText.h"
#include "canvas/ImageView.h"
#include "dotdata/DotListing.h"

#include <QLabel>
#include <QStatusBar>

namespace {

// Widest texts of the panes, which fix their widths so that the bar does
// not jump while the pointer moves.
constexpr std::array<const char*, CCanvasReadout::kPaneCount> kWidest = {"1023, 767", "12288-8-8", "×20",
                                                                         "1024 × 768"};

// What each pane shows.
constexpr std::array<STriText, CCanvasReadout::kPaneCount> kTips = {{
    {"Dot under the pointer: column, row (from 0)", "指针下的格点：列，行（从 0 起）",
     "指標下的格點：欄，列（從 0 起）"},
    {"The same dot as the dot-data listing names it: block-row-column", "该格点在点阵数据中的名称：块-行-列",
     "該格點在點陣資料中的名稱：區塊-列-欄"},
    {"Screen pixels per dot", "每个格点的屏幕像素数", "每個格點的螢幕像素數"},
    {"Canvas size in dots", "画布大小（格点）", "畫布大小（格點）"},
}};
static_assert(AllComplete(kTips));

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

void CCanvasReadout::SetLanguage(int language)
{
    for (std::size_t i = 0; i < m_apPanes.size(); ++i)
        m_apPanes[i]->setToolTip(kTips[i].Pick(language));
}

QString CCanvasReadout::Text(int pane) const
{
    return pane >= 0 && pane < kPaneCount ? m_apPanes[static_cast<std::size_t>(pane)]->text() : QString();
}

QString CCanvasReadout::ToolTip(int pane) const
{
    return pane >= 0 && pane < kPaneCount ? m_apPanes[static_cast<std::size_t>(pane)]->toolTip() : QString();
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
