#include "classlib/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CPaintDC::CPaintDC(HWND hWnd) : m_ps(), m_hWnd(hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hDC != nullptr) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(HWND hWnd) : m_hWnd(hWnd)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}
