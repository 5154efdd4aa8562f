// The node that arranges its children side by side (horizontal) or one above the other, with a
// splitter bar window between each two visible neighbours. The root of every arrangement and of
// every floating window is one.
#pragma once

#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockingNode.h"

#include <vector>

class CTKPDockingPaneSplitterBar;

class CTKPDockingPaneSplitContainer : public CTKPDockingNode {
public:
    explicit CTKPDockingPaneSplitContainer(CTKPDockingPaneArrangement* pArrangement);
    ~CTKPDockingPaneSplitContainer() override;

    virtual CTKPDockingPaneSplitterBar* CreateSplitterBar();

    // The site, the orientation and the first child, whose docking size it takes.
    void Init(CTKPDockingNode* pFirst, BOOL bHorizontal, CWnd* pSite);
    // After the neighbour (at the end when it is null or no child) or before it (at the start).
    void InsertChild(CTKPDockingNode* pNode, CTKPDockingNode* pNeighbour, BOOL bAfter);
    void ReplaceChild(CTKPDockingNode* pOld, CTKPDockingNode* pNew);
    BOOL IsBefore(CTKPDockingNode* pChild, CTKPDockingNode* pReference) const;
    // The non-empty direct children of a type.
    void CollectChildren(int nType, CTKPDockingNodeList& list);
    BOOL IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(BOOL bHorizontal) { m_bHorizontal = bHorizontal; }
    void CopyFrom(CTKPDockingPaneSplitContainer* pSource, CTKPDockingNodeMap* pMap);

    // The screen rectangle a node would get inserted next to a child on a side (mirrored for
    // right-to-left layout).
    void CalcDockingRect(LPRECT lpResult, CTKPDockingNode* pNode, int nSide, CTKPDockingNode* pNeighbour);
    // The same for a split of a neighbour that does not exist yet (the side is not mirrored).
    static void CalcSplitRect(LPRECT lpResult, CTKPDockingNode* pNeighbour, CTKPDockingNode* pNode, int nSide);

    // Rebuilds the bars between visible children (not while laying out).
    void RebuildSplitterBars();
    int GetSplitterBarCount() const { return static_cast<int>(m_lstBars.GetCount()); }
    CTKPDockingPaneSplitterBar* GetSplitterBar(int nIndex) const;

    // CTKPDockingNode
    BOOL ContainsNode(CTKPDockingNode* pNode) override;
    void CollectNodes(int nType, CTKPDockingNodeList& list) override;
    void GetMinMaxInfo(MINMAXINFO* pInfo) override;
    void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout) override;
    void OnChildChanged(CTKPDockingNode* pNode) override;
    void OnParentAttached(CTKPDockingNode* pParent) override;
    CTKPDockingNode* CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD dwFlags) override;
    void RemoveChild(CTKPDockingNode* pNode) override;
    BOOL IsEmpty() override;
    void SaveRecord(TKPDockNodeRecord& record) override;
    BOOL LoadRecord(const TKPDockNodeRecord& record, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes) override;

    CTKPDockingNodeList m_lstChildren;

protected:
    // The working lengths of the children along the direction; with bUpdate the client child's
    // docking size follows.
    tkdock::SplitTotals CalcLengths(CArray<CTKPDockingNode*, CTKPDockingNode*>& children, CRect rect,
        BOOL bHorizontal, BOOL bUpdate, std::vector<tkdock::SplitItem>& items);
    int GetSplitterWidth() const;
    void DeleteSplitterBars();

    CList<CTKPDockingPaneSplitterBar*, CTKPDockingPaneSplitterBar*> m_lstBars;
    BOOL m_bHorizontal;
    int m_nLayoutGuard;
};
