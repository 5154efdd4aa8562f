// Damaged saved docking layouts: loading reads only what the stream holds, never loops without
// end on a count, and a layout that loads is one a host can build without a dangling reference.
#include "toolkit/common/DockLayout.h"
#include "toolkit/common/PropExchangeArchive.h"

#include "classlib/core/CMemFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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
    CTKPPropExchangeArchive px(ar);
    CTKPDockLayout layout;
    if (layout.Load(&px)) {
      // What a host relies on when it builds the nodes: every reference resolves, holders are
      // tabbed containers, the roots have the right kinds.
      if (layout.Find(layout.m_nTopContainer)->nType != tkdock::nodeSplitContainer ||
          layout.Find(layout.m_nClient)->nType != tkdock::nodeClient)
        std::abort();
      for (const TKPDockNodeRecord& r : layout.m_nodes) {
        for (int child : r.children)
          if (!layout.Find(child))
            std::abort();
        if (r.nType == tkdock::nodePane && r.nId <= 0)
          std::abort();
      }
      // A loaded layout saves and loads again to the same nodes.
      CMemFile out(1024);
      {
        CArchive arOut(&out, CArchive::store);
        CTKPPropExchangeArchive pxOut(arOut);
        layout.Save(&pxOut);
        arOut.Close();
      }
      std::vector<BYTE> bytes(out.GetBufferPtr(), out.GetBufferPtr() + static_cast<size_t>(out.GetLength()));
      CMemFile again(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
      {
        CArchive arAgain(&again, CArchive::load);
        CTKPPropExchangeArchive pxAgain(arAgain);
        CTKPDockLayout reloaded;
        if (!reloaded.Load(&pxAgain) || reloaded.GetCount() != layout.GetCount())
          std::abort();
        arAgain.Abort();
      }
      again.Detach();
    }
    ar.Abort();
  }
  file.Detach();
  return 0;
}
