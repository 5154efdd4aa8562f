// The bars that go into the controls archive, their saving and loading, and the merge of loaded
// bars with the bars the program created.
#include "classlib/core/CException.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MenuBar.h"
#include "toolkit/commandbars/ToolBar.h"

#include <functional>
#include <vector>

namespace {

const UINT kIdsToolbarChanged = 9394;

// The bar's own collection and, for a menu bar, the collection of each menu it keeps.
void ForEachCollection(CTKPCommandBar* pBar, const std::function<void(CTKPControls*)>& fn)
{
    fn(pBar->GetControls());
    if (!pBar->IsKindOf(RUNTIME_CLASS(CTKPMenuBar)))
        return;
    CMap<UINT, UINT, CTKPControls*, CTKPControls*>& map = static_cast<CTKPMenuBar*>(pBar)->GetStoredMenus();
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        UINT nID;
        CTKPControls* pControls;
        map.GetNextAssoc(pos, nID, pControls);
        fn(pControls);
    }
}

// The popup bars reached from a collection and from its reference set.
void AddControlsToList(CTKPControls* pControls, UINT& nNextID, CTKPCommandBarList& list,
    const TKPPropExchangeSettings& settings, int nDepth)
{
    if (pControls == NULL || nDepth > 8)
        return;
    for (int i = 0; i < pControls->GetCount(); i++) {
        CTKPControl* pControl = pControls->GetAt(i);
        if (pControl->IsTemporary())
            continue;
        if (CTKPCommandBar* pPopup = pControl->GetCommandBar())
            TKPAddCommandBarToList(pPopup, nNextID, list, settings);
    }
    if (settings.bSaveOriginalControls)
        AddControlsToList(pControls->GetSavedCopy(), nNextID, list, settings, nDepth + 1);
}

BOOL IsPopupControl(CTKPControl* pControl)
{
    return pControl->IsKindOf(RUNTIME_CLASS(CTKPControlPopup));
}

// Links the popup controls of a collection (and of its reference set) to their loaded bars. A bar
// already on the way down is never linked again, so damaged data cannot make a popup contain itself.
void RelinkControls(CTKPControls* pControls, CTKPCommandBarList& list, std::vector<CTKPCommandBar*>& path, int nDepth);

void RelinkBar(CTKPCommandBar* pBar, CTKPCommandBarList& list, std::vector<CTKPCommandBar*>& path)
{
    path.push_back(pBar);
    ForEachCollection(pBar, [&](CTKPControls* pControls) { RelinkControls(pControls, list, path, 0); });
    path.pop_back();
}

void RelinkControls(CTKPControls* pControls, CTKPCommandBarList& list, std::vector<CTKPCommandBar*>& path, int nDepth)
{
    if (pControls == NULL || nDepth > 8)
        return;
    for (int i = 0; i < pControls->GetCount(); i++) {
        CTKPControl* pControl = pControls->GetAt(i);
        if (!IsPopupControl(pControl))
            continue;
        CTKPControlPopup* pPopup = static_cast<CTKPControlPopup*>(pControl);
        const UINT nID = pPopup->GetLoadedCommandBarId();
        if (nID == 0)
            continue;
        pPopup->SetLoadedCommandBarId(0);
        CTKPCommandBar* pTarget = list.FindBar(nID);
        if (pTarget == NULL)
            continue;
        BOOL bOnPath = FALSE;
        for (CTKPCommandBar* p : path)
            bOnPath |= p == pTarget;
        if (bOnPath)
            continue;
        pPopup->SetCommandBar(pTarget);
        RelinkBar(pTarget, list, path);
    }
    RelinkControls(pControls->GetSavedCopy(), list, path, nDepth + 1);
}

}  // namespace

// --- The list -----------------------------------------------------------------------------------

BOOL CTKPCommandBarList::Contains(CTKPCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        if (m_arrBars[i] == pBar)
            return TRUE;
    return FALSE;
}

BOOL CTKPCommandBarList::Add(CTKPCommandBar* pBar)
{
    if (pBar == NULL || Contains(pBar))
        return FALSE;
    pBar->InternalAddRef();
    m_arrBars.Add(pBar);
    return TRUE;
}

CTKPCommandBar* CTKPCommandBarList::FindBar(UINT nID) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        if (m_arrBars[i]->GetBarID() == nID)
            return m_arrBars[i];
    return NULL;
}

void CTKPCommandBarList::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        m_arrBars[i]->InternalRelease();
    m_arrBars.RemoveAll();
}

// --- Saving -------------------------------------------------------------------------------------

void TKPAddCommandBarToList(CTKPCommandBar* pBar, UINT& nNextID, CTKPCommandBarList& list,
    const TKPPropExchangeSettings& settings)
{
    if (pBar == NULL || !list.Add(pBar))
        return;
    if (!pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)) && (pBar->GetBarID() == 0 || pBar->GetBarID() > 0xFFFFFF))
        pBar->SetBarID(nNextID++);
    ForEachCollection(pBar, [&](CTKPControls* pControls) { AddControlsToList(pControls, nNextID, list, settings, 0); });
}

void CTKPCommandBars::GenerateCommandBarList(CTKPCommandBarList& list, const TKPPropExchangeSettings& settings)
{
    UINT nNextID = TKP_FIRST_POPUP_BAR_ID;
    for (int i = 0; i < GetCount(); i++) {
        CTKPCommandBar* pBar = GetAt(i);
        if (pBar == NULL)
            continue;
        CTKPToolBar* pToolBar = pBar->IsKindOf(RUNTIME_CLASS(CTKPToolBar)) ? static_cast<CTKPToolBar*>(pBar) : NULL;
        if (settings.bOnlyCustomized && pToolBar != NULL && pToolBar->IsBuiltIn() &&
            !pToolBar->m_bExemptOnlyCustomized) {
            if (!pBar->IsCustomizable())
                continue;
            BOOL bHasMdiMenus = FALSE;
            if (pBar->IsKindOf(RUNTIME_CLASS(CTKPMenuBar))) {
                CTKPMenuBar* pMenuBar = static_cast<CTKPMenuBar*>(pBar);
                if (pMenuBar->GetFrameMenu() != NULL)
                    pMenuBar->SwitchMenu(pMenuBar->GetFrameMenu());
                bHasMdiMenus = !pMenuBar->GetStoredMenus().IsEmpty();
            }
            if (!bHasMdiMenus && !pBar->GetControls()->IsChanged())
                continue;
        }
        TKPAddCommandBarToList(pBar, nNextID, list, settings);
    }
}

BOOL CTKPCommandBars::SaveCommandBarList(CTKPPropExchange* pPX, CTKPCommandBarList& list)
{
    try {
        CTKPPropExchange* pSection = pPX->GetSection(L"CommandBars");
        CTKPPropSectionEnumerator* pEnum = pSection->GetEnumerator(L"CommandBar");
        DWORD dwCount = static_cast<DWORD>(list.GetCount());
        DWORD_PTR pos = pEnum->BeginEnum(dwCount);
        for (int i = 0; i < list.GetCount() && pos != 0; i++) {
            CTKPPropExchange* pBarSection = pEnum->NextSection(pos);
            CObject* pObject = list.GetAt(i);
            pBarSection->ExchangeRuntimeClass(&pObject, RUNTIME_CLASS(CTKPCommandBar));
            list.GetAt(i)->DoPropExchange(pBarSection);
            delete pBarSection;
        }
        delete pEnum;
        delete pSection;
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    } catch (CMemoryException* e) {
        e->Delete();
        return FALSE;
    } catch (CFileException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// --- Loading ------------------------------------------------------------------------------------

BOOL CTKPCommandBars::LoadCommandBarList(CTKPPropExchange* pPX, CTKPCommandBarList& list)
{
    BOOL bResult = TRUE;
    CTKPPropExchange* pSection = NULL;
    CTKPPropSectionEnumerator* pEnum = NULL;
    CTKPPropExchange* pBarSection = NULL;
    CTKPCommandBar* pBar = NULL;
    try {
        pSection = pPX->GetSection(L"CommandBars");
        pEnum = pSection->GetEnumerator(L"CommandBar");
        DWORD dwCount = 0;
        DWORD_PTR pos = pEnum->BeginEnum(dwCount);
        while (pos != 0 && bResult) {
            pBarSection = pEnum->NextSection(pos);
            CObject* pObject = NULL;
            if (!pBarSection->ExchangeRuntimeClass(&pObject, RUNTIME_CLASS(CTKPCommandBar))) {
                bResult = FALSE;
            } else {
                pBar = static_cast<CTKPCommandBar*>(pObject);
                pBar->DoPropExchange(pBarSection);
                list.Add(pBar);
                pBar->InternalRelease();
                pBar = NULL;
            }
            delete pBarSection;
            pBarSection = NULL;
        }
    } catch (CArchiveException* e) {
        e->Delete();
        bResult = FALSE;
    } catch (CMemoryException* e) {
        e->Delete();
        bResult = FALSE;
    } catch (CFileException* e) {
        e->Delete();
        bResult = FALSE;
    }
    if (pBar != NULL)
        pBar->InternalRelease();
    delete pBarSection;
    delete pEnum;
    delete pSection;
    return bResult;
}

void CTKPCommandBars::RestoreCommandBarList(CTKPCommandBarList& list, BOOL bSilent)
{
    std::vector<CTKPCommandBar*> path;
    for (int i = 0; i < list.GetCount(); i++) {
        CTKPCommandBar* pLoaded = list.GetAt(i);
        if (!pLoaded->IsKindOf(RUNTIME_CLASS(CTKPToolBar)))
            continue;
        CTKPToolBar* pLoadedBar = static_cast<CTKPToolBar*>(pLoaded);
        RelinkBar(pLoadedBar, list, path);

        CTKPToolBar* pExisting = GetToolBar(pLoadedBar->GetBarID());
        if (pExisting == NULL) {
            // A bar of the user's own.
            pLoadedBar->InternalAddRef();
            m_arrBars.Add(pLoadedBar);
            pLoadedBar->SetCommandBars(this);
            pLoadedBar->CreateBarWindow(GetSite(), FALSE);
            pLoadedBar->EnableBarDocking(pLoadedBar->GetFlags());
            AddBarToReBar(pLoadedBar);
            continue;
        }
        CTKPControls* pExistingRef = pExisting->GetControls()->GetSavedCopy();
        CTKPControls* pLoadedRef = pLoadedBar->GetControls()->GetSavedCopy();
        if (pExistingRef != NULL && pLoadedRef != NULL && !pExistingRef->Compare(pLoadedRef)) {
            // The program's bar changed since the customisation was saved.
            if (bSilent || !pLoadedBar->GetControls()->IsChanged())
                continue;
            CString strFormat, strQuestion;
            GetResourceManager()->LoadString(&strFormat, kIdsToolbarChanged);
            strQuestion.Format(strFormat, static_cast<LPCTSTR>(pExisting->GetTitle()));
            if (GetResourceManager()->ShowMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES)
                continue;
            pExistingRef->InternalAddRef();
            pExisting->Copy(pLoadedBar, TRUE);
            pExisting->GetControls()->SetSavedCopy(pExistingRef);
            continue;
        }
        if (pLoadedRef == NULL && pExistingRef != NULL) {
            pExistingRef->InternalAddRef();
            pExisting->Copy(pLoadedBar, TRUE);
            pExisting->GetControls()->SetSavedCopy(pExistingRef);
        } else {
            pExisting->Copy(pLoadedBar, TRUE);
        }
    }
}
