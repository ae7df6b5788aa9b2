#pragma once

#include <QString>

#include <vector>

// Reads an image-mode dot listing back: lines of "block-row-column-letter"
// entries separated by ", ", blocks numbered from 1 across the canvas in
// bands of 8 rows from the top, left to right.
class CDotListingReader
{
public:
    struct SDot
    {
        int x = 0;          // column from the left
        int y = 0;          // display row from the top
        int colorIndex = 0; // palette index
    };

    // Returns false with Error() naming the first bad line (1-based).
    bool Read(const QString& text, int width, int height);

    const std::vector<SDot>& Dots() const { return m_dots; }
    const QString& Error() const { return m_szError; }

private:
    bool ReadEntry(const QString& entry, int width, int height, SDot& dot) const;

    std::vector<SDot> m_dots;
    QString m_szError;
};
