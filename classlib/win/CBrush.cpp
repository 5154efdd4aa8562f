#include "classlib/win/CBrush.h"
#include "classlib/win/CBitmap.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    CreateHatchBrush(nIndex, crColor);
}

CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (pBitmap == nullptr || pBitmap->GetSafeHandle() == nullptr)
        return FALSE;
    return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage)
{
    return Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}
