#include "preview/win/documents/OfficeAutomation.h"

namespace {

#define VTS_THREE_VARIANTS VTS_VARIANT VTS_VARIANT VTS_VARIANT

}  // namespace

VARIANT OptionalArgument()
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

LPDISPATCH CWordApplication::GetDocuments()
{
    LPDISPATCH result = NULL;
    InvokeHelper(6, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, NULL);
    return result;
}

void CWordApplication::Quit(VARIANT* SaveChanges, VARIANT* OriginalFormat, VARIANT* RouteDocument)
{
    static const BYTE params[] = VTS_THREE_VARIANTS;
    InvokeHelper(1105, DISPATCH_METHOD, VT_EMPTY, NULL, params, SaveChanges, OriginalFormat, RouteDocument);
}

LPDISPATCH CWordDocuments::Add(VARIANT* Template, VARIANT* NewTemplate)
{
    static const BYTE params[] = VTS_VARIANT VTS_VARIANT;
    LPDISPATCH result = NULL;
    InvokeHelper(11, DISPATCH_METHOD, VT_DISPATCH, &result, params, Template, NewTemplate);
    return result;
}

LPDISPATCH CWordDocuments::Open(VARIANT* FileName, VARIANT* ConfirmConversions, VARIANT* ReadOnly,
    VARIANT* AddToRecentFiles, VARIANT* PasswordDocument, VARIANT* PasswordTemplate, VARIANT* Revert,
    VARIANT* WritePasswordDocument, VARIANT* WritePasswordTemplate, VARIANT* Format)
{
    static const BYTE params[] = VTS_THREE_VARIANTS VTS_THREE_VARIANTS VTS_THREE_VARIANTS VTS_VARIANT;
    LPDISPATCH result = NULL;
    InvokeHelper(12, DISPATCH_METHOD, VT_DISPATCH, &result, params, FileName, ConfirmConversions, ReadOnly,
        AddToRecentFiles, PasswordDocument, PasswordTemplate, Revert, WritePasswordDocument, WritePasswordTemplate,
        Format);
    return result;
}

void CWordDocument::Close(VARIANT* SaveChanges, VARIANT* OriginalFormat, VARIANT* RouteDocument)
{
    static const BYTE params[] = VTS_THREE_VARIANTS;
    InvokeHelper(1105, DISPATCH_METHOD, VT_EMPTY, NULL, params, SaveChanges, OriginalFormat, RouteDocument);
}

void CWordDocument::SaveAs(VARIANT* FileName, VARIANT* FileFormat, VARIANT* LockComments, VARIANT* Password,
    VARIANT* AddToRecentFiles, VARIANT* WritePassword, VARIANT* ReadOnlyRecommended, VARIANT* EmbedTrueTypeFonts,
    VARIANT* SaveNativePictureFormat, VARIANT* SaveFormsData, VARIANT* SaveAsAOCELetter)
{
    static const BYTE params[] = VTS_THREE_VARIANTS VTS_THREE_VARIANTS VTS_THREE_VARIANTS VTS_VARIANT VTS_VARIANT;
    InvokeHelper(102, DISPATCH_METHOD, VT_EMPTY, NULL, params, FileName, FileFormat, LockComments, Password,
        AddToRecentFiles, WritePassword, ReadOnlyRecommended, EmbedTrueTypeFonts, SaveNativePictureFormat,
        SaveFormsData, SaveAsAOCELetter);
}

LPDISPATCH CPowerPointApplication::GetPresentations()
{
    LPDISPATCH result = NULL;
    InvokeHelper(2001, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, NULL);
    return result;
}

void CPowerPointApplication::Quit()
{
    InvokeHelper(2021, DISPATCH_METHOD, VT_EMPTY, NULL, NULL);
}

LPDISPATCH CPresentations::Open(LPCTSTR FileName, long ReadOnly, long Untitled, long WithWindow)
{
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_I4 VTS_I4;
    LPDISPATCH result = NULL;
    InvokeHelper(2004, DISPATCH_METHOD, VT_DISPATCH, &result, params, FileName, ReadOnly, Untitled, WithWindow);
    return result;
}

void CPresentation::SaveAs(LPCTSTR FileName, long FileFormat, long EmbedTrueTypeFonts)
{
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_I4;
    InvokeHelper(2036, DISPATCH_METHOD, VT_EMPTY, NULL, params, FileName, FileFormat, EmbedTrueTypeFonts);
}
