#include "frame/FrameDialogs.h"

#include "dialogs/AboutDlg.h"
#include "dialogs/NewDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

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
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
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
    // Qt's own dialog, so that its effects (underline, strike-out), which a
    // dot sign cannot show, can be taken away.
    QFontDialog dialog(current.ToQFont(), owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    for (QCheckBox* effect : dialog.findChildren<QCheckBox*>()) {
        effect->setChecked(false);
        if (auto* group = qobject_cast<QGroupBox*>(effect->parentWidget()))
            group->hide();
        effect->hide();
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return LogFont::FromQFont(dialog.selectedFont());
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
    // The opener's result is ignored: a missing file or viewer gives no message.
    dialogs.openFile = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    // exit(), unlike quit(), does not send close events to the windows.
    dialogs.quit = [] { QCoreApplication::exit(0); };
    return dialogs;
}
