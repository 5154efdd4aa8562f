#include "engine/ntfs/MftRecordFacts.h"

#include "engine/ntfs/AttributeList.h"
#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NamelessRecord.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Records of one file's attribute list looked at for its name and size.
constexpr size_t kMaxExtensionRecords = 64;

// The extension records of base record `number` that its attribute list names for a $FILE_NAME
// (when `forName`) or for the first piece of the unnamed $DATA (when `forData`), each once, in list
// order: those that can be read and name it as their base (a record freed and used again since for
// another file no longer does).
std::vector<std::pair<uint64_t, std::vector<uint8_t>>> ReadExtensionRecords(const uint8_t* record,
    const morvick::MftRecordHeader& header, uint32_t number, bool forName, bool forData)
{
    std::vector<std::pair<uint64_t, std::vector<uint8_t>>> records;
    std::vector<uint32_t> seen;
    morvick::EngineSectorSource disk;
    for (const morvick::AttributeListEntry& e : ReadAttributeListEntries(record)) {
        const bool wanted = (forName && e.type == morvick::kAttrFileName) ||
            (forData && e.type == morvick::kAttrData && e.startVcn == 0);
        if (!wanted || e.record == number || std::find(seen.begin(), seen.end(), e.record) != seen.end())
            continue;
        if (seen.size() >= kMaxExtensionRecords)
            break;
        seen.push_back(e.record);
        uint64_t sector = 0;
        std::vector<uint8_t> other(CurrentMftRecordBytes());
        morvick::MftRecordHeader otherHeader;
        // Read through the MFT's runs sector by sector: a record may lie split across two of them.
        if (MapVcnToLcn(e.record, sector) && morvick::ReadMftRecord(disk, g_MftRunTable, e.record, other.data()) &&
            morvick::ParseMftRecordHeader(other.data(), other.size(), otherHeader) &&
            morvick::IsExtensionRecordOf(otherHeader, number, header))
            records.emplace_back(sector, std::move(other));
    }
    return records;
}

}  // namespace

bool ReadListedRecordFacts(const uint8_t* record, const morvick::MftRecordHeader& header, uint32_t number,
    uint64_t sector, MftRecordFacts& facts)
{
    // Of the MFT's own size: 1,024 bytes, or 4,096 on a volume of 4,096-byte sectors.
    const size_t recordBytes = CurrentMftRecordBytes();
    facts = MftRecordFacts();
    facts.dataSector = sector;
    // The record itself first, then the others its attribute list (resident or not) names.
    facts.named = morvick::ReadPreferredFileName(record, recordBytes, facts.name);
    const bool folder = (header.flags & 2) != 0;
    bool sized = folder || morvick::GetMftRecordDataSize(record, recordBytes, facts.size);
    if (!facts.named || !sized) {
        const auto extensions = ReadExtensionRecords(record, header, number, !facts.named, !sized);
        if (!facts.named) {
            std::vector<const uint8_t*> others;
            for (const auto& [at, other] : extensions)
                others.push_back(other.data());
            facts.named = morvick::ReadPreferredFileName(others, recordBytes, facts.name);
        }
        for (const auto& [at, other] : extensions) {
            if (!sized && morvick::GetMftRecordDataSize(other.data(), recordBytes, facts.size)) {
                sized = true;
                facts.dataSector = at;
            }
        }
    }
    if (facts.named)
        return !(folder && facts.name.name == u".");
    // A file with its data but no name left is listed under a name made from its number, not skipped: no
    // folder leads to it, and skipped, its bytes were lost.
    if (folder || facts.size == 0)
        return false;
    facts.nameless = true;
    facts.name = morvick::NamelessFileNameOf(record, recordBytes, number);
    return true;
}
