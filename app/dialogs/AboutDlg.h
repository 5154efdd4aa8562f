// CAboutDlg: the About box (dialog 100): the product's name and version, its maker and four links.
#pragma once

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/HyperLinkStatic.h"

class CAboutDlg : public CDialog {
public:
    static const wchar_t kWebSite[];
    static const wchar_t kSupportMail[];
    static const wchar_t kSalesMail[];
    static const wchar_t kProductList[];

    CAboutDlg();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CFont m_productFont;
    CFont m_makerFont;
    morvick::ui::CHyperLinkStatic m_webLink;
    morvick::ui::CHyperLinkStatic m_supportLink;
    morvick::ui::CHyperLinkStatic m_salesLink;
    morvick::ui::CHyperLinkStatic m_productsLink;
};
