#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "dotdata/DotListing.h"

#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Records what a listing writer hands over, in order.
struct CRecordingSink : CDotListingSink
{
    void Insert(const QString& text) override { m_szText += text, m_pieces << text; }
    void Status(const QString& text) override { m_statuses << text; }

    QString m_szText;
    QStringList m_pieces;
    QStringList m_statuses;
};

constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kGreen = DotPalette[1];
constexpr COLORREF kBlue = DotPalette[2];

inline CDotGrid MakeGrid(int width, int height, int mode)
{
    CDotGrid grid;
    grid.Create(width, height, mode);
    return grid;
}

// Lights the dot at display position (x, y), y counted from the top.
inline void Light(CDotGrid& grid, int x, int y, COLORREF c)
{
    grid.SetDot(x, grid.Height() - 1 - y, c);
}

// Lights the top-left dot of every block.
inline void LightBlockCorners(CDotGrid& grid)
{
    for (int y = 0; y < grid.Height(); y += 8)
        for (int x = 0; x < grid.Width(); x += 8)
            Light(grid, x, y, kRed);
}

inline CCanvasText MakeText(const QString& chars, int vertical, int colorIndex = 0)
{
    CCanvasText text;
    text.m_szText = chars;
    text.m_bVertical = vertical;
    text.m_abCharColor.fill(static_cast<std::uint8_t>(colorIndex));
    return text;
}

inline CRecordingSink Generate(const CDotGrid& grid, const CCanvasText& text = {},
                               int chunkChars = CDotListing::kDefaultChunkChars)
{
    CRecordingSink sink;
    CDotListing(sink, chunkChars).Generate(grid, text);
    return sink;
}

inline QString Header(const QString& ch, const QString& color)
{
    return QStringLiteral("/*****  %1, %2  %3/\n").arg(ch, color, QString(59, QLatin1Char('*')));
}
inline QString Footer(int dots)
{
    return QStringLiteral("//**** <%1> %2\n\n").arg(dots).arg(QString(67, QLatin1Char('*')));
}
