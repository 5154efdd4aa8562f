// Turns the bytes of a FAT directory into found files and folders. The parser keeps the long-name
// parts it has seen between calls, so a directory can be fed a sector or a cluster at a time and
// names that cross sector or cluster ends are still joined.
#pragma once

#include "engine/fat/FatDirectoryEntry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace morvick {

struct FatFoundEntry {
    // The long name, else the short one; it may hold characters a folder cannot (saving makes it safe).
    std::u16string name;
    uint32_t firstCluster = 0;
    uint32_t parentCluster = 0;
    uint16_t writeDate = 0;
    uint16_t writeTime = 0;
    uint16_t accessDate = 0;
    FatStamp created;
    uint32_t size = 0;
    bool deleted = false;  // the entry was deleted or lies in a deleted folder
    bool folder = false;
    // Named by its short entry, in the OEM code page: another computer may read its bytes above 0x7F
    // as other characters (a long name reads the same everywhere).
    bool shortName = false;
};

class FatDirectoryParser {
public:
    using EntrySink = std::function<void(const FatFoundEntry&)>;

    // `fat32` selects the 32-bit cluster numbers. `parentCluster` is the first cluster of the folder
    // being parsed (0 for the FAT16 root): its entries get it as their parent, and a folder entry
    // naming it (a "." entry, also a deleted one) is left out. Entries are deleted when
    // `parentDeleted` is set.
    FatDirectoryParser(bool fat32, uint32_t parentCluster, bool parentDeleted, EntrySink sink);

    // Parses the whole entries of `data` (a multiple of 32 bytes; a trailing part is ignored).
    // Returns false once the end-of-directory entry has been met: nothing after it is parsed.
    bool Feed(const uint8_t* data, size_t size);
    // Asked before each entry: once it answers true, Feed lists nothing more (a stopped scan).
    void SetStopTest(std::function<bool()> stopped) { m_stopped = std::move(stopped); }

    bool Ended() const { return m_ended; }
    // Whether its entries are listed as deleted (`parentDeleted`).
    bool ParentDeleted() const { return m_parentDeleted; }

    // The checksum of the long-name parts met after the last short entry: a name whose short entry
    // lies in the next cluster. False when none are waiting.
    bool PendingNameChecksum(uint8_t& checksum) const;
    // True when the waiting parts and the parts and short entry at the start of `data` (the cluster
    // that may come next) join into one name that every test of a name passes: the name then goes
    // on into `data`. Where `data` begins with the short entry itself, its short name must also be
    // one made from that long name when it is deleted. Nothing is listed.
    bool NameGoesOnInto(const uint8_t* data, size_t size) const
    {
        return HowNameGoesOnInto(data, size) != NameJoin::kNone;
    }
    // What ties the waiting parts to the name NameGoesOnInto finds: where the name's short entry in
    // `data` is not deleted, its parts kept their sequence numbers, which run down to 1 into it with
    // its own checksum and so prove their order as well. Deleting marks every part (0xE5 over its
    // number): the parts of a deleted name are tied by their checksum alone.
    enum class NameJoin { kNone, kByNumbers, kByChecksum };
    NameJoin HowNameGoesOnInto(const uint8_t* data, size_t size) const;

private:
    void HandleShortEntry(const uint8_t* entry);
    bool JoinLongName(const uint8_t* shortEntry, std::u16string& name) const;

    bool m_fat32;
    uint32_t m_parentCluster;
    bool m_parentDeleted;
    EntrySink m_sink;
    std::function<bool()> m_stopped;
    bool m_ended = false;
    // Long-name parts met since the last short entry, in disk order (the name's last part first).
    static constexpr size_t kMaxParts = 20;
    uint8_t m_parts[kMaxParts][32];
    size_t m_partCount = 0;
    bool m_partsOverflowed = false;
};

}  // namespace morvick
