// Command images by id and width: icon sets, image lists standing for ranges of ids, custom ids for
// user-made icons, loading from toolbar resources, bitmaps and image lists, and drawing.
#pragma once

#include "classlib/core/CArray.h"
#include "classlib/core/CMap.h"
#include "classlib/win/AfxGdi.h"
#include "classlib/win/AfxWin.h"
#include "toolkit/base/ImageIcon.h"

#include <objidl.h>

#include "toolkit/base/ImageIconSet.h"
#include "toolkit/base/ImageListHolder.h"

class CTKPPropExchange;

class CTKPImageManager : public CCmdTarget
{
public:
  CTKPImageManager();
  ~CTKPImageManager() override;

  // The process-wide instance made at start-up.
  static CTKPImageManager* GetDefault();

  // An empty record, or one of size 0 x 0 with no size given, is ignored. A new icon set is made
  // for the normal state (0) only.
  void SetIcon(const CTKPIconHandle& icon, UINT nID, CSize size = CSize(0, 0), int nState = 0);
  BOOL SetIconsFromToolBar(UINT nToolBarID, UINT nBitmapID, int nState = 0);
  BOOL SetIconsFromToolBar(UINT nID, int nState = 0);
  BOOL SetIconsFromBitmap(UINT nBitmapID, const UINT* pIDs, int nCount, CSize size, int nState = 0);
  BOOL SetIconsFromImageList(CImageList* pImageList, const UINT* pIDs, int nCount, CSize size, int nState = 0);
  // The images of the list stand for ids base .. base + count - 1.
  void SetImageList(HIMAGELIST hImageList, UINT nBaseID, BOOL bOwns);
  // A new icon set under the next custom id; returns the id.
  UINT AddCustomIcon(const CTKPIconHandle& icon);

  CTKPImageIcon* GetImage(UINT nID, int nWidth = 16);
  CTKPImageIconSet* LookupIconSet(UINT nID) const;
  // Scaled copies and image-list icons are made again on their next use.
  void RefreshAll();
  void RemoveAll();

  BOOL IsAlphaSupported() const { return m_pfnAlphaBlend != NULL; }
  BOOL IsDrawReverted() const { return m_bDrawReverted; }
  void SetDrawReverted(BOOL bReverted) { m_bDrawReverted = bReverted; }
  COLORREF GetMaskColor() const { return m_clrMask; }
  void SetMaskColor(COLORREF clrMask) { m_clrMask = clrMask; }
  UINT GetCustomIDCounter() const { return m_nCustomID; }

  // Draws a premultiplied bitmap of the given extent stretched to size; nothing without AlphaBlend.
  void DrawAlphaBitmapBlend(HDC hdc, CPoint pt, CSize size, HBITMAP hPremultiplied, CSize extent);
  // Test switch: FALSE hides AlphaBlend as if msimg32 lacked it.
  void EnableAlphaBlend(BOOL bEnable);

  // Persistence and clipboard.
  void ExchangeIcons(UINT nID, CTKPPropExchange* pPX);
  void Serialize(CArchive& ar) override;
  BOOL CopyIconToClipboard(UINT nID);
  // The new custom id of the pasted icons, or 0 when the data object holds none or holds damaged
  // data (then nothing is left under an id and the custom id counter is unchanged).
  UINT PasteIconFromClipboard(IDataObject* pDataObject);
  UINT PasteIconFromGlobal(HGLOBAL hGlobal);

  static BOOL IsComCtl6();
  static BOOL IsAlphaBitmapFile(LPCTSTR lpszFileName);
  // A DIB-section copy whose colour channels are multiplied by alpha.
  static HBITMAP CreatePremultipliedBitmap(HBITMAP hBitmap);
  // The bitmap's pixels as 32-bit bottom-up rows (delete[] by the caller); null on failure.
  static BYTE* ReadBitmapBits32(HBITMAP hBitmap, int* pWidth, int* pHeight);
  static HBITMAP DuplicateAlphaBitmap(HBITMAP hBitmap);
  static CSize GetIconExtent(HICON hIcon);
  // A new icon of the width (height in proportion), owned by the caller.
  static HICON ScaleIcon(HICON hIcon, CSize size, int nNewWidth);
  static void DrawAlphaBitmap(CDC* pDC, CPoint ptDest, CSize szDest, HBITMAP hBitmap, CPoint ptSrc = CPoint(0, 0),
                              CSize szSrc = CSize(0, 0));

  static UINT GetToolBarImageFormat();
  static UINT GetAlphaBitmapFormat();

  // A DIB section of a 32-bit bitmap resource with its alpha; FALSE for any other depth.
  BOOL LoadAlphaBitmapResource(UINT nBitmapID, HBITMAP* phBitmap);

protected:
  BOOL SetIconsFromAlphaBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount, CSize size, int nState);
  // FALSE when the image data of an entry could not be read.
  BOOL LoadIcons(UINT nID, CTKPPropExchange* pPX);
  // Releases the icon set of the id and forgets it.
  void RemoveIconSet(UINT nID);

  COLORREF m_clrMask;
  CMap<UINT, UINT, CTKPImageIconSet*, CTKPImageIconSet*> m_mapImages;
  CArray<CTKPImageListHolder*, CTKPImageListHolder*> m_arrImageLists;
  UINT m_nCustomID;
  HMODULE m_hMsImg32;
  BOOL(WINAPI* m_pfnAlphaBlend)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
  BOOL m_bDrawReverted;
  BOOL(WINAPI* m_pfnAlphaBlendFound)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
};

// The process-wide image manager (the default instance).
inline CTKPImageManager* TKPGetImageManager() { return CTKPImageManager::GetDefault(); }
