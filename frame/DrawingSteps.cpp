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

QSize CanvasSizeOf(const CImageView& canvas)
{
    return {canvas.Grid().Width(), canvas.Grid().Height()};
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

bool CDrawingSteps::Draw(const CDotShape& shape, bool light, EUndoKind kind)
{
    CCanvasDocument& document = m_canvas.Document();
    if (!document.CanEditDots())
        return false;
    const CDotGrid& grid = document.Grid();
    document.DrawShape(shape, light ? grid.DotColor() : grid.BackColor(), kind);
    return true;
}

bool CDrawingSteps::Line(QPoint from, QPoint to, bool light)
{
    CDotShape shape(CanvasSizeOf(m_canvas));
    shape.AddLine(from, to);
    return Draw(shape, light, EUndoKind::Draw);
}

bool CDrawingSteps::Rectangle(QPoint corner, QPoint opposite, bool filled, bool light)
{
    CDotShape shape(CanvasSizeOf(m_canvas));
    shape.AddRectangle(corner, opposite, filled);
    return Draw(shape, light, EUndoKind::Draw);
}

bool CDrawingSteps::Ellipse(QPoint corner, QPoint opposite, bool filled, bool light)
{
    CDotShape shape(CanvasSizeOf(m_canvas));
    shape.AddEllipse(corner, opposite, filled);
    return Draw(shape, light, EUndoKind::Draw);
}

bool CDrawingSteps::Fill(QPoint at, bool light)
{
    if (!m_canvas.Grid().Contains(at.x(), at.y()))
        return false;
    return Draw(FloodFillArea(m_canvas.Grid(), at.x(), at.y()), light, EUndoKind::Fill);
}

bool CDrawingSteps::ResizeCanvas(QSize size, int anchor)
{
    PlaceFloating();
    return m_canvas.Document().ResizeCanvas(size, anchor);
}

bool CDrawingSteps::Crop(const QRect& area)
{
    PlaceFloating();
    return m_canvas.Document().CropCanvas(area);
}

bool CDrawingSteps::CropToSelection()
{
    PlaceFloating();
    const QRect area = m_canvas.Selection().Area();
    return !area.isEmpty() && Crop(area);
}

void CDrawingSteps::SelectAll()
{
    m_canvas.TakeUpTool(CImageView::SelectTool);
    m_canvas.Selection().SelectAll();
    m_canvas.Repaint();
}

bool CDrawingSteps::HasSelection() const
{
    return !m_canvas.Selection().IsEmpty();
}

bool CDrawingSteps::Copy()
{
    const CDotFragment fragment = m_canvas.Selection().Copy();
    if (fragment.IsEmpty())
        return false;
    const QImage picture = fragment.ToImage(m_canvas.Grid().BackColor());
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
    if (!m_canvas.CanEditDots() || !Copy())
        return false;
    m_canvas.Selection().Delete(true);
    m_canvas.Repaint();
    return true;
}

bool CDrawingSteps::Delete()
{
    if (!m_canvas.CanEditDots() || !HasSelection())
        return false;
    m_canvas.Selection().Delete();
    m_canvas.Repaint();
    return true;
}

bool CDrawingSteps::ClipboardHasPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && (data->hasFormat(kPngType) || data->hasImage());
}

bool CDrawingSteps::Paste()
{
    if (!m_canvas.CanEditDots())
        return false;
    const QImage picture = ClipboardPicture();
    const CDotFragment fragment
        = CDotFragment::FromImage(picture, m_canvas.PictureColors(), m_canvas.Grid().BackColor());
    if (fragment.IsEmpty())
        return false;
    CDotSelection& selection = m_canvas.Selection();
    const QPoint at = selection.IsEmpty() ? m_canvas.FirstVisibleDot() : selection.Area().topLeft();
    m_canvas.TakeUpTool(CImageView::SelectTool);
    selection.Paste(fragment, at);
    m_canvas.Repaint();
    return true;
}

void CDrawingSteps::PlaceFloating()
{
    CDotSelection& selection = m_canvas.Selection();
    if (!selection.IsFloating())
        return;
    selection.Place();
    m_canvas.Repaint();
}
