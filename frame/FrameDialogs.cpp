#include "frame/FrameDialogs.h"

#include "animation/FrameEffects.h"
#include "base/FixedChineseTexts.h"
#include "base/ProductTitle.h"
#include "base/QtColor.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/ExportDialog.h"
#include "dialogs/NewDialog.h"
#include "dialogs/ResizeCanvasDialog.h"
#include "dialogs/ScrollDialog.h"
#include "frame/DesktopOpener.h"
#include "frame/KeepTexts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <array>

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
    QFileDialog dialog(owner, QString::fromUtf8(FixedChinese::kSaveFileTitle));
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
    QFileDialog dialog(owner, QString::fromUtf8(FixedChinese::kSaveFileTitle), QString(),
                       QStringLiteral("PDF (*.pdf)"));
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

std::optional<CScrollRequest> AskScroll(QWidget* owner, const CScrollRequest& suggested, int language)
{
    CScrollDialog dialog(suggested.nPanelWidth, suggested.nPanelHeight, suggested.nSpeed, language, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CScrollRequest{dialog.PanelWidth(), dialog.PanelHeight(), dialog.Speed()};
}

std::optional<int> AskFrameNumber(QWidget* owner, EFrameNumber what, int current, int language)
{
    const auto text = [language](int id) { return CScrollDialog::Text(id, language); };
    QInputDialog dialog(owner);
    dialog.setInputMode(QInputDialog::IntInput);
    if (what == EFrameNumber::WipeSpeed) {
        dialog.setWindowTitle(text(CScrollDialog::WipeTitle));
        dialog.setLabelText(text(CScrollDialog::SpeedLabel) + text(CScrollDialog::DotsPerSecond));
        dialog.setIntRange(CFrameEffects::kMinSpeed, CFrameEffects::kMaxSpeed);
    } else {
        dialog.setWindowTitle(text(what == EFrameNumber::BlinkMs ? CScrollDialog::BlinkTitle : CScrollDialog::DurationTitle));
        dialog.setLabelText(text(CScrollDialog::FrameDuration) + text(CScrollDialog::Milliseconds));
        dialog.setIntRange(CFrameList::kMinDurationMs, CFrameList::kMaxDurationMs);
    }
    dialog.setIntValue(current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

QString AskOpenProject(QWidget* owner, int language)
{
    return QFileDialog::getOpenFileName(owner, QString(), QString(), KeepText::ProjectFilter.Pick(language));
}

QString AskSaveProjectPath(QWidget* owner, int language, const QString& prefill)
{
    return AskSaveFile(owner, prefill, {KeepText::ProjectFilter.Pick(language)}, QStringLiteral("png"));
}

// A box of three answers: the first is the default, the last what closing
// the box means. The index of the answer given.
int AskOneOfThree(QWidget* owner, QMessageBox::Icon icon, const QString& text, const std::array<QString, 3>& answers)
{
    QMessageBox box(icon, ProductTitle(), text, QMessageBox::NoButton, owner);
    const std::array<QMessageBox::ButtonRole, 3> roles = {QMessageBox::AcceptRole, QMessageBox::DestructiveRole,
                                                         QMessageBox::RejectRole};
    std::array<QPushButton*, 3> buttons {};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i] = box.addButton(answers[i], roles[i]);
    box.setDefaultButton(buttons.front());
    box.setEscapeButton(buttons.back());
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? 2 : static_cast<int>(chosen - buttons.begin());
}

ESaveChoice AskSaveChanges(QWidget* owner, int language, const QString& name)
{
    using namespace KeepText;
    const int answer =
        AskOneOfThree(owner, QMessageBox::Warning, SaveChanges.Pick(language).arg(name),
                      {SaveButton.Pick(language), DiscardButton.Pick(language), CancelButton.Pick(language)});
    const std::array<ESaveChoice, 3> choices = {ESaveChoice::Save, ESaveChoice::Discard, ESaveChoice::Cancel};
    return choices[static_cast<std::size_t>(answer)];
}

std::optional<bool> AskRestoreWork(QWidget* owner, int language, const QDateTime& when)
{
    using namespace KeepText;
    const QString time = QLocale::system().toString(when, QLocale::ShortFormat);
    const int answer =
        AskOneOfThree(owner, QMessageBox::Question, RestoreWork.Pick(language).arg(time),
                      {RestoreButton.Pick(language), DiscardButton.Pick(language), LaterButton.Pick(language)});
    if (answer == 2)
        return std::nullopt;
    return answer == 0;
}

std::optional<CCanvasSizeRequest> AskCanvasSize(QWidget* owner, int width, int height, int language)
{
    CResizeCanvasDialog dialog(width, height, language, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CCanvasSizeRequest{dialog.CanvasWidth(), dialog.CanvasHeight(), dialog.Anchor()};
}

} // namespace

CFrameDialogs MakeFrameDialogs(QWidget* owner, std::function<int()> language)
{
    const auto languageNow = [language] { return language ? language() : 0; };
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
    dialogs.askScroll = [owner, languageNow](const CScrollRequest& suggested) {
        return AskScroll(owner, suggested, languageNow());
    };
    dialogs.askFrameNumber = [owner, languageNow](EFrameNumber what, int current) {
        return AskFrameNumber(owner, what, current, languageNow());
    };
    dialogs.askSaveAnimationPath = [owner](const QString& prefill) {
        return AskSaveFile(owner, prefill, {QStringLiteral("GIF (*.gif)")}, QStringLiteral("gif"));
    };
    dialogs.askSaveFramesPath = [owner](const QString& prefill) {
        return AskSaveFile(owner, prefill, {QStringLiteral("PNG (*.png)"), QStringLiteral("BMP (*.bmp)")},
                           QStringLiteral("png"));
    };
    dialogs.askCanvasSize = [owner](int width, int height, int language) {
        return AskCanvasSize(owner, width, height, language);
    };
    dialogs.showMessage = [owner](const QString& text) { QMessageBox::warning(owner, ProductTitle(), text); };
    dialogs.messageLanguage = languageNow;
    dialogs.askOpenProject = [owner](int language) { return AskOpenProject(owner, language); };
    dialogs.askSaveProjectPath = [owner](int language, const QString& prefill) {
        return AskSaveProjectPath(owner, language, prefill);
    };
    dialogs.askSaveChanges = [owner](int language, const QString& name) { return AskSaveChanges(owner, language, name); };
    dialogs.askRestoreWork = [owner](int language, const QDateTime& when) { return AskRestoreWork(owner, language, when); };
    dialogs.askYesNo = [owner](const QString& question) {
        return QMessageBox::question(owner, ProductTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No)
            == QMessageBox::Yes;
    };
    return dialogs;
}
