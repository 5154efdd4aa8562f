// Saving and loading the image manager's icons through the settings exchange, and the clipboard.
#include "toolkit/base/ImageManager.h"

#include "classlib/core/CMemFile.h"
#include "toolkit/common/PropExchangeArchive.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

const wchar_t kCheckSum[] = L"CTKPImageManagerIcons";

struct ReleaseIcon
{
  void operator()(CTKPImageIcon* pIcon) const { pIcon->InternalRelease(); }
};

}  // namespace

void CTKPImageManager::ExchangeIcons(UINT nID, CTKPPropExchange* pPX)
{
  if (nID > m_nCustomID)
    m_nCustomID = nID;

  if (pPX->IsLoading()) {
    LoadIcons(nID, pPX);
    return;
  }

  CString strCheckSum = kCheckSum;
  PropExchangeString(pPX, L"CheckSum", strCheckSum, NULL);
  CTKPImageIconSet* pSet = LookupIconSet(nID);
  std::vector<CTKPImageIcon*> icons;
  if (pSet) {
    POSITION pos = pSet->GetIcons().GetStartPosition();
    while (pos) {
      UINT width;
      CTKPImageIcon* pIcon;
      pSet->GetIcons().GetNextAssoc(pos, width, pIcon);
      if (!pIcon->IsScaled())
        icons.push_back(pIcon);
    }
  }
  std::unique_ptr<CTKPPropSectionEnumerator> pEnum(pPX->GetEnumerator(L"Icon"));
  DWORD count = static_cast<DWORD>(icons.size());
  DWORD_PTR pos = pEnum->BeginEnum(count);
  for (CTKPImageIcon* pIcon : icons) {
    if (!pos)
      break;
    std::unique_ptr<CTKPPropExchange> pSection(pEnum->NextSection(pos));
    int width = pIcon->GetWidth();
    PropExchangeInt(pSection.get(), L"Width", width, 16);
    PropExchangeSerialize(pSection.get(), L"Data", pIcon);
  }
}

BOOL CTKPImageManager::LoadIcons(UINT nID, CTKPPropExchange* pPX)
{
  CString strCheckSum;
  PropExchangeString(pPX, L"CheckSum", strCheckSum, kCheckSum);
  if (strCheckSum != kCheckSum)
    AfxThrowArchiveException(CArchiveException::badClass);

  CTKPImageIconSet* pSet = LookupIconSet(nID);
  if (pSet == NULL) {
    pSet = new CTKPImageIconSet(nID, this);
    m_mapImages.SetAt(nID, pSet);
  } else {
    pSet->RemoveAll();
  }

  BOOL bAllRead = TRUE;
  std::unique_ptr<CTKPPropSectionEnumerator> pEnum(pPX->GetEnumerator(L"Icon"));
  DWORD count = 0;
  DWORD_PTR pos = pEnum->BeginEnum(count);
  while (pos) {
    std::unique_ptr<CTKPPropExchange> pSection(pEnum->NextSection(pos));
    int width = 16;
    PropExchangeInt(pSection.get(), L"Width", width, 16);
    // Held here until the set takes it, so that a load that throws in between leaves nothing behind.
    std::unique_ptr<CTKPImageIcon, ReleaseIcon> pIcon(new CTKPImageIcon(nID, width, 15, pSet));
    if (!PropExchangeSerialize(pSection.get(), L"Data", pIcon.get()))
      bAllRead = FALSE;
    CTKPImageIcon* pOld = NULL;
    const BOOL bReplaces = pSet->GetIcons().Lookup(static_cast<UINT>(width), pOld);
    pSet->GetIcons().SetAt(static_cast<UINT>(width), pIcon.get());
    pIcon.release();
    if (bReplaces)
      pOld->InternalRelease();  // a second entry of one width replaces the first
  }
  return bAllRead;
}

void CTKPImageManager::RemoveIconSet(UINT nID)
{
  CTKPImageIconSet* pSet = LookupIconSet(nID);
  if (pSet == NULL)
    return;
  m_mapImages.RemoveKey(nID);
  pSet->InternalRelease();
}

void CTKPImageManager::Serialize(CArchive& ar)
{
  CTKPPropExchangeArchive px(ar);
  std::unique_ptr<CTKPPropSectionEnumerator> pEnum(px.GetEnumerator(L"IconSet"));
  if (ar.IsStoring()) {
    std::vector<UINT> ids;
    POSITION pos = m_mapImages.GetStartPosition();
    while (pos) {
      UINT nID;
      CTKPImageIconSet* pSet;
      m_mapImages.GetNextAssoc(pos, nID, pSet);
      ids.push_back(nID);
    }
    DWORD count = static_cast<DWORD>(ids.size());
    DWORD_PTR enumPos = pEnum->BeginEnum(count);
    for (UINT nID : ids) {
      if (!enumPos)
        break;
      std::unique_ptr<CTKPPropExchange> pSection(pEnum->NextSection(enumPos));
      int id = static_cast<int>(nID);
      PropExchangeInt(pSection.get(), L"Id", id, 0);
      ExchangeIcons(nID, pSection.get());
    }
    return;
  }
  RemoveAll();
  DWORD count = 0;
  DWORD_PTR enumPos = pEnum->BeginEnum(count);
  while (enumPos) {
    std::unique_ptr<CTKPPropExchange> pSection(pEnum->NextSection(enumPos));
    int id = 0;
    PropExchangeInt(pSection.get(), L"Id", id, 0);
    ExchangeIcons(static_cast<UINT>(id), pSection.get());
  }
}

BOOL CTKPImageManager::CopyIconToClipboard(UINT nID)
{
  CMemFile file(1024);
  DWORD length = 0;
  {
    CArchive ar(&file, CArchive::store, 4096);
    CTKPPropExchangeArchive px(ar);
    ExchangeIcons(nID, &px);
    ar.Close();
  }
  length = static_cast<DWORD>(file.GetLength());
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, length ? length : 1);
  if (hGlobal == NULL)
    return FALSE;
  void* p = ::GlobalLock(hGlobal);
  if (length)
    std::memcpy(p, file.GetBufferPtr(), length);
  ::GlobalUnlock(hGlobal);
  if (::SetClipboardData(GetToolBarImageFormat(), hGlobal) == NULL) {
    ::GlobalFree(hGlobal);
    return FALSE;
  }
  return TRUE;
}

UINT CTKPImageManager::PasteIconFromClipboard(IDataObject* pDataObject)
{
  if (pDataObject == NULL)
    return 0;
  FORMATETC format = {static_cast<CLIPFORMAT>(GetToolBarImageFormat()), NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (FAILED(pDataObject->GetData(&format, &medium)))
    return 0;
  const UINT nID = medium.tymed == TYMED_HGLOBAL ? PasteIconFromGlobal(medium.hGlobal) : 0;
  ::ReleaseStgMedium(&medium);
  return nID;
}

UINT CTKPImageManager::PasteIconFromGlobal(HGLOBAL hGlobal)
{
  const SIZE_T size = hGlobal ? ::GlobalSize(hGlobal) : 0;
  const BYTE* p = size ? static_cast<const BYTE*>(::GlobalLock(hGlobal)) : NULL;
  if (p == NULL)
    return 0;
  std::vector<BYTE> bytes(p, p + size);
  ::GlobalUnlock(hGlobal);

  const UINT nPreviousID = m_nCustomID;
  const UINT nID = ++m_nCustomID;
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  BOOL bLoaded = FALSE;
  {
    CArchive ar(&file, CArchive::load, 4096);
    try {
      CTKPPropExchangeArchive px(ar);
      bLoaded = LoadIcons(nID, &px);
    } catch (CException* e) {
      e->Delete();
    } catch (const std::bad_alloc&) {
    }
    ar.Abort();
  }
  file.Detach();

  // Damaged or cut data, or data without a single icon, is no paste: nothing stays under the id
  // and the id is given back.
  CTKPImageIconSet* pSet = LookupIconSet(nID);
  if (!bLoaded || pSet == NULL || pSet->GetIcons().IsEmpty()) {
    RemoveIconSet(nID);
    if (m_nCustomID == nID)
      m_nCustomID = nPreviousID;
    return 0;
  }
  return nID;
}
