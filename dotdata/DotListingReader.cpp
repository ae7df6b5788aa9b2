#include "dotdata/DotListingReader.h"

#include "base/DotPalette.h"

#include <QStringList>

namespace {

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

bool CDotListingReader::ReadEntry(const QString& entry, int width, int height, SDot& dot) const
{
    const QStringList parts = entry.trimmed().split(QLatin1Char('-'));
    int block = 0, row = 0, column = 0;
    if (parts.size() != 4 || !ToPositive(parts[0], block) || !ToPositive(parts[1], row)
        || !ToPositive(parts[2], column) || row > 8 || column > 8)
        return false;
    dot.colorIndex = IndexOfLetter(parts[3]);
    if (dot.colorIndex < 0)
        return false;
    const int blocksPerBand = (width + 7) / 8;
    if (blocksPerBand <= 0)
        return false;
    dot.x = (block - 1) % blocksPerBand * 8 + column - 1;
    dot.y = (block - 1) / blocksPerBand * 8 + row - 1;
    return dot.x < width && dot.y < height;
}

bool CDotListingReader::Read(const QString& text, int width, int height)
{
    m_dots.clear();
    m_szError.clear();
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QStringList lines = normalized.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        for (const QString& entry : line.split(QLatin1Char(','))) {
            SDot dot;
            if (!ReadEntry(entry, width, height, dot)) {
                m_szError = QStringLiteral("line %1: '%2' is not a dot entry of this %3 x %4 canvas")
                                .arg(i + 1).arg(entry.trimmed()).arg(width).arg(height);
                return false;
            }
            m_dots.push_back(dot);
        }
    }
    return true;
}
