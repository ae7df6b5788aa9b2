#include "frame/PaneLink.h"

#include "canvas/CanvasDocument.h"
#include "canvas/ImageView.h"
#include "textinput/InputTextView.h"

#include <QPointer>
#include <QTextEdit>

void LinkPanes(CImageView* canvas, CInputTextView* pane)
{
    if (!canvas || !pane)
        return;
    CCanvasDocument* document = &canvas->Document();
    // Direct connections: when a signal returns, the document has already
    // acted on it, as the pane's logic expects.
    constexpr auto direct = Qt::DirectConnection;
    QObject::connect(pane, &CInputTextView::OverlayTextChanged, document, &CCanvasDocument::SetOverlayText, direct);
    QObject::connect(pane, &CInputTextView::OverlayColorChanged, document, &CCanvasDocument::SetOverlayColor, direct);
    QObject::connect(pane, &CInputTextView::OverlayColorsChanged, document, &CCanvasDocument::SetOverlayColors, direct);
    QObject::connect(pane, &CInputTextView::LayoutOptionsChanged, document, &CCanvasDocument::SetLayoutOptions, direct);
    QObject::connect(
        pane, &CInputTextView::MergeRequested, document,
        [document](QTextEdit* source, const LogFont& font) {
            document->MergeText(source ? source->document() : nullptr, font);
        },
        direct);
    QObject::connect(pane, &CInputTextView::TextXChanged, document, &CCanvasDocument::SetTextX, direct);
    QObject::connect(pane, &CInputTextView::TextYChanged, document, &CCanvasDocument::SetTextY, direct);
    QObject::connect(pane, &CInputTextView::FontApplied, document, &CCanvasDocument::SetTextFont, direct);
    QObject::connect(pane, &CInputTextView::StretchChanged, document, &CCanvasDocument::SetStretch, direct);
    QObject::connect(pane, &CInputTextView::MoveRepeating, document, &CCanvasDocument::SetMergeRenderings, direct);
    QObject::connect(canvas, &CImageView::GridSizeChanged, pane, &CInputTextView::OnGridSizeChanged, direct);
    QObject::connect(document, &CCanvasDocument::TextChanged, pane, &CInputTextView::OnCanvasTextRestored, direct);

    const QPointer<CInputTextView> guarded(pane);
    document->SetMergePendingQuery([guarded] { return guarded && guarded->IsMergePending(); });
}
