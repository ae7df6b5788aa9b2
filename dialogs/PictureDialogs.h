#pragma once

#include <QString>

class QWidget;

// The dialogs of the picture commands, kept apart from the canvas so that the
// canvas can take replacements for them in tests.
class CPictureDialogs
{
public:
    // The Save Image dialog: BMP first, then JPG; a name typed without an
    // extension gets ".bmp"; overwriting asks first. Empty when cancelled.
    static QString AskSaveImagePath(QWidget* parent, const QString& suggested);
    // One plain message box for a picture that could not be read or written.
    static void ShowPictureError(QWidget* parent, const QString& text);
};
