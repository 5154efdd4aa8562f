// Shared pieces of the task panel tests: a host window that owns the panels and records their
// notifications, panels built from a short description, and pixels read from a memory canvas.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "tests/toolkit/base/DibCanvas.h"
#include "tests/toolkit/base/SquareIcons.h"
#include "toolkit/taskpanel/TaskPanel.h"

namespace tptest {

struct Notification {
    WPARAM code;
    LPARAM param;
    CTKPTaskPanelGroup* group;  // code 6: the group
    BOOL expanding;             // code 6: the requested state
};

// The top-level window every panel of the tests lives in. Under Wine without a window manager,
// destroying a shown top-level window waits two seconds, so the host stays until the program ends.
class Host {
public:
    static Host& Get();

    HWND Handle() const { return m_hWnd; }
    CWnd* Wnd() { return &m_wnd; }

    // Notifications received since the last Reset, and the answer to give per code (default 0).
    std::vector<Notification> notifications;
    std::map<WPARAM, LRESULT> answers;
    void Reset()
    {
        notifications.clear();
        answers.clear();
    }
    int Count(WPARAM code) const;

    // Makes the host the active window, so that panels hot-track.
    void Activate();

private:
    Host();
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd;
    CWnd m_wnd;
};

// A panel window inside the host, destroyed with the object.
class PanelWindow {
public:
    explicit PanelWindow(int width = 220, int height = 400, int x = 0, int y = 0);
    ~PanelWindow();
    CTKPTaskPanel* operator->() { return m_pPanel; }
    CTKPTaskPanel& operator*() { return *m_pPanel; }
    CTKPTaskPanel* Get() { return m_pPanel; }

private:
    CTKPTaskPanel* m_pPanel;
};

// A group appended to the panel (or to nothing when pPanel is null).
CTKPTaskPanelGroup* AddGroup(CTKPTaskPanel* pPanel, LPCTSTR caption, int id = 0);
// An item appended to the group.
CTKPTaskPanelGroupItem* AddItem(CTKPTaskPanelGroup* pGroup, LPCTSTR caption, int type = tkpTaskItemTypeLink, int id = 0,
    int iconIndex = -1);
// A panel of three groups: "Tasks" (links "Open", "Save", "Print" and a text line), "Places" (links
// "Disk", "Folder") and "Details" (a text line), with icons 1001..1004 in the panel's image manager.
void FillSamplePanel(CTKPTaskPanel* pPanel);

// The captions of the group's items, separated by commas.
CString Captions(const CTKPTaskPanelGroup* pGroup);

// Holds a key down as far as GetKeyState and the drag and drop's key state are concerned.
class HeldKey {
public:
    explicit HeldKey(int vk);
    ~HeldKey();

private:
    void Set(BYTE state);
    int m_vk;
};

// Runs the animation to its end by sending the timer, counting the ticks.
int FinishAnimation(CTKPTaskPanel* pPanel);
// Handles what is queued for this thread.
void Pump();

// The centre of an item's hit-test rectangle in the panel's client coordinates.
CPoint CentreOf(const CTKPTaskPanelItem* pItem);

// The panel drawn into a 32-bit canvas as it shows now (scroll offset applied), for pixel tests.
class PanelPicture {
public:
    explicit PanelPicture(CTKPTaskPanel* pPanel);
    COLORREF Pixel(int x, int y) const { return m_canvas.Pixel(x, y); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    static CSize ClientSize(CTKPTaskPanel* pPanel);
    int m_width, m_height;
    mutable DibCanvas m_canvas;
};

}  // namespace tptest
