#include "frame/FrameDialogs.h"

#include "base/ProductTitle.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/NewDialog.h"
#include "frame/DesktopOpener.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDialog>
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
    QString selected = bmp;
    return QFileDialog::getOpenFileName(owner, QString(), QString(), bmp + QStringLiteral(";;") + jpg, &selected);
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
    const QColor initial(RedOf(current), GreenOf(current), BlueOf(current));
    const QColor chosen = QColorDialog::getColor(initial, owner);
    if (!chosen.isValid())
        return std::nullopt;
    return MakeColor(chosen.red(), chosen.green(), chosen.blue());
}

std::optional<LogFont> AskFont(QWidget* owner, const LogFont& current)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current.ToQFont(), owner);
    if (!ok)
        return std::nullopt;
    return LogFont::FromQFont(chosen);
}

} // namespace

CFrameDialogs CFrameDialogs::Defaults(QWidget* owner)
{
    CFrameDialogs dialogs;
    dialogs.askNewCanvas = [owner] { return AskNewCanvas(owner); };
    dialogs.askOpenFile = [owner] { return AskOpenFile(owner); };
    dialogs.askPrinter = [owner](QPrinter& printer) { return AskPrinter(owner, printer); };
    dialogs.askColor = [owner](COLORREF current) { return AskColor(owner, current); };
    dialogs.askFont = [owner](const LogFont& current) { return AskFont(owner, current); };
    dialogs.showAbout = [owner] { CAboutDlg::ShowAbout(owner); };
    dialogs.openFile = [](const QString& path) { return CDesktopOpener::Open(path); };
    // exit(), unlike quit(), does not send close events to the windows.
    dialogs.quit = [] { QCoreApplication::exit(0); };
    dialogs.hasPrinter = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
    dialogs.askPdfFile = [owner] { return AskPdfFile(owner); };
    dialogs.showMessage = [owner](const QString& text) { QMessageBox::warning(owner, ProductTitle(), text); };
    return dialogs;
}
