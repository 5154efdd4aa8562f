// The menu bar of the toolkit's multiple-document frame follows the document type of the active
// child: two document templates with menus of their own, children made from them, and a second
// view of a document in a child loaded from the other type's resource.
#include <gtest/gtest.h>

#include "classlib/win/CCreateContext.h"
#include "classlib/win/CDocTemplate.h"
#include "classlib/win/CDocument.h"
#include "classlib/win/CView.h"
#include "tests/support/win/InputSupport.h"
#include "tests/toolkit/commandbars/MdiTabTestSupport.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MenuBar.h"

#include <list>

namespace {

enum { IDR_PICTURE = 1301, IDR_TEXT = 1302 };

class CMenuTestDocument : public CDocument {
    DECLARE_DYNCREATE(CMenuTestDocument)
};
IMPLEMENT_DYNCREATE(CMenuTestDocument, CDocument)

class CMenuTestView : public CView {
    DECLARE_DYNCREATE(CMenuTestView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMenuTestView, CView)

// A template of any number of documents, each in its own child frame.
class CMenuTestTemplate : public CDocTemplate {
public:
    explicit CMenuTestTemplate(UINT nID)
        : CDocTemplate(nID, RUNTIME_CLASS(CMenuTestDocument), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CMenuTestView))
    {}
    void AddDocument(CDocument* pDoc) override
    {
        CDocTemplate::AddDocument(pDoc);
        m_docs.push_back(pDoc);
    }
    void RemoveDocument(CDocument* pDoc) override
    {
        CDocTemplate::RemoveDocument(pDoc);
        m_docs.remove(pDoc);
    }
    POSITION GetFirstDocPosition() const override
    {
        return m_docs.empty() ? NULL : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
    }
    CDocument* GetNextDoc(POSITION& rPos) const override
    {
        const UINT_PTR n = reinterpret_cast<UINT_PTR>(rPos);
        auto it = m_docs.begin();
        std::advance(it, n - 1);
        rPos = n < m_docs.size() ? reinterpret_cast<POSITION>(n + 1) : NULL;
        return *it;
    }
    CDocument* OpenDocumentFile(LPCTSTR, BOOL) override { return NULL; }
    void SetDefaultTitle(CDocument*) override {}

    std::list<CDocument*> m_docs;
};

int CountItems(CTKPCommandBar* pBar)
{
    int n = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        n += pBar->GetControl(i)->IsTemporary() ? 0 : 1;
    return n;
}

// The application's two templates, made once (the application deletes them).
CMenuTestTemplate* s_pPicture = nullptr;
CMenuTestTemplate* s_pText = nullptr;

class MdiDocumentMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (s_pPicture == nullptr) {
            s_pPicture = new CMenuTestTemplate(IDR_PICTURE);
            s_pText = new CMenuTestTemplate(IDR_TEXT);
            AfxGetApp()->AddDocTemplate(s_pPicture);
            AfxGetApp()->AddDocTemplate(s_pText);
        }
        m_pFrame = new CTabsMdiFrame;
        ASSERT_TRUE(m_pFrame->CreateFrame(CRect(40, 40, 640, 440), FALSE));
        m_pFrame->GetCommandBars()->m_bCustomizeAvail = TRUE;
        m_pOldMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pMenuBar = m_pFrame->GetCommandBars()->GetMenuBar();
        ASSERT_NE(nullptr, m_pMenuBar);
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = m_pOldMain;
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
    }
    // A new document of the template in a new child frame of the template's resource.
    CMDIChildWnd* NewDocument(CDocTemplate* pTemplate)
    {
        CDocument* pDoc = pTemplate->CreateNewDocument();
        if (pDoc == NULL)
            return nullptr;
        CFrameWnd* pChild = pTemplate->CreateNewFrame(pDoc, NULL);
        if (pChild == NULL)
            return nullptr;
        pTemplate->InitialUpdateFrame(pChild, pDoc, TRUE);
        return static_cast<CMDIChildWnd*>(pChild);
    }
    // Another view of the document in a child loaded from another resource.
    CMDIChildWnd* NewView(CDocument* pDoc, UINT nIDResource)
    {
        CCreateContext context;
        context.m_pCurrentDoc = pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CMenuTestView);
        context.m_pNewDocTemplate = pDoc->GetDocTemplate();
        CMDIChildWnd* pChild = new CMDIChildWnd;
        if (!pChild->LoadFrame(nIDResource, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_pFrame, &context))
            return nullptr;
        pChild->InitialUpdateFrame(pDoc, TRUE);
        return pChild;
    }
    // The idle pass until the menu bar shows the menu of the id.
    bool ShowsMenu(UINT nID)
    {
        return morvick::test::PumpUntil([&] {
            m_pFrame->RunIdle();
            return m_pMenuBar->GetCurrentMenuId() == nID;
        });
    }
    CString FirstCaption() const { return m_pMenuBar->GetControl(0)->GetCaption(); }

    CTabsMdiFrame* m_pFrame = nullptr;
    CWnd* m_pOldMain = nullptr;
    CTKPMenuBar* m_pMenuBar = nullptr;
};

}  // namespace

TEST_F(MdiDocumentMenuTest, TheMenuBarShowsTheMenuOfTheActiveDocumentsType)
{
    CTKPCommandBars* pCommandBars = m_pFrame->GetCommandBars();
    EXPECT_EQ(static_cast<UINT>(IDR_MDITABS_MENU), pCommandBars->GetActiveMenuId());

    CMDIChildWnd* pPicture = NewDocument(s_pPicture);
    ASSERT_NE(nullptr, pPicture);
    EXPECT_EQ(static_cast<UINT>(IDR_PICTURE), pCommandBars->GetActiveMenuId());
    EXPECT_EQ(s_pPicture, pCommandBars->GetActiveDocTemplate(pPicture));
    ASSERT_TRUE(ShowsMenu(IDR_PICTURE));
    EXPECT_EQ(CString(L"&Picture"), FirstCaption());

    CMDIChildWnd* pText = NewDocument(s_pText);
    ASSERT_NE(nullptr, pText);
    ASSERT_TRUE(ShowsMenu(IDR_TEXT));
    EXPECT_EQ(CString(L"&Text"), FirstCaption());

    // A customised document menu keeps its change when its type comes back.
    ASSERT_EQ(2, CountItems(m_pMenuBar));
    m_pMenuBar->GetControls()->Remove(1);
    m_pFrame->MDIActivate(pPicture);
    ASSERT_TRUE(ShowsMenu(IDR_PICTURE));
    EXPECT_EQ(CString(L"&Picture"), FirstCaption());
    m_pFrame->MDIActivate(pText);
    ASSERT_TRUE(ShowsMenu(IDR_TEXT));
    EXPECT_EQ(1, CountItems(m_pMenuBar));

    // A second view of the picture in a child of the text resource: the text template's menu.
    CMDIChildWnd* pSecond = NewView(pPicture->GetActiveDocument(), IDR_TEXT);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(s_pText, pCommandBars->GetActiveDocTemplate(pSecond));
    EXPECT_EQ(static_cast<UINT>(IDR_TEXT), pCommandBars->GetActiveMenuId());

    // Every child closed: the frame's own menu.
    for (CMDIChildWnd* pChild : {pSecond, pText, pPicture})
        pChild->MDIDestroy();
    EXPECT_EQ(static_cast<UINT>(IDR_MDITABS_MENU), pCommandBars->GetActiveMenuId());
    ASSERT_TRUE(ShowsMenu(IDR_MDITABS_MENU));
    EXPECT_EQ(CString(L"&File"), FirstCaption());
}

TEST_F(MdiDocumentMenuTest, ControlsAssignedToADocumentTypeShowOnlyWithIt)
{
    CMDIChildWnd* pPicture = NewDocument(s_pPicture);
    CMDIChildWnd* pText = NewDocument(s_pText);
    ASSERT_NE(nullptr, pPicture);
    ASSERT_NE(nullptr, pText);
    CTKPToolBar* pBar = m_pFrame->GetCommandBars()->CreateToolBar(L"Tools", tkpBarTop);
    CTKPControl* pRotate = pBar->GetControls()->Add(tkpControlButton, 110);
    pRotate->GetAssignedDocTemplates()[IDR_PICTURE] = TRUE;
    CTKPControl* pWrap = pBar->GetControls()->Add(tkpControlButton, 111);
    pWrap->GetExcludedDocTemplates()[IDR_PICTURE] = TRUE;

    m_pFrame->RunIdle();
    EXPECT_TRUE(pRotate->GetHideFlags() & tkpHideDocTemplate);
    EXPECT_FALSE(pWrap->GetHideFlags() & tkpHideDocTemplate);
    m_pFrame->MDIActivate(pPicture);
    m_pFrame->RunIdle();
    EXPECT_FALSE(pRotate->GetHideFlags() & tkpHideDocTemplate);
    EXPECT_TRUE(pWrap->GetHideFlags() & tkpHideDocTemplate);
}
