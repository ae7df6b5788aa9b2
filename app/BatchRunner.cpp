#include "app/BatchRunner.h"

#include "base/QuotedText.h"
#include "base/RegularFile.h"
#include "canvas/ImageView.h"
#include "dialogs/NewDialog.h"
#include "dotdata/DotListingReader.h"
#include "frame/PaneLink.h"
#include "textinput/FontComboBox.h"
#include "textinput/InputTextView.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPrinter>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextStream>

#include <algorithm>

CBatchRunner::CBatchRunner(QTextStream& out, QTextStream& err)
    : m_out(out)
    , m_err(err)
    , m_pCanvas(std::make_unique<CImageView>())
    , m_pInputPane(std::make_unique<CInputTextView>())
{
    LinkPanes(m_pCanvas.get(), m_pInputPane.get());
    // Messages the window would show in a box become the batch run's error.
    auto keepMessage = [this](const QString& text) { m_szMessage = text; };
    m_pCanvas->SetPictureMessage(keepMessage);
    m_pCanvas->DotSaver().SetShowMessage([keepMessage](QWidget*, const QString& text) { keepMessage(text); });
}

CBatchRunner::~CBatchRunner() = default;

int CBatchRunner::Run(const std::vector<SBatchStep>& steps)
{
    for (const SBatchStep& step : steps) {
        m_szMessage.clear();
        if (!RunStep(step))
            return 2;
    }
    return 0;
}

bool CBatchRunner::Fail(const SBatchStep& step, const QString& what)
{
    m_err << step.option << ": " << what << Qt::endl;
    return false;
}

bool CBatchRunner::RunStep(const SBatchStep& step)
{
    CImageView& canvas = *m_pCanvas;
    switch (step.kind) {
    case SBatchStep::New:
        return NewCanvas(step);
    case SBatchStep::Open:
        return canvas.LoadPicture(step.text) || Fail(step, QStringLiteral("cannot read the picture '%1'").arg(step.text));
    case SBatchStep::Mirror:
        canvas.Mirror();
        return true;
    case SBatchStep::Flip:
        canvas.Flip();
        return true;
    case SBatchStep::Rotate:
        canvas.Rotate();
        return true;
    case SBatchStep::DotColor:
        canvas.SetDotColor(step.x);
        return true;
    case SBatchStep::Background:
        canvas.SetBackgroundColor(step.color);
        return true;
    case SBatchStep::SetDot:
    case SBatchStep::ClearDot:
        return EditDot(step, step.kind == SBatchStep::SetDot);
    case SBatchStep::Text:
        return TypeText(step);
    case SBatchStep::TextColors:
        m_anTextColors = step.colors;
        return ColorText(step);
    case SBatchStep::Font:
    case SBatchStep::Size:
        return SetFont(step);
    case SBatchStep::Offset:
        return SetOffset(step);
    case SBatchStep::Stretch:
        m_pInputPane->StretchCombo()->setCurrentIndex(step.x - CInputTextView::kStretchMin);
        return true;
    case SBatchStep::OverlayAt:
        return SetOverlayPosition(step);
    case SBatchStep::Merge:
        m_pInputPane->OnMergeText();
        return true;
    case SBatchStep::SaveDots:
        return SaveDots(step);
    case SBatchStep::SaveImage:
        if (canvas.Grid().IsEmpty())
            return Fail(step, QStringLiteral("the canvas is empty"));
        return canvas.SaveImageTo(step.text) || Fail(step, QString(m_szMessage).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    case SBatchStep::PrintPdf:
        return PrintPdf(step);
    case SBatchStep::LoadDots:
        return LoadDots(step);
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

bool CBatchRunner::NewCanvas(const SBatchStep& step)
{
    // The New dialog's correction, without its question.
    const int width = CNewDialog::Correct(step.x, CNewDialog::kMaxWidth);
    const int height = CNewDialog::Correct(step.y, CNewDialog::kMaxHeight);
    if (!m_pCanvas->NewCanvas(width, height, step.mode))
        return Fail(step, QStringLiteral("not enough memory for the canvas"));
    m_pInputPane->SetInputMode(step.mode);
    return true;
}

bool CBatchRunner::EditDot(const SBatchStep& step, bool light)
{
    const CDotGrid& grid = m_pCanvas->Grid();
    if (step.x < 0 || step.y < 0 || step.x >= grid.Width() || step.y >= grid.Height())
        return Fail(step, QStringLiteral("%1,%2 is outside the %3 x %4 canvas")
                              .arg(step.x).arg(step.y).arg(grid.Width()).arg(grid.Height()));
    const COLORREF colour = light ? grid.DotColor() : grid.BackColor();
    return m_pCanvas->EditDot(step.x, grid.Height() - 1 - step.y, colour)
        || Fail(step, QStringLiteral("the typed text must be merged first"));
}

bool CBatchRunner::TypeText(const SBatchStep& step)
{
    QTextEdit* edit = m_pInputPane->RichEdit();
    edit->clear();
    // Inserted at the caret, the text takes the pane's current colour and
    // font, as typed text does.
    edit->textCursor().insertText(step.text);
    return m_anTextColors.empty() || ColorText(step);
}

bool CBatchRunner::ColorText(const SBatchStep&)
{
    QTextEdit* edit = m_pInputPane->RichEdit();
    if (m_pInputPane->InputMode() == CInputTextView::ImageMode) {
        // The overlay has a single colour: the first one listed.
        m_pInputPane->SelectColor(m_anTextColors.front());
        return true;
    }
    const int length = edit->document()->characterCount() - 1;
    for (int i = 0; i < length; ++i) {
        QTextCursor cursor(edit->document());
        cursor.setPosition(i);
        cursor.setPosition(i + 1, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        const std::size_t k = std::min(static_cast<std::size_t>(i), m_anTextColors.size() - 1);
        m_pInputPane->SelectColor(m_anTextColors[k]);
    }
    QTextCursor end(edit->document());
    end.movePosition(QTextCursor::End);
    edit->setTextCursor(end);
    return true;
}

bool CBatchRunner::SetFont(const SBatchStep& step)
{
    LogFont font = m_pInputPane->CurrentFont();
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
    m_pInputPane->ApplyFont(font);
    return true;
}

bool CBatchRunner::SetOffset(const SBatchStep& step)
{
    if (m_pCanvas->Grid().Mode() != CDotGrid::TextMode)
        return Fail(step, QStringLiteral("glyph offsets apply to text mode only"));
    m_pCanvas->SetTextX(step.x);
    m_pCanvas->SetTextY(step.y);
    return true;
}

bool CBatchRunner::SetOverlayPosition(const SBatchStep& step)
{
    if (m_pInputPane->InputMode() != CInputTextView::ImageMode)
        return Fail(step, QStringLiteral("the overlay position applies to image mode only"));
    m_pInputPane->EditX()->setText(QString::number(step.x));
    m_pInputPane->EditY()->setText(QString::number(step.y));
    return true;
}

bool CBatchRunner::GenerateListing(const SBatchStep& step)
{
    CImageView& canvas = *m_pCanvas;
    if (canvas.Grid().IsEmpty())
        return Fail(step, QStringLiteral("the canvas is empty"));
    // View Image: the text pane covers the canvas and the worker fills it.
    if (!canvas.IsTextPaneShown())
        canvas.ShowTextPane(1);
    canvas.BeginDotText();
    while (canvas.IsDotTextRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
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
    if (!CheckOutputFolder(step) || !GenerateListing(step))
        return false;
    const QString path = step.text;
    m_pCanvas->DotSaver().SetAskFileName([path](QWidget*, const QString&) { return path; });
    m_pCanvas->SaveDotData();
    return m_szMessage.isEmpty() || Fail(step, m_szMessage.section(QLatin1Char('\n'), 0, 0));
}

bool CBatchRunner::PrintPdf(const SBatchStep& step)
{
    if (!CheckOutputFolder(step) || !GenerateListing(step))
        return false;
    // Printed beside the target, then renamed over it, so that a failed
    // print never leaves half a file under the name asked for.
    const QString partial = step.text + QStringLiteral(".part");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(partial);
        m_pCanvas->PrintDotText(printer);
    }
    if (!QFile::exists(partial))
        return Fail(step, QStringLiteral("cannot write '%1'").arg(step.text));
    QFile::remove(step.text);
    if (!QFile::rename(partial, step.text)) {
        QFile::remove(partial);
        return Fail(step, QStringLiteral("cannot write '%1'").arg(step.text));
    }
    return true;
}

bool CBatchRunner::LoadDots(const SBatchStep& step)
{
    QFile file;
    const CRegularFile::Status status = CRegularFile::Open(step.text, CDotListingReader::kMaxBytes, file);
    if (status != CRegularFile::Ok)
        return Fail(step, CRegularFile::Describe(status, step.text, CDotListingReader::kMaxBytes));
    CDotGrid& grid = m_pCanvas->Grid();
    if (grid.IsEmpty())
        return Fail(step, QStringLiteral("the canvas is empty; make one with --new or --open first"));
    CDotListingReader reader;
    if (!reader.Read(file, grid.Width(), grid.Height()))
        return Fail(step, QStringLiteral("%1: %2").arg(CQuotedText::Quote(step.text), reader.Error()));
    for (const CDotListingReader::SDot& dot : reader.Dots())
        grid.SetDot(dot.x, grid.Height() - 1 - dot.y, DotPalette[static_cast<std::size_t>(dot.colorIndex)]);
    m_pCanvas->Repaint();
    return true;
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
