#include "animation/FrameImages.h"

#include "animation/FrameList.h"
#include "base/GridImage.h"
#include "base/MessageTexts.h"
#include "base/QuotedText.h"
#include "dotdata/ImageExport.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

bool HasSuffix(const QString& path, const char* suffix)
{
    return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

bool WritePng(const CDotGrid& grid, const QString& path, QString& error)
{
    const QImage image = GridToImage(grid);
    if (image.isNull()) {
        error = MessageText::English(MessageText::NoMemoryForPicture);
        return false;
    }
    QSaveFile file(path);
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace

bool CFrameImages::IsPicturePath(const QString& path)
{
    return HasSuffix(path, ".bmp") || HasSuffix(path, ".png");
}

QString CFrameImages::FramePath(const QString& path, int number, int count)
{
    if (path.contains(QLatin1String("%d"))) {
        QString named = path;
        return named.replace(QLatin1String("%d"), QString::number(number));
    }
    const int width = std::max(3, static_cast<int>(QString::number(count).size()));
    const QString padded = QStringLiteral("-%1").arg(number, width, 10, QLatin1Char('0'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (dot <= slash + 1)
        return path + padded;
    return path.left(dot) + padded + path.mid(dot);
}

bool CFrameImages::Write(const CFrameList& frames, const QString& path, int& written, QString& error)
{
    written = 0;
    if (!IsPicturePath(path)) {
        error = MessageText::English(MessageText::NotAFramesName, {CQuotedText::Quote(path)});
        return false;
    }
    const bool bmp = HasSuffix(path, ".bmp");
    for (int i = 0; i < frames.Count(); ++i) {
        const QString name = FramePath(path, i + 1, frames.Count());
        QString why;
        const CDotGrid picture = frames.Picture(i);
        const bool ok = bmp ? CImageExport::Write(picture, name, why) : WritePng(picture, name, why);
        if (!ok) {
            error = MessageText::English(MessageText::NotWritten, {CQuotedText::Quote(QFileInfo(name).fileName()), why});
            return false;
        }
        ++written;
    }
    return true;
}
