#include "toolkit/commandbars/customize/ImageEditorDialog.h"

#include "classlib/win/CCmdUI.h"
#include "classlib/win/CFileDialog.h"
#include "res/commandbars-customize.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/IconHandle.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/base/ResourceManager.h"

#include <commctrl.h>
#include <memory>
#include <olectl.h>

IMPLEMENT_DYNAMIC(CTKPImageEditorDialog, CDialog)

BEGIN_MESSAGE_MAP(CTKPImageEditorDialog, CDialog)
ON_COMMAND_RANGE(ID_TKP_EDITOR_PENCIL, ID_TKP_EDITOR_PICKCOLOR, OnTool)
ON_COMMAND_RANGE(ID_TKP_EDITOR_LINE, ID_TKP_EDITOR_ELLIPSE, OnTool)
ON_UPDATE_COMMAND_UI_RANGE(ID_TKP_EDITOR_PENCIL, ID_TKP_EDITOR_PICKCOLOR, OnUpdateTool)
ON_UPDATE_COMMAND_UI_RANGE(ID_TKP_EDITOR_LINE, ID_TKP_EDITOR_ELLIPSE, OnUpdateTool)
ON_COMMAND_RANGE(ID_TKP_EDITOR_MOVE_LEFT, ID_TKP_EDITOR_MOVE_RIGHT, OnMove)
ON_COMMAND(ID_TKP_EDITOR_COPY, OnCopy)
ON_COMMAND(ID_TKP_EDITOR_PASTE, OnPaste)
ON_COMMAND(ID_TKP_EDITOR_CLEAR, OnClear)
ON_COMMAND(ID_TKP_EDITOR_UNDO, OnUndo)
ON_UPDATE_COMMAND_UI(ID_TKP_EDITOR_UNDO, OnUpdateUndo)
ON_COMMAND(ID_TKP_EDITOR_REDO, OnRedo)
ON_UPDATE_COMMAND_UI(ID_TKP_EDITOR_REDO, OnUpdateRedo)
ON_COMMAND(ID_TKP_EDITOR_IMPORT, OnImport)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

namespace {

struct PaletteCell {
    UINT nID;
    COLORREF clr;
};

// Two rows of eight: the cell ids are the ids of the strings that name the colours.
const PaletteCell kPalette[CTKPImageEditorDialog::paletteCount] = {
    {IDS_TKP_COLOR_BLACK, RGB(0, 0, 0)},
    {IDS_TKP_COLOR_GRAY50, RGB(128, 128, 128)},
    {IDS_TKP_COLOR_DARKRED, RGB(128, 0, 0)},
    {IDS_TKP_COLOR_DARKYELLOW, RGB(128, 128, 0)},
    {IDS_TKP_COLOR_GREEN, RGB(0, 128, 0)},
    {IDS_TKP_COLOR_TEAL, RGB(0, 128, 128)},
    {IDS_TKP_COLOR_DARKBLUE, RGB(0, 0, 128)},
    {IDS_TKP_COLOR_VIOLET, RGB(128, 0, 128)},
    {IDS_TKP_COLOR_WHITE, RGB(255, 255, 255)},
    {IDS_TKP_COLOR_GRAY25, RGB(192, 192, 192)},
    {IDS_TKP_COLOR_RED, RGB(255, 0, 0)},
    {IDS_TKP_COLOR_YELLOW, RGB(255, 255, 0)},
    {IDS_TKP_COLOR_BRIGHTGREEN, RGB(0, 255, 0)},
    {IDS_TKP_COLOR_TURQUOISE, RGB(0, 255, 255)},
    {IDS_TKP_COLOR_BLUE, RGB(0, 0, 255)},
    {IDS_TKP_COLOR_PINK, RGB(255, 0, 255)},
};

const UINT kToolCommands[] = {ID_TKP_EDITOR_PENCIL, ID_TKP_EDITOR_FILL, ID_TKP_EDITOR_UNDO, ID_TKP_EDITOR_REDO,
    ID_TKP_EDITOR_PICKCOLOR, ID_TKP_EDITOR_LINE, ID_TKP_EDITOR_COPY, ID_TKP_EDITOR_PASTE, ID_TKP_EDITOR_RECTANGLE,
    ID_TKP_EDITOR_ELLIPSE, ID_TKP_EDITOR_CLEAR, ID_TKP_EDITOR_IMPORT};
const UINT kMoveCommands[] = {ID_TKP_EDITOR_MOVE_LEFT, ID_TKP_EDITOR_MOVE_DOWN, ID_TKP_EDITOR_MOVE_UP,
    ID_TKP_EDITOR_MOVE_RIGHT};

// The command UI of one toolbar button.
class CToolbarButtonCmdUI : public CCmdUI {
public:
    HWND m_hwndToolbar = NULL;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        ::SendMessageW(m_hwndToolbar, TB_ENABLEBUTTON, m_nID, MAKELONG(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override
    {
        ::SendMessageW(m_hwndToolbar, TB_CHECKBUTTON, m_nID, MAKELONG(nCheck != 0 ? TRUE : FALSE, 0));
    }
};

}  // namespace

CTKPImageEditorDialog::CTKPImageEditorDialog(CWnd* pParent)
    : m_szPicture(16, 16), m_pInitialPicture(NULL), m_nTool(CTKPImageEditorCanvas::toolPencil),
      m_nPreviousTool(CTKPImageEditorCanvas::toolPencil), m_pSelected(NULL), m_hwndTools(NULL), m_hwndMoves(NULL),
      m_hImages(NULL)
{
    m_pParentWnd = pParent;
}

CTKPImageEditorDialog::~CTKPImageEditorDialog()
{
    delete m_pInitialPicture;
    if (m_hImages != NULL)
        ImageList_Destroy(m_hImages);
}

void CTKPImageEditorDialog::SetImage(const CTKPIconHandle& image)
{
    delete m_pInitialPicture;
    m_pInitialPicture = image.IsAlpha() ? CTKPEditorPicture::FromAlphaBitmap(image.GetBitmap())
                                        : CTKPEditorPicture::FromIcon(image.GetIcon());
    if (m_pInitialPicture != NULL)
        m_szPicture = CSize(m_pInitialPicture->Width(), m_pInitialPicture->Height());
}

BOOL CTKPImageEditorDialog::SetPictureSize(CSize size)
{
    if (size.cx < 1 || size.cy < 1)
        return FALSE;
    m_szPicture = size;
    return TRUE;
}

INT_PTR CTKPImageEditorDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = GetResourceManager()->LoadDialogTemplate(IDD_TKP_IMAGE_EDITOR);
    if (lpTemplate == NULL || !InitModalIndirect(lpTemplate, m_pParentWnd))
        return IDCANCEL;
    return CDialog::DoModal();
}

BOOL CTKPImageEditorDialog::CreateModeless(CWnd* pParent)
{
    LPCDLGTEMPLATE lpTemplate = GetResourceManager()->LoadDialogTemplate(IDD_TKP_IMAGE_EDITOR);
    return lpTemplate != NULL && CreateIndirect(lpTemplate, pParent);
}

BOOL CTKPImageEditorDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndCanvas.SubclassDlgItem(IDC_TKP_EDITOR_CANVAS, this);
    m_wndCanvas.SetDialog(this);
    // The canvas shows whole cells: its size becomes a multiple of the picture size.
    CRect rcCanvas;
    m_wndCanvas.GetWindowRect(&rcCanvas);
    ScreenToClient(&rcCanvas);
    const int nCell =
        std::max<int>(1, std::min<int>(rcCanvas.Width() / m_szPicture.cx, rcCanvas.Height() / m_szPicture.cy));
    const CSize szCanvas(nCell * m_szPicture.cx, nCell * m_szPicture.cy);
    m_wndCanvas.SetWindowPos(NULL, rcCanvas.left + (rcCanvas.Width() - szCanvas.cx) / 2,
        rcCanvas.top + (rcCanvas.Height() - szCanvas.cy) / 2, szCanvas.cx, szCanvas.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndCanvas.SetPictureSize(m_szPicture);
    m_wndPreview.SubclassDlgItem(IDC_TKP_EDITOR_PREVIEW, this);
    m_wndPreview.ModifyStyleEx(0, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
    m_wndPreview.m_pCanvas = &m_wndCanvas;
    m_wndTransparent.SubclassDlgItem(IDC_TKP_EDITOR_TRANSPARENT, this);
    m_wndTransparent.SetColor(CTKPEditorPicture::kTransparent);
    m_wndMoreColors.SubclassDlgItem(IDC_TKP_EDITOR_MORECOLORS, this);
    m_wndMoreColors.SetColor(RGB(255, 255, 255));
    m_wndTips.Create(this);
    CreatePalette();

    m_hImages = ImageList_Create(16, 16, (CTKPImageManager::IsComCtl6() ? ILC_COLOR32 : ILC_COLOR24) | ILC_MASK, 16, 0);
    HBITMAP hStrip = NULL;
    if (CTKPImageManager::IsComCtl6() &&
        TKPGetImageManager()->LoadAlphaBitmapResource(IDB_TKP_EDITOR_TOOLS32, &hStrip)) {
        ImageList_Add(m_hImages, hStrip, NULL);
    } else {
        CBitmap bitmap;
        if (GetResourceManager()->LoadBitmap(&bitmap, IDB_TKP_EDITOR_TOOLS))
            ImageList_AddMasked(m_hImages, (HBITMAP)bitmap.GetSafeHandle(), RGB(192, 192, 192));
    }
    if (hStrip != NULL)
        ::DeleteObject(hStrip);
    m_hwndTools = CreateToolbar(IDC_TKP_EDITOR_TOOLS, kToolCommands, 12, 0, 4);
    m_hwndMoves = CreateToolbar(IDC_TKP_EDITOR_MOVES, kMoveCommands, 4, 12, 0);

    m_wndCanvas.SetPicture(m_pInitialPicture);
    m_pInitialPicture = NULL;
    SelectPicker(GetPicker(IDS_TKP_COLOR_BLACK));
    m_nTool = m_nPreviousTool = CTKPImageEditorCanvas::toolPencil;
    UpdateToolbars();
    return TRUE;
}

void CTKPImageEditorDialog::CreatePalette()
{
    CWnd* pGroup = GetDlgItem(IDC_TKP_EDITOR_COLORS_GROUP);
    CRect rcGroup(0, 0, 0, 0);
    if (pGroup != NULL) {
        pGroup->GetWindowRect(&rcGroup);
        ScreenToClient(&rcGroup);
    }
    for (int i = 0; i < paletteCount; ++i) {
        const int x = rcGroup.left + 10 + (i % 8) * 13;
        const int y = rcGroup.top + 18 + (i / 8) * 13;
        m_pickers[i].Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(x, y, x + 11, y + 11), this, kPalette[i].nID);
        m_pickers[i].SetColor(kPalette[i].clr);
        CString strName;
        GetResourceManager()->LoadString(&strName, kPalette[i].nID);
        m_wndTips.AddTool(&m_pickers[i], strName);
    }
}

HWND CTKPImageEditorDialog::CreateToolbar(UINT nPlaceholderID, const UINT* pCommands, int nCount, int nFirstImage,
    int nWrap)
{
    CWnd* pPlaceholder = GetDlgItem(nPlaceholderID);
    if (pPlaceholder == NULL)
        return NULL;
    CRect rc;
    pPlaceholder->GetWindowRect(&rc);
    ScreenToClient(&rc);
    pPlaceholder->ShowWindow(SW_HIDE);
    HWND hwnd = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_NORESIZE |
            CCS_NOPARENTALIGN,
        rc.left, rc.top, rc.Width(), rc.Height(), m_hWnd, NULL, AfxGetInstanceHandle(), NULL);
    if (hwnd == NULL)
        return NULL;
    ::SendMessageW(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(hwnd, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
    ::SendMessageW(hwnd, TB_SETBUTTONSIZE, 0, MAKELONG(23, 23));
    ::SendMessageW(hwnd, TB_SETIMAGELIST, 0, (LPARAM)m_hImages);
    TBBUTTON buttons[12] = {};
    for (int i = 0; i < nCount; ++i) {
        buttons[i].iBitmap = nFirstImage + i;
        buttons[i].idCommand = (int)pCommands[i];
        buttons[i].fsState = TBSTATE_ENABLED | (nWrap > 0 && (i + 1) % nWrap == 0 ? TBSTATE_WRAP : 0);
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    ::SendMessageW(hwnd, TB_ADDBUTTONSW, (WPARAM)nCount, (LPARAM)buttons);
    ::SetWindowPos(hwnd, pPlaceholder->GetSafeHwnd(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return hwnd;
}

// --- Pickers and tools --------------------------------------------------------------------------

CTKPImageEditorPicker* CTKPImageEditorDialog::GetPicker(UINT nID)
{
    if (nID == IDC_TKP_EDITOR_TRANSPARENT)
        return &m_wndTransparent;
    if (nID == IDC_TKP_EDITOR_MORECOLORS)
        return &m_wndMoreColors;
    for (int i = 0; i < paletteCount; ++i) {
        if (kPalette[i].nID == nID)
            return &m_pickers[i];
    }
    return NULL;
}

void CTKPImageEditorDialog::SelectPicker(CTKPImageEditorPicker* pPicker)
{
    if (pPicker == NULL)
        return;
    if (m_pSelected != NULL)
        m_pSelected->SetSelected(FALSE);
    m_pSelected = pPicker;
    m_pSelected->SetSelected(TRUE);
}

COLORREF CTKPImageEditorDialog::GetSelectedColor() const
{
    return m_pSelected != NULL ? m_pSelected->GetColor() : RGB(0, 0, 0);
}

void CTKPImageEditorDialog::OnPickerClick(UINT nID)
{
    if (nID == IDC_TKP_EDITOR_MORECOLORS) {
        CColorDialog dlg(m_wndMoreColors.GetColor(), CC_FULLOPEN, this);
        if (dlg.DoModal() != IDOK)
            return;
        m_wndMoreColors.SetColor(dlg.GetColor());
    }
    SelectPicker(GetPicker(nID));
}

void CTKPImageEditorDialog::OnColorPicked(COLORREF clr)
{
    m_wndMoreColors.SetColor(clr);
    SelectPicker(&m_wndMoreColors);
    SetTool(m_nPreviousTool);
}

void CTKPImageEditorDialog::SetTool(int nTool)
{
    if (m_nTool != CTKPImageEditorCanvas::toolPickColor)
        m_nPreviousTool = m_nTool;
    m_nTool = nTool;
    UpdateToolbars();
}

BOOL CTKPImageEditorDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNM = reinterpret_cast<NMHDR*>(lParam);
    if (pNM->code == NM_CLICK && GetPicker((UINT)pNM->idFrom) != NULL) {
        OnPickerClick((UINT)pNM->idFrom);
        *pResult = 0;
        return TRUE;
    }
    if (pNM->code == TTN_GETDISPINFOW) {
        // The toolbars' tips: the text after the line break of the command's string.
        NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        static WCHAR s_szTip[80];
        CString strText;
        GetResourceManager()->LoadString(&strText, (UINT)pNM->idFrom);
        const int nBreak = strText.Find(L'\n');
        strText = nBreak >= 0 ? strText.Mid(nBreak + 1) : strText;
        lstrcpynW(s_szTip, strText, 80);
        pInfo->lpszText = s_szTip;
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CTKPImageEditorDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTips.GetSafeHwnd() != NULL)
        m_wndTips.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CTKPImageEditorDialog::OnKickIdle(WPARAM, LPARAM)
{
    UpdateToolbars();
    return 0;
}

void CTKPImageEditorDialog::UpdateToolbars()
{
    for (HWND hwnd : {m_hwndTools, m_hwndMoves}) {
        if (hwnd == NULL || (!::IsWindowVisible(hwnd) && !(::GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE)))
            continue;
        const int nCount = (int)::SendMessageW(hwnd, TB_BUTTONCOUNT, 0, 0);
        for (int i = 0; i < nCount; ++i) {
            TBBUTTON button = {};
            ::SendMessageW(hwnd, TB_GETBUTTON, (WPARAM)i, (LPARAM)&button);
            CToolbarButtonCmdUI state;
            state.m_hwndToolbar = hwnd;
            state.m_nID = (UINT)button.idCommand;
            state.m_nIndex = (UINT)i;
            state.m_nIndexMax = (UINT)nCount;
            state.DoUpdate(this, FALSE);
        }
    }
}

void CTKPImageEditorDialog::OnTool(UINT nID)
{
    SetTool((int)nID - ID_TKP_EDITOR_PENCIL);
}

void CTKPImageEditorDialog::OnUpdateTool(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck((int)pCmdUI->m_nID - ID_TKP_EDITOR_PENCIL == m_nTool ? 1 : 0);
}

void CTKPImageEditorDialog::OnPictureChanged()
{
    if (m_wndPreview.GetSafeHwnd() != NULL)
        m_wndPreview.Invalidate();
}

// --- Commands -----------------------------------------------------------------------------------

void CTKPImageEditorDialog::OnMove(UINT nID)
{
    static const CPoint kSteps[4] = {CPoint(-1, 0), CPoint(0, 1), CPoint(0, -1), CPoint(1, 0)};
    const CPoint step = kSteps[nID - ID_TKP_EDITOR_MOVE_LEFT];
    CTKPEditorPicture* pCurrent = m_wndCanvas.GetPicture();
    CTKPEditorPicture* pMoved = pCurrent != NULL ? pCurrent->Shifted(step.x, step.y) : NULL;
    if (pCurrent != NULL && pMoved == NULL)
        return;
    m_wndCanvas.ApplyChange(pMoved);
}

void CTKPImageEditorDialog::OnClear()
{
    m_wndCanvas.ApplyChange(NULL);
}

void CTKPImageEditorDialog::OnUndo()
{
    m_wndCanvas.Undo();
}

void CTKPImageEditorDialog::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndCanvas.CanUndo());
}

void CTKPImageEditorDialog::OnRedo()
{
    m_wndCanvas.Redo();
}

void CTKPImageEditorDialog::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndCanvas.CanRedo());
}

void CTKPImageEditorDialog::OnCopy()
{
    // Without a picture the empty one (all transparent) is copied.
    std::unique_ptr<CTKPEditorPicture> pEmpty;
    CTKPEditorPicture* pPicture = m_wndCanvas.GetPicture();
    if (pPicture == NULL) {
        const CSize size = m_wndCanvas.GetPictureSize();
        pEmpty.reset(CTKPEditorPicture::Create(size.cx, size.cy));
        pPicture = pEmpty.get();
    }
    if (!::OpenClipboard(m_wndCanvas.GetSafeHwnd()))
        return;
    if (!::EmptyClipboard()) {
        ::CloseClipboard();
        return;
    }
    if (pPicture != NULL) {
        HBITMAP hBitmap = pPicture->CreateClipboardBitmap(GetColorManager()->GetColor(COLOR_BTNFACE));
        if (hBitmap != NULL && ::SetClipboardData(CF_BITMAP, hBitmap) == NULL)
            ::DeleteObject(hBitmap);
        if (pPicture->HasAlpha()) {
            HGLOBAL hMarker = ::GlobalAlloc(GMEM_MOVEABLE, 1);
            if (hMarker != NULL && ::SetClipboardData(CTKPImageManager::GetAlphaBitmapFormat(), hMarker) == NULL)
                ::GlobalFree(hMarker);
        }
    }
    ::CloseClipboard();
}

void CTKPImageEditorDialog::OnPaste()
{
    if (!::IsClipboardFormatAvailable(CF_BITMAP) || !::OpenClipboard(m_wndCanvas.GetSafeHwnd()))
        return;
    // A registered format naming DIB32 after its first character, or the marker of Copy, tells
    // that the bitmap carries alpha.
    BOOL bAlpha = FALSE;
    for (UINT nFormat = ::EnumClipboardFormats(0); nFormat != 0 && !bAlpha; nFormat = ::EnumClipboardFormats(nFormat)) {
        WCHAR szName[128] = {};
        if (nFormat >= 0xC000 && ::GetClipboardFormatNameW(nFormat, szName, 128) > 0) {
            const WCHAR* pFound = wcsstr(szName, L"DIB32");
            bAlpha = pFound != NULL && pFound > szName;
        }
    }
    if (!bAlpha)
        bAlpha = ::IsClipboardFormatAvailable(CTKPImageManager::GetAlphaBitmapFormat());
    // Copied straight into a picture of the editor's size, so that a bitmap of any size pastes
    // (its top-left part).
    HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);
    CTKPEditorPicture* pSource =
        hBitmap != NULL ? CTKPEditorPicture::FromBitmap(hBitmap, m_szPicture.cx, m_szPicture.cy, bAlpha) : NULL;
    ::CloseClipboard();
    if (pSource == NULL)
        return;
    CTKPEditorPicture* pNew = CTKPEditorPicture::CopyOf(pSource, m_szPicture.cx, m_szPicture.cy, CPoint(0, 0),
        GetColorManager()->GetColor(COLOR_BTNFACE), CTKPEditorPicture::kTransparent);
    delete pSource;
    if (pNew != NULL)
        m_wndCanvas.ApplyChange(pNew);
}

BOOL CTKPImageEditorDialog::ImportFile(LPCTSTR lpszPath)
{
    CString strPath = lpszPath;
    const int nDot = strPath.ReverseFind(L'.');
    CString strExt = nDot >= 0 ? strPath.Mid(nDot + 1) : CString();
    strExt.MakeLower();
    const int cx = m_szPicture.cx, cy = m_szPicture.cy;
    CTKPEditorPicture* pNew = NULL;
    if (strExt == L"ico") {
        HICON hIcon = (HICON)::LoadImageW(NULL, strPath, IMAGE_ICON, cx, cy, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (hIcon != NULL) {
            pNew = CTKPEditorPicture::Create(cx, cy);
            if (pNew != NULL) {
                HDC hdc = ::CreateCompatibleDC(NULL);
                HGDIOBJ hOld = ::SelectObject(hdc, pNew->GetBitmap());
                ::DrawIconEx(hdc, 0, 0, hIcon, cx, cy, 0, NULL, DI_NORMAL);
                ::SelectObject(hdc, hOld);
                ::DeleteDC(hdc);
                pNew->CarryAlpha(NULL);
            }
            ::DestroyIcon(hIcon);
        }
    } else if (strExt == L"bmp") {
        HBITMAP hBitmap =
            (HBITMAP)::LoadImageW(NULL, strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (hBitmap != NULL) {
            pNew = CTKPEditorPicture::FromBitmap(hBitmap, cx, cy);
            ::DeleteObject(hBitmap);
        }
    } else {
        IPicture* pPicture = NULL;
        if (SUCCEEDED(::OleLoadPicturePath(const_cast<LPOLESTR>((LPCWSTR)strPath), NULL, 0, 0, IID_IPicture,
                reinterpret_cast<void**>(&pPicture))) &&
            pPicture != NULL) {
            pNew = CTKPEditorPicture::Create(cx, cy);
            OLE_XSIZE_HIMETRIC hmWidth = 0;
            OLE_YSIZE_HIMETRIC hmHeight = 0;
            pPicture->get_Width(&hmWidth);
            pPicture->get_Height(&hmHeight);
            if (pNew != NULL) {
                HDC hdc = ::CreateCompatibleDC(NULL);
                HGDIOBJ hOld = ::SelectObject(hdc, pNew->GetBitmap());
                pPicture->Render(hdc, 0, 0, cx, cy, 0, hmHeight, hmWidth, -hmHeight, NULL);
                ::SelectObject(hdc, hOld);
                ::DeleteDC(hdc);
                pNew->CarryAlpha(NULL);
            }
            pPicture->Release();
        }
    }
    if (pNew == NULL)
        return FALSE;
    m_wndCanvas.ApplyChange(pNew);
    return TRUE;
}

void CTKPImageEditorDialog::OnImport()
{
    CString strFilter;
    GetResourceManager()->LoadString(&strFilter, IDS_TKP_EDITOR_FILTER);
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, strFilter, this);
    if (dlg.DoModal() != IDOK)
        return;
    // An unreadable file leaves the drawing as it was and says so, instead of passing silently.
    if (!ImportFile(dlg.GetPathName()))
        GetResourceManager()->ShowMessageBox(IDS_TKP_EDITOR_UNREADABLE, MB_OK | MB_ICONERROR);
}

// --- Result -------------------------------------------------------------------------------------

void CTKPImageEditorDialog::GetResult(HBITMAP* phAlphaBitmap, HICON* phIcon) const
{
    *phAlphaBitmap = NULL;
    *phIcon = NULL;
    CTKPEditorPicture* pPicture = m_wndCanvas.GetPicture();
    if (pPicture == NULL)
        return;
    if (pPicture->HasAlpha()) {
        CTKPEditorPicture* pCopy = CTKPEditorPicture::CopyOf(pPicture, pPicture->Width(), pPicture->Height());
        if (pCopy != NULL) {
            *phAlphaBitmap = CTKPImageManager::DuplicateAlphaBitmap(pCopy->GetBitmap());
            delete pCopy;
        }
        return;
    }
    HIMAGELIST hList = ImageList_Create(pPicture->Width(), pPicture->Height(), ILC_COLOR24 | ILC_MASK, 1, 0);
    if (hList == NULL)
        return;
    HBITMAP hBitmap = pPicture->CreateOpaqueBitmap(CTKPEditorPicture::kTransparent);
    ImageList_AddMasked(hList, hBitmap, CTKPEditorPicture::kTransparent);
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    if (ImageList_GetImageCount(hList) == 1)
        *phIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ImageList_Destroy(hList);
}
