// What the saved controls of the command bars are made of: the list of bars that go into the
// archive (each held by one reference), and the settings that travel with the exchange.
#pragma once

#include "classlib/core/CArray.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

// The record the exchange carries in m_dwData while bars and controls are saved or loaded.
struct TKPPropExchangeSettings {
    BOOL bOnlyCustomized;        // saving: built-in bars without changes stay out
    BOOL bSaveOriginalControls;  // saving: each collection's reference set goes along
    BOOL bSilent;                // loading: no questions
    CTKPCommandBars* pCommandBars;
};

// The settings of an exchange, or null when it carries none.
inline const TKPPropExchangeSettings* TKPGetExchangeSettings(CTKPPropExchange* pPX);

class CTKPCommandBarList {
public:
    CTKPCommandBarList() {}
    ~CTKPCommandBarList() { RemoveAll(); }

    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    CTKPCommandBar* GetAt(int nIndex) const { return m_arrBars[nIndex]; }
    BOOL Contains(CTKPCommandBar* pBar) const;
    // Appends the bar with one reference; FALSE when it is already listed.
    BOOL Add(CTKPCommandBar* pBar);
    // The first listed bar with the id, or null.
    CTKPCommandBar* FindBar(UINT nID) const;
    void RemoveAll();

protected:
    CArray<CTKPCommandBar*, CTKPCommandBar*> m_arrBars;
};

// The numbers given to popup bars without an id of their own, so that popup controls can name them.
const UINT TKP_FIRST_POPUP_BAR_ID = 0x1000000;

// One bar and, through its controls, the popup bars it reaches. (The manager's list operations,
// CTKPCommandBars::GenerateCommandBarList and the others, build on it.)
void TKPAddCommandBarToList(CTKPCommandBar* pBar, UINT& nNextID, CTKPCommandBarList& list,
    const TKPPropExchangeSettings& settings);

#include "toolkit/common/PropExchange.h"

inline const TKPPropExchangeSettings* TKPGetExchangeSettings(CTKPPropExchange* pPX)
{
    return pPX != NULL ? reinterpret_cast<const TKPPropExchangeSettings*>(pPX->m_dwData) : NULL;
}
