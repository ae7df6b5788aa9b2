#pragma once

#include "base/CanvasMode.h"
#include "base/CanvasText.h"
#include "base/Color.h"
#include "base/InputState.h"
#include "base/LogFont.h"
#include "base/SignLayoutOptions.h"

#include <QObject>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <vector>

// The text the user types for the canvas and everything it is merged with:
// the rich text (each character in its font and colour), the font, the
// colour for new typing, whether it differs from what was last merged, and
// text mode's glyph offsets and stretch, image mode's overlay position and
// layout. No widget: the document owns one, batch mode types into it, and
// the input pane is a view that works it and shows it.
//
// Every operation has exactly the effect of the pane's control it stands
// for; the signals tell the document (the first group) and views (the
// second) what changed.
class CInputText : public QObject
{
    Q_OBJECT

public:
    // Key codes understood by MoveText; KeyHome puts the glyphs back in place.
    enum MoveKey { KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40, KeyHome = -1 };
    static constexpr int kMaxInputChars = 1024;
    static constexpr int kMaxOverlayChars = 1023;

    explicit CInputText(QObject* parent = nullptr);
    ~CInputText() override;

    QTextDocument* TypedText() { return &m_document; }
    const QTextDocument& TypedText() const { return m_document; }
    QString PlainText() const { return m_document.toPlainText(); }

    // The caret (insertion point and selection) the operations work on. A
    // view lends its own with SetCaretHooks, so that colour and font go
    // where the user's caret is; without one the text keeps its own.
    QTextCursor Caret() const;
    void SetCaret(const QTextCursor& caret);
    void SetCaretHooks(std::function<QTextCursor()> get, std::function<void(const QTextCursor&)> set);

    int Mode() const { return m_nMode; }
    void SetMode(int mode);
    // After New: the typed text is offered to the new canvas (merge pending,
    // and the overlay in image mode); empty text has nothing to merge.
    void OnNewCanvas();
    // The size of the canvas's grid; a grid of no width takes no merge.
    void OnGridSizeChanged(int width, int height);
    int CanvasWidth() const { return m_nCanvasWidth; }
    int CanvasHeight() const { return m_nCanvasHeight; }

    // The colour of the selected characters, or of what is typed next.
    void SelectColor(int index);
    int ColorIndex() const { return m_nColorIndex; }
    // The font of the whole text; the one told to the document is the one
    // given, while the text keeps it with a positive height. fromControls:
    // chosen in a view's own font boxes, which show it already.
    void ApplyFont(const LogFont& font, bool fromControls = false);
    const LogFont& Font() const { return m_logFont; }
    void Merge();
    // Text mode: moves the glyphs by one dot (or home); MoveTextRepeating is
    // a held key's repeat, which the document records with the moves
    // before it as one step.
    void MoveText(int key);
    void MoveTextRepeating(int key);
    int OffsetX() const { return m_nOffsetX; }
    int OffsetY() const { return m_nOffsetY; }

    // Replaces the text with this one, typed at the caret in the current
    // font and colour.
    void SetText(const QString& text);
    // Colours the characters in order, the last colour going on for the
    // rest. Indexes outside the palette are ignored.
    void SetCharacterColors(const std::vector<int>& colors);
    // Options out of range are ignored.
    void SetLayoutOptions(const SSignLayoutOptions& options);
    const SSignLayoutOptions& LayoutOptions() const { return m_layout; }
    // Values outside kStretchMin..kStretchMax are ignored.
    void SetStretch(int stretch);
    int Stretch() const { return m_nStretch; }
    // Image mode's overlay position: each told to the document whenever it
    // is set (as an edit of its box is), both only where they change.
    void SetOverlayX(int x);
    void SetOverlayY(int y);
    void SetOverlayPosition(int x, int y);
    int OverlayX() const { return m_nTextX; }
    int OverlayY() const { return m_nTextY; }

    // Everything the text holds, for a project file, and the same put back
    // (with the offsets, stretch and overlay position taken from text)
    // without telling the document: it gets its own state restored.
    SInputState State() const;
    void Restore(const SInputState& state, const CCanvasText& text);
    // Undo or redo put back this text state: offsets, stretch and overlay
    // position follow it without being told back to the document.
    void FollowCanvasText(const CCanvasText& text);

    // The text differs from what was last merged.
    bool IsMergePending() const { return m_bMerged == 0 && m_nCanvasWidth > 0; }

signals:
    void OverlayTextChanged(const QString& text);
    void OverlayColorChanged(COLORREF colour);
    // Typing or colouring in image mode: the colour of each character (code
    // point) and, when textChanged, the text, in one message so that the
    // document lays the overlay out once.
    void OverlayChanged(const std::vector<COLORREF>& colours, const QString& text, bool textChanged);
    void LayoutOptionsChanged(const SSignLayoutOptions& options);
    void MergeRequested(QTextDocument* source, const LogFont& font);
    void TextXChanged(int x);
    void TextYChanged(int y);
    void FontApplied(const LogFont& font);
    void StretchChanged(int stretch);
    void MoveRepeating(bool repeating);
    // IsMergePending() has changed its answer.
    void MergePendingChanged(bool pending);

    // For views.
    void ModeChanged(int mode);
    void ColorSelected(int index);
    // The font changed; fromOutside: not from a view's own font controls.
    void FontChanged(bool fromOutside);
    // The glyph offsets, the stretch or the overlay position changed.
    void ShownValuesChanged();
    void CanvasSizeChanged(int width, int height);
    // Restore replaced everything.
    void Restored();
    // The text is going away; views stop showing it.
    void Closing();

private:
    void SetTextFormat(LogFont& font, qint64 colour, bool wholeText);
    void SetMerged(int merged);
    void OnContentsChanged();
    // Image mode: tells the characters' colours when they or the text have
    // changed, and the text when it has.
    void SendOverlay(bool textChanged);
    // Empties the text as an edit field's clear does: the format for the
    // next typing stays.
    void Clear();

    QTextDocument m_document;
    QTextCursor m_caret;
    std::function<QTextCursor()> m_fnGetCaret;
    std::function<void(const QTextCursor&)> m_fnSetCaret;
    LogFont m_logFont;
    int m_nMode = TextMode;
    int m_bMerged = 1;
    bool m_bPendingTold = false; // the IsMergePending() last told
    int m_nColorIndex = 5;
    int m_nCanvasWidth = 1;
    int m_nCanvasHeight = 1;
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    int m_nTextX = 0;
    int m_nTextY = 0;
    int m_nStretch = 0;
    SSignLayoutOptions m_layout;

    QString m_szLastText;      // plain text at the last change, to tell edits from format changes
    int m_nLastChangeEnd = 0;  // end of the last insertion, where an over-long input is cut
    bool m_bTrimming = false;  // a change of its own is under way (a cut, a clear): told once done
    bool m_bColouring = false; // SetCharacterColors tells the document once, at the end
    std::vector<COLORREF> m_acrLastColors; // the colours last told
};
