#pragma once

#include <QString>

// Where a dot-data listing goes while it is written: the text in the order
// it is produced, and the progress texts meant for the status bar.
class CDotListingSink
{
public:
    virtual ~CDotListingSink() = default;

    virtual void Insert(const QString& text) = 0;
    virtual void Status(const QString& text) = 0;
    // An empty string to gather the next chunk in. A sink may hand back the
    // memory of an earlier listing: memory already in use costs no new pages.
    virtual QString Buffer() { return QString(); }
};
