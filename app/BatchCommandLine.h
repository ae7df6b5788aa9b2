#pragma once

#include "base/Color.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// One option of a batch run, with its value already checked and converted.
struct SBatchStep
{
    enum Kind {
        New, Open, Mirror, Flip, Rotate, DotColor, Background, SetDot, ClearDot,
        Text, TextColors, Font, Size, Offset, Stretch, OverlayAt, Merge,
        SaveDots, SaveImage, PrintPdf, LoadDots, ListFonts, Help, Version,
        Undo, Redo, Match, Align, Spacing, LineSpacing, FitHeight,
        Line, ClearLine, Rect, ClearRect, Ellipse, ClearEllipse, Fill, ClearFill, Resize, Crop,
        Frame, AddFrame, DuplicateFrame, DeleteFrame, MoveFrame, Duration, Panel, Scroll, Blink, Wipe,
        SaveGif, GifDots, SaveFrames,
        Export, Scan, BitOrder, Module, ModuleOrder, Serpentine, Invert, Planes, LoadExport,
        SaveProject,
    };

    Kind kind = Help;
    QString option;          // as typed, for messages
    QString text;            // file name, text, font family
    QByteArray rawText;      // the value's bytes as given, when known
    int x = 0;               // width, column, offset, size, stretch, colour index, --match way, export option,
                             // frame number, duration, direction (CFrameEffects::Direction)
    int y = 0;               // height, row, offset, speed
    int x2 = 0;              // shapes: the second corner; --crop: width and height
    int y2 = 0;
    int mode = 0;            // --new: 0 text, 1 image; --rect, --ellipse: 1 filled; --resize: the anchor
    COLORREF color = 0;      // --background
    std::vector<int> colors; // --text-colors: palette indices
};

// Turns the command line of a batch run into checked steps. A command line
// that contains no option is not a batch run: its file argument only names
// the document.
class CBatchCommandLine
{
public:
    static bool IsBatch(const QStringList& arguments);

    // arguments without the program name. Returns false with Error() set to
    // one line naming the option and what is wrong. rawArguments, when
    // given, are the same arguments as bytes: file names keep them.
    bool Parse(const QStringList& arguments, const QList<QByteArray>& rawArguments = {});

    const std::vector<SBatchStep>& Steps() const { return m_steps; }
    const QString& Error() const { return m_szError; }

    static QString HelpText();
    // Palette index of an English colour name in any letter case, or -1.
    static int ColorIndexOfName(const QString& name);

private:
    bool Fail(const QString& option, const QString& what);
    bool ParseValue(SBatchStep& step, const QString& value);
    bool ParseExportOption(SBatchStep& step, const QString& value);
    bool ParsePair(const QString& option, const QString& value, QChar separator, int& a, int& b);
    bool ParseInt(const QString& option, const QString& value, int& result);
    // left|right|up|down[:SPEED] of --scroll and --wipe.
    bool ParseMovement(SBatchStep& step, const QString& value);
    // X0,Y0,X1,Y1 (or X,Y,W,H), each within the drawing limits.
    bool ParseFour(SBatchStep& step, const QString& value);
    bool ParseResize(SBatchStep& step, const QString& value);
    // Numbers past what the canvas can use are refused, not quietly ignored.
    bool CheckRange(const QString& option, const QString& what, int value, int low, int high);

    std::vector<SBatchStep> m_steps;
    QString m_szError;
};
