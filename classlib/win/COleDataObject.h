// COleDataObject: the receiving side of OLE data transfer. It wraps an IDataObject (from a drop or
// the clipboard) and reads its formats as storage media, global memory blocks or files.
#pragma once

#include <ole2.h>

#include "classlib/core/CFile.h"

// The effect of a drop: DROPEFFECT_NONE, _COPY, _MOVE, _LINK, _SCROLL.
typedef DWORD DROPEFFECT;

class COleDataObject {
public:
    COleDataObject();
    ~COleDataObject();

    // With bAutoRelease the object releases the interface when it lets go of it.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // The current clipboard's data object; FALSE when it cannot be had.
    BOOL AttachClipboard();
    // The interface, with one more reference for the caller when bAddRef is set.
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    // Whether the data is offered in the format (any medium unless lpFormatEtc names one).
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data in a medium the caller releases with ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // The data as a global memory block that the caller owns (and frees); NULL when not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data as a file the caller deletes; NULL when not offered as memory or a stream.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

private:
    LPDATAOBJECT m_lpDataObject;
    BOOL m_bAutoRelease;

    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;
};

// Fills a FORMATETC for the format: the given one, or content aspect, no target device, index -1 and
// any medium.
void AFXAPI AfxFillFormatEtc(LPFORMATETC lpFormatEtc, CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtcFill);
// A copy of a global memory block (GMEM_MOVEABLE | GMEM_DDESHARE); NULL on failure.
HGLOBAL AFXAPI AfxCopyGlobalMemory(HGLOBAL hSource);
