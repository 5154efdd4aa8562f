// morvick-fuzz-seeds CORPUS_DIR RAW_DAT
// Writes seeds for the engine's fuzzers into CORPUS_DIR/<fuzzer>/, made by the same generators the
// engine's tests use: small VHD and VHDX images (also differencing ones, which no tool here makes),
// a snapshot of every kind and file system, a File Trace's snapshot of the snapshot-load fuzzer's
// FAT16 disk, and the signature table. Seeds cut from disks that the real tools make (FAT folders
// from mkfs.fat and mtools, MFT records from mkntfs) are files in fuzz/seeds/. The fuzz build runs
// it; scripts/test.sh fuzzes from these folders.
#include "ImageWriters.h"

#include "engine/save/EngineReset.h"
#include "engine/snapshot/SnapshotEncoder.h"
#include "engine/state/EngineState.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr uint64_t MiB = 1u << 20;

bool Write(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteContainers(const fs::path& corpus)
{
    const Bytes tiny = MakePatternDisk(40 * 1024, {{0, 1024}, {12 * 1024, 8192}});
    VhdLayout small;
    small.blockSize = 4096;
    VhdLayout smallDifferencing = small;
    smallDifferencing.diskType = 4;
    bool ok = Write(corpus / "fuzz_vhd" / "dynamic", MakeDynamicVhd(tiny, small)) &&
        Write(corpus / "fuzz_vhd" / "differencing", MakeDynamicVhd(tiny, smallDifferencing)) &&
        Write(corpus / "fuzz_vhd" / "fixed", MakeFixedVhd(tiny));
    // The VHDX fuzzer takes the region table, the metadata table, the metadata values and the BAT
    // in slices (see fuzz_vhdx.cpp).
    for (bool parent : {false, true}) {
        VhdxLayout layout;
        layout.hasParent = parent;
        VhdxImageInfo info;
        const Bytes image = MakeVhdx(MakePatternDisk(4 * MiB, {{0, 4096}, {2 * MiB, 512}}), layout, &info);
        Bytes seed(image.begin() + 192 * 1024, image.begin() + 192 * 1024 + 512);
        seed.insert(seed.end(), image.begin() + info.metadataOffset, image.begin() + info.metadataOffset + 512);
        const uint64_t values = info.metadataOffset + info.metadataItemOffset;
        seed.insert(seed.end(), image.begin() + values, image.begin() + values + 256);
        seed.insert(seed.end(), image.begin() + info.batOffset,
            image.begin() + info.batOffset + (parent ? 4097 * 8 : 64));
        ok = Write(corpus / "fuzz_vhdx" / (parent ? "differencing" : "dynamic"), seed) && ok;
    }
    return ok;
}

// A snapshot of each scan mode over each file system, with records of every list.
bool WriteSnapshots(const fs::path& corpus)
{
    struct Case {
        int32_t mode;
        FileSystemKind kind;
    };
    bool ok = true;
    for (const Case& c : {Case{kScanQuick, FileSystemKind::kFat16}, Case{kScanQuick, FileSystemKind::kNtfs},
             Case{kScanExtensive, FileSystemKind::kFat32}, Case{kScanExtensive, FileSystemKind::kNtfs},
             Case{kScanFileTrace, FileSystemKind::kFat16}}) {
        ResetEngineState();
        VolumeParameterBlock& b = g_VolumeParams;
        b.chosenFileSystemType = b.browsedFileSystemType = c.kind;
        b.partitionStart = 0x800;
        b.partitionSectors = 0x10000;
        b.partitionEnd = 0x107FF;
        b.sectorsPerFat = 0x40;
        b.sectorsPerCluster = 4;
        b.clusterBase = 0x880;
        b.firstFat = 0x804;
        b.mftStart = 0x1000;
        b.volumeEnd = 0x107FF;
        g_wSourceType = kSourceDisk;
        g_nScanMode = c.mode;
        AddOneRecordOfEveryList();
        const std::string name = "made-" + std::to_string(c.mode) + "-" + std::to_string(FileSystemCode(c.kind));
        ok = Write(corpus / "fuzz_snapshot" / name, EncodeSnapshot()) && ok;
    }
    ResetEngineState();
    return ok;
}

// A File Trace's snapshot of the snapshot-load fuzzer's FAT16 disk (its first byte 0 chooses that
// disk; the Quick and Extensive ones are committed, made by morvick-bench from the disks): hits of
// the volume's boot sector (its jump instruction) and of its first FAT (the media entry).
bool WriteTraceLoadSnapshot(const fs::path& corpus)
{
    ResetEngineState();
    VolumeParameterBlock& b = g_VolumeParams;
    b.chosenFileSystemType = b.browsedFileSystemType = FileSystemKind::kFat16;
    b.partitionStart = 63;
    b.partitionSectors = 4200;
    b.partitionEnd = 4262;
    b.sectorsPerCluster = 1;
    g_wSourceType = kSourceDisk;
    g_nScanMode = kScanFileTrace;
    AddTraceHit(u".bin", u"Boot sector", "eb");
    AddTraceHit(u".fat", u"FAT", "f8ffff");
    AddTracedFile(u"1.bin", u".bin", u"Boot sector", 63, 1);
    AddTracedFile(u"2.fat", u".fat", u"FAT", 64, 2);
    Bytes seed{0};
    const Bytes snapshot = EncodeSnapshot();
    seed.insert(seed.end(), snapshot.begin(), snapshot.end());
    ResetEngineState();
    return Write(corpus / "fuzz_snapshot_load" / "made-trace-fat16", seed);
}

bool CopySignatureTable(const fs::path& corpus, const fs::path& rawDat)
{
    std::error_code error;
    fs::create_directories(corpus / "fuzz_signature_table", error);
    fs::copy_file(rawDat, corpus / "fuzz_signature_table" / "Raw.dat", fs::copy_options::overwrite_existing, error);
    return !error;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: morvick-fuzz-seeds CORPUS_DIR RAW_DAT\n");
        return 2;
    }
    const fs::path corpus(argv[1]);
    const bool ok = WriteContainers(corpus) && WriteSnapshots(corpus) && WriteTraceLoadSnapshot(corpus) &&
        CopySignatureTable(corpus, argv[2]);
    if (!ok)
        std::fprintf(stderr, "morvick-fuzz-seeds: could not write every seed into %s\n", argv[1]);
    return ok ? 0 : 1;
}
