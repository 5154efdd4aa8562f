// The process-wide store of what toolkit windows draw with besides the colour table: a snapshot of
// forty colours, the toolkit's cursors, a few system metrics, ten fonts made from the system's menu,
// status, caption and icon-title fonts, the Windows version flags and the common-controls version.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "classlib/win/AfxWin.h"

class CTKPSharedMetrics
{
public:
  CTKPSharedMetrics();
  virtual ~CTKPSharedMetrics();

  // major << 16 | minor of comctl32.dll; 0 when it could not be read (and asked again next time).
  DWORD GetComCtlVersion();
  static BOOL FontExists(LPCTSTR lpszFaceName);
  // The font made from the descriptor with each change that is not -1 (255 for the underline).
  BOOL CreateFontFrom(const LOGFONTW& lf, CFont& font, int nWeight = -1, BYTE bUnderline = 255,
                      int nOrientation = -1, int nEscapement = -1);
  // The ten fonts, in the given faces when they are installed; FALSE when one cannot be made.
  BOOL CreateFonts(LPCTSTR lpszFace = NULL, LPCTSTR lpszVerticalFace = NULL);

  // The top-left pixel of a bitmap, or (COLORREF)-1 for a handle that is no bitmap.
  static COLORREF GetBitmapCornerColor(HBITMAP hBitmap);
  // An icon of the whole bitmap, its top-left colour transparent; null for an empty bitmap.
  static HICON CreateIconFromBitmap(HBITMAP hBitmap);

  // Colours 15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19 of the colour
  // manager, then 30 to 49 in m_clrToolkit.
  COLORREF m_clrBtnFace, m_clrBtnShadow, m_clr3DDkShadow, m_clrBtnHilite, m_clr3DLight, m_clrBtnText,
      m_clrGrayText, m_clrHighlight, m_clrHighlightText, m_clrMenu, m_clrMenuText, m_clrWindow, m_clrWindowFrame,
      m_clrWindowText, m_clrActiveCaption, m_clrInactiveCaption, m_clrGradientActiveCaption,
      m_clrGradientInactiveCaption, m_clrActiveCaptionText, m_clrInactiveCaptionText;
  COLORREF m_clrToolkit[20];

  // Toolkit cursors 9008, 9009, 9011, the hand, split cursors 9970 and 9971, and size-all.
  HCURSOR m_hcurDragCopy, m_hcurDragMove, m_hcurDragNone, m_hcurHand, m_hcurSplitH, m_hcurSplitV, m_hcurSizeAll;

  int m_nSmallIconX, m_nSmallIconY;
  int m_nDefault18X, m_nDefault18Y;
  int m_cxHThumb, m_cyVThumb, m_cyMenuItem;

  CFont m_fontNormal, m_fontBold, m_fontUnderline, m_fontVert, m_fontVertBold, m_fontIconTitle,
      m_fontIconTitleBold, m_fontMarlett, m_fontStatus, m_fontSmCaption;

  BOOL m_bIsWin95, m_bIsWin98, m_bIsWinNT4, m_bIsWin2K, m_bIsWinXP;
  BOOL m_bUseTahoma;
  DWORD m_dwComCtlVersion;

protected:
  // The system's non-client metrics in the size every system knows (without the padded border).
  virtual BOOL ReadNonClientMetrics(NONCLIENTMETRICSW* pMetrics);
  void LoadCursors();
  void DeleteFonts();
};

CTKPSharedMetrics* GetSharedMetrics();

// The cursor position in a window's client coordinates.
class CTKPClientCursorPos : public CPoint
{
public:
  explicit CTKPClientCursorPos(HWND hWnd);
  explicit CTKPClientCursorPos(const CWnd* pWnd);
};
