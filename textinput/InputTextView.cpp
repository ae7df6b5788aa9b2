#include "textinput/InputTextView.h"

#include "base/CommandIds.h"
#include "base/DotPalette.h"
#include "base/PressWatcher.h"
#include "base/QtColor.h"
#include "base/TextCharacters.h"
#include "base/TriText.h"
#include "textinput/ExactGlyphs.h"
#include "textinput/FontComboBox.h"
#include "textinput/SignLayoutBar.h"
#include "textinput/TextRenderer.h"

#include <QAction>
#include <QActionGroup>
#include <QBitmap>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

#include <algorithm>

namespace {

const int kFontSizes[] = {8, 12, 16, 24, 32, 48, 64, 72};
// Exact sizes are looked for up to the largest listed size.
constexpr int kMaxListedSize = 72;
// The tip of a size at which the font has its designer's dots.
constexpr STriText kExactSizeTip = {
    "The font's own dots at this size: drawn by its designer, %1 dots to the em",
    "此字号使用字体自带的点阵：由字体设计者逐点绘制，每字 %1 点",
    "此字號使用字型自帶的點陣：由字型設計者逐點繪製，每字 %1 點",
};
static_assert(kExactSizeTip.IsComplete());
constexpr COLORREF kInitialTextColor = 0x00FFFFFF;
constexpr QSize kButtonSize(16, 15);

// A number as a C library conversion reads it: 0 when it is not one.
int SignedValue(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int MoveKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return CInputTextView::KeyLeft;
    case Qt::Key_Up:
        return CInputTextView::KeyUp;
    case Qt::Key_Right:
        return CInputTextView::KeyRight;
    case Qt::Key_Down:
        return CInputTextView::KeyDown;
    default:
        return 0;
    }
}

} // namespace

CInputTextView::CInputTextView(QWidget* parent)
    : QWidget(parent)
{
    CreateRichEdit();
    CreateToolBar();
    CreateControls();
    SetInputMode(TextMode);
    SetMerged(1);
    // The pane's own controls, and the edit field of the size box, which
    // can receive keys itself. A key that such an inner part passes up to
    // its control is seen twice; MoveKeyOnce counts it once.
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
    for (QComboBox* box : {static_cast<QComboBox*>(m_fontCombo), m_sizeCombo}) {
        if (box->lineEdit())
            box->lineEdit()->installEventFilter(this);
    }
    auto* presses = new CPressWatcher([this] { emit Activated(); }, this);
    presses->WatchTree(this);
}

void CInputTextView::CreateRichEdit()
{
    m_richEdit = new QTextEdit(this);
    m_logFont = LogFont::DefaultGuiFont();
    QPalette palette = m_richEdit->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::white);
    m_richEdit->setPalette(palette);
    m_richEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetTextFormat(m_logFont, kInitialTextColor, false);
    connect(m_richEdit->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { m_nLastChangeEnd = position + added; });
    connect(m_richEdit, &QTextEdit::textChanged, this, &CInputTextView::OnTextChanged);
}

void CInputTextView::CreateToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setIconSize(kButtonSize);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setStyleSheet(QStringLiteral("QToolBar { border: none; padding: 0px; spacing: 0px; }"
                                            "QToolButton { padding: 1px; }"));
    QPixmap strip(QStringLiteral(":/textinput/input_toolbar.bmp"));
    strip.setMask(strip.createMaskFromColor(QColor(0xC0, 0xC0, 0xC0)));
    const auto button = [&strip](int i) {
        return QIcon(strip.copy(i * kButtonSize.width(), 0, kButtonSize.width(), kButtonSize.height()));
    };

    auto* colours = new QActionGroup(this);
    colours->setExclusive(true);
    for (int i = 0; i < kPaletteSize; ++i) {
        QAction* action = m_toolBar->addAction(button(i), QString());
        action->setData(CommandId::PaneRed + i);
        action->setCheckable(true);
        action->setChecked(i == m_nColorIndex);
        colours->addAction(action);
        connect(action, &QAction::triggered, this, [this, i] { SelectColor(i); });
        m_colorActions[static_cast<std::size_t>(i)] = action;
    }
    m_toolBar->addSeparator();
    m_pMergeAction = m_toolBar->addAction(button(kPaletteSize), QStringLiteral("Merge Text"));
    m_pMergeAction->setData(CommandId::MergeText);
    m_pMergeAction->setStatusTip(QStringLiteral("Merge Text"));
    connect(m_pMergeAction, &QAction::triggered, this, &CInputTextView::OnMergeText);
    m_toolBar->adjustSize();
    m_toolBar->move(1, -1);
}

void CInputTextView::CreateControls()
{
    m_fontCombo = new CFontComboBox(this);
    m_fontCombo->setGeometry(205, 2, 100, 20);
    m_fontCombo->FillFontList();
    SelectFace(m_logFont.lfFaceName);
    connect(m_fontCombo, &QComboBox::activated, this, [this](int index) {
        if (index < 0)
            return;
        m_logFont.lfFaceName = m_fontCombo->itemText(index).left(LogFont::kFaceNameLength);
        ApplyFont(m_logFont);
    });

    m_sizeCombo = new QComboBox(this);
    m_sizeCombo->setEditable(true);
    m_sizeCombo->setInsertPolicy(QComboBox::NoInsert);
    m_sizeCombo->setGeometry(310, 2, 50, 20);
    FillSizeList();
    m_sizeCombo->setEditText(QString::number(m_logFont.lfHeight));
    connect(m_sizeCombo, &QComboBox::activated, this, [this](int index) {
        if (index < 0)
            return;
        m_logFont.lfHeight = SignedValue(m_sizeCombo->itemText(index));
        ApplyFont(m_logFont);
    });
    connect(m_sizeCombo->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const uint height = text.toUInt(&ok);
        m_logFont.lfHeight = ok && height <= 0x7FFFFFFFu ? static_cast<int>(height) : 0;
        ApplyFont(m_logFont);
    });

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setGeometry(0, 0, 100, 20);
    m_slider->hide();
    connect(m_slider, &QSlider::valueChanged, this, &CInputTextView::OnSliderMoved);

    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this);
    m_editX = new QLineEdit(QStringLiteral("0"), this);
    m_editX->setGeometry(365, 3, 30, 17);
    m_editY = new QLineEdit(QStringLiteral("0"), this);
    m_editY->setGeometry(400, 3, 30, 17);
    for (QLineEdit* edit : {m_editX, m_editY}) {
        edit->setValidator(digits);
        edit->setAlignment(Qt::AlignCenter);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { OnEditChanged(edit); });
    }

    m_stretchCombo = new QComboBox(this);
    m_stretchCombo->setGeometry(365, 2, 50, 20);
    for (int v = kStretchMin; v <= kStretchMax; ++v)
        m_stretchCombo->addItem(v > 0 ? QStringLiteral("+%1").arg(v) : QString::number(v));
    m_stretchCombo->setCurrentIndex(-kStretchMin);
    connect(m_stretchCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        QString text = m_stretchCombo->itemText(index).left(9);
        if (text.startsWith(QLatin1Char('+')))
            text.remove(0, 1);
        emit StretchChanged(SignedValue(text));
    });

    m_posLabel = new QLabel(this);
    m_posLabel->setGeometry(420, 6, 105, 14);
    UpdatePosLabel();

    // Right of where the X/Y slider shows.
    m_layoutBar = new CSignLayoutBar(this);
    m_layoutBar->move(540, -1);
    connect(m_layoutBar, &CSignLayoutBar::OptionsChanged, this, &CInputTextView::LayoutOptionsChanged);
}

QAction* CInputTextView::ColorAction(int index) const
{
    if (index < 0 || index >= kPaletteSize)
        return nullptr;
    return m_colorActions[static_cast<std::size_t>(index)];
}

void CInputTextView::SetTextFormat(LogFont& font, qint64 colour, bool wholeText)
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
        QTextCursor all(m_richEdit->document());
        all.select(QTextCursor::Document);
        all.mergeCharFormat(format);
    }
    // The selection, or what is typed next at the caret.
    m_richEdit->mergeCurrentCharFormat(format);
}

void CInputTextView::SetInputMode(int mode)
{
    m_nMode = mode;
    const bool textMode = mode == TextMode;
    m_editX->setVisible(!textMode);
    m_editY->setVisible(!textMode);
    m_stretchCombo->setVisible(textMode);
    m_posLabel->setVisible(textMode);
    m_layoutBar->setVisible(!textMode);
    if (textMode)
        HideSlider(); // the slider belongs to the image-mode edits
}

void CInputTextView::OnNewCanvas()
{
    // A new canvas holds none of the typed text: the text waits for Merge
    // Text, and in image mode floats over the new dots as the overlay again.
    const QString text = m_richEdit->toPlainText();
    if (m_nMode != TextMode && !text.isEmpty())
        emit OverlayTextChanged(text.left(kMaxOverlayChars));
    SetMerged(text.isEmpty() ? 1 : 0);
}

void CInputTextView::SelectColor(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return;
    if (index != m_nColorIndex)
        SetMerged(0);
    m_nColorIndex = index;
    m_colorActions[static_cast<std::size_t>(index)]->setChecked(true);
    const COLORREF colour = DotPalette[static_cast<std::size_t>(index)];
    if (m_nMode != TextMode) {
        HideSlider();
        if (!m_bColouring)
            emit OverlayColorChanged(colour);
    }
    // Only the selected characters (or what is typed next at the caret) take
    // the colour, so one text can carry several colours, on the overlay too.
    SetTextFormat(m_logFont, colour, false);
}

void CInputTextView::SelectFace(const QString& face)
{
    const int count = m_fontCombo->count();
    for (int k = 1; k <= count; ++k) {
        const int i = k % count;
        if (m_fontCombo->itemText(i).startsWith(face, Qt::CaseInsensitive)) {
            m_fontCombo->setCurrentIndex(i);
            return;
        }
    }
    m_fontCombo->setCurrentIndex(-1);
}

void CInputTextView::SetLanguage(int language)
{
    m_layoutBar->SetLanguage(language);
    m_nLanguage = std::clamp(language, 0, kLanguageCount - 1);
    m_lfListedSizes = LogFont(); // the tips are written anew
    FillSizeList();
}

void CInputTextView::FillSizeList()
{
    // The sizes depend on the face and style only, not on the height.
    LogFont face = m_logFont;
    face.lfHeight = 0;
    if (face == m_lfListedSizes && m_sizeCombo->count() > 0)
        return;
    m_lfListedSizes = face;
    const CExactGlyphs exact(face);
    const std::vector<SExactHeight> exactHeights = exact.ExactHeights(kMaxListedSize);
    // A bitmap font has its own sizes only; any other font the usual list
    // with its exact sizes among them.
    std::vector<int> sizes;
    if (!exact.IsBitmapOnly())
        sizes.assign(std::begin(kFontSizes), std::end(kFontSizes));
    for (const SExactHeight& h : exactHeights)
        sizes.push_back(h.nHeight);
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());

    const QSignalBlocker quiet(m_sizeCombo);
    const QString shown = m_sizeCombo->currentText();
    m_sizeCombo->clear();
    QFont bold = m_sizeCombo->font();
    bold.setBold(true);
    for (const int size : sizes) {
        m_sizeCombo->addItem(QString::number(size));
        const auto found = std::find_if(exactHeights.begin(), exactHeights.end(),
                                        [size](const SExactHeight& h) { return h.nHeight == size; });
        if (found == exactHeights.end())
            continue;
        const int i = m_sizeCombo->count() - 1;
        m_sizeCombo->setItemData(i, bold, Qt::FontRole);
        m_sizeCombo->setItemData(i, kExactSizeTip.Pick(m_nLanguage).arg(found->nEm), Qt::ToolTipRole);
    }
    m_sizeCombo->setEditText(shown);
}

void CInputTextView::ApplyFont(const LogFont& font)
{
    if (&font != &m_logFont) {
        m_logFont = font;
        SelectFace(m_logFont.lfFaceName);
    }
    FillSizeList();
    SetTextFormat(m_logFont, -1, true);
    SetMerged(0);
    emit FontApplied(font);
}

void CInputTextView::OnMergeText()
{
    emit MergeRequested(m_richEdit, m_logFont);
    SetMerged(1);
    if (m_nMode == TextMode)
        return;
    HideSlider();
    // Both positions go back to 0 and the canvas hears it even when an edit
    // already read "0".
    for (QLineEdit* edit : {m_editX, m_editY}) {
        const QSignalBlocker quiet(edit);
        edit->setText(QStringLiteral("0"));
        OnEditChanged(edit);
    }
}

void CInputTextView::MoveText(int key)
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
    UpdatePosLabel();
}

void CInputTextView::UpdatePosLabel()
{
    m_posLabel->setText(QStringLiteral("X:%1 Y:%2").arg(m_nOffsetX).arg(m_nOffsetY));
}

void CInputTextView::OnGridSizeChanged(int width, int height)
{
    m_nCanvasWidth = width;
    m_nCanvasHeight = height;
    if (m_nMode != TextMode && m_pSliderTarget) {
        const QSignalBlocker quiet(m_slider);
        m_slider->setMaximum((m_pSliderTarget == m_editX ? width : height) - kSliderMargin);
    }
    SetMerged(m_bMerged);
}

void CInputTextView::OnCanvasTextRestored(const CCanvasText& text)
{
    m_nOffsetX = text.m_nGlyphOffsetX;
    m_nOffsetY = text.m_nGlyphOffsetY;
    UpdatePosLabel();
    if (text.m_nStretch >= kStretchMin && text.m_nStretch <= kStretchMax) {
        const QSignalBlocker quiet(m_stretchCombo);
        m_stretchCombo->setCurrentIndex(text.m_nStretch - kStretchMin);
    }
    if (m_nMode == TextMode)
        return;
    for (QLineEdit* edit : {m_editX, m_editY}) {
        const QSignalBlocker quiet(edit);
        edit->setText(QString::number(edit == m_editX ? text.m_nTextX : text.m_nTextY));
    }
    if (m_pSliderTarget) {
        m_bSyncingSlider = true;
        m_slider->setValue(SignedValue(m_pSliderTarget->text()));
        m_bSyncingSlider = false;
    }
}

void CInputTextView::SetMerged(int merged)
{
    const bool wasPending = m_pMergeAction->isEnabled();
    m_bMerged = merged;
    const bool pending = IsMergePending();
    m_pMergeAction->setEnabled(pending);
    if (pending != wasPending)
        emit MergePendingChanged(pending);
}

void CInputTextView::SetInputText(const QString& text)
{
    m_richEdit->clear();
    m_richEdit->textCursor().insertText(text);
}

void CInputTextView::SetCharacterColors(const std::vector<int>& colors)
{
    if (colors.empty())
        return;
    // Selecting each character (one code point, one or two UTF-16 units)
    // and choosing its colour, as the user would.
    QTextDocument* document = m_richEdit->document();
    m_bColouring = true;
    int position = 0;
    std::size_t k = 0;
    for (const QString& character : CharactersOf(m_richEdit->toPlainText())) {
        QTextCursor cursor(document);
        cursor.setPosition(position);
        position += static_cast<int>(character.size());
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        m_richEdit->setTextCursor(cursor);
        SelectColor(colors[std::min(k++, colors.size() - 1)]);
    }
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    m_richEdit->setTextCursor(end);
    m_bColouring = false;
    if (m_nMode == TextMode)
        return;
    emit OverlayColorChanged(DotPalette[static_cast<std::size_t>(m_nColorIndex)]);
    SendOverlay(false);
}

void CInputTextView::SetLayoutOptions(const SSignLayoutOptions& options)
{
    m_layoutBar->SetOptions(options);
}

SSignLayoutOptions CInputTextView::LayoutOptions() const
{
    return m_layoutBar->Options();
}

SInputState CInputTextView::InputState() const
{
    SInputState state;
    state.m_szText = m_richEdit->toPlainText();
    state.m_lfFont = m_logFont;
    state.m_nColorIndex = m_nColorIndex;
    state.m_bMerged = m_bMerged;
    // One colour per code point; a line break takes the colour before it.
    COLORREF last = kInitialTextColor;
    const QTextDocument* document = m_richEdit->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block != document->begin())
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

void CInputTextView::RestoreInputState(const SInputState& state, const CCanvasText& text)
{
    const bool wasPending = m_pMergeAction->isEnabled();
    {
        const QSignalBlocker quiet(this);
        m_logFont = state.m_lfFont;
        SelectFace(m_logFont.lfFaceName);
        m_sizeCombo->setEditText(QString::number(m_logFont.lfHeight));
        m_richEdit->clear();
        QTextCursor cursor(m_richEdit->document());
        std::size_t k = 0;
        for (const QString& character : CharactersOf(state.m_szText)) {
            const COLORREF colour = k < state.m_acrColor.size() ? state.m_acrColor[k] : kInitialTextColor;
            ++k;
            SetTextFormat(m_logFont, colour, false);
            cursor.insertText(character, m_richEdit->currentCharFormat());
        }
        m_szLastText = m_richEdit->toPlainText();
        m_richEdit->setTextCursor(cursor);
        m_nColorIndex = std::clamp(state.m_nColorIndex, 0, kPaletteSize - 1);
        m_colorActions[static_cast<std::size_t>(m_nColorIndex)]->setChecked(true);
        SetTextFormat(m_logFont, DotPalette[static_cast<std::size_t>(m_nColorIndex)], false);
        OnCanvasTextRestored(text);
        m_layoutBar->SetOptions(text.m_layout);
        // The overlay's colours are the document's already.
        m_acrLastColors = CTextRenderer::CharacterColors(*m_richEdit->document());
        // Typing the text above counted as an edit; the frame hears of the
        // pending merge once, from what the state says.
        m_pMergeAction->setEnabled(wasPending);
    }
    SetMerged(state.m_bMerged ? 1 : 0);
}

void CInputTextView::SetStretch(int stretch)
{
    if (stretch >= kStretchMin && stretch <= kStretchMax)
        m_stretchCombo->setCurrentIndex(stretch - kStretchMin);
}

void CInputTextView::SetOverlayPosition(int x, int y)
{
    m_editX->setText(QString::number(x));
    m_editY->setText(QString::number(y));
}

void CInputTextView::OnTextChanged()
{
    if (m_bTrimming)
        return;
    QTextDocument* document = m_richEdit->document();
    const int excess = document->characterCount() - 1 - kMaxInputChars;
    if (excess > 0) {
        // Refuse what went past the limit, as a length-limited edit does.
        m_bTrimming = true;
        QTextCursor cut(document);
        const int end = std::min(m_nLastChangeEnd, document->characterCount() - 1);
        cut.setPosition(std::max(0, end - excess));
        cut.setPosition(end, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
        m_bTrimming = false;
    }
    const QString text = m_richEdit->toPlainText();
    const bool edited = text != m_szLastText; // else only the formatting changed
    m_szLastText = text;
    if (m_nMode != TextMode)
        SendOverlay(edited);
    if (edited)
        SetMerged(0);
}

void CInputTextView::SendOverlay(bool textChanged)
{
    if (m_bColouring)
        return;
    std::vector<COLORREF> colours = CTextRenderer::CharacterColors(*m_richEdit->document());
    if (textChanged || colours != m_acrLastColors) {
        m_acrLastColors = std::move(colours);
        emit OverlayColorsChanged(m_acrLastColors);
    }
    if (textChanged)
        emit OverlayTextChanged(m_szLastText.left(kMaxOverlayChars));
}

void CInputTextView::OnEditChanged(QLineEdit* edit)
{
    const int value = SignedValue(edit->text());
    if (edit == m_pSliderTarget) {
        m_bSyncingSlider = true;
        m_slider->setValue(value);
        m_bSyncingSlider = false;
    }
    if (edit == m_editX)
        emit TextXChanged(value);
    else
        emit TextYChanged(value);
}

void CInputTextView::OnSliderMoved(int value)
{
    if (m_bSyncingSlider || !m_pSliderTarget)
        return;
    m_pSliderTarget->setText(QString::number(value));
}

void CInputTextView::ShowSlider(QLineEdit* target)
{
    const bool isX = target == m_editX;
    m_pSliderTarget = target;
    m_bSyncingSlider = true;
    m_slider->setRange(0, (isX ? m_nCanvasWidth : m_nCanvasHeight) - kSliderMargin);
    m_slider->setValue(SignedValue(target->text()));
    m_bSyncingSlider = false;
    const QRect edit = target->geometry();
    const int gap = isX ? 40 : 5;
    m_slider->setGeometry(edit.x() + edit.width() + gap, edit.y() - 2, 100, 20);
    m_slider->show();
    m_slider->raise();
}

void CInputTextView::HideSlider()
{
    m_slider->hide();
}

bool CInputTextView::IsCanvasHistoryKey(const QKeyEvent* event) const
{
    // With nothing typed since the last merge the edit's own undo would take
    // back typing the canvas has already merged; the canvas's history is meant.
    if (IsMergePending())
        return false;
    const QKeyCombination key = event->keyCombination();
    return event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)
        || key == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)
        || key == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

bool CInputTextView::FilterRichEditKey(QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsCanvasHistoryKey(key)) {
        // Left to the window's Undo or Redo shortcut; when that is disabled
        // the key press still must not reach the edit.
        event->ignore();
        return true;
    }
    // A tab is no sign character: Tab, Ctrl+Tab and their Shift forms move
    // the focus instead of typing one.
    if (event->type() == QEvent::KeyPress && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        focusNextPrevChild(!back);
        return true;
    }
    return false;
}

bool CInputTextView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_richEdit && FilterRichEditKey(event))
        return true;
    if (event->type() == QEvent::KeyPress) {
        MoveKeyOnce(static_cast<QKeyEvent*>(event));
    } else if (event->type() == QEvent::KeyRelease) {
        m_pLastKey = nullptr;
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == m_editX || watched == m_editY)
            ShowSlider(static_cast<QLineEdit*>(watched));
        else if (watched == m_richEdit && m_nMode != TextMode)
            HideSlider();
    }
    return QWidget::eventFilter(watched, event);
}

void CInputTextView::MoveKeyOnce(const QKeyEvent* event)
{
    // The same event object on its way from an edit field up to its box;
    // the key's release ends the pass.
    if (event == m_pLastKey)
        return;
    m_pLastKey = event;
    const int key = MoveKeyOf(event->key());
    if (key == 0 || m_nMode != TextMode || m_richEdit->document()->isEmpty())
        return;
    if (!event->isAutoRepeat()) {
        MoveText(key);
        return;
    }
    emit MoveRepeating(true);
    MoveText(key);
    emit MoveRepeating(false);
}

void CInputTextView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect strip(0, 0, width(), kStripHeight);
    painter.fillRect(strip, palette().button());
    painter.setPen(palette().light().color());
    painter.drawLine(strip.topLeft(), strip.topRight());
    painter.drawLine(strip.topLeft(), strip.bottomLeft());
    painter.setPen(palette().dark().color());
    painter.drawLine(strip.bottomLeft(), strip.bottomRight());
    painter.drawLine(strip.topRight(), strip.bottomRight());
}

void CInputTextView::resizeEvent(QResizeEvent*)
{
    m_richEdit->setGeometry(1, kStripHeight + 1, std::max(0, width() - 2), std::max(0, height() - kStripHeight - 2));
}
