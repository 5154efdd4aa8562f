// The result tree of a scan built on the user-interface thread a slice at a time, after the worker
// has ended: between the slices the thread's messages run, so the window goes on painting and
// answering while a large volume's folders go in. The page that ran the scan shows the status and
// the share of the tree built on its display; when the tree is complete and its top folder listed,
// the page is told and moves on to the results.
#pragma once

#include <functional>

#include "classlib/win/AfxWin.h"
#include "engine/volume/FileSystemKind.h"

class CInfoPane;
class CThirdView_HDD;

namespace wizard {

// The status a tree's building shows: Quick Scan "Please wait creating tree" (NTFS: with three
// dots), File Trace the same without them, the scan of a volume the Extensive Scan found "Please
// wait creating tree ( Step 5/5 )..." (FAT, the last of its five steps) or the text without dots
// (NTFS).
CString TreeBuildStatusText(int scanMode, FileSystemKind browsedType);

class CResultTreeBuild {
public:
    CResultTreeBuild();
    ~CResultTreeBuild();
    CResultTreeBuild(const CResultTreeBuild&) = delete;
    CResultTreeBuild& operator=(const CResultTreeBuild&) = delete;

    // Begins building the results page's tree for the scan mode from the engine's lists: the
    // display shows the status and the share built (its bar from 0); `done` runs once the results
    // are complete. False (and nothing begun) without a results list.
    bool Start(CThirdView_HDD& results, int scanMode, CInfoPane& display, std::function<void()> done);
    bool IsRunning() const { return m_pResults != nullptr; }
    // Gives a build under way up (the program is ending); `done` does not run.
    void Cancel();

    // How long a slice works before the thread's messages run again.
    static constexpr DWORD kSliceMs = 40;
    // Another length for every build from now on (0: each slice does one step; the tests see the
    // slices of a small volume with it); returns the length before.
    static DWORD SetSliceMs(DWORD ms);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSlice();

    HWND m_hWnd = nullptr;  // a message-only window whose timer runs the slices
    CThirdView_HDD* m_pResults = nullptr;
    CInfoPane* m_pDisplay = nullptr;
    std::function<void()> m_done;
    static DWORD s_sliceMs;
};

}  // namespace wizard
