// Clusters that go on with a folder's entries: a cluster as a FAT writer leaves it is one, and each
// field broken as file data would have it makes it none; a deleted long name that runs from one
// cluster into the next joins across them, by its checksum alone (a live name by its parts' numbers).
#include "engine/fat/FatDirectoryContinuation.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/fat/FatDirectoryParser.h"
#include "tests/engine/image/ImageWriters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kClusterBytes = 4096;
constexpr uint32_t kClusters = 200000;

using Cluster = Bytes;

// A short entry at `slot`: the 11 name bytes, attributes, first cluster, size, and sound dates and times.
void PutShort(Cluster& c, size_t slot, const char* name11, uint8_t attributes, uint32_t cluster, uint32_t size)
{
    const uint64_t e = slot * 32;
    std::memcpy(&c[e], name11, 11);
    c[e + 11] = attributes;
    c[e + 13] = 57;
    const uint16_t time = (14 << 11) | (30 << 5) | 10, date = ((2024 - 1980) << 9) | (3 << 5) | 17;
    for (uint64_t at : {14, 22})
        PutLittleEndian16(c, e + at, time);
    for (uint64_t at : {16, 18, 24})
        PutLittleEndian16(c, e + at, date);
    PutLittleEndian16(c, e + 20, static_cast<uint16_t>(cluster >> 16));
    PutLittleEndian16(c, e + 26, static_cast<uint16_t>(cluster));
    PutLittleEndian32(c, e + 28, size);
}

// The deleted long-name parts of `name` for the short name `name11` as it was before its deletion,
// from `slot` on (the name's last part first, as on the disk); returns the slot after them.
size_t PutDeletedLongName(Cluster& c, size_t slot, const std::u16string& name, const char* name11)
{
    const uint8_t checksum = morvick::FatShortNameChecksum(reinterpret_cast<const uint8_t*>(name11));
    const size_t parts = (name.size() + 12) / 13;
    static const uint8_t offsets[13] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
    for (size_t k = parts; k >= 1; --k, ++slot) {
        const uint64_t e = slot * 32;
        c[e] = morvick::kFatDeletedMark;
        c[e + 11] = morvick::kFatAttrLongName;
        c[e + 13] = checksum;
        for (size_t i = 0; i < 13; ++i) {
            const size_t at = (k - 1) * 13 + i;
            const uint16_t ch = at < name.size() ? name[at] : at == name.size() ? 0 : 0xFFFF;
            PutLittleEndian16(c, e + offsets[i], ch);
        }
    }
    return slot;
}

// A later cluster of a deleted folder: a deleted file with a long name, a deleted subfolder and a
// deleted file of a short name, then the end of the folder.
Cluster SoundCluster()
{
    Cluster c(kClusterBytes, 0);
    size_t slot = PutDeletedLongName(c, 0, u"Holiday photo 2024.jpeg", "HOLIDA~1JPE");
    PutShort(c, slot++, "\xE5OLIDA~1JPE", 0x20, 500, 70000);
    PutShort(c, slot++, "\xE5UB        ", 0x10, 600, 0);
    PutShort(c, slot++, "\xE5MG_0127JPG", 0x20, 700, 4096);
    return c;
}

bool Continues(const Cluster& c, bool fat32 = true)
{
    return morvick::IsFatDirectoryContinuation(c.data(), c.size(), fat32, kClusters, kClusterBytes);
}

}  // namespace

TEST(FatDirectoryContinuation, AClusterOfEntriesIsOneAndAnyFieldAsFileDataHasItMakesItNone)
{
    ASSERT_TRUE(Continues(SoundCluster()));
    // A live entry and a first byte 0x05 are entries too; so is a cluster full to its end.
    Cluster live = SoundCluster();
    live[4 * 32] = 'I';
    live[3 * 32] = 0x05;
    EXPECT_TRUE(Continues(live));
    Cluster full(kClusterBytes, 0);
    for (size_t slot = 0; slot < kClusterBytes / 32; ++slot)
        PutShort(full, slot, "\xE5ILE0000TXT", 0x20, 800, 10);
    EXPECT_TRUE(Continues(full));

    struct Broken {
        const char* what;
        size_t offset;
        uint8_t value;
    };
    const size_t s = 2 * 32;  // the short entry of the long name
    const Broken cases[] = {
        {"a \".\" entry: a folder's first cluster", s, '.'},
        {"a name byte no name holds", s + 3, '*'},
        {"a lower-case name byte", s + 4, 'a'},
        {"a control byte in the name", s + 9, 0x01},
        {"a blank first character", 4 * 32, ' '},
        {"an unknown attribute bit", s + 11, 0x60},
        {"a volume label", s + 11, 0x08},
        {"byte 12 beyond the case flags", s + 12, 0x01},
        {"tenths of a second past 199", s + 13, 200},
        {"an hour past 23", s + 23, 24 << 3},
        {"a month of 0", s + 24, 17},
        {"a first cluster past the volume", s + 21, 0xFF},
        {"cluster 1", s + 26, 1},
        {"a long-name part's type byte", 0 * 32 + 12, 1},
        {"a long-name part's cluster word", 1 * 32 + 26, 1},
        {"a long-name part's number past 20", 0, 0x15},
        {"a character after the end of the name", 0 * 32 + 28, 'x'},
        {"a byte after the end of the folder", kClusterBytes - 1, 1},
    };
    for (const Broken& b : cases) {
        Cluster c = SoundCluster();
        if (b.offset == s + 26)
            c[s + 27] = 0;
        c[b.offset] = b.value;
        EXPECT_FALSE(Continues(c)) << b.what;
    }
    Cluster fileWithoutClusters = SoundCluster();
    std::memset(&fileWithoutClusters[4 * 32 + 20], 0, 2);
    std::memset(&fileWithoutClusters[4 * 32 + 26], 0, 2);
    EXPECT_FALSE(Continues(fileWithoutClusters)) << "a file of 4096 bytes without a cluster";
    Cluster folderWithoutClusters = SoundCluster();
    std::memset(&folderWithoutClusters[3 * 32 + 26], 0, 2);
    EXPECT_FALSE(Continues(folderWithoutClusters)) << "a subfolder without a cluster";
    Cluster huge = SoundCluster();
    PutLittleEndian32(huge, 4 * 32 + 28, 0xFFFFFFFF);
    EXPECT_FALSE(Continues(huge)) << "a file larger than the volume";
    Cluster highWord = SoundCluster();
    PutLittleEndian16(highWord, 4 * 32 + 20, 1);
    EXPECT_TRUE(Continues(highWord, true));
    EXPECT_FALSE(Continues(highWord, false)) << "a FAT16 entry with a high cluster word";
    EXPECT_FALSE(Continues(Cluster(kClusterBytes, 0))) << "no entry";
    Cluster text(kClusterBytes);
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<uint8_t>("Dear diary, today the camera card was full. "[i % 45]);
    EXPECT_FALSE(Continues(text)) << "text";
}

// A deleted long name whose last parts end one cluster and whose first part and short entry begin
// the next: the parser that read the first cluster joins it whole with the next one, and no other;
// read alone, the next cluster's leading parts are known for the end of a name begun elsewhere.
TEST(FatDirectoryContinuation, ANameRunningIntoTheNextClusterJoinsThereAndNowhereElse)
{
    const std::u16string name = u"Meeting notes 032 - budget review.txt";  // 37 characters, 3 parts
    const char* short11 = "\xE5"
                          "EETIN~1TXT";  // MEETIN~1.TXT, deleted
    Cluster whole(2 * kClusterBytes, 0);
    const size_t lastSlot = kClusterBytes / 32 - 2;
    for (size_t slot = 0; slot < lastSlot; ++slot)
        PutShort(whole, slot, "\xE5ILE0000TXT", 0x20, 800, 10);
    const size_t after = PutDeletedLongName(whole, lastSlot, name, "MEETIN~1TXT");
    PutShort(whole, after, short11, 0x20, 900, 500);
    const Cluster first(whole.begin(), whole.begin() + kClusterBytes);
    const Cluster next(whole.begin() + kClusterBytes, whole.end());
    ASSERT_TRUE(Continues(first));
    ASSERT_TRUE(Continues(next));
    EXPECT_EQ(morvick::LeadingNameTailBytes(next.data(), next.size()), 32u);
    EXPECT_EQ(morvick::LeadingNameTailBytes(first.data(), first.size()), 0u);
    EXPECT_EQ(morvick::LeadingNameTailBytes(SoundCluster().data(), kClusterBytes), 0u) << "a name's whole parts";

    std::vector<std::u16string> names;
    morvick::FatDirectoryParser parser(true, 5, true,
        [&](const morvick::FatFoundEntry& e) { names.push_back(e.name); });
    parser.Feed(first.data(), first.size());
    uint8_t checksum = 0;
    ASSERT_TRUE(parser.PendingNameChecksum(checksum));
    EXPECT_EQ(checksum, first[lastSlot * 32 + 13]);
    EXPECT_FALSE(parser.NameGoesOnInto(SoundCluster().data(), kClusterBytes)) << "another name's parts";
    Cluster otherChecksum = next;
    otherChecksum[13] ^= 0x55;
    EXPECT_FALSE(parser.NameGoesOnInto(otherChecksum.data(), otherChecksum.size()));
    ASSERT_TRUE(parser.NameGoesOnInto(next.data(), next.size()));
    EXPECT_EQ(parser.HowNameGoesOnInto(next.data(), next.size()), morvick::FatDirectoryParser::NameJoin::kByChecksum)
        << "deleted parts lost their numbers";
    const size_t before = names.size();
    parser.Feed(next.data(), next.size());
    ASSERT_EQ(names.size(), before + 1);
    EXPECT_EQ(names.back(), name);
    EXPECT_FALSE(parser.PendingNameChecksum(checksum));
}

// A long name may hold a control character (the folders that hold one list it): its cluster is one
// of entries still. A name followed by zeros is none: the last writing's date is never 0, and a
// short text file ("HELLO WORLD") would pass for an empty file's entry.
TEST(FatDirectoryContinuation, ALongNameWithAControlCharacterIsOneANameFollowedByZerosIsNone)
{
    Cluster control(kClusterBytes, 0);
    size_t slot = PutDeletedLongName(control, 0, u"tab\there.txt", "TABHER~1TXT");
    PutShort(control, slot,
        "\xE5"
        "ABHER~1TXT",
        0x20, 500, 10);
    EXPECT_TRUE(Continues(control));

    Cluster hello(kClusterBytes, 0);
    std::memcpy(hello.data(), "HELLO WORLD", 11);
    EXPECT_FALSE(Continues(hello)) << "a text file's bytes";
    Cluster unsetWriteDate = SoundCluster();
    PutLittleEndian16(unsetWriteDate, 4 * 32 + 24, 0);
    EXPECT_FALSE(Continues(unsetWriteDate));
    Cluster unsetOthers = SoundCluster();
    PutLittleEndian16(unsetOthers, 4 * 32 + 16, 0);
    PutLittleEndian16(unsetOthers, 4 * 32 + 18, 0);
    EXPECT_TRUE(Continues(unsetOthers)) << "creation and access dates may be unset";
}

// A long name whose parts end one cluster and whose short entry alone begins the next: the waiting
// parts' checksum ties them to that entry. A deleted entry's short name must be one made from the
// long name (its first byte the one the checksum gives back); a live one must carry the checksum.
TEST(FatDirectoryContinuation, ANameCutJustBeforeItsShortEntryJoinsTheClusterThatBeginsWithIt)
{
    const std::u16string name = u"Meeting notes 032.txt";
    Cluster first(kClusterBytes, 0);
    const size_t lastSlot = kClusterBytes / 32 - 2;
    for (size_t slot = 0; slot < lastSlot; ++slot)
        PutShort(first, slot, "\xE5ILE0000TXT", 0x20, 800, 10);
    ASSERT_EQ(PutDeletedLongName(first, lastSlot, name, "MEETIN~1TXT"), kClusterBytes / 32);
    ASSERT_TRUE(Continues(first));
    auto nextBeginningWith = [](const char* name11) {
        Cluster next(kClusterBytes, 0);
        PutShort(next, 0, name11, 0x20, 900, 500);
        PutShort(next, 1, "\xE5ILE0001TXT", 0x20, 901, 10);
        return next;
    };

    std::vector<std::u16string> names;
    morvick::FatDirectoryParser parser(true, 5, true,
        [&](const morvick::FatFoundEntry& e) { names.push_back(e.name); });
    parser.Feed(first.data(), first.size());
    const Cluster next = nextBeginningWith("\xE5"
                                           "EETIN~1TXT");
    ASSERT_TRUE(Continues(next));
    EXPECT_TRUE(parser.NameGoesOnInto(next.data(), next.size()));
    // A deleted "MISC0???.TXT" whose checksum, its first byte an "M", is that of MEETIN~1.TXT: the
    // checksum and the first letter fit, the rest of the short name is no long name's.
    char misc[12] = "MISC0000TXT";
    const std::string digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const size_t n = digits.size();
    for (size_t k = 0; k < n * n * n; ++k) {
        misc[5] = digits[k / (n * n)];
        misc[6] = digits[k / n % n];
        misc[7] = digits[k % n];
        if (morvick::FatShortNameChecksum(reinterpret_cast<const uint8_t*>(misc)) == first[lastSlot * 32 + 13])
            break;
    }
    ASSERT_EQ(morvick::FatShortNameChecksum(reinterpret_cast<const uint8_t*>(misc)), first[lastSlot * 32 + 13]);
    misc[0] = static_cast<char>(morvick::kFatDeletedMark);
    EXPECT_FALSE(parser.NameGoesOnInto(nextBeginningWith(misc).data(), kClusterBytes));
    EXPECT_FALSE(parser.NameGoesOnInto(nextBeginningWith("\xE5"
                                                         "EETIN~1JPG")
                                           .data(),
        kClusterBytes))
        << "another extension";
    // The same name left live (a folder unlinked without its entries being marked).
    Cluster live = first;
    live[lastSlot * 32] = 0x42;
    live[(lastSlot + 1) * 32] = 0x01;
    morvick::FatDirectoryParser liveParser(true, 5, true, [](const morvick::FatFoundEntry&) {});
    liveParser.Feed(live.data(), live.size());
    EXPECT_EQ(liveParser.HowNameGoesOnInto(nextBeginningWith("MEETIN~1TXT").data(), kClusterBytes),
        morvick::FatDirectoryParser::NameJoin::kByNumbers)
        << "its checksum, its parts numbered 2 and 1";
    EXPECT_FALSE(liveParser.NameGoesOnInto(nextBeginningWith("MEETIN~2TXT").data(), kClusterBytes)) << "another's";

    parser.Feed(next.data(), next.size());
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[names.size() - 2], name);
}
