#include "classlib/win/CToolBar.h"

#include "classlib/win/CCmdUI.h"
#include "classlib/win/CFrameWnd.h"
#include "classlib/win/CWinApp.h"

#include <commctrl.h>

#include <cstring>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// A toolbar resource: version, image width, image height, count (WORDs), then the ids (WORDs).
const DWORD kHeaderBytes = 8;

// Room around an image inside its button.
const CSize kButtonMargin(7, 7);

// The command-UI of one button: enabling and checking go to the control.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override
    {
        m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck == 1 ? TRUE : FALSE, 0));
        m_pOther->SendMessage(TB_INDETERMINATE, m_nID, MAKELPARAM(nCheck == 2 ? TRUE : FALSE, 0));
    }
    void SetText(LPCTSTR) override {}
};

}  // namespace

BOOL AfxLoadToolBarResource(LPCTSTR lpszResourceName, CToolBarResource& resource)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hResource = hInst != nullptr ? ::FindResourceW(hInst, lpszResourceName, RT_TOOLBAR) : nullptr;
    if (hResource == nullptr)
        return FALSE;
    const DWORD dwSize = ::SizeofResource(hInst, hResource);
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    const BYTE* pData = hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (pData == nullptr || dwSize < kHeaderBytes)
        return FALSE;
    WORD header[4];
    std::memcpy(header, pData, sizeof(header));
    resource.sizeImage = CSize(header[1], header[2]);
    const DWORD nCount = header[3] < (dwSize - kHeaderBytes) / 2 ? header[3] : (dwSize - kHeaderBytes) / 2;
    resource.ids.assign(nCount, 0);
    for (DWORD i = 0; i < nCount; ++i) {
        WORD nID;
        std::memcpy(&nID, pData + kHeaderBytes + i * 2, 2);
        resource.ids[i] = nID;
    }
    return TRUE;
}

CToolBar::CToolBar()
{
    m_cxLeftBorder = m_cxRightBorder = 2;
    m_cyTopBorder = m_cyBottomBorder = 2;
}

CToolBar::~CToolBar() {}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    // The bar keeps the CBRS_* bits and lays itself out; the control only draws and tracks.
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    CRect rect;
    if (!CWnd::Create(TOOLBARCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCE(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    CToolBarResource resource;
    if (m_hWnd == nullptr || !AfxLoadToolBarResource(lpszResourceName, resource) || resource.sizeImage.cx < 1 ||
        resource.sizeImage.cy < 1)
        return FALSE;
    CImageList images;
    if (!images.Create(lpszResourceName, resource.sizeImage.cx, 0, RGB(192, 192, 192)))
        return FALSE;
    m_images.DeleteImageList();
    m_images.Attach(images.Detach());
    SendMessage(TB_SETIMAGELIST, 0, (LPARAM)m_images.GetSafeHandle());
    SetSizes(resource.sizeImage + kButtonMargin, resource.sizeImage);
    return SetButtons(resource.ids.empty() ? nullptr : resource.ids.data(), (int)resource.ids.size());
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == nullptr || nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr))
        return FALSE;
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    m_ids.assign(lpIDArray, lpIDArray + nIDCount);
    m_nCount = nIDCount;
    std::vector<TBBUTTON> buttons((size_t)nIDCount);
    int nImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& button = buttons[(size_t)i];
        std::memset(&button, 0, sizeof(button));
        button.idCommand = (int)lpIDArray[i];
        if (lpIDArray[i] == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = nImage++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
    }
    if (nIDCount > 0 && !SendMessage(TB_ADDBUTTONS, (WPARAM)nIDCount, (LPARAM)buttons.data()))
        return FALSE;
    SendMessage(TB_AUTOSIZE);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    if (m_hWnd == nullptr)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_ids.size() ? m_ids[(size_t)nIndex] : 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == nIDFind && nIDFind != 0)
            return (int)i;
    return -1;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    SIZE buttons = {0, 0};
    if (m_hWnd != nullptr)
        SendMessage(TB_GETMAXSIZE, 0, (LPARAM)&buttons);
    // The borders are what CalcInsideRect takes off an empty rectangle.
    CRect inside;
    CalcInsideRect(inside, bHorz);
    const CSize size(buttons.cx - inside.Width(), buttons.cy - inside.Height());
    if (bHorz)
        return CSize(bStretch ? 32767 : size.cx, size.cy);
    return CSize(size.cx, bStretch ? 32767 : size.cy);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_ids.size();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_ids[state.m_nIndex];
        if (state.m_nID == 0)
            continue;
        // The bar's own update handlers first, then the frame's.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CToolBar::OnPaint()
{
    // The control draws its buttons itself.
    Default();
}

BOOL CToolBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}
