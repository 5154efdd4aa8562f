// Automation wrappers of the word processor and the presentation program: each call goes through
// COleDispatchDriver::InvokeHelper with the object's dispatch id. Optional arguments are VARIANTs
// of type VT_ERROR holding DISP_E_PARAMNOTFOUND (OptionalArgument()).
#pragma once

#include "classlib/win/COleDispatchDriver.h"

// An omitted optional argument.
VARIANT OptionalArgument();

class CWordApplication : public COleDispatchDriver {
public:
    LPDISPATCH GetDocuments();
    void Quit(VARIANT* SaveChanges, VARIANT* OriginalFormat, VARIANT* RouteDocument);
};

class CWordDocuments : public COleDispatchDriver {
public:
    explicit CWordDocuments(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}
    LPDISPATCH Add(VARIANT* Template, VARIANT* NewTemplate);
    LPDISPATCH Open(VARIANT* FileName, VARIANT* ConfirmConversions, VARIANT* ReadOnly, VARIANT* AddToRecentFiles,
        VARIANT* PasswordDocument, VARIANT* PasswordTemplate, VARIANT* Revert, VARIANT* WritePasswordDocument,
        VARIANT* WritePasswordTemplate, VARIANT* Format);
};

class CWordDocument : public COleDispatchDriver {
public:
    CWordDocument() {}
    explicit CWordDocument(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}
    void Close(VARIANT* SaveChanges, VARIANT* OriginalFormat, VARIANT* RouteDocument);
    void SaveAs(VARIANT* FileName, VARIANT* FileFormat, VARIANT* LockComments, VARIANT* Password,
        VARIANT* AddToRecentFiles, VARIANT* WritePassword, VARIANT* ReadOnlyRecommended, VARIANT* EmbedTrueTypeFonts,
        VARIANT* SaveNativePictureFormat, VARIANT* SaveFormsData, VARIANT* SaveAsAOCELetter);
};

class CPowerPointApplication : public COleDispatchDriver {
public:
    LPDISPATCH GetPresentations();
    void Quit();
};

class CPresentations : public COleDispatchDriver {
public:
    explicit CPresentations(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}
    LPDISPATCH Open(LPCTSTR FileName, long ReadOnly, long Untitled, long WithWindow);
};

class CPresentation : public COleDispatchDriver {
public:
    explicit CPresentation(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}
    void SaveAs(LPCTSTR FileName, long FileFormat, long EmbedTrueTypeFonts);
};
