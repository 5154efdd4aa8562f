// The icons of one command id, one per width.
#pragma once

#include "classlib/core/CMap.h"
#include "classlib/win/AfxWin.h"
#include "toolkit/base/ImageIcon.h"

class CTKPImageManager;

class CTKPImageIconSet : public CCmdTarget
{
public:
  typedef CMap<UINT, UINT, CTKPImageIcon*, CTKPImageIcon*> CIconMap;

  CTKPImageIconSet(UINT nID, CTKPImageManager* pManager);
  ~CTKPImageIconSet() override;

  UINT GetID() const { return m_nID; }
  CTKPImageManager* GetManager() const { return m_pManager; }
  CIconMap& GetIcons() { return m_mapIcons; }

  // The icon of that width, made (height 15) when there is none.
  CTKPImageIcon* GetOrCreateIcon(int nWidth);
  // By state: 0 normal, 1 disabled, 2 hot, 3 checked.
  void SetIcon(const CTKPIconHandle& icon, int nWidth, int nState);
  // The icon of exactly that width; with scale, else the nearest one, scaled once for icons (alpha
  // images and a wanted width of 0 give the nearest itself).
  CTKPImageIcon* GetIcon(int nWidth, BOOL bScale = TRUE);
  void RemoveAll();
  // Releases every icon made by scaling.
  void DropScaledCopies();

protected:
  CIconMap m_mapIcons;
  UINT m_nID;
  CTKPImageManager* m_pManager;
};
