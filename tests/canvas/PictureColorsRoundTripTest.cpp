// Save Image as JPEG, then Open with each way of matching colours, as the
// canvas runs both.
#include "canvas/ImageView.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = MakeColor(0, 0, 90);

// A 128 x 64 canvas of 32 x 32 areas: the seven dot colours and one unlit.
CDotGrid SolidAreas()
{
    CDotGrid grid;
    grid.SetBackgroundColor(kBack, false);
    grid.Create(128, 64, ImageMode);
    for (int r = 0; r < 64; ++r) {
        for (int c = 0; c < 128; ++c) {
            const int area = c / 32 + 4 * (r / 32);
            if (area < kPaletteSize)
                grid.SetDot(c, r, DotPalette[static_cast<std::size_t>(area)]);
        }
    }
    return grid;
}

int SameDots(const CDotGrid& a, const CDotGrid& b)
{
    int same = 0;
    for (int r = 0; r < a.Height(); ++r)
        for (int c = 0; c < a.Width(); ++c)
            same += a.DotAt(c, r) == b.DotAt(c, r);
    return same;
}

class PictureColorsRoundTrip : public ::testing::Test
{
protected:
    PictureColorsRoundTrip()
    {
        m_view.resize(300, 200);
        m_view.Grid().SetBackgroundColor(kBack, false);
        m_view.Grid().Create(8, 8, ImageMode);
        m_view.SetGridSize(8, 8);
    }

    // Saves the dots as a JPEG through the canvas and opens the file again.
    void SaveAndReopen(const CDotGrid& dots, int way)
    {
        m_view.Grid() = dots;
        const QString path = m_dir.FilePath(QStringLiteral("canvas.jpg"));
        ASSERT_TRUE(m_view.SaveImageTo(path));
        m_view.Grid().Create(8, 8, ImageMode);
        m_view.SetPictureColors(way);
        ASSERT_TRUE(m_view.LoadPicture(path));
        ASSERT_EQ(m_view.Grid().Width(), dots.Width());
        ASSERT_EQ(m_view.Grid().Height(), dots.Height());
    }

    CScratchDir m_dir;
    CImageView m_view;
};

} // namespace

TEST_F(PictureColorsRoundTrip, NearestGivesBackSolidAreasFromJpeg)
{
    const CDotGrid original = SolidAreas();
    SaveAndReopen(original, NearestColor);
    EXPECT_GE(SameDots(original, m_view.Grid()), 128 * 64 * 98 / 100);
    // JPEG blurs colour along the edges between areas; dithering spreads
    // that error further but keeps the areas themselves.
    SaveAndReopen(original, DitheredColors);
    EXPECT_GE(SameDots(original, m_view.Grid()), 128 * 64 * 95 / 100);
}

TEST_F(PictureColorsRoundTrip, FullyRedCanvasComesBackRed)
{
    CDotGrid red;
    red.SetBackgroundColor(kBack, false);
    red.Create(64, 64, ImageMode);
    for (int r = 0; r < 64; ++r)
        for (int c = 0; c < 64; ++c)
            red.SetDot(c, r, DotPalette[0]);
    SaveAndReopen(red, NearestColor);
    EXPECT_EQ(SameDots(red, m_view.Grid()), 64 * 64);
    SaveAndReopen(red, DitheredColors);
    EXPECT_EQ(SameDots(red, m_view.Grid()), 64 * 64);
    // Exact takes only what the lossy file kept unchanged.
    SaveAndReopen(red, ExactColors);
    EXPECT_LT(SameDots(red, m_view.Grid()), 64 * 64);
}

TEST_F(PictureColorsRoundTrip, TheWayIsKeptAcrossOpensAndBadValuesMeanExact)
{
    EXPECT_EQ(m_view.PictureColors(), ExactColors);
    m_view.SetPictureColors(DitheredColors);
    EXPECT_EQ(m_view.PictureColors(), DitheredColors);
    SaveAndReopen(SolidAreas(), DitheredColors);
    EXPECT_EQ(m_view.PictureColors(), DitheredColors);
    for (const int bad : {-1, 3, 1000})
        EXPECT_EQ((m_view.SetPictureColors(bad), m_view.PictureColors()), ExactColors) << bad;
}

TEST_F(PictureColorsRoundTrip, OneDotStrokesOfASignSurviveJpeg)
{
    // A 64 x 16 sign on black: red one-dot uprights every third column,
    // green one-dot bars every fifth row, and a red-green diagonal. Colour
    // kept at half resolution would smear every stroke into its neighbours.
    CDotGrid sign;
    sign.SetBackgroundColor(MakeColor(0, 0, 0), false);
    sign.Create(64, 16, ImageMode);
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 64; ++c) {
            if (c % 3 == 1)
                sign.SetDot(c, r, DotPalette[0]);
            else if (r % 5 == 2)
                sign.SetDot(c, r, DotPalette[1]);
        }
        sign.SetDot(r * 4, r, DotPalette[static_cast<std::size_t>(r % 2)]);
    }
    m_view.Grid().SetBackgroundColor(MakeColor(0, 0, 0), false);
    SaveAndReopen(sign, NearestColor);
    EXPECT_GE(SameDots(sign, m_view.Grid()), 64 * 16 * 98 / 100);
}
