#include "toolkit/base/WindowPlacement.h"

#include "toolkit/base/ProfileStore.h"

#include <cstring>

namespace {

const wchar_t kDefaultSection[] = L"Settings";
const wchar_t kDefaultEntry[] = L"Window Position";
const UINT kRecordSize = 44;
const UINT kValueSize = 48;

static_assert(sizeof(WINDOWPLACEMENT) == kRecordSize, "the stored record is the platform's placement");

}  // namespace

CTKWindowPlacement::CTKWindowPlacement() : m_dwReserved(0)
{
  std::memset(&m_placement, 0, sizeof(m_placement));
  m_placement.length = kRecordSize;
  m_placement.showCmd = SW_SHOW;
}

BOOL CTKWindowPlacement::SaveWindowPos(CWnd* pWnd, LPCTSTR lpszEntry, LPCTSTR lpszSection)
{
  HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : NULL;
  m_placement.length = kRecordSize;
  if (!::IsWindow(hWnd) || !::GetWindowPlacement(hWnd, &m_placement))
    return FALSE;
  if (m_placement.showCmd != SW_SHOWMAXIMIZED)
    m_placement.showCmd = SW_SHOWNORMAL;

  BYTE value[kValueSize] = {};
  std::memcpy(value + 4, &m_placement, kRecordSize);
  CTKProfileStore store(HKEY_CURRENT_USER);
  store.WriteBinary(lpszSection ? lpszSection : kDefaultSection, lpszEntry ? lpszEntry : kDefaultEntry, value,
                    kValueSize);
  return TRUE;
}

BOOL CTKWindowPlacement::LoadWindowPos(CWnd* pWnd, LPCTSTR lpszEntry, LPCTSTR lpszSection)
{
  HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : NULL;
  if (!::IsWindow(hWnd) || !ReadPlacement(lpszEntry, lpszSection))
    return FALSE;
  m_placement.length = kRecordSize;
  ::SetWindowPlacement(hWnd, &m_placement);
  return TRUE;
}

BOOL CTKWindowPlacement::ReadPlacement(LPCTSTR lpszEntry, LPCTSTR lpszSection)
{
  CTKProfileStore store(HKEY_CURRENT_USER);
  BYTE* pData = NULL;
  UINT nBytes = 0;
  if (!store.ReadBinary(lpszSection ? lpszSection : kDefaultSection, lpszEntry ? lpszEntry : kDefaultEntry, &pData,
                        &nBytes))
    return FALSE;
  // The record is the 44 bytes after the leading word, whatever follows them; a shorter value is
  // refused, since copying the record would read past its end.
  const BOOL bResult = nBytes >= kValueSize;
  if (bResult) {
    std::memcpy(&m_placement, pData + 4, kRecordSize);
    m_placement.length = kRecordSize;
  }
  delete[] pData;
  return bResult;
}
