// Writing snapshot files: the bytes the writer has always written, for results of any size, without
// a block of memory as large as the file; a save that fails says so and leaves what was there.
#include "engine/ScanObserver.h"
#include "engine/save/EngineReset.h"
#include "engine/snapshot/SnapshotEncoder.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

// The largest block operator new handed out since the last reset.
std::atomic<size_t> g_largestBlock{0};

void* Allocate(size_t size)
{
    size_t largest = g_largestBlock.load();
    while (size > largest && !g_largestBlock.compare_exchange_weak(largest, size)) {
    }
    if (void* p = std::malloc(size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size)
{
    return Allocate(size);
}
void* operator new[](size_t size)
{
    return Allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}

namespace {

// A name of `length` characters, none of them 0 and no surrogate, that differs with `seed`.
std::u16string Name(uint32_t seed, size_t length)
{
    std::u16string name;
    for (size_t k = 0; k < length; ++k)
        name += static_cast<char16_t>(0x20 + (seed * 131u + k * 17u) % 0xD000u);
    return name;
}

uint64_t Fnv1a(const std::vector<uint8_t>& bytes)
{
    uint64_t h = 14695981039346656037ull;
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

void MakeFatResult()
{
    SetSnapshotTestBlock(FileSystemKind::kFat32);
    g_nScanMode = kScanQuick;
    for (uint32_t i = 0; i < 3000; ++i) {
        AddFatFolder(Name(i, i % 200), i + 3, i / 10, i % 5 == 0);
        AddFatFile(Name(i + 7, (i * 13) % 260), i + 5000, i / 10 + 3, i * 97, i % 7 == 0);
    }
}

// Also a name longer than a record's length word allows: it is cut.
void MakeNtfsQuickResult()
{
    SetSnapshotTestBlock(FileSystemKind::kNtfs);
    g_nScanMode = kScanQuick;
    for (uint32_t i = 0; i < 2000; ++i)
        AddNtfsFolder(Name(i, i % 150), i + 64, i / 10 + 5, i % 9 == 0);
    for (uint32_t i = 0; i < 3000; ++i)
        AddMftEntry(Name(i + 3, (i * 7) % 250), i + 2100, i / 10 + 64, uint64_t{i} * 1000003ull << 8, 0x1000 + 2 * i,
            i % 4 == 0);
    AddMftEntry(Name(99, 40000), 9000, 5, 1, 0x9000);
}

// File records inside the volume and outside it, which are left out.
void MakeNtfsExtensiveResult()
{
    SetSnapshotTestBlock(FileSystemKind::kNtfs);
    g_nScanMode = kScanExtensive;
    for (uint32_t i = 0; i < 1000; ++i)
        AddNtfsFolder(Name(i, i % 90), i + 64, i / 10 + 5, i % 9 == 0);
    for (uint32_t i = 0; i < 4000; ++i)
        AddNtfsFileRecord(Name(i + 11, (i * 11) % 240), (i * 37u) % 0x12000u, i / 10 + 64, uint64_t{i} * 4099u);
}

void MakeFileTraceResult()
{
    SetSnapshotTestBlock(FileSystemKind::kFat16);
    g_nScanMode = kScanFileTrace;
    for (uint32_t i = 0; i < 200; ++i) {
        const std::string signature(2 * (i % 60), static_cast<char>('0' + i % 10));
        AddTraceHit(u"." + Name(i, i % 6), Name(i + 1, i % 40), signature.c_str());
    }
    for (uint32_t i = 0; i < 3000; ++i)
        AddTracedFile(Name(i, i % 30), u"." + Name(i + 2, i % 5), Name(i + 3, i % 40), i * 8, i % 200);
}

struct LargeResult {
    const char* what;
    void (*make)();
    // The size and FNV-1a digest of the bytes the writer made when it built the whole file in memory.
    size_t size;
    uint64_t digest;
};

const LargeResult kLargeResults[] = {
    {"FAT", MakeFatResult, 1476092, 0x3221e307c28e4984ull},
    {"NTFS Quick Scan", MakeNtfsQuickResult, 1300629, 0x950450063cbd8668ull},
    {"NTFS Extensive Scan", MakeNtfsExtensiveResult, 1118748, 0x5686271b268cc270ull},
    {"File Trace", MakeFileTraceResult, 335284, 0xee89d6cb2d8796b9ull},
};

#ifndef _WIN32
// While it lives, no file this process writes grows past `bytes`, as on a full disk: a write past it
// fails (and raises no signal).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old = {};
    void (*m_oldHandler)(int) = nullptr;
};
#endif

// The names of what a folder holds.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SnapshotWrite : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }

    TempFolder temp;
};

}  // namespace

// The writer streams the fields through its buffer: the files are byte for byte what it wrote when it
// held the whole file, across many fillings of the buffer.
TEST_F(SnapshotWrite, LargeResultsOfEveryKindAreWrittenAsBefore)
{
    for (const LargeResult& r : kLargeResults) {
        SCOPED_TRACE(r.what);
        ResetEngineState();
        r.make();
        const std::vector<uint8_t> bytes = EncodeSnapshot();
        EXPECT_GT(bytes.size(), 4 * kSnapshotWriteBuffer);
        EXPECT_EQ(bytes.size(), r.size);
        EXPECT_EQ(Fnv1a(bytes), r.digest) << std::hex << Fnv1a(bytes);
        const std::filesystem::path path = temp.Path() / "large.srzq";
        RecordingObserver observer;
        ASSERT_TRUE(SaveSnapshotFile(ToPath16(path)));
        EXPECT_TRUE(observer.messages.empty());
        const std::string file = ReadWholeFile(path);
        EXPECT_TRUE(file == std::string(bytes.begin(), bytes.end())) << "the file is what the writer wrote";
    }
}

// The 32-bit program has no block of a large result's size to give: the writer asks for none.
TEST_F(SnapshotWrite, ALargeResultIsSavedWithoutABlockOfItsSize)
{
    constexpr size_t kLargestBlock = 256 * 1024;
    MakeNtfsQuickResult();
    const std::filesystem::path path = temp.Path() / "large.srzq";
    g_largestBlock = 0;
    ASSERT_TRUE(SaveSnapshotFile(ToPath16(path)));
    const size_t largest = g_largestBlock.load();
    EXPECT_GT(std::filesystem::file_size(path), 4 * kLargestBlock);
    EXPECT_LE(largest, kLargestBlock);
}

// A save that fails part of the way (a full disk) or at the end (a folder in the way) is reported with
// the program's message. Nothing is left under the snapshot's name that was not there before, and a
// snapshot that was there stays as it was: a save cut short never takes its place.
TEST_F(SnapshotWrite, AFailedSaveIsReportedAndLeavesWhatWasThere)
{
    MakeNtfsQuickResult();
    const std::filesystem::path folder = temp.Path() / "folder.srzq";
    std::filesystem::create_directory(folder);
    std::vector<std::filesystem::path> failing = {folder};
    const std::filesystem::path kept = temp.Path() / "kept.srzq";
    WriteWholeFile(kept, "an older snapshot");
#ifndef _WIN32
    const std::filesystem::path fresh = temp.Path() / "fresh.srzq";
    failing.push_back(kept);
    failing.push_back(fresh);
#endif
    RecordingObserver observer;
    for (const std::filesystem::path& path : failing) {
        SCOPED_TRACE(path.filename().string());
#ifndef _WIN32
        std::unique_ptr<FileSizeLimit> full;
        if (path != folder)
            full = std::make_unique<FileSizeLimit>(64 * 1024);
#endif
        EXPECT_FALSE(SaveSnapshotFile(ToPath16(path)));
    }
    ASSERT_EQ(observer.messages.size(), failing.size());
    for (const auto& [text, kind] : observer.messages) {
        EXPECT_EQ(text, u"Unable to open the file");
        EXPECT_EQ(kind, kMessageError);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(ReadWholeFile(kept), "an older snapshot");
    EXPECT_EQ(FolderEntries(temp.Path()), (std::vector<std::string>{"folder.srzq", "kept.srzq"}))
        << "no temporary file is left";
}
