// Keeping the user's work in the window: unsaved changes are asked about
// before New, Open Project, closing and Exit; projects open and save with
// the caption and recent-file list following; dropped files open as what
// they are; a run that did not end cleanly has its work offered back.
#include "FrameFixture.h"

#include "canvas/CanvasDocument.h"
#include "dotdata/ProjectFile.h"
#include "frame/ProjectKeeper.h"
#include "frame/RecoveryStore.h"
#include "frame/UserSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

using namespace CommandId;

namespace {

class KeepWorkTest : public FrameTest
{
protected:
    void SetUp() override
    {
        // The recent-file list and window settings go to a test location.
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Tessik")).fileName());
        FrameTest::SetUp();
        frame->show();
    }
    void TearDown() override { QStandardPaths::setTestModeEnabled(false); }

    // A text-mode sign with typed, unmerged text: unsaved work.
    void MakeWork(const QString& text = QStringLiteral("AB"))
    {
        NewCanvas(32, 16, TextMode);
        Pane()->SetInputText(text);
    }
    QString Project(const char* name) const { return dir.FilePath(QString::fromLatin1(name)); }
    void SaveAnswers(const QString& path) const
    {
        frame->Dialogs().askSaveProjectPath = [path](int, const QString&) { return path; };
    }
    void Drop(QWidget* target, const QString& path) const
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
    }
};

} // namespace

TEST_F(KeepWorkTest, EveryWayOfLosingWorkAsksAndCancelKeepsIt)
{
    const std::function<void()> ways[] = {
        [this] { frame->close(); },
        [this] { Trigger(Exit); },
        [this] { NewCanvas(8, 8, ImageMode); },
        [this] {
            const QString path = Project("other.png");
            QString error;
            ASSERT_TRUE(CProjectFile::Save(path, SProject(), error));
            frame->Dialogs().askOpenProject = [path](int) { return path; };
            Trigger(OpenProject);
        },
    };
    int way = 0;
    for (const auto& loseWork : ways) {
        MakeWork();
        saveQuestions.clear();
        saveAnswer = ESaveChoice::Cancel;
        loseWork();
        EXPECT_EQ(saveQuestions, QStringList{QStringLiteral("未命名")}) << way; // "Untitled" in the start language
        EXPECT_TRUE(frame->isVisible()) << way;
        EXPECT_EQ(quitCount, 0) << way;
        EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("AB")) << way;
        EXPECT_EQ(Canvas()->Grid().Width(), 32) << way;
        EXPECT_TRUE(frame->isWindowModified()) << way;
        ++way;
    }
    // Nothing unsaved: nothing is asked.
    saveAnswer = ESaveChoice::Discard;
    NewCanvas(16, 16, TextMode);
    saveQuestions.clear();
    frame->close();
    EXPECT_TRUE(saveQuestions.isEmpty());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(KeepWorkTest, SaveFirstWritesTheProjectThenGoesOn)
{
    MakeWork(QStringLiteral("你好"));
    const QString path = Project("kept.png");
    SaveAnswers(path);
    saveAnswer = ESaveChoice::Save;
    frame->close();
    EXPECT_FALSE(frame->isVisible());
    SProject saved;
    QString error;
    ASSERT_EQ(CProjectFile::Load(path, saved, error), CProjectFile::Ok) << error.toStdString();
    EXPECT_EQ(saved.m_input.m_szText, QStringLiteral("你好"));

    // Cancelling the file dialog (or a failed save) keeps the window open.
    frame = MakeFrame();
    frame->show();
    MakeWork();
    SaveAnswers(QString());
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    SaveAnswers(dir.Path()); // a folder: the save fails and says so
    Trigger(English);
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().contains(QStringLiteral("not a regular file")));
}

TEST_F(KeepWorkTest, ProjectsOpenWithCaptionAndRecentFiles)
{
    MakeWork(QStringLiteral("Sign"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("[*]Pellmark"));
    EXPECT_TRUE(frame->isWindowModified());
    const QString path = Project("shop.png");
    SaveAnswers(path);
    Trigger(SaveProject);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("[*]shop.png - Pellmark"));
    EXPECT_FALSE(frame->isWindowModified());
    Pane()->SetInputText(QStringLiteral("Sign 2"));
    EXPECT_TRUE(frame->isWindowModified());
    Trigger(SaveProject); // to the same file, not asked
    EXPECT_FALSE(frame->isWindowModified());

    ASSERT_TRUE(Act(RecentFile)->isVisible());
    EXPECT_EQ(Act(RecentFile)->text(), QStringLiteral("&1 shop.png"));
    EXPECT_FALSE(Act(RecentFile + 1)->isVisible());

    NewCanvas(8, 8, ImageMode);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Pellmark"));
    Trigger(RecentFile);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("[*]shop.png - Pellmark"));
    EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("Sign 2"));
    EXPECT_EQ(Canvas()->Grid().Width(), 32);
    EXPECT_EQ(Pane()->InputMode(), TextMode);
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_FALSE(Act(Undo)->isEnabled()); // a fresh history

    // Save As asks even with a file, offering it, and goes on with the new one.
    QString offered;
    const QString other = Project("other.png");
    frame->Dialogs().askSaveProjectPath = [&offered, other](int, const QString& current) {
        return offered = current, other;
    };
    Trigger(SaveProjectAs);
    EXPECT_EQ(offered, path);
    EXPECT_TRUE(QFileInfo(other).isFile());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("[*]other.png - Pellmark"));
}

TEST_F(KeepWorkTest, ABadProjectSaysSoOnceAndKeepsTheDocument)
{
    MakeWork();
    const QString bad = Project("bad.png");
    QString error;
    ASSERT_TRUE(CProjectFile::Save(bad, SProject(), error));
    QByteArray bytes = ReadAll(bad);
    ASSERT_TRUE(WriteAll(bad, bytes.left(bytes.size() - 5)));
    frame->Dialogs().askOpenProject = [bad](int) { return bad; };
    saveAnswer = ESaveChoice::Discard;
    Trigger(English);
    Trigger(OpenProject);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().contains(QStringLiteral("incomplete"))) << messages.front().toStdString();
    EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("AB"));
    EXPECT_EQ(Canvas()->Grid().Width(), 32);
}

TEST_F(KeepWorkTest, DroppedFilesOpenAsWhatTheyAre)
{
    const QString listing = Project("dots.txt");
    ASSERT_TRUE(WriteAll(listing, "1-2-3-Y\r\n\r\n"));
    // Before any canvas a listing has nothing to light: said once, nothing made.
    ASSERT_TRUE(Canvas()->Grid().IsEmpty());
    Trigger(English);
    Drop(frame.get(), listing);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.front().contains(QStringLiteral("no canvas"))) << messages.front().toStdString();
    EXPECT_TRUE(Canvas()->Grid().IsEmpty());
    messages.clear();

    OpenSample(); // 16 x 8 image mode, four lit dots
    Drop(frame.get(), listing);
    EXPECT_EQ(Canvas()->Grid().DotAt(2, 6), DotPalette[3]); // row 1 from the top
    EXPECT_TRUE(Act(Undo)->isEnabled());

    QImage picture(8, 8, QImage::Format_RGB888);
    picture.fill(Qt::black);
    picture.setPixelColor(1, 1, Qt::red);
    const QString bmp = Project("small.bmp");
    ASSERT_TRUE(picture.save(bmp, "BMP"));
    Drop(Pane()->RichEdit()->viewport(), bmp); // onto the typing area: opened, not typed
    EXPECT_EQ(Canvas()->Grid().Width(), 8);
    EXPECT_EQ(Canvas()->Grid().DotAt(1, 6), DotPalette[0]);
    EXPECT_TRUE(Pane()->RichEdit()->toPlainText().isEmpty());
    // A PNG that is no project is a picture too.
    picture = QImage(24, 4, QImage::Format_RGB888);
    picture.fill(Qt::red);
    const QString png = Project("small.png");
    ASSERT_TRUE(picture.save(png, "PNG"));
    Drop(frame.get(), png);
    EXPECT_EQ(Canvas()->Grid().Width(), 24);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();

    SProject project;
    project.m_grid.Create(24, 16, TextMode);
    project.m_input.m_szText = QStringLiteral("dropped");
    project.m_input.m_acrColor.assign(7, DotPalette[1]);
    QString error;
    ASSERT_TRUE(CProjectFile::Save(Project("drop.png"), project, error));
    Drop(frame.get(), Project("drop.png"));
    EXPECT_EQ(Canvas()->Grid().Width(), 24);
    EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("dropped"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("[*]drop.png - Pellmark"));
}

TEST_F(KeepWorkTest, WorkOfARunThatDidNotEndIsOfferedBack)
{
    const QString folder = dir.FilePath(QStringLiteral("recovery"));
    frame->Keeper().StartRecovery(folder);
    MakeWork(QStringLiteral("lost?"));
    ASSERT_TRUE(frame->Keeper().Recovery()->SaveNow());
    auto crashed = std::move(frame); // still running: its work is not offered

    frame = MakeFrame();
    frame->Keeper().StartRecovery(folder);
    int asked = 0;
    frame->Dialogs().askRestoreWork = [&asked](int, const QDateTime&) { return ++asked, std::optional<bool>(true); };
    EXPECT_FALSE(frame->Keeper().OfferRecovery());
    crashed.reset(); // gone without ending its session
    EXPECT_TRUE(frame->Keeper().OfferRecovery());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("lost?"));
    EXPECT_TRUE(frame->isWindowModified());
    // The work is now kept under this run's own file; the old one is gone.
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(QDir(folder).filePath(files.front()), frame->Keeper().Recovery()->FilePath());

    // Discarding the work removes the file; a clean close leaves none.
    saveAnswer = ESaveChoice::Discard;
    frame->close();
    EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files).isEmpty());
}

// Later keeps the work for the next start; Discard drops it; work that
// cannot be read is told and dropped.
TEST_F(KeepWorkTest, LeftWorkIsKeptForLaterDroppedOrToldWhenDamaged)
{
    const QString folder = dir.FilePath(QStringLiteral("recovery"));
    const auto leaveWork = [&](const QString& text) {
        frame->Keeper().StartRecovery(folder);
        MakeWork(text);
        EXPECT_TRUE(frame->Keeper().Recovery()->SaveNow());
        const QString path = frame->Keeper().Recovery()->FilePath();
        frame.reset();
        frame = MakeFrame();
        frame->Keeper().StartRecovery(folder);
        return path;
    };
    const auto pictures = [&] { return QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files).size(); };
    leaveWork(QStringLiteral("kept"));
    QList<std::optional<bool>> answers = {std::nullopt, false};
    int asked = 0;
    frame->Dialogs().askRestoreWork = [&](int, const QDateTime&) { return answers.value(asked++); };
    EXPECT_FALSE(frame->Keeper().OfferRecovery()); // later
    EXPECT_EQ(pictures(), 1);
    EXPECT_FALSE(frame->Keeper().OfferRecovery()); // offered again, and discarded
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(pictures(), 0);
    EXPECT_FALSE(frame->Keeper().OfferRecovery());
    EXPECT_EQ(asked, 2);
    EXPECT_NE(Pane()->RichEdit()->toPlainText(), QStringLiteral("kept"));

    const QString damaged = leaveWork(QStringLiteral("damaged"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a project");
    file.close();
    frame->Dialogs().askRestoreWork = [](int, const QDateTime&) { return std::optional<bool>(true); };
    messages.clear();
    EXPECT_FALSE(frame->Keeper().OfferRecovery());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(QFile::exists(damaged));
    EXPECT_FALSE(frame->isWindowModified());
}

TEST_F(KeepWorkTest, WindowGeometryAndFontComeBackFromTheUserSettings)
{
    frame->setGeometry(40, 50, 700, 500);
    LogFont font = FontOf("DejaVu Sans", 24);
    Pane()->ApplyFont(font);
    frame->StoreUserSettings();
    frame = MakeFrame();
    frame->RestoreUserSettings();
    EXPECT_EQ(frame->size(), QSize(700, 500));
    EXPECT_EQ(Pane()->CurrentFont().lfFaceName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(Pane()->CurrentFont().lfHeight, 24);
    EXPECT_EQ(Canvas()->Text().m_lfText.lfHeight, 24);
    EXPECT_FALSE(Pane()->IsMergePending());
    EXPECT_FALSE(frame->isWindowModified());
}

TEST_F(KeepWorkTest, AnImageProjectPutsItsLayoutAndOverlayColoursBackInThePane)
{
    NewCanvas(64, 16, ImageMode);
    Pane()->SetInputText(QStringLiteral("Hi"));
    Pane()->SetCharacterColors({0, 1});
    const QString path = Project("overlay.png");
    SaveAnswers(path);
    Trigger(SaveProject);
    ASSERT_FALSE(frame->isWindowModified());
    // A layout choice alone is a change worth keeping.
    const SSignLayoutOptions layout{SSignLayoutOptions::AlignCentre, SSignLayoutOptions::AlignEnd, 3, -2, false};
    Pane()->SetLayoutOptions(layout);
    EXPECT_TRUE(frame->isWindowModified());
    Trigger(SaveProject);

    NewCanvas(8, 8, TextMode);
    Pane()->SetLayoutOptions(SSignLayoutOptions());
    saveAnswer = ESaveChoice::Discard;
    frame->Dialogs().askOpenProject = [path](int) { return path; };
    Trigger(OpenProject);
    EXPECT_TRUE(Pane()->LayoutOptions() == layout);
    EXPECT_TRUE(Canvas()->Document().Text().m_layout == layout);
    EXPECT_EQ(Canvas()->Document().Text().m_acrOverlay, (std::vector<COLORREF>{DotPalette[0], DotPalette[1]}));
    EXPECT_FALSE(frame->isWindowModified());
}

TEST_F(KeepWorkTest, TheFourLatestFilesAreNumberedNamedAndOpened)
{
    // Five pictures used one after the other, each of its own width.
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        QImage picture(8 * (i + 1), 8, QImage::Format_RGB888);
        picture.fill(Qt::red);
        const QString path = dir.FilePath(i == 2 ? QStringLiteral("R&D.bmp") : QStringLiteral("p%1.bmp").arg(i));
        ASSERT_TRUE(picture.save(path, "BMP"));
        CUserSettings::AddRecentFile(path);
        paths.prepend(path);
    }
    Trigger(English); // the menus are put up again, reading the list
    const QStringList names = {QStringLiteral("&1 p4.bmp"), QStringLiteral("&2 p3.bmp"), QStringLiteral("&3 R&&D.bmp"),
                               QStringLiteral("&4 p1.bmp")};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Act(RecentFile + i)->isVisible()) << i;
        EXPECT_EQ(Act(RecentFile + i)->text(), names[i]);
        EXPECT_EQ(Act(RecentFile + i)->statusTip(), QDir::toNativeSeparators(paths[i]));
    }
    // Each opens its own file: the widths tell which.
    for (const int i : {3, 0, 2}) {
        Trigger(RecentFile + i);
        EXPECT_EQ(Canvas()->Grid().Width(), 8 * (5 - i)) << i;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
}

TEST_F(KeepWorkTest, OnlyDragsCarryingALocalFileAreTaken)
{
    OpenSample();
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/sign.bmp"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    QDragEnterEvent words(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &words);
    EXPECT_FALSE(words.isAccepted());
    QDropEvent none(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &none);
    EXPECT_EQ(Canvas()->Grid().Width(), 16);

    // A web address before a local file: the file is what is opened.
    QImage picture(40, 8, QImage::Format_RGB888);
    picture.fill(Qt::red);
    const QString path = Project("wide.bmp");
    ASSERT_TRUE(picture.save(path, "BMP"));
    QMimeData both;
    both.setUrls({QUrl(QStringLiteral("https://example.org/sign.bmp")), QUrl::fromLocalFile(path)});
    QDragEnterEvent enterBoth(QPoint(5, 5), Qt::CopyAction, &both, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enterBoth);
    EXPECT_TRUE(enterBoth.isAccepted());
    QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &both, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(Canvas()->Grid().Width(), 40);
}

// The keeper tells of a change once, starts the recovery file of work that
// was already unsaved, and ends the recovery file when the work is saved or
// the session ends; Save As offers the project's own file.
TEST_F(KeepWorkTest, TheKeeperTellsChangesOnceAndEndsTheRecoveryFileWithTheWork)
{
    CProjectKeeper& keeper = frame->Keeper();
    EXPECT_FALSE(keeper.OfferRecovery()); // no recovery kept at all
    MakeWork();
    QSignalSpy changed(&keeper, &CProjectKeeper::StateChanged);
    QSignalSpy used(&keeper, &CProjectKeeper::ProjectFileUsed);
    keeper.NoteChange();
    keeper.NoteChange();
    EXPECT_EQ(changed.count(), 0); // already unsaved
    keeper.StartedAfresh();
    EXPECT_EQ(changed.count(), 1);
    keeper.NoteChange();
    keeper.NoteChange();
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(keeper.IsModified());

    const QString folder = dir.FilePath(QStringLiteral("recovery"));
    keeper.StartRecovery(folder);
    const auto* timer = keeper.Recovery()->findChild<QTimer*>();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive()); // the unsaved work is on its way to the file
    ASSERT_TRUE(keeper.Recovery()->SaveNow());
    const QString path = Project("kept.png");
    SaveAnswers(path);
    ASSERT_TRUE(keeper.SaveProject());
    EXPECT_FALSE(keeper.Recovery()->HasFile());
    EXPECT_FALSE(timer->isActive());
    ASSERT_EQ(used.count(), 1);
    EXPECT_EQ(used.at(0).at(0).toString(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(keeper.ProjectPath(), QFileInfo(path).absoluteFilePath());
    ASSERT_TRUE(keeper.OpenProjectFile(path));
    ASSERT_EQ(used.count(), 2);
    EXPECT_EQ(used.at(1).at(0).toString(), QFileInfo(path).absoluteFilePath());

    QString offered = QStringLiteral("none");
    frame->Dialogs().askSaveProjectPath = [&offered](int, const QString& current) { return offered = current, QString(); };
    EXPECT_FALSE(keeper.SaveProjectAs());
    EXPECT_EQ(offered, QFileInfo(path).absoluteFilePath());
    frame->Dialogs().askSaveProjectPath = nullptr;
    EXPECT_FALSE(keeper.SaveProjectAs());

    keeper.NoteChange();
    EXPECT_TRUE(timer->isActive());
    ASSERT_TRUE(keeper.Recovery()->SaveNow());
    keeper.EndSession();
    EXPECT_FALSE(keeper.Recovery()->HasFile());
}

// Without a restore question the left work stays for a later run.
TEST_F(KeepWorkTest, LeftWorkStaysWhenNobodyIsAsked)
{
    const QString folder = dir.FilePath(QStringLiteral("recovery"));
    frame->Keeper().StartRecovery(folder);
    MakeWork(QStringLiteral("left"));
    ASSERT_TRUE(frame->Keeper().Recovery()->SaveNow());
    frame.reset();
    frame = MakeFrame();
    frame->Keeper().StartRecovery(folder);
    frame->Dialogs().askRestoreWork = nullptr;
    EXPECT_FALSE(frame->Keeper().OfferRecovery());
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files).size(), 1);
    EXPECT_FALSE(frame->isWindowModified());
}
