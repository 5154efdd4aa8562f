// CToolBar: a control bar over the toolbar common control. Its buttons (command ids, 0 for a
// separator) come from a toolbar resource, their images from the bitmap of the same id, laid side
// by side at the resource's image size. Clicks reach the owner as WM_COMMAND; at idle time the
// frame's update handlers enable and check the buttons.
#pragma once

#include "classlib/win/CControlBar.h"
#include "classlib/win/CImageList.h"

#include <vector>

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// What a toolbar resource holds: the size of one image and the command ids, 0 for a separator.
struct CToolBarResource {
    CSize sizeImage;
    std::vector<UINT> ids;
};

// Reads the toolbar resource of that name. FALSE when it is missing or shorter than its header; a
// count beyond the end of the resource gives the ids that are there.
BOOL AfxLoadToolBarResource(LPCTSTR lpszResourceName, CToolBarResource& resource);

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);

    // The resource's buttons with the images of its bitmap. FALSE, and the bar as it was, when the
    // bar has no window, the resource or its bitmap is missing, or its image size is empty.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    // One button per id (0: a separator); the buttons take the images in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    // 0 for a separator or an index out of range.
    UINT GetItemID(int nIndex) const;
    // -1 when no button has the id.
    int CommandToIndex(UINT nIDFind) const;
    CImageList* GetImageList() { return &m_images; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<UINT> m_ids;
    CImageList m_images;
};
