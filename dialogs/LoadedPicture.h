#pragma once

#include <QSize>

#include <memory>

class QIODevice;
class QImage;
class QPainter;
class QRect;
class QString;

// The artwork of the splash window and the About box: a decoded picture and
// its size in pixels, loaded from a compiled-in resource (or any BMP/JPEG
// device). Pictures larger than the canvas limit are decoded only in their
// top-left corner.
class CLoadedPicture
{
public:
    // Resources are compiled in as ":/JPG/<id>".
    static constexpr int kSplashPictureId = 140;

    CLoadedPicture();
    ~CLoadedPicture();
    CLoadedPicture(const CLoadedPicture&) = delete;
    CLoadedPicture& operator=(const CLoadedPicture&) = delete;

    bool LoadFromResource(int id);
    bool LoadFromDevice(QIODevice& device);
    // (0, 0) when nothing is held.
    QSize GetImageSize() const;
    // Draws the picture stretched into rect; a null rect (all zero) means the
    // picture's own size at (0, 0). False when nothing is held.
    bool Render(QPainter& painter, const QRect& rect) const;
    // Frees the pixels; the size of the picture is kept.
    void Release();

    bool IsLoaded() const { return m_pPicture != nullptr; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

private:
    std::unique_ptr<QImage> m_pPicture;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
