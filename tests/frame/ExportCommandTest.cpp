#include "FrameFixture.h"

#include <vector>

TEST_F(FrameTest, ExportWritesTheChosenFormAndRemembersTheChoice)
{
    // Red dots at (0,0) and (1,0), green at (7,7), blue at (9,0).
    OpenSample();
    std::vector<SExportRequest> offered;
    SExportRequest answer;
    answer.path = dir.FilePath(QStringLiteral("sign.bin"));
    answer.options.scan = SExportOptions::Columns;
    std::optional<SExportRequest> reply = answer;
    frame->Dialogs().askExport = [&](const CDotGrid& grid, const SExportRequest& last, int language) {
        EXPECT_EQ(grid.Width(), 16);
        EXPECT_EQ(language, frame->Language());
        offered.push_back(last);
        return reply;
    };
    frame->UpdateCommandStates();
    ASSERT_TRUE(Act(CommandId::Export)->isEnabled());
    Trigger(CommandId::Export);
    // Columns 0, 1, 7 and 9: c0 (top), c0, 01 (bottom), 80.
    EXPECT_EQ(ReadAll(answer.path).toHex(' '), "80 80 00 00 00 00 00 01 00 80 00 00 00 00 00 00");
    EXPECT_TRUE(messages.isEmpty());

    // The next export starts from the last choice; cancelling writes nothing.
    reply.reset();
    QFile::remove(answer.path);
    Trigger(CommandId::Export);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1].path, answer.path);
    EXPECT_EQ(offered[1].options.scan, SExportOptions::Columns);
    EXPECT_FALSE(QFile::exists(answer.path));

    // A file that cannot be written is said once.
    answer.path = dir.FilePath(QStringLiteral("missing/sign.hex"));
    reply = answer;
    Trigger(CommandId::Export);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("sign.hex")) << messages[0].toStdString();
}
