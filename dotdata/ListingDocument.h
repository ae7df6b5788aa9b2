#pragma once

#include <QFont>
#include <QString>

// The dot-data listing as the printers and the PDF writer take it: the text,
// the font the dot text pane shows it in, and the resolution that font is
// measured at. Made from the listing text alone, so printing needs no pane.
class CListingDocument
{
public:
    explicit CListingDocument(const QString& listing);
    CListingDocument(const CListingDocument&) = delete;
    CListingDocument& operator=(const CListingDocument&) = delete;

    const QString& Text() const { return m_szText; }
    const QFont& Font() const { return m_font; }
    int SourceDpi() const { return m_nSourceDpi; }

    // The dot text pane's font: the interface font with 18-pixel lines.
    static QFont ListingFont();
    // The logical resolution of the main screen, as a window on it measures fonts.
    static int ScreenDpi();

private:
    QString m_szText;
    QFont m_font;
    int m_nSourceDpi;
};
