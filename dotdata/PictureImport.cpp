#include "dotdata/PictureImport.h"

#include "base/DotGrid.h"
#include "dialogs/LoadedPicture.h"

bool CPictureImport::Import(const QString& path, CDotGrid& grid)
{
    // The picture is decoded before the old dots are touched, so a file that
    // cannot be read leaves the canvas as it was.
    CLoadedPicture picture;
    if (!picture.LoadFromFile(path))
        return false;
    const int width = CDotGrid::RoundAndClamp(picture.Width(), CDotGrid::kMaxWidth);
    const int height = CDotGrid::RoundAndClamp(picture.Height(), CDotGrid::kMaxHeight);
    if (!grid.Resize(width, height))
        return false;
    picture.CopyRows(grid.Bits(), width, height);
    picture.Release();
    grid.NormalizeToPalette();
    return true;
}
