#include "dotdata/PictureImport.h"

#include "base/CanvasMode.h"
#include "base/DotGrid.h"
#include "base/GridImage.h"
#include "dotdata/PictureDecoder.h"


bool CPictureImport::Import(const QString& path, CDotGrid& grid, int matching, QString* why)
{
    // The picture is decoded before the old dots are touched, so a file that
    // cannot be read leaves the canvas as it was. Only a regular file of a
    // bounded size is opened: a FIFO or a device never blocks the program.
    DecodedPicture picture;
    QString reason;
    const QSize limit(kMaxCanvasWidth, kMaxCanvasHeight);
    const bool decoded = CPictureDecoder::DecodeFile(path, limit, picture, reason);
    if (why)
        *why = reason;
    return decoded && Place(picture, grid, matching);
}

bool CPictureImport::Place(const DecodedPicture& picture, CDotGrid& grid, int matching)
{
    if (!picture.IsValid())
        return false;
    const int width = RoundToBlocks(picture.size.width(), kMaxCanvasWidth);
    const int height = RoundToBlocks(picture.size.height(), kMaxCanvasHeight);
    if (!grid.Resize(width, height))
        return false;
    MatchPixels(picture.pixels, grid, matching);
    return true;
}

void CPictureImport::MatchPixels(const QImage& pixels, CDotGrid& grid, int matching)
{
    const int way = ValidColorMatching(matching);
    if (way == ExactColors) {
        ImageToGrid(pixels, grid);
        grid.NormalizeToPalette();
        return;
    }
    const CColorMatcher matcher(grid.BackColor());
    if (way == NearestColor)
        matcher.MatchNearest(pixels, grid);
    else
        matcher.MatchDithered(pixels, grid);
}
