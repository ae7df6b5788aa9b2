#include "dotdata/IntelHex.h"

#include "base/QuotedText.h"

#include <QList>

#include <algorithm>
#include <vector>

namespace {

enum RecordType { Data = 0, EndOfFile = 1, ExtendedSegment = 2, StartSegment = 3, ExtendedLinear = 4, StartLinear = 5 };

// One record: ':' then the bytes in hex, the checksum making their sum 0.
void AppendRecord(QByteArray& text, int type, quint16 address, const char* data, int count)
{
    static const char kHex[] = "0123456789ABCDEF";
    QByteArray record;
    record += static_cast<char>(count);
    record += static_cast<char>(address >> 8);
    record += static_cast<char>(address & 0xFF);
    record += static_cast<char>(type);
    record.append(data, count);
    unsigned sum = 0;
    for (const char c : record)
        sum += static_cast<unsigned char>(c);
    record += static_cast<char>((0x100 - (sum & 0xFF)) & 0xFF);
    text += ':';
    for (const char c : record) {
        const auto b = static_cast<unsigned char>(c);
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    text += "\r\n";
}

QString LineError(int lineNumber, const QByteArray& line, const QString& what)
{
    return QStringLiteral("line %1 ('%2'): %3").arg(lineNumber).arg(CQuotedText::Quote(QString::fromLatin1(line)), what);
}

} // namespace

QByteArray CIntelHex::Write(const QByteArray& bytes)
{
    QByteArray text;
    text.reserve(bytes.size() / kBytesPerRecord * 45 + 64);
    quint32 upper = 0;
    for (qsizetype offset = 0; offset < bytes.size(); offset += kBytesPerRecord) {
        const auto address = static_cast<quint32>(offset);
        if ((address >> 16) != upper) {
            upper = address >> 16;
            const char base[2] = {static_cast<char>(upper >> 8), static_cast<char>(upper & 0xFF)};
            AppendRecord(text, ExtendedLinear, 0, base, 2);
        }
        const int count = static_cast<int>(std::min<qsizetype>(kBytesPerRecord, bytes.size() - offset));
        AppendRecord(text, Data, static_cast<quint16>(address & 0xFFFF), bytes.constData() + offset, count);
    }
    AppendRecord(text, EndOfFile, 0, nullptr, 0);
    return text;
}

bool CIntelHex::Read(const QByteArray& text, qint64 size, QByteArray& bytes, QString& error)
{
    QByteArray out(static_cast<qsizetype>(size), '\0');
    std::vector<bool> given(static_cast<std::size_t>(size), false);
    qint64 count = 0;
    quint32 base = 0;
    int lineNumber = 0;
    bool ended = false;
    for (const QByteArray& rawLine : text.split('\n')) {
        ++lineNumber;
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (ended) {
            error = LineError(lineNumber, line, QStringLiteral("comes after the end-of-file record"));
            return false;
        }
        if (!line.startsWith(':') || line.size() < 11 || line.size() % 2 != 1) {
            error = LineError(lineNumber, line, QStringLiteral("is not an Intel HEX record"));
            return false;
        }
        const QByteArray record = QByteArray::fromHex(line.mid(1));
        // fromHex skips what is not hex; a record of bad characters comes out short.
        if (record.size() * 2 != line.size() - 1 || record.size() != 5 + static_cast<unsigned char>(record[0])) {
            error = LineError(lineNumber, line, QStringLiteral("has a wrong length or a character that is not hex"));
            return false;
        }
        unsigned sum = 0;
        for (const char c : record)
            sum += static_cast<unsigned char>(c);
        if ((sum & 0xFF) != 0) {
            error = LineError(lineNumber, line, QStringLiteral("has a wrong checksum"));
            return false;
        }
        const int length = static_cast<unsigned char>(record[0]);
        const quint32 address = (static_cast<unsigned char>(record[1]) << 8) | static_cast<unsigned char>(record[2]);
        const int type = static_cast<unsigned char>(record[3]);
        const auto* data = reinterpret_cast<const unsigned char*>(record.constData() + 4);
        switch (type) {
        case Data:
            for (int i = 0; i < length; ++i) {
                const qint64 at = qint64{base} + address + i;
                if (at >= size) {
                    error = LineError(lineNumber, line, QStringLiteral("gives a byte past the %1 bytes the canvas takes").arg(size));
                    return false;
                }
                if (given[static_cast<std::size_t>(at)]) {
                    error = LineError(lineNumber, line, QStringLiteral("gives byte %1 a second time").arg(at));
                    return false;
                }
                given[static_cast<std::size_t>(at)] = true;
                out[static_cast<qsizetype>(at)] = static_cast<char>(data[i]);
                ++count;
            }
            break;
        case EndOfFile:
            ended = true;
            break;
        case ExtendedSegment:
        case ExtendedLinear:
            if (length != 2) {
                error = LineError(lineNumber, line, QStringLiteral("is an address record without 2 bytes"));
                return false;
            }
            base = (quint32{data[0]} << 8) | data[1];
            base = type == ExtendedSegment ? base << 4 : base << 16;
            break;
        case StartSegment:
        case StartLinear:
            break;
        default:
            error = LineError(lineNumber, line, QStringLiteral("has the unknown record type %1").arg(type));
            return false;
        }
    }
    if (!ended) {
        error = QStringLiteral("the end-of-file record is missing");
        return false;
    }
    if (count != size) {
        error = QStringLiteral("the records give %1 of the %2 bytes the canvas takes").arg(count).arg(size);
        return false;
    }
    bytes = out;
    return true;
}
