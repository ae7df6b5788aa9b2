#pragma once

#include <QString>

class CCanvasDocument;
struct CFrameDialogs;

// The document's file commands as the user meets them: Save asks for the
// file through the dialog seam, and a failure is told there once.
class CDocumentFiles
{
public:
    CDocumentFiles(CCanvasDocument& document, const CFrameDialogs& dialogs)
        : m_document(document)
        , m_dialogs(dialogs)
    {
    }

    // Open: a picture that cannot be read keeps the old dots and is told.
    bool OpenPicture(const QString& path);
    // Save Image: asks for the name (pre-filled with the last one), then
    // writes the dots in the format of its extension.
    void SaveImage();
    bool SaveImageTo(const QString& path);
    // Save Dot: asks for the file, then writes the document's listing.
    void SaveDot();

private:
    CCanvasDocument& m_document;
    const CFrameDialogs& m_dialogs;
};
