#pragma once

#include "canvas/CanvasText.h"
#include "canvas/DotGrid.h"
#include "dotdata/DotListing.h"

#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for text comparisons.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Records what a listing writer hands over, in order.
class CRecordingSink : public CDotListingSink
{
public:
    void Insert(const QString& text) override
    {
        m_szText += text;
        m_pieces << text;
    }
    void Status(const QString& text) override
    {
        m_statuses << text;
        m_textAtStatus << m_szText;
    }

    QString m_szText;
    QStringList m_pieces;
    QStringList m_statuses;
    QStringList m_textAtStatus; // the text received before each status
};

constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kGreen = DotPalette[1];
constexpr COLORREF kBlue = DotPalette[2];

inline CDotGrid MakeGrid(int width, int height, int mode)
{
    CDotGrid grid;
    grid.SetBackgroundColor(MakeColor(0, 0, 0), false);
    grid.Create(width, height, mode);
    return grid;
}

// Lights a dot at display position (x, y), y counted from the top.
inline void Light(CDotGrid& grid, int x, int y, COLORREF c)
{
    grid.SetDot(x, grid.Height() - 1 - y, c);
}

inline CCanvasText MakeText(const QString& chars, int vertical, int colorIndex = 0)
{
    CCanvasText text;
    text.m_szText = chars;
    text.m_bVertical = vertical;
    text.m_abCharColor.fill(static_cast<std::uint8_t>(colorIndex));
    return text;
}

// The listing of a grid, handed over in chunks of chunkChars characters.
inline CRecordingSink Generate(const CDotGrid& grid, const CCanvasText& text = {},
                               int chunkChars = CDotListing::kDefaultChunkChars)
{
    CRecordingSink sink;
    CDotListing(sink, chunkChars).Generate(grid, text);
    return sink;
}

inline QString Stars(int n)
{
    return QString(n, QLatin1Char('*'));
}
inline QString Header(const QString& ch, const QString& color)
{
    return QStringLiteral("/*****  %1, %2  ").arg(ch, color) + Stars(59) + QStringLiteral("/\n");
}
inline QString Footer(int dots)
{
    return QStringLiteral("//**** <%1> ").arg(dots) + Stars(67) + QStringLiteral("\n\n");
}
