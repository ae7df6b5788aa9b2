#pragma once

#include <QString>

// Hands a local file to the desktop's opener, but only when the desktop has
// a program for its type: the opener itself starts whether or not one is
// registered, and then shows nothing.
class CDesktopOpener
{
public:
    // False when no program can show the file or the opener cannot start.
    static bool Open(const QString& path);
    // Whether the desktop names a program for this MIME type
    // (xdg-mime, or a browser given in $BROWSER for web pages).
    static bool HasProgramFor(const QString& mimeType);
};
