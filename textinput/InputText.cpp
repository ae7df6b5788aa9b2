#include "textinput/InputText.h"

#include "base/DotPalette.h"
#include "base/QtColor.h"
#include "base/TextCharacters.h"
#include "textinput/TextRenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCharFormat>

#include <algorithm>

namespace {
constexpr COLORREF kInitialTextColor = 0x00FFFFFF;
} // namespace

CInputText::CInputText(QObject* parent)
    : QObject(parent)
    , m_caret(&m_document)
    , m_logFont(LogFont::DefaultGuiFont())
{
    SetTextFormat(m_logFont, kInitialTextColor, false);
    // A document tells where a change happened (contentsChange) only once it
    // has a layout, which a view would give it; the cut of an over-long
    // input needs that place with or without a view.
    m_document.documentLayout();
    connect(&m_document, &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { m_nLastChangeEnd = position + added; });
    connect(&m_document, &QTextDocument::contentsChanged, this, &CInputText::OnContentsChanged);
}

CInputText::~CInputText()
{
    emit Closing();
}

QTextCursor CInputText::Caret() const
{
    return m_fnGetCaret ? m_fnGetCaret() : m_caret;
}

void CInputText::SetCaret(const QTextCursor& caret)
{
    if (m_fnSetCaret)
        m_fnSetCaret(caret);
    else
        m_caret = caret;
}

void CInputText::SetCaretHooks(std::function<QTextCursor()> get, std::function<void(const QTextCursor&)> set)
{
    // A view that stops lending its caret leaves it here.
    if (!get && m_fnGetCaret)
        m_caret = m_fnGetCaret();
    m_fnGetCaret = std::move(get);
    m_fnSetCaret = std::move(set);
}

void CInputText::SetTextFormat(LogFont& font, qint64 colour, bool wholeText)
{
    if (font.lfHeight < 0)
        font.lfHeight = -font.lfHeight;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{font.lfFaceName.left(LogFont::kFaceNameLength)});
    if (font.lfHeight > 0)
        format.setProperty(QTextFormat::FontPixelSize, font.lfHeight);
    if (colour >= 0) {
        format.setForeground(ToQColor(static_cast<COLORREF>(colour)));
        format.setFontWeight(font.lfWeight >= 700 ? QFont::Bold : QFont::Normal);
        format.setFontItalic(font.lfItalic);
        format.setFontUnderline(font.lfUnderline);
        format.setFontStrikeOut(font.lfStrikeOut);
        format.setVerticalAlignment(QTextCharFormat::AlignNormal);
        format.setAnchor(false);
    }
    if (wholeText) {
        QTextCursor all(&m_document);
        all.select(QTextCursor::Document);
        all.mergeCharFormat(format);
    }
    // The selection, or what is typed next at the caret.
    QTextCursor caret = Caret();
    caret.mergeCharFormat(format);
    SetCaret(caret);
}

void CInputText::SetMode(int mode)
{
    m_nMode = mode;
    emit ModeChanged(mode);
}

void CInputText::OnNewCanvas()
{
    // A new canvas holds none of the typed text: the text waits for Merge
    // Text, and in image mode floats over the new dots as the overlay again.
    const QString text = PlainText();
    if (m_nMode != TextMode && !text.isEmpty())
        emit OverlayTextChanged(text.left(kMaxOverlayChars));
    SetMerged(text.isEmpty() ? 1 : 0);
}

void CInputText::OnGridSizeChanged(int width, int height)
{
    m_nCanvasWidth = width;
    m_nCanvasHeight = height;
    emit CanvasSizeChanged(width, height);
    SetMerged(m_bMerged);
}

void CInputText::SelectColor(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return;
    if (index != m_nColorIndex)
        SetMerged(0);
    m_nColorIndex = index;
    emit ColorSelected(index);
    const COLORREF colour = DotPalette[static_cast<std::size_t>(index)];
    if (m_nMode != TextMode && !m_bColouring)
        emit OverlayColorChanged(colour);
    // Only the selected characters (or what is typed next at the caret) take
    // the colour, so one text can carry several colours, on the overlay too.
    SetTextFormat(m_logFont, colour, false);
}

void CInputText::ApplyFont(const LogFont& font, bool fromControls)
{
    const LogFont given = font; // font may be m_logFont, which is corrected below
    m_logFont = font;
    emit FontChanged(!fromControls);
    SetTextFormat(m_logFont, -1, true);
    SetMerged(0);
    emit FontApplied(given);
}

void CInputText::Merge()
{
    emit MergeRequested(&m_document, m_logFont);
    SetMerged(1);
    if (m_nMode == TextMode)
        return;
    // Both positions go back to 0 and the document hears it even when one
    // was 0 already.
    m_nTextX = 0;
    m_nTextY = 0;
    emit ShownValuesChanged();
    emit TextXChanged(0);
    emit TextYChanged(0);
}

void CInputText::MoveText(int key)
{
    switch (key) {
    case KeyLeft:
    case KeyRight:
        m_nOffsetX += key == KeyLeft ? -1 : 1;
        emit TextXChanged(m_nOffsetX);
        break;
    case KeyUp:
    case KeyDown:
        m_nOffsetY += key == KeyUp ? -1 : 1;
        emit TextYChanged(m_nOffsetY);
        break;
    case KeyHome:
        m_nOffsetX = 0;
        m_nOffsetY = 0;
        emit TextXChanged(0);
        emit TextYChanged(0);
        break;
    default:
        return;
    }
    emit ShownValuesChanged();
}

void CInputText::MoveTextRepeating(int key)
{
    emit MoveRepeating(true);
    MoveText(key);
    emit MoveRepeating(false);
}

void CInputText::SetMerged(int merged)
{
    const bool wasPending = m_bPendingTold;
    m_bMerged = merged;
    m_bPendingTold = IsMergePending();
    if (m_bPendingTold != wasPending)
        emit MergePendingChanged(m_bPendingTold);
}

void CInputText::Clear()
{
    const QTextCharFormat typing = Caret().charFormat();
    m_bTrimming = true; // one change, told below once the format is back
    m_document.clear();
    m_bTrimming = false;
    QTextCursor caret = Caret();
    caret.setCharFormat(typing);
    SetCaret(caret);
    OnContentsChanged();
}

void CInputText::SetText(const QString& text)
{
    Clear();
    Caret().insertText(text);
}

void CInputText::SetCharacterColors(const std::vector<int>& colors)
{
    if (colors.empty())
        return;
    // Selecting each character (one code point, one or two UTF-16 units)
    // and choosing its colour, as the user would.
    m_bColouring = true;
    int position = 0;
    std::size_t k = 0;
    for (const QString& character : CharactersOf(PlainText())) {
        QTextCursor cursor(&m_document);
        cursor.setPosition(position);
        position += static_cast<int>(character.size());
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        SetCaret(cursor);
        SelectColor(colors[std::min(k++, colors.size() - 1)]);
    }
    QTextCursor end(&m_document);
    end.movePosition(QTextCursor::End);
    SetCaret(end);
    m_bColouring = false;
    if (m_nMode == TextMode)
        return;
    emit OverlayColorChanged(DotPalette[static_cast<std::size_t>(m_nColorIndex)]);
    SendOverlay(false);
}

void CInputText::SetLayoutOptions(const SSignLayoutOptions& options)
{
    if (!SSignLayoutOptions::IsAlign(options.nAlignH) || !SSignLayoutOptions::IsAlign(options.nAlignV)
        || !SSignLayoutOptions::IsSpacing(options.nSpacing) || !SSignLayoutOptions::IsSpacing(options.nLineSpacing))
        return;
    if (options == m_layout)
        return;
    m_layout = options;
    emit LayoutOptionsChanged(m_layout);
}

void CInputText::SetStretch(int stretch)
{
    if (stretch < kStretchMin || stretch > kStretchMax || stretch == m_nStretch)
        return;
    m_nStretch = stretch;
    emit ShownValuesChanged();
    emit StretchChanged(stretch);
}

void CInputText::SetOverlayX(int x)
{
    m_nTextX = x;
    emit ShownValuesChanged();
    emit TextXChanged(x);
}

void CInputText::SetOverlayY(int y)
{
    m_nTextY = y;
    emit ShownValuesChanged();
    emit TextYChanged(y);
}

void CInputText::SetOverlayPosition(int x, int y)
{
    if (x != m_nTextX)
        SetOverlayX(x);
    if (y != m_nTextY)
        SetOverlayY(y);
}

SInputState CInputText::State() const
{
    SInputState state;
    state.m_szText = PlainText();
    state.m_lfFont = m_logFont;
    state.m_nColorIndex = m_nColorIndex;
    state.m_bMerged = m_bMerged;
    // One colour per code point; a line break takes the colour before it.
    COLORREF last = kInitialTextColor;
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        if (block != m_document.begin())
            state.m_acrColor.push_back(last);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QBrush brush = fragment.charFormat().foreground();
            last = brush.style() == Qt::NoBrush ? kInitialTextColor : FromQRgb(brush.color().rgb());
            for (qsizetype i = 0; i < CharactersOf(fragment.text()).size(); ++i)
                state.m_acrColor.push_back(last);
        }
    }
    return state;
}

void CInputText::Restore(const SInputState& state, const CCanvasText& text)
{
    const bool wasPending = m_bPendingTold;
    {
        const QSignalBlocker quiet(this);
        m_logFont = state.m_lfFont;
        Clear();
        QTextCursor cursor(&m_document);
        std::size_t k = 0;
        for (const QString& character : CharactersOf(state.m_szText)) {
            const COLORREF colour = k < state.m_acrColor.size() ? state.m_acrColor[k] : kInitialTextColor;
            ++k;
            SetTextFormat(m_logFont, colour, false);
            cursor.insertText(character, Caret().charFormat());
        }
        m_szLastText = PlainText();
        SetCaret(cursor);
        m_nColorIndex = std::clamp(state.m_nColorIndex, 0, kPaletteSize - 1);
        SetTextFormat(m_logFont, DotPalette[static_cast<std::size_t>(m_nColorIndex)], false);
        FollowCanvasText(text);
        SetLayoutOptions(text.m_layout);
        // The overlay's colours are the document's already.
        m_acrLastColors = CTextRenderer::CharacterColors(m_document);
        // Typing the text above counted as an edit; the merge pending is
        // told once, from what the state says.
        m_bPendingTold = wasPending;
    }
    emit Restored();
    SetMerged(state.m_bMerged ? 1 : 0);
}

void CInputText::FollowCanvasText(const CCanvasText& text)
{
    m_nOffsetX = text.m_nGlyphOffsetX;
    m_nOffsetY = text.m_nGlyphOffsetY;
    if (text.m_nStretch >= kStretchMin && text.m_nStretch <= kStretchMax)
        m_nStretch = text.m_nStretch;
    if (m_nMode != TextMode) {
        m_nTextX = text.m_nTextX;
        m_nTextY = text.m_nTextY;
    }
    emit ShownValuesChanged();
}

void CInputText::OnContentsChanged()
{
    if (m_bTrimming)
        return;
    const int excess = m_document.characterCount() - 1 - kMaxInputChars;
    if (excess > 0) {
        // Refuse what went past the limit, as a length-limited edit does.
        m_bTrimming = true;
        QTextCursor cut(&m_document);
        const int end = std::min(m_nLastChangeEnd, m_document.characterCount() - 1);
        cut.setPosition(std::max(0, end - excess));
        cut.setPosition(end, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
        m_bTrimming = false;
    }
    const QString text = PlainText();
    const bool edited = text != m_szLastText; // else only the formatting changed
    m_szLastText = text;
    if (m_nMode != TextMode)
        SendOverlay(edited);
    if (edited)
        SetMerged(0);
}

void CInputText::SendOverlay(bool textChanged)
{
    if (m_bColouring)
        return;
    std::vector<COLORREF> colours = CTextRenderer::CharacterColors(m_document);
    if (!textChanged && colours == m_acrLastColors)
        return;
    m_acrLastColors = std::move(colours);
    emit OverlayChanged(m_acrLastColors, m_szLastText.left(kMaxOverlayChars), textChanged);
}
