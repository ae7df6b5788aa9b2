#pragma once

#include "base/CanvasMode.h"
#include "base/CanvasText.h"
#include "base/Color.h"
#include "base/InputState.h"
#include "base/LogFont.h"
#include "base/SignLayoutOptions.h"
#include "textinput/InputText.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class CFontComboBox;
class CSignLayoutBar;
class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QSlider;
class QTextEdit;
class QToolBar;

// The pane below the canvas in which the user types the text that becomes
// dots, chooses its font, size and colours and positions it. A view of a
// CInputText (the document's, once linked): its controls work the text's
// operations and show its state, and its signals repeat the text's.
class CInputTextView : public QWidget
{
    Q_OBJECT

public:
    // Key codes understood by MoveText; KeyHome puts the glyphs back in place.
    enum MoveKey {
        KeyLeft = CInputText::KeyLeft,
        KeyUp = CInputText::KeyUp,
        KeyRight = CInputText::KeyRight,
        KeyDown = CInputText::KeyDown,
        KeyHome = CInputText::KeyHome
    };
    static constexpr int kMaxInputChars = CInputText::kMaxInputChars;
    static constexpr int kMaxOverlayChars = CInputText::kMaxOverlayChars;
    static constexpr int kStripHeight = 24;
    static constexpr int kSliderMargin = 10;

    // Without a text the pane makes one of its own.
    explicit CInputTextView(QWidget* parent = nullptr, CInputText* model = nullptr);
    ~CInputTextView() override;

    // The text shown and worked; it must outlive the pane or tell it
    // (Closing) before it goes.
    void SetModel(CInputText& model);
    CInputText& Model() const { return *m_pModel; }

    void SetInputMode(int mode);
    // After New: the typed text is offered to the new canvas (merge pending,
    // and the overlay in image mode); an empty pane has nothing to merge.
    void OnNewCanvas();
    int InputMode() const { return m_pModel->Mode(); }
    // The language of the pane's own tips: 0 English, 1 Simplified,
    // 2 Traditional Chinese.
    void SetLanguage(int language);
    void SelectColor(int index);
    int ColorIndex() const { return m_pModel->ColorIndex(); }
    // Takes the font for the input text and tells the canvas; the font sent
    // is the one given, while the pane keeps it with a positive height.
    void ApplyFont(const LogFont& font);
    LogFont CurrentFont() const { return m_pModel->Font(); }
    void OnMergeText();
    void MoveText(int key);

    // Operations that stand for the user working the pane's controls, for
    // batch mode and tests: each has exactly the effect of typing or
    // choosing in the control it names.
    // Replaces the input with text, typed at the caret in the current font
    // and colour.
    void SetInputText(const QString& text);
    // Colours the characters in order, the last colour going on for the
    // rest. Indexes outside the palette are ignored.
    void SetCharacterColors(const std::vector<int>& colors);
    // Image mode's layout buttons and spacing boxes; options out of range
    // are ignored.
    void SetLayoutOptions(const SSignLayoutOptions& options);
    SSignLayoutOptions LayoutOptions() const;
    // Text mode's stretch box; values outside kStretchMin..kStretchMax are ignored.
    void SetStretch(int stretch);
    // Image mode's X and Y boxes.
    void SetOverlayPosition(int x, int y);
    // Everything the pane holds, for a project file, and the same put back
    // (with the offsets, stretch and overlay position shown from text)
    // without telling the canvas: the canvas gets its own state restored.
    SInputState InputState() const;
    void RestoreInputState(const SInputState& state, const CCanvasText& text);
    // The input differs from what was last merged.
    bool IsMergePending() const { return m_pModel->IsMergePending(); }

    QTextEdit* RichEdit() const { return m_richEdit; }
    QAction* ColorAction(int index) const;
    QAction* MergeAction() const { return m_pMergeAction; }
    CFontComboBox* FontCombo() const { return m_fontCombo; }
    QComboBox* SizeCombo() const { return m_sizeCombo; }
    QLineEdit* EditX() const { return m_editX; }
    QLineEdit* EditY() const { return m_editY; }
    QComboBox* StretchCombo() const { return m_stretchCombo; }
    QLabel* PosLabel() const { return m_posLabel; }
    QSlider* Slider() const { return m_slider; }
    CSignLayoutBar* LayoutBar() const { return m_layoutBar; }

public slots:
    // The canvas reports the size of its grid.
    void OnGridSizeChanged(int width, int height);
    // The canvas has gone back to an earlier text state (undo, redo): the
    // offsets, stretch and overlay position shown follow it, without being
    // sent back to the canvas.
    void OnCanvasTextRestored(const CCanvasText& text);

signals:
    void OverlayTextChanged(const QString& text);
    void OverlayColorChanged(COLORREF colour);
    // Image mode: the colour of each character (code point) of the text.
    void OverlayColorsChanged(const std::vector<COLORREF>& colours);
    void LayoutOptionsChanged(const SSignLayoutOptions& options);
    void MergeRequested(QTextEdit* source, const LogFont& font);
    void TextXChanged(int x);
    void TextYChanged(int y);
    void FontApplied(const LogFont& font);
    void StretchChanged(int stretch);
    // A held arrow key repeats (true) the move that follows, or the moves
    // end (false): the document makes the moves of one hold one undo step.
    void MoveRepeating(bool repeating);
    // IsMergePending() has changed its answer.
    void MergePendingChanged(bool pending);
    // The user has clicked into the pane or one of its controls.
    void Activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsCanvasHistoryKey(const QKeyEvent* event) const;
    // Keys the rich edit must not handle itself; true when taken here.
    bool FilterRichEditKey(QEvent* event);
    void CreateRichEdit();
    void CreateToolBar();
    void CreateControls();
    void ConnectModel();
    // Stops showing the text: the edit gets an empty text of its own.
    void ReleaseModel();
    void SelectFace(const QString& face);
    void FillSizeList();
    // The controls follow the text's state.
    void ShowMode(int mode);
    void ShowColor(int index);
    void ShowFont(bool fromOutside);
    void ShowValues();
    void ShowAll();
    void OnEditChanged(QLineEdit* edit);
    void OnSliderMoved(int value);
    void ShowSlider(QLineEdit* target);
    void HideSlider();
    void MoveKeyOnce(const QKeyEvent* event);

    CInputText* m_pModel = nullptr;
    std::unique_ptr<CInputText> m_pOwnModel; // until linked to another
    int m_nLanguage = 0;
    LogFont m_lfListedSizes; // the font whose sizes the size box lists
    QTextEdit* m_richEdit = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::array<QAction*, 7> m_colorActions{};
    QAction* m_pMergeAction = nullptr;
    QSlider* m_slider = nullptr;
    CFontComboBox* m_fontCombo = nullptr;
    QComboBox* m_sizeCombo = nullptr;
    QLineEdit* m_editX = nullptr;
    QLineEdit* m_editY = nullptr;
    QComboBox* m_stretchCombo = nullptr;
    QLabel* m_posLabel = nullptr;
    CSignLayoutBar* m_layoutBar = nullptr;
    QLineEdit* m_pSliderTarget = nullptr;
    bool m_bSyncingSlider = false;
    const QKeyEvent* m_pLastKey = nullptr; // key press already seen on its way up, until released
};
