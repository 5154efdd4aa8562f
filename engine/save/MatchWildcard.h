// The file-name filters of the result list and the save.
#pragma once

#include <string>
#include <vector>

// True when the name matches the pattern:
// - an empty name or pattern never matches;
// - "*" matches every name, "*.*" every name that holds a ".";
// - a pattern without "*" and "?" matches a name that holds it anywhere;
// - otherwise the whole name must match, "*" standing for any run of characters (also none) and
//   "?" for exactly one.
// Comparison is exact; callers upper-case both sides (PassesFileFilters does).
bool MatchWildcard(const std::u16string& name, const std::u16string& pattern);

// The name in capitals as the system writes it (UpperCaseText): letters of every script that has
// them, not only of ASCII and Latin-1.
std::u16string UpperCaseName(const std::u16string& text);

// True when there are no filters or the name (upper-cased) matches one of the patterns
// (upper-cased). Folders are never filtered; callers pass file names only.
bool PassesFileFilters(const std::u16string& name, const std::vector<std::u16string>& patterns);
