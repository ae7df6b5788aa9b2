#include "frame/MainFrame.h"

#include "canvas/ImageView.h"
#include "TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(MainFrameSettings, CloseWritesTheThreeKeysInOrder)
{
    CScratchDir dir;
    const QString path = dir.FilePath("option.ini");
    {
        CMainFrame frame(path);
        EXPECT_EQ(frame.Language(), 1);
        EXPECT_EQ(frame.Canvas()->ShowGrid(), 1);
        EXPECT_EQ(frame.Canvas()->Grid().BackColor(), 0u);
        frame.show();
        frame.close();
    }
    EXPECT_EQ(ReadAll(path), QByteArray("[Main]\nLanguage=1\nBkColor=0\nShowGrid=1\n"));
}

TEST(MainFrameSettings, StoredValuesAreAppliedAndWrittenBack)
{
    CScratchDir dir;
    const QString path = dir.FilePath("option.ini");
    WriteAll(path, "[Main]\nLanguage=7\nShowGrid=5\nBkColor=255\n");
    {
        CMainFrame frame(path);
        EXPECT_EQ(frame.Language(), 1); // out of range: the default
        EXPECT_EQ(frame.Canvas()->ShowGrid(), 5);
        EXPECT_EQ(frame.Canvas()->Grid().BackColor(), MakeColor(255, 1, 0)); // nudged off red
        frame.close();
    }
    EXPECT_EQ(ReadAll(path), QByteArray("[Main]\nLanguage=1\nShowGrid=5\nBkColor=511\n"));
}

TEST(MainFrameSettings, ExitWritesNothing)
{
    CScratchDir dir;
    const QString path = dir.FilePath("option.ini");
    {
        CMainFrame frame(path);
        frame.show();
        frame.QuitWithoutSaving();
    }
    EXPECT_FALSE(QFile::exists(path));
}
