#pragma once

#include <QSize>

#include <cstdint>
#include <memory>

class QIODevice;
class QImage;
class QPainter;
class QRect;
class QString;

// A decoded picture and its size in pixels, loaded from a compiled-in resource
// or a BMP/JPEG file. Pictures of any depth are held as 24-bit blue-green-red.
// Pictures larger than the canvas limit are decoded only in their top-left
// corner, which is all the canvas can take.
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
    bool LoadFromFile(const QString& path);
    // (0, 0) when nothing is held.
    QSize GetImageSize() const;
    // Draws the picture stretched into rect; a null rect (all zero) means the
    // picture's own size at (0, 0). False when nothing is held.
    bool Render(QPainter& painter, const QRect& rect) const;
    // Copies the pixels into dh bottom-up rows of dw 24-bit pixels, packed:
    // the picture's top-left corner on the destination's top-left, unscaled,
    // clipped right and bottom; destination pixels it does not cover keep
    // their content.
    bool CopyRows(std::uint8_t* dst, int dw, int dh) const;
    // Frees the pixels; the size of the picture is kept.
    void Release();

    bool IsLoaded() const { return m_pPicture != nullptr; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

private:
    bool LoadFromPath(const QString& path);
    bool LoadFromDevice(QIODevice& device);

    std::unique_ptr<QImage> m_pPicture;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
