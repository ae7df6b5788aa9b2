#include "dotdata/ImageExport.h"

#include "base/DotGrid.h"
#include "base/GridImage.h"
#include "base/MessageTexts.h"
#include "base/SaveTarget.h"
#include "dotdata/ExportRegistry.h"
#include "dotdata/JpegWriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>

namespace {

constexpr int kBmpHeaderSize = 54;

void Put16(QByteArray& b, int offset, quint16 v) { qToLittleEndian(v, b.data() + offset); }
void Put32(QByteArray& b, int offset, quint32 v) { qToLittleEndian(v, b.data() + offset); }

// Bytes of one BMP row: three a pixel, padded to a multiple of four.
qint64 BmpStride(int width)
{
    return (3 * qint64{width} + 3) / 4 * 4;
}

} // namespace

QString CImageExport::NameEnding(const QString& path)
{
    // The ending of the file name only: a dot in a folder's name or a name
    // that starts with a dot names no format.
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == name.size() - 1)
        return {};
    return name.mid(dot + 1).toLower();
}

QByteArray CImageExport::BmpHeader(int width, int height)
{
    const auto pixelBytes = static_cast<quint32>(BmpStride(width) * height);
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

bool CImageExport::WriteBmpRows(const CDotGrid& grid, QIODevice& device)
{
    // The grid's buffer is already the bottom-up pixel array; only the row
    // ends may need fill bytes (never when W is a multiple of 4).
    const qint64 rowBytes = 3 * qint64{grid.Width()};
    const QByteArray fill(static_cast<int>(BmpStride(grid.Width()) - rowBytes), '\0');
    if (fill.isEmpty())
        return device.write(reinterpret_cast<const char*>(grid.Bits()), rowBytes * grid.Height()) == rowBytes * grid.Height();
    for (int row = 0; row < grid.Height(); ++row) {
        const char* bits = reinterpret_cast<const char*>(grid.Bits()) + rowBytes * row;
        if (device.write(bits, rowBytes) != rowBytes || device.write(fill) != fill.size())
            return false;
    }
    return true;
}

bool CImageExport::Write(const CDotGrid& grid, const QString& path, QString& error)
{
    const CCanvasText noText;
    const COutcome outcome = CExportRegistry::WritePicture({grid, noText}, path);
    error = outcome.Message();
    return outcome.IsOk();
}

bool CImageExport::WriteAs(const CDotGrid& grid, const QString& path, Format format, QString& error)
{
    if (format == Bmp) {
        return WriteFile(path, error, [&grid](QIODevice& file) {
            return file.write(BmpHeader(grid.Width(), grid.Height())) == kBmpHeaderSize && WriteBmpRows(grid, file);
        });
    }
    QByteArray bytes;
    return Encode(grid, format, bytes, error)
        && WriteFile(path, error, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}

bool CImageExport::Encode(const CDotGrid& grid, Format format, QByteArray& bytes, QString& error)
{
    if (format == Jpeg)
        return CJpegWriter::Encode(grid, bytes, error);
    // PNG. Mirroring the wrapped bottom-up rows yields the top-down image the
    // writer expects, in one copy.
    const QImage image = WrapGridBits(grid).mirrored(false, true);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (image.isNull() || !writer.write(image)) {
        error = MessageText::English(MessageText::NoMemoryForPicture);
        return false;
    }
    return true;
}

bool CImageExport::WriteFile(const QString& path, QString& error, const std::function<bool(QIODevice&)>& write)
{
    error = CSaveTarget::Refusal(path);
    if (!error.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!write(file) || !file.flush()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (file.commit())
        return true;
    error = file.errorString();
    return false;
}
