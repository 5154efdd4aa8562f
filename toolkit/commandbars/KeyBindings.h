// The keyboard shortcuts of one command-bars manager: the accelerator table of the program's
// resource (the reference) and a working copy that is translated, shown beside commands and saved
// as the binary profile value "Accelerators"; display texts of shortcuts and the mnemonic match of
// typed characters on every keyboard layout.
#pragma once

#include "classlib/core/CMap.h"
#include "toolkit/commandbars/CommandBarsDefs.h"
#include "toolkit/commandbars/KeyCharMatch.h"

class CTKPKeyBindings : public CCmdTarget {
    DECLARE_DYNAMIC(CTKPKeyBindings)
public:
    explicit CTKPKeyBindings(CTKPCommandBars* pCommandBars = NULL);
    ~CTKPKeyBindings() override;

    // The shortcut text of a command; text holds the caller's current text on entry and keeps it when
    // it is one of the command's shortcuts. FALSE (and an empty text) when the command has none.
    virtual BOOL FindShortcut(UINT nCmd, CString& strShortcut);
    // "Ctrl+Shift+Alt+key"; *pnPriority: no modifier 4, Ctrl 3, Alt 2, Shift 1.
    virtual void FormatAccel(const ACCEL& accel, CString& strShortcut, int* pnPriority = NULL);
    virtual CString GetKeyName(UINT nKey);
    // fVirt | key << 16: Escape alone only with the allow-Escape flag.
    virtual BOOL IsAllowedAccel(DWORD dwAccel);
    virtual HACCEL GetAccelTable() const { return m_hAccelTable; }
    // The working table becomes a copy of the reference.
    virtual void Reset();

    // Both tables become copies of the accelerator resource (none: both empty).
    void LoadFromResource(UINT nIDResource);
    // A table of the entries becomes the working table; FALSE (the old one kept) when none is made.
    BOOL SetAccelTable(const ACCEL* pAccels, int nCount);
    BOOL TranslateAccelerator(CWnd* pWnd, MSG* pMsg);
    void Suspend(BOOL bSuspend) { m_nSuspended += bSuspend ? 1 : -1; }
    BOOL IsSuspended() const { return m_nSuspended > 0; }
    BOOL IsLoaded() const { return m_hOriginalAccelTable != NULL; }
    void SaveToProfile(LPCTSTR lpszSection);
    void LoadFromProfile(LPCTSTR lpszSection);
    // TRUE when the key types the character, case-folded, on the keyboard layout in use or on
    // another installed one (a letter or digit key also types its own code).
    static BOOL MatchesKeyChar(TCHAR ch, UINT nKey);
    // Whether the key types a character at all (MapVirtualKey; the test translator when one is set).
    static BOOL KeyHasChar(UINT nKey);

    // A copy of the table, or null for a null or empty table.
    static HACCEL CopyAccelTable(HACCEL hAccelTable);

    // Test switches: the keyboard layouts MatchesKeyChar walks, the one in use first, and what a key
    // types on them (null: the system's).
    typedef int (*LayoutSource)(HKL* pLayouts, int nMax);
    static void SetLayoutSource(LayoutSource pfnSource) { s_pfnLayouts = pfnSource; }
    static void SetKeyTranslator(TKPKeyTranslator pfnTranslate) { s_pfnTranslate = pfnTranslate; }

    BOOL m_bAllowEscapeShortcut;
    BOOL m_bUseSystemKeyNameText;
    int m_nSuspended;
    CTKPCommandBars* m_pCommandBars;
    HACCEL m_hAccelTable;
    HACCEL m_hOriginalAccelTable;
    CMap<UINT, UINT, CString, LPCTSTR> m_mapKeyNames;

protected:
    CString GetSystemKeyName(UINT nKey);
    static LayoutSource s_pfnLayouts;
    static TKPKeyTranslator s_pfnTranslate;
};
