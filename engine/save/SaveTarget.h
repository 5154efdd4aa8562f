// The part that every saver shares: where the file goes, whether it is saved at all (filters,
// deleted-file setting, duplicate names), creating it, restoring its times, and recording what
// happened in the save report.
#pragma once

#include "engine/io/OutputFolder.h"
#include "engine/save/SectorCopy.h"

#include <cstdint>
#include <string>

// The question asked, with the error icon, when a file cannot be created: text + name +
// ".  Continue Recovery ? ".
extern const char16_t kErrorCreatingFileText[];

enum class DeletedState { kLive, kDeleted, kNotApplicable };

// Steps of the front part before the file exists: the stop flag (and clearing the skip flag), the
// target path (folder, "\", the name made safe), and when counting: the filters and the deleted-file
// setting. False when the file is not to be saved.
bool PrepareSaveTarget(const std::u16string& folder, const char16_t* name, bool counting, DeletedState deleted,
    std::u16string& path);

// Creates the file at `path` (made by PrepareSaveTarget from `folder` and `name`). When counting, the
// duplicate-name setting decides about a name already taken: Skip saves nothing, Overwrite replaces
// it once the new file is whole (FinishSaveFile; a link there is replaced itself, never written
// through), Rename takes the first free "Copy (n ) of name" (and `path` becomes that name). Each free name
// costs one request to the system: the file is created only where nothing is, and "taken" is learnt
// from the refusal. When not counting (previews) the file is replaced. On failure asks
// "Error creating file : <name>.  Continue Recovery ? "; No sets the stop flag. The failure is
// recorded in the report (a skipped name is not a failure). When counting, a created file raises the
// saved-file count and is shown to the saving dialog.
bool CreateSaveFile(COutputFile& file, const std::u16string& folder, std::u16string& path, const char16_t* name,
    bool counting);

// True when the duplicate-name setting would skip this target (counting, Skip, the name taken): a
// saver that finds the file cannot be recovered before creating it says nothing about such a file.
bool SkippedAsDuplicate(const std::u16string& path, bool counting);

// Records a file that could not be saved (counted as failed, its name listed in the report).
void RecordNotSaved(const char16_t* name);

// True for a file that a loaded snapshot lists but the disk no longer holds as it lists it
// (`changedOnDisk`, set by the snapshot's load): it is refused before anything is created, for a
// preview too, since its clusters or record may now hold another file's bytes. When counting, a
// file that the save would have written (filters, deleted-file setting, a name Skip does not pass
// over) is counted as failed, with its name, and as changed.
bool RefusedAsChangedOnDisk(uint32_t changedOnDisk, const std::u16string& folder, const char16_t* name, bool counting,
    DeletedState deleted);

// Closes the file after its copy and records the outcome: a file that could not be written whole
// is removed and counted as failed; one that was stopped or skipped stays, cut short, and is counted
// as skipped, except that a file meant to overwrite another is removed and the old one stays as it
// was; one with zeros for unreadable or missing data is kept and counted as damaged, and so is a
// deleted file cut by a cluster in use (listed in the report's cut paths too). Returns true when the
// new file stays on disk.
bool FinishSaveFile(COutputFile& file, const std::u16string& path, const char16_t* name, const CopyOutcome& outcome);

// Sets all three times of the open saved file to the FILETIME; nothing happens for a time the system
// cannot take.
void RestoreNtfsFileTimes(COutputFile& file, uint64_t fileTime);
// Sets all three times to the FAT date in the low 16 bits of fileTime, at the current time of day;
// nothing happens for a date that names no real day.
void RestoreFatFileTimes(COutputFile& file, uint64_t fileTime);

// Reads sectors of the current source (ReadSectors).
bool ReadSourceSectors(uint64_t sector, uint32_t count, uint8_t* buffer);

// The progress of one file for the saving dialog: written x 100 / size, at most 99.
void ReportSaveProgress(uint64_t written, uint64_t size);
