#include "dotdata/DotListingReader.h"

#include "base/DotPalette.h"
#include "base/MessageTexts.h"
#include "base/QuotedText.h"

#include <QBuffer>
#include <QStringList>

namespace {

// The bytes of a line without its end (LF or CR LF): the cap counts these.
qint64 LineLength(const QByteArray& line)
{
    qint64 length = line.size();
    if (length > 0 && line[length - 1] == '\n')
        --length;
    if (length > 0 && line[length - 1] == '\r')
        --length;
    return length;
}

int IndexOfLetter(const QString& letter)
{
    if (letter.size() != 1)
        return -1;
    for (int i = 0; i < kPaletteSize; ++i) {
        if (letter.at(0) == QLatin1Char(kColorNames[static_cast<std::size_t>(i)][0]))
            return i;
    }
    return -1;
}

bool ToPositive(const QString& text, int& value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value > 0 && !text.startsWith(QLatin1Char('+'));
}

} // namespace

bool CDotListingReader::ReadEntry(const QString& entry, int width, int height, SDot& dot)
{
    const QStringList parts = entry.trimmed().split(QLatin1Char('-'));
    int block = 0, row = 0, column = 0;
    if (parts.size() != 4 || !ToPositive(parts[0], block) || !ToPositive(parts[1], row)
        || !ToPositive(parts[2], column) || row > 8 || column > 8)
        return false;
    dot.colorIndex = IndexOfLetter(parts[3]);
    if (dot.colorIndex < 0)
        return false;
    const qint64 blocksPerBand = (qint64{width} + 7) / 8;
    if (blocksPerBand <= 0)
        return false;
    // Block numbers go up to 2^31 - 1: the position is worked out in 64 bits
    // and checked against the canvas before it is narrowed.
    const qint64 x = (block - 1) % blocksPerBand * 8 + column - 1;
    const qint64 y = (block - 1) / blocksPerBand * 8 + row - 1;
    if (x >= width || y >= height)
        return false;
    dot.x = static_cast<int>(x);
    dot.y = static_cast<int>(y);
    return true;
}

bool CDotListingReader::ReadLine(const QString& line, int width, int height)
{
    for (const QString& entry : line.split(QLatin1Char(','))) {
        SDot dot;
        if (!ReadEntry(entry, width, height, dot)) {
            m_szError = MessageText::English(MessageText::NotADotEntry, {CQuotedText::Quote(entry.trimmed()),
                                                                         QString::number(width), QString::number(height)});
            return false;
        }
        m_dots.push_back(dot);
    }
    return true;
}

bool CDotListingReader::Read(QIODevice& device, int width, int height)
{
    m_dots.clear();
    m_szError.clear();
    qint64 total = 0;
    for (qint64 number = 1; !device.atEnd(); ++number) {
        // At most the longest line and a CR LF (readLine stops one byte short of its argument).
        const QByteArray bytes = device.readLine(kMaxLineBytes + 3);
        total += bytes.size();
        if (total > kMaxBytes) {
            m_szError = MessageText::English(
                MessageText::ListingLine,
                {QString::number(number), MessageText::English(MessageText::ListingTooLong, {QString::number(kMaxBytes)})});
            m_dots.clear();
            return false;
        }
        if (LineLength(bytes) > kMaxLineBytes) {
            m_szError = MessageText::English(
                MessageText::ListingLine,
                {QString::number(number),
                 MessageText::English(MessageText::ListingLineTooLong, {CQuotedText::Quote(QString::fromUtf8(bytes))})});
            m_dots.clear();
            return false;
        }
        const QString line = QString::fromUtf8(bytes).trimmed();
        if (!line.isEmpty() && !ReadLine(line, width, height)) {
            m_szError = MessageText::English(MessageText::ListingLine, {QString::number(number), m_szError});
            m_dots.clear();
            return false;
        }
    }
    return true;
}

bool CDotListingReader::Read(const QString& text, int width, int height)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return Read(buffer, width, height);
}
