#pragma once

#include "base/CanvasText.h"
#include "textinput/SignLayout.h"
#include "textinput/SignLayoutCache.h"

#include <QImage>
#include <QRect>

#include <memory>

// The image-mode text overlay: the canvas text laid out on the panel one
// pixel per dot, drawn into a black picture of the grid's size, then laid
// over the dots with black as the transparent colour.

// The overlay of 'text' on a black width x height picture: each character in
// its colour, placed and cut as its layout options say.
QImage RenderTextOverlay(const CCanvasText& text, int width, int height);

// The last laid-out overlay, kept until the text, its colours, font,
// position or layout, or the grid size changes: paints then cost only the
// copy.
class COverlayCache
{
public:
    COverlayCache();
    ~COverlayCache();

    const QImage& Get(const CCanvasText& text, int width, int height);
    // The layout behind the last Get: how far the text runs past the panel.
    const CSignLayout* Layout() const { return m_pLayout.get(); }

private:
    struct SKey
    {
        QString szText;
        std::vector<COLORREF> acrOverlay;
        COLORREF crText = 0;
        LogFont lfText;
        QPoint ptText;
        SSignLayoutOptions layout;
        QSize size;

        bool operator==(const SKey& o) const
        {
            return size == o.size && ptText == o.ptText && crText == o.crText && layout == o.layout
                && szText == o.szText && acrOverlay == o.acrOverlay && lfText == o.lfText;
        }
    };

    QImage m_image;
    std::unique_ptr<CSignLayout> m_pLayout;
    CSignLayoutCache m_drawn; // glyphs and lines of the layouts before
    SKey m_key;
};

// Draws 'source' into 'dest' of a target of any format by pixel
// replication; pure black source pixels leave what is under them unchanged.
void CopyColourKeyed(QImage& target, const QRect& dest, const QImage& source);
