// The OLE verbs of a menu: a placeholder that, while the active view's document has one OLE item
// selected, stands aside for a popup of that item's verbs (commands 0xE210 to 0xE21F).
#pragma once

#include "toolkit/commandbars/ControlPlaceholder.h"

class COleClientItem;

class CTKPControlOleItems : public CTKPControlPlaceholder {
    DECLARE_SERIAL(CTKPControlOleItems)
public:
    CTKPControlOleItems();

    void OnCalcDynamicSize(DWORD dwMode) override;

protected:
    // The item selected in the active view of the bar's frame when that view shows an OLE document.
    COleClientItem* GetSelectedItem() const;
};
