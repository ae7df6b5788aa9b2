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

CInputTextView::CInputTextView(QWidget* parent, CInputText* model)
    : QWidget(parent)
{
    if (!model) {
        m_pOwnModel = std::make_unique<CInputText>();
        model = m_pOwnModel.get();
    }
    CreateRichEdit();
    CreateToolBar();
    CreateControls();
    SetModel(*model);
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

CInputTextView::~CInputTextView()
{
    ReleaseModel();
}

void CInputTextView::CreateRichEdit()
{
    m_richEdit = new QTextEdit(this);
    QPalette palette = m_richEdit->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::white);
    m_richEdit->setPalette(palette);
    m_richEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void CInputTextView::SetModel(CInputText& model)
{
    if (&model == m_pModel)
        return;
    ReleaseModel();
    m_pModel = &model;
    m_richEdit->setDocument(model.TypedText());
    m_richEdit->setTextCursor(model.Caret());
    // The text's operations work at the user's caret.
    model.SetCaretHooks([this] { return m_richEdit->textCursor(); },
                        [this](const QTextCursor& caret) {
                            const QTextCursor now = m_richEdit->textCursor();
                            if (caret.position() != now.position() || caret.anchor() != now.anchor())
                                m_richEdit->setTextCursor(caret);
                            else if (!caret.hasSelection())
                                m_richEdit->setCurrentCharFormat(caret.charFormat());
                        });
    ConnectModel();
    ShowAll();
}

void CInputTextView::ReleaseModel()
{
    if (!m_pModel)
        return;
    disconnect(m_pModel, nullptr, this, nullptr);
    m_pModel->SetCaretHooks({}, {});
    m_pModel = nullptr;
    m_richEdit->setDocument(new QTextDocument(m_richEdit));
}

void CInputTextView::ConnectModel()
{
    CInputText* model = m_pModel;
    connect(model, &CInputText::OverlayTextChanged, this, &CInputTextView::OverlayTextChanged);
    connect(model, &CInputText::OverlayColorChanged, this, &CInputTextView::OverlayColorChanged);
    connect(model, &CInputText::OverlayChanged, this,
            [this](const std::vector<COLORREF>& colours, const QString& text, bool textChanged) {
                emit OverlayColorsChanged(colours);
                if (textChanged)
                    emit OverlayTextChanged(text);
            });
    connect(model, &CInputText::LayoutOptionsChanged, this, [this](const SSignLayoutOptions& options) {
        if (m_layoutBar->Options() != options) {
            const QSignalBlocker quiet(m_layoutBar);
            m_layoutBar->SetOptions(options);
        }
        emit LayoutOptionsChanged(options);
    });
    connect(model, &CInputText::MergeRequested, this, [this](QTextDocument*, const LogFont& font) {
        if (m_pModel->Mode() != TextMode)
            HideSlider();
        emit MergeRequested(m_richEdit, font);
    });
    connect(model, &CInputText::TextXChanged, this, &CInputTextView::TextXChanged);
    connect(model, &CInputText::TextYChanged, this, &CInputTextView::TextYChanged);
    connect(model, &CInputText::FontApplied, this, &CInputTextView::FontApplied);
    connect(model, &CInputText::StretchChanged, this, &CInputTextView::StretchChanged);
    connect(model, &CInputText::MoveRepeating, this, &CInputTextView::MoveRepeating);
    connect(model, &CInputText::MergePendingChanged, this, [this](bool pending) {
        m_pMergeAction->setEnabled(pending);
        emit MergePendingChanged(pending);
    });
    connect(model, &CInputText::ModeChanged, this, &CInputTextView::ShowMode);
    connect(model, &CInputText::ColorSelected, this, &CInputTextView::ShowColor);
    connect(model, &CInputText::FontChanged, this, &CInputTextView::ShowFont);
    connect(model, &CInputText::ShownValuesChanged, this, &CInputTextView::ShowValues);
    connect(model, &CInputText::CanvasSizeChanged, this, [this](int width, int height) {
        if (m_pModel->Mode() != TextMode && m_pSliderTarget) {
            const QSignalBlocker quiet(m_slider);
            m_slider->setMaximum((m_pSliderTarget == m_editX ? width : height) - kSliderMargin);
        }
    });
    connect(model, &CInputText::Restored, this, &CInputTextView::ShowAll);
    // The document goes before its views: the pane goes on with a text of its own.
    connect(model, &CInputText::Closing, this, [this] {
        ReleaseModel();
        if (!m_pOwnModel)
            m_pOwnModel = std::make_unique<CInputText>();
        SetModel(*m_pOwnModel);
    });
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
    connect(m_fontCombo, &QComboBox::activated, this, [this](int index) {
        if (index < 0)
            return;
        LogFont font = m_pModel->Font();
        font.lfFaceName = m_fontCombo->itemText(index).left(LogFont::kFaceNameLength);
        m_pModel->ApplyFont(font, true);
    });

    m_sizeCombo = new QComboBox(this);
    m_sizeCombo->setEditable(true);
    m_sizeCombo->setInsertPolicy(QComboBox::NoInsert);
    m_sizeCombo->setGeometry(310, 2, 50, 20);
    connect(m_sizeCombo, &QComboBox::activated, this, [this](int index) {
        if (index < 0)
            return;
        LogFont font = m_pModel->Font();
        font.lfHeight = SignedValue(m_sizeCombo->itemText(index));
        m_pModel->ApplyFont(font, true);
    });
    connect(m_sizeCombo->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const uint height = text.toUInt(&ok);
        LogFont font = m_pModel->Font();
        font.lfHeight = ok && height <= 0x7FFFFFFFu ? static_cast<int>(height) : 0;
        m_pModel->ApplyFont(font, true);
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
        m_pModel->SetStretch(SignedValue(text));
    });

    m_posLabel = new QLabel(this);
    m_posLabel->setGeometry(420, 6, 105, 14);

    // Right of where the X/Y slider shows.
    m_layoutBar = new CSignLayoutBar(this);
    m_layoutBar->move(540, -1);
    connect(m_layoutBar, &CSignLayoutBar::OptionsChanged, this,
            [this](const SSignLayoutOptions& options) { m_pModel->SetLayoutOptions(options); });
}

QAction* CInputTextView::ColorAction(int index) const
{
    if (index < 0 || index >= kPaletteSize)
        return nullptr;
    return m_colorActions[static_cast<std::size_t>(index)];
}

void CInputTextView::SetInputMode(int mode)
{
    m_pModel->SetMode(mode);
}

void CInputTextView::ShowMode(int mode)
{
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
    m_pModel->OnNewCanvas();
}

void CInputTextView::SelectColor(int index)
{
    m_pModel->SelectColor(index);
}

void CInputTextView::ShowColor(int index)
{
    m_colorActions[static_cast<std::size_t>(index)]->setChecked(true);
    if (m_pModel->Mode() != TextMode)
        HideSlider();
}

void CInputTextView::ShowFont(bool fromOutside)
{
    if (fromOutside)
        SelectFace(m_pModel->Font().lfFaceName);
    FillSizeList();
}

void CInputTextView::ShowValues()
{
    const CInputText& model = *m_pModel;
    m_posLabel->setText(QStringLiteral("X:%1 Y:%2").arg(model.OffsetX()).arg(model.OffsetY()));
    if (m_stretchCombo->currentIndex() != model.Stretch() - kStretchMin) {
        const QSignalBlocker quiet(m_stretchCombo);
        m_stretchCombo->setCurrentIndex(model.Stretch() - kStretchMin);
    }
    // An edit keeps what the user typed while it reads as the same number.
    bool rewritten = false;
    for (QLineEdit* edit : {m_editX, m_editY}) {
        const int value = edit == m_editX ? model.OverlayX() : model.OverlayY();
        if (SignedValue(edit->text()) == value)
            continue;
        const QSignalBlocker quiet(edit);
        edit->setText(QString::number(value));
        rewritten = true;
    }
    if (rewritten && m_pSliderTarget) {
        m_bSyncingSlider = true;
        m_slider->setValue(SignedValue(m_pSliderTarget->text()));
        m_bSyncingSlider = false;
    }
}

void CInputTextView::ShowAll()
{
    const CInputText& model = *m_pModel;
    ShowMode(model.Mode());
    m_colorActions[static_cast<std::size_t>(model.ColorIndex())]->setChecked(true);
    SelectFace(model.Font().lfFaceName);
    FillSizeList();
    m_sizeCombo->setEditText(QString::number(model.Font().lfHeight));
    ShowValues();
    if (m_layoutBar->Options() != model.LayoutOptions()) {
        const QSignalBlocker quiet(m_layoutBar);
        m_layoutBar->SetOptions(model.LayoutOptions());
    }
    m_pMergeAction->setEnabled(model.IsMergePending());
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
    LogFont face = m_pModel->Font();
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
    m_pModel->ApplyFont(font);
}

void CInputTextView::OnMergeText()
{
    m_pModel->Merge();
}

void CInputTextView::MoveText(int key)
{
    m_pModel->MoveText(key);
}

void CInputTextView::OnGridSizeChanged(int width, int height)
{
    m_pModel->OnGridSizeChanged(width, height);
}

void CInputTextView::OnCanvasTextRestored(const CCanvasText& text)
{
    m_pModel->FollowCanvasText(text);
}

void CInputTextView::SetInputText(const QString& text)
{
    m_pModel->SetText(text);
}

void CInputTextView::SetCharacterColors(const std::vector<int>& colors)
{
    m_pModel->SetCharacterColors(colors);
}

void CInputTextView::SetLayoutOptions(const SSignLayoutOptions& options)
{
    m_pModel->SetLayoutOptions(options);
}

SSignLayoutOptions CInputTextView::LayoutOptions() const
{
    return m_pModel->LayoutOptions();
}

SInputState CInputTextView::InputState() const
{
    return m_pModel->State();
}

void CInputTextView::RestoreInputState(const SInputState& state, const CCanvasText& text)
{
    m_pModel->Restore(state, text);
}

void CInputTextView::SetStretch(int stretch)
{
    m_pModel->SetStretch(stretch);
}

void CInputTextView::SetOverlayPosition(int x, int y)
{
    m_pModel->SetOverlayPosition(x, y);
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
        m_pModel->SetOverlayX(value);
    else
        m_pModel->SetOverlayY(value);
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
    m_slider->setRange(0, (isX ? m_pModel->CanvasWidth() : m_pModel->CanvasHeight()) - kSliderMargin);
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
        else if (watched == m_richEdit && m_pModel->Mode() != TextMode)
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
    if (key == 0 || m_pModel->Mode() != TextMode || m_pModel->TypedText()->isEmpty())
        return;
    if (event->isAutoRepeat())
        m_pModel->MoveTextRepeating(key);
    else
        m_pModel->MoveText(key);
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
