// The frame of the MDI tab client's tests: a multiple-document frame with command bars (a menu bar
// with a Window popup) and child frames that paint their title, the tab client attached over its
// MDI client.
#pragma once

#include "classlib/win/CMDIFrameWnd.h"
#include "toolkit/commandbars/MDIFrameWnd.h"
#include "toolkit/commandbars/TabClientWnd.h"
#include "toolkit/commandbars/TabClientWorkspace.h"
#include "toolkit/tabs/TabManagerItem.h"

enum { IDR_MDITABS_MENU = 1300 };

class CTabsMdiChild : public CMDIChildWnd {
public:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CTabsMdiFrame : public CTKPMDIFrameWnd {
public:
    // A hidden frame at a screen rectangle with command bars and a menu bar; the tab client is
    // attached when asked (with or without groups).
    BOOL CreateFrame(const CRect& rc, BOOL bAttach = TRUE, BOOL bGroups = FALSE);
    // A child frame with a title, made active.
    CMDIChildWnd* AddChild(LPCTSTR lpszTitle);
    // The idle pass: command UI of the frame and of every window below it (the tab client too).
    void RunIdle();
    // The MDI client's window rectangle in the frame's client coordinates.
    CRect GetClientPlace() const;

    CTKPTabClientWnd m_tabClient;
};

// The caption of every tab of a group, in order.
CString TabCaptions(const CTKPTabClientWorkspace* pWorkspace);
// The centre of a tab in the coordinates of the window that shows it.
CPoint TabCentre(const CTKPTabManagerItem* pItem);
