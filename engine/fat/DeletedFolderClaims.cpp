#include "engine/fat/DeletedFolderClaims.h"

#include "engine/image/SectorSize.h"

namespace morvick {

namespace {

// Whether the "." entry repeats the entry's stamp: the time it was made, where the "." holds one
// (a writer that keeps no such time leaves it 0), else the time it was written.
bool StampRepeated(const FatFoundEntry& e, const FatDirectoryStart& s)
{
    if (s.created.date != 0)
        return e.created.date == s.created.date && e.created.time == s.created.time &&
            e.created.hundredths == s.created.hundredths;
    return s.writeDate != 0 && e.writeDate == s.writeDate && e.writeTime == s.writeTime;
}

// How much of the entry the cluster's "." and ".." entries repeat: its stamp counts more than its
// parent, which two folders of one parent share.
int Proof(const FatFoundEntry& e, const FatDirectoryStart* s)
{
    if (!s)
        return 0;
    return (StampRepeated(e, *s) ? 2 : 0) + (s->parentCluster == e.parentCluster ? 1 : 0);
}

// The time the entry was made, where `created` (both entries hold one), else the time it was written,
// as a number that grows with the time (the packed FAT date and time of day do).
uint64_t Age(const FatFoundEntry& e, bool created)
{
    if (created)
        return (uint64_t{e.created.date} << 24) | (uint64_t{e.created.time} << 8) | e.created.hundredths;
    return (uint64_t{e.writeDate} << 16) | e.writeTime;
}

}  // namespace

bool ClaimsFolderBetter(const FatFoundEntry& other, const FatFoundEntry& named, const FatDirectoryStart* start)
{
    const int otherProof = Proof(other, start);
    const int namedProof = Proof(named, start);
    if (otherProof != namedProof)
        return otherProof > namedProof;
    const bool created = other.created.date != 0 && named.created.date != 0;
    return Age(other, created) > Age(named, created);
}

DeletedFolderClaims::DeletedFolderClaims(SectorSource& disk, bool fat32, uint64_t clusterBase,
    uint32_t sectorsPerCluster, uint32_t clusterCount)
    : m_disk(disk), m_fat32(fat32), m_clusterBase(clusterBase), m_sectorsPerCluster(sectorsPerCluster),
      m_clusterCount(clusterCount)
{}

DeletedFolderClaims::Claim DeletedFolderClaims::Weigh(const FatFoundEntry& entry)
{
    Named& named = m_named[entry.firstCluster];
    if (!named.weighed) {
        named.weighed = true;
        named.entry = entry;
        return Claim::kFirst;
    }
    if (!named.startRead)
        ReadStart(entry.firstCluster, named);
    if (!ClaimsFolderBetter(entry, named.entry, named.hasStart ? &named.start : nullptr))
        return Claim::kWorse;
    named.entry = entry;
    return Claim::kBetter;
}

bool DeletedFolderClaims::DotRepeatsStamp(const FatFoundEntry& entry)
{
    Named& named = m_named[entry.firstCluster];
    if (!named.startRead)
        ReadStart(entry.firstCluster, named);
    return named.hasStart && StampRepeated(entry, named.start);
}

void DeletedFolderClaims::ReadStart(uint32_t cluster, Named& named)
{
    named.startRead = true;
    // A cluster number off the volume (a damaged entry) has no sector of its own to read.
    if (cluster < 2 || cluster - 2 >= m_clusterCount || m_sectorsPerCluster == 0)
        return;
    uint8_t sector[kSectorSize];
    if (!m_disk.ReadSectors(m_clusterBase + uint64_t{cluster} * m_sectorsPerCluster, 1, sector))
        return;
    // Only a "." naming the cluster itself is the start of the folder there.
    named.hasStart =
        ReadFatDirectoryStart(sector, sizeof sector, m_fat32, named.start) && named.start.cluster == cluster;
}

}  // namespace morvick
