// The cooperative stop of a scan: the wizard's finished word. Every loop of a scan tests it and ends
// when it is 1; nothing is ever suspended or killed. Each test is also a pause point: while the user
// is asked whether to stop, the worker waits at its next test, and so takes no further step until the
// answer, which the test then reads.
#pragma once

#include "engine/ScanObserver.h"

#include <atomic>
#include <cstdint>

using ScanFinishedWord = std::atomic<int32_t>;

inline bool ScanStopped(const ScanFinishedWord& finished)
{
    CurrentScanObserver().OnPausePoint();
    return finished.load(std::memory_order_relaxed) == 1;
}
