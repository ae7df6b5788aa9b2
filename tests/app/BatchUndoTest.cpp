// --undo and --redo against runs without the steps they take back, and
// asking for a step that is not there.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

struct SOutputs
{
    QByteArray dots;
    QByteArray image;
};

// Runs the options, then writes the listing and the picture.
SOutputs RunAndSave(const CScratchDir& dir, const QString& name, QStringList args)
{
    const QString dots = dir.FilePath(name + QStringLiteral(".txt"));
    const QString image = dir.FilePath(name + QStringLiteral(".bmp"));
    args << "--save-dots" << dots << "--save-image" << image;
    const SProcessResult r = RunPellmark(args);
    EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << "\n" << r.err.toStdString();
    return {ReadAll(dots), ReadAll(image)};
}

} // namespace

TEST(BatchUndo, GivesTheFilesOfARunWithoutTheUndoneSteps)
{
    CScratchDir dir;
    const QString listing = dir.FilePath(QStringLiteral("in.txt"));
    WriteAll(listing, "1-1-1-R, 1-8-8-G\r\n\r\n3-2-2-O\r\n\r\n");
    QImage picture(24, 16, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 0));
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(23, 15, qRgb(0, 0, 255));
    const QString bmp = dir.FilePath(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(picture.save(bmp, "BMP"));

    const QStringList image{"--new", "24x16:image", "--set-dot", "1,1", "--dot-color", "orange", "--set-dot", "23,15"};
    const QStringList text{"--new", "32x16:text", "--font", "DejaVu Sans", "--size", "16", "--text", "AB",
                           "--text-colors", "red,yellow"};
    const struct
    {
        const char* name;
        QStringList withUndo;
        QStringList without;
    } cases[] = {
        {"left and right clicks", QStringList(image) << "--set-dot" << "5,5" << "--clear-dot" << "1,1" << "--undo" << "--undo",
         image},
        {"mirror, flip, redo", QStringList(image) << "--mirror" << "--flip" << "--undo" << "--undo" << "--redo",
         QStringList(image) << "--mirror"},
        {"rotate", QStringList(image) << "--rotate" << "--undo", image},
        {"rotate redone", QStringList(image) << "--rotate" << "--undo" << "--redo", QStringList(image) << "--rotate"},
        {"background", QStringList(image) << "--background" << "102030" << "--undo", image},
        {"load dots", QStringList{"--new", "24x16:image", "--load-dots", listing, "--undo", "--redo", "--undo"},
         QStringList{"--new", "24x16:image"}},
        {"open", QStringList(image) << "--open" << bmp << "--undo", image},
        {"merge text", QStringList(text) << "--merge" << "--undo", text},
        {"offset and stretch", QStringList(text) << "--merge" << "--offset" << "2,1" << "--stretch" << "4" << "--undo"
                                                 << "--undo",
         QStringList(text) << "--merge"},
        {"open into text mode, then merge, both undone",
         QStringList{"--new", "16x16:text", "--open", bmp, "--text", "AB", "--merge", "--undo", "--undo"},
         QStringList{"--new", "16x16:text", "--text", "AB"}},
        {"image-mode merge", QStringList(image) << "--text" << "Hi" << "--merge" << "--undo" << "--redo",
         QStringList(image) << "--text" << "Hi" << "--merge"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SOutputs undone = RunAndSave(dir, QStringLiteral("undone"), c.withUndo);
        const SOutputs plain = RunAndSave(dir, QStringLiteral("plain"), c.without);
        ASSERT_FALSE(plain.image.isEmpty());
        EXPECT_EQ(undone.dots, plain.dots);
        EXPECT_EQ(undone.image, plain.image);
    }

    // One undo of that merge brings the picture back; a text-mode canvas
    // lists none of a picture's dots, so the picture is compared alone.
    const QString undone = dir.FilePath(QStringLiteral("undone.bmp"));
    const QString plain = dir.FilePath(QStringLiteral("plain.bmp"));
    EXPECT_EQ(RunPellmark({"--new", "16x16:text", "--open", bmp, "--text", "AB", "--merge", "--undo", "--save-image",
                           undone})
                  .exitCode,
              0);
    EXPECT_EQ(RunPellmark({"--new", "16x16:text", "--open", bmp, "--save-image", plain}).exitCode, 0);
    EXPECT_EQ(ReadAll(undone), ReadAll(plain));
    EXPECT_FALSE(ReadAll(plain).isEmpty());
}

TEST(BatchUndo, NothingToTakeBackIsBadInput)
{
    CScratchDir dir;
    const QString out = dir.FilePath(QStringLiteral("out.txt"));
    const struct
    {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"--undo", "--save-dots", out}, "--undo: nothing to undo"},
        {{"--new", "16x16:image", "--undo", "--save-dots", out}, "--undo: nothing to undo"},
        {{"--new", "16x16:image", "--set-dot", "1,1", "--undo", "--undo", "--save-dots", out}, "--undo: nothing to undo"},
        {{"--new", "16x16:image", "--set-dot", "1,1", "--new", "16x16:image", "--undo", "--save-dots", out},
         "--undo: nothing to undo"},
        {{"--new", "16x16:image", "--set-dot", "1,1", "--redo", "--save-dots", out}, "--redo: nothing to redo"},
        // A new change drops what could have been redone.
        {{"--new", "16x16:image", "--set-dot", "1,1", "--undo", "--set-dot", "2,2", "--redo", "--save-dots", out},
         "--redo: nothing to redo"},
    };
    for (const auto& c : cases) {
        const SProcessResult r = RunPellmark(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(QFile::exists(out)) << c.args.join(' ').toStdString();
    }
}

TEST(BatchUndo, ARepeatedDotIsOneStep)
{
    CScratchDir dir;
    const SOutputs unlit = RunAndSave(dir, QStringLiteral("unlit"), {"--new", "16x8:image"});
    // The second click changes nothing, so Undo takes back the first.
    const SOutputs undone = RunAndSave(dir, QStringLiteral("undone"),
                                       {"--new", "16x8:image", "--set-dot", "0,0", "--set-dot", "0,0", "--undo"});
    EXPECT_EQ(undone.dots, unlit.dots);
    EXPECT_EQ(undone.image, unlit.image);
    EXPECT_TRUE(undone.dots.isEmpty());
}
