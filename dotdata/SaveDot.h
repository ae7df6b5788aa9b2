#pragma once

#include <QString>

struct CFrameDialogs;

// Save Dot: asks for a .txt file name through the dialog seam and writes the
// dot text pane's text to it.
class CSaveDot
{
public:
    // Asks for the file, pre-filled from path, which then holds the choice,
    // and writes paneText. A file that cannot be written is left as it was
    // and the user is told so. True when a file was written.
    static bool Save(const CFrameDialogs& dialogs, const QString& paneText, QString& path);

    static QString FailureMessage(const QString& path);
};
