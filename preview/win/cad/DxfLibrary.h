// CDxfLibrary: the binding of DXF.dll, loaded by name with its twenty entry points (all of them
// required) and the wide loader when the library has it, and one drawing. Every operation answers
// 0 while the library is not loaded.
#pragma once

#include "preview/modules/dxf/DxfApi.h"

class CDxfLibrary {
public:
    CDxfLibrary();
    ~CDxfLibrary();

    BOOL IsLoaded() const { return m_bLoaded; }
    // Loaded, and a drawing exists.
    BOOL IsReady() const { return m_bLoaded && m_hDrawing != NULL; }
    BOOL Create();
    BOOL Destroy();
    BOOL LoadFile(LPCSTR lpszPath, HWND hProgress);
    // By the wide loader; without it, by the path in the ANSI code page (its short form when the
    // long one has characters the code page lacks).
    BOOL LoadFile(LPCWSTR lpszPath, HWND hProgress);
    BOOL InitView(int x, int y, int width, int height);
    BOOL Paint(HDC hDC);
    double GetZoom();
    // The new zoom level with the drawing point at the window's centre kept; FALSE when the level
    // is outside the accepted range or the library refuses it.
    BOOL SetZoom(double zoom);
    BOOL GetViewProperties(morvick::DxfViewProperties& view);
    BOOL SetViewProperties(const morvick::DxfViewProperties& view);
    BOOL ZoomExtents();

private:
    HMODULE m_hModule;
    HDRAWING m_hDrawing;
    BOOL m_bLoaded;
    DrwCreateFn m_pCreate;
    DrwDestroyFn m_pDestroy;
    DrwTableFn m_pAddTableType, m_pDeleteTableType, m_pFindTableType;
    DrwBlockFn m_pAddBlock, m_pDeleteBlock, m_pFindBlock;
    DrwEntityFn m_pAddEntity, m_pDeleteEntity, m_pChangeEntity, m_pFindEntity;
    DrwSaveFn m_pSaveDataToFile;
    DrwLoadFn m_pLoadDataFromFile;
    DrwLoadWideFn m_pLoadDataFromFileW;  // NULL when the library has none
    DrwInitViewFn m_pInitView;
    DrwPaintFn m_pPaint;
    DrwGetViewFn m_pGetViewProperties;
    DrwSetViewFn m_pSetViewProperties;
    DrwBorderFn m_pGetDrawingBorder;
    DrwZoomExtentsFn m_pZoomExtents;
};
