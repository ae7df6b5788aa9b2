#pragma once

#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QString>

class CListingDocument;
class QSaveFile;
class QTextDocument;

// The dot text printed into a PDF file, page by page as on paper (the same
// margins and page breaks as CDotTextPrinter). The whole file is made in
// memory and checked before it is written, and it is written through a save
// file, so a failure at any step leaves an existing file byte for byte as
// it was.
class CDotTextPdf
{
public:
    explicit CDotTextPdf(const CListingDocument& listing);
    CDotTextPdf(const QTextDocument& text, const QFont& font, int sourceDpi);
    CDotTextPdf(const QString& text, const QFont& font, int sourceDpi);

    // Pages as a printer sets them up (size, orientation, margins, resolution).
    void SetPage(const QPageLayout& layout, int resolution);

    // The pages the file will have.
    int CountPages() const;

    // The complete file; empty when painting could not begin or the result
    // is not a whole PDF.
    QByteArray Render() const;
    int PageCount() const { return m_nPages; }

    // False with error set to one line for the user.
    bool Write(const QString& path, QString& error) const;
    bool Write(QSaveFile& file, QString& error) const;

    // A PDF header at the start and the end-of-file marker at the end.
    static bool IsWholePdf(const QByteArray& bytes);

private:
    QByteArray RenderPlain() const;

    QString m_szText;
    QFont m_font;
    int m_nSourceDpi;
    QPageLayout m_layout;
    int m_nResolution = 0;
    mutable int m_nPages = 0;
};
