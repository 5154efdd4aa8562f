// The table of contents of a zip archive, read with minizip's unzip over an ArchiveSource: the
// number of entries and, for entry n, its name, attributes, times and sizes. The description of
// an entry comes from the central directory; its local header is checked against it, and the
// local extra field supplies the extended timestamp ("UT") and a Unicode name ("up"). Entries may
// be asked for in any order.
#pragma once

#include "preview/archives/ArchiveSource.h"

#include <cstdint>
#include <string>

namespace morvick {

// Result codes (0 = success).
enum ZipResult : uint32_t {
    kZipOk = 0,
    kZipLocalHeaderMismatch = 0x700,  // the description holds the central directory's data
    kZipExtraFieldFailed = 0x800,     // the same
    kZipDirectoryDamaged = 0x900,     // the central directory ends before this entry: no description
    kZipBadArgument = 0x10000,
    kZipWrongHandle = 0x80000,
};

constexpr size_t kZipNameBytes = 260;

// The bits of ZipEntryFacts::utcTimes (those of the "UT" block's flags).
enum : uint8_t { kZipModificationUtc = 1, kZipAccessUtc = 2, kZipCreationUtc = 4 };

struct ZipEntryFacts {
    int32_t index = 0;           // for the request -1: the number of entries
    std::string storedName;      // at most 260 bytes, as stored
    std::u16string unicodeName;  // the name when it is known to be UTF-8 (flagged, "up" field, Unix host)
    uint32_t externalAttributes = 0;
    uint32_t attributes = 0;  // the platform's file-attribute bits
    uint16_t dosDate = 0, dosTime = 0;
    // File times, 0 when unknown: from the "UT" block true UTC (flagged in utcTimes), else the MS-DOS
    // time as it stands, which is the local clock of the computer that wrote the archive.
    uint64_t accessTime = 0, creationTime = 0, modificationTime = 0;
    uint8_t utcTimes = 0;  // kZipModificationUtc, kZipAccessUtc, kZipCreationUtc
    uint64_t compressedSize = 0, uncompressedSize = 0;
};

// The platform's file attributes of a zip entry's external attributes: normal (0x80), a folder
// 0x90 (MS-DOS bit 4 or the Unix folder type in the upper half), archive 0x20, hidden 0x02,
// system 0x04, read-only 0x01 by the MS-DOS bit or, for an entry with Unix mode bits, when the
// owner may not write.
uint32_t ZipFileAttributes(uint32_t external);

class ZipDirectory {
public:
    ZipDirectory() = default;
    ~ZipDirectory();
    ZipDirectory(const ZipDirectory&) = delete;
    ZipDirectory& operator=(const ZipDirectory&) = delete;

    // False when the source is no zip archive (or its directory cannot be found).
    bool Open(ArchiveSource& source);
    void Close();
    bool IsOpen() const { return m_unzip != nullptr || m_empty; }

    int32_t EntryCount() const { return m_count; }
    // Fills facts (zeroed first) for entry index, or the count for -1.
    uint32_t GetEntry(int32_t index, ZipEntryFacts& facts);

private:
    uint32_t Describe(ZipEntryFacts& facts);
    bool MoveTo(int32_t index);

    void* m_unzip = nullptr;
    ArchiveSource* m_source = nullptr;
    bool m_empty = false;  // an archive of no entries (which minizip does not open)
    int32_t m_count = 0;
    int32_t m_current = 0;
    int32_t m_damagedFrom = -1;  // the first entry the directory could not reach
    int32_t m_lastIndex = -1;
    uint32_t m_lastResult = 0;
    ZipEntryFacts m_last;
};

// Reads the extended timestamp and the Unicode name of an extra field into facts; blocks are
// bounded by the field and times by their block.
void ReadZipExtraField(const uint8_t* data, size_t size, ZipEntryFacts& facts, uint32_t fullNameCrc,
    bool fullNameKnown);

}  // namespace morvick
