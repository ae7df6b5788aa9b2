#include "dotdata/TextPdfWriter.h"

#include <algorithm>

namespace {

// Object numbers fixed before the pages: the page tree is written last.
constexpr int kCatalog = 1;
constexpr int kPages = 2;
constexpr int kFont = 3;
constexpr int kInfo = 4;

QByteArray Number(qreal value)
{
    return QByteArray::number(value, 'f', 2);
}

// A PDF string: the brackets and the backslash are escaped.
QByteArray Literal(const QString& line)
{
    QByteArray out;
    out.reserve(line.size() + 4);
    out += '(';
    for (const QChar c : line) {
        const char a = static_cast<char>(c.unicode());
        if (a == '(' || a == ')' || a == '\\')
            out += '\\';
        out += a;
    }
    out += ')';
    return out;
}

} // namespace

bool CTextPdfWriter::CanWrite(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 32 && u < 127) || u == '\n' || u == '\r';
    });
}

CTextPdfWriter::CTextPdfWriter(QSizeF paper, QPointF origin, qreal fontSize, qreal leading)
    : m_paper(paper)
    , m_origin(origin)
    , m_dFontSize(fontSize)
    , m_dLeading(leading)
{
    m_abFile = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    // The first four objects are written now or in Finish; their places are kept.
    m_anOffsets.assign(kInfo, 0);
    m_anOffsets[kFont - 1] = m_abFile.size();
    m_abFile += "3 0 obj\n<< /Type /Font /Subtype /Type1 /BaseFont /Courier /Encoding /WinAnsiEncoding >>\nendobj\n";
    m_anOffsets[kInfo - 1] = m_abFile.size();
    m_abFile += "4 0 obj\n<< /Title (Untitled) >>\nendobj\n";
}

int CTextPdfWriter::AddObject(const QByteArray& body)
{
    m_anOffsets.push_back(m_abFile.size());
    const int number = static_cast<int>(m_anOffsets.size());
    m_abFile += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
    return number;
}

void CTextPdfWriter::AddPage(const QStringList& lines)
{
    QByteArray text = "BT\n/F1 " + Number(m_dFontSize) + " Tf\n" + Number(m_dLeading) + " TL\n"
        + Number(m_origin.x()) + ' ' + Number(m_paper.height() - m_origin.y()) + " Td\n";
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "T*\n";
        if (!lines[i].isEmpty())
            text += Literal(lines[i]) + " Tj\n";
    }
    text += "ET\n";
    // qCompress puts the length in four bytes before the zlib stream.
    const QByteArray packed = qCompress(text, 6).mid(4);
    const int contents = AddObject("<< /Length " + QByteArray::number(packed.size()) + " /Filter /FlateDecode >>\nstream\n"
                                   + packed + "\nendstream");
    m_anPages.push_back(AddObject("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Number(m_paper.width()) + ' '
                                  + Number(m_paper.height()) + "] /Resources << /Font << /F1 3 0 R >> >> /Contents "
                                  + QByteArray::number(contents) + " 0 R >>"));
}

QByteArray CTextPdfWriter::Finish()
{
    QByteArray kids;
    for (const int page : m_anPages)
        kids += QByteArray::number(page) + " 0 R ";
    m_anOffsets[kPages - 1] = m_abFile.size();
    m_abFile += "2 0 obj\n<< /Type /Pages /Kids [ " + kids + "] /Count " + QByteArray::number(m_anPages.size())
        + " >>\nendobj\n";
    m_anOffsets[kCatalog - 1] = m_abFile.size();
    m_abFile += "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";

    const qint64 xref = m_abFile.size();
    m_abFile += "xref\n0 " + QByteArray::number(m_anOffsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const qint64 offset : m_anOffsets)
        m_abFile += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    m_abFile += "trailer\n<< /Size " + QByteArray::number(m_anOffsets.size() + 1) + " /Root 1 0 R /Info 4 0 R >>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    return std::move(m_abFile);
}
