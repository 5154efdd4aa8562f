// The one place through which the toolkit loads its resources (strings, menus, toolbars, bitmaps,
// cursors, dialog templates) and shows its messages. The toolkit's resources live among the program's own,
// found through the class library's resource lookup.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "classlib/win/AfxWin.h"

class CToolBar;

// The language the toolkit's resources are written in, and the code page of their text.
struct TKP_RESOURCE_LANGINFO {
    LANGID wLanguage;
    UINT nCodePage;
};

class CTKPResourceManager {
public:
    CTKPResourceManager();
    virtual ~CTKPResourceManager();

    // TRUE when the string exists; the text is left empty otherwise.
    virtual BOOL LoadString(CString* pString, UINT nIDResource);
    virtual BOOL LoadMenu(CMenu* pMenu, UINT nIDResource);
    // The toolbar resource's buttons and the images of its bitmap into the bar (a window already).
    virtual BOOL LoadToolBar(CToolBar* pToolBar, UINT nIDResource);
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nIDResource);
    // Null when the cursor is missing.
    virtual HCURSOR LoadCursor(UINT nIDResource);
    // The locked template, from the program's module first; null when missing.
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nIDResource);
    // Frees a loaded resource library (none is loaded in this program).
    virtual void Close();
    // The language of the resources the loaders find: by default the program's own (US English, code
    // page 1252), one record for the whole process. A manager that loads other resources says so here.
    virtual const TKP_RESOURCE_LANGINFO* GetLanguageInfo();

    // The string's text in a message box of the given style; returns the button pressed.
    int ShowMessageBox(UINT nIDPrompt, UINT nType);
    // A text already made (a formatted string resource) in a message box of the given style.
    int ShowMessageBox(LPCTSTR lpszText, UINT nType);

    // Test switch: a function that answers message boxes instead of showing them (null: show them).
    typedef int (*MessageBoxHook)(LPCTSTR lpszText, UINT nType);
    static void SetMessageBoxHook(MessageBoxHook pfnHook);

    BOOL m_bValid;
    HMODULE m_hResourceFile;
};

CTKPResourceManager* GetResourceManager();
