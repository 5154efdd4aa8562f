// Plain square icons of one colour each, put into an image manager under their ids: pictures a
// test can find again by their colour.
#pragma once

#include "toolkit/base/ImageManager.h"

#include <utility>
#include <vector>

inline void AddSquareIcons(CTKPImageManager* pManager, const std::vector<std::pair<UINT, COLORREF>>& icons)
{
    for (const auto& each : icons) {
        const int size = 16;
        HDC hdc = ::GetDC(nullptr);
        HBITMAP hColor = ::CreateCompatibleBitmap(hdc, size, size);
        HBITMAP hMask = ::CreateBitmap(size, size, 1, 1, nullptr);
        HDC hMem = ::CreateCompatibleDC(hdc);
        HGDIOBJ hOld = ::SelectObject(hMem, hColor);
        RECT rc = {0, 0, size, size};
        HBRUSH hBrush = ::CreateSolidBrush(each.second);
        ::FillRect(hMem, &rc, hBrush);
        ::DeleteObject(hBrush);
        ::SelectObject(hMem, hMask);
        ::PatBlt(hMem, 0, 0, size, size, BLACKNESS);  // every pixel opaque
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        ::ReleaseDC(nullptr, hdc);
        ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
        HICON hIcon = ::CreateIconIndirect(&ii);
        ::DeleteObject(hColor);
        ::DeleteObject(hMask);
        CTKPIconHandle icon;
        icon.AssignIcon(hIcon);
        pManager->SetIcon(icon, each.first, CSize(size, size));
    }
}
