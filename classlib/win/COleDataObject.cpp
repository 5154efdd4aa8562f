#include "classlib/win/COleDataObject.h"

#include <cstring>

#include "classlib/core/CMemFile.h"
#include "classlib/win/CSharedFile.h"

void AFXAPI AfxFillFormatEtc(LPFORMATETC lpFormatEtc, CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtcFill)
{
    if (lpFormatEtc != NULL) {
        *lpFormatEtcFill = *lpFormatEtc;
        if (lpFormatEtcFill->cfFormat == 0)
            lpFormatEtcFill->cfFormat = cfFormat;
        return;
    }
    lpFormatEtcFill->cfFormat = cfFormat;
    lpFormatEtcFill->ptd = NULL;
    lpFormatEtcFill->dwAspect = DVASPECT_CONTENT;
    lpFormatEtcFill->lindex = -1;
    lpFormatEtcFill->tymed = (DWORD)-1;
}

HGLOBAL AFXAPI AfxCopyGlobalMemory(HGLOBAL hSource)
{
    if (hSource == NULL)
        return NULL;
    const SIZE_T nSize = ::GlobalSize(hSource);
    HGLOBAL hDest = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nSize ? nSize : 1);
    if (hDest == NULL)
        return NULL;
    void* pSource = ::GlobalLock(hSource);
    void* pDest = ::GlobalLock(hDest);
    if (pSource == NULL || pDest == NULL) {
        if (pSource)
            ::GlobalUnlock(hSource);
        if (pDest)
            ::GlobalUnlock(hDest);
        ::GlobalFree(hDest);
        return NULL;
    }
    std::memcpy(pDest, pSource, nSize);
    ::GlobalUnlock(hDest);
    ::GlobalUnlock(hSource);
    return hDest;
}

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE) {}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (m_lpDataObject != NULL && bAddRef)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc;
    AfxFillFormatEtc(lpFormatEtc, cfFormat, &formatEtc);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL || lpStgMedium == NULL)
        return FALSE;
    FORMATETC formatEtc;
    AfxFillFormatEtc(lpFormatEtc, cfFormat, &formatEtc);
    std::memset(lpStgMedium, 0, sizeof(STGMEDIUM));
    return m_lpDataObject->GetData(&formatEtc, lpStgMedium) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc;
    AfxFillFormatEtc(lpFormatEtc, cfFormat, &formatEtc);
    formatEtc.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    if (!GetData(cfFormat, &medium, &formatEtc))
        return NULL;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == NULL) {
        ::ReleaseStgMedium(&medium);
        return NULL;
    }
    if (medium.pUnkForRelease == NULL)
        return medium.hGlobal;  // ours now
    // The source keeps the block: take a copy.
    HGLOBAL hCopy = AfxCopyGlobalMemory(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return hCopy;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc;
    AfxFillFormatEtc(lpFormatEtc, cfFormat, &formatEtc);
    formatEtc.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    STGMEDIUM medium;
    if (!GetData(cfFormat, &medium, &formatEtc))
        return NULL;

    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != NULL) {
        HGLOBAL hMem = medium.hGlobal;
        if (medium.pUnkForRelease != NULL) {
            hMem = AfxCopyGlobalMemory(medium.hGlobal);
            ::ReleaseStgMedium(&medium);
            if (hMem == NULL)
                return NULL;
        }
        CSharedFile* pFile = new CSharedFile;
        try {
            pFile->SetHandle(hMem, FALSE);
        } catch (CException* e) {
            e->Delete();
            delete pFile;
            ::GlobalFree(hMem);
            return NULL;
        }
        return pFile;
    }

    if (medium.tymed == TYMED_ISTREAM && medium.pstm != NULL) {
        // Read the stream into memory from its start.
        CMemFile* pFile = new CMemFile(4096);
        LARGE_INTEGER zero = {};
        medium.pstm->Seek(zero, STREAM_SEEK_SET, NULL);
        BYTE buffer[4096];
        try {
            for (;;) {
                ULONG cbRead = 0;
                HRESULT hr = medium.pstm->Read(buffer, sizeof(buffer), &cbRead);
                if (cbRead > 0)
                    pFile->Write(buffer, cbRead);
                if (FAILED(hr) || cbRead < sizeof(buffer))
                    break;
            }
        } catch (CException* e) {
            e->Delete();
            delete pFile;
            ::ReleaseStgMedium(&medium);
            return NULL;
        }
        ::ReleaseStgMedium(&medium);
        pFile->SeekToBegin();
        return pFile;
    }

    ::ReleaseStgMedium(&medium);
    return NULL;
}
