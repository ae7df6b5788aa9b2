#pragma once

#include <QByteArray>
#include <QString>

// Bytes as Intel HEX text and back. Written: data records of 16 bytes from
// address 0, an extended linear address record wherever the address passes a
// 64 KB boundary, and the end-of-file record; lines end in CR LF.
class CIntelHex
{
public:
    static constexpr int kBytesPerRecord = 16;

    static QByteArray Write(const QByteArray& bytes);

    // Reads text whose data records give each byte at addresses 0..size-1
    // exactly once. Every record's form and checksum is checked, and the text
    // must end with an end-of-file record. Extended segment and linear
    // address records move the base address; start address records are
    // skipped. False with a reason naming the first bad line.
    static bool Read(const QByteArray& text, qint64 size, QByteArray& bytes, QString& error);
};
