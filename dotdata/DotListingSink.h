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
};
