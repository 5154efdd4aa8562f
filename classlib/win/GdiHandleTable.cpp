#include "classlib/win/GdiHandleTable.h"
#include "classlib/win/CDC.h"
#include "classlib/win/CGdiObject.h"
#include "classlib/win/CImageList.h"
#include "classlib/win/CMenu.h"

void AfxDeleteTempGdiMaps()
{
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
}
