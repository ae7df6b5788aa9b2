#pragma once

#include "base/Color.h"
#include "base/LogFont.h"
#include "dotdata/Project.h"

#include <QString>

#include <functional>

class CCanvasDocument;
class CInputText;
struct CFrameDialogs;
struct SExportOptions;

// The steps that follow each command once its dialog (if any) has been
// answered. The window's actions and batch mode both call these, so both do
// exactly the same to the document and its typed text. Questions and
// failures go through the dialog seam, which must outlive the steps.
class CCommandSteps
{
public:
    CCommandSteps(CCanvasDocument& document, const CFrameDialogs& dialogs);

    // While this answers true (the window is writing the listing into its
    // pane) Undo and Redo are refused.
    void SetHistoryLock(std::function<bool()> locked) { m_fnHistoryLocked = std::move(locked); }

    // New: a fresh canvas of the (already corrected) size and mode; the typed
    // text takes the mode and stays, unrendered, offered for the
    // next Merge Text (as the overlay in image mode). False, keeping the old
    // canvas, when the dots cannot be allocated.
    bool NewCanvas(int width, int height, int mode);
    // Open: the picture replaces the dots; a file that cannot be read keeps
    // the old canvas and says so once.
    bool Open(const QString& path);
    // Whether the last successful Open matched exact colours and lit no dot:
    // a photo or a scan then shows nothing, and the other ways would help.
    bool OpenLitNothing() const { return m_bOpenLitNothing; }
    // Edit > Picture Colors: how the next Open turns pixels into dots.
    void SetPictureColors(int matching);
    void SaveDot();
    void SaveImage();
    bool SaveImageTo(const QString& path);
    // Export: the dots as bytes for a controller, in the file form the
    // extension names. False with a reason; an unknown extension is refused.
    bool ExportTo(const QString& path, const SExportOptions& options, QString& error);
    // Redraws every dot from a raw or hex export made with these options, as
    // one step of the history; mono dots take the dot colour. False with a
    // reason, the dots unchanged. name: as for CControllerExport::Read.
    bool LoadExport(const QString& path, const SExportOptions& options, QString& error, const QString& name = QString());
    // Print: paper, or a PDF file when there is no printer or the user picks
    // one; PrintToPdf is the PDF path alone, for batch mode. Both print the
    // document's listing.
    // language: the menus', for the question before a long job.
    void Print(const CFrameDialogs& dialogs, int language);
    bool PrintToPdf(const QString& path, QString& error);
    // The listing shown leaves lit dots out: a text-mode canvas whose dots
    // do not come from merged text lists nothing.
    bool ListingLeavesDotsOut() const;
    void MergeText();
    void Mirror();
    void Flip();
    void Rotate();
    void SetBackgroundColor(COLORREF colour);
    void ApplyFont(const LogFont& font);
    // A click on the dot at (column, row from the top): lit in the dot colour
    // or cleared to the background. False when edits are refused now.
    bool EditDot(int column, int row, bool light);
    // Take back the last change to the dots, or make the last one taken back
    // again. False when there is none, or while the listing is being written.
    bool Undo();
    bool Redo();

    // Draws the lit dots of an image-mode listing onto the canvas, as one
    // undoable change; error says why a file cannot be used.
    bool LoadDots(const QString& path, QString& error);
    // The whole document as a project, and a project put in its place (the
    // typed text takes the project's mode and its text).
    SProject Project() const;
    void RestoreProject(SProject project);
    // Save Project to a file; error is one sentence for the user.
    bool SaveProject(const QString& path, QString& error) const;
    // Open Project: the file replaces the document; a file that cannot be
    // read keeps the document and error says why.
    bool OpenProject(const QString& path, QString& error);

private:
    CInputText& Input();

    CCanvasDocument& m_document;
    const CFrameDialogs& m_dialogs;
    std::function<bool()> m_fnHistoryLocked;
    bool m_bOpenLitNothing = false;
};
