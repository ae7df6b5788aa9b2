#include "canvas/TextOverlay.h"

#include "textinput/GlyphRaster.h"

#include <QPainter>

QImage RenderTextOverlay(const CCanvasText& text, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRect box(QPoint(text.m_nTextX, text.m_nTextY), QPoint(width - 1, height - 1));
    if (text.m_szText.isEmpty() || box.isEmpty())
        return image;

    QString lines = text.m_szText;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QChar('\r'), QChar('\n'));

    // The same rasteriser as the text-mode glyphs: one colour, no lost strokes.
    const CGlyphRaster raster(text.m_lfText);
    const QImage lit = raster.LitText(image.size(), box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines);
    CGlyphRaster::Paint(image, lit, text.m_crText);
    return image;
}

const QImage& COverlayCache::Get(const CCanvasText& text, int width, int height)
{
    const QPoint position(text.m_nTextX, text.m_nTextY);
    const QSize size(width, height);
    const bool same = !m_image.isNull() && m_size == size && m_ptText == position && m_crText == text.m_crText
        && m_szText == text.m_szText && m_lfText == text.m_lfText;
    if (same)
        return m_image;
    m_image = RenderTextOverlay(text, width, height);
    m_szText = text.m_szText;
    m_lfText = text.m_lfText;
    m_crText = text.m_crText;
    m_ptText = position;
    m_size = size;
    return m_image;
}

void CopyColourKeyed(QImage& target, const QRect& dest, const QImage& source)
{
    if (source.isNull() || dest.isEmpty())
        return;
    // Black becomes fully transparent and everything else opaque, so that a
    // plain unsmoothed draw is the keyed copy.
    QImage keyed = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            line[x] = (line[x] & 0x00FFFFFFu) == 0 ? 0u : (line[x] | 0xFF000000u);
    }
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(dest, keyed);
}
