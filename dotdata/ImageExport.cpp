#include "dotdata/ImageExport.h"

#include "base/DotGrid.h"
#include "base/GridImage.h"
#include "dotdata/ExportRegistry.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>

namespace {

constexpr int kBmpHeaderSize = 54;
constexpr int kJpegQuality = 100;

void Put16(QByteArray& b, int offset, quint16 v) { qToLittleEndian(v, b.data() + offset); }
void Put32(QByteArray& b, int offset, quint32 v) { qToLittleEndian(v, b.data() + offset); }

bool Commit(QSaveFile& file, QString& error)
{
    if (file.commit())
        return true;
    error = file.errorString();
    return false;
}

} // namespace

bool CImageExport::IsBmpPath(const QString& path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && path.mid(dot).compare(QLatin1String(".bmp"), Qt::CaseInsensitive) == 0;
}

QByteArray CImageExport::BmpHeader(int width, int height)
{
    const quint32 pixelBytes = 3u * static_cast<quint32>(width) * static_cast<quint32>(height);
    QByteArray h(kBmpHeaderSize, '\0');
    h[0] = 'B';
    h[1] = 'M';
    Put32(h, 2, pixelBytes + kBmpHeaderSize);
    Put32(h, 10, kBmpHeaderSize);
    Put32(h, 14, 40);
    Put32(h, 18, static_cast<quint32>(width));
    Put32(h, 22, static_cast<quint32>(height));
    Put16(h, 26, 1);
    Put16(h, 28, 24);
    Put32(h, 38, static_cast<quint32>(width));
    Put32(h, 42, static_cast<quint32>(height));
    return h;
}

bool CImageExport::Write(const CDotGrid& grid, const QString& path, QString& error)
{
    const CCanvasText noText;
    const COutcome outcome = CExportRegistry::WritePicture({grid, noText}, path);
    error = outcome.Message();
    return outcome.IsOk();
}

bool CImageExport::WriteBmp(const CDotGrid& grid, const QString& path, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    // The grid's buffer is already the bottom-up pixel array with rows that
    // need no padding (W is a multiple of 8).
    const QByteArray header = BmpHeader(grid.Width(), grid.Height());
    const auto pixelBytes = static_cast<qint64>(grid.ByteCount());
    if (file.write(header) != header.size()
        || file.write(reinterpret_cast<const char*>(grid.Bits()), pixelBytes) != pixelBytes
        || !file.flush()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return Commit(file, error);
}

bool CImageExport::WriteJpeg(const CDotGrid& grid, const QString& path, QString& error)
{
    // Mirroring the wrapped bottom-up rows yields the top-down image the
    // writer expects, in one copy.
    const QImage image = WrapGridBits(grid).mirrored(false, true);
    if (image.isNull()) {
        error = QStringLiteral("Not enough memory for the picture.");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image) || !file.flush()) {
        error = writer.error() != QImageWriter::UnknownError ? writer.errorString() : file.errorString();
        file.cancelWriting();
        return false;
    }
    return Commit(file, error);
}
