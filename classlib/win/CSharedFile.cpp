#include "classlib/win/CSharedFile.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL)
{}

CSharedFile::~CSharedFile()
{
    // The base destructor would free the buffer with its own (heap) routine.
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_hGlobalMemory = NULL;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    HGLOBAL hMem = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (hMem == NULL)
        return NULL;
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hMem));
    if (p == NULL) {
        ::GlobalFree(hMem);
        return NULL;
    }
    m_hGlobalMemory = hMem;
    return p;
}

BYTE* CSharedFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    if (lpMem == NULL || m_hGlobalMemory == NULL)
        return Alloc(nBytes);
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags & ~GMEM_ZEROINIT);
    if (hNew == NULL) {
        // The old block is still valid: lock it again so the file stays usable.
        m_lpBuffer = static_cast<BYTE*>(::GlobalLock(m_hGlobalMemory));
        return NULL;
    }
    m_hGlobalMemory = hNew;
    return static_cast<BYTE*>(::GlobalLock(hNew));
}

void CSharedFile::Free(BYTE* lpMem)
{
    if (lpMem == NULL || m_hGlobalMemory == NULL)
        return;
    ::GlobalUnlock(m_hGlobalMemory);
    ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = NULL;
}

HGLOBAL CSharedFile::Detach()
{
    const SIZE_T nSize = m_nFileSize;
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem == NULL) {
        hMem = ::GlobalAlloc(m_nAllocFlags, 1);
    } else {
        ::GlobalUnlock(hMem);
        if (m_bAutoDelete) {
            // Trim the growth reserve, so that the block's size is the data's.
            HGLOBAL hTrimmed = ::GlobalReAlloc(hMem, nSize ? nSize : 1, m_nAllocFlags & ~GMEM_ZEROINIT);
            if (hTrimmed != NULL)
                hMem = hTrimmed;
        }
    }
    m_hGlobalMemory = NULL;
    m_lpBuffer = NULL;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    Close();
    if (hGlobalMemory == NULL)
        AfxThrowInvalidArgException();
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hGlobalMemory));
    if (p == NULL)
        AfxThrowMemoryException();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = p;
    m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobalMemory);
    m_nPosition = 0;
    m_nGrowBytes = bAllowGrow ? 4096 : 0;
    m_bAutoDelete = TRUE;
}

void CSharedFile::Close()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_hGlobalMemory = NULL;
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_bAutoDelete = TRUE;
}
