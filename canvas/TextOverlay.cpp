#include "canvas/TextOverlay.h"

#include <QPainter>

QImage RenderTextOverlay(const CCanvasText& text, int width, int height)
{
    return CSignLayout(text, width, height).Render();
}

COverlayCache::COverlayCache() = default;
COverlayCache::~COverlayCache() = default;

const QImage& COverlayCache::Get(const CCanvasText& text, int width, int height)
{
    SKey key{text.m_szText, text.m_acrOverlay, text.m_crText, text.m_lfText,
             QPoint(text.m_nTextX, text.m_nTextY), text.m_layout, QSize(width, height)};
    if (m_pLayout && key == m_key)
        return m_image;
    m_pLayout = std::make_unique<CSignLayout>(text, width, height, SGlyphRasterOptions(), &m_drawn);
    // The picture of the last layout is drawn over when nothing else holds
    // it: no new allocation per keystroke.
    if (m_image.size() != QSize(width, height) || m_image.format() != QImage::Format_RGB32)
        m_image = QImage(width, height, QImage::Format_RGB32);
    m_image.fill(Qt::black);
    m_pLayout->Paint(m_image);
    m_key = std::move(key);
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
