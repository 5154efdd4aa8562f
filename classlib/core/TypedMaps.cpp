#include "classlib/core/TypedMaps.h"

IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

UINT AFXAPI AfxHashString(LPCTSTR key) {
  UINT nHash = 0;
  if (key != NULL) {
    while (*key) nHash = (nHash << 5) + nHash + (UINT)*key++;
  }
  return nHash;
}
