#include "frame/DrawingSteps.h"

#include "canvas/DotSelection.h"
#include "canvas/DotShape.h"
#include "canvas/FloodFill.h"
#include "canvas/ImageView.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

const QString kPngType = QStringLiteral("image/png");

QSize CanvasSizeOf(const CCanvasDocument& document)
{
    return {document.Grid().Width(), document.Grid().Height()};
}

// The clipboard's picture: its PNG when it offers one, else any picture Qt reads from it.
QImage ClipboardPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return {};
    if (data->hasFormat(kPngType)) {
        const QImage png = QImage::fromData(data->data(kPngType), "PNG");
        if (!png.isNull())
            return png;
    }
    return data->hasImage() ? qvariant_cast<QImage>(data->imageData()) : QImage();
}

} // namespace

CDrawingSteps::CDrawingSteps(CImageView& canvas)
    : m_document(canvas.Document())
    , m_pCanvas(&canvas)
{
}

bool CDrawingSteps::Draw(const CDotShape& shape, bool light, EUndoKind kind)
{
    CCanvasDocument& document = m_document;
    if (!document.CanEditDots())
        return false;
    const CDotGrid& grid = document.Grid();
    document.DrawShape(shape, light ? grid.DotColor() : grid.BackColor(), kind);
    return true;
}

bool CDrawingSteps::Line(QPoint from, QPoint to, bool light)
{
    CDotShape shape(CanvasSizeOf(m_document));
    shape.AddLine(from, to);
    return Draw(shape, light, EUndoKind::Draw);
}

bool CDrawingSteps::Rectangle(QPoint corner, QPoint opposite, bool filled, bool light)
{
    CDotShape shape(CanvasSizeOf(m_document));
    shape.AddRectangle(corner, opposite, filled);
    return Draw(shape, light, EUndoKind::Draw);
}

bool CDrawingSteps::Ellipse(QPoint corner, QPoint opposite, bool filled, bool light)
{
    CDotShape shape(CanvasSizeOf(m_document));
    shape.AddEllipse(corner, opposite, filled);
    return Draw(shape, light, EUndoKind::Draw);
}

bool CDrawingSteps::Fill(QPoint at, bool light)
{
    if (!m_document.Grid().Contains(at.x(), at.y()))
        return false;
    return Draw(FloodFillArea(m_document.Grid(), at.x(), at.y()), light, EUndoKind::Fill);
}

bool CDrawingSteps::ResizeCanvas(QSize size, int anchor)
{
    PlaceFloating();
    return m_document.ResizeCanvas(size, anchor);
}

bool CDrawingSteps::Crop(const QRect& area)
{
    PlaceFloating();
    return m_document.CropCanvas(area);
}

bool CDrawingSteps::CropToSelection()
{
    PlaceFloating();
    if (!m_pCanvas)
        return false;
    const QRect area = m_pCanvas->Selection().Area();
    return !area.isEmpty() && Crop(area);
}

void CDrawingSteps::SelectAll()
{
    if (!m_pCanvas)
        return;
    m_pCanvas->TakeUpTool(CImageView::SelectTool);
    m_pCanvas->Selection().SelectAll();
    m_pCanvas->Repaint();
}

bool CDrawingSteps::HasSelection() const
{
    return m_pCanvas && !m_pCanvas->Selection().IsEmpty();
}

bool CDrawingSteps::Copy()
{
    if (!m_pCanvas)
        return false;
    const CDotFragment fragment = m_pCanvas->Selection().Copy();
    if (fragment.IsEmpty())
        return false;
    const QImage picture = fragment.ToImage(m_document.Grid().BackColor());
    auto* data = new QMimeData;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    data->setData(kPngType, png);
    // Programs that ask for a picture in another format get it converted.
    data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

bool CDrawingSteps::Cut()
{
    if (!m_document.CanEditDots() || !Copy())
        return false;
    m_pCanvas->Selection().Delete(true);
    m_pCanvas->Repaint();
    return true;
}

bool CDrawingSteps::Delete()
{
    if (!m_document.CanEditDots() || !HasSelection())
        return false;
    m_pCanvas->Selection().Delete();
    m_pCanvas->Repaint();
    return true;
}

bool CDrawingSteps::ClipboardHasPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && (data->hasFormat(kPngType) || data->hasImage());
}

bool CDrawingSteps::Paste()
{
    if (!m_pCanvas || !m_document.CanEditDots())
        return false;
    const QImage picture = ClipboardPicture();
    const CDotFragment fragment
        = CDotFragment::FromImage(picture, m_document.PictureColors(), m_document.Grid().BackColor());
    if (fragment.IsEmpty())
        return false;
    CDotSelection& selection = m_pCanvas->Selection();
    const QPoint at = selection.IsEmpty() ? m_pCanvas->FirstVisibleDot() : selection.Area().topLeft();
    m_pCanvas->TakeUpTool(CImageView::SelectTool);
    selection.Paste(fragment, at);
    m_pCanvas->Repaint();
    return true;
}

void CDrawingSteps::PlaceFloating()
{
    if (!m_pCanvas)
        return;
    CDotSelection& selection = m_pCanvas->Selection();
    if (!selection.IsFloating())
        return;
    selection.Place();
    m_pCanvas->Repaint();
}
