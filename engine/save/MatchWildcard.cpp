#include "engine/save/MatchWildcard.h"

#include "engine/util/UpperCase.h"

namespace {

// Glob matching with backtracking to the last "*": linear in practice, never recursive.
bool MatchGlob(const std::u16string& name, const std::u16string& pattern)
{
    size_t n = 0, p = 0;
    size_t starP = std::u16string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || (pattern[p] != u'*' && pattern[p] == name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool MatchWildcard(const std::u16string& name, const std::u16string& pattern)
{
    if (name.empty() || pattern.empty())
        return false;
    if (pattern == u"*")
        return true;
    if (pattern == u"*.*")
        return name.find(u'.') != std::u16string::npos;
    if (pattern.find_first_of(u"*?") == std::u16string::npos)
        return name.find(pattern) != std::u16string::npos;
    return MatchGlob(name, pattern);
}

std::u16string UpperCaseName(const std::u16string& text)
{
    return UpperCaseText(text);
}

bool PassesFileFilters(const std::u16string& name, const std::vector<std::u16string>& patterns)
{
    if (patterns.empty())
        return true;
    std::u16string upperName = UpperCaseName(name);
    for (const std::u16string& pattern : patterns) {
        if (MatchWildcard(upperName, UpperCaseName(pattern)))
            return true;
    }
    return false;
}
