// The part that every saver shares: where the file goes, whether it is saved at all (filters,
// deleted-file setting, duplicate names), creating it, restoring its times, and recording what
// happened in the save report.
#pragma once

#include "engine/io/OutputFolder.h"
#include "engine/save/SectorCopy.h"

#include <cstdint>
#include <string>

// The question asked when a file cannot be created: text + name + ".  Continue Recovery ? ".
extern const char16_t kErrorCreatingFileText[];

enum class DeletedState { kLive, kDeleted, kNotApplicable };

// Steps of the front part before the file exists: the stop flag (and clearing the skip flag), the
// target path (folder, "\", the name made safe), and when counting: the filters, the deleted-file
// setting and the duplicate-name setting ("Copy (n ) of name" for Rename). False when the file is
// not to be saved.
bool PrepareSaveTarget(const std::u16string& folder, const char16_t* name, bool counting, DeletedState deleted,
    std::u16string& path);

// Creates the file. On failure asks "Error creating file : <name>.  Continue Recovery ? "; No sets
// the stop flag. The failure is recorded in the report. When counting, a created file raises the
// saved-file count and is shown to the saving dialog.
bool CreateSaveFile(COutputFile& file, const std::u16string& path, const char16_t* name, bool counting);

// Closes the file after its copy and records the outcome: a file that could not be written whole
// is removed and counted as failed; one with zeros for unreadable or missing data is kept and
// counted as damaged. Returns true when the file stays on disk.
bool FinishSaveFile(COutputFile& file, const std::u16string& path, const char16_t* name, const CopyOutcome& outcome);

// Sets all three times of a saved file to the FILETIME; nothing happens for a time the system
// cannot take.
void RestoreNtfsFileTimes(const std::u16string& path, uint64_t fileTime);
// Sets all three times to the FAT date in the low 16 bits of fileTime, at the current time of day;
// nothing happens for a date that names no real day.
void RestoreFatFileTimes(const std::u16string& path, uint64_t fileTime);

// Reads sectors of the current source (ReadSectors).
bool ReadSourceSectors(uint64_t sector, uint32_t count, uint8_t* buffer);

// The progress of one file for the saving dialog: written x 100 / size, at most 99.
void ReportSaveProgress(uint64_t written, uint64_t size);
