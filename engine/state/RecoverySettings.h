// The recovery settings, held in memory only; the settings dialog writes them.
#pragma once

#include <cstdint>

enum DuplicateNamePolicy : uint16_t { kDuplicateRename = 1, kDuplicateOverwrite = 2, kDuplicateSkip = 3 };
enum DeletedFilePolicy : uint16_t { kDeletedInclude = 1, kDeletedOnly = 2, kDeletedExclude = 3 };

extern uint32_t g_nSectorsPerRead;   // sectors read per attempt, 1 upward (60)
extern uint16_t g_wReadRetries;      // retries on a bad sector, 1 upward (3)
extern uint16_t g_wDuplicateNames;   // DuplicateNamePolicy (Rename)
extern uint16_t g_wDeletedFiles;     // DeletedFilePolicy (Include)

// Sets the four settings to their defaults.
void ResetRecoverySettings();
