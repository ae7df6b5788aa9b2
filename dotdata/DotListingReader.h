#pragma once

#include <QString>

#include <vector>

class QIODevice;

// Reads an image-mode dot listing back: lines of "block-row-column-letter"
// entries separated by ", ", blocks numbered from 1 across the canvas in
// bands of 8 rows from the top, left to right. The listing is read a line at
// a time, so memory grows only with the dots found.
class CDotListingReader
{
public:
    // The largest listing a full 1024 x 768 canvas can have: 12288 blocks,
    // each a line of 64 entries of at most "12288-8-8-R, " (13 characters)
    // followed by a blank line, CR LF line ends.
    static constexpr qint64 kMaxBytes = qint64{12288} * (64 * 13 + 4);
    // No line of a listing is longer than a block of 64 entries; the cap
    // counts the line without its end.
    static constexpr qint64 kMaxLineBytes = 4096;

    struct SDot
    {
        int x = 0;          // column from the left
        int y = 0;          // display row from the top
        int colorIndex = 0; // palette index
    };

    // Returns false with Error() naming the first bad line (1-based) and
    // quoting a short, escaped part of it.
    bool Read(QIODevice& device, int width, int height);
    bool Read(const QString& text, int width, int height);

    const std::vector<SDot>& Dots() const { return m_dots; }
    const QString& Error() const { return m_szError; }

private:
    bool ReadLine(const QString& line, int width, int height);
    static bool ReadEntry(const QString& entry, int width, int height, SDot& dot);

    std::vector<SDot> m_dots;
    QString m_szError;
};
