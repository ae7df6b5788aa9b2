// The program's own dialogs behind the dialog seam: what each asks, in the
// menu language, and what each answer comes back as.
#include "base/FrameDialogs.h"
#include "base/LogFont.h"
#include "base/QtColor.h"
#include "dialogs/ExportDialog.h"
#include "dialogs/NewDialog.h"
#include "dialogs/ResizeCanvasDialog.h"
#include "dialogs/ScrollDialog.h"
#include "frame/FrameDialogs.h"

#include "ModalAnswers.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Types a name into a file dialog's name box, as a user does.
void TypeFileName(QFileDialog* dialog, const QString& name)
{
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
}

} // namespace

// The wipe asks for a speed, the blink and the frames for a duration, each
// within its own range, starting from the value it has now.
TEST(StockDialogs, OneNumberQuestionsNameTheirNumberAndRange)
{
    int language = 0;
    const CFrameDialogs dialogs = MakeFrameDialogs(nullptr, [&language] { return language; });
    const struct
    {
        EFrameNumber what;
        int language;
        const char* title;
        const char* label;
        int minimum, maximum;
    } cases[] = {{EFrameNumber::WipeSpeed, 0, "Wipe", "Speed: dots a second", 1, 100},
                 {EFrameNumber::BlinkMs, 0, "Blink", "Duration: ms", 10, 60000},
                 {EFrameNumber::FrameDurationMs, 2, "幀時長", "時長： 毫秒", 10, 60000}};
    for (const auto& c : cases) {
        language = c.language;
        const std::optional<int> answer = Answering(
            [&c](QWidget* box) {
                auto* input = qobject_cast<QInputDialog*>(box);
                ASSERT_NE(input, nullptr);
                EXPECT_EQ(input->windowTitle(), QString::fromUtf8(c.title));
                EXPECT_EQ(input->labelText(), QString::fromUtf8(c.label));
                EXPECT_EQ(input->intMinimum(), c.minimum);
                EXPECT_EQ(input->intMaximum(), c.maximum);
                EXPECT_EQ(input->intValue(), 40);
                input->setIntValue(c.maximum);
                input->accept();
            },
            [&] { return dialogs.askFrameNumber(c.what, 40); });
        EXPECT_EQ(answer, c.maximum) << c.title;
    }
    const std::optional<int> cancelled = Answering([](QWidget* box) { box->close(); },
                                                   [&] { return dialogs.askFrameNumber(EFrameNumber::BlinkMs, 40); });
    EXPECT_FALSE(cancelled.has_value());
}

// The scroll and resize dialogs hand back what their boxes hold.
TEST(StockDialogs, ScrollAndResizeAnswersAreTheBoxes)
{
    const CFrameDialogs dialogs = MakeFrameDialogs(nullptr, [] { return 1; });
    const std::optional<CScrollRequest> scroll = Answering(
        [](QWidget* box) {
            auto* dialog = qobject_cast<CScrollDialog*>(box);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("滚动"));
            EXPECT_EQ(dialog->PanelWidth(), 96);
            dialog->HeightBox()->setValue(24);
            dialog->SpeedBox()->setValue(7);
            dialog->accept();
        },
        [&] { return dialogs.askScroll({96, 16, 30}); });
    ASSERT_TRUE(scroll.has_value());
    EXPECT_EQ(scroll->nPanelWidth, 96);
    EXPECT_EQ(scroll->nPanelHeight, 24);
    EXPECT_EQ(scroll->nSpeed, 7);

    const std::optional<CCanvasSizeRequest> size = Answering(
        [](QWidget* box) {
            auto* dialog = qobject_cast<CResizeCanvasDialog*>(box);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("调整画布大小"));
            dialog->WidthBox()->setValue(40);
            dialog->AnchorButton(7)->setChecked(true);
            dialog->accept();
        },
        [&] { return dialogs.askCanvasSize(64, 24, 1); });
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->nWidth, 40);
    EXPECT_EQ(size->nHeight, 24);
    EXPECT_EQ(size->nAnchor, 7);
    EXPECT_FALSE(Answering([](QWidget* box) { box->close(); }, [&] { return dialogs.askCanvasSize(64, 24, 1); })
                     .has_value());
    EXPECT_FALSE(Answering([](QWidget* box) { box->close(); }, [&] { return dialogs.askScroll({96, 16, 30}); })
                     .has_value());
}

// Save changes and restore work: three buttons each, first the default,
// closing the box the last; each button is its own answer.
TEST(StockDialogs, ThreeAnswerQuestionsGiveTheButtonClicked)
{
    const CFrameDialogs dialogs = MakeFrameDialogs(nullptr);
    const auto click = [](int button) {
        return [button](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(message, nullptr);
            EXPECT_EQ(message->windowTitle(), QStringLiteral("Pellmark"));
            const QList<QAbstractButton*> buttons = message->buttons();
            ASSERT_EQ(buttons.size(), 3);
            EXPECT_EQ(message->buttonRole(message->defaultButton()), QMessageBox::AcceptRole);
            EXPECT_EQ(message->buttonRole(message->escapeButton()), QMessageBox::RejectRole);
            if (button < 0) {
                message->close();
                return;
            }
            const QMessageBox::ButtonRole roles[] = {QMessageBox::AcceptRole, QMessageBox::DestructiveRole,
                                                     QMessageBox::RejectRole};
            for (QAbstractButton* b : buttons)
                if (message->buttonRole(b) == roles[button])
                    b->click();
        };
    };
    const ESaveChoice choices[] = {ESaveChoice::Save, ESaveChoice::Discard, ESaveChoice::Cancel};
    for (int b = 0; b < 3; ++b)
        EXPECT_EQ(Answering(click(b), [&] { return dialogs.askSaveChanges(2, QStringLiteral("sign")); }), choices[b]) << b;
    EXPECT_EQ(Answering(click(-1), [&] { return dialogs.askSaveChanges(0, QStringLiteral("sign")); }), ESaveChoice::Cancel);

    const QDateTime when(QDate(2026, 12, 8), QTime(4, 30));
    EXPECT_EQ(Answering(click(0), [&] { return dialogs.askRestoreWork(0, when); }), std::optional<bool>(true));
    EXPECT_EQ(Answering(click(1), [&] { return dialogs.askRestoreWork(0, when); }), std::optional<bool>(false));
    EXPECT_EQ(Answering(click(2), [&] { return dialogs.askRestoreWork(0, when); }), std::optional<bool>());

    // The texts: the name in the question, the buttons in the language.
    QString text, buttons;
    Answering(
        [&](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            text = message->text();
            for (QAbstractButton* b : message->buttons())
                buttons += b->text() + QLatin1Char('|');
            EXPECT_EQ(message->defaultButton(), message->buttons().value(0));
            message->close();
        },
        [&] { return dialogs.askSaveChanges(1, QStringLiteral("招牌")); });
    EXPECT_EQ(text, QStringLiteral("要在关闭前保存对“招牌”的更改吗？"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("保存(&S)")) && buttons.contains(QStringLiteral("不保存(&D)"))
                && buttons.contains(QStringLiteral("取消")))
        << buttons.toStdString();
}

// Yes and no: no is the default, and only yes says yes.
TEST(StockDialogs, YesNoQuestionIsYesOnlyWhenYesIsClicked)
{
    const CFrameDialogs dialogs = MakeFrameDialogs(nullptr);
    for (const bool yes : {true, false}) {
        const bool answer = Answering(
            [yes](QWidget* box) {
                auto* message = qobject_cast<QMessageBox*>(box);
                ASSERT_NE(message, nullptr);
                EXPECT_EQ(message->text(), QStringLiteral("Print?"));
                EXPECT_EQ(message->defaultButton(), message->button(QMessageBox::No));
                message->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            },
            [&] { return dialogs.askYesNo(QStringLiteral("Print?")); });
        EXPECT_EQ(answer, yes);
    }
}

// The font dialog offers no effects a sign cannot show, and OK without a
// change gives back the font it was given.
TEST(StockDialogs, TheFontDialogHidesEffectsAndKeepsAnUnchangedFont)
{
    const CFrameDialogs dialogs = MakeFrameDialogs(nullptr);
    LogFont current;
    current.lfFaceName = QStringLiteral("DejaVu Sans");
    current.lfHeight = 16;
    current.lfWeight = 700;
    const std::optional<LogFont> chosen = Answering(
        [](QWidget* box) {
            const QList<QCheckBox*> effects = box->findChildren<QCheckBox*>();
            EXPECT_FALSE(effects.isEmpty());
            for (const QCheckBox* effect : effects) {
                EXPECT_FALSE(effect->isChecked()) << effect->text().toStdString();
                EXPECT_TRUE(effect->isHidden()) << effect->text().toStdString();
            }
            qobject_cast<QDialog*>(box)->accept();
        },
        [&] { return dialogs.askFont(current); });
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->lfFaceName, current.lfFaceName);
    EXPECT_EQ(chosen->lfHeight, 16);
    EXPECT_EQ(chosen->lfWeight, 700);
    EXPECT_FALSE(Answering([](QWidget* box) { box->close(); }, [&] { return dialogs.askFont(current); }).has_value());
}

// Every file question offers its formats, starts from the name it is given,
// adds the first format's extension to a bare name, and gives nothing when
// cancelled. The open questions give back an existing file as chosen.
TEST(StockDialogs, FileQuestionsOfferTheirFormatsAndNameTheChosenFile)
{
    const CFrameDialogs dialogs = MakeFrameDialogs(nullptr);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString existing = dir.filePath(QStringLiteral("there.png"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString prefill = dir.filePath(QStringLiteral("old.dat"));
    const QStringList pictures = {QStringLiteral("BMP (*.bmp)"), QStringLiteral("JPG (*.jpg *.jpeg *.jpe)"),
                                  QStringLiteral("PNG (*.png)")};
    const struct
    {
        const char* what;
        std::function<QString()> ask;
        QStringList filters;
        const char* suffix; // empty for an open question
        bool prefilled;
    } cases[] = {
        {"open picture", [&] { return dialogs.askOpenFile(); }, pictures, "", false},
        {"open project", [&] { return dialogs.askOpenProject(1); }, {QStringLiteral("Pellmark 项目 (*.png)")}, "", false},
        {"save picture", [&] { return dialogs.askSaveImagePath(prefill); }, pictures, "bmp", true},
        {"save dots", [&] { return dialogs.askSaveDotPath(prefill); }, {QStringLiteral("TXT (*.txt)")}, "txt", true},
        {"save animation", [&] { return dialogs.askSaveAnimationPath(prefill); }, {QStringLiteral("GIF (*.gif)")},
         "gif", true},
        {"save frames", [&] { return dialogs.askSaveFramesPath(prefill); },
         {QStringLiteral("PNG (*.png)"), QStringLiteral("BMP (*.bmp)")}, "png", true},
        {"save project", [&] { return dialogs.askSaveProjectPath(2, prefill); },
         {QStringLiteral("Pellmark 專案 (*.png)")}, "png", true},
        {"save pdf", [&] { return dialogs.askPdfFile(); }, {QStringLiteral("PDF (*.pdf)")}, "pdf", false},
    };
    for (const auto& c : cases) {
        const bool save = *c.suffix != 0;
        const QString chosen = Answering(
            [&](QWidget* box) {
                auto* dialog = qobject_cast<QFileDialog*>(box);
                ASSERT_NE(dialog, nullptr);
                EXPECT_EQ(dialog->nameFilters(), c.filters);
                EXPECT_EQ(dialog->selectedNameFilter(), c.filters.front());
                EXPECT_EQ(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
                if (save) {
                    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("保存文件"));
                    EXPECT_EQ(dialog->defaultSuffix(), QLatin1String(c.suffix));
                }
                if (c.prefilled) {
                    EXPECT_EQ(dialog->selectedFiles().value(0), prefill);
                }
                TypeFileName(dialog, save ? dir.filePath(QStringLiteral("sign")) : existing);
                QMetaObject::invokeMethod(dialog, "accept");
            },
            c.ask);
        EXPECT_EQ(chosen, save ? dir.filePath(QStringLiteral("sign.") + QLatin1String(c.suffix)) : existing) << c.what;
        EXPECT_TRUE(Answering([](QWidget* box) { box->close(); }, c.ask).isEmpty()) << c.what;
    }
}

// New asks for the size and mode its boxes hold; Export asks for the form,
// then for a file of that form's kind.
TEST(StockDialogs, NewAndExportAnswersAreTheBoxes)
{
    const CFrameDialogs dialogs = MakeFrameDialogs(nullptr);
    const std::optional<CNewCanvasRequest> canvas = Answering(
        [](QWidget* box) {
            auto* dialog = qobject_cast<CNewDialog*>(box);
            ASSERT_NE(dialog, nullptr);
            dialog->WidthBox()->findChild<QLineEdit*>()->setText(QStringLiteral("96"));
            dialog->HeightBox()->findChild<QLineEdit*>()->setText(QStringLiteral("24"));
            dialog->ImageModeButton()->setChecked(true);
            dialog->OnOK();
        },
        [&] { return dialogs.askNewCanvas(); });
    ASSERT_TRUE(canvas.has_value());
    EXPECT_EQ(canvas->nWidth, 96);
    EXPECT_EQ(canvas->nHeight, 24);
    EXPECT_EQ(canvas->nMode, ImageMode);
    EXPECT_FALSE(Answering([](QWidget* box) { box->close(); }, [&] { return dialogs.askNewCanvas(); }).has_value());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(16, 8, ImageMode));
    QString filter, extension;
    const std::optional<SExportRequest> request = AnsweringEach(
        {[&](QWidget* box) {
             auto* dialog = qobject_cast<CExportDialog*>(box);
             ASSERT_NE(dialog, nullptr);
             filter = dialog->Filter();
             extension = dialog->Extension();
             dialog->accept();
         },
         [&](QWidget* box) {
             auto* dialog = qobject_cast<QFileDialog*>(box);
             ASSERT_NE(dialog, nullptr);
             EXPECT_EQ(dialog->nameFilters(), QStringList{filter});
             EXPECT_EQ(dialog->defaultSuffix(), extension);
             TypeFileName(dialog, dir.filePath(QStringLiteral("bytes")));
             QMetaObject::invokeMethod(dialog, "accept");
         }},
        [&] { return dialogs.askExport(grid, SExportRequest{}, 0); });
    ASSERT_TRUE(request.has_value());
    EXPECT_FALSE(extension.isEmpty());
    EXPECT_EQ(request->path, dir.filePath(QStringLiteral("bytes.") + extension));
    // Cancelling either question cancels the export.
    EXPECT_FALSE(Answering([](QWidget* box) { box->close(); },
                           [&] { return dialogs.askExport(grid, SExportRequest{}, 0); })
                     .has_value());
    EXPECT_FALSE(AnsweringEach({[](QWidget* box) { qobject_cast<QDialog*>(box)->accept(); },
                                [](QWidget* box) { box->close(); }},
                               [&] { return dialogs.askExport(grid, SExportRequest{}, 0); })
                     .has_value());
}

// The colour question starts from the colour now in use and gives the one
// chosen; the printer question offers all pages only, and printing to a file.
TEST(StockDialogs, ColourAndPrinterQuestions)
{
    const CFrameDialogs dialogs = MakeFrameDialogs(nullptr);
    const std::optional<COLORREF> colour = Answering(
        [](QWidget* box) {
            auto* dialog = qobject_cast<QColorDialog*>(box);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->currentColor(), QColor(255, 128, 0));
            dialog->setCurrentColor(QColor(10, 200, 30));
            dialog->accept();
        },
        [&] { return dialogs.askColor(MakeColor(255, 128, 0)); });
    EXPECT_EQ(colour, std::optional<COLORREF>(MakeColor(10, 200, 30)));
    EXPECT_FALSE(
        Answering([](QWidget* box) { box->close(); }, [&] { return dialogs.askColor(MakeColor(1, 2, 3)); }).has_value());

    QPrinter printer;
    for (const bool accept : {true, false}) {
        const bool answer = Answering(
            [accept](QWidget* box) {
                auto* dialog = qobject_cast<QPrintDialog*>(box);
                ASSERT_NE(dialog, nullptr);
                EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
                EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
                EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintCurrentPage));
                EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
                if (accept)
                    dialog->accept();
            },
            [&] { return dialogs.askPrinter(printer); });
        EXPECT_EQ(answer, accept);
    }
}
