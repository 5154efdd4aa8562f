// A customised layout through the manager's own save and load: a floating user toolbar holding
// every kind of control goes through the profile's controls archive (class records included) and
// through the controls file, and comes back whole in a second frame.
#include <gtest/gtest.h>

#include "tests/toolkit/base/TestRegistryKey.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlButton.h"
#include "toolkit/commandbars/ControlComboBox.h"
#include "toolkit/commandbars/ControlCustom.h"
#include "toolkit/commandbars/ControlEdit.h"
#include "toolkit/commandbars/ControlLabel.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/ControlOleItems.h"
#include "toolkit/commandbars/ControlRecentFileList.h"
#include "toolkit/commandbars/ControlSelector.h"
#include "toolkit/commandbars/ControlToolbars.h"
#include "toolkit/commandbars/ControlWindowList.h"
#include "toolkit/commandbars/ControlWorkspaceActions.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"

#include <memory>
#include <vector>

namespace {

const wchar_t* kProfile = L"EveryControlLayout";
const UINT kUserBarID = 59500;

// Ids of the controls of the user bar, one per kind.
enum {
    kButton = 100,
    kPopup = 120,
    kButtonPopup = 121,
    kSplitPopup = 122,
    kComboBox = 130,
    kEdit = 131,
    kCustom = 132,
    kLabel = 133,
    kSelector = 134,
    kWindowList = 140,
    kToolbarList = 141,
    kRecentFiles = 142,
    kOleItems = 143,
    kWorkspace = 144,
    kToolbarToggle = 145,
};

CTKPControl* AddOfClass(CTKPControls* pControls, CRuntimeClass* pClass, int nId, LPCWSTR lpszCaption)
{
    CTKPControl* pControl = static_cast<CTKPControl*>(pClass->CreateObject());
    pControls->Add(pControl, nId);
    pControl->SetCaption(lpszCaption);
    return pControl;
}

// The values every control takes that the exchange guards by schema, and a few plain ones.
void SetCommonValues(CTKPControl* pControl)
{
    pControl->SetCategory(L"Recovery");
    pControl->SetCustomCaption(L"Mine");
    pControl->SetCustomStyle(2);
    pControl->SetCloseSubMenuOnClick(FALSE);
    pControl->SetTag(0x5A);
    pControl->GetAssignedDocTemplates()[7] = TRUE;
}

void FillUserBar(CTKPToolBar* pBar)
{
    CTKPControls* pControls = pBar->GetControls();
    CTKPControl* pButton = pControls->Add(tkpControlButton, kButton);
    pButton->SetCaption(L"&Open");
    pButton->SetStyle(3);
    pButton->SetBeginGroup(TRUE);
    pButton->SetDefaultItem(TRUE);

    const int popupTypes[] = {tkpControlPopup, tkpControlButtonPopup, tkpControlSplitButtonPopup};
    const int popupIds[] = {kPopup, kButtonPopup, kSplitPopup};
    for (int i = 0; i < 3; ++i) {
        CTKPControl* pPopup = pControls->Add(popupTypes[i], popupIds[i]);
        pPopup->SetCaption(L"&More");
        pPopup->SetStyle(1);
        pPopup->GetCommandBar()->GetControls()->Add(tkpControlButton, 101)->SetCaption(L"Inner");
    }

    CTKPControlComboBox* pCombo = static_cast<CTKPControlComboBox*>(pControls->Add(tkpControlComboBox, kComboBox));
    pCombo->SetDropDownListStyle(TRUE);
    pCombo->SetWidth(140);
    pCombo->SetShowLabel(TRUE);
    pCombo->SetEditHint(L"Find a file");
    pCombo->EnableAutoComplete(TRUE);
    pCombo->SetEditIconId(102);
    pCombo->SetMaxVisibleItems(7);
    pCombo->AddString(L"alpha");
    pCombo->AddString(L"beta");

    CTKPControlEdit* pEdit = static_cast<CTKPControlEdit*>(pControls->Add(tkpControlEdit, kEdit));
    pEdit->SetShowLabel(TRUE);
    pEdit->SetWidth(120);
    pEdit->SetReadOnly(TRUE);
    pEdit->SetEditHint(L"Name");

    CTKPControlCustom* pCustom = static_cast<CTKPControlCustom*>(pControls->Add(tkpControlCustom, kCustom));
    pCustom->SetBorders(CRect(1, 2, 3, 4));
    pCustom->SetControlSize(CSize(90, 21));
    pCustom->SetVerticalOptions(2);

    pControls->Add(tkpControlLabel, kLabel)->SetCaption(L"Label text");

    CTKPControlSelector* pSelector = static_cast<CTKPControlSelector*>(
        AddOfClass(pControls, RUNTIME_CLASS(CTKPControlSelector), kSelector, L"Grid"));
    pSelector->SetItemSize(CSize(19, 17));

    AddOfClass(pControls, RUNTIME_CLASS(CTKPControlWindowList), kWindowList, L"Windows");
    AddOfClass(pControls, RUNTIME_CLASS(CTKPControlToolbars), kToolbarList, L"Toolbars");
    AddOfClass(pControls, RUNTIME_CLASS(CTKPControlRecentFileList), kRecentFiles, L"Recent");
    AddOfClass(pControls, RUNTIME_CLASS(CTKPControlOleItems), kOleItems, L"Verbs");
    AddOfClass(pControls, RUNTIME_CLASS(CTKPControlWorkspaceActions), kWorkspace, L"Tabs");
    AddOfClass(pControls, RUNTIME_CLASS(CTKPControlToolbarToggle), kToolbarToggle, L"Standard");

    for (int i = 0; i < pControls->GetCount(); ++i)
        SetCommonValues(pControls->GetAt(i));
}

// The controls of a bar that go into a saved layout (not the temporary ones that placeholders and
// the bar add while they lay out).
std::vector<CTKPControl*> Saved(CTKPToolBar* pBar)
{
    std::vector<CTKPControl*> controls;
    for (int i = 0; i < pBar->GetControls()->GetCount(); ++i)
        if (!pBar->GetControls()->GetAt(i)->IsTemporary())
            controls.push_back(pBar->GetControls()->GetAt(i));
    return controls;
}

// Every control came back of its own class with its values, in its place.
void CheckUserBar(CTKPToolBar* pBar, CTKPToolBar* pOriginal)
{
    CTKPControls* pControls = pBar->GetControls();
    const std::vector<CTKPControl*> expected = Saved(pOriginal), loaded = Saved(pBar);
    ASSERT_EQ(expected.size(), loaded.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        CTKPControl* pWas = expected[i];
        CTKPControl* pNow = loaded[i];
        SCOPED_TRACE(pWas->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(pWas->GetRuntimeClass(), pNow->GetRuntimeClass());
        EXPECT_EQ(pWas->GetID(), pNow->GetID());
        EXPECT_EQ(pWas->GetType(), pNow->GetType());
        EXPECT_EQ(CString(L"Recovery"), pNow->GetCategory());
        EXPECT_EQ(CString(L"Mine"), pNow->GetCustomCaption());
        EXPECT_EQ(2, pNow->GetCustomStyle());
        EXPECT_FALSE(pNow->GetCloseSubMenuOnClick());
        EXPECT_EQ(0x5Au, pNow->GetTag());
        BOOL bAssigned = FALSE;
        EXPECT_TRUE(pNow->GetAssignedDocTemplates().Lookup(7, bAssigned));
    }
    EXPECT_TRUE(pControls->FindControl(kButton)->GetDefaultItem());
    EXPECT_TRUE(pControls->FindControl(kButton)->GetBeginGroup());
    for (int nId : {kPopup, kButtonPopup, kSplitPopup}) {
        CTKPControl* pPopup = pControls->FindControl(nId);
        ASSERT_NE(nullptr, pPopup->GetCommandBar());
        ASSERT_EQ(1, pPopup->GetCommandBar()->GetControls()->GetCount());
        EXPECT_EQ(CString(L"Inner"), pPopup->GetCommandBar()->GetControls()->GetAt(0)->GetCaption());
    }

    auto* pCombo = DYNAMIC_DOWNCAST(CTKPControlComboBox, pControls->FindControl(kComboBox));
    ASSERT_NE(nullptr, pCombo);
    EXPECT_TRUE(pCombo->GetDropDownListStyle());
    EXPECT_EQ(140, pCombo->GetWidth());
    EXPECT_TRUE(pCombo->GetShowLabel());
    EXPECT_EQ(CString(L"Find a file"), pCombo->GetEditHint());
    EXPECT_TRUE(pCombo->IsAutoCompleteEnabled());
    EXPECT_EQ(102, pCombo->GetEditIconId());
    EXPECT_EQ(7, pCombo->GetMaxVisibleItems());
    ASSERT_EQ(2, pCombo->GetCount());
    EXPECT_EQ(CString(L"beta"), pCombo->GetItemText(1));

    auto* pEdit = DYNAMIC_DOWNCAST(CTKPControlEdit, pControls->FindControl(kEdit));
    ASSERT_NE(nullptr, pEdit);
    EXPECT_TRUE(pEdit->GetShowLabel());
    EXPECT_EQ(120, pEdit->GetWidth());
    EXPECT_TRUE(pEdit->GetReadOnly());
    EXPECT_EQ(CString(L"Name"), pEdit->GetEditHint());

    auto* pCustom = DYNAMIC_DOWNCAST(CTKPControlCustom, pControls->FindControl(kCustom));
    ASSERT_NE(nullptr, pCustom);
    EXPECT_EQ(CRect(1, 2, 3, 4), pCustom->GetBorders());
    EXPECT_EQ(CSize(90, 21), pCustom->GetControlSize());
    EXPECT_EQ(2, pCustom->GetVerticalOptions());

    auto* pSelector = DYNAMIC_DOWNCAST(CTKPControlSelector, pControls->FindControl(kSelector));
    ASSERT_NE(nullptr, pSelector);
    EXPECT_EQ(CSize(19, 17), pSelector->GetItemSize());
}

class CustomisedLayoutTest : public ::testing::Test {
protected:
    CustomisedLayoutTest() : m_key(L"MorvickCommandBarsTests") {}
    void SetUp() override
    {
        m_pFrame = new CBars3Frame;
        ASSERT_TRUE(m_pFrame->CreateBars3Frame());
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pCommandBars->m_bCustomizeAvail = TRUE;
        m_pUser = m_pCommandBars->AddCustomBar(L"Everything", kUserBarID);
        ASSERT_NE(nullptr, m_pUser);
        FillUserBar(m_pUser);
        ASSERT_TRUE(m_pCommandBars->FloatCommandBar(m_pUser));
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        for (CBars3Frame* pFrame : {m_pOther, m_pFrame})
            if (pFrame != nullptr && pFrame->GetSafeHwnd() != NULL)
                pFrame->DestroyWindow();
    }
    // A second frame of the same program that loads the saved layout.
    CTKPToolBar* LoadInOtherFrame()
    {
        m_pOther = new CBars3Frame;
        if (!m_pOther->CreateBars3Frame())
            return nullptr;
        m_pOther->GetCommandBars()->m_bCustomizeAvail = TRUE;
        m_pOther->GetCommandBars()->LoadLayout(kProfile, TRUE);
        return m_pOther->GetCommandBars()->GetToolBar(kUserBarID);
    }
    TestRegistryKey m_key;
    CBars3Frame* m_pFrame = nullptr;
    CBars3Frame* m_pOther = nullptr;
    CTKPCommandBars* m_pCommandBars = nullptr;
    CTKPToolBar* m_pUser = nullptr;
};

}  // namespace

TEST_F(CustomisedLayoutTest, AFloatingBarWithEveryKindOfControlComesBackFromTheProfile)
{
    m_pCommandBars->SaveLayout(kProfile);
    EXPECT_EQ(0u, AfxGetApp()->GetProfileInt(CString(kProfile) + L"-Controls", L"LoadFromFile", 7));

    CTKPToolBar* pRestored = LoadInOtherFrame();
    ASSERT_NE(nullptr, pRestored);
    EXPECT_EQ(CString(L"Everything"), pRestored->GetTitle());
    EXPECT_FALSE(pRestored->IsBuiltIn());
    EXPECT_EQ(tkpBarFloating, pRestored->GetPosition());
    CheckUserBar(pRestored, m_pUser);
}

TEST_F(CustomisedLayoutTest, AFloatingBarWithEveryKindOfControlComesBackFromTheControlsFile)
{
    // Enough controls that the archive goes to the controls file rather than the profile.
    for (int i = 0; i < 300; i++) {
        CString strCaption;
        strCaption.Format(L"A rather long caption of button number %d", i);
        CTKPControl* pButton = m_pUser->GetControls()->Add(tkpControlButton, 100 + i % 5);
        pButton->SetCaption(strCaption);
        SetCommonValues(pButton);
    }
    m_pCommandBars->SaveLayout(kProfile);
    const CString strSection = CString(kProfile) + L"-Controls";
    ASSERT_EQ(1u, AfxGetApp()->GetProfileInt(strSection, L"LoadFromFile", 0));
    const CString strPath = AfxGetApp()->GetProfileString(strSection, L"Controls", L"");

    CTKPToolBar* pRestored = LoadInOtherFrame();
    ::SetFileAttributesW(strPath, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(strPath);
    ASSERT_NE(nullptr, pRestored);
    EXPECT_EQ(tkpBarFloating, pRestored->GetPosition());
    CheckUserBar(pRestored, m_pUser);
}
