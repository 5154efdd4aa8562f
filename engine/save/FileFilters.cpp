#include "engine/save/FileFilters.h"

#include "engine/save/MatchWildcard.h"

char16_t g_FileFilters[kMaxFileFilters][kFileFilterLength] = {};
uint32_t g_nFileFilterCount = 0;

std::vector<std::u16string> ActiveFileFilters()
{
    std::vector<std::u16string> patterns;
    uint32_t count = g_nFileFilterCount < kMaxFileFilters ? g_nFileFilterCount : kMaxFileFilters;
    for (uint32_t i = 0; i < count; ++i) {
        std::u16string pattern;
        for (int k = 0; k < kFileFilterLength && g_FileFilters[i][k]; ++k)
            pattern += g_FileFilters[i][k];
        patterns.push_back(pattern);
    }
    return patterns;
}

bool AddFileFilter(const std::u16string& pattern)
{
    if (g_nFileFilterCount >= kMaxFileFilters)
        return false;
    char16_t* slot = g_FileFilters[g_nFileFilterCount++];
    size_t n = pattern.size() < kFileFilterLength - 1 ? pattern.size() : kFileFilterLength - 1;
    for (size_t i = 0; i < kFileFilterLength; ++i)
        slot[i] = i < n ? pattern[i] : u'\0';
    return true;
}

void ClearFileFilters()
{
    for (auto& slot : g_FileFilters)
        slot[0] = u'\0';
    g_nFileFilterCount = 0;
}

bool FileNamePassesFilters(const char16_t* name)
{
    if (g_nFileFilterCount == 0)
        return true;
    return PassesFileFilters(name ? std::u16string(name) : std::u16string(), ActiveFileFilters());
}
