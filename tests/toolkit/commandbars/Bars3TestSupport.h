// Shared pieces of the tests of the status bar, dialog bar, edit and combo-box controls, special
// and custom controls, customisation and the MDI tab client: a frame with command bars (from
// CommandBarsTestSupport), pixels of a DIB section, and a recorder of message boxes.
#pragma once

#include "tests/classlib/gdi/DibSurface.h"
#include "tests/classlib/gdi/GeometryPrinters.h"
#include "classlib/win/CRecentFileList.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/ToolBar.h"

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"';
    for (int i = 0; i < s.GetLength(); ++i)
        *os << (s[i] < 128 ? static_cast<char>(s[i]) : '?');
    *os << '"';
}

// Test resources (CommandBars3Tests.rc.in).
enum {
    IDR_BARS3_TOOLBAR = 1200,  // commands 100, 101, |, 102, 103, 104 with 16 x 16 icons
    IDR_BARS3_MENU = 1228,
    IDR_BARS3_ACCEL = 1229,
};

// A hidden test frame with command bars and one toolbar "Standard" from IDR_BARS3_TOOLBAR.
class CBars3Frame : public CTestFrame {
public:
    BOOL CreateBars3Frame(CRect rc = CRect(0, 0, 640, 480));
};

// Message boxes of the toolkit answered by a queue of answers (IDOK when empty), their texts kept.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    std::vector<std::wstring> m_texts;
    std::vector<UINT> m_types;
    std::vector<int> m_answers;

    static MessageBoxRecorder* s_pCurrent;
};

// The application's recent-file list for the life of the object (the one before comes back after).
class CScopedRecentFileList : public CRecentFileList {
public:
    explicit CScopedRecentFileList(int nSize);
    ~CScopedRecentFileList() override;

private:
    CRecentFileList* m_pOld;
};

// Sends the idle update to the frame and every window below it, then pumps.
void RunBars3Idle(CWnd* pFrame);

// Stores pFrom's properties through an archive exchange of the schema and loads them into pTo (the
// exchange carries the command bars). FALSE when either step threw.
BOOL RoundTripControl(CTKPControl* pFrom, CTKPControl* pTo, CTKPCommandBars* pCommandBars, UINT nSchema = 16);
// The same for a bar's properties (its controls with them).
BOOL RoundTripBar(CTKPCommandBar* pFrom, CTKPCommandBar* pTo, CTKPCommandBars* pCommandBars, UINT nSchema = 16);
