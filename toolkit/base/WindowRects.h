// Rectangles made from windows: empty, the window rectangle (screen coordinates) or the client
// rectangle; empty when the window does not exist.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "classlib/win/AfxWin.h"

class CTKPEmptyRect : public CRect
{
public:
  CTKPEmptyRect() { SetRectEmpty(); }
};

class CTKPWindowRect : public CRect
{
public:
  explicit CTKPWindowRect(HWND hWnd);
  explicit CTKPWindowRect(const CWnd* pWnd);
};

class CTKPClientRect : public CRect
{
public:
  explicit CTKPClientRect(HWND hWnd);
  explicit CTKPClientRect(const CWnd* pWnd);
};
