#include "engine/ScanObserver.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

const char16_t kOutOfMemoryText[] = u"Out of memory, close other applications and run again";

namespace {

ScanObserver g_nullObserver;
std::atomic<ScanObserver*> g_observer{nullptr};

} // namespace

void ScanObserver::OnOutOfMemory()
{
    std::fputs("Out of memory, close other applications and run again\n", stderr);
    std::_Exit(kOutOfMemoryExitCode);
}

ScanObserver* SetScanObserver(ScanObserver* observer)
{
    return g_observer.exchange(observer);
}

ScanObserver& CurrentScanObserver()
{
    ScanObserver* observer = g_observer.load();
    return observer ? *observer : g_nullObserver;
}

bool ShowEngineMessage(const std::u16string& text, MessageKind kind)
{
    return CurrentScanObserver().OnMessage(text, kind);
}

bool AskEngineQuestion(const std::u16string& text, MessageKind kind)
{
    return CurrentScanObserver().OnQuestion(text, kind);
}

void ReportOutOfMemory()
{
    ScanObserver& observer = CurrentScanObserver();
    observer.OnMessage(kOutOfMemoryText, kMessageError);
    observer.OnOutOfMemory();
}

void StepProgress::Step()
{
    ++m_done;
    if (m_total == 0)
        return;
    const int percent = static_cast<int>(m_done * 100 / m_total);
    if (percent != m_shown) {
        m_shown = percent;
        CurrentScanObserver().OnProgress(percent);
    }
}
