// The device contexts of a window: CPaintDC (BeginPaint/EndPaint, for WM_PAINT), CClientDC (the
// client area) and CWindowDC (the whole window, frame included; the screen for a NULL window).
#pragma once

#include "classlib/win/CDC.h"

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(HWND hWnd);
    virtual ~CPaintDC();

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(HWND hWnd);
    virtual ~CClientDC();

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(HWND hWnd);
    virtual ~CWindowDC();

protected:
    HWND m_hWnd;
};
