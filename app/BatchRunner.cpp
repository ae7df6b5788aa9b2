#include "app/BatchRunner.h"

#include "animation/FrameImages.h"
#include "base/ByteFileName.h"
#include "base/QuotedText.h"
#include "canvas/CanvasDocument.h"
#include "dotdata/DotListingReader.h"
#include "frame/AnimationSteps.h"
#include "dotdata/ProjectFile.h"
#include "frame/CommandSteps.h"
#include "frame/DrawingSteps.h"
#include "base/Languages.h"
#include "frame/OverflowMessage.h"
#include "textinput/ExactGlyphs.h"
#include "textinput/FontComboBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QTextStream>

#include <algorithm>

namespace {

// A message the window shows in a box, on the one line batch errors take.
QString OneLine(const QString& message)
{
    return QString(message).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

CBatchRunner::CBatchRunner(QTextStream& out, QTextStream& err)
    : m_out(out)
    , m_err(err)
    , m_pDocument(std::make_unique<CCanvasDocument>())
    , m_pSteps(std::make_unique<CCommandSteps>(*m_pDocument, m_dialogs))
    , m_pAnimation(std::make_unique<CAnimationSteps>(*m_pDocument))
    , m_pDrawing(std::make_unique<CDrawingSteps>(*m_pDocument))
{
    // A save dialog is answered with the file the option names; a message
    // the window would show in a box becomes the batch run's error.
    const auto outputPath = [this](const QString&) { return m_szOutputPath; };
    m_dialogs.askSaveImagePath = outputPath;
    m_dialogs.askSaveDotPath = outputPath;
    m_dialogs.showMessage = [this](const QString& text) { m_szMessage = text; };
}

CBatchRunner::~CBatchRunner() = default;

CInputText& CBatchRunner::Input()
{
    return m_pDocument->Input();
}

int CBatchRunner::Run(const std::vector<SBatchStep>& steps)
{
    StartInImageModeIfOpenedFirst(steps);
    for (const SBatchStep& step : steps) {
        m_szMessage.clear();
        if (!RunNamedStep(step))
            return 2;
    }
    return 0;
}

void CBatchRunner::StartInImageModeIfOpenedFirst(const std::vector<SBatchStep>& steps)
{
    // A picture opened into the text-mode start canvas would list nothing.
    const auto first = std::find_if(steps.begin(), steps.end(), [](const SBatchStep& step) {
        return step.kind == SBatchStep::New || step.kind == SBatchStep::Open;
    });
    if (first == steps.end() || first->kind != SBatchStep::Open)
        return;
    m_pDocument->Grid().SetMode(ImageMode);
    Input().SetMode(ImageMode);
}

bool CBatchRunner::Fail(const SBatchStep& step, const QString& what)
{
    m_err << step.option << ": " << what << Qt::endl;
    return false;
}

bool CBatchRunner::RunNamedStep(const SBatchStep& step)
{
    const bool reads = step.kind == SBatchStep::Open || step.kind == SBatchStep::LoadDots
        || step.kind == SBatchStep::LoadExport;
    const bool writes = step.kind == SBatchStep::SaveDots || step.kind == SBatchStep::SaveImage
        || step.kind == SBatchStep::PrintPdf || step.kind == SBatchStep::Export
        || step.kind == SBatchStep::SaveProject || step.kind == SBatchStep::SaveGif;
    if ((!reads && !writes) || step.rawText.isEmpty() || CByteFileName::IsUtf8(step.rawText))
        return RunStep(step);
    // A file name that is not UTF-8 reaches its file through a stand-in path.
    CByteFileName name(step.rawText);
    SBatchStep named = step;
    QString error;
    named.text = reads ? name.ReadPath() : name.WritePath(error);
    if (named.text.isEmpty())
        return Fail(step, error);
    if (!RunStep(named))
        return false;
    return reads || name.Commit(error) || Fail(step, error);
}

bool CBatchRunner::RunStep(const SBatchStep& step)
{
    CCanvasDocument& document = *m_pDocument;
    switch (step.kind) {
    case SBatchStep::New:
        return NewCanvas(step);
    case SBatchStep::Open:
        return OpenPicture(step);
    case SBatchStep::Match:
        m_pSteps->SetPictureColors(step.x);
        return true;
    case SBatchStep::Mirror:
        m_pSteps->Mirror();
        return true;
    case SBatchStep::Flip:
        m_pSteps->Flip();
        return true;
    case SBatchStep::Rotate:
        m_pSteps->Rotate();
        return true;
    case SBatchStep::DotColor:
        document.SetDotColor(step.x);
        return true;
    case SBatchStep::Background:
        m_pSteps->SetBackgroundColor(step.color);
        return true;
    case SBatchStep::SetDot:
    case SBatchStep::ClearDot:
        return EditDot(step, step.kind == SBatchStep::SetDot);
    case SBatchStep::Text:
        return TypeText(step);
    case SBatchStep::TextColors:
        m_anTextColors = step.colors;
        Input().SetCharacterColors(m_anTextColors);
        return true;
    case SBatchStep::Font:
    case SBatchStep::Size:
        return SetFont(step);
    case SBatchStep::Offset:
        return SetOffset(step);
    case SBatchStep::Stretch:
        Input().SetStretch(step.x);
        return true;
    case SBatchStep::OverlayAt:
        return SetOverlayPosition(step);
    case SBatchStep::Align:
    case SBatchStep::Spacing:
    case SBatchStep::LineSpacing:
    case SBatchStep::FitHeight:
        SetLayout(step);
        return true;
    case SBatchStep::Merge:
        WarnOfOverflow(step);
        WarnOfMissingSize(step);
        m_pSteps->MergeText();
        return true;
    case SBatchStep::SaveDots:
        return SaveDots(step);
    case SBatchStep::SaveImage:
        if (document.Grid().IsEmpty())
            return Fail(step, QStringLiteral("the canvas is empty"));
        return m_pSteps->SaveImageTo(step.text) || Fail(step, OneLine(m_szMessage));
    case SBatchStep::PrintPdf:
        return PrintPdf(step);
    case SBatchStep::LoadDots:
        return LoadDots(step);
    case SBatchStep::SaveProject:
        return SaveProject(step);
    case SBatchStep::Scan:
    case SBatchStep::BitOrder:
    case SBatchStep::Module:
    case SBatchStep::ModuleOrder:
    case SBatchStep::Serpentine:
    case SBatchStep::Invert:
    case SBatchStep::Planes:
        SetExportOption(step);
        return true;
    case SBatchStep::Export:
        return Export(step);
    case SBatchStep::LoadExport:
        return LoadExport(step);
    case SBatchStep::Undo:
        return m_pSteps->Undo() || Fail(step, QStringLiteral("nothing to undo"));
    case SBatchStep::Redo:
        return m_pSteps->Redo() || Fail(step, QStringLiteral("nothing to redo"));
    case SBatchStep::Frame:
    case SBatchStep::AddFrame:
    case SBatchStep::DuplicateFrame:
    case SBatchStep::DeleteFrame:
    case SBatchStep::MoveFrame:
    case SBatchStep::Duration:
        return RunFrameStep(step);
    case SBatchStep::Panel:
        m_nPanelWidth = step.x;
        m_nPanelHeight = step.y;
        return true;
    case SBatchStep::Scroll:
    case SBatchStep::Blink:
    case SBatchStep::Wipe:
        return RunEffect(step);
    case SBatchStep::GifDots:
        m_nGifDots = step.x;
        return true;
    case SBatchStep::SaveGif:
    case SBatchStep::SaveFrames:
        return SaveAnimation(step);
    case SBatchStep::Line:
    case SBatchStep::ClearLine:
    case SBatchStep::Rect:
    case SBatchStep::ClearRect:
    case SBatchStep::Ellipse:
    case SBatchStep::ClearEllipse:
        return Draw(step);
    case SBatchStep::Fill:
    case SBatchStep::ClearFill:
        return Fill(step);
    case SBatchStep::Resize:
        return Resize(step);
    case SBatchStep::Crop:
        return Crop(step);
    case SBatchStep::ListFonts:
        ListFonts();
        return true;
    case SBatchStep::Help:
        m_out << CBatchCommandLine::HelpText();
        return true;
    case SBatchStep::Version:
        m_out << "pellmark " << PELLMARK_VERSION << Qt::endl;
        return true;
    }
    return true;
}

bool CBatchRunner::SaveProject(const SBatchStep& step)
{
    QString error;
    return CheckOutputFolder(step) && (m_pSteps->SaveProject(step.text, error) || Fail(step, error));
}

bool CBatchRunner::NewCanvas(const SBatchStep& step)
{
    // The New dialog's correction, without its question.
    const int width = RoundToBlocks(step.x, kMaxCanvasWidth);
    const int height = RoundToBlocks(step.y, kMaxCanvasHeight);
    return m_pSteps->NewCanvas(width, height, step.mode) || Fail(step, QStringLiteral("not enough memory for the canvas"));
}

bool CBatchRunner::OpenPicture(const SBatchStep& step)
{
    // A project is known by its content and replaces the whole document.
    QString error;
    if (CProjectFile::IsProject(step.text))
        return m_pSteps->OpenProject(step.text, error) || Fail(step, error);
    if (!m_pSteps->Open(step.text))
        return Fail(step, QStringLiteral("cannot read the picture: %1").arg(OneLine(m_szMessage)));
    // Not an error: a picture may well be blank. One line says what would help.
    if (m_pSteps->OpenLitNothing())
        m_err << step.option << ": warning: exact colours lit no dot of " << CQuotedText::Quote(step.text)
              << "; for a photo or a scan put --match nearest or --match dither before --open" << Qt::endl;
    return true;
}

bool CBatchRunner::EditDot(const SBatchStep& step, bool light)
{
    const CDotGrid& grid = m_pDocument->Grid();
    if (step.x < 0 || step.y < 0 || step.x >= grid.Width() || step.y >= grid.Height())
        return Fail(step, QStringLiteral("%1,%2 is outside the %3 x %4 canvas")
                              .arg(step.x).arg(step.y).arg(grid.Width()).arg(grid.Height()));
    return m_pSteps->EditDot(step.x, step.y, light) || Fail(step, QStringLiteral("the typed text must be merged first"));
}

bool CBatchRunner::Draw(const SBatchStep& step)
{
    const QPoint from(step.x, step.y);
    const QPoint to(step.x2, step.y2);
    const bool filled = step.mode == 1;
    bool allowed = false;
    switch (step.kind) {
    case SBatchStep::Line:
    case SBatchStep::ClearLine:
        allowed = m_pDrawing->Line(from, to, step.kind == SBatchStep::Line);
        break;
    case SBatchStep::Rect:
    case SBatchStep::ClearRect:
        allowed = m_pDrawing->Rectangle(from, to, filled, step.kind == SBatchStep::Rect);
        break;
    default:
        allowed = m_pDrawing->Ellipse(from, to, filled, step.kind == SBatchStep::Ellipse);
        break;
    }
    return allowed || Fail(step, QStringLiteral("the typed text must be merged first"));
}

bool CBatchRunner::Fill(const SBatchStep& step)
{
    const CDotGrid& grid = m_pDocument->Grid();
    if (!grid.Contains(step.x, step.y))
        return Fail(step, QStringLiteral("%1,%2 is outside the %3 x %4 canvas")
                              .arg(step.x).arg(step.y).arg(grid.Width()).arg(grid.Height()));
    return m_pDrawing->Fill(QPoint(step.x, step.y), step.kind == SBatchStep::Fill)
        || Fail(step, QStringLiteral("the typed text must be merged first"));
}

bool CBatchRunner::Resize(const SBatchStep& step)
{
    if (m_pDocument->Grid().IsEmpty())
        return Fail(step, QStringLiteral("the canvas is empty"));
    return m_pDrawing->ResizeCanvas(QSize(step.x, step.y), step.mode)
        || Fail(step, QStringLiteral("not enough memory for the canvas"));
}

bool CBatchRunner::Crop(const SBatchStep& step)
{
    const CDotGrid& grid = m_pDocument->Grid();
    const QRect area(step.x, step.y, step.x2, step.y2);
    if (!area.intersects(QRect(0, 0, grid.Width(), grid.Height())))
        return Fail(step, QStringLiteral("%1,%2,%3,%4 lies outside the %5 x %6 canvas")
                              .arg(step.x).arg(step.y).arg(step.x2).arg(step.y2).arg(grid.Width()).arg(grid.Height()));
    return m_pDrawing->Crop(area) || Fail(step, QStringLiteral("not enough memory for the canvas"));
}

bool CBatchRunner::TypeText(const SBatchStep& step)
{
    Input().SetText(step.text);
    // The last --text-colors goes on for new text.
    Input().SetCharacterColors(m_anTextColors);
    return true;
}

bool CBatchRunner::SetFont(const SBatchStep& step)
{
    LogFont font = Input().Font();
    if (step.kind == SBatchStep::Size) {
        font.lfHeight = step.x;
    } else {
        const QStringList families = QFontDatabase::families();
        const auto it = std::find_if(families.begin(), families.end(), [&step](const QString& f) {
            return f.compare(step.text, Qt::CaseInsensitive) == 0;
        });
        if (it == families.end())
            return Fail(step, QStringLiteral("no font family '%1' (see --list-fonts)").arg(step.text));
        font.lfFaceName = it->left(LogFont::kFaceNameLength);
    }
    m_pSteps->ApplyFont(font);
    return true;
}

void CBatchRunner::WarnOfMissingSize(const SBatchStep& step)
{
    // A bitmap font cannot be scaled: a size it lacks is drawn at its
    // nearest, which the run says once rather than silently.
    const LogFont font = Input().Font();
    const CExactGlyphs exact(font);
    if (!exact.IsBitmapOnly() || font.lfHeight == 0)
        return;
    const int em = exact.EmFor(font.lfHeight);
    if (em == std::abs(font.lfHeight))
        return;
    m_err << step.option << ": warning: " << font.lfFaceName << " has no size " << std::abs(font.lfHeight)
          << "; it is drawn at its size " << em << Qt::endl;
}

bool CBatchRunner::SetOffset(const SBatchStep& step)
{
    if (m_pDocument->Grid().Mode() != TextMode)
        return Fail(step, QStringLiteral("glyph offsets apply to text mode only"));
    m_pDocument->SetTextOffsets(step.x, step.y);
    return true;
}

bool CBatchRunner::SetOverlayPosition(const SBatchStep& step)
{
    if (Input().Mode() != ImageMode)
        return Fail(step, QStringLiteral("the overlay position applies to image mode only"));
    Input().SetOverlayPosition(step.x, step.y);
    return true;
}

void CBatchRunner::SetLayout(const SBatchStep& step)
{
    // As the layout buttons and boxes would: the options stay for the next text.
    SSignLayoutOptions options = Input().LayoutOptions();
    switch (step.kind) {
    case SBatchStep::Align:
        options.nAlignH = step.x;
        options.nAlignV = step.y;
        break;
    case SBatchStep::Spacing:
        options.nSpacing = step.x;
        break;
    case SBatchStep::LineSpacing:
        options.nLineSpacing = step.x;
        break;
    default:
        options.bFitHeight = true;
        break;
    }
    Input().SetLayoutOptions(options);
}

void CBatchRunner::WarnOfOverflow(const SBatchStep& step)
{
    const CCanvasDocument& document = *m_pDocument;
    if (document.Grid().Mode() != ImageMode || document.Text().m_szText.isEmpty() || !Input().IsMergePending())
        return;
    const QSize overflow = document.OverlayOverflow();
    const QString message = OverflowMessage(kLanguageEnglish, overflow.width(), overflow.height());
    if (!message.isEmpty())
        m_err << step.option << ": warning: " << message << " The part outside is cut off." << Qt::endl;
}

bool CBatchRunner::CheckListing(const SBatchStep& step)
{
    if (m_pDocument->Grid().IsEmpty())
        return Fail(step, QStringLiteral("the canvas is empty"));
    if (m_pSteps->ListingLeavesDotsOut() && m_pDocument->Text().m_szText.isEmpty())
        return Fail(step, QStringLiteral("a text-mode canvas with lit dots but no merged text lists nothing; "
                                         "start with --new WxH:image to list a picture"));
    if (m_pSteps->ListingLeavesDotsOut())
        return Fail(step, QStringLiteral("a text-mode canvas lists only merged text, and --open, --load-dots, "
                                         "--rotate, --mirror or --flip replaced its dots; merge again, "
                                         "or start with --new WxH:image to list a picture"));
    return true;
}

bool CBatchRunner::CheckOutputFolder(const SBatchStep& step)
{
    const QFileInfo info(step.text);
    if (info.isDir())
        return Fail(step, QStringLiteral("'%1' is a folder").arg(step.text));
    if (!info.absoluteDir().exists())
        return Fail(step, QStringLiteral("the folder of '%1' does not exist").arg(step.text));
    return true;
}

bool CBatchRunner::SaveDots(const SBatchStep& step)
{
    if (step.text.contains(QLatin1String("%d")))
        return SaveDotsPerFrame(step);
    if (!CheckOutputFolder(step) || !CheckListing(step))
        return false;
    m_szOutputPath = step.text;
    m_pSteps->SaveDot();
    return m_szMessage.isEmpty() || Fail(step, OneLine(m_szMessage));
}

bool CBatchRunner::PrintPdf(const SBatchStep& step)
{
    if (!CheckOutputFolder(step) || !CheckListing(step))
        return false;
    // The same writer as the window's Print to PDF: complete and checked
    // before it replaces anything.
    QString error;
    return m_pSteps->PrintToPdf(step.text, error) || Fail(step, error);
}

bool CBatchRunner::LoadDots(const SBatchStep& step)
{
    if (m_pDocument->Grid().IsEmpty() && QFileInfo(step.text).isFile())
        return Fail(step, QStringLiteral("the canvas is empty; make one with --new or --open first"));
    QString error;
    return m_pSteps->LoadDots(step.text, error) || Fail(step, error);
}

void CBatchRunner::SetExportOption(const SBatchStep& step)
{
    // The values were checked when the command line was read.
    SExportOptions& options = m_exportOptions;
    switch (step.kind) {
    case SBatchStep::Scan:
        CExportOptionNames::ParseScan(step.text, options);
        break;
    case SBatchStep::BitOrder:
        CExportOptionNames::ParseBitOrder(step.text, options);
        break;
    case SBatchStep::ModuleOrder:
        CExportOptionNames::ParseModuleOrder(step.text, options);
        break;
    case SBatchStep::Planes:
        CExportOptionNames::ParsePlanes(step.text, options);
        break;
    case SBatchStep::Module:
        options.moduleWidth = step.x;
        options.moduleHeight = step.y;
        break;
    case SBatchStep::Serpentine:
        options.serpentine = true;
        break;
    case SBatchStep::Invert:
        options.invert = true;
        break;
    default:
        break;
    }
}

bool CBatchRunner::Export(const SBatchStep& step)
{
    if (m_pDocument->Grid().IsEmpty())
        return Fail(step, QStringLiteral("the canvas is empty"));
    if (!CheckOutputFolder(step))
        return false;
    QString error;
    return m_pSteps->ExportTo(step.text, m_exportOptions, error) || Fail(step, OneLine(error));
}

bool CBatchRunner::LoadExport(const SBatchStep& step)
{
    if (m_pDocument->Grid().IsEmpty())
        return Fail(step, QStringLiteral("the canvas is empty; make one with --new or --open first"));
    // A name that is not UTF-8 is read through a stand-in path without its
    // extension; the form is the one the given name says.
    const QString name = step.rawText.isEmpty() ? QString() : QString::fromUtf8(step.rawText);
    QString error;
    return m_pSteps->LoadExport(step.text, m_exportOptions, error, name) || Fail(step, OneLine(error));
}

void CBatchRunner::ListFonts()
{
    // The same list, in the same order, as the input pane's font box.
    CFontComboBox fonts;
    fonts.FillFontList();
    for (int i = 0; i < fonts.count(); ++i)
        m_out << fonts.itemText(i) << '\n';
    m_out.flush();
}

bool CBatchRunner::SaveDotsPerFrame(const SBatchStep& step)
{
    const CFrameList& frames = m_pDocument->Frames();
    const int current = frames.Current();
    for (int i = 0; i < frames.Count(); ++i) {
        SBatchStep one = step;
        one.text = CFrameImages::FramePath(step.text, i + 1, frames.Count());
        m_pAnimation->SelectFrame(i);
        if (!SaveDots(one))
            return false;
    }
    // The options after this one go on with the frame that was current.
    m_pAnimation->SelectFrame(current);
    return true;
}

bool CBatchRunner::CheckFrameNumber(const SBatchStep& step)
{
    const int count = m_pDocument->Frames().Count();
    return step.x <= count
        || Fail(step, QStringLiteral("there is no frame %1: the document has %2").arg(step.x).arg(count));
}

bool CBatchRunner::RunFrameStep(const SBatchStep& step)
{
    CAnimationSteps& frames = *m_pAnimation;
    switch (step.kind) {
    case SBatchStep::Frame:
        if (!CheckFrameNumber(step))
            return false;
        // Choosing the frame that is current already changes nothing.
        frames.SelectFrame(step.x - 1);
        return true;
    case SBatchStep::AddFrame:
        return frames.AddFrame() || Fail(step, QStringLiteral("no room for another frame"));
    case SBatchStep::DuplicateFrame:
        return frames.DuplicateFrame() || Fail(step, QStringLiteral("no room for another frame"));
    case SBatchStep::DeleteFrame:
        return frames.DeleteFrame() || Fail(step, QStringLiteral("the only frame cannot be deleted"));
    case SBatchStep::MoveFrame:
        if (!CheckFrameNumber(step))
            return false;
        frames.MoveFrame(step.x - 1);
        return true;
    case SBatchStep::Duration:
        frames.SetFrameDuration(step.x);
        return true;
    default:
        return true;
    }
}

bool CBatchRunner::RunEffect(const SBatchStep& step)
{
    const CDotGrid& grid = m_pDocument->Grid();
    const auto direction = static_cast<CFrameEffects::Direction>(step.x);
    QString error;
    bool made = false;
    switch (step.kind) {
    case SBatchStep::Scroll:
        made = m_pAnimation->Scroll(direction, step.y, m_nPanelWidth > 0 ? m_nPanelWidth : grid.Width(),
                                    m_nPanelHeight > 0 ? m_nPanelHeight : grid.Height(), error);
        break;
    case SBatchStep::Blink:
        made = m_pAnimation->Blink(step.x, error);
        break;
    default:
        made = m_pAnimation->Wipe(direction, step.y, error);
        break;
    }
    return made || Fail(step, OneLine(error));
}

bool CBatchRunner::SaveAnimation(const SBatchStep& step)
{
    if (m_pDocument->Grid().IsEmpty())
        return Fail(step, QStringLiteral("the canvas is empty"));
    if (!CheckOutputFolder(step))
        return false;
    QString error;
    const bool saved = step.kind == SBatchStep::SaveGif ? m_pAnimation->SaveGif(step.text, m_nGifDots, error)
                                                         : m_pAnimation->SaveFrames(step.text, error);
    return saved || Fail(step, OneLine(error));
}
