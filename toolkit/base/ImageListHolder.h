// An image list whose images stand for the command ids base .. base + count - 1, with the icons
// made on demand for them.
#pragma once

#include "classlib/core/CMap.h"
#include "classlib/win/AfxWin.h"

#include <commctrl.h>

class CTKPImageIcon;
class CTKPImageManager;

class CTKPImageListHolder : public CCmdTarget
{
public:
  CTKPImageListHolder(HIMAGELIST hImageList, UINT nBaseID, BOOL bOwns, CTKPImageManager* pManager);
  ~CTKPImageListHolder() override;

  HIMAGELIST GetImageList() const { return m_hImageList; }
  UINT GetBaseID() const { return m_nBaseID; }
  CTKPImageManager* GetManager() const { return m_pManager; }
  BOOL HoldsID(UINT nID) const;
  // The icon standing for the id's image; null outside the range.
  CTKPImageIcon* GetIcon(UINT nID);
  // Releases the icons made so far.
  void RemoveIcons();

protected:
  HIMAGELIST m_hImageList;
  BOOL m_bOwns;
  UINT m_nBaseID;
  CMap<UINT, UINT, CTKPImageIcon*, CTKPImageIcon*> m_mapIcons;
  CTKPImageManager* m_pManager;
};
