#include "toolkit/base/ColorManager.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/base/SharedMetrics.h"

#include "DibCanvas.h"
#include "TestWindow.h"

#include "classlib/win/CToolBar.h"

#include <gtest/gtest.h>

namespace {

CString g_lastText;
UINT g_lastType = 0;
int AnswerYes(LPCTSTR text, UINT type)
{
    g_lastText = text;
    g_lastType = type;
    return IDYES;
}

}  // namespace

TEST(ResourceManager, StringsMenusBitmapsAndTemplatesFromTheProgram)
{
    CTKPResourceManager* pManager = GetResourceManager();
    EXPECT_EQ(pManager, GetResourceManager());
    CString text = _T("old");
    EXPECT_TRUE(pManager->LoadString(&text, 9331));
    EXPECT_STREQ(_T("Test error message"), text);
    EXPECT_FALSE(pManager->LoadString(&text, 9999));
    EXPECT_TRUE(text.IsEmpty());

    CMenu menu;
    ASSERT_TRUE(pManager->LoadMenu(&menu, 128));
    EXPECT_EQ(1, ::GetMenuItemCount(menu.GetSafeHmenu()));
    CMenu missing;
    EXPECT_FALSE(pManager->LoadMenu(&missing, 129));

    CBitmap bitmap;
    ASSERT_TRUE(pManager->LoadBitmap(&bitmap, 300));
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(48, bm.bmWidth);
    CBitmap none;
    EXPECT_FALSE(pManager->LoadBitmap(&none, 399));

    EXPECT_NE(nullptr, pManager->LoadCursor(9008));
    EXPECT_EQ(nullptr, pManager->LoadCursor(9971));
    LPCDLGTEMPLATE dialog = pManager->LoadDialogTemplate(400);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(1, dialog->cdit);
    EXPECT_EQ(nullptr, pManager->LoadDialogTemplate(401));
}

namespace {

// A manager for resources in another language.
class CGermanResources : public CTKPResourceManager {
public:
    const TKP_RESOURCE_LANGINFO* GetLanguageInfo() override { return &m_info; }
    TKP_RESOURCE_LANGINFO m_info = {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), 1252};
};

}  // namespace

// The language record names the language the program's resources are found in (the toolkit's
// strings among them), the same record every time; a manager of other resources answers for them.
TEST(ResourceManager, TheLanguageInfoNamesTheLanguageOfTheResources)
{
    const TKP_RESOURCE_LANGINFO* pInfo = GetResourceManager()->GetLanguageInfo();
    ASSERT_NE(nullptr, pInfo);
    EXPECT_EQ(pInfo, GetResourceManager()->GetLanguageInfo());
    EXPECT_EQ(1252u, pInfo->nCodePage);
    // String 9331 lies in block 9331 / 16 + 1 of the string table.
    EXPECT_NE(nullptr,
        ::FindResourceExW(AfxGetResourceHandle(), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(9331 / 16 + 1),
            pInfo->wLanguage));
    EXPECT_EQ(nullptr,
        ::FindResourceExW(AfxGetResourceHandle(), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(9331 / 16 + 1),
            MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)));

    CGermanResources german;
    CTKPResourceManager* pManager = &german;
    EXPECT_EQ(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), pManager->GetLanguageInfo()->wLanguage);
}

TEST(ResourceManager, ToolBarsFromTheProgram)
{
    TestWindow host;
    CToolBar bar;
    ASSERT_TRUE(bar.Create(host.Wnd()));
    CTKPResourceManager* pManager = GetResourceManager();
    ASSERT_TRUE(pManager->LoadToolBar(&bar, 300));
    EXPECT_EQ(5, bar.GetCount());
    EXPECT_EQ(101u, bar.GetItemID(2));
    EXPECT_EQ(3, bar.GetImageList()->GetImageCount());
    EXPECT_FALSE(pManager->LoadToolBar(&bar, 399));
    EXPECT_EQ(5, bar.GetCount());
    EXPECT_FALSE(pManager->LoadToolBar(nullptr, 300));
}

TEST(ResourceManager, MessageBoxShowsTheStringWithTheStyle)
{
    CTKPResourceManager::SetMessageBoxHook(&AnswerYes);
    EXPECT_EQ(IDYES, GetResourceManager()->ShowMessageBox(9392, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_STREQ(_T("Really reset?"), g_lastText);
    EXPECT_EQ(308u, g_lastType);
    GetResourceManager()->ShowMessageBox(9998, MB_ICONERROR);
    EXPECT_TRUE(g_lastText.IsEmpty());  // a missing string shows an empty message
    CTKPResourceManager::SetMessageBoxHook(nullptr);
}

TEST(SharedMetrics, CursorsStopAtTheFirstMissingOne)
{
    CTKPSharedMetrics* m = GetSharedMetrics();
    EXPECT_NE(nullptr, m->m_hcurDragNone);
    EXPECT_NE(nullptr, m->m_hcurDragCopy);
    EXPECT_NE(nullptr, m->m_hcurDragMove);
    EXPECT_NE(nullptr, m->m_hcurHand);
    EXPECT_NE(nullptr, m->m_hcurSplitH);
    EXPECT_EQ(nullptr, m->m_hcurSplitV);   // 9971 is not among the test resources
    EXPECT_EQ(nullptr, m->m_hcurSizeAll);  // so nothing after it is loaded
}

TEST(SharedMetrics, SnapshotMetricsAndVersions)
{
    CTKPSharedMetrics* m = GetSharedMetrics();
    EXPECT_EQ(GetColorManager()->GetColor(15), m->m_clrBtnFace);
    EXPECT_EQ(GetColorManager()->GetColor(19), m->m_clrInactiveCaptionText);
    EXPECT_EQ(GetColorManager()->GetColor(49), m->m_clrToolkit[19]);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), m->m_nSmallIconX);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), m->m_cyMenuItem);
    EXPECT_EQ(18, m->m_nDefault18X);
    EXPECT_EQ(0x00050051u, m->GetComCtlVersion());
    EXPECT_FALSE(m->m_bIsWinXP);
}

namespace {

LOGFONTW FontOf(CFont& font)
{
    LOGFONTW lf = {};
    GetObjectW(font.GetSafeHandle(), sizeof(lf), &lf);
    return lf;
}

// Metrics whose menu font face the test chooses.
class MetricsWithMenuFace : public CTKPSharedMetrics {
public:
    explicit MetricsWithMenuFace(const wchar_t* face) : m_face(face) {}
    const wchar_t* m_face;

protected:
    BOOL ReadNonClientMetrics(NONCLIENTMETRICSW* pMetrics) override
    {
        CTKPSharedMetrics::ReadNonClientMetrics(pMetrics);
        lstrcpynW(pMetrics->lfMenuFont.lfFaceName, m_face, LF_FACESIZE);
        return TRUE;
    }
};

}  // namespace

TEST(SharedMetrics, FontsFromTheSystemFonts)
{
    MetricsWithMenuFace m(L"Tahoma");
    ASSERT_TRUE(m.CreateFonts());
    EXPECT_STREQ(L"Tahoma", FontOf(m.m_fontNormal).lfFaceName);
    EXPECT_EQ(FW_BOLD, FontOf(m.m_fontBold).lfWeight);
    EXPECT_EQ(1, FontOf(m.m_fontUnderline).lfUnderline);
    const LOGFONTW vert = FontOf(m.m_fontVert);
    EXPECT_EQ(2700, vert.lfEscapement);
    EXPECT_EQ(900, vert.lfOrientation);
    EXPECT_STREQ(L"Tahoma", vert.lfFaceName);  // a Tahoma menu font keeps its face upright and turned
    EXPECT_EQ(FW_BOLD, FontOf(m.m_fontVertBold).lfWeight);
    EXPECT_STREQ(L"Marlett", FontOf(m.m_fontMarlett).lfFaceName);
    EXPECT_EQ(DEFAULT_CHARSET, FontOf(m.m_fontMarlett).lfCharSet);
    {
        // Asked for by its face, the glyph font is the one a DC draws with.
        HDC hdc = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hdc, m.m_fontMarlett.GetSafeHandle());
        WCHAR szFace[LF_FACESIZE] = {};
        ::GetTextFaceW(hdc, LF_FACESIZE, szFace);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        EXPECT_STREQ(L"Marlett", szFace);
    }
    EXPECT_EQ(FontOf(m.m_fontIconTitle).lfHeight, FontOf(m.m_fontMarlett).lfHeight);
    EXPECT_EQ(FW_BOLD, FontOf(m.m_fontIconTitleBold).lfWeight);
    EXPECT_NE(nullptr, m.m_fontStatus.GetSafeHandle());
    EXPECT_NE(nullptr, m.m_fontSmCaption.GetSafeHandle());
}

TEST(SharedMetrics, VerticalFontsTurnToArialOnlyWhenInstalled)
{
    MetricsWithMenuFace m(L"Courier New");
    ASSERT_TRUE(m.CreateFonts());
    const bool arial = CTKPSharedMetrics::FontExists(L"Arial") != FALSE;
    EXPECT_STREQ(arial ? L"Arial" : L"Courier New", FontOf(m.m_fontVert).lfFaceName);
    EXPECT_STREQ(L"Courier New", FontOf(m.m_fontNormal).lfFaceName);
    // A given face that is installed replaces the menu face; one that is not is ignored.
    ASSERT_TRUE(m.CreateFonts(L"Tahoma", L"Tahoma"));
    EXPECT_STREQ(L"Tahoma", FontOf(m.m_fontNormal).lfFaceName);
    EXPECT_STREQ(L"Tahoma", FontOf(m.m_fontStatus).lfFaceName);
    EXPECT_STREQ(L"Tahoma", FontOf(m.m_fontVert).lfFaceName);
    ASSERT_TRUE(m.CreateFonts(L"No Such Face", L"No Such Face"));
    EXPECT_STREQ(L"Courier New", FontOf(m.m_fontNormal).lfFaceName);
}

TEST(SharedMetrics, IconFromBitmapUsesTheCornerAsTransparentColour)
{
    CBitmap bitmap;
    ASSERT_TRUE(GetResourceManager()->LoadBitmap(&bitmap, 300));
    EXPECT_EQ(RGB(255, 0, 255), CTKPSharedMetrics::GetBitmapCornerColor(bitmap));
    EXPECT_EQ((COLORREF)-1, CTKPSharedMetrics::GetBitmapCornerColor(nullptr));
    HICON icon = CTKPSharedMetrics::CreateIconFromBitmap(bitmap);
    ASSERT_NE(nullptr, icon);
    DibCanvas canvas(48, 16, RGB(0, 128, 0));
    DrawIconEx(canvas.Hdc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(0, 0));  // magenta was transparent
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(6, 6));
    DestroyIcon(icon);
    EXPECT_EQ(nullptr, CTKPSharedMetrics::CreateIconFromBitmap(nullptr));
}
