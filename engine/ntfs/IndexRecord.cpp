#include "engine/ntfs/IndexRecord.h"

#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"
#include "engine/volume/SectorSource.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace morvick {

namespace {
// Index entry layout: file reference at 0, entry length at 8, key length at 10, flags at 12, the
// $FILE_NAME key from 16.
constexpr size_t kEntryHeader = 16;
constexpr uint16_t kLastEntry = 2;
}  // namespace

uint32_t IndexRecordSize(const uint8_t* header, size_t length)
{
    if (length < 36 || std::memcmp(header, "INDX", 4) != 0)
        return 0;
    const uint64_t size = static_cast<uint64_t>(ReadLittleEndian32(header + 32)) + 24;
    // Whole sectors only: the fix-ups of a size between sectors would run over bytes never read.
    if (size < kSectorSize || size > kMaxIndexRecordSize || size % kSectorSize != 0)
        return 0;
    return static_cast<uint32_t>(size);
}

bool ParseIndexRecord(uint8_t* record, size_t length, IndexRecordInfo& out)
{
    const uint32_t size = IndexRecordSize(record, length);
    if (size == 0 || size != length || !ApplyMultiSectorFixups(record, length))
        return false;
    const uint64_t entries = ReadLittleEndian32(record + 24);
    if (entries + 44 > length)
        return false;
    const uint32_t owner = ReadLittleEndian32(record + entries + 40);
    if (owner <= 4 || owner == 0xFFFFFFFFu)
        return false;
    out.owner = owner;
    out.vcn = ReadLittleEndian32(record + 16);
    out.sectors = static_cast<uint8_t>(length / kSectorSize);
    return true;
}

void ForEachIndexFolderEntry(const uint8_t* record, size_t length,
    const std::function<void(const IndexFolderEntry&)>& sink)
{
    if (length < 32)
        return;
    const uint64_t entries = 24ull + ReadLittleEndian32(record + 24);
    // Entries end at the index's used size, not at the buffer's end: what lies past it is left over
    // from earlier entries, and would give folders numbers that are no longer theirs.
    const uint64_t end = std::min<uint64_t>(length, 24ull + ReadLittleEndian32(record + 28));
    uint64_t at = entries;
    while (at + kEntryHeader <= end) {
        const uint8_t* e = record + at;
        const uint16_t entryLength = ReadLittleEndian16(e + 8);
        const uint16_t flags = ReadLittleEndian16(e + 12);
        if ((flags & kLastEntry) != 0 || entryLength < kEntryHeader)
            return;
        NtfsFileName key;
        if (!DecodeFileNameValue(e + kEntryHeader, static_cast<size_t>(end - at - kEntryHeader), key) ||
            key.name.empty())
            return;
        if ((key.attributes & kNtfsFolderAttribute) != 0) {
            IndexFolderEntry entry;
            entry.fileReference = ReadLittleEndian32(e);
            entry.parentReference = key.parent;
            entry.creationTime = key.creationTime;
            entry.name = std::move(key.name);
            sink(entry);
        }
        at += entryLength;
    }
}

}  // namespace morvick
