#include "frame/FrameDialogs.h"

#include "base/ProductTitle.h"
#include "base/QtColor.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/ExportDialog.h"
#include "dialogs/NewDialog.h"
#include "dialogs/ResizeCanvasDialog.h"
#include "frame/DesktopOpener.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

std::optional<CNewCanvasRequest> AskNewCanvas(QWidget* owner)
{
    CNewDialog dialog(owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CNewCanvasRequest{dialog.Width(), dialog.Height(), dialog.Mode()};
}

QString AskOpenFile(QWidget* owner)
{
    // Qt separates the patterns of one filter by blanks.
    const QString bmp = QStringLiteral("BMP (*.bmp)");
    const QString jpg = QStringLiteral("JPG (*.jpg *.jpeg *.jpe)");
    const QString png = QStringLiteral("PNG (*.png)");
    QString selected = bmp;
    return QFileDialog::getOpenFileName(owner, QString(), QString(), QStringList{bmp, jpg, png}.join(QStringLiteral(";;")),
                                        &selected);
}

bool AskPrinter(QWidget* owner, QPrinter& printer)
{
    QPrintDialog dialog(&printer, owner);
    // All pages only: no page range, no selection, no print to file.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // Printing into a PDF file is offered; the file itself is written by us.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

QString AskSaveFile(QWidget* owner, const QString& prefill, const QStringList& filters, const QString& suffix)
{
    QFileDialog dialog(owner, QStringLiteral("保存文件"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // A name typed without an extension gets the first filter's.
    dialog.setDefaultSuffix(suffix);
    if (!prefill.isEmpty())
        dialog.selectFile(prefill);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString AskSaveImagePath(QWidget* owner, const QString& prefill)
{
    // Qt separates patterns with spaces, so the JPG patterns are listed that way.
    return AskSaveFile(owner, prefill, {QStringLiteral("BMP (*.bmp)"), QStringLiteral("JPG (*.jpg *.jpeg *.jpe)"),
                                        QStringLiteral("PNG (*.png)")},
                       QStringLiteral("bmp"));
}

QString AskSaveDotPath(QWidget* owner, const QString& prefill)
{
    return AskSaveFile(owner, prefill, {QStringLiteral("TXT (*.txt)")}, QStringLiteral("txt"));
}

std::optional<SExportRequest> AskExport(QWidget* owner, const CDotGrid& grid, const SExportRequest& last, int language)
{
    CExportDialog dialog(grid, language, owner);
    dialog.SetRequest(last);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    SExportRequest request = dialog.Request();
    request.path = AskSaveFile(owner, request.path, {dialog.Filter()}, dialog.Extension());
    if (request.path.isEmpty())
        return std::nullopt;
    return request;
}

QString AskPdfFile(QWidget* owner)
{
    QFileDialog dialog(owner, QStringLiteral("保存文件"), QString(), QStringLiteral("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

std::optional<COLORREF> AskColor(QWidget* owner, COLORREF current)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(current), owner);
    if (!chosen.isValid())
        return std::nullopt;
    return FromQRgb(chosen.rgb());
}

std::optional<LogFont> AskFont(QWidget* owner, const LogFont& current)
{
    // Qt's own dialog, so that its effects (underline, strike-out), which a
    // dot sign cannot show, can be taken away.
    QFontDialog dialog(current.ToDialogFont(), owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    for (QCheckBox* effect : dialog.findChildren<QCheckBox*>()) {
        effect->setChecked(false);
        if (auto* group = qobject_cast<QGroupBox*>(effect->parentWidget()))
            group->hide();
        effect->hide();
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return LogFont::FromDialogFont(dialog.selectedFont(), current);
}

std::optional<CCanvasSizeRequest> AskCanvasSize(QWidget* owner, int width, int height, int language)
{
    CResizeCanvasDialog dialog(width, height, language, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CCanvasSizeRequest{dialog.CanvasWidth(), dialog.CanvasHeight(), dialog.Anchor()};
}

} // namespace

CFrameDialogs MakeFrameDialogs(QWidget* owner)
{
    CFrameDialogs dialogs;
    dialogs.askNewCanvas = [owner] { return AskNewCanvas(owner); };
    dialogs.askOpenFile = [owner] { return AskOpenFile(owner); };
    dialogs.askSaveImagePath = [owner](const QString& prefill) { return AskSaveImagePath(owner, prefill); };
    dialogs.askSaveDotPath = [owner](const QString& prefill) { return AskSaveDotPath(owner, prefill); };
    dialogs.askPrinter = [owner](QPrinter& printer) { return AskPrinter(owner, printer); };
    dialogs.askColor = [owner](COLORREF current) { return AskColor(owner, current); };
    dialogs.askFont = [owner](const LogFont& current) { return AskFont(owner, current); };
    dialogs.askExport = [owner](const CDotGrid& grid, const SExportRequest& last, int language) {
        return AskExport(owner, grid, last, language);
    };
    dialogs.showAbout = [owner] { CAboutDlg::ShowAbout(owner); };
    dialogs.openFile = [](const QString& path) { return CDesktopOpener::Open(path); };
    // exit(), unlike quit(), does not send close events to the windows.
    dialogs.quit = [] { QCoreApplication::exit(0); };
    dialogs.hasPrinter = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
    dialogs.askPdfFile = [owner] { return AskPdfFile(owner); };
    dialogs.askCanvasSize = [owner](int width, int height, int language) {
        return AskCanvasSize(owner, width, height, language);
    };
    dialogs.showMessage = [owner](const QString& text) { QMessageBox::warning(owner, ProductTitle(), text); };
    dialogs.askYesNo = [owner](const QString& question) {
        return QMessageBox::question(owner, ProductTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No)
            == QMessageBox::Yes;
    };
    return dialogs;
}
