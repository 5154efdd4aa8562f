// The memory a piece of work asks for, counted by the test program's own operator new: while a meter
// lives, every request of its thread is added up and the largest is kept, and a request above the
// meter's ceiling is refused with std::bad_alloc, as on a machine short of memory, so that a test of
// a reader that asks for too much neither needs nor takes that memory. Too much work is told by the
// bytes it asks for, never by the time it takes. A meter can also refuse the next request whatever
// its size, to show what a failed allocation leaves.
//
// A test program that uses it takes AllocationMeter.cpp among its sources, and must not replace
// operator new itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick::test {

class AllocationMeter {
public:
    explicit AllocationMeter(uint64_t ceiling = UINT64_MAX);
    ~AllocationMeter();
    AllocationMeter(const AllocationMeter&) = delete;
    AllocationMeter& operator=(const AllocationMeter&) = delete;

    // Every request of the thread since the meter began, granted or refused.
    uint64_t Bytes() const { return m_bytes; }
    uint64_t Largest() const { return m_largest; }
    int Refused() const { return m_refused; }

    // The next request of the thread is refused.
    void RefuseNext() { m_refuseNext = true; }

    // Counts a request; false when it is refused. Called by operator new.
    bool Take(size_t size);

private:
    uint64_t m_ceiling;
    uint64_t m_bytes = 0;
    uint64_t m_largest = 0;
    int m_refused = 0;
    bool m_refuseNext = false;
    AllocationMeter* m_outer;
};

}  // namespace morvick::test
