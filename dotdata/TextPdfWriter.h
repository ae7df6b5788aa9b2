#pragma once

#include <QByteArray>
#include <QPointF>
#include <QSizeF>
#include <QStringList>

// Writes pages of plain text lines as a PDF file in the PDF's own Courier
// font, which every reader and printer has, so no font is embedded and each
// line is one text operator: a thousand pages are written in a fraction of
// a second where drawing glyph by glyph takes many. Only printable ASCII can
// be written this way. Lengths are in points (1/72 inch).
class CTextPdfWriter
{
public:
    // Courier's advance, in ems, for every character.
    static constexpr qreal kAdvanceEm = 0.6;

    // Whether every character of text is printable ASCII or a line end.
    static bool CanWrite(const QString& text);

    // Pages of paper size; each page's first baseline starts at origin
    // (from the paper's top left), lines leading apart, in fontSize.
    CTextPdfWriter(QSizeF paper, QPointF origin, qreal fontSize, qreal leading);

    void AddPage(const QStringList& lines);
    // The complete file, titled "Untitled".
    QByteArray Finish();

private:
    int AddObject(const QByteArray& body);

    QSizeF m_paper;
    QPointF m_origin;
    qreal m_dFontSize;
    qreal m_dLeading;
    QByteArray m_abFile;
    std::vector<qint64> m_anOffsets; // of object n + 1
    std::vector<int> m_anPages;      // object numbers
};
