#include "dotdata/ByteLayout.h"

#include "base/MessageTexts.h"
#include "dotdata/PlaneColors.h"

bool CByteLayout::Set(int width, int height, const SExportOptions& options, QString& error)
{
    if (width <= 0 || height <= 0) {
        error = MessageText::English(MessageText::NoDots);
        return false;
    }
    const int moduleWidth = options.HasModules() ? options.moduleWidth : width;
    const int moduleHeight = options.HasModules() ? options.moduleHeight : height;
    if (moduleWidth > width || moduleHeight > height || width % moduleWidth != 0 || height % moduleHeight != 0) {
        error = MessageText::English(MessageText::NoWholeModules,
                                     {QString::number(width), QString::number(height), QString::number(moduleWidth),
                                      QString::number(moduleHeight)});
        return false;
    }
    m_options = options;
    m_nWidth = width;
    m_nHeight = height;
    m_nModuleWidth = moduleWidth;
    m_nModuleHeight = moduleHeight;
    return true;
}

int CByteLayout::DotsPerLine() const
{
    return m_options.scan == SExportOptions::Rows ? m_nModuleWidth : m_nModuleHeight;
}

int CByteLayout::LinesPerModule() const
{
    return m_options.scan == SExportOptions::Rows ? m_nModuleHeight : m_nModuleWidth;
}

qint64 CByteLayout::PlaneBytes() const
{
    if (m_nWidth <= 0)
        return 0;
    return qint64{ModuleCount()} * LinesPerModule() * BytesPerLine();
}

void CByteLayout::ModuleOrigin(int chainIndex, int& x, int& y) const
{
    int across = 0;
    int down = 0;
    if (m_options.moduleOrder == SExportOptions::ModuleRows) {
        down = chainIndex / ModulesAcross();
        across = chainIndex % ModulesAcross();
        if (m_options.serpentine && down % 2 == 1)
            across = ModulesAcross() - 1 - across;
    } else {
        across = chainIndex / ModulesDown();
        down = chainIndex % ModulesDown();
        if (m_options.serpentine && across % 2 == 1)
            down = ModulesDown() - 1 - down;
    }
    x = across * m_nModuleWidth;
    y = down * m_nModuleHeight;
}

int CByteLayout::ChainIndexOf(int across, int down) const
{
    if (m_options.moduleOrder == SExportOptions::ModuleRows) {
        if (m_options.serpentine && down % 2 == 1)
            across = ModulesAcross() - 1 - across;
        return down * ModulesAcross() + across;
    }
    if (m_options.serpentine && across % 2 == 1)
        down = ModulesDown() - 1 - down;
    return across * ModulesDown() + down;
}

qint64 CByteLayout::ByteAt(int x, int y, SRun& run) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return -1;
    const int across = x / m_nModuleWidth;
    const int down = y / m_nModuleHeight;
    const int localX = x - across * m_nModuleWidth;
    const int localY = y - down * m_nModuleHeight;
    const bool rows = m_options.scan == SExportOptions::Rows;
    const int line = rows ? localY : localX;
    const int offset = ((rows ? localX : localY) / 8) * 8;
    run.x = rows ? x - localX + offset : x;
    run.y = rows ? y : y - localY + offset;
    run.dx = rows ? 1 : 0;
    run.dy = rows ? 0 : 1;
    run.count = DotsPerLine() - offset < 8 ? DotsPerLine() - offset : 8;
    const qint64 moduleStart = qint64{ChainIndexOf(across, down)} * LinesPerModule() * BytesPerLine();
    return moduleStart + qint64{line} * BytesPerLine() + offset / 8;
}

QStringList CByteLayout::Describe() const
{
    const bool rows = m_options.scan == SExportOptions::Rows;
    const bool msb = m_options.bitOrder == SExportOptions::MsbFirst;
    QStringList lines;
    lines << QStringLiteral("%1 x %2 dots, %3 bytes.").arg(m_nWidth).arg(m_nHeight).arg(TotalBytes());
    lines << (rows ? QStringLiteral("Scan: rows from the top, each left to right, 8 dots a byte.")
                   : QStringLiteral("Scan: columns from the left, each top to bottom, 8 dots a byte."));
    lines << (msb ? QStringLiteral("Bit order: MSB first, the first dot of a byte in bit 7.")
                  : QStringLiteral("Bit order: LSB first, the first dot of a byte in bit 0."));
    lines << DescribeModules();
    lines << DescribePadding();
    lines << DescribePlanes();
    lines << (m_options.invert ? QStringLiteral("Inverted: a lit dot is 0, an unlit dot 1 (padding stays 0).")
                               : QStringLiteral("A lit dot is 1, an unlit dot 0."));
    return lines;
}

QString CByteLayout::DescribeModules() const
{
    if (ModuleCount() == 1)
        return QStringLiteral("Modules: one, the whole canvas.");
    const bool across = m_options.moduleOrder == SExportOptions::ModuleRows;
    QString text = QStringLiteral("Modules: %1 x %2 of %3 x %4 dots, %5 bytes each, chained %6 from the top left")
                       .arg(ModulesAcross()).arg(ModulesDown()).arg(m_nModuleWidth).arg(m_nModuleHeight)
                       .arg(qint64{LinesPerModule()} * BytesPerLine())
                       .arg(across ? QStringLiteral("row by row") : QStringLiteral("column by column"));
    if (m_options.serpentine)
        text += across ? QStringLiteral(", serpentine (every other row of modules runs right to left).")
                       : QStringLiteral(", serpentine (every other column of modules runs bottom to top).");
    else
        text += across ? QStringLiteral(", each row left to right.") : QStringLiteral(", each column top to bottom.");
    return text;
}

QString CByteLayout::DescribePadding() const
{
    const QString line = m_options.scan == SExportOptions::Rows ? QStringLiteral("row") : QStringLiteral("column");
    if (PaddingBits() == 0)
        return QStringLiteral("Padding: none, each %1 of %2 dots fills %3 bytes.").arg(line).arg(DotsPerLine()).arg(BytesPerLine());
    return QStringLiteral("Padding: each %1 of %2 dots takes %3 bytes, the last ending in %4 zero bits.")
        .arg(line).arg(DotsPerLine()).arg(BytesPerLine()).arg(PaddingBits());
}

QString CByteLayout::DescribePlanes() const
{
    const SExportOptions::Planes planes = m_options.planes;
    QString text = QStringLiteral("Planes: ") + CPlaneColors::Describe(planes);
    if (m_options.PlaneCount() == 1)
        return text;
    QStringList starts;
    for (int plane = 0; plane < m_options.PlaneCount(); ++plane)
        starts << QStringLiteral("%1 from byte %2").arg(CPlaneColors::PlaneName(planes, plane)).arg(plane * PlaneBytes());
    return text + QStringLiteral(" One plane after another: ") + starts.join(QStringLiteral(", ")) + QLatin1Char('.');
}
