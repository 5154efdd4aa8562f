#include "app/dialogs/AboutDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_PAINT()
END_MESSAGE_MAP()

const wchar_t CAboutDlg::kWebSite[] = L"https://www.example.com/morvick/";
const wchar_t CAboutDlg::kSupportMail[] = L"mailto:support@example.com";
const wchar_t CAboutDlg::kSalesMail[] = L"mailto:sales@example.com";
const wchar_t CAboutDlg::kProductList[] = L"https://www.example.com/products/";

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_WEB, m_webLink);
    DDX_Control(pDX, IDC_ABOUT_SUPPORT, m_supportLink);
    DDX_Control(pDX, IDC_ABOUT_SALES, m_salesLink);
    DDX_Control(pDX, IDC_ABOUT_PRODUCTS, m_productsLink);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_productFont.CreateFont(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    m_makerFont.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
    if (CWnd* product = GetDlgItem(IDC_ABOUT_PRODUCT))
        product->SetFont(&m_productFont);
    if (CWnd* maker = GetDlgItem(IDC_ABOUT_MAKER))
        maker->SetFont(&m_makerFont);
    struct Link {
        morvick::ui::CHyperLinkStatic* control;
        LPCWSTR url;
        LPCWSTR text;
    } links[] = {
        {&m_webLink, kWebSite, L"www.example.com/morvick"},
        {&m_supportLink, kSupportMail, L"support@example.com"},
        {&m_salesLink, kSalesMail, L"sales@example.com"},
        {&m_productsLink, kProductList, L"Our other products"},
    };
    for (const Link& link : links) {
        link.control->SetWindowText(link.text);
        link.control->SetURL(link.url);
        link.control->SetUnderline(morvick::ui::CHyperLinkStatic::kUnderlineAlways);
    }
    return TRUE;
}

void CAboutDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    HICON icon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, icon);
}
