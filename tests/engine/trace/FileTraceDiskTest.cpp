// File Trace end to end on a disk built by the real tools (FAT16, FAT32 and NTFS partitions holding
// JPEG, PNG, GIF, PDF and ZIP files, some deleted) in a VHDX and a VHD: every file is found where it
// starts, as photorec finds it, and saved at the default traced size holding the file's bytes. Over
// a dynamic VHD cut short, the block that can't be read is searched as zeros and counted, and the
// files after it are found.
#include "engine/save/EngineReset.h"
#include "engine/image/VirtualDisk.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SaveState.h"
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/FileTrace.h"
#include "engine/scan/OfficeDocumentKind.h"
#include "engine/scan/SignatureTable.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "engine/util/Utf.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-trace-disk.sh", "make-cut-trace-disk.sh"}));

namespace {

const char* const kDisk = "make-trace-disk.sh";
const char* const kCutDisk = "make-cut-trace-disk.sh";
const char* const kContainers[] = {"dynamic-1M.vhdx", "fixed.vhd"};
constexpr uint32_t kPartitions = 3;

using HitSet = std::set<std::pair<uint32_t, std::string>>;

struct Start {
    uint32_t partition;
    uint32_t sector;
    std::string name;
};

std::vector<Start> ReadStarts()
{
    std::vector<Start> starts;
    std::istringstream in(ReadWholeFile(FixtureFile(kDisk, "starts.txt")));
    Start s;
    std::string state;
    while (in >> s.partition >> s.sector >> s.name >> state)
        starts.push_back(s);
    return starts;
}

// "SECTOR EXTENSION" lines of photorec, the extension with its dot.
std::set<std::pair<uint32_t, std::string>> ReadPhotorec()
{
    std::set<std::pair<uint32_t, std::string>> found;
    std::istringstream in(ReadWholeFile(FixtureFile(kDisk, "photorec.txt")));
    uint32_t sector;
    std::string extension;
    while (in >> sector >> extension)
        found.insert({sector, "." + extension});
    return found;
}

class FileTraceDisk : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kDisk).empty()) << "the fixture disk was not built";
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDisk, std::string("containers/") + GetParam()), m_disk));
        ASSERT_EQ(g_nPartitionCount, kPartitions);
        const SignatureTable table = LoadSignatureTableFile(fs::u8path(MORVICK_RAW_DAT).u16string());
        ASSERT_EQ(table.status, SignatureTableStatus::kWhole);
        ASSERT_TRUE(AppendChosenSignatures(g_TraceHits, table.records, {u".pdf", u".zip", u".jpg", u".png", u".gif"}));
    }
    void TearDown() override
    {
        ResetEngineState();
        SetCurrentVirtualDisk(nullptr);
    }

    CVirtualDisk m_disk;
};

}  // namespace

TEST_P(FileTraceDisk, FindsEveryFileWherePhotorecDoesAndSavesItsBytes)
{
    const std::vector<Start> starts = ReadStarts();
    ASSERT_EQ(starts.size(), 19u);
    const std::set<std::pair<uint32_t, std::string>> photorec = ReadPhotorec();
    TempFolder out;
    g_nTraceSizeClass = kDefaultTraceSizeMiB;
    ResetSaveState();
    for (uint32_t p = 0; p < kPartitions; ++p) {
        SCOPED_TRACE("partition " + std::to_string(p));
        ASSERT_TRUE(ChooseFixturePartition(p));
        ScanFinishedWord finished{0};
        ASSERT_EQ(RunFileTrace(finished, DetectOfficeDocumentKind), FileTraceResult::kCompleted);

        std::vector<std::pair<uint32_t, std::string>> expected;
        for (const Start& s : starts) {
            if (s.partition == p)
                expected.push_back({s.sector, fs::path(s.name).extension().string()});
        }
        std::vector<std::pair<uint32_t, std::string>> found;
        HitSet theirs;
        for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next)
            found.push_back({r->sector, Utf16ToUtf8(r->extension)});
        for (const auto& hit : photorec) {
            if (hit.first >= g_VolumeParams.partitionStart && hit.first <= g_VolumeParams.partitionEnd)
                theirs.insert(hit);
        }
        EXPECT_EQ(found, expected);
        const HitSet ours(found.begin(), found.end());
        EXPECT_EQ(ours, theirs);

        // Saved at the traced size: the file's bytes, then what follows it on the disk.
        const fs::path folder = out.Path() / ("p" + std::to_string(p));
        fs::create_directories(folder);
        uint32_t n = 0;
        for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next, ++n) {
            ASSERT_EQ(SaveTracedFile(ToPath16(folder), r->name, r->sector, 1), 1);
            const std::string saved = ReadWholeFile(folder / FromPath16(r->name));
            const std::string* name = nullptr;
            for (const Start& s : starts)
                name = s.partition == p && s.sector == r->sector ? &s.name : name;
            ASSERT_NE(name, nullptr);
            const std::string original = ReadWholeFile(FixtureFile(kDisk, "samples/" + *name));
            EXPECT_EQ(saved.size(), kDefaultTraceSizeMiB * 1024u * 1024u) << *name;
            const size_t kept = std::min(original.size(), saved.size());
            EXPECT_TRUE(saved.compare(0, kept, original, 0, kept) == 0) << *name << " differs";
        }
    }
    EXPECT_EQ(g_SaveReport.savedFiles, starts.size());
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
}

INSTANTIATE_TEST_SUITE_P(Containers, FileTraceDisk, ::testing::ValuesIn(kContainers),
    [](const ::testing::TestParamInfo<const char*>& info) {
        std::string name = info.param;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(FileTraceCutImage, SearchesPastTheBlockThatCannotBeReadAndCountsIt)
{
    ASSERT_FALSE(FixtureFolder(kCutDisk).empty()) << "the fixture disk was not built";
    std::vector<std::pair<uint32_t, std::string>> expected;
    {
        std::istringstream in(ReadWholeFile(FixtureFile(kCutDisk, "starts.txt")));
        uint32_t sector;
        std::string name;
        while (in >> sector >> name)
            expected.push_back({sector, fs::path(name).extension().string()});
    }
    uint64_t cutFirst = 0, cutCount = 0;
    std::istringstream(ReadWholeFile(FixtureFile(kCutDisk, "cut.block"))) >> cutFirst >> cutCount;
    ASSERT_GT(cutCount, 0u);
    ASSERT_TRUE(
        expected.size() >= 2 && expected.front().first < cutFirst && expected.back().first >= cutFirst + cutCount)
        << "pictures on both sides of the block";

    CVirtualDisk disk;
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kCutDisk, "cut.vhd"), disk));
    const SignatureTable table = LoadSignatureTableFile(fs::u8path(MORVICK_RAW_DAT).u16string());
    ASSERT_TRUE(AppendChosenSignatures(g_TraceHits, table.records, {u".jpg", u".png", u".gif"}));
    ASSERT_TRUE(ChooseFixturePartition(0));
    morvick::test::RecordingObserver seen;
    ScanFinishedWord finished{0};
    uint64_t unreadable = 0;
    EXPECT_EQ(RunFileTrace(finished, nullptr, &unreadable), FileTraceResult::kCompleted);

    std::vector<std::pair<uint32_t, std::string>> found;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next)
        found.push_back({r->sector, Utf16ToUtf8(r->extension)});
    EXPECT_EQ(found, expected);
    EXPECT_EQ(unreadable, cutCount);
    // The status line says so while the search goes on, and once more at its end.
    const std::u16string count = UnreadableSectorsText(cutCount);
    EXPECT_EQ(count, u"4096 sectors could not be read and were searched as zeros");
    ASSERT_FALSE(seen.statuses.empty());
    EXPECT_EQ(seen.statuses.back(), count);
    const std::u16string suffix = u", 4096 unreadable";
    const auto reading = std::find_if(seen.statuses.begin(), seen.statuses.end(), [&](const std::u16string& s) {
        return s.rfind(u"Reading Sector ", 0) == 0 && s.size() > suffix.size() &&
            s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
    });
    EXPECT_NE(reading, seen.statuses.end());
    ResetEngineState();
    SetCurrentVirtualDisk(nullptr);
}
