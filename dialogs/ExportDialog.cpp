#include "dialogs/ExportDialog.h"

#include "base/DotGrid.h"
#include "base/MessageTexts.h"
#include "base/TriText.h"
#include "dialogs/ExportDotView.h"
#include "dotdata/ByteLayout.h"
#include "dotdata/CArrayText.h"
#include "dotdata/ControllerExport.h"
#include "dotdata/DotBytes.h"
#include "dotdata/ExportRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>

namespace {

enum TextId {
    Title, Format, Scan, BitOrder, Modules, ModuleOrder, Serpentine, Invert, Planes, Preview,
    Rows, Columns, MsbFirst, LsbFirst, Mono, RedGreen, Rgb, CArrayForm, RawForm, HexForm, PngForm,
    ByteLine, NoByte, Times, PictureNote,
};

// A row of dots is 行 in Simplified and 列 in Traditional Chinese, a column
// the other way round.
constexpr std::array<STriText, 25> kTexts = {{
    {"Export", "导出", "匯出"},
    {"Form:", "格式:", "格式:"},
    {"Scan:", "扫描:", "掃描:"},
    {"Bit order:", "位序:", "位元順序:"},
    {"Modules of", "分成模块", "分成模組"},
    {"Module order:", "模块顺序:", "模組順序:"},
    {"Serpentine", "蛇形", "蛇形"},
    {"Invert (active low)", "反相(低电平有效)", "反相(低電位有效)"},
    {"Planes:", "色彩平面:", "色彩平面:"},
    {"Preview:", "预览:", "預覽:"},
    {"Rows", "按行", "按列"},
    {"Columns", "按列", "按行"},
    {"MSB first", "高位在前", "高位元在前"},
    {"LSB first", "低位在前", "低位元在前"},
    {"Mono", "单色", "單色"},
    {"Red and green", "红绿双色", "紅綠雙色"},
    {"RGB", "RGB", "RGB"},
    {"C array", "C 数组", "C 陣列"},
    {"Raw bytes", "原始字节", "原始位元組"},
    {"Intel HEX", "Intel HEX", "Intel HEX"},
    {"PNG picture", "PNG 图片", "PNG 圖片"},
    {"Byte %1: 0x%2, dots (%3, %4) to (%5, %6)", "第 %1 字节:0x%2,点 (%3, %4) 至 (%5, %6)",
     "第 %1 位元組:0x%2,點 (%3, %4) 至 (%5, %6)"},
    {"Point at a dot to see its byte.", "指向一个点可看到它所在的字节。", "指向一個點可看到它所在的位元組。"},
    {"x", "×", "×"},
    {"A %1 x %2 PNG picture, one pixel a dot, nothing lost. The options above do not apply to it.",
     "%1 × %2 的 PNG 图片,每点一个像素,无损。上面的选项对它不适用。",
     "%1 × %2 的 PNG 圖片,每點一個像素,無損。上面的選項對它不適用。"},
}};
static_assert(AllComplete(kTexts));

// The dialog's name of each form of the export registry.
struct SFormName
{
    const char* registryName;
    TextId text;
};
constexpr std::array<SFormName, 4> kFormNames = {{
    {"C array", CArrayForm}, {"Raw bytes", RawForm}, {"Intel HEX", HexForm}, {"PNG", PngForm},
}};

// Raw bytes shown as a hex dump: offset, then 16 bytes a line.
QString HexDump(const QByteArray& bytes, int lines)
{
    QString text;
    for (int line = 0; line < lines && line * 16 < bytes.size(); ++line) {
        text += QStringLiteral("%1 ").arg(line * 16, 8, 16, QLatin1Char('0'));
        text += QString::fromLatin1(bytes.mid(line * 16, 16).toHex(' ')) + QLatin1Char('\n');
    }
    return text;
}

QString FirstLines(const QByteArray& text, int lines)
{
    qsizetype end = -1;
    for (int i = 0; i < lines; ++i) {
        end = text.indexOf('\n', end + 1);
        if (end < 0)
            return QString::fromUtf8(text);
    }
    return QString::fromUtf8(text.left(end + 1));
}

} // namespace

CExportDialog::CExportDialog(const CDotGrid& grid, int language, QWidget* parent)
    : QDialog(parent)
    , m_grid(grid)
    , m_nLanguage(language)
    , m_choices(CExportRegistry::ExportChoices())
{
    BuildControls();
    UpdatePreview();
}

CExportDialog::~CExportDialog() = default;

QString CExportDialog::Text(int id) const
{
    return kTexts.at(static_cast<std::size_t>(id)).Pick(m_nLanguage);
}

void CExportDialog::BuildControls()
{
    setWindowTitle(Text(Title));
    const auto combo = [this](std::initializer_list<TextId> items) {
        auto* box = new QComboBox(this);
        for (const TextId id : items)
            box->addItem(Text(id));
        connect(box, &QComboBox::currentIndexChanged, this, &CExportDialog::UpdatePreview);
        return box;
    };
    const auto check = [this](TextId id) {
        auto* box = new QCheckBox(Text(id), this);
        connect(box, &QCheckBox::toggled, this, &CExportDialog::UpdatePreview);
        return box;
    };
    const auto spin = [this] {
        auto* box = new QSpinBox(this);
        box->setRange(1, kMaxCanvasWidth);
        box->setValue(8);
        connect(box, &QSpinBox::valueChanged, this, &CExportDialog::UpdatePreview);
        return box;
    };
    m_pFormat = new QComboBox(this);
    for (const SExportChoice& choice : m_choices)
        m_pFormat->addItem(FormFilter(choice));
    connect(m_pFormat, &QComboBox::currentIndexChanged, this, &CExportDialog::UpdatePreview);
    m_pScan = combo({Rows, Columns});
    m_pBitOrder = combo({MsbFirst, LsbFirst});
    m_pModules = check(Modules);
    m_pModuleWidth = spin();
    m_pModuleHeight = spin();
    m_pModuleOrder = combo({Rows, Columns});
    m_pSerpentine = check(Serpentine);
    m_pInvert = check(Invert);
    m_pPlanes = combo({Mono, RedGreen, Rgb});

    auto* modules = new QHBoxLayout;
    modules->addWidget(m_pModules);
    modules->addWidget(m_pModuleWidth);
    modules->addWidget(new QLabel(Text(Times), this));
    modules->addWidget(m_pModuleHeight);
    modules->addStretch();
    auto* form = new QFormLayout;
    form->addRow(Text(Format), m_pFormat);
    form->addRow(Text(Scan), m_pScan);
    form->addRow(Text(BitOrder), m_pBitOrder);
    form->addRow(modules);
    form->addRow(Text(ModuleOrder), m_pModuleOrder);
    form->addRow(m_pSerpentine);
    form->addRow(m_pInvert);
    form->addRow(Text(Planes), m_pPlanes);

    m_pDots = new CExportDotView(this);
    m_pDots->SetGrid(m_grid);
    connect(m_pDots, &CExportDotView::ByteHovered, this, &CExportDialog::ShowByte);
    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addWidget(m_pDots, 1);

    m_pPreview = new QPlainTextEdit(this);
    m_pPreview->setReadOnly(true);
    m_pPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pPreview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pByteLine = new QLabel(this);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pByteLine);
    layout->addWidget(new QLabel(Text(Preview), this));
    layout->addWidget(m_pPreview, 1);
    layout->addWidget(m_pButtons);
    resize(760, 560);
}

void CExportDialog::SetRequest(const SExportRequest& request)
{
    m_szPath = request.path;
    const QString suffix = QFileInfo(request.path).suffix().toLower();
    int form = 0;
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        if (suffix == m_choices[i].szExtension)
            form = static_cast<int>(i);
    }
    const SExportOptions& o = request.options;
    const QSignalBlocker blockers[] = {QSignalBlocker(m_pFormat), QSignalBlocker(m_pScan), QSignalBlocker(m_pBitOrder),
                                       QSignalBlocker(m_pModules), QSignalBlocker(m_pModuleWidth),
                                       QSignalBlocker(m_pModuleHeight), QSignalBlocker(m_pModuleOrder),
                                       QSignalBlocker(m_pSerpentine), QSignalBlocker(m_pInvert), QSignalBlocker(m_pPlanes)};
    m_pFormat->setCurrentIndex(form);
    m_pScan->setCurrentIndex(o.scan);
    m_pBitOrder->setCurrentIndex(o.bitOrder);
    m_pModules->setChecked(o.HasModules());
    if (o.HasModules()) {
        m_pModuleWidth->setValue(o.moduleWidth);
        m_pModuleHeight->setValue(o.moduleHeight);
    }
    m_pModuleOrder->setCurrentIndex(o.moduleOrder);
    m_pSerpentine->setChecked(o.serpentine);
    m_pInvert->setChecked(o.invert);
    m_pPlanes->setCurrentIndex(o.planes);
    UpdatePreview();
}

const SExportChoice& CExportDialog::Choice() const
{
    return m_choices.at(static_cast<std::size_t>(std::max(0, m_pFormat->currentIndex())));
}

QString CExportDialog::FormFilter(const SExportChoice& choice) const
{
    QString name = QLatin1String(choice.pExporter->szName);
    for (const SFormName& form : kFormNames) {
        if (name == QLatin1String(form.registryName))
            name = Text(form.text);
    }
    return QStringLiteral("%1 (*.%2)").arg(name, choice.szExtension);
}

QString CExportDialog::Extension() const
{
    return Choice().szExtension;
}

QString CExportDialog::Filter() const
{
    return FormFilter(Choice());
}

SExportRequest CExportDialog::Request() const
{
    SExportRequest request;
    request.options = Options();
    const QFileInfo info(m_szPath);
    const QString base = m_szPath.isEmpty() ? QStringLiteral("sign") : info.completeBaseName();
    const QString folder = m_szPath.isEmpty() ? QString() : info.path() + QLatin1Char('/');
    request.path = folder + base + QLatin1Char('.') + Extension();
    return request;
}

SExportOptions CExportDialog::Options() const
{
    SExportOptions o;
    o.scan = static_cast<SExportOptions::Scan>(m_pScan->currentIndex());
    o.bitOrder = static_cast<SExportOptions::BitOrder>(m_pBitOrder->currentIndex());
    if (m_pModules->isChecked()) {
        o.moduleWidth = m_pModuleWidth->value();
        o.moduleHeight = m_pModuleHeight->value();
    }
    o.moduleOrder = static_cast<SExportOptions::ModuleOrder>(m_pModuleOrder->currentIndex());
    o.serpentine = m_pSerpentine->isChecked();
    o.invert = m_pInvert->isChecked();
    o.planes = static_cast<SExportOptions::Planes>(m_pPlanes->currentIndex());
    return o;
}

void CExportDialog::UpdatePreview()
{
    // A picture keeps every dot as it is: the byte options are not its.
    const bool bytes = Choice().pExporter->nFamily == SExporter::Controller;
    for (QWidget* control : std::initializer_list<QWidget*>{m_pScan, m_pBitOrder, m_pModules, m_pInvert, m_pPlanes})
        control->setEnabled(bytes);
    const bool modules = bytes && m_pModules->isChecked();
    m_pModuleWidth->setEnabled(modules);
    m_pModuleHeight->setEnabled(modules);
    m_pModuleOrder->setEnabled(modules);
    m_pSerpentine->setEnabled(modules);
    m_pByteLine->setVisible(bytes);
    if (!bytes) {
        m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(!m_grid.IsEmpty());
        m_pDots->SetLayout(CByteLayout());
        m_abBytes.clear();
        m_pPreview->setPlainText(Text(PictureNote).arg(m_grid.Width()).arg(m_grid.Height()));
        ShowByte(-1);
        return;
    }

    const SExportOptions options = Options();
    CByteLayout layout;
    QString error;
    const bool fits = layout.Set(m_grid.Width(), m_grid.Height(), options, error);
    m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(fits);
    m_pDots->SetLayout(fits ? layout : CByteLayout());
    if (!fits) {
        m_abBytes.clear();
        m_pPreview->setPlainText(MessageText::Translate(error, m_nLanguage));
        ShowByte(-1);
        return;
    }
    m_abBytes = CDotBytes::Encode(m_grid, layout);
    const CControllerExport::Format format = CControllerExport::FormatOf(QStringLiteral("a.") + Extension());
    QByteArray content;
    CControllerExport::Render(m_grid, options, format, CCArrayText::NameFromPath(Request().path), content, error);
    // Line ends show as plain line breaks, whatever the file uses.
    m_pPreview->setPlainText(format == CControllerExport::Raw ? HexDump(content, kPreviewLines)
                                                               : FirstLines(content, kPreviewLines).remove(QLatin1Char('\r')));
    ShowByte(m_pDots->HighlightedByte());
}

void CExportDialog::ShowByte(qint64 index)
{
    if (index < 0 || index >= m_abBytes.size()) {
        m_pByteLine->setText(Text(NoByte));
        return;
    }
    const CByteLayout::SRun& run = m_pDots->HighlightedRun();
    const int last = run.count - 1;
    m_pByteLine->setText(Text(ByteLine)
                             .arg(index)
                             .arg(static_cast<unsigned char>(m_abBytes.at(index)), 2, 16, QLatin1Char('0'))
                             .arg(run.x)
                             .arg(run.y)
                             .arg(run.x + last * run.dx)
                             .arg(run.y + last * run.dy));
}

QString CExportDialog::PreviewText() const
{
    return m_pPreview->toPlainText();
}

QString CExportDialog::ByteText() const
{
    return m_pByteLine->text();
}

bool CExportDialog::CanAccept() const
{
    return m_pButtons->button(QDialogButtonBox::Ok)->isEnabled();
}
