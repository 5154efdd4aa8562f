// CGdiObject: the common base of the wrappers of GDI pens, brushes, fonts, bitmaps, regions and
// palettes. It owns m_hObject and deletes it on destruction unless it was detached.
#pragma once

#include "classlib/core/AfxCore.h"
#include "classlib/win/Geometry.h"

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject;

    CGdiObject() : m_hObject(nullptr) {}
    virtual ~CGdiObject();

    // Both accept a NULL object and give NULL; they are compiled out of line, where the compiler
    // keeps the test of this.
    operator HGDIOBJ() const;
    HGDIOBJ GetSafeHandle() const;

    // The permanent wrapper of hObject, or a temporary one of the class matching the object's
    // type (a CPen for a pen, a CFont for a font...). NULL for a NULL handle.
    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
    static void PASCAL DeleteTempMap();

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();

    BOOL operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
    BOOL operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }

private:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
};
