// How long a test waits for a state that is sure to come: a window shown, a thread ended, a fetch
// begun, a message answered. Far beyond what a busy or slow machine takes (the sanitizers, Wine, every
// core taken by other builds), so that a test that reaches it has met a hang, not a slow moment.
// Tests never wait a fixed time for a state, and never bound how long work takes: speed is measured
// in bench/.
#pragma once

#include <chrono>

namespace morvick::test {

constexpr unsigned long kStateWaitMs = 60000;
constexpr std::chrono::milliseconds kStateWait{kStateWaitMs};

}  // namespace morvick::test
