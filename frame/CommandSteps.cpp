#include "frame/CommandSteps.h"

#include "base/MessageTexts.h"
#include "canvas/ImageView.h"
#include "base/QuotedText.h"
#include "base/RegularFile.h"
#include "dotdata/ControllerExport.h"
#include "dotdata/DotListing.h"
#include "dotdata/DotListingReader.h"
#include "dotdata/ExportRegistry.h"
#include "dotdata/DotTextPdf.h"
#include "dotdata/ListingDocument.h"
#include "dotdata/ProjectFile.h"
#include "frame/ListingPrint.h"
#include "textinput/InputTextView.h"

#include <QTextEdit>

CCommandSteps::CCommandSteps(CImageView& canvas, CInputTextView& pane)
    : m_canvas(canvas)
    , m_pane(pane)
{
}

bool CCommandSteps::NewCanvas(int width, int height, int mode)
{
    if (!m_canvas.NewCanvas(width, height, mode))
        return false;
    m_pane.SetInputMode(mode);
    m_pane.OnNewCanvas();
    return true;
}

bool CCommandSteps::Open(const QString& path)
{
    if (!m_canvas.LoadPicture(path))
        return false;
    m_bOpenLitNothing = m_canvas.PictureColors() == ExactColors && !CDotListing::HasLitDot(m_canvas.Grid());
    return true;
}

void CCommandSteps::SetPictureColors(int matching)
{
    m_canvas.SetPictureColors(matching);
}

void CCommandSteps::ToggleViewImage()
{
    if (m_canvas.IsTextPaneShown()) {
        m_canvas.ShowTextPane(0);
        return;
    }
    ShowListing();
}

void CCommandSteps::ShowListing()
{
    if (!m_canvas.IsTextPaneShown())
        m_canvas.ShowTextPane(1);
    m_canvas.BeginDotText();
}

void CCommandSteps::SaveDot()
{
    m_canvas.SaveDotData();
}

void CCommandSteps::SaveImage()
{
    m_canvas.SaveImage();
}

bool CCommandSteps::SaveImageTo(const QString& path)
{
    return m_canvas.SaveImageTo(path);
}

bool CCommandSteps::ExportTo(const QString& path, const SExportOptions& options, QString& error)
{
    const COutcome written = CExportRegistry::WriteExport({m_canvas.Grid(), m_canvas.Text(), options}, path);
    error = written.Message();
    return written.IsOk();
}

bool CCommandSteps::LoadExport(const QString& path, const SExportOptions& options, QString& error)
{
    CDotGrid loaded = m_canvas.Grid();
    if (!CControllerExport::Read(path, options, loaded.ColorIndex(), loaded, error))
        return false;
    m_canvas.Document().ChangeDots(EUndoKind::LoadDots, [&loaded](CDotGrid& dots) { dots = loaded; });
    return true;
}

void CCommandSteps::Print(const CFrameDialogs& dialogs, int language)
{
    const CListingDocument listing(m_canvas.Document().Listing());
    CListingPrint(dialogs, listing, language).Run();
}

bool CCommandSteps::PrintToPdf(const QString& path, QString& error)
{
    const CListingDocument listing(m_canvas.Document().Listing());
    return CDotTextPdf(listing).Write(path, error);
}

bool CCommandSteps::ListingLeavesDotsOut() const
{
    return CDotListing::LeavesLitDotsOut(m_canvas.Grid(), m_canvas.Text());
}

void CCommandSteps::MergeText()
{
    m_pane.OnMergeText();
}

void CCommandSteps::Mirror()
{
    m_canvas.Mirror();
}

void CCommandSteps::Flip()
{
    m_canvas.Flip();
}

void CCommandSteps::Rotate()
{
    m_canvas.Rotate();
}

void CCommandSteps::SetBackgroundColor(COLORREF colour)
{
    m_canvas.SetBackgroundColor(colour);
}

void CCommandSteps::ApplyFont(const LogFont& font)
{
    m_pane.ApplyFont(font);
}

bool CCommandSteps::Undo()
{
    return m_canvas.Undo();
}

bool CCommandSteps::Redo()
{
    return m_canvas.Redo();
}

bool CCommandSteps::EditDot(int column, int row, bool light)
{
    const CDotGrid& grid = m_canvas.Grid();
    const COLORREF colour = light ? grid.DotColor() : grid.BackColor();
    return m_canvas.EditDot(column, row, colour);
}

bool CCommandSteps::LoadDots(const QString& path, QString& error)
{
    QFile file;
    const CRegularFile::Status status = CRegularFile::Open(path, CDotListingReader::kMaxBytes, file);
    if (status != CRegularFile::Ok) {
        error = CRegularFile::Describe(status, path, CDotListingReader::kMaxBytes);
        return false;
    }
    const CDotGrid& grid = m_canvas.Document().Grid();
    if (grid.IsEmpty()) {
        error = MessageText::English(MessageText::NoCanvasForListing);
        return false;
    }
    CDotListingReader reader;
    if (!reader.Read(file, grid.Width(), grid.Height())) {
        error = QStringLiteral("%1: %2").arg(CQuotedText::Quote(path), reader.Error());
        return false;
    }
    m_canvas.Document().ChangeDots(EUndoKind::LoadDots, [&reader](CDotGrid& dots) {
        for (const CDotListingReader::SDot& dot : reader.Dots())
            dots.SetDisplayDot(dot.x, dot.y, DotPalette[static_cast<std::size_t>(dot.colorIndex)]);
    });
    return true;
}

SProject CCommandSteps::Project() const
{
    const CCanvasDocument& document = m_canvas.Document();
    SProject project;
    project.m_grid = document.Grid();
    project.m_text = document.Text();
    project.m_input = m_pane.InputState();
    project.m_nPictureColors = document.PictureColors();
    if (document.Frames().IsAnimated()) {
        project.m_frames = document.Frames().Copy();
        project.m_nCurrentFrame = document.Frames().Current();
    }
    return project;
}

void CCommandSteps::RestoreProject(SProject project)
{
    const int mode = project.m_grid.Mode();
    m_pane.SetInputMode(mode);
    m_pane.RestoreInputState(project.m_input, project.m_text);
    m_canvas.Document().Restore(std::move(project.m_grid), std::move(project.m_frames), project.m_nCurrentFrame,
                                project.m_text, project.m_nPictureColors,
                                m_pane.RichEdit()->document());
}

bool CCommandSteps::SaveProject(const QString& path, QString& error) const
{
    return CProjectFile::Save(path, Project(), error);
}

bool CCommandSteps::OpenProject(const QString& path, QString& error)
{
    SProject project;
    if (CProjectFile::Load(path, project, error) != CProjectFile::Ok)
        return false;
    RestoreProject(std::move(project));
    return true;
}
