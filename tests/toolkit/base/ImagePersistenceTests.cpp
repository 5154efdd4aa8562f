#include "toolkit/base/ImageManager.h"
#include "toolkit/base/PropExchangeRegistry.h"
#include "toolkit/common/PropExchangeArchive.h"

#include "DibCanvas.h"
#include "LiveAllocations.h"
#include "TestRegistryKey.h"

#include "classlib/core/CMemFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Manager
{
  Manager() : p(new CTKPImageManager) {}
  ~Manager() { p->InternalRelease(); }
  CTKPImageManager* operator->() { return p; }
  CTKPImageManager* p;
};

std::vector<BYTE> SaveManager(CTKPImageManager* pManager)
{
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    pManager->Serialize(ar);
    ar.Close();
  }
  const BYTE* p = file.GetBufferPtr();
  return std::vector<BYTE>(p, p + static_cast<size_t>(file.GetLength()));
}

void LoadManager(CTKPImageManager* pManager, std::vector<BYTE> bytes)
{
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  pManager->Serialize(ar);
  ar.Close();
  file.Detach();
}

// The icons of one id as the clipboard holds them.
std::vector<BYTE> IconBytes(CTKPImageManager* pManager, UINT nID)
{
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CTKPPropExchangeArchive px(ar);
    pManager->ExchangeIcons(nID, &px);
    ar.Close();
  }
  const BYTE* p = file.GetBufferPtr();
  return std::vector<BYTE>(p, p + static_cast<size_t>(file.GetLength()));
}

HGLOBAL GlobalOf(const std::vector<BYTE>& bytes)
{
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
  std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
  GlobalUnlock(h);
  return h;
}

// An archive exchange whose image data cannot be opened: as when memory runs out there.
class FailingDataExchange : public CTKPPropExchangeArchive
{
public:
  explicit FailingDataExchange(CArchive& ar) : CTKPPropExchangeArchive(ar) {}
  CTKPPropExchange* GetSection(LPCTSTR) override
  {
    FailingDataExchange* pSection = new FailingDataExchange(m_ar);
    pSection->InheritSettings(this);
    return pSection;
  }
  CArchive* OpenArchive(LPCTSTR) override { AfxThrowMemoryException(); }
};

COLORREF DrawnAt(CTKPImageIcon* icon, CTKPIconHandle& image, int x, int y)
{
  DibCanvas canvas(32, 32, RGB(0, 128, 0));
  icon->Draw(canvas.DC(), CPoint(0, 0), image);
  return canvas.Pixel(x, y);
}

}  // namespace

TEST(ImagePersistence, IconsComeBackWithTheirPixelsButNotScaledCopies)
{
  Manager saved;
  ASSERT_TRUE(saved->SetIconsFromToolBar(300));
  const UINT alphaIds[] = {200, 201};
  ASSERT_TRUE(saved->SetIconsFromBitmap(301, alphaIds, 2, CSize(16, 16)));
  // A hot and a checked image for 100, and a scaled copy that must not be written.
  saved->SetIcon(saved->GetImage(102, 16)->GetIcon(), 100, CSize(0, 0), 2);
  saved->SetIcon(saved->GetImage(101, 16)->GetIcon(), 100, CSize(0, 0), 3);
  ASSERT_TRUE(saved->GetImage(100, 24)->IsScaled());

  Manager loaded;
  LoadManager(loaded.p, SaveManager(saved.p));
  CTKPImageIconSet* set = loaded->LookupIconSet(100);
  ASSERT_NE(nullptr, set);
  EXPECT_EQ(1, set->GetIcons().GetCount());
  CTKPImageIcon* icon = loaded->GetImage(100, 16);
  EXPECT_EQ(RGB(255, 0, 0), DrawnAt(icon, icon->GetIcon(), 8, 8));
  EXPECT_EQ(RGB(0, 128, 0), DrawnAt(icon, icon->GetIcon(), 0, 0));
  EXPECT_EQ(RGB(0, 0, 255), DrawnAt(icon, icon->GetHotIcon(), 8, 8));
  EXPECT_EQ(RGB(0, 255, 0), DrawnAt(icon, icon->GetCheckedIcon(), 8, 8));
  CTKPImageIcon* alpha = loaded->GetImage(201, 16);
  ASSERT_NE(nullptr, alpha);
  EXPECT_TRUE(alpha->IsAlpha());
  DibCanvas canvas(16, 16, RGB(0, 0, 0));
  alpha->Draw(canvas.DC(), CPoint(0, 0), alpha->GetIcon());
  EXPECT_TRUE(ColorNear(RGB(128, 128, 128), canvas.Pixel(4, 4), 2));
  // Loading raised the custom counter past the highest id only when it was larger.
  EXPECT_EQ(0x10AAAu, loaded->GetCustomIDCounter());
}

TEST(ImagePersistence, OldVersionsHaveNoCheckedImage)
{
  Manager saved;
  ASSERT_TRUE(saved->SetIconsFromToolBar(300));
  saved->SetIcon(saved->GetImage(101, 16)->GetIcon(), 100, CSize(0, 0), 3);
  // Write one icon's data by hand with version 7: four image records are written, the reader
  // takes three and leaves the checked one out.
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CTKPImageIcon* icon = saved->GetImage(100, 16);
    icon->Serialize(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes(file.GetBufferPtr(), file.GetBufferPtr() + file.GetLength());
  ASSERT_EQ(16, bytes[4]);
  bytes[4] = 7;
  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&in, CArchive::load);
  CTKPImageIcon* copy = new CTKPImageIcon(100, 16, 15, nullptr);
  copy->Serialize(ar);
  ar.Close();
  in.Detach();
  EXPECT_EQ(copy->GetHotIcon().GetIcon(), copy->GetCheckedIcon().GetIcon());
  EXPECT_EQ(16, copy->GetHeight());
  copy->InternalRelease();
}

TEST(ImagePersistence, ABadCheckSumIsABadClass)
{
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CTKPPropExchangeArchive px(ar);
    CString other = _T("SomethingElse");
    PropExchangeString(&px, _T("CheckSum"), other, NULL);
    ar.Close();
  }
  std::vector<BYTE> bytes(file.GetBufferPtr(), file.GetBufferPtr() + file.GetLength());
  CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&in, CArchive::load);
  CTKPPropExchangeArchive px(ar);
  Manager m;
  int cause = -1;
  try {
    m->ExchangeIcons(5, &px);
  } catch (CArchiveException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(CArchiveException::badClass, cause);
  ar.Abort();
  in.Detach();
}

TEST(ImagePersistence, LoadingReplacesAnIdsIcons)
{
  Manager m;
  ASSERT_TRUE(m->SetIconsFromToolBar(300));
  m->GetImage(100, 24);  // a scaled copy
  TestRegistryKey key(L"Icons");
  {
    CTKPPropExchangeRegistry px(FALSE, key.Key(), L"Custom");
    m->ExchangeIcons(101, &px);  // green under 101
  }
  EXPECT_EQ(L"CTKPImageManagerIcons", key.Text(L"Custom", L"CheckSum"));
  EXPECT_EQ(1u, key.Dword(L"Custom", L"Count"));
  EXPECT_EQ(0u, key.Raw(L"Custom\\Icon0", L"Width"));  // 16 is the default: not written
  std::vector<BYTE> data;
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), key.Raw(L"Custom\\Icon0", L"Data", &data));

  CTKPPropExchangeRegistry px(TRUE, key.Key(), L"Custom");
  m->ExchangeIcons(100, &px);
  CTKPImageIcon* icon = m->GetImage(100, 16);
  EXPECT_EQ(RGB(0, 255, 0), DrawnAt(icon, icon->GetIcon(), 8, 8));
  EXPECT_EQ(1, m->LookupIconSet(100)->GetIcons().GetCount());
}

TEST(ImagePersistence, PastedIconsTakeNewCustomIds)
{
  Manager m;
  ASSERT_TRUE(m->SetIconsFromToolBar(300));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_TRUE(m->CopyIconToClipboard(102));
  HANDLE data = GetClipboardData(CTKPImageManager::GetToolBarImageFormat());
  ASSERT_NE(nullptr, data);
  const UINT first = m->PasteIconFromGlobal(data);
  const UINT second = m->PasteIconFromGlobal(data);
  CloseClipboard();
  EXPECT_EQ(0x10AABu, first);
  EXPECT_EQ(0x10AACu, second);
  CTKPImageIcon* icon = m->GetImage(second, 16);
  ASSERT_NE(nullptr, icon);
  EXPECT_EQ(RGB(0, 0, 255), DrawnAt(icon, icon->GetIcon(), 8, 8));
  EXPECT_EQ(0u, m->PasteIconFromClipboard(nullptr));
  EXPECT_NE(CTKPImageManager::GetToolBarImageFormat(), CTKPImageManager::GetAlphaBitmapFormat());
}

TEST(ImagePersistence, DamagedClipboardDataIsRefused)
{
  Manager m;
  ASSERT_TRUE(m->SetIconsFromToolBar(300));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_TRUE(m->CopyIconToClipboard(100));
  HANDLE data = GetClipboardData(CTKPImageManager::GetToolBarImageFormat());
  ASSERT_NE(nullptr, data);
  const SIZE_T size = GlobalSize(data);
  std::vector<BYTE> whole(static_cast<const BYTE*>(GlobalLock(data)), static_cast<const BYTE*>(GlobalLock(data)) + size);
  GlobalUnlock(data);
  GlobalUnlock(data);
  CloseClipboard();

  // Cut at several places: every cut is refused. With bytes flipped as well, a paste is refused or
  // gives a set of icons that draw. A refused paste leaves no set behind and gives its id back.
  UINT next = 0x10AAB;
  for (SIZE_T cut : {SIZE_T(1), SIZE_T(10), size / 3, size / 2, size - 1}) {
    for (int flip = 0; flip < 2; ++flip) {
      std::vector<BYTE> bytes(whole.begin(), whole.begin() + cut);
      if (flip)
        for (size_t i = 0; i < bytes.size(); i += 7)
          bytes[i] ^= 0x5A;
      HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
      std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
      GlobalUnlock(h);
      const UINT id = m->PasteIconFromGlobal(h);
      GlobalFree(h);
      if (!flip)
        EXPECT_EQ(0u, id) << "cut at " << cut << " of " << size;
      if (id == 0) {
        EXPECT_EQ(nullptr, m->LookupIconSet(next)) << cut;
        continue;
      }
      EXPECT_EQ(next, id);
      ++next;
      CTKPImageIconSet* set = m->LookupIconSet(id);
      ASSERT_NE(nullptr, set);
      EXPECT_FALSE(set->GetIcons().IsEmpty());
      if (CTKPImageIcon* icon = m->GetImage(id, 16)) {
        DibCanvas canvas(32, 32);
        icon->Draw(canvas.DC(), CPoint(0, 0), icon->GetIcon());
      }
    }
  }
  // The whole data still pastes, under the next id.
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, whole.size());
  std::memcpy(GlobalLock(h), whole.data(), whole.size());
  GlobalUnlock(h);
  EXPECT_EQ(next, m->PasteIconFromGlobal(h));
  GlobalFree(h);
}

TEST(ImagePersistence, ALoadThatFailsPartwayKeepsNoHalfMadeIcon)
{
  Manager m;
  ASSERT_TRUE(m->SetIconsFromToolBar(300));
  std::vector<BYTE> bytes = IconBytes(m.p, 100);
  auto loadFailing = [&]() {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    BOOL bThrown = FALSE;
    {
      CArchive ar(&file, CArchive::load);
      FailingDataExchange px(ar);
      try {
        m->ExchangeIcons(100, &px);
      } catch (CMemoryException* e) {
        e->Delete();
        bThrown = TRUE;
      }
      ar.Abort();
    }
    file.Detach();
    return bThrown;
  };
  ASSERT_TRUE(loadFailing());
  const std::ptrdiff_t live = LiveAllocations();
  for (int i = 0; i < 5; ++i)
    ASSERT_TRUE(loadFailing());
  EXPECT_EQ(live, LiveAllocations());
}

TEST(ImagePersistence, AFailedPasteLeavesNothingUnderTheIdItTook)
{
  Manager m;
  ASSERT_TRUE(m->SetIconsFromToolBar(300));
  const std::vector<BYTE> whole = IconBytes(m.p, 100);
  // Cut inside the image data, and cut before any icon.
  for (size_t cut : {whole.size() - 1, whole.size() / 2, size_t(48)}) {
    SCOPED_TRACE(cut);
    HGLOBAL h = GlobalOf(std::vector<BYTE>(whole.begin(), whole.begin() + cut));
    EXPECT_EQ(0u, m->PasteIconFromGlobal(h));
    GlobalFree(h);
    EXPECT_EQ(nullptr, m->LookupIconSet(0x10AAB));
    EXPECT_EQ(0x10AAAu, m->GetCustomIDCounter());
  }
  HGLOBAL h = GlobalOf(whole);
  EXPECT_EQ(0x10AABu, m->PasteIconFromGlobal(h));
  GlobalFree(h);
  CTKPImageIcon* icon = m->GetImage(0x10AAB, 16);
  ASSERT_NE(nullptr, icon);
  EXPECT_EQ(RGB(255, 0, 0), DrawnAt(icon, icon->GetIcon(), 8, 8));
}
