// The process-wide words of a save: the flags the saving dialog sets, the count it shows, the file
// time of the file being saved, the target folder, and what went wrong.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// 1 = stop every save (the saving dialog's Stop); every later call returns at once.
extern std::atomic<int32_t> g_nSaveStop;
// 1 = end the current file (the saving dialog's Skip); cleared when the next file starts.
extern std::atomic<int32_t> g_nSaveSkip;
// Files counted by the savers (raised when a file is about to be written).
extern std::atomic<uint32_t> g_nSavedFileCount;
// The file-time word: set by the caller before each file. NTFS: a FILETIME; FAT and traced files:
// the 16-bit FAT date in the low half.
extern uint64_t g_qwSaveFileTime;
// The folder chosen by the folder picker (empty until chosen).
extern std::u16string g_strSavePath;
// File Trace: a traced file is saved as this many MiB (1 and up).
extern uint32_t g_nTraceSizeClass;
// The size the File Types dialog offers first ("2 MB"), the one a File Trace uses when the user
// leaves the choice as it is.
constexpr uint32_t kDefaultTraceSizeMiB = 2;
// File Trace: the number of ticked files, for the saving dialog's bar.
extern uint32_t g_nTickedFileCount;

// What a save did, for the end of the save: only a save with no failed, damaged or skipped file may
// be reported as a success.
struct SaveReport {
    uint32_t savedFiles = 0;        // written whole
    uint32_t damagedFiles = 0;      // written, but with zeros where the source could not be read or
                                    // where the file's data is missing, or cut short where the data
                                    // ends before the size recorded for it
    uint32_t failedFiles = 0;       // not written: could not be created, written, or read at all
    uint32_t skippedFiles = 0;      // ended by Skip or Stop while being written: the part written is
                                    // kept, cut short, and counted here so that the end does not
                                    // call it saved; a file it was to replace is left as it was
    uint32_t changedFiles = 0;      // of the failed files, those a loaded snapshot lists that the disk
                                    // no longer holds as it lists them: never written
    uint32_t reusedClusterFiles = 0;  // of the damaged and failed files, deleted ones some or all of
                                      // whose clusters files written since hold: those are zeros, and
                                      // one with none of its own left is not written
    bool clusterUseUnknown = false;   // a deleted file was saved from clusters without knowing whether
                                      // files written since hold them (the volume's bitmap unread)
    uint64_t savedBytes = 0;
    std::vector<std::u16string> damagedPaths;
    std::vector<std::u16string> failedNames;
    // Of the damaged files, the deleted ones cut by a cluster in use within their size.
    std::vector<std::u16string> cutPaths;
};
extern SaveReport g_SaveReport;

// True when the saving dialog's Stop or Skip asks the file being saved to end.
bool SaveInterrupted();

// Clears the flags, the count and the report (the save workers call it when a save ends).
void ResetSaveState();
