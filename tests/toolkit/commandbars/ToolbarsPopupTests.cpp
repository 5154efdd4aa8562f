// The toolbars context menu of a frame built from the toolkit's own resources: its items say what
// they do in the status bar and in their tooltips.
#include <gtest/gtest.h>

#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"

TEST(ToolbarsPopup, AnItemOfTheToolbarsMenuDescribesItself)
{
    CBars3Frame* pFrame = new CBars3Frame;
    ASSERT_TRUE(pFrame->CreateBars3Frame());
    CTKPCommandBar* pPopup = pFrame->GetCommandBars()->CreateToolbarsPopup();
    ASSERT_NE(pPopup, nullptr);
    ASSERT_GE(pPopup->GetControlCount(), 1);
    CTKPControl* pItem = pPopup->GetControl(0);
    EXPECT_EQ(pItem->GetID(), 0xE800);
    EXPECT_EQ(pItem->GetDescription(), CString(L"Show or hide the toolbar"));
    EXPECT_EQ(pItem->GetTooltip(), CString(L"Toggle ToolBar"));
    pPopup->InternalRelease();
    pFrame->DestroyWindow();
}

TEST(ToolbarsPopup, TheAddOrRemoveListEndsWithReset)
{
    CBars3Frame* pFrame = new CBars3Frame;
    ASSERT_TRUE(pFrame->CreateBars3Frame());
    CTKPCommandBar* pList = pFrame->GetToolBar()->CreateAddOrRemovePopup();
    ASSERT_NE(pList, nullptr);
    ASSERT_GE(pList->GetControlCount(), 2);
    CTKPControl* pReset = pList->GetControl(pList->GetControlCount() - 1);
    EXPECT_TRUE(pReset->GetBeginGroup());
    EXPECT_EQ(pReset->GetCaption(), CString(L"Reset"));
    pList->InternalRelease();
    pFrame->DestroyWindow();
}
