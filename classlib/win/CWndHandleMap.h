// The process-wide map from window handles to the permanent CWnd objects attached to them.
// Any thread may look a handle up; attaching and detaching take the same lock.
#pragma once

#include "classlib/win/AfxWinDefs.h"

class CWnd;

namespace CWndHandleMap {

// Adds hWnd -> pWnd; FALSE when hWnd already has an object.
BOOL Add(HWND hWnd, CWnd* pWnd);
// Removes hWnd when it is mapped to pWnd.
void Remove(HWND hWnd, CWnd* pWnd);
CWnd* Lookup(HWND hWnd);
size_t Count();

}  // namespace CWndHandleMap
