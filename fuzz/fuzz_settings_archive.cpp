// Damaged settings archives: every value reads as stored or raises the archive's exception, nothing
// is read out of bounds, and counts in the stream never make a caller loop without end.
#include "toolkit/common/BitmapBlock.h"
#include "toolkit/common/PropExchangeArchive.h"

#include "classlib/core/CException.h"
#include "classlib/core/CMemFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class CFuzzItem : public CObject
{
  DECLARE_SERIAL(CFuzzItem)
public:
  void Serialize(CArchive& ar) override
  {
    LONG n = 0;
    ar >> n;
    CString s;
    ar >> s;
    // The saved image records of command icons.
    TKPBitmapBlock color, mask;
    TKPReadBitmapBlock(ar, color);
    TKPReadBitmapBlock(ar, mask);
  }
};
IMPLEMENT_SERIAL(CFuzzItem, CObject, 1)

void ExchangeValues(CTKPPropExchange* px, int depth)
{
  int i = 0;
  BOOL b = FALSE;
  CString s;
  short i2 = 0;
  BYTE ui1 = 0;
  double r8 = 0;
  int rect[4] = {};
  int size[2] = {};
  const int defaultRect[4] = {1, 2, 3, 4};
  PropExchangeInt(px, _T("Int"), i, 3);
  PropExchangeBool(px, _T("Bool"), b, TRUE);
  PropExchangeString(px, _T("Text"), s, _T("default"));
  px->ExchangeProp(_T("I2"), TKPVT_I2, &i2);
  px->ExchangeProp(_T("UI1"), TKPVT_UI1, &ui1);
  px->ExchangeProp(_T("R8"), TKPVT_R8, &r8);
  px->ExchangeProp(_T("Rect"), TKPVT_RECT, rect, defaultRect);
  px->ExchangeProp(_T("Size"), TKPVT_SIZE, size);

  BYTE* data = nullptr;
  DWORD cb = 0;
  if (PropExchangeBinary(px, _T("Blob"), data, cb))
    std::free(data);
  BYTE fixed[32];
  px->ReadBytes(_T("Fixed"), fixed, sizeof(fixed));
  BYTE* pFixed = fixed;
  DWORD cbFixed = sizeof(fixed);
  PropExchangeBinary(px, _T("Small"), pFixed, cbFixed);

  CObject* object = nullptr;
  if (px->ExchangeRuntimeClass(&object, RUNTIME_CLASS(CFuzzItem)))
    delete object;
  CFuzzItem item;
  PropExchangeSerialize(px, _T("Item"), &item);
  px->ExchangeSchema();

  if (depth >= 2)
    return;
  std::unique_ptr<CTKPPropSectionEnumerator> e(px->GetEnumerator(_T("Entry")));
  DWORD count = 0;
  DWORD_PTR pos = e->BeginEnum(count, depth == 1);
  // Each entry takes at least one byte of a valid stream; after the stream ends every entry reads
  // defaults quickly, so a capped count still bounds the work.
  while (pos) {
    std::unique_ptr<CTKPPropExchange> section(e->NextSection(pos));
    int v = 0;
    PropExchangeInt(section.get(), _T("V"), v, 0);
    if (count < 8)
      ExchangeValues(section.get(), depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size > (1u << 20))
    return 0;
  std::unique_ptr<BYTE[]> copy(new BYTE[size ? size : 1]);
  if (size)
    std::memcpy(copy.get(), data, size);
  CMemFile file(copy.get(), static_cast<UINT>(size));
  {
    CArchive ar(&file, CArchive::load);
    try {
      CTKPPropExchangeArchive px(ar);
      ExchangeValues(&px, 0);
    } catch (CArchiveException* e) {
      // A cut or damaged stream: the caller refuses the whole load.
      e->Delete();
    } catch (CMemoryException* e) {
      // A damaged length that asks for more memory than there is.
      e->Delete();
    }
    ar.Abort();
  }
  file.Detach();
  return 0;
}
