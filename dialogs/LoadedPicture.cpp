#include "dialogs/LoadedPicture.h"

#include "base/CanvasMode.h"
#include "dotdata/PictureDecoder.h"

#include <QFile>
#include <QImage>
#include <QPainter>

CLoadedPicture::CLoadedPicture() = default;
CLoadedPicture::~CLoadedPicture() = default;

bool CLoadedPicture::LoadFromResource(int id)
{
    QFile file(QStringLiteral(":/JPG/%1").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        Release();
        m_nWidth = m_nHeight = 0;
        return false;
    }
    return LoadFromDevice(file);
}

bool CLoadedPicture::LoadFromDevice(QIODevice& device)
{
    Release();
    m_nWidth = m_nHeight = 0;
    DecodedPicture decoded;
    const QSize limit(kMaxCanvasWidth, kMaxCanvasHeight);
    if (!CPictureDecoder::Decode(device, limit, decoded) || !decoded.IsValid())
        return false;
    m_pPicture = std::make_unique<QImage>(std::move(decoded.pixels));
    m_nWidth = decoded.size.width();
    m_nHeight = decoded.size.height();
    return true;
}

QSize CLoadedPicture::GetImageSize() const
{
    return m_pPicture ? QSize(m_nWidth, m_nHeight) : QSize(0, 0);
}

bool CLoadedPicture::Render(QPainter& painter, const QRect& rect) const
{
    if (!m_pPicture)
        return false;
    QRectF target = rect.isNull() ? QRectF(0, 0, m_nWidth, m_nHeight) : QRectF(rect);
    // Only the decoded corner is held; it covers its share of the target.
    target.setWidth(target.width() * m_pPicture->width() / m_nWidth);
    target.setHeight(target.height() * m_pPicture->height() / m_nHeight);
    painter.drawImage(target, *m_pPicture);
    return true;
}

void CLoadedPicture::Release()
{
    m_pPicture.reset();
}
