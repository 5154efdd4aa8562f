#include "engine/state/FoundRecordReferences.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// In the order kept, which is the search's order of sectors; sorted, the last of each sector kept,
// before the first look-up that follows a step back.
std::vector<std::pair<uint32_t, FoundRecordReference>> g_references;
bool g_sorted = true;

bool BySector(const std::pair<uint32_t, FoundRecordReference>& a, const std::pair<uint32_t, FoundRecordReference>& b)
{
    return a.first < b.first;
}

void Sort()
{
    std::stable_sort(g_references.begin(), g_references.end(), BySector);
    std::vector<std::pair<uint32_t, FoundRecordReference>> last;
    last.reserve(g_references.size());
    for (const auto& entry : g_references) {
        if (!last.empty() && last.back().first == entry.first)
            last.back() = entry;
        else
            last.push_back(entry);
    }
    g_references = std::move(last);
    g_sorted = true;
}

}  // namespace

void KeepFoundRecordReference(uint32_t sector, const FoundRecordReference& reference)
{
    if (!g_references.empty() && sector <= g_references.back().first)
        g_sorted = false;
    g_references.emplace_back(sector, reference);
}

const FoundRecordReference* FoundRecordReferenceAt(uint32_t sector)
{
    if (!g_sorted)
        Sort();
    const auto it = std::lower_bound(g_references.begin(), g_references.end(),
        std::make_pair(sector, FoundRecordReference()), BySector);
    return it != g_references.end() && it->first == sector ? &it->second : nullptr;
}

void ForgetFoundRecordReferences()
{
    g_references = {};
    g_sorted = true;
}
