#pragma once

#include "app/BatchCommandLine.h"
#include "base/FrameDialogs.h"
#include "base/ExportOptions.h"

#include <QString>

#include <memory>
#include <vector>

class CAnimationSteps;
class CCanvasDocument;
class CCommandSteps;
class CDrawingSteps;
class CInputText;
class QTextStream;

// Runs the steps of a batch command line on a document held in memory,
// calling the same operations as the window's commands.
class CBatchRunner
{
public:
    CBatchRunner(QTextStream& out, QTextStream& err);
    ~CBatchRunner();

    // 0 on success; 2 after the first failing step, which is reported on err.
    int Run(const std::vector<SBatchStep>& steps);

    CCanvasDocument& Document() { return *m_pDocument; }

private:
    void StartInImageModeIfOpenedFirst(const std::vector<SBatchStep>& steps);
    bool RunNamedStep(const SBatchStep& step);
    bool RunStep(const SBatchStep& step);
    bool Fail(const SBatchStep& step, const QString& what);
    bool NewCanvas(const SBatchStep& step);
    bool OpenPicture(const SBatchStep& step);
    bool SaveProject(const SBatchStep& step);
    bool EditDot(const SBatchStep& step, bool light);
    bool Draw(const SBatchStep& step);
    bool Fill(const SBatchStep& step);
    bool Resize(const SBatchStep& step);
    bool Crop(const SBatchStep& step);
    bool TypeText(const SBatchStep& step);
    bool SetFont(const SBatchStep& step);
    void WarnOfMissingSize(const SBatchStep& step);
    bool SetOffset(const SBatchStep& step);
    bool SetOverlayPosition(const SBatchStep& step);
    void SetLayout(const SBatchStep& step);
    // One warning line when the overlay about to be merged runs past the canvas.
    void WarnOfOverflow(const SBatchStep& step);
    // The listing can be written: dots, and none left out.
    bool CheckListing(const SBatchStep& step);
    bool SaveDots(const SBatchStep& step);
    bool PrintPdf(const SBatchStep& step);
    bool LoadDots(const SBatchStep& step);
    // --save-dots with %d: one listing per frame, numbered from 1.
    bool SaveDotsPerFrame(const SBatchStep& step);
    bool RunFrameStep(const SBatchStep& step);
    bool RunEffect(const SBatchStep& step);
    bool SaveAnimation(const SBatchStep& step);
    // A frame number N of the options, 1..count; false after saying what is wrong.
    bool CheckFrameNumber(const SBatchStep& step);
    void SetExportOption(const SBatchStep& step);
    bool Export(const SBatchStep& step);
    bool LoadExport(const SBatchStep& step);
    bool CheckOutputFolder(const SBatchStep& step);
    void ListFonts();
    CInputText& Input();

    QTextStream& m_out;
    QTextStream& m_err;
    CFrameDialogs m_dialogs;         // answers with the paths of the options, keeps messages
    std::unique_ptr<CCanvasDocument> m_pDocument;
    std::unique_ptr<CCommandSteps> m_pSteps;
    std::unique_ptr<CAnimationSteps> m_pAnimation;
    std::unique_ptr<CDrawingSteps> m_pDrawing;
    int m_nPanelWidth = 0;           // last --panel; 0: the canvas's size
    int m_nPanelHeight = 0;
    int m_nGifDots = 0;              // last --gif-dots
    std::vector<int> m_anTextColors; // last --text-colors, reapplied to new text
    SExportOptions m_exportOptions;  // set by the export options, used by the exports after them
    QString m_szMessage;             // what the last operation told the user
    QString m_szOutputPath;          // the file the running step writes
};
