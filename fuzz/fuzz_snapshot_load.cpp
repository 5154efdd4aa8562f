// A snapshot file loaded as the program loads one (any bytes at all: it comes from the command line,
// the shell, the recent-file list) over a small disk made by the real tools (fuzz/disks, made by
// tests/fixtures/make-load-fuzz-disks.sh): FAT16, FAT32 or NTFS, chosen by the input's first byte;
// the rest is the snapshot. The load decodes it and reads the disk again as the snapshot's scan did,
// over the snapshot's own volume-parameter block, which no boot sector vouched for. A snapshot that
// loads is listed folder by folder, saved whole into a scratch folder of its own (removed again) and
// written back, which must decode again. Nothing may crash, read outside a buffer, allocate without
// bound, write outside the scratch folder or take long.
#include "engine/image/VirtualDisk.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/CivilTime.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/snapshot/SnapshotDecoder.h"
#include "engine/snapshot/SnapshotEncoder.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A snapshot listing more files than this is loaded and listed but not saved: each input must stay
// quick, and a few files reach every saver. A traced file is saved as a whole MiB: fewer of them.
constexpr uint32_t kMostFilesSaved = 64;
constexpr uint32_t kMostTracedFilesSaved = 4;

// The disks, in the order the input's first byte chooses them by.
std::vector<std::vector<uint8_t>> LoadDisks()
{
    std::vector<std::vector<uint8_t>> disks;
    for (const char* name : {"fat16.vhd", "fat32.vhd", "ntfs.vhd"}) {
        std::ifstream in(fs::path(MORVICK_LOAD_FUZZ_DISKS) / name, std::ios::binary | std::ios::ate);
        std::vector<uint8_t> image(in ? static_cast<size_t>(in.tellg()) : 0);
        in.seekg(0);
        if (image.empty() ||
            !in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()))) {
            std::fprintf(stderr, "fuzz_snapshot_load: cannot read %s/%s\n", MORVICK_LOAD_FUZZ_DISKS, name);
            std::abort();
        }
        disks.push_back(std::move(image));
    }
    return disks;
}

// Where the scratch folder goes: TMPDIR where it is set, else /dev/shm where there is one (in memory:
// on a disk, creating and removing the saved files took most of each input's time, and as much as
// the disk was busy), else the temporary folder.
fs::path TemporaryFolder()
{
    std::error_code error;
    if (std::getenv("TMPDIR") == nullptr && fs::is_directory("/dev/shm", error))
        return "/dev/shm";
    return fs::temp_directory_path();
}

// The fuzzer's own folder, emptied when it starts and removed when it ends: "morvick-load-fuzz.N" for
// the first N whose lock no other fuzzer holds (a lock goes with its process, however it ends). Its
// path is the same on every run, not a random name: the engine compares the characters of the paths
// it is given, and libFuzzer takes compared values into its mutations, which a run from a fixed seed
// must not vary by.
struct ScratchFolder {
    fs::path path;
    int lock = -1;
    ScratchFolder()
    {
        const fs::path folder = TemporaryFolder();
        for (int n = 0; lock < 0 && n < 1000; ++n) {
            path = folder / ("morvick-load-fuzz." + std::to_string(n));
            mkdir(path.c_str(), 0700);
            const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            // Still the folder of that name once locked: not one that its last fuzzer removed meanwhile.
            struct stat locked, named;
            if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &locked) == 0 &&
                stat(path.c_str(), &named) == 0 && locked.st_ino == named.st_ino && locked.st_dev == named.st_dev)
                lock = fd;
            else if (fd >= 0)
                close(fd);
        }
        if (lock < 0)
            std::abort();
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(path, error))
            fs::remove_all(entry.path(), error);
    }
    ~ScratchFolder()
    {
        std::error_code error;
        fs::remove_all(path, error);
        close(lock);
    }
};

// Every folder's rows, as the results page lists them.
void ListEverything()
{
    if (g_nScanMode == kScanFileTrace) {
        for (const ResultRow& type : FillFoundTypeList())
            ListTracedFiles(1, type.name);
        ListTracedFiles(0, u"Root");
        return;
    }
    ListFatFolder(0);
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        ListFatFolder(f->firstCluster);
    ListNtfsFolder(5);
    for (const NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next)
        ListNtfsFolder(f->recordNumber);
}

uint32_t ListedFiles()
{
    return g_FatEntries.count + g_MftEntries.count + g_NtfsFileRecords.count + g_TracedFiles.count;
}

}  // namespace

// The savers' clock, fixed: the time of day they give a saved FAT file would steer the mutations.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetFileTimeSource([] { return uint64_t{132223536000000000}; });  // 2020-01-01 12:00 UTC
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::vector<std::vector<uint8_t>> disks = LoadDisks();
    static const ScratchFolder scratch;
    if (size < 1)
        return 0;
    const std::vector<uint8_t>& chosen = disks[data[0] % disks.size()];
    const fs::path input = scratch.path / "input.srzq";
    const fs::path out = scratch.path / "out";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }

    ResetEngineState();
    CVirtualDisk disk;
    disk.Create(CVirtualDisk::kVhd);
    if (disk.OpenMemory(chosen.data(), chosen.size()) != 1)
        std::abort();
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    if (LoadSnapshotFile(input.u16string())) {
        ListEverything();
        if (ListedFiles() <= kMostFilesSaved && g_TracedFiles.count <= kMostTracedFilesSaved) {
            SaveWholeVolume(out.u16string());
            // The save writes into its folder and nowhere else.
            for (const fs::directory_entry& entry : fs::directory_iterator(scratch.path)) {
                if (entry.path() != input && entry.path() != out)
                    std::abort();
            }
            fs::remove_all(out);
        }
        std::vector<uint8_t> again = EncodeSnapshot();
        LoadedSnapshot reloaded;
        if (DecodeSnapshot(again.data(), again.size(), reloaded) != SnapshotStatus::kOk)
            std::abort();
    }
    SetCurrentVirtualDisk(nullptr);
    ResetEngineState();
    return 0;
}
