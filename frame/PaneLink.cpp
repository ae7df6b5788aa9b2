#include "frame/PaneLink.h"

#include "canvas/ImageView.h"
#include "textinput/InputTextView.h"

#include <QPointer>
#include <QTextEdit>

void LinkPanes(CImageView* canvas, CInputTextView* pane)
{
    if (!canvas || !pane)
        return;
    // Direct connections: when a signal returns, the receiver has already
    // acted on it, as the pane's logic expects.
    constexpr auto direct = Qt::DirectConnection;
    QObject::connect(pane, &CInputTextView::OverlayTextChanged, canvas, &CImageView::SetOverlayText, direct);
    QObject::connect(pane, &CInputTextView::OverlayColorChanged, canvas, &CImageView::SetOverlayColor, direct);
    QObject::connect(pane, &CInputTextView::OverlayColorsChanged, canvas, &CImageView::SetOverlayColors, direct);
    QObject::connect(pane, &CInputTextView::LayoutOptionsChanged, canvas, &CImageView::SetLayoutOptions, direct);
    QObject::connect(pane, &CInputTextView::MergeRequested, canvas, &CImageView::MergeText, direct);
    QObject::connect(pane, &CInputTextView::TextXChanged, canvas, &CImageView::SetTextX, direct);
    QObject::connect(pane, &CInputTextView::TextYChanged, canvas, &CImageView::SetTextY, direct);
    QObject::connect(pane, &CInputTextView::FontApplied, canvas, &CImageView::SetTextFont, direct);
    QObject::connect(pane, &CInputTextView::StretchChanged, canvas, &CImageView::SetStretch, direct);
    QObject::connect(canvas, &CImageView::GridSizeChanged, pane, &CInputTextView::OnGridSizeChanged, direct);
    QObject::connect(canvas, &CImageView::TextStateRestored, pane, &CInputTextView::OnCanvasTextRestored, direct);

    const QPointer<CInputTextView> guarded(pane);
    canvas->SetMergePendingQuery([guarded] { return guarded && guarded->IsMergePending(); });
}
