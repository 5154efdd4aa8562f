#include "tests/engine/diskfixtures/RawFileSectorSource.h"

namespace morvick::test {

namespace {
int Seek(std::FILE* f, uint64_t offset, int origin)
{
#ifdef _WIN32
    return _fseeki64(f, static_cast<__int64>(offset), origin);
#else
    return fseeko(f, static_cast<off_t>(offset), origin);
#endif
}

uint64_t Tell(std::FILE* f)
{
#ifdef _WIN32
    return static_cast<uint64_t>(_ftelli64(f));
#else
    return static_cast<uint64_t>(ftello(f));
#endif
}
}  // namespace

RawFileSectorSource::RawFileSectorSource(const std::string& path)
{
    m_file = std::fopen(path.c_str(), "rb");
    if (m_file && Seek(m_file, 0, SEEK_END) == 0)
        m_sectors = Tell(m_file) / kSectorSize;
}

RawFileSectorSource::~RawFileSectorSource()
{
    if (m_file)
        std::fclose(m_file);
}

bool RawFileSectorSource::ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer)
{
    if (!m_file || count == 0 || sector >= m_sectors || count > m_sectors - sector)
        return false;
    if (Seek(m_file, sector * kSectorSize, SEEK_SET) != 0)
        return false;
    const size_t bytes = static_cast<size_t>(count) * kSectorSize;
    return std::fread(buffer, 1, bytes, m_file) == bytes;
}

}  // namespace morvick::test
