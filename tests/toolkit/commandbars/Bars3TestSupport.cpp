#include "tests/toolkit/commandbars/Bars3TestSupport.h"

#include "classlib/win/CWinApp.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/common/PropExchangeArchive.h"

BOOL CBars3Frame::CreateBars3Frame(CRect rc)
{
    if (!CreateTestFrame(TRUE, rc))
        return FALSE;
    m_pToolBar = m_pCommandBars->CreateToolBar(L"Standard", tkpBarTop);
    if (m_pToolBar == NULL || !m_pToolBar->LoadToolBar(IDR_BARS3_TOOLBAR))
        return FALSE;
    m_pToolBar->SetBuiltIn(TRUE);
    RecalcLayout();
    return TRUE;
}

MessageBoxRecorder* MessageBoxRecorder::s_pCurrent = nullptr;

namespace {

int AnswerMessageBox(LPCTSTR lpszText, UINT nType)
{
    MessageBoxRecorder* pRecorder = MessageBoxRecorder::s_pCurrent;
    if (pRecorder == nullptr)
        return IDOK;
    pRecorder->m_texts.push_back(lpszText != NULL ? lpszText : L"");
    pRecorder->m_types.push_back(nType);
    if (pRecorder->m_answers.empty())
        return IDOK;
    const int nAnswer = pRecorder->m_answers.front();
    pRecorder->m_answers.erase(pRecorder->m_answers.begin());
    return nAnswer;
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder()
{
    s_pCurrent = this;
    CTKPResourceManager::SetMessageBoxHook(AnswerMessageBox);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    CTKPResourceManager::SetMessageBoxHook(NULL);
    s_pCurrent = nullptr;
}

CScopedRecentFileList::CScopedRecentFileList(int nSize)
    : CRecentFileList(0, L"Test Recent Files", L"File%d", nSize), m_pOld(AfxGetApp()->m_pRecentFileList)
{
    AfxGetApp()->m_pRecentFileList = this;
}

CScopedRecentFileList::~CScopedRecentFileList()
{
    AfxGetApp()->m_pRecentFileList = m_pOld;
}

void RunBars3Idle(CWnd* pFrame)
{
    RunIdle(pFrame);
    PumpPending();
}

namespace {

// Stores through one archive exchange of the schema and loads through another; FALSE when either
// step threw.
template <class Item>
BOOL RoundTrip(Item* pFrom, Item* pTo, CTKPCommandBars* pCommandBars, UINT nSchema)
{
    TKPPropExchangeSettings settings = {FALSE, FALSE, TRUE, pCommandBars};
    CMemFile file(1024);
    try {
        {
            CArchive ar(&file, CArchive::store);
            CTKPPropExchangeArchive px(ar);
            px.m_nSchema = nSchema;
            px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
            pFrom->DoPropExchange(&px);
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CTKPPropExchangeArchive px(ar);
        px.m_nSchema = nSchema;
        px.m_dwData = reinterpret_cast<DWORD_PTR>(&settings);
        pTo->DoPropExchange(&px);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL RoundTripControl(CTKPControl* pFrom, CTKPControl* pTo, CTKPCommandBars* pCommandBars, UINT nSchema)
{
    return RoundTrip(pFrom, pTo, pCommandBars, nSchema);
}

BOOL RoundTripBar(CTKPCommandBar* pFrom, CTKPCommandBar* pTo, CTKPCommandBars* pCommandBars, UINT nSchema)
{
    return RoundTrip(pFrom, pTo, pCommandBars, nSchema);
}
