#include "toolkit/base/ImageIcon.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DisplayDepth.h"
#include "toolkit/base/IconTransform.h"
#include "toolkit/base/ImageIconSet.h"
#include "toolkit/base/ImageListHolder.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/common/IconPixels.h"

#include <commctrl.h>

CTKPImageIcon::CTKPImageIcon(UINT nID, int nWidth, int nHeight, CTKPImageIconSet* pIconSet)
    : m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_bScaled(FALSE), m_pIconSet(pIconSet), m_pImageList(NULL)
{
}

CTKPImageIcon::~CTKPImageIcon() {}

void CTKPImageIcon::ClearDerived()
{
  m_images[stateFaded].Clear();
  m_images[stateShadow].Clear();
  m_images[stateDisabledGenerated].Clear();
}

CTKPIconHandle& CTKPImageIcon::GetFadedIcon()
{
  CTKPIconHandle& faded = m_images[stateFaded];
  const CTKPIconHandle& normal = m_images[stateNormal];
  if (faded.IsEmpty() && !normal.IsEmpty()) {
    if (normal.GetIcon() && CTKPDisplayDepth::GetBitsPerPixel(NULL) <= 8)
      faded.AssignIcon(::CopyIcon(normal.GetIcon()));
    else
      TKPTransformImage(normal, faded, [](BYTE* px) { tkpixels::FadePixel(px); });
  }
  return faded;
}

CTKPIconHandle& CTKPImageIcon::GetShadowIcon()
{
  CTKPIconHandle& shadow = m_images[stateShadow];
  const CTKPIconHandle& hot = GetHotIcon();
  if (shadow.IsEmpty() && !hot.IsEmpty()) {
    const TKColor color = tkpixels::ShadowColor(GetColorManager()->GetColor(31));
    TKPTransformImage(hot, shadow, [color](BYTE* px) { tkpixels::SetPixelColor(px, color); });
  }
  return shadow;
}

CTKPIconHandle& CTKPImageIcon::GetHotIcon()
{
  return m_images[stateHot].IsEmpty() ? m_images[stateNormal] : m_images[stateHot];
}

CTKPIconHandle& CTKPImageIcon::GetCheckedIcon()
{
  return m_images[stateChecked].IsEmpty() ? GetHotIcon() : m_images[stateChecked];
}

CTKPIconHandle& CTKPImageIcon::GetDisabledIcon(BOOL bGenerate)
{
  if (!m_images[stateDisabled].IsEmpty())
    return m_images[stateDisabled];
  if (bGenerate && m_images[stateDisabledGenerated].IsEmpty())
    CreateDisabledIcon();
  return m_images[stateDisabledGenerated];
}

void CTKPImageIcon::CreateDisabledIcon(COLORREF clrFirst, COLORREF clrSecond)
{
  CTKPIconHandle& generated = m_images[stateDisabledGenerated];
  if (!generated.IsEmpty() || m_images[stateNormal].IsEmpty())
    return;
  if (clrFirst == (COLORREF)-1 || clrSecond == (COLORREF)-1)
    TKPTransformImage(m_images[stateNormal], generated, [](BYTE* px) { tkpixels::GreyPixel(px); });
  else
    TKPTransformImage(m_images[stateNormal], generated,
                      [clrFirst, clrSecond](BYTE* px) { tkpixels::TwoColorPixel(px, clrFirst, clrSecond); });
}

void CTKPImageIcon::SetIcon(const CTKPIconHandle& icon)
{
  for (CTKPIconHandle& image : m_images)
    image.Clear();
  m_images[stateNormal].CopyFrom(icon);
  const CSize extent = m_images[stateNormal].GetExtent();
  m_nWidth = extent.cx;
  m_nHeight = extent.cy;
  m_bScaled = FALSE;
  if (m_pIconSet)
    m_pIconSet->DropScaledCopies();
}

void CTKPImageIcon::SetHotIcon(const CTKPIconHandle& icon)
{
  m_images[stateHot].CopyFrom(icon);
  ClearDerived();
}

void CTKPImageIcon::SetCheckedIcon(const CTKPIconHandle& icon)
{
  m_images[stateChecked].CopyFrom(icon);
  ClearDerived();
}

void CTKPImageIcon::SetDisabledIcon(const CTKPIconHandle& icon)
{
  m_images[stateDisabled].CopyFrom(icon);
  ClearDerived();
}

void CTKPImageIcon::Draw(CDC* pDC, CPoint pt, CTKPIconHandle& image, int cx, int cy)
{
  if (cx == 0)
    cx = m_nWidth;
  if (cy == 0)
    cy = m_nWidth ? m_nHeight * cx / m_nWidth : m_nHeight;
  CTKPImageManager* pManager = m_pIconSet ? m_pIconSet->GetManager()
                               : m_pImageList ? m_pImageList->GetManager() : NULL;
  if (pManager == NULL)
    pManager = CTKPImageManager::GetDefault();
  HDC hdc = pDC->GetSafeHdc();

  if (m_pImageList) {
    ::ImageList_DrawEx(m_pImageList->GetImageList(), static_cast<int>(m_nID - m_pImageList->GetBaseID()), hdc, pt.x,
                       pt.y, cx, cy, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    return;
  }
  if (image.GetIcon()) {
    if (pManager->IsDrawReverted())
      ::DrawIconEx(hdc, pt.x + cx, pt.y, image.GetIcon(), -cx, cy, 0, NULL, DI_NORMAL);
    else
      ::DrawIconEx(hdc, pt.x, pt.y, image.GetIcon(), cx, cy, 0, NULL, DI_NORMAL);
    return;
  }
  if (image.GetBitmap() && image.PreparePremultiplied()) {
    const CSize extent = image.GetExtent();
    pManager->DrawAlphaBitmapBlend(hdc, pt, CSize(cx, cy), image.GetPremultipliedBitmap(), extent);
  }
}

void CTKPImageIcon::DrawMonochrome(CDC* pDC, CPoint pt, CTKPIconHandle& image, COLORREF clrBrush)
{
  if (image.GetIcon() == NULL)
    return;
  CTKPImageManager* pManager = m_pIconSet ? m_pIconSet->GetManager() : CTKPImageManager::GetDefault();
  HDC hdc = pDC->GetSafeHdc();
  HBRUSH brush = ::CreateSolidBrush(clrBrush);
  if (!pManager->IsDrawReverted()) {
    ::DrawStateW(hdc, brush, NULL, reinterpret_cast<LPARAM>(image.GetIcon()), 0, pt.x, pt.y, m_nWidth, m_nHeight,
                 DST_ICON | DSS_MONO);
  } else {
    // Mirror the icon into a white bitmap first, then draw that bitmap's shape.
    HDC memory = ::CreateCompatibleDC(hdc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(hdc, m_nWidth, m_nHeight);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::PatBlt(memory, 0, 0, m_nWidth, m_nHeight, WHITENESS);
    ::DrawIconEx(memory, m_nWidth, 0, image.GetIcon(), -m_nWidth, m_nHeight, 0, NULL, DI_NORMAL);
    ::SelectObject(memory, old);
    ::DrawStateW(hdc, brush, NULL, reinterpret_cast<LPARAM>(bitmap), 0, pt.x, pt.y, m_nWidth, m_nHeight,
                 DST_BITMAP | DSS_MONO);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
  }
  ::DeleteObject(brush);
}
