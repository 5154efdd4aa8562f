#include "app/trees/TreeItemNumbers.h"

uint32_t CHandleNumbers::Number(uint64_t handle)
{
    if (handle == 0)
        return 0;
    if (m_bHandlesAreNumbers)
        return static_cast<uint32_t>(handle);  // a 32-bit program's handle: nothing is cut
    std::lock_guard<std::mutex> lock(m_lock);
    const auto known = m_numbers.find(handle);
    if (known != m_numbers.end())
        return known->second;
    if (m_handles.size() >= UINT32_MAX)  // every number given: none is given twice
        return 0;
    m_handles.push_back(handle);
    const uint32_t number = static_cast<uint32_t>(m_handles.size());
    m_numbers.emplace(handle, number);
    return number;
}

uint64_t CHandleNumbers::Handle(uint32_t number) const
{
    if (m_bHandlesAreNumbers)
        return number;
    std::lock_guard<std::mutex> lock(m_lock);
    return number != 0 && number <= m_handles.size() ? m_handles[number - 1] : 0;
}

namespace {

CHandleNumbers& TreeItemTable()
{
    static CHandleNumbers table(sizeof(HTREEITEM) <= sizeof(uint32_t));
    return table;
}

}  // namespace

uint32_t TreeItemNumber(HTREEITEM item)
{
    return TreeItemTable().Number(reinterpret_cast<uintptr_t>(item));
}

HTREEITEM TreeItemFromNumber(uint32_t number)
{
    return reinterpret_cast<HTREEITEM>(static_cast<uintptr_t>(TreeItemTable().Handle(number)));
}
