#include "preview/win/media/MediaPlayerView.h"

#include "classlib/win/COleDispatchDriver.h"

#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFile.h"
#include "preview/win/host/PreviewFrameState.h"

// --- CWMPPlayer4 --------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CWMPPlayer4, CWnd)

// {6BF52A52-394A-11D3-B153-00C04F79FAA6}
const CLSID CWMPPlayer4::clsid = {0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};

BOOL CWMPPlayer4::Create(LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
    CCreateContext*)
{
    return CreateControl(clsid, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CWMPPlayer4::close()
{
    InvokeHelper(3, DISPATCH_METHOD, VT_EMPTY, NULL, NULL);
}

void CWMPPlayer4::put_URL(LPCTSTR newValue)
{
    static const BYTE params[] = VTS_BSTR;
    InvokeHelper(1, DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, params, newValue);
}

long CWMPPlayer4::get_openState()
{
    long result = 0;
    InvokeHelper(2, DISPATCH_PROPERTYGET, VT_I4, &result, NULL);
    return result;
}

long CWMPPlayer4::get_playState()
{
    long result = 0;
    InvokeHelper(10, DISPATCH_PROPERTYGET, VT_I4, &result, NULL);
    return result;
}

CString CWMPPlayer4::get_versionInfo()
{
    CString result;
    InvokeHelper(18, DISPATCH_PROPERTYGET, VT_BSTR, &result, NULL);
    return result;
}

// --- CMyMedia -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMyMedia, CView)

BEGIN_MESSAGE_MAP(CMyMedia, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMyMedia::CMyMedia() {}

CMyMedia::~CMyMedia() {}

void CMyMedia::OnDraw(CDC*) {}

int CMyMedia::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_player.Create(NULL, L"aa", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(40, 200, 100, 200), this, IDC_PLAYER);
    CPreviewFrameState* frame = GetPreviewFrame();
    CPreviewDocument* doc = GetPreviewDocument();
    if (frame == NULL || doc == NULL)
        return 0;
    // A file that cannot be read is no preview, whatever the player would show for it.
    if (!PreviewFileReadable(doc->m_strPreviewPath)) {
        frame->m_bPreviewShown = 0;
        return 0;
    }
    try {
        m_player.put_URL(doc->m_strPreviewPath);
        // Asked once; the answers are not needed.
        m_player.get_openState();
        m_player.get_playState();
        m_player.get_versionInfo();
    } catch (CException* e) {
        e->Delete();
        frame->m_bPreviewShown = 0;
    }
    return 1;
}

void CMyMedia::OnSize(UINT, int, int)
{
    Default();
    if (::IsWindow(m_player.GetSafeHwnd())) {
        CRect client;
        GetClientRect(&client);
        m_player.MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
    }
}

void CMyMedia::OnDestroy()
{
    if (::IsWindow(m_player.GetSafeHwnd())) {
        try {
            m_player.close();
        } catch (CException* e) {
            e->Delete();
        }
        m_player.DestroyWindow();
    }
    CView::OnDestroy();
}
