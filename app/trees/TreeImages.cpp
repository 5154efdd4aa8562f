#include "app/trees/TreeImages.h"

void LoadIconImages(CImageList& images, const UINT* ids, size_t count, int size, UINT flags)
{
    if (images.GetSafeHandle() != nullptr)
        return;
    images.Create(size, size, flags, static_cast<int>(count), 1);
    for (size_t i = 0; i < count; ++i) {
        HICON icon = static_cast<HICON>(
            LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(ids[i]), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        images.Add(icon);
        if (icon != nullptr)
            DestroyIcon(icon);
    }
}
