// The program in the test's own process: the application object, started as Morvick.exe starts it,
// with its main frame and the wizard's pages. The tests go the program's own ways through them (the
// pages' buttons, the frame's commands) on the wizard's fixture disks, and pump the thread's messages
// as the program's loop does, so that they can look at every state the window passes through.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "engine/ScanObserver.h"
#include "tests/app/MessageLog.h"
#include "tests/support/StateWait.h"

class CFirstView_HDD;
class CSecondView_HDD;
class CFileSystemView;
class CThirdView_HDD;

namespace morvick::test {

CEx_StyleApp& App();
CMainFrame& Frame();

template <class Page>
Page& PageAt(int number)
{
    return *dynamic_cast<Page*>(App().GetPage(number));
}

// The wizard's pages: drive, partition, file system and results.
CFirstView_HDD& DrivePage();
CSecondView_HDD& PartitionPage();
CFileSystemView& FileSystemPage();
CThirdView_HDD& ResultsPage();

// Dispatches what the thread has queued.
void PumpPending();
// Dispatches the thread's messages until `done` holds (true) or ms have passed (false).
bool PumpUntil(const std::function<bool()>& done, DWORD ms = morvick::test::kStateWaitMs);
// What the program's loop does when no message waits: the commands' enabled states brought up to
// date (menus, toolbar) and the like.
void RunIdleUpdates();
// Dispatches one message, waiting for one at most ms (the idle updates run first when none waits);
// false when none came.
bool PumpOne(DWORD ms = 5000);

// Dispatches everything but timer messages until the worker has ended (true) or two minutes have
// passed (false): the page's poll, a timer, has then not seen the end.
bool PumpAllButTimersUntilTheWorkerEnds();

// Presses a button of a page as a click does (its command to its parent); the button must be
// shown and enabled.
void Press(CWnd& button);

// A disk of make-wizard-disks.sh as the program opens it.
std::wstring WizardDisk(const char* name);
extern const char kWizardDisks[];
// A disk of another fixture script (kTraceDisks: pictures on a FAT16 partition, make-cut-trace-disk.sh).
std::wstring FixtureDisk(const char* script, const char* name);
extern const char kTraceDisks[];

// From the start page: the image opened in a mode (131 Quick Scan, 133 Extensive Scan), the drive
// page's search (its question answered with its default), and the partition page shown.
void ReachPartitionPage(const std::wstring& image, UINT modeButton);
// A partition of the partition page's tree chosen by a click on it.
void ChoosePartition(const wchar_t* text);
// The wizard back on the start page, whatever page it is on (Home, or Back from the drive page).
void ReturnToStart();

// The results of a Quick Scan of a FAT32 volume written straight into the engine's lists and shown
// on the results page (the wizard first back on the start page): its folders (name, first cluster,
// parent's cluster; 0 is the top folder) and files (name, folder's cluster, size).
struct ResultsFolder {
    const char16_t* name;
    uint32_t cluster;
    uint32_t parent;
};
struct ResultsFile {
    const char16_t* name;
    uint32_t folder;
    uint32_t size;
};
void ShowFatResults(const std::vector<ResultsFolder>& folders, const std::vector<ResultsFile>& files);
// Such results left: the start page again, the result list and the engine's lists emptied.
void LeaveFatResults();

// The worker held at one of its reports until the test lets it go: set in front of the wizard's
// observer, which gets every report as before. `hold` is asked on the worker's thread before each
// report (with the status text, or null for another report); the first true holds the worker
// there. The end lets the worker go, waits for it to end and puts the wizard's observer back.
class HeldWorker : public ScanObserver {
public:
    explicit HeldWorker(std::function<bool(const std::u16string* status)> hold);
    ~HeldWorker() override;
    HeldWorker(const HeldWorker&) = delete;
    HeldWorker& operator=(const HeldWorker&) = delete;

    bool Held() const { return m_held; }
    void Release();

    void OnStatus(const std::u16string& text) override;
    void OnProgress(int percent) override;
    void OnCurrentSector(uint64_t sector) override;
    void OnPausePoint() override;
    uint32_t OnItemFound(const FoundItem& item) override;
    bool OnMessage(const std::u16string& text, MessageKind kind) override;
    bool OnQuestion(const std::u16string& text, MessageKind kind) override;

private:
    void HoldIf(const std::u16string* status);

    std::function<bool(const std::u16string*)> m_hold;
    ScanObserver* m_previous = nullptr;
    HANDLE m_released = nullptr;
    std::atomic<bool> m_held{false};
    std::atomic<bool> m_done{false};
};

// The frame as the screen shows it now, painted at once and without letting any other message run
// (a tree's building would go on), to a PNG of the app gallery.
void CaptureFrameNow(const wchar_t* name);

// The text and the position of an information pane's status line and progress bar.
CString PaneStatus(CWnd& pane);
int PaneProgress(CWnd& pane);
bool IsShown(CWnd& window);

}  // namespace morvick::test
