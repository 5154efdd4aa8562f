#include "toolkit/base/ImageListHolder.h"

#include "toolkit/base/ImageIcon.h"

CTKPImageListHolder::CTKPImageListHolder(HIMAGELIST hImageList, UINT nBaseID, BOOL bOwns, CTKPImageManager* pManager)
    : m_hImageList(hImageList), m_bOwns(bOwns), m_nBaseID(nBaseID), m_pManager(pManager)
{
}

CTKPImageListHolder::~CTKPImageListHolder()
{
  RemoveIcons();
  if (m_bOwns && m_hImageList)
    ::ImageList_Destroy(m_hImageList);
}

BOOL CTKPImageListHolder::HoldsID(UINT nID) const
{
  const int count = m_hImageList ? ::ImageList_GetImageCount(m_hImageList) : 0;
  return nID >= m_nBaseID && nID - m_nBaseID < static_cast<UINT>(count);
}

CTKPImageIcon* CTKPImageListHolder::GetIcon(UINT nID)
{
  if (!HoldsID(nID))
    return NULL;
  CTKPImageIcon* pIcon = NULL;
  if (m_mapIcons.Lookup(nID, pIcon))
    return pIcon;
  int cx = 0, cy = 0;
  ::ImageList_GetIconSize(m_hImageList, &cx, &cy);
  pIcon = new CTKPImageIcon(nID, cx, cy, NULL);
  pIcon->m_pImageList = this;
  m_mapIcons.SetAt(nID, pIcon);
  return pIcon;
}

void CTKPImageListHolder::RemoveIcons()
{
  POSITION pos = m_mapIcons.GetStartPosition();
  while (pos) {
    UINT nID;
    CTKPImageIcon* pIcon;
    m_mapIcons.GetNextAssoc(pos, nID, pIcon);
    pIcon->InternalRelease();
  }
  m_mapIcons.RemoveAll();
}
