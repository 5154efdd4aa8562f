// The saved layout of a frame's bars and the property exchange of bars and controls through the
// archive and registry back ends.
#include <gtest/gtest.h>

#include "TestRegistryKey.h"
#include "classlib/core/CArchive.h"
#include "classlib/core/CMemFile.h"
#include "tests/toolkit/commandbars/MenuTestSupport.h"
#include "toolkit/base/PropExchangeRegistry.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/BarOptions.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/ToolBarDockContext.h"
#include "toolkit/common/PropExchangeArchive.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const wchar_t* kProfile = L"TestLayout";

class PersistenceTest : public MenuFrameTest {
protected:
    PersistenceTest() : m_key(L"MorvickCommandBarsTests") {}
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MenuFrameTest::SetUp());
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pToolBar = m_pFrame->GetToolBar();
    }
    int Entries(CTKPDockBar* pDockBar, CTKPToolBar* pBar) const
    {
        int n = 0;
        for (INT_PTR i = 0; i < pDockBar->GetBars().GetSize(); i++)
            n += pDockBar->GetBars()[i] == pBar ? 1 : 0;
        return n;
    }
    TestRegistryKey m_key;
    CTKPCommandBars* m_pCommandBars = nullptr;
    CTKPToolBar* m_pToolBar = nullptr;
};

}  // namespace

TEST_F(PersistenceTest, ASavedLayoutComesBackAfterTheBarsMoved)
{
    m_pToolBar->SetVisible(FALSE);
    m_pCommandBars->SaveLayout(kProfile);
    m_pToolBar->SetVisible(TRUE);
    EXPECT_EQ(m_key.Dword(L"TestLayout-Summary", L"Bars"), 2u);
    EXPECT_EQ(m_key.Dword(L"TestLayout-Bar0", L"BarID"), 200u);
    EXPECT_EQ(m_key.Dword(L"TestLayout-Bar0", L"Visible"), 0u);
    EXPECT_EQ(m_key.Dword(L"TestLayout-Bar1", L"BarID"), 1u);
    EXPECT_EQ(m_key.Raw(L"TestLayout-Bar1", L"Visible"), 0u);  // only a hidden bar says so
    // The dock bar's entries after its leading one: bars in rows, a row break as 0.
    EXPECT_EQ(m_key.Dword(L"TestLayout-DockBar0", L"Bar#0"), 0u);
    EXPECT_EQ(m_key.Dword(L"TestLayout-DockBar0", L"Bar#1"), 200u);
    EXPECT_EQ(m_key.Dword(L"TestLayout-DockBar0", L"Bar#2"), 0u);
    EXPECT_EQ(m_key.Dword(L"TestLayout-DockBar0", L"Bar#3"), 1u);
    EXPECT_EQ(m_key.Raw(L"TestLayout-DockBar2", L"Bars"), 0u);  // an empty dock bar has no entries

    // The toolbar moves to the left and is shown; the saved layout puts it back, hidden.
    m_pCommandBars->DockCommandBar(m_pToolBar, tkpBarLeft);
    ASSERT_EQ(m_pToolBar->GetDockBar(), m_pCommandBars->GetDockBar(tkpBarLeft));
    m_pCommandBars->LoadLayout(kProfile);
    RunIdle(m_pFrame);
    EXPECT_EQ(m_pToolBar->GetDockBar(), m_pCommandBars->GetDockBar(tkpBarTop));
    EXPECT_EQ(m_pToolBar->GetPosition(), tkpBarTop);
    EXPECT_EQ(Entries(m_pCommandBars->GetDockBar(tkpBarTop), m_pToolBar), 1);
    EXPECT_EQ(Entries(m_pCommandBars->GetDockBar(tkpBarLeft), m_pToolBar), 0);
    EXPECT_EQ(m_pCommandBars->GetDockBar(tkpBarTop)->GetBars()[1], m_pToolBar);
    EXPECT_FALSE(m_pToolBar->IsVisible());
}

TEST_F(PersistenceTest, ADamagedLayoutKeepsTheBarsWhereTheyAre)
{
    const DWORD many = 100000, zero = 0, one = 1, toolbar = 200, unknown = 77, huge = 0x7FFFFFFF;
    m_key.Set(L"TestLayout-Summary", L"Bars", REG_DWORD, &many, 4);
    m_key.Set(L"TestLayout-Summary", L"ScreenCX", REG_DWORD, &zero, 4);
    m_key.Set(L"TestLayout-Bar0", L"BarID", REG_DWORD, &unknown, 4);
    m_key.Set(L"TestLayout-Bar0", L"XPos", REG_DWORD, &huge, 4);
    m_key.Set(L"TestLayout-Bar1", L"BarID", REG_DWORD, &one, 4);
    m_key.Set(L"TestLayout-DockBar0", L"Bars", REG_DWORD, &many, 4);
    m_key.Set(L"TestLayout-DockBar0", L"Bar#0", REG_DWORD, &toolbar, 4);
    m_key.Set(L"TestLayout-DockBar0", L"Bar#1", REG_DWORD, &toolbar, 4);
    m_key.Set(L"TestLayout-DockBar0", L"Bar#2", REG_DWORD, &unknown, 4);
    m_key.Set(L"TestLayout-DockBar1", L"Bars", REG_DWORD, &one, 4);
    m_key.Set(L"TestLayout-DockBar1", L"Bar#0", REG_DWORD, &toolbar, 4);
    m_pCommandBars->LoadLayout(kProfile);
    RunIdle(m_pFrame);
    // Every bar is in one place once; unknown ids and endless counts changed nothing else.
    CTKPDockBar* pTop = m_pCommandBars->GetDockBar(tkpBarTop);
    EXPECT_EQ(Entries(pTop, m_pToolBar), 1);
    EXPECT_EQ(Entries(pTop, reinterpret_cast<CTKPToolBar*>(m_pFrame->GetMenuBar())), 1);
    EXPECT_LE(pTop->GetBars().GetSize(), 8);
    EXPECT_EQ(Entries(m_pCommandBars->GetDockBar(tkpBarBottom), m_pToolBar), 0);  // "Bars" 1 is ignored
    EXPECT_TRUE(m_pToolBar->IsVisible());
    CRect rcBar;
    m_pToolBar->GetWindowRect(&rcBar);
    EXPECT_LT(rcBar.left, 2000);
}

namespace {

// A user toolbar with a button, and two popup controls sharing one popup bar of two buttons.
CTKPToolBar* MakeUserBar(CTKPCommandBars* pCommandBars, UINT nID)
{
    CTKPToolBar* pBar = new CTKPToolBar;
    pBar->SetCommandBars(pCommandBars);
    pBar->SetBarID(nID);
    pBar->SetTitle(L"Mine");
    pBar->SetBuiltIn(FALSE);
    CTKPControls* pControls = pBar->GetControls();
    CTKPControl* pButton = pControls->Add(tkpControlButton, 150);
    pButton->SetCaption(L"&Alpha");
    pButton->SetShortcutText(L"Ctrl+A");
    pButton->SetPrompt(L"Does alpha\nAlpha");
    pButton->SetFlags(tkpFlagRightAlign);
    pButton->SetStyle(3);
    CTKPControl* pFirst = pControls->Add(tkpControlPopup, 151);
    pFirst->SetCaption(L"&Popup");
    pFirst->SetBeginGroup(TRUE);
    CTKPCommandBar* pPopup = pFirst->GetCommandBar();
    pPopup->GetControls()->Add(tkpControlButton, 160)->SetCaption(L"One");
    pPopup->GetControls()->Add(tkpControlButton, 161)->SetCaption(L"Two");
    CTKPControlPopup* pSecond = static_cast<CTKPControlPopup*>(pControls->Add(tkpControlPopup, 152));
    pSecond->SetCommandBar(pPopup);
    return pBar;
}

// Saves a bar, with the popup bars it reaches, under the key's "Controls"; loads the list back.
BOOL SaveToRegistry(CTKPCommandBar* pBar, TKPPropExchangeSettings& settings, HKEY hKey)
{
    CTKPCommandBarList list;
    UINT nNextID = TKP_FIRST_POPUP_BAR_ID;
    TKPAddCommandBarToList(pBar, nNextID, list, settings);
    CTKPPropExchangeRegistry px(FALSE, hKey, L"Controls");
    px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
    return settings.pCommandBars->SaveCommandBarList(&px, list);
}

BOOL LoadFromRegistry(TKPPropExchangeSettings& settings, HKEY hKey, CTKPCommandBarList& loaded)
{
    CTKPPropExchangeRegistry px(TRUE, hKey, L"Controls");
    px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
    return settings.pCommandBars->LoadCommandBarList(&px, loaded);
}

void CheckRestoredBar(CTKPCommandBars* pCommandBars, UINT nID)
{
    CTKPToolBar* pBar = pCommandBars->GetToolBar(nID);
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(pBar->GetTitle(), CString(L"Mine"));
    EXPECT_FALSE(pBar->IsBuiltIn());
    CTKPControls* pControls = pBar->GetControls();
    CTKPControl* pButton = pControls->FindControl(150);
    ASSERT_NE(pButton, nullptr);
    EXPECT_EQ(pButton->GetCaption(), CString(L"&Alpha"));
    EXPECT_EQ(pButton->GetShortcutText(), CString(L"Ctrl+A"));
    EXPECT_EQ(pButton->GetTooltip(), CString(L"Alpha"));
    EXPECT_EQ(pButton->GetDescription(), CString(L"Does alpha"));
    EXPECT_TRUE(pButton->GetFlags() & tkpFlagRightAlign);
    EXPECT_EQ(pButton->GetStyle(), 3);
    CTKPControl* pFirst = pControls->FindControl(151);
    CTKPControl* pSecond = pControls->FindControl(152);
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_TRUE(pFirst->GetBeginGroup());
    ASSERT_NE(pFirst->GetCommandBar(), nullptr);
    // The shared popup bar was saved once and both controls link to it again.
    EXPECT_EQ(pFirst->GetCommandBar(), pSecond->GetCommandBar());
    CTKPControls* pPopupControls = pFirst->GetCommandBar()->GetControls();
    ASSERT_EQ(pPopupControls->GetCount(), 2);
    EXPECT_EQ(pPopupControls->GetAt(1)->GetCaption(), CString(L"Two"));
}

}  // namespace

TEST_F(PersistenceTest, BarsAndControlsRoundTripThroughTheArchive)
{
    CTKPToolBar* pBar = MakeUserBar(m_pCommandBars, 300);
    TKPPropExchangeSettings settings = {FALSE, TRUE, TRUE, m_pCommandBars};
    CMemFile file(1024);
    {
        CTKPCommandBarList list;
        UINT nNextID = TKP_FIRST_POPUP_BAR_ID;
        TKPAddCommandBarToList(pBar, nNextID, list, settings);
        EXPECT_EQ(list.GetCount(), 2);  // the bar and its one popup bar
        try {
            CArchive ar(&file, CArchive::store);
            CTKPPropExchangeArchive px(ar);
            px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
            ASSERT_TRUE(m_pCommandBars->SaveCommandBarList(&px, list));
            ar.Close();
        } catch (CException* e) {
            ADD_FAILURE() << "save: " << e->GetRuntimeClass()->m_lpszClassName;
            e->Delete();
        }
    }
    pBar->InternalRelease();
    file.SeekToBegin();
    CTKPCommandBarList loaded;
    try {
        CArchive ar(&file, CArchive::load);
        CTKPPropExchangeArchive px(ar);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
        ASSERT_TRUE(m_pCommandBars->LoadCommandBarList(&px, loaded));
    } catch (CException* e) {
        WCHAR sz[256] = {};
        e->GetErrorMessage(sz, 256);
        ADD_FAILURE() << "load: " << e->GetRuntimeClass()->m_lpszClassName;
        e->Delete();
    }
    ASSERT_EQ(loaded.GetCount(), 2);
    m_pCommandBars->RestoreCommandBarList(loaded, TRUE);
    CheckRestoredBar(m_pCommandBars, 300);

    // A damaged archive loads nothing and says so.
    BYTE garbage[64];
    for (int i = 0; i < 64; i++)
        garbage[i] = static_cast<BYTE>(0xF7 ^ (i * 37));
    CMemFile bad(garbage, sizeof(garbage));
    CTKPCommandBarList none;
    {
        CArchive ar(&bad, CArchive::load);
        CTKPPropExchangeArchive px(ar);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
        EXPECT_FALSE(m_pCommandBars->LoadCommandBarList(&px, none));
    }
    bad.Detach();
}

TEST_F(PersistenceTest, BarsAndControlsRoundTripThroughTheRegistry)
{
    CTKPToolBar* pBar = MakeUserBar(m_pCommandBars, 301);
    TKPPropExchangeSettings settings = {FALSE, TRUE, TRUE, m_pCommandBars};
    const BOOL bSaved = SaveToRegistry(pBar, settings, m_key.Key());
    pBar->InternalRelease();
    ASSERT_TRUE(bSaved);
    EXPECT_EQ(m_key.Text(L"Controls\\CommandBars\\CommandBar0", L"Class"), L"CTKPToolBar");
    EXPECT_EQ(m_key.Dword(L"Controls\\CommandBars\\CommandBar0", L"BarID"), 301u);
    EXPECT_EQ(m_key.Text(L"Controls\\CommandBars\\CommandBar0\\Controls\\Control0", L"Caption"), L"&Alpha");
    CTKPCommandBarList loaded;
    ASSERT_TRUE(LoadFromRegistry(settings, m_key.Key(), loaded));
    ASSERT_EQ(loaded.GetCount(), 2);
    m_pCommandBars->RestoreCommandBarList(loaded, TRUE);
    CheckRestoredBar(m_pCommandBars, 301);
}

namespace {

// The deepest run of nested "OriginalControls" keys below a registry key.
int OriginalControlsDepth(HKEY hKey)
{
    int nDeepest = 0;
    WCHAR szName[256];
    for (DWORD i = 0;; i++) {
        DWORD cch = 256;
        if (::RegEnumKeyExW(hKey, i, szName, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        HKEY hSub = NULL;
        if (::RegOpenKeyExW(hKey, szName, 0, KEY_READ, &hSub) != ERROR_SUCCESS)
            continue;
        const int nDepth = OriginalControlsDepth(hSub) + (wcscmp(szName, L"OriginalControls") == 0 ? 1 : 0);
        nDeepest = std::max(nDeepest, nDepth);
        ::RegCloseKey(hSub);
    }
    return nDeepest;
}

}  // namespace

TEST_F(PersistenceTest, TheReferenceSetOfControlsIsNeverCopiedIntoItself)
{
    CTKPControls* pMenu = m_pFrame->GetMenuBar()->GetControls();
    ASSERT_NE(pMenu->GetSavedCopy(), nullptr);
    EXPECT_EQ(pMenu->GetSavedCopy()->GetSavedCopy(), nullptr);
    CTKPControls* pTool = m_pToolBar->GetControls();
    pTool->CreateSavedCopy();
    pTool->CreateSavedCopy();
    ASSERT_NE(pTool->GetSavedCopy(), nullptr);
    EXPECT_EQ(pTool->GetSavedCopy()->GetSavedCopy(), nullptr);
    EXPECT_FALSE(pTool->IsChanged());

    // Saved with their reference sets, the bars write one level of them.
    TKPPropExchangeSettings settings = {FALSE, TRUE, TRUE, m_pCommandBars};
    CTKPCommandBarList list;
    UINT nNextID = TKP_FIRST_POPUP_BAR_ID;
    TKPAddCommandBarToList(m_pFrame->GetMenuBar(), nNextID, list, settings);
    TKPAddCommandBarToList(m_pToolBar, nNextID, list, settings);
    {
        CTKPPropExchangeRegistry px(FALSE, m_key.Key(), L"Controls");
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
        ASSERT_TRUE(m_pCommandBars->SaveCommandBarList(&px, list));
    }
    EXPECT_EQ(OriginalControlsDepth(m_key.Key()), 1);
}

namespace {

// A manager of a program's own that notes the list steps of saving and loading its layout.
class CListStepsBars : public CTKPCommandBars {
public:
    void GenerateCommandBarList(CTKPCommandBarList& list, const TKPPropExchangeSettings& settings) override
    {
        m_steps.push_back("generate");
        CTKPCommandBars::GenerateCommandBarList(list, settings);
    }
    BOOL SaveCommandBarList(CTKPPropExchange* pPX, CTKPCommandBarList& list) override
    {
        m_steps.push_back("save");
        return CTKPCommandBars::SaveCommandBarList(pPX, list);
    }
    BOOL LoadCommandBarList(CTKPPropExchange* pPX, CTKPCommandBarList& list) override
    {
        m_steps.push_back("load");
        return CTKPCommandBars::LoadCommandBarList(pPX, list);
    }
    void RestoreCommandBarList(CTKPCommandBarList& list, BOOL bSilent) override
    {
        m_steps.push_back(bSilent ? "restore silently" : "restore");
        CTKPCommandBars::RestoreCommandBarList(list, bSilent);
    }
    std::vector<std::string> m_steps;
};

}  // namespace

TEST_F(PersistenceTest, AManagersOwnListStepsSaveAndLoadItsLayout)
{
    CListStepsBars* pBars = new CListStepsBars;
    pBars->m_bCustomizeAvail = TRUE;
    pBars->SaveLayout(kProfile);
    EXPECT_EQ(pBars->m_steps, (std::vector<std::string>{"generate", "save"}));
    EXPECT_EQ(m_key.Raw(L"TestLayout-Controls", L"Controls"), static_cast<DWORD>(REG_BINARY));
    pBars->LoadLayout(kProfile, TRUE);
    EXPECT_EQ(pBars->m_steps, (std::vector<std::string>{"generate", "save", "load", "restore silently"}));
    pBars->InternalRelease();
}

TEST_F(PersistenceTest, CustomisedControlsAreSavedInTheProfileOrInAFile)
{
    m_pCommandBars->m_bCustomizeAvail = TRUE;
    // A small change goes to the registry as one binary value.
    m_pToolBar->GetControls()->Remove(0);
    m_pCommandBars->SaveLayout(kProfile);
    EXPECT_EQ(m_key.Raw(L"TestLayout-Controls", L"Controls"), static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(m_key.Dword(L"TestLayout-Controls", L"LoadFromFile"), 0u);

    // Data beyond 16000 bytes goes to a hidden file that the profile names.
    for (int i = 0; i < 300; i++) {
        CString strCaption;
        strCaption.Format(L"A rather long caption of button number %d", i);
        m_pToolBar->GetControls()->Add(tkpControlButton, 100 + i % 5)->SetCaption(strCaption);
    }
    auto countSaved = [this] {
        int n = 0;
        for (int i = 0; i < m_pToolBar->GetControls()->GetCount(); i++)
            n += m_pToolBar->GetControls()->GetAt(i)->IsTemporary() ? 0 : 1;
        return n;
    };
    const int nCount = countSaved();
    m_pCommandBars->SaveLayout(kProfile);
    ASSERT_EQ(m_key.Dword(L"TestLayout-Controls", L"LoadFromFile"), 1u);
    const std::wstring path = m_key.Text(L"TestLayout-Controls", L"Controls");
    const DWORD dwAttributes = ::GetFileAttributesW(path.c_str());
    ASSERT_NE(dwAttributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(dwAttributes & FILE_ATTRIBUTE_HIDDEN);

    // Loading takes the controls back from the file.
    m_pToolBar->GetControls()->RemoveAll();
    m_pCommandBars->LoadLayout(kProfile, TRUE);
    EXPECT_EQ(countSaved(), nCount);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
}

// --- Parameters, unknown classes, torn-off bars and floating places after a restart ----------------

// A control class of the tests' own, so that saved data can be made to name a class no program has.
class CPersistenceTestOddControl : public CTKPControlButton {
    DECLARE_SERIAL(CPersistenceTestOddControl)
};
IMPLEMENT_SERIAL(CPersistenceTestOddControl, CTKPControlButton, VERSIONABLE_SCHEMA | 16)

// A toolbar that notes whether it is laid out after its manager let it go, and its own end.
class CPersistenceTestTornOffBar : public CTKPToolBar {
    DECLARE_DYNCREATE(CPersistenceTestTornOffBar)
public:
    ~CPersistenceTestTornOffBar() override { s_bDestroyed = true; }
    void OnFloatingLayoutChanged() override
    {
        if (s_pCommandBars != nullptr && s_pCommandBars->FindIndex(this) < 0)
            ++s_nLaidOutAfterRemoval;
        CTKPToolBar::OnFloatingLayoutChanged();
    }
    static CTKPCommandBars* s_pCommandBars;
    static int s_nLaidOutAfterRemoval;
    static bool s_bDestroyed;
};
IMPLEMENT_DYNCREATE(CPersistenceTestTornOffBar, CTKPToolBar)
CTKPCommandBars* CPersistenceTestTornOffBar::s_pCommandBars = nullptr;
int CPersistenceTestTornOffBar::s_nLaidOutAfterRemoval = 0;
bool CPersistenceTestTornOffBar::s_bDestroyed = false;

namespace {

// Saves a bar (with the popup bars it reaches) through the registry key, or through an archive
// when there is none, and loads the list back.
BOOL SaveAndLoad(CTKPCommandBar* pBar, TKPPropExchangeSettings& settings, HKEY hRegistry, CTKPCommandBarList& loaded)
{
    if (hRegistry != NULL)
        return SaveToRegistry(pBar, settings, hRegistry) && LoadFromRegistry(settings, hRegistry, loaded);
    CTKPCommandBarList list;
    UINT nNextID = TKP_FIRST_POPUP_BAR_ID;
    TKPAddCommandBarToList(pBar, nNextID, list, settings);
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store);
        CTKPPropExchangeArchive px(ar);
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
        if (!settings.pCommandBars->SaveCommandBarList(&px, list))
            return FALSE;
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTKPPropExchangeArchive px(ar);
    px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
    return settings.pCommandBars->LoadCommandBarList(&px, loaded);
}

int g_nQuestions = 0;
int AnswerYes(LPCTSTR, UINT)
{
    ++g_nQuestions;
    return IDYES;
}

// Answers the toolkit's message boxes with Yes (and counts them) for the life of the object.
class CAnsweredQuestions {
public:
    CAnsweredQuestions()
    {
        g_nQuestions = 0;
        CTKPResourceManager::SetMessageBoxHook(&AnswerYes);
    }
    ~CAnsweredQuestions() { CTKPResourceManager::SetMessageBoxHook(NULL); }
};

int CountSaved(CTKPControls* pControls)
{
    int n = 0;
    for (int i = 0; i < pControls->GetCount(); i++)
        n += pControls->GetAt(i)->IsTemporary() ? 0 : 1;
    return n;
}

// Makes the manager create its toolbars of another class for the life of the object.
class CToolBarClass {
public:
    explicit CToolBarClass(CRuntimeClass* pClass) : m_pOld(CTKPCommandBars::m_pToolBarClass)
    {
        CTKPCommandBars::m_pToolBarClass = pClass;
    }
    ~CToolBarClass() { CTKPCommandBars::m_pToolBarClass = m_pOld; }

private:
    CRuntimeClass* m_pOld;
};

}  // namespace

TEST_F(PersistenceTest, AControlKeepsItsParameterThroughTheArchiveAndTheRegistry)
{
    TKPPropExchangeSettings settings = {FALSE, TRUE, TRUE, m_pCommandBars};
    for (HKEY hRegistry : {static_cast<HKEY>(NULL), m_key.Key()}) {
        SCOPED_TRACE(hRegistry != NULL ? "registry" : "archive");
        CTKPToolBar* pBar = new CTKPToolBar;
        pBar->SetCommandBars(m_pCommandBars);
        pBar->SetBarID(310);
        pBar->GetControls()->Add(tkpControlButton, 150, L"recent:3")->SetCaption(L"&Alpha");
        pBar->GetControls()->CreateSavedCopy();
        CTKPCommandBarList loaded;
        const BOOL bLoaded = SaveAndLoad(pBar, settings, hRegistry, loaded);
        pBar->InternalRelease();
        ASSERT_TRUE(bLoaded);
        CTKPCommandBar* pLoaded = loaded.FindBar(310);
        ASSERT_NE(pLoaded, nullptr);
        CTKPControl* pControl = pLoaded->GetControls()->FindControl(150);
        ASSERT_NE(pControl, nullptr);
        EXPECT_EQ(pControl->GetParameter(), CString(L"recent:3"));
        ASSERT_NE(pLoaded->GetControls()->GetSavedCopy(), nullptr);
        EXPECT_EQ(pLoaded->GetControls()->GetSavedCopy()->GetAt(0)->GetParameter(), CString(L"recent:3"));
    }

    // A customised toolbar whose controls carry parameters comes back at the next start without
    // being taken for a toolbar the program changed meanwhile.
    m_pCommandBars->m_bCustomizeAvail = TRUE;
    CTKPControls* pControls = m_pToolBar->GetControls();
    pControls->Add(tkpControlButton, 150, L"recent:3");
    pControls->CreateSavedCopy();
    pControls->Remove(0);
    const int nCustomised = CountSaved(pControls);
    m_pCommandBars->SaveLayout(kProfile);
    pControls->RemoveAll();
    for (int i = 0; i < pControls->GetSavedCopy()->GetCount(); i++)
        pControls->AddClone(pControls->GetSavedCopy()->GetAt(i));
    CAnsweredQuestions questions;
    m_pCommandBars->LoadLayout(kProfile, FALSE);
    EXPECT_EQ(g_nQuestions, 0);
    EXPECT_EQ(CountSaved(m_pToolBar->GetControls()), nCustomised);
}

TEST_F(PersistenceTest, AControlOfAClassThisProgramLacksFailsTheWholeLoad)
{
    // In the registry the second control of a saved bar names a class of a later version.
    TKPPropExchangeSettings settings = {FALSE, TRUE, TRUE, m_pCommandBars};
    CTKPToolBar* pBar = MakeUserBar(m_pCommandBars, 302);
    const BOOL bSaved = SaveToRegistry(pBar, settings, m_key.Key());
    pBar->InternalRelease();
    ASSERT_TRUE(bSaved);
    const wchar_t kLater[] = L"CTKPControlOfALaterVersion";
    m_key.Set(L"Controls\\CommandBars\\CommandBar0\\Controls\\Control1", L"Class", REG_SZ, kLater, sizeof(kLater));
    CTKPCommandBarList none;
    EXPECT_FALSE(LoadFromRegistry(settings, m_key.Key(), none));

    // In the profile's controls archive: a customised toolbar whose saved data names a class the
    // program lacks is left as it is; nothing of the archive is merged.
    m_pCommandBars->m_bCustomizeAvail = TRUE;
    CTKPControls* pControls = m_pToolBar->GetControls();
    pControls->Add(new CPersistenceTestOddControl, 180)->SetCaption(L"Odd");
    pControls->Add(tkpControlButton, 181)->SetCaption(L"After");
    m_pCommandBars->SaveLayout(kProfile);
    std::vector<BYTE> data;
    ASSERT_EQ(m_key.Raw(L"TestLayout-Controls", L"Controls", &data), static_cast<DWORD>(REG_BINARY));
    const std::string name = "CPersistenceTestOddControl";
    auto it = std::search(data.begin(), data.end(), name.begin(), name.end());
    ASSERT_NE(it, data.end());
    it[name.size() - 1] = 'X';
    m_key.Set(L"TestLayout-Controls", L"Controls", REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    pControls->RemoveAll();
    pControls->Add(tkpControlButton, 100)->SetCaption(L"Now");
    m_pCommandBars->LoadLayout(kProfile, TRUE);
    ASSERT_EQ(m_pToolBar->GetControls(), pControls);
    ASSERT_EQ(CountSaved(pControls), 1);
    EXPECT_EQ(pControls->FindControl(100)->GetCaption(), CString(L"Now"));
    EXPECT_EQ(m_pCommandBars->GetToolBar(302), nullptr);
}

TEST_F(PersistenceTest, ACutControlsArchiveIsRefusedAndEveryBarStaysAsItIs)
{
    // A frame built as the program builds its own: the menu bar, then the toolbar, which is the
    // last bar of the saved archive. Both are customised and saved, then both change again.
    CTestFrame* pFrame = new CTestFrame;
    ASSERT_TRUE(pFrame->CreateTestFrame(TRUE, CRect(0, 0, 640, 400)));
    struct Closer {
        CTestFrame* pFrame;
        ~Closer() { pFrame->DestroyWindow(); }
    } closer = {pFrame};
    CTKPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->m_bCustomizeAvail = TRUE;
    CTKPMenuBar* pMenuBar = pCommandBars->CreateMenuBar(L"Menu Bar", IDR_TEST_MENU);
    ASSERT_NE(pMenuBar, nullptr);
    CTKPToolBar* pToolBar = pCommandBars->CreateToolBar(L"Standard", tkpBarTop);
    ASSERT_NE(pToolBar, nullptr);
    ASSERT_TRUE(pToolBar->LoadToolBar(200));
    CTKPControls* pMenuControls = pMenuBar->GetControls();
    CTKPControls* pToolControls = pToolBar->GetControls();
    pMenuControls->Remove(CountSaved(pMenuControls) - 1);
    pToolControls->Remove(0);
    const int nMenuSaved = CountSaved(pMenuControls), nToolSaved = CountSaved(pToolControls);
    pCommandBars->SaveLayout(kProfile);
    std::vector<BYTE> data;
    ASSERT_EQ(m_key.Raw(L"TestLayout-Controls", L"Controls", &data), static_cast<DWORD>(REG_BINARY));
    pMenuControls->Add(tkpControlButton, 190)->SetCaption(L"Later");
    pToolControls->Add(tkpControlButton, 190)->SetCaption(L"Later");
    const int nBars = pCommandBars->GetCount();

    // Cut right after the toolbar's class record, after its id, and halfway.
    const std::string name = "CTKPToolBar";
    std::vector<BYTE> record = {static_cast<BYTE>(name.size()), 0};
    record.insert(record.end(), name.begin(), name.end());
    auto it = std::search(data.begin(), data.end(), record.begin(), record.end());
    ASSERT_NE(it, data.end());
    ASSERT_EQ(std::search(it + 1, data.end(), record.begin(), record.end()), data.end());
    const size_t nAfterClass = static_cast<size_t>(it - data.begin()) + record.size();
    for (size_t cut : {nAfterClass, nAfterClass + 12, data.size() / 2}) {
        SCOPED_TRACE(cut);
        m_key.Set(L"TestLayout-Controls", L"Controls", REG_BINARY, data.data(), static_cast<DWORD>(cut));
        pCommandBars->LoadLayout(kProfile, TRUE);
        ASSERT_EQ(pCommandBars->GetCount(), nBars);
        ASSERT_EQ(pCommandBars->GetMenuBar(), pMenuBar);
        ASSERT_EQ(pCommandBars->GetToolBar(pToolBar->GetBarID()), pToolBar);
        ASSERT_EQ(pMenuBar->GetControls(), pMenuControls);
        ASSERT_EQ(pToolBar->GetControls(), pToolControls);
        EXPECT_EQ(CountSaved(pMenuControls), nMenuSaved + 1);
        EXPECT_EQ(CountSaved(pToolControls), nToolSaved + 1);
        EXPECT_NE(pMenuControls->FindControl(190), nullptr);
        EXPECT_NE(pToolControls->FindControl(190), nullptr);
    }

    // The whole archive brings the saved customisation back.
    m_key.Set(L"TestLayout-Controls", L"Controls", REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    pCommandBars->LoadLayout(kProfile, TRUE);
    EXPECT_EQ(pCommandBars->GetCount(), nBars);
    EXPECT_EQ(CountSaved(pCommandBars->GetMenuBar()->GetControls()), nMenuSaved);
    EXPECT_EQ(CountSaved(pToolBar->GetControls()), nToolSaved);
}

TEST_F(PersistenceTest, ATornOffBarThatALayoutHidesIsLetGoAndNotTouchedAgain)
{
    CPersistenceTestTornOffBar::s_pCommandBars = m_pCommandBars;
    CPersistenceTestTornOffBar::s_nLaidOutAfterRemoval = 0;
    CPersistenceTestTornOffBar::s_bDestroyed = false;
    CTKPToolBar* pBar = NULL;
    {
        CToolBarClass tornOff(RUNTIME_CLASS(CPersistenceTestTornOffBar));
        pBar = m_pCommandBars->AddCustomBar(L"Torn off", 400, TRUE);
    }
    ASSERT_NE(pBar, nullptr);
    ASSERT_TRUE(pBar->IsFloating());
    m_pCommandBars->SaveLayout(kProfile);
    // An edited profile says the floating torn-off bar is hidden.
    const DWORD dwBars = m_key.Dword(L"TestLayout-Summary", L"Bars"), zero = 0;
    bool bFound = false;
    for (DWORD i = 0; i < dwBars; i++) {
        const std::wstring section = L"TestLayout-Bar" + std::to_wstring(i);
        if (m_key.Dword(section.c_str(), L"BarID") == 400) {
            m_key.Set(section.c_str(), L"Visible", REG_DWORD, &zero, 4);
            bFound = true;
        }
    }
    ASSERT_TRUE(bFound);
    // The test's own reference keeps the object alive, so that any later use of it shows.
    pBar->InternalAddRef();
    m_pCommandBars->LoadLayout(kProfile);
    EXPECT_EQ(m_pCommandBars->FindIndex(pBar), -1);
    EXPECT_EQ(CPersistenceTestTornOffBar::s_nLaidOutAfterRemoval, 0);
    EXPECT_FALSE(CPersistenceTestTornOffBar::s_bDestroyed);
    pBar->InternalRelease();
    EXPECT_TRUE(CPersistenceTestTornOffBar::s_bDestroyed);
    CPersistenceTestTornOffBar::s_pCommandBars = nullptr;
}

TEST_F(PersistenceTest, ABarThatNeverFloatedFloatsBesideItsDockedPlaceAfterARestart)
{
    m_pCommandBars->SaveLayout(kProfile);
    m_pCommandBars->LoadLayout(kProfile);
    RunIdle(m_pFrame);
    m_pCommandBars->GetOptions()->bDblClickFloat = TRUE;
    CTKPToolBarDockContext* pContext = m_pToolBar->GetDockContext();
    ASSERT_NE(pContext, nullptr);
    ASSERT_NE(m_pToolBar->GetDockBar(), nullptr);
    CPoint ptExpected = pContext->m_rectMRUDockPos.TopLeft();
    m_pToolBar->GetDockBar()->ClientToScreen(&ptExpected);
    ASSERT_TRUE(pContext->ToggleDocking());
    CRect rc;
    m_pToolBar->GetWindowRect(&rc);
    EXPECT_EQ(rc.TopLeft(), ptExpected);
    EXPECT_NE(rc.TopLeft(), CPoint(0, 0));
}
