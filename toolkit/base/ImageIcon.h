// One icon of a command at one width, with its state images and the images derived from them.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "classlib/win/AfxWin.h"
#include "toolkit/base/IconHandle.h"

class CTKPImageIconSet;
class CTKPImageListHolder;

class CTKPImageIcon : public CCmdTarget
{
public:
  enum ImageState { stateNormal, stateFaded, stateShadow, stateHot, stateChecked, stateDisabled,
                    stateDisabledGenerated, stateCount };

  CTKPImageIcon(UINT nID, int nWidth, int nHeight, CTKPImageIconSet* pIconSet);
  ~CTKPImageIcon() override;

  UINT GetID() const { return m_nID; }
  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }
  BOOL IsScaled() const { return m_bScaled; }
  // The size the images are drawn at when the caller gives none (SetIcon takes the record's own).
  void SetSize(int nWidth, int nHeight)
  {
    m_nWidth = nWidth;
    m_nHeight = nHeight;
  }
  BOOL IsAlpha() const { return m_images[stateNormal].IsAlpha(); }

  CTKPIconHandle& GetIcon() { return m_images[stateNormal]; }
  // Made from the normal image on first use.
  CTKPIconHandle& GetFadedIcon();
  // Made from the hot image on first use.
  CTKPIconHandle& GetShadowIcon();
  CTKPIconHandle& GetHotIcon();
  CTKPIconHandle& GetCheckedIcon();
  BOOL HasDisabledIcon() const { return !m_images[stateDisabled].IsEmpty(); }
  // The explicit disabled image, else the generated one (made in grey first when asked).
  CTKPIconHandle& GetDisabledIcon(BOOL bGenerate = TRUE);

  // Replaces every image by the record as the normal one; the set drops its scaled copies.
  void SetIcon(const CTKPIconHandle& icon);
  void SetHotIcon(const CTKPIconHandle& icon);
  void SetCheckedIcon(const CTKPIconHandle& icon);
  void SetDisabledIcon(const CTKPIconHandle& icon);
  // The generated disabled image: grey for (-1, -1), else dark pixels take the second colour and
  // light ones the first. Made only while the generated image is empty.
  void CreateDisabledIcon(COLORREF clrFirst = (COLORREF)-1, COLORREF clrSecond = (COLORREF)-1);

  // cx of 0 is the icon's width; cy of 0 keeps the proportions.
  void Draw(CDC* pDC, CPoint pt, CTKPIconHandle& image, int cx = 0, int cy = 0);
  // The image's shape in one colour (icons only).
  void DrawMonochrome(CDC* pDC, CPoint pt, CTKPIconHandle& image, COLORREF clrBrush);

  void Serialize(CArchive& ar) override;

  // Drops the faded, shadow and generated disabled images (made again on their next use).
  void ClearDerived();

protected:
  friend class CTKPImageIconSet;
  friend class CTKPImageListHolder;

  UINT m_nID;
  int m_nWidth;
  int m_nHeight;
  CTKPIconHandle m_images[stateCount];
  BOOL m_bScaled;
  CTKPImageIconSet* m_pIconSet;
  CTKPImageListHolder* m_pImageList;
};
