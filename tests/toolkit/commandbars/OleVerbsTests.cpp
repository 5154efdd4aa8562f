// The OLE verbs placeholder of a menu: with an OLE item selected in the frame's active view it
// stands aside for a popup of the item's verbs, read from the item's object (an in-process object
// of this test that offers two verbs).
#include <gtest/gtest.h>

#include "classlib/win/CCreateContext.h"
#include "classlib/win/CMenu.h"
#include "classlib/win/COleDocument.h"
#include "classlib/win/CView.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "tests/toolkit/commandbars/OleTestObjects.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlOleItems.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PopupBar.h"

#include <vector>

namespace {

class OleVerbsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CBars3Frame;
        ASSERT_TRUE(m_pFrame->CreateBars3Frame());
        m_pDocument = new COleDocument;
        m_pDocument->m_bAutoDelete = FALSE;  // the test deletes it after its view
        m_pItem = new COleClientItem(m_pDocument);
        CPictureObject* pObject = new CPictureObject;
        m_pItem->Attach(pObject);
        pObject->Release();
        CCreateContext context;
        context.m_pCurrentDoc = m_pDocument;
        context.m_pNewViewClass = RUNTIME_CLASS(COleTestView);
        m_pView = static_cast<COleTestView*>(m_pFrame->CreateView(&context));
        ASSERT_NE(nullptr, m_pView);
        m_pFrame->SetActiveView(m_pView);
        m_pView->m_pSelected = m_pItem;
        m_pPopup = CTKPPopupBar::CreatePopupBar(m_pFrame->GetCommandBars());
        m_pPlaceholder = new CTKPControlOleItems;
        m_pPopup->GetControls()->Add(tkpControlButton, 100)->SetCaption(L"&Undo");
        m_pPopup->GetControls()->Add(m_pPlaceholder, 0xE210);
        m_pPlaceholder->SetCaption(L"<<OLE VERBS GO HERE>>");
    }
    void TearDown() override
    {
        if (m_pPopup != nullptr)
            m_pPopup->InternalRelease();
        m_pFrame->SetActiveView(NULL);
        if (m_pView != nullptr)
            m_pView->DestroyWindow();
        delete m_pDocument;  // and its item
        m_pFrame->DestroyWindow();
        PumpPending();
    }
    // The controls after the placeholder that the expansion added.
    std::vector<CTKPControl*> Expansion() const
    {
        std::vector<CTKPControl*> controls;
        for (int i = m_pPlaceholder->GetIndex() + 1; i < m_pPopup->GetControlCount(); ++i)
            if (m_pPopup->GetControl(i)->IsTemporary())
                controls.push_back(m_pPopup->GetControl(i));
        return controls;
    }

    CBars3Frame* m_pFrame = nullptr;
    COleDocument* m_pDocument = nullptr;
    COleClientItem* m_pItem = nullptr;
    COleTestView* m_pView = nullptr;
    CTKPPopupBar* m_pPopup = nullptr;
    CTKPControlOleItems* m_pPlaceholder = nullptr;
};

}  // namespace

TEST_F(OleVerbsTest, TheSelectedItemsVerbsMakeAPopupInPlaceOfThePlaceholder)
{
    EXPECT_EQ(m_pItem, m_pDocument->GetPrimarySelectedItem(m_pView));
    m_pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_FALSE(m_pPlaceholder->IsVisible());
    std::vector<CTKPControl*> added = Expansion();
    ASSERT_EQ(1u, added.size());
    CTKPControl* pEntry = added[0];
    EXPECT_EQ(tkpControlPopup, pEntry->GetType());
    EXPECT_EQ(CString(L"OLEMENUPOPUP"), pEntry->GetParameter());
    EXPECT_NE(-1, pEntry->GetCaption().Find(L"Picture"));  // the object's short type names the entry
    CTKPCommandBar* pVerbs = pEntry->GetCommandBar();
    ASSERT_NE(nullptr, pVerbs);
    ASSERT_EQ(2, pVerbs->GetControlCount());
    EXPECT_EQ(0xE210, pVerbs->GetControl(0)->GetID());
    EXPECT_EQ(CString(L"&Edit"), pVerbs->GetControl(0)->GetCaption());
    EXPECT_EQ(0xE211, pVerbs->GetControl(1)->GetID());
    EXPECT_EQ(CString(L"&Play"), pVerbs->GetControl(1)->GetCaption());

    // The next layout replaces the popup rather than adding a second one.
    m_pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_EQ(1u, Expansion().size());

    // Nothing selected: no verbs, and the placeholder stays out of sight.
    m_pView->m_pSelected = nullptr;
    m_pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_TRUE(Expansion().empty());
    EXPECT_FALSE(m_pPlaceholder->IsVisible());

    // A static picture offers no verbs either.
    m_pView->m_pSelected = m_pItem;
    CPictureObject* pObject = new CPictureObject;
    m_pItem->Attach(pObject, OT_STATIC);
    pObject->Release();
    m_pPlaceholder->OnCalcDynamicSize(0);
    EXPECT_TRUE(Expansion().empty());

    // In customisation the placeholder itself shows.
    m_pItem->Attach(pObject = new CPictureObject, OT_EMBEDDED);
    pObject->Release();
    m_pFrame->GetCommandBars()->SetCustomizeMode(TRUE);
    m_pPlaceholder->OnCalcDynamicSize(0);
    m_pFrame->GetCommandBars()->SetCustomizeMode(FALSE);
    EXPECT_TRUE(m_pPlaceholder->IsVisible());
    EXPECT_TRUE(Expansion().empty());
}

TEST(OleDocument, ThePrimarySelectionIsTheOneSelectedItemAndTheMenuEntryNamesTheVerbs)
{
    COleDocument document;
    COleClientItem* pFirst = new COleClientItem(&document);
    COleClientItem* pSecond = new COleClientItem(&document);
    POSITION pos = document.GetStartPosition();
    EXPECT_EQ(pFirst, document.GetNextClientItem(pos));
    EXPECT_EQ(pSecond, document.GetNextClientItem(pos));
    EXPECT_EQ(nullptr, pos);
    delete pSecond;  // leaves the document
    pos = document.GetStartPosition();
    EXPECT_EQ(pFirst, document.GetNextClientItem(pos));
    EXPECT_EQ(nullptr, pos);

    // One verb-less item: a disabled entry; an item with verbs: a popup of them.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_FALSE(AfxOleSetEditMenu(pFirst, &menu, 0, 0xE210, 0xE21F));
    ASSERT_EQ(1u, menu.GetMenuItemCount());
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    CPictureObject* pObject = new CPictureObject;
    pFirst->Attach(pObject);
    pObject->Release();
    CString strType;
    pFirst->GetUserType(USERCLASSTYPE_SHORT, strType);
    EXPECT_EQ(CString(L"Picture"), strType);
    CMenu verbs;
    ASSERT_TRUE(verbs.CreatePopupMenu());
    EXPECT_TRUE(AfxOleSetEditMenu(pFirst, &verbs, 0, 0xE210, 0xE21F));
    ASSERT_EQ(1u, verbs.GetMenuItemCount());
    CMenu* pSub = verbs.GetSubMenu(0);
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(2u, pSub->GetMenuItemCount());
    EXPECT_EQ(0xE211u, pSub->GetMenuItemID(1));
}
