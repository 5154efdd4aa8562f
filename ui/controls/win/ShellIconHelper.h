#pragma once
// The shell's system image list, the icon index of a file name or of a folder and the name of a
// file type. The shell answers from the name's extension and the attributes alone: no file is
// touched.

#include "classlib/win/AfxWin.h"

#include <commctrl.h>

namespace morvick::ui {

class CShellIconHelper {
 public:
  static HIMAGELIST GetSystemImageList(BOOL small);
  static int GetFileIconIndex(LPCTSTR name, BOOL small);
  static int GetFolderIconIndex(BOOL small);
  static CString GetFileTypeName(LPCTSTR name);
};

}  // namespace morvick::ui
