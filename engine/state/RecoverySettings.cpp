#include "engine/state/RecoverySettings.h"

uint32_t g_nSectorsPerRead = 60;
uint16_t g_wReadRetries = 3;
uint16_t g_wDuplicateNames = kDuplicateRename;
uint16_t g_wDeletedFiles = kDeletedInclude;

void ResetRecoverySettings()
{
    g_nSectorsPerRead = 60;
    g_wReadRetries = 3;
    g_wDuplicateNames = kDuplicateRename;
    g_wDeletedFiles = kDeletedInclude;
}
