// CSharedFile: a memory file in a global memory block, the form in which data travels through the
// clipboard and OLE data transfer. Detach hands the block (sized to the file) to the caller;
// SetHandle reads an existing block as the file.
#pragma once

#include <windows.h>

#include "classlib/core/CMemFile.h"

class CSharedFile : public CMemFile {
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // The block holding the file's bytes, exactly GetLength() long (one byte for an empty file); the
    // caller owns it and the file is empty afterwards. NULL when no block can be made.
    HGLOBAL Detach();
    // The file becomes the block's content (GlobalSize bytes) and owns the block from now on; with
    // bAllowGrow the file may grow beyond it.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

    void Close() override;

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
};
