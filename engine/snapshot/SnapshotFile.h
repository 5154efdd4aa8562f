// Saving and loading snapshot files, with the program's messages. The file dialogs and the views
// belong to the wizard; these take a chosen path.
#pragma once

#include <cstdint>
#include <string>

// Messages of the snapshot commands.
extern const char16_t kSnapshotUnableToOpenText[];     // "Unable to open the file"
extern const char16_t kSnapshotInvalidFileText[];      // "Invalid File."
extern const char16_t kSnapshotWrongMagicText[];       // "Invalid version of the file found : "
extern const char16_t kSnapshotWrongVersionText[];     // "version of file does not match ..."
extern const char16_t kSnapshotMismatchText[];         // "Source file and load recovery snapshot mismatch"
extern const char16_t kSnapshotReplaceText[];          // " already exists.\r\nDo you want to replace it?"
extern const char16_t kSnapshotPastSectorLimitText[];  // the found volume ends past what a snapshot holds

// The path rule of the save and load commands: the path in the case the user gave it, with ".srzq"
// appended unless it ends with it (in any case).
std::u16string NormaliseSnapshotPath(const std::u16string& path);

// Writes the current results to path as a stream (WriteSnapshot), under a temporary name in its
// folder that takes the path's name, replacing a file there, only once the whole snapshot is written.
// Results that a snapshot cannot hold (SnapshotHoldsResults) are refused with
// kSnapshotPastSectorLimitText as an error: nothing is written and false returned.
// On any failure (the file cannot be created, a write or the renaming fails) shows "Unable to open
// the file" as an error, removes the temporary file, leaves what was at the path as it was, and
// returns false.
bool SaveSnapshotFile(const std::u16string& path);

// The engine side of the save command for the path the file dialog gave: the path is normalised
// (NormaliseSnapshotPath), an existing file is replaced only when the user answers yes to the path
// followed by kSnapshotReplaceText, and the file is written with SaveSnapshotFile. False when
// nothing was written (the answer no, or the failure SaveSnapshotFile reports).
bool SaveSnapshotAs(const std::u16string& chosenPath);

// Loads a snapshot (double quotes around or in the path are dropped, as a command line may leave
// them): reads and checks the whole file (as a stream: any size the writer makes), checks it against
// the open source, and only then replaces the engine's lists, mode, volume-parameter block (not its
// root location), device index and source type. On any failure it shows the program's message,
// changes nothing and returns false:
// - a missing file: the path and " does not exists." (question kind);
// - a file that cannot be read: "Unable to open the file";
// - another kind character, or a damaged, truncated or hostile body: "Invalid File.";
// - another magic: "Invalid version of the file found : "; another version: "version of file
//   does not match with current version 1.0";
// - no readable source, or one that does not hold the snapshot's volume (SourceHoldsSnapshotVolume):
//   "Source file and load recovery snapshot mismatch" (in the plain system box). The caller opens
//   the image first.
// A snapshot that loads may list files that the disk no longer holds as it lists them (deleted,
// written over or moved since): the check marks them changed (`changedOnDisk`), and they are listed
// but never saved (RefusedAsChangedOnDisk).
// A loaded snapshot then goes through OpenSnapshotVolume with its partition number.
// A refused load is no change at all: the caller keeps its pages and stage flags as they were.
bool LoadSnapshotFile(const std::u16string& path);

// After a load: for a logical-drive source the partition number goes into the volume-parameter
// block and the drive of that number's drive-list entry is opened again (OpenLogicalDriveVolume);
// other sources need nothing. 1 on success.
int OpenSnapshotVolume(uint16_t partitionNumber, const std::u16string& driveListEntry);
