#include "toolkit/base/ImageIconSet.h"

#include "toolkit/base/ImageManager.h"

#include <cstdlib>

CTKPImageIconSet::CTKPImageIconSet(UINT nID, CTKPImageManager* pManager) : m_mapIcons(10), m_nID(nID), m_pManager(pManager)
{
  m_mapIcons.InitHashTable(17);
}

CTKPImageIconSet::~CTKPImageIconSet() { RemoveAll(); }

CTKPImageIcon* CTKPImageIconSet::GetOrCreateIcon(int nWidth)
{
  CTKPImageIcon* pIcon = NULL;
  if (m_mapIcons.Lookup(static_cast<UINT>(nWidth), pIcon))
    return pIcon;
  pIcon = new CTKPImageIcon(m_nID, nWidth, 15, this);
  m_mapIcons.SetAt(static_cast<UINT>(nWidth), pIcon);
  return pIcon;
}

void CTKPImageIconSet::SetIcon(const CTKPIconHandle& icon, int nWidth, int nState)
{
  CTKPImageIcon* pIcon = GetOrCreateIcon(nWidth);
  switch (nState) {
  case 0: pIcon->SetIcon(icon); break;
  case 1: pIcon->SetDisabledIcon(icon); break;
  case 2: pIcon->SetHotIcon(icon); break;
  case 3: pIcon->SetCheckedIcon(icon); break;
  default: break;
  }
}

CTKPImageIcon* CTKPImageIconSet::GetIcon(int nWidth, BOOL bScale)
{
  CTKPImageIcon* pIcon = NULL;
  if (m_mapIcons.Lookup(static_cast<UINT>(nWidth), pIcon))
    return pIcon;
  if (!bScale)
    return NULL;

  CTKPImageIcon* pNearest = NULL;
  int nBest = 0;
  POSITION pos = m_mapIcons.GetStartPosition();
  while (pos) {
    UINT width;
    CTKPImageIcon* pCandidate;
    m_mapIcons.GetNextAssoc(pos, width, pCandidate);
    const int difference = std::abs(static_cast<int>(width) - nWidth);
    if (pNearest == NULL || difference < nBest) {
      pNearest = pCandidate;
      nBest = difference;
    }
  }
  if (pNearest == NULL || pNearest->IsAlpha() || nWidth == 0)
    return pNearest;

  CTKPImageIcon* pScaled = new CTKPImageIcon(m_nID, nWidth, 15, this);
  const CSize size(pNearest->m_nWidth, pNearest->m_nHeight);
  const CTKPImageIcon::ImageState states[] = {CTKPImageIcon::stateNormal, CTKPImageIcon::stateHot,
                                              CTKPImageIcon::stateChecked, CTKPImageIcon::stateDisabled};
  for (CTKPImageIcon::ImageState state : states) {
    HICON hIcon = pNearest->m_images[state].GetIcon();
    if (hIcon)
      pScaled->m_images[state].AssignIcon(CTKPImageManager::ScaleIcon(hIcon, size, nWidth));
  }
  pScaled->m_nHeight = size.cx ? MulDiv(size.cy, nWidth, size.cx) : size.cy;
  pScaled->m_bScaled = TRUE;
  m_mapIcons.SetAt(static_cast<UINT>(nWidth), pScaled);
  return pScaled;
}

void CTKPImageIconSet::RemoveAll()
{
  POSITION pos = m_mapIcons.GetStartPosition();
  while (pos) {
    UINT width;
    CTKPImageIcon* pIcon;
    m_mapIcons.GetNextAssoc(pos, width, pIcon);
    pIcon->InternalRelease();
  }
  m_mapIcons.RemoveAll();
}

void CTKPImageIconSet::DropScaledCopies()
{
  POSITION pos = m_mapIcons.GetStartPosition();
  while (pos) {
    UINT width;
    CTKPImageIcon* pIcon;
    m_mapIcons.GetNextAssoc(pos, width, pIcon);
    if (pIcon->IsScaled()) {
      m_mapIcons.RemoveKey(width);
      pIcon->InternalRelease();
    }
  }
}
