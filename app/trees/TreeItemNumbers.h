// The 32-bit numbers by which the found folder records, the result list's rows and check sets and the
// save name result-tree items (the records keep 32 bits for an item).
#pragma once

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "classlib/win/AfxWin.h"

// The number of an item, 0 for none. In a 32-bit program it is the item's handle itself. A 64-bit
// program's item handles may lie above 4 GiB, where a handle cut to 32 bits names another item or
// none: there each handle gets the next number the first time it is named, and keeps it.
uint32_t TreeItemNumber(HTREEITEM item);
// The item a number names; nullptr for 0 and for a number never given.
HTREEITEM TreeItemFromNumber(uint32_t number);

// The table behind them, over handle values of either width, so that both kinds can be tested in
// either program.
class CHandleNumbers
{
public:
    // handlesAreNumbers: the handles are 32-bit values, each its own number.
    explicit CHandleNumbers(bool handlesAreNumbers) : m_bHandlesAreNumbers(handlesAreNumbers) {}
    uint32_t Number(uint64_t handle);
    uint64_t Handle(uint32_t number) const;

private:
    const bool m_bHandlesAreNumbers;
    mutable std::mutex m_lock;
    std::unordered_map<uint64_t, uint32_t> m_numbers;
    std::vector<uint64_t> m_handles;  // the handle of number n at n - 1
};
