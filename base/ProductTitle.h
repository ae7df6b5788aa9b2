#pragma once

#include <QString>

// The product's title, which every window and message box a person sees
// carries. The application name Qt keeps settings under is another one.
inline QString ProductTitle()
{
    return QStringLiteral("Pellmark");
}
