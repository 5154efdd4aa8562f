// The readers against qemu-img: a raw disk is wrapped in every container by
// tests/fixtures/wrap-containers.sh, and what the facade reads from each image file must equal
// `qemu-img convert -O raw` of it. Needs bash and qemu-img, so it runs in the native builds only.
#include "ImageWriters.h"

#include "engine/image/VhdxBatLayout.h"
#include "engine/image/VhdxDisk.h"
#include "engine/image/VirtualDisk.h"
#include "engine/io/DiskFile.h"
#include "engine/util/Utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32

constexpr uint64_t MiB = 1u << 20;

// Builds the fixtures once for the whole program in a temporary folder.
class QemuFixtures {
public:
    static const QemuFixtures& Get()
    {
        static const QemuFixtures fixtures;
        return fixtures;
    }

    bool ok = false;
    std::string dir;

private:
    QemuFixtures()
    {
        const char* source = std::getenv("MORVICK_SOURCE_DIR");
        char pattern[] = "/tmp/morvick-image-XXXXXX";
        if (!source || !mkdtemp(pattern))
            return;
        dir = pattern;
        // 70 MiB + 3 sectors, data scattered over block ends of every block size, and a 5 GiB disk
        // with data at 4.5 GiB (its BAT has sector-bitmap entries between the payload entries).
        const std::string script = "set -e; cd '" + dir +
            "'; truncate -s $((70*1048576 + 1536)) d.raw;"
            "for off in 0 1048064 2096640 5000000 33553920 67108352 $((70*1048576 + 1024)); do"
            "  head -c 4096 /dev/urandom | dd of=d.raw bs=1 seek=$off conv=notrunc status=none; done;"
            "truncate -s $((70*1048576 + 1536)) d.raw;"
            "'" +
            std::string(source) +
            "/tests/fixtures/wrap-containers.sh' d.raw out '1 8 32';"
            "truncate -s 5G big.raw; head -c 1048576 /dev/urandom | dd of=big.raw bs=1M seek=4608 conv=notrunc "
            "status=none;"
            "qemu-img convert -q -f raw -O vhdx -o subformat=dynamic,block_size=1M big.raw out/big.vhdx";
        ok = std::system(("bash -c \"" + Escape(script) + "\" >/dev/null 2>&1").c_str()) == 0;
    }

    static std::string Escape(const std::string& text)
    {
        std::string out;
        for (char c : text) {
            if (c == '"' || c == '\\' || c == '$' || c == '`')
                out += '\\';
            out += c;
        }
        return out;
    }

public:
    ~QemuFixtures()
    {
        if (!dir.empty())
            std::system(("rm -rf '" + dir + "'").c_str());
    }
};

Bytes ReadWholeFile(const std::string& path)
{
    CDiskFile file;
    Bytes bytes;
    if (file.OpenRead(Utf8ToUtf16(path))) {
        bytes.resize(static_cast<size_t>(file.GetSize()));
        if (!file.ReadAt(bytes.data(), 0, bytes.size()))
            bytes.clear();
    }
    return bytes;
}

class QemuOracleTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        if (!QemuFixtures::Get().ok)
            GTEST_SKIP() << "qemu-img fixtures could not be made";
        path = QemuFixtures::Get().dir + "/out/" + GetParam();
        const uint32_t type = GetParam().find(".vhdx") != std::string::npos ? CVirtualDisk::kVhdx : CVirtualDisk::kVhd;
        ASSERT_NE(disk.Create(type), nullptr);
        ASSERT_EQ(disk.Open(Utf8ToUtf16(path)), 1) << path;
    }

    std::string path;
    CVirtualDisk disk;
};

TEST_P(QemuOracleTest, WholeDiskEqualsQemuRaw)
{
    const Bytes oracle = ReadWholeFile(path + ".raw");
    ASSERT_FALSE(oracle.empty());
    ASSERT_EQ(disk.GetDiskSize(), oracle.size());
    Bytes got(oracle.size());
    const size_t chunk = 4 * MiB + 512;  // not aligned to any block
    for (size_t at = 0; at < got.size(); at += chunk) {
        const size_t n = std::min(chunk, got.size() - at);
        ASSERT_EQ(disk.ReadAt(at, got.data() + at, n), 1) << at;
    }
    EXPECT_TRUE(got == oracle);
}

TEST_P(QemuOracleTest, RandomReadsEqualQemuRaw)
{
    const Bytes oracle = ReadWholeFile(path + ".raw");
    std::mt19937_64 random(12345);
    const uint64_t sectors = oracle.size() / 512;
    Bytes got;
    for (int i = 0; i < 300; ++i) {
        const uint64_t count = 1 + random() % 100;
        const uint64_t sector = random() % (sectors - count + 1);
        got.assign(count * 512, 0);
        ASSERT_EQ(disk.ReadAt(sector * 512, got.data(), got.size()), 1);
        ASSERT_EQ(0, std::memcmp(got.data(), oracle.data() + sector * 512, got.size())) << "sector " << sector;
    }
    Bytes past(512);
    EXPECT_EQ(disk.ReadAt(oracle.size() - 256, past.data(), 512), 0);
}

INSTANTIATE_TEST_SUITE_P(QemuContainers, QemuOracleTest,
    ::testing::Values("fixed.vhd", "dynamic.vhd", "fixed.vhdx", "dynamic-1M.vhdx", "dynamic-8M.vhdx",
        "dynamic-32M.vhdx"),
    [](const ::testing::TestParamInfo<std::string>& info) {
        std::string name;
        for (char c : info.param)
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(QemuLargeVhdx, DataPastTheFirstChunkReadsFromItsBlock)
{
    if (!QemuFixtures::Get().ok)
        GTEST_SKIP() << "qemu-img fixtures could not be made";
    const std::string dir = QemuFixtures::Get().dir;
    CVirtualDisk disk;
    disk.Create(CVirtualDisk::kVhdx);
    ASSERT_EQ(disk.Open(Utf8ToUtf16(dir + "/out/big.vhdx")), 1);
    EXPECT_EQ(disk.GetDiskSize(), uint64_t(5) << 30);
    CDiskFile raw;
    ASSERT_EQ(raw.OpenRead(Utf8ToUtf16(dir + "/big.raw")), 1);
    Bytes expected(3 * MiB), got(3 * MiB);
    const uint64_t at = 4607 * MiB;  // the block before, the data block, the block after
    ASSERT_EQ(raw.ReadAt(expected.data(), at, expected.size()), 1);
    ASSERT_EQ(disk.ReadAt(at, got.data(), got.size()), 1);
    EXPECT_TRUE(got == expected);
}

// Images made by qemu-img and then damaged where a failing disk may damage them: the dynamic VHD's
// header cookie, the checksums of both VHDX region tables. The fields they give still hold, and the
// disk reads as qemu-img reads the sound image.
TEST(QemuDamagedContainers, ReadAsTheSoundImage)
{
    if (!QemuFixtures::Get().ok)
        GTEST_SKIP() << "qemu-img fixtures could not be made";
    const std::string dir = QemuFixtures::Get().dir + "/out/";
    struct Case {
        const char* name;
        uint32_t type;
        void (*damage)(Bytes&);
    };
    const Case cases[] = {
        {"dynamic.vhd", CVirtualDisk::kVhd,
            [](Bytes& image) {
                const uint8_t* footer = &image[image.size() - 512];
                uint64_t header = 0;
                for (int i = 0; i < 8; ++i)
                    header = header << 8 | footer[16 + i];
                std::memcpy(&image[header], "cxspar\0\0", 8);
            }},
        {"dynamic-1M.vhdx", CVirtualDisk::kVhdx,
            [](Bytes& image) {
                image[192 * 1024 + 4] ^= 0x01;
                image[256 * 1024 + 5] ^= 0x40;
            }},
    };
    for (const Case& c : cases) {
        Bytes image = ReadWholeFile(dir + c.name);
        ASSERT_FALSE(image.empty()) << c.name;
        c.damage(image);
        const std::string damaged = dir + "damaged-" + c.name;
        FILE* out = std::fopen(damaged.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(std::fwrite(image.data(), 1, image.size(), out), image.size());
        std::fclose(out);
        CVirtualDisk disk;
        disk.Create(c.type);
        ASSERT_EQ(disk.Open(Utf8ToUtf16(damaged)), 1) << c.name;
        const Bytes oracle = ReadWholeFile(dir + c.name + ".raw");
        ASSERT_EQ(disk.GetDiskSize(), oracle.size()) << c.name;
        Bytes got(oracle.size());
        ASSERT_EQ(disk.ReadAt(0, got.data(), got.size()), 1) << c.name;
        EXPECT_TRUE(got == oracle) << c.name;
    }
}

// qemu-img's dynamic VHDX of 1 MiB blocks with BAT entries changed, and what the disk must read:
// qemu's reading of the sound image, zeros where the test says so.
class QemuKeptBlocks : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QemuFixtures::Get().ok)
            GTEST_SKIP() << "qemu-img fixtures could not be made";
        const std::string sound = QemuFixtures::Get().dir + "/out/dynamic-1M.vhdx";
        expected = ReadWholeFile(sound + ".raw");
        image = ReadWholeFile(sound);
        ASSERT_FALSE(expected.empty());
        CVhdxDisk parsed;
        ASSERT_EQ(parsed.Open(Utf8ToUtf16(sound)), 1);
        for (const VhdxRegion& region : parsed.Regions())
            bat = region.name == u"Bat Guid" ? region.fileOffset : bat;
        layout = parsed.Layout();
        ASSERT_NE(bat, 0u);
    }

    // Gives a fully present block another state, keeping its offset or clearing the whole entry.
    void SetEntry(uint64_t block, bool keepOffset, uint8_t state)
    {
        const uint64_t at = bat + 8 * VhdxPayloadEntryIndex(layout, block);
        ASSERT_EQ(image[at] & 7, 6) << "block " << block << " is fully present";
        if (!keepOffset)
            std::fill(image.begin() + at, image.begin() + at + 8, 0);
        image[at] = static_cast<uint8_t>((image[at] & ~7) | state);
    }
    void ExpectZeros(uint64_t block)
    {
        const size_t end = std::min<size_t>((block + 1) * MiB, expected.size());
        std::fill(expected.begin() + block * MiB, expected.begin() + end, 0);
    }
    // Writes the changed image and reads its whole disk, which must be the expected bytes.
    void ExpectTheDiskReads(const std::vector<uint64_t>& changedBlocks)
    {
        const std::string changed = QemuFixtures::Get().dir + "/changed-blocks.vhdx";
        FILE* out = std::fopen(changed.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(std::fwrite(image.data(), 1, image.size(), out), image.size());
        std::fclose(out);
        CVirtualDisk disk;
        disk.Create(CVirtualDisk::kVhdx);
        ASSERT_EQ(disk.Open(Utf8ToUtf16(changed)), 1);
        Bytes got(expected.size());
        ASSERT_EQ(disk.ReadAt(0, got.data(), got.size()), 1);
        for (uint64_t block : changedBlocks)
            EXPECT_EQ(0,
                std::memcmp(got.data() + block * MiB, expected.data() + block * MiB,
                    std::min<size_t>(MiB, expected.size() - block * MiB)))
                << "block " << block;
        EXPECT_TRUE(got == expected);
        disk.Close();
        std::remove(changed.c_str());
    }

    Bytes expected;
    Bytes image;
    uint64_t bat = 0;
    VhdxBatLayout layout;
};

// Blocks set to the states a guest's TRIM (unmapped) or an undefined block leaves, with their offsets
// kept: their bytes are still in the file and read from there. A zero block reads zeros whatever its
// offset, and so does a block whose offset is 0.
TEST_F(QemuKeptBlocks, UndefinedAndUnmappedBlocksReadTheirDataZeroBlocksZeros)
{
    // Blocks 0, 4, 32 and 70 (the last, partial one) hold data.
    SetEntry(0, true, 1);
    SetEntry(4, true, 3);
    SetEntry(32, true, 2);
    ExpectZeros(32);
    SetEntry(70, false, 3);
    ExpectZeros(70);
    ExpectTheDiskReads({0, 4, 32, 70});
}

// Entries damaged into the states the format leaves unused (4, 5), or into partially present (7) in
// an image without sector bitmaps: their offsets still lead to their data, which reads as qemu-img
// reads the sound image. Present blocks that lost their offset read zeros; the read goes on over them.
TEST_F(QemuKeptBlocks, BlocksInAnyStateReadAtTheirOffsetPresentOnesWithoutOneZeros)
{
    // Blocks 1, 2, 4, 31, 32, 63 and 64 hold data.
    SetEntry(1, true, 4);
    SetEntry(2, true, 5);
    SetEntry(4, true, 7);
    SetEntry(31, true, 7);
    SetEntry(32, true, 5);
    SetEntry(63, false, 6);
    ExpectZeros(63);
    SetEntry(64, false, 7);
    ExpectZeros(64);
    ExpectTheDiskReads({1, 2, 4, 31, 32, 63, 64});
}

// qemu-img's dynamic VHD with its header's block size changed from 2 MiB to 1.5 MiB (3072 sectors, no
// power of two; the bitmap still takes one sector) and its checksum made right. Block i now holds
// the first 1.5 MiB of what it held: virtual byte i x 1.5 MiB + w reads byte i x 2 MiB + w of qemu's
// reading of the sound image, over as many blocks as the table has.
TEST(QemuOddBlockSize, AVhdWhoseBlocksAreNoPowerOfTwoReadsBlockByBlock)
{
    if (!QemuFixtures::Get().ok)
        GTEST_SKIP() << "qemu-img fixtures could not be made";
    const std::string sound = QemuFixtures::Get().dir + "/out/dynamic.vhd";
    const Bytes oracle = ReadWholeFile(sound + ".raw");
    Bytes image = ReadWholeFile(sound);
    ASSERT_GT(image.size(), 1024u);
    auto bigEndian = [&](uint64_t at, int bytes) {
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | image[at + i];
        return value;
    };
    const uint64_t header = bigEndian(image.size() - 512 + 16, 8);
    ASSERT_EQ(bigEndian(header + 32, 4), 2 * MiB);
    const uint64_t blocks = bigEndian(header + 28, 4);
    const uint64_t blockSize = 3072 * 512;
    PutBigEndian32(image, header + 32, static_cast<uint32_t>(blockSize));
    FixVhdHeaderChecksum(image, header);
    const std::string odd = QemuFixtures::Get().dir + "/odd-blocks.vhd";
    FILE* out = std::fopen(odd.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(std::fwrite(image.data(), 1, image.size(), out), image.size());
    std::fclose(out);

    Bytes expected(blocks * blockSize);
    for (uint64_t i = 0; i < blocks; ++i) {
        const uint64_t from = i * 2 * MiB;
        const uint64_t left = oracle.size() - std::min<uint64_t>(from, oracle.size());
        const size_t n = static_cast<size_t>(std::min(blockSize, left));
        std::memcpy(expected.data() + i * blockSize, oracle.data() + from, n);
    }
    CVirtualDisk disk;
    disk.Create(CVirtualDisk::kVhd);
    ASSERT_EQ(disk.Open(Utf8ToUtf16(odd)), 1);
    ASSERT_EQ(disk.GetDiskSize(), oracle.size());
    Bytes got(expected.size());
    const size_t chunk = MiB + 512;  // across block ends at every phase
    for (size_t at = 0; at < got.size(); at += chunk) {
        const size_t n = std::min(chunk, got.size() - at);
        ASSERT_EQ(disk.ReadAt(at, got.data() + at, n), 1) << at;
    }
    EXPECT_TRUE(got == expected);
    std::remove(odd.c_str());
}

// The tests' own writers make images that qemu-img reads as the same disk, so the tests built on
// them stand on the format, not on the reader's view of it.
TEST(QemuOracleWriters, QemuReadsTheWrittenImagesAsTheSourceDisk)
{
    if (!QemuFixtures::Get().ok)
        GTEST_SKIP() << "qemu-img fixtures could not be made";
    const std::string dir = QemuFixtures::Get().dir;
    const Bytes disk = MakePatternDisk(5 * MiB, {{0, 4096}, {MiB - 512, 1024}, {4 * MiB, 8192}});
    VhdxLayout zero;
    zero.unwrittenState = 2;
    VhdLayout moved;
    moved.headerOffset = 4096;
    moved.blockSize = 512 * 1024;
    const struct {
        const char* name;
        const char* format;
        Bytes image;
    } cases[] = {
        {"w1.vhdx", "vhdx", MakeVhdx(disk, {})},
        {"w2.vhdx", "vhdx", MakeVhdx(disk, zero)},
        {"w3.vhd", "vpc", MakeDynamicVhd(disk, {})},
        {"w4.vhd", "vpc", MakeDynamicVhd(disk, moved)},
    };
    for (const auto& c : cases) {
        const std::string path = dir + "/" + c.name;
        FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(std::fwrite(c.image.data(), 1, c.image.size(), out), c.image.size());
        std::fclose(out);
        ASSERT_EQ(std::system(
                      ("qemu-img convert -f " + std::string(c.format) + " -O raw '" + path + "' '" + path + ".raw'")
                          .c_str()),
            0)
            << c.name;
        // qemu sizes a VHD of an unknown creator by its geometry, which may fall short of the end.
        const Bytes raw = ReadWholeFile(path + ".raw");
        ASSERT_GT(raw.size(), disk.size() - 512 * 16 * 63);
        EXPECT_EQ(0, std::memcmp(raw.data(), disk.data(), std::min(raw.size(), disk.size()))) << c.name;
    }
}

// morvick-bench dump: the disk's bytes on standard output and exit 0; the program's message and the
// reason on standard error and exit 1 for a file it can't open.
TEST(QemuBenchDump, WritesTheDiskOrTheProgramsMessage)
{
    const char* build = std::getenv("MORVICK_BINARY_DIR");
    if (!QemuFixtures::Get().ok || !build)
        GTEST_SKIP() << "qemu-img fixtures could not be made";
    const std::string bench = std::string(build) + "/bench/morvick-bench";
    const std::string dir = QemuFixtures::Get().dir;
    for (const char* name : {"dynamic.vhd", "dynamic-8M.vhdx"}) {
        const std::string image = dir + "/out/" + name;
        ASSERT_EQ(std::system(("'" + bench + "' dump '" + image + "' > '" + dir + "/dump.bin'").c_str()), 0) << name;
        EXPECT_TRUE(ReadWholeFile(dir + "/dump.bin") == ReadWholeFile(image + ".raw")) << name;
    }
    // The program's message, then the file and why it was refused.
    const std::pair<const char*, const char*> refused[] = {
        {"/d.raw.missing", "the file name ends in neither .vhd nor .vhdx"},
        {"/missing.vhd", "the file cannot be opened or read"},
    };
    for (const auto& [name, reason] : refused) {
        const std::string path = dir + name;
        const int status = std::system(("'" + bench + "' dump '" + path + "' 2> '" + dir + "/err.txt'").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << name;
        const Bytes message = ReadWholeFile(dir + "/err.txt");
        EXPECT_EQ(std::string(message.begin(), message.end()),
            "This file is highly corrupted or it is invalid file type.  Please select another file to recover.\n" +
                path + ": " + reason + "\n");
    }
}

TEST(QemuMissingFile, IsNotOpenedAndNotCreated)
{
    const std::string path = "/tmp/morvick-no-such-image-" + std::to_string(getpid()) + ".vhdx";
    for (uint32_t type : {CVirtualDisk::kVhd, CVirtualDisk::kVhdx}) {
        CVirtualDisk disk;
        disk.Create(type);
        EXPECT_EQ(disk.Open(Utf8ToUtf16(path)), 0);
        std::ifstream probe(path);
        EXPECT_FALSE(probe.good());
    }
}

#endif

}  // namespace
