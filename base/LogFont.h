#pragma once

#include <QFont>
#include <QString>

// A font description passed between the input pane, the font dialog and the
// canvas. lfHeight > 0 is the font's cell height in pixels (dots); < 0 its
// character height. The face name holds at most kFaceNameLength characters.
struct LogFont
{
    static constexpr int kFaceNameLength = 31;

    int lfHeight = 0;
    int lfWeight = 400;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    int lfCharSet = 0;
    int lfPitchAndFamily = 0;
    QString lfFaceName;

    bool operator==(const LogFont& o) const
    {
        return lfHeight == o.lfHeight && lfWeight == o.lfWeight && lfItalic == o.lfItalic
            && lfUnderline == o.lfUnderline && lfStrikeOut == o.lfStrikeOut && lfCharSet == o.lfCharSet
            && lfPitchAndFamily == o.lfPitchAndFamily && lfFaceName == o.lfFaceName;
    }
    bool operator!=(const LogFont& o) const { return !(*this == o); }

    // The platform's default interface font, as a description.
    static LogFont DefaultGuiFont();
    static LogFont FromQFont(const QFont& font);
    // The font for the font dialog, whose size box shows this height as the
    // input pane's size box does (the number of dots, not points or em).
    QFont ToDialogFont() const;
    // The dialog's choice back, its size read in the same unit: a choice
    // left as it was gives back 'current' unchanged.
    static LogFont FromDialogFont(const QFont& font, const LogFont& current);
    // The em size in pixels: a positive height is the cell height (ascent +
    // descent) measured in this font's own metrics, a negative one the em
    // itself, and 0 the font's default size.
    int EmPixels() const;
    // The font at EmPixels, drawn without anti-aliasing so that every inked
    // pixel has exactly the text colour.
    QFont ToQFont() const;
};
