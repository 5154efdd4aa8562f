// The interface of our DXF.dll, as the CAD preview binds it by name. A drawing is a handle made
// by drwCreate; it is loaded from an ASCII DXF file (named by an ANSI or, drwLoadDataFromFileW, a
// wide path), placed in a window (drwInitView, the view properties, drwZoomExtents) and painted
// into a device context. The editing entry points
// (tables, blocks, entities, saving) are part of the interface but this library does not edit:
// they answer 0.
#pragma once

#include "preview/dxf/DxfView.h"

#include <windows.h>

typedef HANDLE HDRAWING;

// The drawing's extents in drawing units: minimum x, minimum y, maximum x, maximum y.
struct DxfDrawingBorder {
    double left, bottom, right, top;
};

typedef HDRAWING(WINAPI* DrwCreateFn)();
typedef BOOL(WINAPI* DrwDestroyFn)(HDRAWING);
typedef DWORD(WINAPI* DrwTableFn)(HDRAWING, DWORD, LPVOID);
typedef DWORD(WINAPI* DrwBlockFn)(HDRAWING, LPVOID);
typedef DWORD(WINAPI* DrwEntityFn)(HDRAWING, DWORD, LPVOID);
typedef BOOL(WINAPI* DrwSaveFn)(HDRAWING, DWORD, LPCSTR, HWND);
// (drawing, 0, 0, path in the ANSI code page, progress window or NULL): TRUE when loaded.
typedef BOOL(WINAPI* DrwLoadFn)(HDRAWING, DWORD, DWORD, LPCSTR, HWND);
// drwLoadDataFromFileW: the same with a wide path.
typedef BOOL(WINAPI* DrwLoadWideFn)(HDRAWING, DWORD, DWORD, LPCWSTR, HWND);
typedef BOOL(WINAPI* DrwInitViewFn)(HDRAWING, int, int, int, int);
typedef BOOL(WINAPI* DrwPaintFn)(HDRAWING, HDC);
typedef BOOL(WINAPI* DrwGetViewFn)(HDRAWING, morvick::DxfViewProperties*);
typedef BOOL(WINAPI* DrwSetViewFn)(HDRAWING, const morvick::DxfViewProperties*);
typedef BOOL(WINAPI* DrwBorderFn)(HDRAWING, DxfDrawingBorder*);
typedef BOOL(WINAPI* DrwZoomExtentsFn)(HDRAWING);
