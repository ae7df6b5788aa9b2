#include "FrameFixture.h"

#include "frame/HelpWindow.h"
#include "frame/ListingPrint.h"
#include "frame/PrintSpool.h"
#include "dotdata/DotTextPdf.h"
#include "dotdata/ListingDocument.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include "dotdata/ListingView.h"
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextBlock>

using namespace CommandId;

namespace {

// The image-mode listing of a 16 x 8 picture with red dots at (0,0) and
// (1,0), a green one at (7,7) and a blue one at (9,0).
const QString kFirstBlock = QStringLiteral("1-1-1-R, 1-1-2-R, 1-8-8-G");
const QString kSecondBlock = QStringLiteral("2-1-2-B");

class PrintAndHelpTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        frame->show();
        frame->Dialogs().askPrinter = [this](QPrinter&) { return ++m_nPrintDialogs, false; };
    }

    void ListSample()
    {
        OpenSample();
        Trigger(ViewImage);
        ASSERT_TRUE(QTest::qWaitFor([this] { return Act(Print)->isEnabled(); }, 20000));
    }

    void AnswerPdfFile(const QString& path)
    {
        frame->Dialogs().askPdfFile = [this, path] { return ++m_nPdfDialogs, path; };
    }

    int m_nPrintDialogs = 0;
    int m_nPdfDialogs = 0;
};

} // namespace

TEST_F(PrintAndHelpTest, WithoutAPrinterPrintWritesThePdfFileChosen)
{
    ListSample();
    frame->Dialogs().hasPrinter = [] { return false; };
    const QString pdf = dir.FilePath(QStringLiteral("dots.pdf"));

    AnswerPdfFile(QString()); // cancelled: nothing at all
    Trigger(Print);
    EXPECT_EQ(m_nPdfDialogs, 1);
    EXPECT_FALSE(QFile::exists(pdf));

    AnswerPdfFile(pdf);
    Trigger(Print);
    EXPECT_EQ(m_nPrintDialogs, 0);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(kFirstBlock)) << text.toStdString();
    EXPECT_TRUE(text.contains(kSecondBlock)) << text.toStdString();
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_TRUE(messages.isEmpty());

    // A file that cannot be written: one message, the old file untouched.
    const QByteArray before = ReadAll(pdf);
    AnswerPdfFile(dir.Path());
    Trigger(Print);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QDir::toNativeSeparators(dir.Path()))) << messages.first().toStdString();
    EXPECT_EQ(ReadAll(pdf), before);
}

TEST_F(PrintAndHelpTest, ThePrintDialogsFilePrinterGoesThroughTheSameWriter)
{
    ListSample();
    const QString chosen = dir.FilePath(QStringLiteral("chosen.pdf"));
    const QString asked = dir.FilePath(QStringLiteral("asked.pdf"));
    // A cancelled print dialog, then a nameless file printer and a cancelled
    // file dialog: nothing asked after, nothing written.
    AnswerPdfFile(QString());
    Trigger(Print);
    EXPECT_EQ(m_nPrintDialogs, 1);
    EXPECT_EQ(m_nPdfDialogs, 0);
    frame->Dialogs().askPrinter = [](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString());
        return true;
    };
    Trigger(Print);
    EXPECT_EQ(m_nPdfDialogs, 1);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("sample.bmp")});
    m_nPrintDialogs = 0;
    m_nPdfDialogs = 0;
    AnswerPdfFile(asked);
    // The file printer with a name, then one without (a dialog that found no printer).
    for (const QString& name : {chosen, QString()}) {
        frame->Dialogs().askPrinter = [this, name](QPrinter& printer) {
            ++m_nPrintDialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(name);
            return true;
        };
        Trigger(Print);
    }
    EXPECT_EQ(m_nPrintDialogs, 2);
    EXPECT_EQ(m_nPdfDialogs, 1);
    for (const QString& path : {chosen, asked})
        EXPECT_TRUE(PdfText(path).contains(kSecondBlock)) << path.toStdString();
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PrintAndHelpTest, APrinterThatCannotBeginGivesOneMessage)
{
    ListSample();
    // Painting on a PDF writer aimed at a folder cannot begin, as on a
    // printer that is not there.
    QPdfWriter broken(dir.Path());
    const CListingDocument listing(Canvas()->Document().Listing());
    Trigger(English);
    EXPECT_FALSE(CListingPrint(frame->Dialogs(), listing).PrintOnPaper(broken));
    EXPECT_EQ(messages, QStringList{CListingPrint::PrinterFailureMessage()});
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("sample.bmp")});
}

TEST_F(PrintAndHelpTest, WithoutADesktopViewerHelpOpensItsOwnWindowInTheLanguage)
{
    frame->Dialogs().openFile = [this](const QString& path) { return openedFiles << path, false; };
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const struct
    {
        int command;
        const char* page;
        const char* heading; // the first section's heading, in the page's language
    } languages[] = {
        {English, "help_en.html", "What the program does"},
        {ChineseSimplified, "help_chs.html", "程序简介"},
        {ChineseTraditional, "help_cht.html", "程式簡介"},
    };
    for (const auto& language : languages) {
        Trigger(language.command);
        Trigger(Help);
        ASSERT_NE(frame->HelpWindow(), nullptr);
        const QTextBrowser* browser = frame->HelpWindow()->Browser();
        EXPECT_EQ(browser->source(), QUrl::fromLocalFile(exeDir.filePath(QLatin1String(language.page))));
        EXPECT_TRUE(frame->HelpWindow()->isVisible());
        EXPECT_TRUE(frame->HelpWindow()->windowTitle().contains(QStringLiteral("Pellmark")));
        EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf8(language.heading))) << language.page;
    }
    EXPECT_EQ(openedFiles.size(), 3); // the desktop was asked first each time
    EXPECT_TRUE(messages.isEmpty());
    // Help asked for again while its window is open behind the frame brings it to the front.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    Trigger(Help);
    EXPECT_TRUE(QTest::qWaitForWindowActive(frame->HelpWindow(), 2000));
}

TEST_F(PrintAndHelpTest, HelpWindowFollowsThePagesLinks)
{
    frame->Dialogs().openFile = [](const QString&) { return false; };
    frame->resize(800, 600);
    Trigger(English);
    Trigger(Help);
    QTextBrowser* browser = frame->HelpWindow()->Browser();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame->HelpWindow()));
    const QUrl page = browser->source();
    // Every link of the contents line leads to a heading of the same page.
    int links = 0;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (href.isEmpty())
                continue;
            ++links;
            // As a click does: the link taken relative to the page shown.
            browser->setSource(page.resolved(QUrl(href)));
            EXPECT_EQ(browser->source().adjusted(QUrl::RemoveFragment), page) << href.toStdString();
        }
    }
    EXPECT_EQ(links, 4);
    // The last section sits at the bottom: following its link scrolls there.
    browser->setSource(page.resolved(QUrl(QStringLiteral("#settings"))));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    browser->backward();
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("dotdata"));
}

TEST_F(PrintAndHelpTest, HelpWindowOpensWholeOnTheScreenAndEscClosesIt)
{
    frame->Dialogs().openFile = [](const QString&) { return false; };
    frame->show();
    Trigger(English);
    Trigger(Help);
    CHelpWindow* help = frame->HelpWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    const QRect screen = help->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(help->geometry())) << help->geometry().height() << " in " << screen.height();
    // The page fills the window to its edges, with no margin around it.
    EXPECT_EQ(help->Browser()->geometry(), help->rect());
    QTest::keyClick(help->Browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

// Over the middle of the main window, 720 x 640 inside a frame of 8 pixels
// a side and 32 on top, moved down whole onto the screen; once open it
// stays where the user put it.
TEST_F(PrintAndHelpTest, HelpWindowOpensOverTheMainWindowAndStaysWhereMoved)
{
    frame->Dialogs().openFile = [](const QString&) { return false; };
    frame->setGeometry(0, 0, 800, 600);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    Trigger(Help);
    CHelpWindow* help = frame->HelpWindow();
    ASSERT_NE(help, nullptr);
    // The framed 736 x 680 centred on the main window's centre reaches above
    // the screen's top and is moved down to it; across, it fits as centred.
    const QPoint centre = frame->frameGeometry().center();
    const int left = centre.x() - 735 / 2;
    ASSERT_LT(centre.y() - 679 / 2, 0);
    ASSERT_GE(left, 0);
    ASSERT_LE(left + 736, 800);
    const QRect placed(left + 8, 32, 720, 640);
    EXPECT_EQ(help->geometry(), placed);
    help->setGeometry(100, 120, 500, 400);
    Trigger(Help);
    EXPECT_EQ(help->geometry(), QRect(100, 120, 500, 400));
    help->close();
    Trigger(Help);
    EXPECT_EQ(help->geometry(), placed);
}

TEST(HelpWindowPlacement, FitsIntoTheScreenFromEverySide)
{
    const QRect screen(0, 0, 800, 600);
    const struct
    {
        QRect wanted;
        QRect placed;
    } cases[] = {
        {{40, 30, 720, 640}, {40, 0, 720, 600}},   // too tall: shrunk to the height, at the top
        {{100, 100, 200, 100}, {100, 100, 200, 100}}, // inside: unchanged
        {{700, 550, 200, 100}, {600, 500, 200, 100}}, // past right and bottom
        {{-50, -20, 200, 100}, {0, 0, 200, 100}},     // past left and top
        {{-10, -10, 900, 700}, {0, 0, 800, 600}},     // larger on both axes
    };
    for (const auto& k : cases)
        EXPECT_EQ(CHelpWindow::FitInto(k.wanted, screen), k.placed) << k.wanted.x() << "," << k.wanted.y();
    // A screen that does not start at the origin.
    EXPECT_EQ(CHelpWindow::FitInto({0, 0, 100, 100}, {800, 200, 640, 480}), QRect(800, 200, 100, 100));
}

TEST(ListingPrintQuestion, MoreThanAHundredPagesArePrintedOnlyAfterAYes)
{
    CScratchDir dir;
    const QString path = dir.FilePath(QStringLiteral("dots.pdf"));
    QStringList questions;
    bool answer = false;
    CFrameDialogs dialogs;
    dialogs.askYesNo = [&](const QString& question) { return questions << question, answer; };
    QStringList shown;
    dialogs.showMessage = [&shown](const QString& message) { shown << message; };
    QString lines;
    for (int i = 1; i <= 8000; ++i)
        lines += QStringLiteral("%1-1-1-R\n").arg(i);
    const CListingDocument longListing(lines);
    const CListingDocument shortListing(lines.left(400));

    // A few pages: no question.
    EXPECT_TRUE(CListingPrint(dialogs, shortListing).PrintToPdf(path, nullptr, 0));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(shown.isEmpty());
    // A file that cannot be written: a failure, told once.
    EXPECT_FALSE(CListingPrint(dialogs, shortListing).PrintToPdf(dir.FilePath(QStringLiteral("no/dots.pdf")), nullptr, 0));
    EXPECT_EQ(shown.size(), 1);
    // No: nothing is written.
    QFile::remove(path);
    EXPECT_FALSE(CListingPrint(dialogs, longListing, 1).PrintToPdf(path, nullptr, 0));
    ASSERT_EQ(questions.size(), 1);
    EXPECT_FALSE(QFile::exists(path));
    // No on paper: no page is drawn (a paged device painted on is a file here).
    {
        const QString paper = dir.FilePath(QStringLiteral("paper.pdf"));
        QPdfWriter device(paper);
        EXPECT_FALSE(CListingPrint(dialogs, longListing).PrintOnPaper(device));
        ASSERT_EQ(questions.size(), 2);
        EXPECT_FALSE(QFile::exists(paper));
        questions.removeLast();
    }
    // A short listing goes on paper without a question.
    {
        const QString paper = dir.FilePath(QStringLiteral("short.pdf"));
        {
            QPdfWriter device(paper);
            EXPECT_TRUE(CListingPrint(dialogs, shortListing).PrintOnPaper(device));
        }
        EXPECT_EQ(questions.size(), 1);
        EXPECT_EQ(PdfPageCount(paper), 1);
    }
    // Yes: the file has the pages the question named.
    answer = true;
    EXPECT_TRUE(CListingPrint(dialogs, longListing).PrintToPdf(path, nullptr, 0));
    ASSERT_EQ(questions.size(), 2);
    const QString pdf = QString::fromLatin1(ReadAll(path));
    const int pages = static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    EXPECT_GT(pages, CListingPrint::kAskAbovePages);
    EXPECT_EQ(questions[1], QStringLiteral("The listing fills %1 pages. Print them all?").arg(pages));
    EXPECT_EQ(questions[0], CListingPrint::ManyPagesQuestion(1, pages));
    // Each language has its own text with the number in it.
    const QStringList texts = {CListingPrint::ManyPagesQuestion(0, 101), CListingPrint::ManyPagesQuestion(1, 101),
                               CListingPrint::ManyPagesQuestion(2, 101)};
    for (const QString& text : texts)
        EXPECT_TRUE(text.contains(QStringLiteral("101"))) << text.toStdString();
    EXPECT_EQ(QSet<QString>(texts.begin(), texts.end()).size(), 3);

    // The question comes from the 101st page on, and only the answer decides.
    questions.clear();
    answer = false;
    const CListingPrint print(dialogs, shortListing);
    EXPECT_TRUE(print.MayPrint(1));
    EXPECT_TRUE(print.MayPrint(100));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_FALSE(print.MayPrint(101));
    answer = true;
    EXPECT_TRUE(print.MayPrint(101));
    EXPECT_EQ(questions, QStringList(2, CListingPrint::ManyPagesQuestion(0, 101)));
}

TEST(ListingSpool, PaperForASpoolerQueueIsTheWholePdfWithTheDialogsChoices)
{
    // The dialog's choices become spooler options.
    for (const int copies : {1, 2}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setCopyCount(copies);
        printer.setCollateCopies(false);
        const SSpoolJob job = CPrintSpool::JobFor(printer, QStringLiteral("Untitled"));
        QStringList pairs;
        for (qsizetype i = 0; i + 1 < job.aszOptions.size(); i += 2)
            pairs << job.aszOptions[i] + QLatin1Char('=') + job.aszOptions[i + 1];
        EXPECT_EQ(pairs.join(QLatin1Char(' ')).toStdString(), copies == 1 ? "media=Letter sides=one-sided"
                                                              : "media=Letter copies=2 collate=false sides=one-sided");
        EXPECT_EQ(job.szTitle, QStringLiteral("Untitled"));
        EXPECT_FALSE(CPrintSpool::CanSpool(printer)); // a file printer is no queue
    }
    {
        // Collated copies (a file printer keeps no duplex setting).
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setCopyCount(3);
        printer.setCollateCopies(true);
        const SSpoolJob job = CPrintSpool::JobFor(printer, QStringLiteral("Sign"));
        EXPECT_EQ(job.aszOptions.join(QLatin1Char(' ')).toStdString(),
                  "media A4 copies 3 collate true sides one-sided");
        EXPECT_EQ(job.szTitle, QStringLiteral("Sign"));
    }
    const struct
    {
        QPrinter::DuplexMode duplex;
        QPageLayout::Orientation orientation;
        const char* sides;
    } duplexes[] = {
        {QPrinter::DuplexNone, QPageLayout::Landscape, "one-sided"},
        {QPrinter::DuplexLongSide, QPageLayout::Landscape, "two-sided-long-edge"},
        {QPrinter::DuplexShortSide, QPageLayout::Portrait, "two-sided-short-edge"},
        {QPrinter::DuplexAuto, QPageLayout::Portrait, "two-sided-long-edge"},
        {QPrinter::DuplexAuto, QPageLayout::Landscape, "two-sided-short-edge"},
    };
    for (const auto& d : duplexes)
        EXPECT_EQ(CPrintSpool::Sides(d.duplex, d.orientation).toStdString(), d.sides);

    // The job is the listing's PDF on the printer's pages, asked about first
    // when it is long; a spooler that refuses is told with its reason.
    QString lines;
    for (int i = 1; i <= 8000; ++i)
        lines += QStringLiteral("%1-1-1-R\n").arg(i);
    const CListingDocument listing(lines);
    QStringList questions, messages;
    bool answer = false;
    CFrameDialogs dialogs;
    dialogs.askYesNo = [&](const QString& question) { return questions << question, answer; };
    dialogs.showMessage = [&](const QString& message) { messages << message; };
    CListingPrint print(dialogs, listing);
    QList<QByteArray> spooled;
    COutcome result = COutcome::Ok();
    print.SetSpool([&](const SSpoolJob& job, const QByteArray& pdf) {
        EXPECT_EQ(job.szPrinter, QStringLiteral("sign-room"));
        spooled << pdf;
        return result;
    });
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(6, 6, 6, 6), QPageLayout::Millimeter);
    const SSpoolJob job{QStringLiteral("sign-room"), QStringLiteral("Untitled"), {}};
    EXPECT_FALSE(print.SpoolOnPaper(a4, 600, job));
    EXPECT_TRUE(spooled.isEmpty());
    answer = true;
    ASSERT_TRUE(print.SpoolOnPaper(a4, 600, job));
    ASSERT_EQ(spooled.size(), 1);
    ASSERT_EQ(questions.size(), 2);
    EXPECT_TRUE(CDotTextPdf::IsWholePdf(spooled[0]));
    const QString pdf = QString::fromLatin1(spooled[0]);
    const int pages = static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    EXPECT_EQ(questions[1], CListingPrint::ManyPagesQuestion(0, pages));
    EXPECT_TRUE(messages.isEmpty());

    result = COutcome::Failed(QStringLiteral("The printer or class does not exist."));
    EXPECT_FALSE(print.SpoolOnPaper(a4, 600, job));
    EXPECT_EQ(messages, QStringList{CListingPrint::PrinterFailureMessage() + " (The printer or class does not exist.)"});
    // A refusal without a reason names none.
    messages.clear();
    result = COutcome::Failed(QString());
    EXPECT_FALSE(print.SpoolOnPaper(a4, 600, job));
    EXPECT_EQ(messages, QStringList{CListingPrint::PrinterFailureMessage()});
}

// A job with options for a queue that is not there (or a spooler that is not
// running) fails with the spooler's reason; its options are built and freed
// whole on the way.
TEST(ListingSpool, AJobForNoSuchQueueFailsWithAReason)
{
    CScratchDir dir;
    // A spooler socket of our own that nothing listens on keeps the job on
    // this machine where the spooler library reads it.
    qputenv("CUPS_SERVER", QFile::encodeName(dir.FilePath(QStringLiteral("no-spooler.sock"))));
    const SSpoolJob job{QStringLiteral("pellmark-test-no-such-queue"), QStringLiteral("Untitled"),
                        {QStringLiteral("media"), QStringLiteral("A4"), QStringLiteral("copies"), QStringLiteral("2"),
                         QStringLiteral("sides"), QStringLiteral("one-sided")}};
    const COutcome outcome = CPrintSpool::Submit(job, "%PDF-1.4\n%%EOF\n");
    qunsetenv("CUPS_SERVER");
    EXPECT_FALSE(outcome.IsOk());
    EXPECT_FALSE(outcome.Message().isEmpty());
}
