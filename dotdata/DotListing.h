#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "dotdata/DotListingSink.h"

#include <QString>
#include <QStringList>

// Writes the dot-data listing of a grid: every lit dot as
// block-row-column-letter, blocks of 8 x 8 dots numbered from 1 in the order
// they are visited. Image mode lists the blocks as bare lines; text mode
// divides them per character of the canvas text, each character between a
// header and a footer comment. Paragraph breaks are '\n'.
//
// Pieces (an entry, a line break, a header) are gathered and handed to the
// sink in chunks of about chunkChars characters; the rest goes before the
// final progress text. A pane redraws after each chunk it receives, so a
// chunk is made large: the whole listing of a full canvas is some 75 chunks.
class CDotListing
{
public:
    static constexpr int kDefaultChunkChars = 1 << 17;

    explicit CDotListing(CDotListingSink& sink, int chunkChars = kDefaultChunkChars);

    // Runs the writer of the grid's mode (1 = image, anything else = text),
    // then sends the final "\t\t100%".
    void Generate(const CDotGrid& grid, const CCanvasText& text);

    void WriteImageModeDots(const CDotGrid& grid);
    void WriteTextModeDots(const CDotGrid& grid, const CCanvasText& text);

    // The whole listing in one string, without progress texts.
    static QString Whole(const CDotGrid& grid, const CCanvasText& text);

    // Whether any dot has one of the seven dot colours.
    static bool HasLitDot(const CDotGrid& grid);
    // A text-mode listing names only the dots of merged characters: without
    // merged text it is empty, however many dots are lit (a picture opened
    // into a text-mode canvas), and so it is once a picture, a listing or a
    // turn has replaced the merged text's dots. True in those cases.
    static bool LeavesLitDotsOut(const CDotGrid& grid, const CCanvasText& text);
    // Whether a text-mode listing lists the text's characters: there is
    // merged text and the dots are still its rendering.
    static bool ListsMergedText(const CCanvasText& text);

    // Where the listing writes the dot at (column, row from the top): its
    // block number, and row and column 1..8 inside the block, as
    // "block-row-column". Empty when the listing would not name that dot
    // (outside the grid, or a text-mode canvas without merged text).
    static QString DotName(const CDotGrid& grid, const CCanvasText& text, int column, int row);

    // "\t\t<percent>%": two tabs right-align the text in the status pane.
    static QString StatusFor(int percent);
    // Colour name of a palette index as used in text-mode headers; "X" for
    // anything that is not a dot colour.
    static QString ColorName(int index);

private:
    struct SBlockGeometry
    {
        int nColumns = 0; // blocks per band
        int nBands = 0;
        int Total() const { return nColumns * nBands; }
    };

    static SBlockGeometry GeometryOf(const CDotGrid& grid);
    template <typename F>
    static void ForEachLitDot(const CDotGrid& grid, int band, int column, F&& visit);

    void WriteImageBlock(const CDotGrid& grid, int band, int column, int blockNo);
    void WriteTextBlock(const CDotGrid& grid, int band, int column);
    void WriteTextPortrait(const CDotGrid& grid, const CCanvasText& text);
    void WriteTextLandscape(const CDotGrid& grid, const CCanvasText& text);
    void WriteHeader(const CCanvasText& text, int charIndex);
    void WriteFooter();

    void AppendEntry(int blockNo, int row, int column, int colorIndex, bool separator, bool padNumber);
    void AppendNumber(int n);
    void EndPiece();
    void Flush();
    void Progress(int n, int total);

    CDotListingSink& m_sink;
    const int m_nChunkChars;
    QString m_szBuffer;
    QStringList m_characters; // text mode: the characters of the canvas text
    int m_nLast = 100;     // last percentage sent
    int m_nBlockNo = 0;    // text mode: 0-based index of the next block
    int m_nDots = 0;       // text mode: lit dots of the current character
};
