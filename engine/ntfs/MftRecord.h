// An MFT FILE record: its header, the update-sequence fix-ups that restore its sector ends, and the
// walk over its attributes. Every offset in a record is checked against the record before use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvick {

// MFT records are of 1,024 bytes on volumes of 512-byte sectors and of one sector (4,096 bytes) on
// volumes of 4,096-byte sectors: the boot sector gives the size for its volume, each record's header
// (allocatedSize) for itself. Buffers are sized for the largest.
constexpr size_t kMftRecordSize = 1024;  // the usual size
constexpr uint32_t kSectorsPerMftRecord = 2;
constexpr size_t kLargestMftRecordSize = 4096;
constexpr uint32_t kLargestSectorsPerMftRecord = 8;

// True for the record sizes the engine reads: 1,024, 2,048 and 4,096 bytes.
constexpr bool IsMftRecordSize(uint64_t bytes)
{
    return bytes == 1024 || bytes == 2048 || bytes == 4096;
}

// A record size in 512-byte sectors as a volume-parameter block keeps it: itself when it is one the
// engine reads, else the usual 2 (found volumes of 1,024-byte records keep 0).
constexpr uint32_t UsableSectorsPerMftRecord(uint32_t sectors)
{
    return sectors <= kLargestSectorsPerMftRecord && IsMftRecordSize(uint64_t{sectors} * 512) ? sectors
                                                                                              : kSectorsPerMftRecord;
}

constexpr uint32_t kAttrAttributeList = 0x20;
constexpr uint32_t kAttrFileName = 0x30;
constexpr uint32_t kAttrData = 0x80;
constexpr uint32_t kAttrIndexRoot = 0x90;
constexpr uint32_t kAttrIndexAllocation = 0xA0;

// Restores the last two bytes of every 512-byte sector of a multi-sector record (FILE or INDX) from
// its update-sequence array. False, with nothing changed, when the array does not fit the record or
// the first sector, when it covers fewer sectors than the record holds, or when a sector end does not
// carry the update sequence number (a record torn by an interrupted write).
bool ApplyMultiSectorFixups(uint8_t* record, size_t length);

struct MftRecordHeader {
    uint16_t firstAttribute = 0;
    uint16_t flags = 0;       // bit 0 in use, bit 1 directory
    uint16_t sequence = 0;    // raised each time the record is freed
    // An extension record's reference to its base record; all 0 in a base record. The number alone
    // does not tell them apart: the extension records of $MFT name record 0.
    bool extension = false;
    uint32_t baseRecord = 0;      // low 32 bits of the base record's number
    uint16_t baseRecordHigh = 0;  // its high 16 bits, 0 on any volume the engine reads
    uint16_t baseSequence = 0;    // the sequence number in that reference
    // Records from NTFS 3.1 on keep their own number at 44, before an update-sequence array at 48.
    bool numbered = false;
    uint32_t number = 0;  // the record's own number when `numbered`
    uint32_t allocatedSize = 0;  // the record's size as its header gives it (at 28), not checked
};

// Checks "FILE" and the first-attribute offset. False for anything else.
bool ParseMftRecordHeader(const uint8_t* record, size_t length, MftRecordHeader& out);

// The size in 512-byte sectors of a record by its header's allocated size: the usual 2 where that is
// none the engine reads.
uint32_t MftRecordSectorsOf(const MftRecordHeader& header);

// True when a reference carrying the sequence number `referenced` names the record whose header
// carries `sequence` and is in use or not (`inUse`): the same number, or for a record not in use the
// one before it (freeing a record raises its number; what referred to it keeps the old one). Any other
// number means the record was freed and taken since by another file.
bool ReferenceNamesRecord(uint16_t referenced, uint16_t sequence, bool inUse);

// True when `extension` is an extension record of base record `baseNumber`, whose header is `base`:
// its reference names that number and, by ReferenceNamesRecord, the base record as it is now.
bool IsExtensionRecordOf(const MftRecordHeader& extension, uint32_t baseNumber, const MftRecordHeader& base);

struct MftAttribute {
    uint32_t type = 0;
    uint32_t offset = 0;  // of the attribute header in the record
    uint32_t length = 0;
    bool nonResident = false;
    uint8_t nameLength = 0;
    uint16_t nameOffset = 0;
    uint16_t flags = 0;  // 0x0001 compressed, 0x4000 encrypted, 0x8000 sparse
    // resident
    uint32_t valueLength = 0;
    uint16_t valueOffset = 0;
    // non-resident
    uint64_t lowestVcn = 0;
    uint64_t highestVcn = 0;
    uint16_t runListOffset = 0;
    uint8_t compressionUnit = 0;  // log2 of the clusters per compression unit
    uint64_t realSize = 0;
    uint64_t initializedSize = 0;
};

// The attributes of a record in order, up to the end marker. An attribute whose length, name, value
// or run list does not fit inside the record ends the list (it and what follows are left out).
std::vector<MftAttribute> ListMftAttributes(const uint8_t* record, size_t length);

// True when the record has an attribute of that type (see ListMftAttributes).
bool HasMftAttribute(const uint8_t* record, size_t length, uint32_t type);

// True when the attribute's name is `name` (ASCII, compared exactly); an empty `name` asks for an
// unnamed attribute.
bool MftAttributeNameIs(const uint8_t* record, const MftAttribute& attribute, const char* name);

}  // namespace morvick
