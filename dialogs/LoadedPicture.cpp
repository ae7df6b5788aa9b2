#include "dialogs/LoadedPicture.h"

#include "base/DotGrid.h"
#include "base/RegularFile.h"
#include "dotdata/PictureDecoder.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstring>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterPictureResources()
{
    // The resources live in a static library; referencing them here keeps the
    // linker from dropping them.
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(registered);
}

CLoadedPicture::CLoadedPicture() = default;
CLoadedPicture::~CLoadedPicture() = default;

bool CLoadedPicture::LoadFromResource(int id)
{
    RegisterPictureResources();
    return LoadFromPath(QStringLiteral(":/JPG/%1").arg(id));
}

bool CLoadedPicture::LoadFromFile(const QString& path)
{
    QFile file;
    if (CRegularFile::Open(path, CPictureDecoder::kMaxFileBytes, file) != CRegularFile::Ok) {
        Release();
        m_nWidth = m_nHeight = 0;
        return false;
    }
    return LoadFromDevice(file);
}

bool CLoadedPicture::LoadFromPath(const QString& path)
{
    QFile file(path);
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
    const QSize limit(CDotGrid::kMaxWidth, CDotGrid::kMaxHeight);
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

bool CLoadedPicture::CopyRows(std::uint8_t* dst, int dw, int dh) const
{
    if (!m_pPicture || !dst || dw <= 0 || dh <= 0)
        return false;
    const int rows = std::min(m_pPicture->height(), dh);
    const std::size_t rowBytes = 3u * static_cast<std::size_t>(std::min(m_pPicture->width(), dw));
    const std::size_t dstStride = 3u * static_cast<std::size_t>(dw);
    // Display row y of the picture lands on display row y of the destination,
    // which is stored at row dh - 1 - y.
    for (int y = 0; y < rows; ++y)
        std::memcpy(dst + static_cast<std::size_t>(dh - 1 - y) * dstStride, m_pPicture->constScanLine(y), rowBytes);
    return true;
}

void CLoadedPicture::Release()
{
    m_pPicture.reset();
}
