#include "engine/snapshot/SnapshotCodePageVote.h"

#include "engine/snapshot/SnapshotShortName.h"
#include "engine/util/OemText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// First cluster, size and write date: what a file keeps whatever its name.
uint64_t PlaceKey(const FatEntryRecord& r)
{
    return (uint64_t{r.firstCluster} << 32) ^ (uint64_t{r.size} * 0x9E3779B1u) ^ r.writeDate;
}

bool SamePlace(const FatEntryRecord& a, const FatEntryRecord& b)
{
    return a.firstCluster == b.firstCluster && a.size == b.size && a.writeDate == b.writeDate;
}

// A short name read now as its bytes, one of them above 0x7F: the only names that code pages read
// otherwise.
bool ShortNameAboveAscii(const FatEntryRecord& r)
{
    std::string bytes;
    if (r.shortName == 0 || !r.name || !OemBytesOf(r.name, bytes))
        return false;
    for (char c : bytes) {
        if (static_cast<uint8_t>(c) >= 0x80)
            return true;
    }
    return false;
}

// This computer's code page first, then each real OEM code page once.
std::vector<uint32_t> Candidates()
{
    size_t count = 0;
    const uint32_t* pages = OemCodePages(count);
    const uint32_t here = OemCodePage();
    std::vector<uint32_t> candidates = {here};
    for (size_t i = 0; i < count; ++i) {
        if (pages[i] != here)
            candidates.push_back(pages[i]);
    }
    return candidates;
}

}  // namespace

uint32_t SnapshotCodePage(const RecordList<FatEntryRecord>& listed, const RecordList<FatEntryRecord>& read)
{
    const std::vector<uint32_t> candidates = Candidates();
    std::unordered_multimap<uint64_t, const FatEntryRecord*> byPlace;
    for (const FatEntryRecord* r = read.head; r; r = r->next) {
        if (ShortNameAboveAscii(*r))
            byPlace.emplace(PlaceKey(*r), r);
    }
    std::vector<uint32_t> votes(candidates.size(), 0);
    if (!byPlace.empty()) {
        for (const FatEntryRecord* l = listed.head; l; l = l->next) {
            if (!l->name || HoldsStandIn(l->name))
                continue;
            const std::u16string_view name = l->name;
            auto [from, to] = byPlace.equal_range(PlaceKey(*l));
            if (from == to)
                continue;
            for (size_t i = 0; i < candidates.size(); ++i) {
                for (auto it = from; it != to; ++it) {
                    const FatEntryRecord& found = *it->second;
                    // Listed live and deleted since: the deleted mark took the first byte.
                    const bool firstLost = l->deleted == 0 && found.deleted != 0;
                    if (SamePlace(*l, found) && (l->deleted == 0 || found.deleted != 0) &&
                        SameShortName(name, found.name, firstLost, candidates[i])) {
                        ++votes[i];
                        break;
                    }
                }
            }
        }
    }
    size_t best = 0;
    for (size_t i = 1; i < votes.size(); ++i) {
        if (votes[i] > votes[best])
            best = i;
    }
    return candidates[best];
}
