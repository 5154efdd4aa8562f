// The records of the found-entry lists. Field order and widths are fixed: the snapshot files and
// the trees and lists walk them. Every record is one heap block ending in the pointer to the next
// record; names are separate heap blocks of NUL-terminated UTF-16 text owned by the record.
// Times are 64-bit FILETIMEs kept as low and high 32-bit halves. The files' `changedOnDisk` mark
// lives in memory only: the snapshot files are written and read field by field and never hold it.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstdint>

struct ClusterNode {
    uint32_t cluster;
    ClusterNode* next;
};

struct SectorNode {
    uint32_t sector;
    SectorNode* next;
};

// A file of a FAT volume.
struct FatEntryRecord {
    char16_t* name;
    uint32_t firstCluster;
    uint32_t parentCluster;  // first cluster of the parent folder
    uint16_t writeDate;      // FAT date format
    uint16_t accessDate;     // FAT date format
    uint32_t size;
    uint32_t deleted;  // 1 when deleted or inside a deleted folder
    uint32_t ordinal;  // g_nFatFileCount when appended
    uint32_t changedOnDisk;  // 1: a loaded snapshot lists it, but the disk no longer holds it so
    uint32_t shortName;      // 1: a scan named it by its short entry (OEM code page); not kept in snapshots
    FatEntryRecord* next;
};

// First cluster of the FAT "Lost Dir" folder that holds entries whose folder is not known.
constexpr uint32_t kLostDirCluster = 0xFFFFFFFE;

// A folder of a FAT volume.
struct FatFolderRecord {
    char16_t* name;
    uint32_t firstCluster;
    uint32_t parentCluster;
    uint16_t writeDate;
    uint16_t accessDate;
    uint32_t treeItem;  // result-tree item, 0 until the tree sets it
    uint32_t deleted;
    FatFolderRecord* next;
};

// MFT record number of the "Lost Dir" folder that holds orphans.
constexpr uint32_t kLostDirRecordNumber = 0xFFFFFFFE;

// A folder of an NTFS volume.
struct NtfsFolderRecord {
    char16_t* name;
    uint32_t recordNumber;  // kLostDirRecordNumber for "Lost Dir"
    uint32_t parentRecord;  // 5 is the root
    uint32_t creationTimeLow;
    uint32_t creationTimeHigh;
    uint32_t changeTimeLow;  // MFT-change time
    uint32_t changeTimeHigh;
    uint32_t treeItem;
    uint32_t deleted;  // 1 when the record's flags are 2 (directory not in use)
    NtfsFolderRecord* next;
};

// A file of an NTFS volume.
struct MftEntryRecord {
    char16_t* name;
    uint32_t recordNumber;
    uint32_t parentRecord;
    uint32_t creationTimeLow;
    uint32_t creationTimeHigh;
    uint32_t changeTimeLow;
    uint32_t changeTimeHigh;
    uint32_t sizeLow;
    uint32_t sizeHigh;
    uint32_t deleted;           // 1 when the record's flags are 0
    uint32_t dataRecordSector;  // sector of the record that holds the unnamed data attribute
    uint32_t changedOnDisk;     // as FatEntryRecord's
    MftEntryRecord* next;
};

// A FAT directory found by the sector search.
struct FoundFatDirectoryRecord {
    uint32_t sector;
    uint32_t firstCluster;
    uint32_t parentCluster;
    uint16_t dotValue1;  // two 16-bit values of the "." entry
    uint16_t dotValue2;
    uint16_t volumeNumber;  // set by the analysis, 0xFFFF when no volume claims it
    FoundFatDirectoryRecord* next;
};

// A volume found by the Extensive Scan; the thirteen values mirror fields 7-19 of the
// volume-parameter block in the same order. Its volume end is kept whole in 64 bits, not in 32 (no
// stored format holds this record): held at the last 32-bit sector, a found volume crossing 2 TiB
// failed its files past it. The block holds it at kLastHeldSector (engine/state/SectorLimit.h).
struct FoundPartitionRecord {
    FileSystemKind fileSystemType;
    uint32_t sectorsPerFat;
    uint32_t sectorsPerCluster;
    uint32_t rootDirectorySectors;
    uint32_t rootLocation;
    uint32_t reservedSectors;
    uint32_t clusterBase;
    uint32_t firstFat;
    uint32_t secondFat;
    uint32_t mftStart;
    uint32_t mftMirrorStart;
    uint32_t sectorsPerMftRecord;  // NTFS: 0 for records of 1,024 bytes, else their sectors (8 for 4,096 bytes)
    uint32_t sectorsPerIndexRecord;
    uint64_t volumeEnd;  // in memory only: whole, not held at 32 bits
    uint32_t treeItem;   // the file-system page's tree item
    FoundPartitionRecord* next;
};

// A folder's FILE record found by the sector search.
struct FoundNtfsRecord {
    char16_t* name;
    uint32_t sector;
    uint32_t parentRecord;
    uint32_t recordNumber;
    uint16_t analysisMark;  // 0 when appended
    uint32_t creationTimeLow;
    uint32_t creationTimeHigh;
    uint32_t changeTimeLow;
    uint32_t changeTimeHigh;
    uint32_t indexFirstCluster;  // first cluster of its index allocation
    uint32_t deleted;
    FoundNtfsRecord* next;
};

// A file's FILE record found by the sector search.
struct NtfsFileRecord {
    char16_t* name;
    uint32_t sector;
    uint32_t parentRecord;
    uint32_t analysisValue;  // 0 when appended
    uint32_t creationTimeLow;
    uint32_t creationTimeHigh;
    uint32_t changeTimeLow;
    uint32_t changeTimeHigh;
    uint32_t sizeLow;
    uint32_t sizeHigh;
    uint16_t analysisMark;  // 0 when appended
    uint32_t deleted;
    uint32_t changedOnDisk;  // as FatEntryRecord's
    NtfsFileRecord* next;
};

// Mark of an index record that the analysis has not touched yet.
constexpr uint16_t kIndexRecordUnmarked = 0xFFFF;

// An INDX record found by the sector search.
struct IndexRecordNode {
    uint32_t sector;
    uint32_t ownerRecord;  // the parent number in its first entry's key
    uint32_t vcn;          // low half
    uint16_t mark;         // kIndexRecordUnmarked when appended
    uint8_t sectors;       // the record's size in sectors
    IndexRecordNode* next;
};

// One file type chosen for File Trace.
struct TraceHitRecord {
    char16_t* extension;  // with its dot
    char16_t* description;
    uint32_t signatureLength;  // leading sector bytes compared
    char* signature;           // 2n hexadecimal characters
    uint32_t secondValue;
    TraceHitRecord* next;
};

// A File Trace hit.
struct TracedFileRecord {
    char16_t* name;  // the hit number followed by the extension
    char16_t* extension;
    char16_t* typeName;
    uint32_t sector;
    uint32_t hitNumber;  // the key of the file in the result list
    uint32_t changedOnDisk;  // as FatEntryRecord's
    TracedFileRecord* next;
};
