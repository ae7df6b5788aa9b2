#include "dotdata/PictureDecoder.h"

#include "base/MessageTexts.h"
#include "base/QuotedText.h"
#include "base/RegularFile.h"
#include "dotdata/BmpDecoder.h"
#include "dotdata/JpegDecoder.h"
#include "dotdata/PngDecoder.h"

#include <QFile>
#include <QIODevice>

bool CPictureDecoder::Decode(QIODevice& device, QSize limit, DecodedPicture& out)
{
    out = DecodedPicture();
    if (!device.isOpen() || device.isSequential() || !limit.isValid() || limit.isEmpty())
        return false;
    const QByteArray head = device.peek(4);
    if (CBmpDecoder::IsBmp(head))
        return CBmpDecoder::Decode(device, limit, out);
    if (CJpegDecoder::IsJpeg(head))
        return CJpegDecoder::Decode(device, limit, out);
    if (CPngDecoder::IsPng(head))
        return CPngDecoder::Decode(device, limit, out);
    return false;
}

bool CPictureDecoder::DecodeFile(const QString& path, QSize limit, DecodedPicture& out, QString& why)
{
    out = DecodedPicture();
    why.clear();
    QFile file;
    const CRegularFile::Status status = CRegularFile::Open(path, kMaxFileBytes, file);
    if (status != CRegularFile::Ok) {
        why = CRegularFile::Describe(status, path, kMaxFileBytes);
        return false;
    }
    if (Decode(file, limit, out))
        return true;
    why = MessageText::English(MessageText::NotAPicture, {CQuotedText::Quote(path)});
    return false;
}

bool CPictureDecoder::IsPictureFile(const QString& path)
{
    QFile file;
    if (CRegularFile::Open(path, kMaxFileBytes, file) != CRegularFile::Ok)
        return false;
    const QByteArray head = file.peek(4);
    return CBmpDecoder::IsBmp(head) || CJpegDecoder::IsJpeg(head) || CPngDecoder::IsPng(head);
}
