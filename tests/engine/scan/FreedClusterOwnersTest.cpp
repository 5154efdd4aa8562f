// The one decision the deleted-folder search makes for each free cluster of entries: the cluster
// goes on from a folder's last cluster only where that folder is the one that can go on into it and
// a name cut at its end runs on into it; a deleted name never runs on into live entries; a folder
// whose last cluster ends in another name cannot go on into it; and a deleted file's claim hides it
// only where the file was written after its entries were made.
#include "engine/scan/FreedClusterOwners.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/scan/FreeClusterClaims.h"
#include "engine/volume/MemorySectorSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

// The checksum of the short name "AUTAAAAA.TXT", whose deleted entry ends the long name
// "abcdefghijklmxyz" (its first character, which deleting wiped, is the one the checksum gives back).
const uint8_t kChecksum = morvick::FatShortNameChecksum(reinterpret_cast<const uint8_t*>("AUTAAAAATXT"));
// A live long name "abcdefghijklmnop" of two parts and its short name.
const char* const kLongShort = "ABCDEF~1TXT";
const uint8_t kLongChecksum = morvick::FatShortNameChecksum(reinterpret_cast<const uint8_t*>(kLongShort));
constexpr uint16_t kDate = ((2023 - 1980) << 9) | (6 << 5) | 9;

// A long-name part of up to 13 characters of `text`, a shorter one ended by 0 and 0xFFFF: deleted,
// or live with its sequence number `order`.
std::vector<uint8_t> Part(const char* text, uint8_t checksum, uint8_t order = 0)
{
    std::vector<uint8_t> e(32, 0);
    static const size_t offsets[13] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
    const size_t length = std::strlen(text);
    for (size_t i = 0; i < 13; ++i) {
        const uint16_t c = i < length ? static_cast<uint8_t>(text[i]) : i == length ? 0 : 0xFFFF;
        e[offsets[i]] = static_cast<uint8_t>(c);
        e[offsets[i] + 1] = static_cast<uint8_t>(c >> 8);
    }
    e[0] = order != 0 ? order : 0xE5;
    e[11] = 0x0F;
    e[13] = checksum;
    return e;
}

// A short entry of a file of 100 bytes at `cluster`, deleted or live, made and written at `time`.
std::vector<uint8_t> Short(const char* name11, bool deleted, uint16_t cluster, uint16_t time)
{
    std::vector<uint8_t> e(32, 0);
    std::memcpy(e.data(), name11, 11);
    if (deleted)
        e[0] = 0xE5;
    e[11] = 0x20;
    e[14] = e[22] = static_cast<uint8_t>(time);
    e[15] = e[23] = static_cast<uint8_t>(time >> 8);
    e[16] = e[18] = e[24] = static_cast<uint8_t>(kDate);
    e[17] = e[19] = e[25] = static_cast<uint8_t>(kDate >> 8);
    e[26] = static_cast<uint8_t>(cluster);
    e[27] = static_cast<uint8_t>(cluster >> 8);
    e[28] = 100;
    return e;
}

std::vector<uint8_t> Cluster(const std::vector<std::vector<uint8_t>>& entries)
{
    std::vector<uint8_t> bytes;
    for (const auto& e : entries)
        bytes.insert(bytes.end(), e.begin(), e.end());
    bytes.resize(kSectorSize, 0);
    return bytes;
}

class FreedClusterOwnersTest : public ::testing::Test {
protected:
    FreedClusterOwnersTest() : disk(std::vector<uint8_t>(16 * kSectorSize)) { NoClaims(); }

    // A FAT16 volume whose clusters are all free, and no claim.
    void NoClaims()
    {
        VolumeParameterBlock b{};
        b.browsedFileSystemType = FileSystemKind::kFat16;
        b.firstFat = 10;
        b.sectorsPerFat = 3;
        b.sectorsPerCluster = 1;
        free = std::make_unique<FreeClusterClaims>(disk, b, 3 * 256 - 2, std::function<bool()>());
    }

    // A deleted folder's last cluster at `cluster`, full, ending in the last part of a name whose
    // checksum is `checksum`: its parser waits for the rest.
    void AddEnd(uint32_t cluster, uint8_t checksum)
    {
        std::vector<std::vector<uint8_t>> entries;
        for (int i = 0; i < 15; ++i)
            entries.push_back(Short("\xE5OTE0000TXT", true, static_cast<uint16_t>(100 + i), 0));
        entries.push_back(Part("xyz", checksum));
        auto parser = std::make_unique<morvick::FatDirectoryParser>(false, cluster, true, [](const morvick::FatFoundEntry&) {});
        const std::vector<uint8_t> bytes = Cluster(entries);
        parser->Feed(bytes.data(), bytes.size());
        parsers.push_back(std::move(parser));
        ends.push_back({cluster, parsers.back().get(), cluster, false});
    }

    // A free cluster at `cluster` that goes on with the name kChecksum's first part and its short
    // entry, made at `time`; `live`: a live entry follows.
    FreeEntryCluster& AddNext(uint32_t cluster, bool live, uint16_t time = 0)
    {
        std::vector<std::vector<uint8_t>> entries = {Part("abcdefghijklm", kChecksum),
            Short("\xE5UTAAAAATXT", true, 200, time)};
        if (live)
            entries.push_back(Short("IMG_0001JPG", false, 201, time));
        bytes[cluster] = Cluster(entries);
        FreeEntryCluster c;
        c.cluster = cluster;
        c.nameTailBytes = 32;
        c.live = live;
        c.typed = live;  // as if the files it names began with their types' signatures
        c.lead = kChecksum;
        c.leadOrder = 0xE5;
        c.made = FatStampOf(kDate, time);
        c.namesData = true;
        candidates.push_back(c);
        return candidates.back();
    }

    // A live folder's last cluster at `cluster` whose chain the FATs cut: full of live files, the last
    // slot holding the last part of the long name kLongName (`inName`) or a whole entry.
    void AddLiveEnd(uint32_t cluster, bool inName)
    {
        std::vector<std::vector<uint8_t>> entries;
        for (int i = 0; i < 15; ++i)
            entries.push_back(Short("PHOTO000JPG", false, static_cast<uint16_t>(100 + i), 0));
        entries.push_back(inName ? Part("nop", kLongChecksum, 0x42) : Short("PHOTO999JPG", false, 99, 0));
        auto parser = std::make_unique<morvick::FatDirectoryParser>(false, cluster, false, [](const morvick::FatFoundEntry&) {});
        const std::vector<uint8_t> bytes = Cluster(entries);
        parser->Feed(bytes.data(), bytes.size());
        parsers.push_back(std::move(parser));
        ends.push_back({cluster, parsers.back().get(), cluster, true});
    }

    // A free cluster of live entries at `cluster`, of no files of a known type: it begins with the
    // first part and the short entry of kLongName (`inName`) or a photo's entry; `full`: its last slot
    // is used.
    FreeEntryCluster& AddLive(uint32_t cluster, bool inName, bool full)
    {
        std::vector<std::vector<uint8_t>> entries;
        if (inName) {
            entries.push_back(Part("abcdefghijklm", kLongChecksum, 0x01));
            entries.push_back(Short(kLongShort, false, 300, 0));
        }
        while (entries.size() < (full ? 16u : 3u))
            entries.push_back(Short("PHOTO500JPG", false, static_cast<uint16_t>(300 + entries.size()), 0));
        bytes[cluster] = Cluster(entries);
        FreeEntryCluster c;
        c.cluster = cluster;
        c.nameTailBytes = inName ? 32 : 0;
        c.live = true;
        c.full = full;
        c.leadShort = !inName;
        c.lead = inName ? kLongChecksum : morvick::FatShortNameChecksum(bytes[cluster].data());
        c.leadOrder = inName ? 1 : 0;
        c.made = FatStampOf(kDate, 0);
        c.namesData = true;
        candidates.push_back(c);
        return candidates.back();
    }

    // Decides the candidates; the cluster that goes on from `end`.
    uint32_t Decide(uint32_t end)
    {
        owners = std::make_unique<FreedClusterOwners>(*free, false, [this](uint32_t c) {
            const auto it = bytes.find(c);
            return it != bytes.end() ? it->second : std::vector<uint8_t>();
        });
        owners->Decide(candidates, {}, ends);
        return owners->Next(end);
    }

    morvick::MemorySectorSource disk;
    std::unique_ptr<FreeClusterClaims> free;
    std::vector<std::unique_ptr<morvick::FatDirectoryParser>> parsers;
    std::vector<FreedClusterOwners::FolderEnd> ends;
    std::vector<FreeEntryCluster> candidates;
    std::map<uint32_t, std::vector<uint8_t>> bytes;
    std::unique_ptr<FreedClusterOwners> owners;
};

}  // namespace

TEST_F(FreedClusterOwnersTest, ANameGoesOnIntoTheClusterThatOnlyItsFolderCanGoOnInto)
{
    AddEnd(10, kChecksum);
    AddNext(20, false);
    EXPECT_EQ(Decide(10), 20u);
    EXPECT_TRUE(candidates[0].admitted);
    EXPECT_TRUE(candidates[0].linked);
}

// A deleted name's parts tie it to the next cluster by their checksum alone: entries not marked
// deleted (live, and taken for this volume's by the files they name) are not what it goes on into.
TEST_F(FreedClusterOwnersTest, ADeletedNameDoesNotGoOnIntoLiveEntries)
{
    AddEnd(10, kChecksum);
    AddNext(20, true);
    EXPECT_EQ(Decide(10), 0u);
    EXPECT_TRUE(candidates[0].admitted);
    EXPECT_FALSE(candidates[0].linked);
}

// Two folders whose last clusters end in a name of the cluster's checksum could each go on into it:
// it goes to neither. One that ends in a name of another checksum could not.
TEST_F(FreedClusterOwnersTest, AClusterThatTwoFoldersCouldGoOnIntoGoesToNeither)
{
    AddEnd(10, kChecksum);
    AddEnd(12, kChecksum);
    AddNext(20, false);
    EXPECT_EQ(Decide(10), 0u);
    EXPECT_EQ(owners->Next(12), 0u);
    EXPECT_FALSE(candidates[0].linked);

    ends.clear();
    AddEnd(10, kChecksum);
    AddEnd(12, static_cast<uint8_t>(kChecksum + 1));
    EXPECT_EQ(Decide(10), 20u);
}

// A deleted file whose claim covers the cluster: its data where the file was written after the
// entries were made, else a stale claim that hides nothing.
TEST_F(FreedClusterOwnersTest, AClaimHidesTheClusterOnlyWhereItsFileIsNotOlderThanTheEntries)
{
    AddEnd(10, kChecksum);
    AddNext(20, false, 0x6000);
    ASSERT_NE(free->Claim(18, 1, 7, FatStampOf(kDate, 0x5000)), UINT32_MAX);
    EXPECT_EQ(Decide(10), 20u);

    NoClaims();
    ASSERT_NE(free->Claim(18, 1, 7, FatStampOf(kDate, 0x6000)), UINT32_MAX);
    candidates[0].admitted = candidates[0].linked = false;
    EXPECT_EQ(Decide(10), 0u);
    EXPECT_FALSE(candidates[0].admitted);
}

// A live folder whose chain the FATs cut goes on into the live entries of the one cluster that
// continues it (its name's parts run on by their numbers); a cluster of live entries after that one
// goes on from it only where its last slot is used, else it is a file's data.
TEST_F(FreedClusterOwnersTest, ACutLiveChainGoesOnIntoOneClusterOfLiveEntries)
{
    AddLiveEnd(10, true);
    AddLive(20, true, false);
    AddLive(30, false, false);
    EXPECT_EQ(Decide(10), 20u);
    EXPECT_TRUE(candidates[0].admitted);
    EXPECT_TRUE(candidates[0].liveChain);
    EXPECT_FALSE(candidates[1].admitted);

    candidates.clear();
    AddLive(20, true, true);
    AddLive(30, false, false);
    EXPECT_EQ(Decide(10), 20u);
    EXPECT_TRUE(candidates[1].admitted);
    EXPECT_TRUE(candidates[1].liveChain);
}

// A cut live chain that ends with a whole entry: no name ties the next cluster to it, and only the
// first cluster of live entries after it is read as its entries. The chain is closed then: later
// clusters of live entries (a disk image's folders in a deleted file) are data, unless the one that
// went on from it is full.
TEST_F(FreedClusterOwnersTest, ACutLiveChainTurnsOnLiveEntriesOnlyForTheClusterThatGoesOnFromIt)
{
    AddLiveEnd(10, false);
    AddLive(20, false, false);
    AddLive(30, false, true);
    AddLive(40, false, false);
    Decide(10);
    EXPECT_TRUE(candidates[0].admitted);
    EXPECT_TRUE(candidates[0].liveChain);
    EXPECT_FALSE(candidates[1].admitted);
    EXPECT_FALSE(candidates[2].admitted);

    candidates.clear();
    AddLive(20, false, true);
    AddLive(30, false, false);
    AddLive(40, false, false);
    Decide(10);
    EXPECT_TRUE(candidates[1].liveChain);
    EXPECT_FALSE(candidates[2].admitted);
}

// Two deleted folders cut inside names of the same short name, one of whose last clusters a later
// file took: the folder still known could go on into either cluster that begins with the rest of a
// name of that checksum, and goes on into neither. Where only one begins so, it goes on into it.
TEST_F(FreedClusterOwnersTest, ACutNameGoesOnIntoNoClusterThatAnotherCouldContinueItAsWell)
{
    AddEnd(10, kChecksum);
    AddNext(20, false);
    AddNext(30, false);
    EXPECT_EQ(Decide(10), 0u);
    EXPECT_FALSE(candidates[0].linked);
    EXPECT_FALSE(candidates[1].linked);
    EXPECT_TRUE(candidates[0].admitted);

    candidates.pop_back();
    EXPECT_EQ(Decide(10), 20u);

    // One before the folder's end is no cluster it goes on into.
    candidates.clear();
    AddNext(8, false);
    AddNext(20, false);
    EXPECT_EQ(Decide(10), 20u);
}
