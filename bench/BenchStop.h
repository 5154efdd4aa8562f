// The stop point of `morvick-bench scan --stop-after N`: a scan stopped as the window's Stop stops it
// when the user answers yes, by setting its finished word to 1 at its Nth pause point. The scan
// notices it at its next test of the word and ends there, keeping what it found so far.
#pragma once

#include "engine/scan/ScanStop.h"

#include <cstdint>
#include <string>

class BenchStop {
public:
    // At pause point `at`; 0 never stops.
    explicit BenchStop(uint64_t at = 0) : m_at(at) {}

    // The N of --stop-after: a whole number from 1 on. False, with a message on standard error, for
    // any other text.
    static bool Parse(const std::string& text, uint64_t& at);

    // From now on counts the pause points of the scan that `finished` ends, from none; clears the word,
    // which an earlier stop left set.
    void Watch(ScanFinishedWord& finished);
    // A pause point of the watched scan (the bench's observer calls it): the stop point sets the word.
    void OnPausePoint();
    // Says on standard error, after the watched scan, where it was stopped ("NAME: stopped at pause
    // point N") or that it ended first ("NAME: ended after K pause points, before the stop point");
    // nothing without a stop point.
    void Report(const std::string& name) const;

private:
    uint64_t m_at;
    uint64_t m_passed = 0;
    ScanFinishedWord* m_finished = nullptr;
};
