// The cooperative stop of a scan: the wizard's finished word. Every loop of a scan tests it and ends
// when it is 1; nothing is ever suspended or killed.
#pragma once

#include <atomic>
#include <cstdint>

using ScanFinishedWord = std::atomic<int32_t>;

inline bool ScanStopped(const ScanFinishedWord& finished)
{
    return finished.load(std::memory_order_relaxed) == 1;
}
