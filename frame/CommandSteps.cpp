#include "frame/CommandSteps.h"

#include "base/MessageTexts.h"
#include "base/QuotedText.h"
#include "base/RegularFile.h"
#include "canvas/CanvasDocument.h"
#include "canvas/DocumentFiles.h"
#include "dotdata/ControllerExport.h"
#include "dotdata/DotListing.h"
#include "dotdata/DotListingReader.h"
#include "dotdata/ExportRegistry.h"
#include "dotdata/DotTextPdf.h"
#include "dotdata/ListingDocument.h"
#include "dotdata/ProjectFile.h"
#include "frame/ListingPrint.h"

CCommandSteps::CCommandSteps(CCanvasDocument& document, const CFrameDialogs& dialogs)
    : m_document(document)
    , m_dialogs(dialogs)
{
}

CInputText& CCommandSteps::Input()
{
    return m_document.Input();
}

bool CCommandSteps::NewCanvas(int width, int height, int mode)
{
    if (!m_document.NewCanvas(width, height, mode))
        return false;
    Input().SetMode(mode);
    Input().OnNewCanvas();
    return true;
}

bool CCommandSteps::Open(const QString& path)
{
    if (!CDocumentFiles(m_document, m_dialogs).OpenPicture(path))
        return false;
    m_bOpenLitNothing = m_document.PictureColors() == ExactColors && !CDotListing::HasLitDot(m_document.Grid());
    return true;
}

void CCommandSteps::SetPictureColors(int matching)
{
    m_document.SetPictureColors(matching);
}

void CCommandSteps::SaveDot()
{
    CDocumentFiles(m_document, m_dialogs).SaveDot();
}

void CCommandSteps::SaveImage()
{
    CDocumentFiles(m_document, m_dialogs).SaveImage();
}

bool CCommandSteps::SaveImageTo(const QString& path)
{
    return CDocumentFiles(m_document, m_dialogs).SaveImageTo(path);
}

bool CCommandSteps::ExportTo(const QString& path, const SExportOptions& options, QString& error)
{
    const COutcome written = CExportRegistry::WriteExport({m_document.Grid(), m_document.Text(), options}, path);
    error = written.Message();
    return written.IsOk();
}

bool CCommandSteps::LoadExport(const QString& path, const SExportOptions& options, QString& error, const QString& name)
{
    CDotGrid loaded = m_document.Grid();
    if (!CControllerExport::Read(path, options, loaded.ColorIndex(), loaded, error, name))
        return false;
    m_document.ChangeDots(EUndoKind::LoadDots, [&loaded](CDotGrid& dots) { dots = loaded; });
    return true;
}

void CCommandSteps::Print(const CFrameDialogs& dialogs, int language)
{
    const CListingDocument listing(m_document.Listing());
    CListingPrint(dialogs, listing, language).Run();
}

bool CCommandSteps::PrintToPdf(const QString& path, QString& error)
{
    const CListingDocument listing(m_document.Listing());
    return CDotTextPdf(listing).Write(path, error);
}

bool CCommandSteps::ListingLeavesDotsOut() const
{
    return CDotListing::LeavesLitDotsOut(m_document.Grid(), m_document.Text());
}

void CCommandSteps::MergeText()
{
    Input().Merge();
}

void CCommandSteps::Mirror()
{
    m_document.Mirror();
}

void CCommandSteps::Flip()
{
    m_document.Flip();
}

void CCommandSteps::Rotate()
{
    m_document.Rotate();
}

void CCommandSteps::SetBackgroundColor(COLORREF colour)
{
    m_document.SetBackgroundColor(colour);
}

void CCommandSteps::ApplyFont(const LogFont& font)
{
    Input().ApplyFont(font);
}

bool CCommandSteps::Undo()
{
    return !(m_fnHistoryLocked && m_fnHistoryLocked()) && m_document.Undo();
}

bool CCommandSteps::Redo()
{
    return !(m_fnHistoryLocked && m_fnHistoryLocked()) && m_document.Redo();
}

bool CCommandSteps::EditDot(int column, int row, bool light)
{
    const CDotGrid& grid = m_document.Grid();
    const COLORREF colour = light ? grid.DotColor() : grid.BackColor();
    return m_document.EditDot(column, row, colour);
}

bool CCommandSteps::LoadDots(const QString& path, QString& error)
{
    QFile file;
    const CRegularFile::Status status = CRegularFile::Open(path, CDotListingReader::kMaxBytes, file);
    if (status != CRegularFile::Ok) {
        error = CRegularFile::Describe(status, path, CDotListingReader::kMaxBytes);
        return false;
    }
    const CDotGrid& grid = m_document.Grid();
    if (grid.IsEmpty()) {
        error = MessageText::English(MessageText::NoCanvasForListing);
        return false;
    }
    CDotListingReader reader;
    if (!reader.Read(file, grid.Width(), grid.Height())) {
        error = MessageText::English(MessageText::NamedProblem, {CQuotedText::Quote(path), reader.Error()});
        return false;
    }
    m_document.ChangeDots(EUndoKind::LoadDots, [&reader](CDotGrid& dots) {
        for (const CDotListingReader::SDot& dot : reader.Dots())
            dots.SetDisplayDot(dot.x, dot.y, DotPalette[static_cast<std::size_t>(dot.colorIndex)]);
    });
    return true;
}

SProject CCommandSteps::Project() const
{
    const CCanvasDocument& document = m_document;
    SProject project;
    project.m_grid = document.Grid();
    project.m_text = document.Text();
    project.m_input = m_document.Input().State();
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
    Input().SetMode(mode);
    Input().Restore(project.m_input, project.m_text);
    m_document.Restore(std::move(project.m_grid), std::move(project.m_frames), project.m_nCurrentFrame,
                       project.m_text, project.m_nPictureColors, Input().TypedText());
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
