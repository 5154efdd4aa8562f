// Images on disk that another program holds open: a VHDX whose virtual machine is running is still
// opened and read, and reading it never changes a byte of it.
#include "ImageWriters.h"

#include "engine/image/VirtualDisk.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr uint64_t MiB = 1u << 20;

// A file written and kept open for reading and writing, as a virtual machine keeps its disk: others
// may read and write it too, but only openers that allow writing get in.
class HeldFile {
public:
    HeldFile(const std::filesystem::path& path, const Bytes& bytes)
    {
#ifdef _WIN32
        m_handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        m_held = m_handle != INVALID_HANDLE_VALUE &&
            WriteFile(m_handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
#else
        m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        m_held = m_fd >= 0 && write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
#endif
    }
    ~HeldFile()
    {
#ifdef _WIN32
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
#else
        if (m_fd >= 0)
            close(m_fd);
#endif
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Held() const
    {
        return m_held;
    }

private:
    bool m_held = false;
#ifdef _WIN32
    HANDLE m_handle = INVALID_HANDLE_VALUE;
#else
    int m_fd = -1;
#endif
};

TEST(HeldImage, AVhdxHeldOpenForWritingIsReadAndLeftAsItWas)
{
    const Bytes disk = MakePatternDisk(3 * MiB, {{0, 4096}, {MiB - 512, 1024}, {3 * MiB - 512, 512}});
    const Bytes image = MakeVhdx(disk, {});
    TempFolder temp;
    const std::filesystem::path path = temp.Path() / "running.vhdx";
    {
        HeldFile held(path, image);
        ASSERT_TRUE(held.Held());
        CVirtualDisk reader;
        ASSERT_NE(reader.Create(CVirtualDisk::kVhdx), nullptr);
        ASSERT_EQ(reader.Open(ToPath16(path)), 1) << "an image held open by its program is not refused";
        EXPECT_EQ(reader.GetDiskSize(), disk.size());
        Bytes got(disk.size());
        ASSERT_EQ(reader.ReadAt(0, got.data(), got.size()), 1);
        EXPECT_EQ(0, std::memcmp(got.data(), disk.data(), got.size()));
        EXPECT_EQ(reader.Close(), 1);
    }
    const std::string after = ReadWholeFile(path);
    ASSERT_EQ(after.size(), image.size());
    EXPECT_EQ(0, std::memcmp(after.data(), image.data(), image.size())) << "reading changed the image";
}

}  // namespace
