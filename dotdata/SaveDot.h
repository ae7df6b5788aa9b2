#pragma once

#include "base/Outcome.h"

#include <QByteArray>
#include <QString>

#include <functional>

struct CFrameDialogs;

// Save Dot: asks for a .txt file name through the dialog seam and writes the
// dot-data listing to it.
class CSaveDot
{
public:
    using Writer = std::function<COutcome(const QString& path)>;

    // Asks for the file, pre-filled from path, which then holds the choice,
    // and has write write it. A file that cannot be written is left as it
    // was and the user is told so. True when a file was written.
    static bool Save(const CFrameDialogs& dialogs, const Writer& write, QString& path);
    // The same, writing the given listing text.
    static bool Save(const CFrameDialogs& dialogs, const QString& listing, QString& path);

    // Writes the listing text to the file; the failure says why.
    static COutcome WriteListing(const QString& path, const QString& listing);
    // The same for a listing already made into the file's bytes.
    static COutcome WriteBytes(const QString& path, const QByteArray& bytes);
    static QString FailureMessage(const QString& path);
};
