// The drop targets of tabbed containers and side panels: a drag of other data over their tabs
// brings the pane under the cursor forward (when the tab theme selects on drag-over); nothing is
// ever dropped on them.
#pragma once

#include "classlib/win/COleDropTarget.h"
#include "toolkit/docking/DockingPaneDefs.h"

class CTKPDockingPaneDropTarget : public COleDropTarget {
public:
    explicit CTKPDockingPaneDropTarget(CTKPDockingNode* pNode) : m_pNode(pNode) {}

    // Drops arrive without a drag-over under some systems: entering counts as a drag-over.
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

protected:
    CTKPDockingNode* m_pNode;
};
