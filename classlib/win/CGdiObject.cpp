#include "classlib/win/CGdiObject.h"
#include "classlib/win/CBitmap.h"
#include "classlib/win/CBrush.h"
#include "classlib/win/CFont.h"
#include "classlib/win/GdiHandleTable.h"
#include "classlib/win/CPalette.h"
#include "classlib/win/CPen.h"
#include "classlib/win/CRgn.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

namespace {

CGdiObject* MakeWrapper(HGDIOBJ h)
{
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_FONT: return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    case OBJ_REGION: return new CRgn;
    case OBJ_PAL: return new CPalette;
    default: return new CGdiObject;
    }
}

CGdiObject* Wrap(HGDIOBJ h)
{
    CGdiObject* p = MakeWrapper(h);
    p->m_hObject = h;
    return p;
}

void Unwrap(CGdiObject* p)
{
    p->m_hObject = nullptr;
}

CGdiHandleTable<CGdiObject, HGDIOBJ>* MakeTable()
{
    return new CGdiHandleTable<CGdiObject, HGDIOBJ>(Wrap, Unwrap);
}

CGdiHandleTable<CGdiObject, HGDIOBJ>& Table()
{
    static CGdiThreadSlot<CGdiHandleTable<CGdiObject, HGDIOBJ>> slot;
    return slot.Get(MakeTable);
}

// Stock objects belong to the system: a wrapper never deletes them.
bool IsStockObject(HGDIOBJ h)
{
    for (int i = WHITE_BRUSH; i <= DC_PEN; ++i)
        if (::GetStockObject(i) == h)
            return true;
    return false;
}

} // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject::operator HGDIOBJ() const
{
    return this == nullptr ? nullptr : m_hObject;
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    return this == nullptr ? nullptr : m_hObject;
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return Table().FromHandle(hObject);
}

void PASCAL CGdiObject::DeleteTempMap()
{
    Table().DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return FALSE;
    if (m_hObject != nullptr && m_hObject != hObject)
        DeleteObject();
    m_hObject = hObject;
    Table().SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h != nullptr && Table().LookupPermanent(h) == this)
        Table().RemoveHandle(h);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ h = Detach();
    if (IsStockObject(h))
        return TRUE;
    return ::DeleteObject(h);
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return m_hObject ? ::GetObject(m_hObject, nCount, lpObject) : 0;
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject ? ::GetObjectType(m_hObject) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE;
}
