#pragma once

#include "base/Color.h"

#include <QColor>

// Conversions between our 0x00BBGGRR colours and Qt's colour types.
inline QColor ToQColor(COLORREF c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline QRgb ToQRgb(COLORREF c)
{
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

inline COLORREF FromQRgb(QRgb rgb)
{
    return MakeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
