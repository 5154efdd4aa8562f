#include "ui/controls/win/ShellIconHelper.h"

#include <shellapi.h>

namespace morvick::ui {

HIMAGELIST CShellIconHelper::GetSystemImageList(BOOL small) {
  SHFILEINFOW info = {};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"c:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0)));
}

int CShellIconHelper::GetFileIconIndex(LPCTSTR name, BOOL small) {
  SHFILEINFOW info = {};
  SHGetFileInfoW(name != nullptr ? name : L"", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                 SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | (small ? SHGFI_SMALLICON : 0));
  return info.iIcon;
}

int CShellIconHelper::GetFolderIconIndex(BOOL small) {
  SHFILEINFOW info = {};
  SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                 SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | (small ? SHGFI_SMALLICON : 0));
  return info.iIcon;
}

CString CShellIconHelper::GetFileTypeName(LPCTSTR name) {
  SHFILEINFOW info = {};
  SHGetFileInfoW(name != nullptr ? name : L"", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                 SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES);
  info.szTypeName[sizeof(info.szTypeName) / sizeof(info.szTypeName[0]) - 1] = L'\0';
  return CString(info.szTypeName);
}

}  // namespace morvick::ui
