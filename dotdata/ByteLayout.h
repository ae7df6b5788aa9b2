#pragma once

#include "base/ExportOptions.h"

#include <QString>
#include <QStringList>

// Where each dot of a canvas goes in the bytes of a controller export,
// colours aside. The canvas is cut into modules (one module when no module
// size is set), written one after another in chain order; inside a module
// the scan reads rows from the top, left to right, or columns from the left,
// top to bottom, 8 dots a byte. A row (column) that does not fill its last
// byte ends in zero bits. Each colour plane repeats this order in full.
// Coordinates are display coordinates: column from the left, row from the top.
class CByteLayout
{
public:
    // The dots of one byte, in the order the scan reads them: count dots from
    // (x, y), each a step of (dx, dy) after the one before. The first dot
    // takes the high bit when the bit order is MSB first, the low bit when
    // LSB first; 8 - count padding bits are left over.
    struct SRun
    {
        int x = 0;
        int y = 0;
        int dx = 0;
        int dy = 0;
        int count = 0;
    };

    // False with a reason, leaving the layout as it was, when the options do
    // not fit a width x height canvas (a module larger than the canvas or not
    // dividing it).
    bool Set(int width, int height, const SExportOptions& options, QString& error);

    const SExportOptions& Options() const { return m_options; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int ModuleWidth() const { return m_nModuleWidth; }
    int ModuleHeight() const { return m_nModuleHeight; }
    int ModulesAcross() const { return m_nWidth / m_nModuleWidth; }
    int ModulesDown() const { return m_nHeight / m_nModuleHeight; }
    int ModuleCount() const { return ModulesAcross() * ModulesDown(); }
    // Dots a line (row or column of a module) holds, and the bytes they take.
    int DotsPerLine() const;
    int BytesPerLine() const { return (DotsPerLine() + 7) / 8; }
    int LinesPerModule() const;
    int PaddingBits() const { return BytesPerLine() * 8 - DotsPerLine(); }
    qint64 PlaneBytes() const;
    qint64 TotalBytes() const { return PlaneBytes() * m_options.PlaneCount(); }

    // The top-left dot of the module at a place in the chain (0 first).
    void ModuleOrigin(int chainIndex, int& x, int& y) const;
    // The place in the chain of the module that is across-th from the left
    // and down-th from the top.
    int ChainIndexOf(int across, int down) const;

    // Calls visit(index, run) for every byte of one plane, in output order.
    template <class Visit>
    void ForEachByte(Visit&& visit) const;
    // The index in the first plane of the byte that holds dot (x, y), with
    // the dots of that byte in run; -1 for a dot outside the canvas.
    qint64 ByteAt(int x, int y, SRun& run) const;

    // The layout in a few English sentences, one a line, for the header of
    // a C array and the Export dialog.
    QStringList Describe() const;

private:
    QString DescribeModules() const;
    QString DescribePlanes() const;
    QString DescribePadding() const;

    SExportOptions m_options;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nModuleWidth = 0;
    int m_nModuleHeight = 0;
};

template <class Visit>
void CByteLayout::ForEachByte(Visit&& visit) const
{
    const bool rows = m_options.scan == SExportOptions::Rows;
    const int along = DotsPerLine();
    const int bytesPerLine = BytesPerLine();
    const int lines = LinesPerModule();
    qint64 index = 0;
    SRun run;
    run.dx = rows ? 1 : 0;
    run.dy = rows ? 0 : 1;
    for (int module = 0; module < ModuleCount(); ++module) {
        int originX = 0;
        int originY = 0;
        ModuleOrigin(module, originX, originY);
        for (int line = 0; line < lines; ++line) {
            for (int b = 0; b < bytesPerLine; ++b) {
                const int offset = b * 8;
                run.x = rows ? originX + offset : originX + line;
                run.y = rows ? originY + line : originY + offset;
                run.count = along - offset < 8 ? along - offset : 8;
                visit(index++, static_cast<const SRun&>(run));
            }
        }
    }
}
