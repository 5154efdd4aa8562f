// The one interface through which the engine reports to the user interface: status and progress,
// found items, messages and questions, and running out of memory. The wizard implements it; tests
// replace it. Without an installed observer the engine talks to a null observer that shows nothing,
// answers every question "no", and ends the process on out of memory.
#pragma once

#include <cstdint>
#include <string>

// Kinds of the message channel.
enum MessageKind : int {
    kMessageInformation = 1,
    kMessageError = 2,
    kMessageQuestion = 3,
    kMessagePlain = 4,   // the plain system box of the class library, not the message channel
};

// What kind of thing a scan found; the record is the engine's own list record for it.
enum FoundItemKind : int {
    kFoundDisk = 1,        // a disk or logical drive of the device tree
    kFoundPartition = 2,   // a partition of the partition table or of the partition search
    kFoundVolume = 3,      // a file system found by the Extensive Scan
    kFoundFolder = 4,
    kFoundFile = 5,
};

struct FoundItem {
    FoundItemKind kind;
    std::u16string text;         // the text the engine would show for it
    const void* record;          // the found-entry record, or null
    uint32_t parentItem;         // the observer's id of the parent item, 0 for none
};

class ScanObserver {
public:
    virtual ~ScanObserver() = default;

    // The status line of the running pass.
    virtual void OnStatus(const std::u16string& text) {}
    // Progress of the running pass in percent (0-100).
    virtual void OnProgress(int percent) {}
    // The number the scan display's "Current Sector" row shows for the running pass.
    virtual void OnCurrentSector(uint64_t sector) {}
    // A step of a running pass (an entry, a cluster, a record, a sector searched or traced, a cylinder
    // probed): the worker waits here while the user interface holds it, so that no step runs while
    // the user is asked whether to stop. Every test of the finished word is one (ScanStopped); a loop
    // that tests the word at each step (File Trace at each sector) takes no step after a stop, one
    // that tests it less often calls this at each step all the same. It must cost no more than a
    // flag read while nothing holds the worker: File Trace passes one for every sector.
    virtual void OnPausePoint() {}
    // A found item for a tree or list. Returns the observer's id for it (0 when it keeps none).
    virtual uint32_t OnItemFound(const FoundItem& item) { return 0; }
    // A message with one OK button; the kind gives its icon (kMessageQuestion the question mark of a
    // notice such as a missing file). The engine ignores the result: it asks through OnQuestion.
    virtual bool OnMessage(const std::u16string& text, MessageKind kind) { return false; }
    // A yes/no question shown with the icon of `kind`: an error that asks whether to go on comes
    // with the error icon. The result is the answer (true yes). By default it is asked through
    // OnMessage as a question.
    virtual bool OnQuestion(const std::u16string& text, MessageKind kind) { return OnMessage(text, kMessageQuestion); }
    // Called after the out-of-memory message was shown. The default ends the process with
    // kOutOfMemoryExitCode; an observer that returns lets the failing call report failure instead.
    virtual void OnOutOfMemory();
};

// The exit code of a process ended by running out of memory: not 0, which would report success.
constexpr int kOutOfMemoryExitCode = 3;

// The text shown when an allocation fails.
extern const char16_t kOutOfMemoryText[];

// Installs the process-wide observer (null restores the null observer) and returns the previous one.
ScanObserver* SetScanObserver(ScanObserver* observer);
// The installed observer, or the null observer.
ScanObserver& CurrentScanObserver();

// Shows a text of the message channel with one OK button; returns what the observer returned, which
// answers nothing (questions go through AskEngineQuestion).
bool ShowEngineMessage(const std::u16string& text, MessageKind kind);
// Asks a yes/no question with the icon of `kind`; returns the answer (true yes).
bool AskEngineQuestion(const std::u16string& text, MessageKind kind);
// The out-of-memory path: shows kOutOfMemoryText as an error, then calls OnOutOfMemory.
void ReportOutOfMemory();

// Progress over a known number of steps: steps done x 100 / total, sent to the observer only when
// the percentage changes. A total of 0 sends nothing.
class StepProgress {
public:
    explicit StepProgress(uint64_t total) : m_total(total) {}
    void Step();

private:
    uint64_t m_total;
    uint64_t m_done = 0;
    int m_shown = -1;
};
