// Open and Save Image as the canvas runs them: layout, what survives, the
// dialog and the one message.
#include "canvas/ImageView.h"

#include "dotdata/PictureFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace testpic;

namespace {

constexpr COLORREF kBack = MakeColor(0, 0, 90);

class ImageViewPicture : public ::testing::Test
{
protected:
    ImageViewPicture()
    {
        m_view.resize(400, 300);
        m_view.Grid().SetBackgroundColor(kBack, false);
        m_view.Grid().Create(24, 16, TextMode);
        m_view.SetGridSize(24, 16);
        m_dialogs.showMessage = [this](const QString& text) { m_messages << text; };
        m_dialogs.askSaveImagePath = [this](const QString& suggested) {
            m_suggested << suggested;
            return m_answer;
        };
        m_view.SetDialogs(&m_dialogs);
    }

    CScratchDir m_dir;
    CFrameDialogs m_dialogs;
    CImageView m_view;
    QStringList m_messages;
    QStringList m_suggested;
    QString m_answer;
};

} // namespace

TEST_F(ImageViewPicture, OpenLaysTheNewGridOutAndKeepsTheSettings)
{
    m_view.ZoomIn();
    m_view.ToggleGrid();
    const int dotSize = m_view.DotSize();
    const int showGrid = m_view.ShowGrid();
    QSignalSpy spy(&m_view, &CZoomView::GridSizeChanged);
    ASSERT_TRUE(WriteAll(m_dir.FilePath("p.bmp"), MakeBmp24(10, 10, [](int, int) { return qRgb(0, 255, 0); })));

    EXPECT_TRUE(m_view.LoadPicture(m_dir.FilePath("p.bmp")));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).toInt(), 16);
    EXPECT_EQ(spy.last().at(1).toInt(), 16);
    EXPECT_EQ(m_view.GridWidth(), 16);
    EXPECT_EQ(m_view.DotSize(), dotSize);
    EXPECT_EQ(m_view.ShowGrid(), showGrid);
    EXPECT_EQ(m_view.Grid().Mode(), TextMode);
    EXPECT_EQ(m_view.Grid().BackColor(), kBack);
    EXPECT_TRUE(m_messages.isEmpty());

    // An unreadable file: one message, no layout step, the dots stay.
    const CDotGrid before = m_view.Grid();
    ASSERT_TRUE(WriteAll(m_dir.FilePath("bad.bmp"), QByteArray("BM broken")));
    EXPECT_FALSE(m_view.LoadPicture(m_dir.FilePath("bad.bmp")));
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(spy.count(), 1);
    ASSERT_EQ(m_view.Grid().Width(), before.Width());
    EXPECT_EQ(0, std::memcmp(m_view.Grid().Bits(), before.Bits(), before.ByteCount()));
}

TEST_F(ImageViewPicture, SaveImageAsksWithTheLastNameAndWrites)
{
    m_answer = m_dir.FilePath("first.bmp");
    m_view.SaveImage();
    EXPECT_EQ(m_suggested, QStringList{QString()});
    EXPECT_EQ(QFile(m_answer).size(), 54 + 3 * 24 * 16);
    EXPECT_EQ(m_view.ImagePath(), m_answer);

    // Cancelled: nothing written, the last name is still offered next time.
    m_answer.clear();
    m_view.SaveImage();
    EXPECT_EQ(m_suggested.last(), m_dir.FilePath("first.bmp"));
    EXPECT_EQ(QDir(m_dir.Path()).entryList(QDir::Files).size(), 1);

    // A failed write is reported once.
    m_answer = m_dir.FilePath("no/such/folder/x.jpg");
    m_view.SaveImage();
    EXPECT_EQ(m_messages.size(), 1);

    // No dots: no dialog at all.
    m_view.Grid().Create(0, 0, ImageMode);
    m_view.SaveImage();
    EXPECT_EQ(m_suggested.size(), 3);
    EXPECT_FALSE(m_view.SaveImageTo(m_dir.FilePath("empty.bmp")));
    EXPECT_EQ(m_messages.size(), 1);
}
