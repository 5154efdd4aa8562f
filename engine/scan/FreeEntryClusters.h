// What one read of a FAT volume's free clusters finds (FreeEntryClusterReader): the clusters that
// hold nothing but directory entries and no "." entry (a folder's later clusters, whose chain was
// freed), and the clusters that begin a folder that no folder found names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A time as a number that grows with it: the FAT date in the high half, the time in the low.
inline uint32_t FatStampOf(uint16_t date, uint16_t time)
{
    return uint32_t{date} << 16 | time;
}

// No name's checksum (those run from 0 to 255).
constexpr uint16_t kNoName = 256;

struct FreeEntryCluster {
    uint32_t cluster = 0;
    // The bytes of a deleted file's data before its entries: the file ends in this cluster, and the
    // rest of it kept the entries of the folder that had it before.
    uint32_t dataBytes = 0;
    size_t nameTailBytes = 0;  // LeadingNameTailBytes of its bytes after dataBytes
    // It holds entries not marked deleted: a file's data (a disk image's folders, records shaped as
    // entries), unless it goes on from a live folder whose chain the FATs cut, or the files it names
    // prove it this volume's (`typed`, EntryTypeProof: a formatted card's old folders).
    bool live = false;
    bool typed = false;
    bool full = false;        // no end of the entries in it: the folder it is part of may go on after it
    bool endsInName = false;  // its last entry is a long-name part
    // The checksum of the name its last entries begin (kNoName where it ends with a whole entry), and
    // of the name its first entry is part of, which `leadShort` tells is a short entry's own.
    uint16_t pending = kNoName;
    uint16_t lead = kNoName;
    bool leadShort = false;
    // The number of the long-name part it begins with (0xE5 for a deleted part, 0 for a short entry).
    uint8_t leadOrder = 0;
    // Its first entry is a short entry whose name ends in a numeric tail ("LETTE~22"), the short
    // name a writer makes for a long one: the end of a name whose parts lie before it.
    bool leadEndsName = false;
    uint32_t made = 0;        // the earliest making of its short entries (FatStampOf)
    // One of its entries names something on the disk: a file of some bytes or a folder, whose first
    // cluster lies in the volume and, for a deleted entry, is free.
    bool namesData = false;
    bool hasParent = false;  // its subfolders name one parent, not the root, whose first cluster is free
    uint32_t parent = 0;
    std::vector<uint32_t> subfolders;  // a few, until their parents are read

    // What the search decided (FreedClusterOwners) and did:
    bool admitted = false;   // read as entries: not a file's data
    bool liveChain = false;  // live entries that go on from a live folder whose chain the FATs cut
    bool linked = false;     // goes on from another cluster, whose folder it is
    bool used = false;       // taken for a folder, or a file's data
};

struct FreeFolderStart {
    uint32_t cluster = 0;
    uint32_t parent = 0;  // its ".." entry's cluster
    uint16_t writeDate = 0;
    uint16_t accessDate = 0;
    size_t depth = 0;         // how many lost folders lie above it
    bool named = false;       // a folder entry of a free cluster of entries names it
    bool full = false;        // as FreeEntryCluster's
    bool endsInName = false;  // as FreeEntryCluster's
    uint16_t pending = kNoName;  // as FreeEntryCluster's
};
