// The file-name filters of the "File Filters" dialog: a process-wide table of patterns applied to
// file names (never to folders) by the result listing and the save.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kMaxFileFilters = 100;
constexpr int kFileFilterLength = 20;   // characters of one pattern, with its terminator

extern char16_t g_FileFilters[kMaxFileFilters][kFileFilterLength];
extern uint32_t g_nFileFilterCount;

// The patterns in use (the first g_nFileFilterCount, at most kMaxFileFilters).
std::vector<std::u16string> ActiveFileFilters();

// Adds a pattern (cut to 19 characters); false when the table is full.
bool AddFileFilter(const std::u16string& pattern);

// Empties the table.
void ClearFileFilters();

// True when the file name passes the filters in use.
bool FileNamePassesFilters(const char16_t* name);
