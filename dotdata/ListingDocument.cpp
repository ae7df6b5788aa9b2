#include "dotdata/ListingDocument.h"

#include "base/LogFont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {
constexpr int kListingLineHeight = 18; // ascent + descent of the listing font
constexpr int kFallbackDpi = 96;
} // namespace

CListingDocument::CListingDocument(const QString& listing)
    : m_szText(listing)
    , m_font(ListingFont())
    , m_nSourceDpi(ScreenDpi())
{
}

QFont CListingDocument::ListingFont()
{
    // Fixed pitch keeps the entries in columns, on screen and on paper.
    LogFont paneFont = LogFont::DefaultGuiFont();
    paneFont.lfFaceName = QFontDatabase::systemFont(QFontDatabase::FixedFont).family().left(LogFont::kFaceNameLength);
    paneFont.lfHeight = kListingLineHeight;
    QFont font(paneFont.lfFaceName);
    font.setPixelSize(paneFont.EmPixels());
    return font;
}

int CListingDocument::ScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : kFallbackDpi;
}
