// Folders whose parent references loop: a folder that names itself as its parent, or folders that name
// each other (a damaged record, or a pair of deleted ones). The tree below the root never reaches
// them, nor what they hold.
#pragma once

// Breaks every loop of parent references among the NTFS folder records (g_NtfsFolders): the loop's
// folder that comes first in the list is given "Lost Dir" (kLostDirRecordNumber) as its parent, so
// that it hangs there with the others of the loop below it. A folder's parent is the first folder
// record of its parent's number; the root (5) and "Lost Dir" end a chain, as does a number that is no
// folder's.
void BreakNtfsFolderLoops();
