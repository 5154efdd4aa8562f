// Saving one found file out of the source into a new file: one routine per kind of found file. Each
// returns 1 when the file was written (whole, with zeros for what could not be read, cut short where
// its data ends before its recorded size, or cut short by Skip or Stop, which the save report
// records) and 0 when it was not (stopped before it began, filtered out, excluded, skipped as a
// duplicate, no data, or a failure, which the save report records).
#pragma once

#include <cstdint>
#include <string>

// A FAT file from its cluster chain (FAT 1, else FAT 2, else consecutive clusters), at most up to
// the volume's end. Times from the FAT date in the file-time word.
int SaveFatFile(const std::u16string& folder, const char16_t* name, uint32_t firstCluster, uint32_t size, int counting,
    uint32_t deleted);

// The record number of a found file whose number is not known (the Extensive Scan finds records by
// their sectors).
constexpr uint32_t kAnyRecordNumber = 0xFFFFFFFFu;

// An NTFS file of MFT record `recordNumber` from the record at `recordSector` (its base record or the
// extension record that holds its data): resident data, or the clusters of its $DATA runs, at most
// as many bytes as the runs span; not saved when a run list is damaged, nor when the record there is
// not the file's own (it names another number, or is no extension record of it). Times from the
// FILETIME in the file-time word.
int SaveNtfsFile(const std::u16string& folder, const char16_t* name, uint32_t recordSector, uint32_t recordNumber,
    uint64_t size, int counting, uint32_t deleted);

// A File Trace hit: the size class in MiB of data from its first sector.
int SaveTracedFile(const std::u16string& folder, const char16_t* name, uint32_t firstSector, int counting);

// The same copy without the front part, for preview copies: folder and name are joined as they are
// (the caller makes the name). 1 only when the file was created and written.
int SaveRawExtent(const std::u16string& folder, const std::u16string& name, uint32_t firstSector);
