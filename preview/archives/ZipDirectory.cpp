#include "preview/archives/ZipDirectory.h"

#include "preview/archives/FileTimes.h"
#include "preview/minizip/UnzipLocalHeader.h"
#include "preview/text/Utf8.h"

#include <zlib.h>

#include <climits>
#include <cstring>
#include <vector>

namespace morvick {

namespace {

constexpr uint16_t kTagExtendedTime = 0x5455;  // "UT"
constexpr uint16_t kTagUnicodePath = 0x7075;   // "up"
constexpr size_t kLocalHeaderBytes = 30;
constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uLong kHostUnix = 3;

// The file layer minizip reads through: a position over an ArchiveSource.
struct SourceStream {
    ArchiveSource* source;
    uint64_t position;
};

voidpf ZCALLBACK OpenStream(voidpf, const void* filename, int)
{
    return new SourceStream{static_cast<ArchiveSource*>(const_cast<void*>(filename)), 0};
}

uLong ZCALLBACK ReadStream(voidpf, voidpf stream, void* buf, uLong size)
{
    auto* s = static_cast<SourceStream*>(stream);
    size_t n = s->source->ReadAt(s->position, buf, size);
    s->position += n;
    return static_cast<uLong>(n);
}

uLong ZCALLBACK WriteStream(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK TellStream(voidpf, voidpf stream)
{
    return static_cast<SourceStream*>(stream)->position;
}

long ZCALLBACK SeekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* s = static_cast<SourceStream*>(stream);
    uint64_t base = origin == ZLIB_FILEFUNC_SEEK_CUR ? s->position
        : origin == ZLIB_FILEFUNC_SEEK_END           ? s->source->Size()
                                                     : 0;
    uint64_t target = base + offset;
    if (target < base || target > s->source->Size())
        return -1;
    s->position = target;
    return 0;
}

int ZCALLBACK CloseStream(voidpf, voidpf stream)
{
    delete static_cast<SourceStream*>(stream);
    return 0;
}

int ZCALLBACK ErrorOfStream(voidpf, voidpf)
{
    return 0;
}

uint16_t Little16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Little32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
        (static_cast<uint32_t>(p[3]) << 24);
}

// False for a time outside the calendar, which keeps the MS-DOS time.
bool SetUnixTime(const uint8_t* p, uint64_t& target)
{
    uint64_t fileTime = 0;
    if (!UnixTimeToFileTime(static_cast<int32_t>(Little32(p)), fileTime))
        return false;
    target = fileTime;
    return true;
}

// True when the local header at offset agrees with the central directory's description: its
// signature, method and name length, and its CRC and sizes unless a data descriptor after the data
// gives them (flag bit 3) or a size is left to the zip64 field. Gives where its extra field lies.
bool LocalHeaderMatches(ArchiveSource& source, uint64_t offset, const unz_file_info64& info, uint64_t& extraAt,
    uint16_t& extraLength)
{
    uint8_t h[kLocalHeaderBytes];
    if (source.ReadAt(offset, h, sizeof h) != sizeof h || Little32(h) != kLocalHeaderSignature)
        return false;
    if (Little16(h + 8) != info.compression_method || Little16(h + 26) != info.size_filename)
        return false;
    if ((Little16(h + 6) & 0x08) == 0) {
        uint32_t compressed = Little32(h + 18), uncompressed = Little32(h + 22);
        if (Little32(h + 14) != info.crc || (compressed != 0xFFFFFFFF && compressed != info.compressed_size) ||
            (uncompressed != 0xFFFFFFFF && uncompressed != info.uncompressed_size))
            return false;
    }
    extraAt = offset + kLocalHeaderBytes + Little16(h + 26);
    extraLength = Little16(h + 28);
    return true;
}

}  // namespace

uint32_t ZipFileAttributes(uint32_t external)
{
    uint32_t attributes = 0x80;
    if ((external & 0x40000000) != 0 || (external & 0x10) != 0)
        attributes = 0x90;
    if ((external & 0x20) != 0)
        attributes |= 0x20;
    if ((external & 0x02) != 0)
        attributes |= 0x02;
    // Owner write is looked at only where a Unix mode is stored: MS-DOS entries carry none, and every one showed "r".
    bool unixMode = (external >> 16) != 0;
    if ((external & 0x01) != 0 || (unixMode && (external & 0x00800000) == 0))
        attributes |= 0x01;
    if ((external & 0x04) != 0)
        attributes |= 0x04;
    return attributes;
}

void ReadZipExtraField(const uint8_t* data, size_t size, ZipEntryFacts& facts, uint32_t fullNameCrc, bool fullNameKnown)
{
    bool timesRead = false;
    size_t pos = 0;
    while (size - pos >= 4) {
        uint16_t tag = Little16(data + pos);
        size_t length = Little16(data + pos + 2);
        const uint8_t* block = data + pos + 4;
        if (length > size - pos - 4)
            length = size - pos - 4;  // a block cut by the end of the field keeps what is there
        if (tag == kTagExtendedTime && !timesRead && length >= 1) {
            timesRead = true;
            uint8_t flags = block[0];
            size_t at = 1;
            uint64_t* targets[] = {&facts.modificationTime, &facts.accessTime, &facts.creationTime};
            for (int bit = 0; bit < 3; ++bit) {
                if ((flags & (1 << bit)) == 0)
                    continue;
                if (length - at < 4)
                    break;
                if (SetUnixTime(block + at, *targets[bit]))
                    facts.utcTimes |= static_cast<uint8_t>(1 << bit);
                at += 4;
            }
        } else if (tag == kTagUnicodePath && length >= 5 && block[0] == 1 && fullNameKnown &&
            Little32(block + 1) == fullNameCrc) {
            facts.unicodeName = Utf8ToUtf16(reinterpret_cast<const char*>(block + 5), length - 5);
        }
        pos += 4 + length;
    }
}

ZipDirectory::~ZipDirectory()
{
    Close();
}

bool ZipDirectory::Open(ArchiveSource& source)
{
    Close();
    zlib_filefunc64_def functions = {};
    functions.zopen64_file = OpenStream;
    functions.zread_file = ReadStream;
    functions.zwrite_file = WriteStream;
    functions.ztell64_file = TellStream;
    functions.zseek64_file = SeekStream;
    functions.zclose_file = CloseStream;
    functions.zerror_file = ErrorOfStream;
    m_source = &source;
    m_unzip = unzOpen2_64(&source, &functions);
    if (m_unzip == nullptr) {
        // minizip takes an end record at the very start for none: an archive without entries.
        uint8_t end[22] = {};
        static const uint8_t kEndSignature[] = {0x50, 0x4B, 0x05, 0x06};
        m_empty = source.ReadAt(0, end, sizeof end) == sizeof end && std::memcmp(end, kEndSignature, 4) == 0 &&
            Little16(end + 8) == 0 && Little16(end + 10) == 0;
        m_count = 0;
        return m_empty;
    }
    unz_global_info64 info = {};
    if (unzGetGlobalInfo64(m_unzip, &info) != UNZ_OK) {
        Close();
        return false;
    }
    m_count =
        info.number_entry > static_cast<ZPOS64_T>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(info.number_entry);
    m_current = 0;
    m_damagedFrom = -1;
    m_lastIndex = -1;
    return true;
}

void ZipDirectory::Close()
{
    if (m_unzip != nullptr)
        unzClose(m_unzip);
    m_unzip = nullptr;
    m_source = nullptr;
    m_empty = false;
    m_count = 0;
    m_lastIndex = -1;
}

bool ZipDirectory::MoveTo(int32_t index)
{
    if (m_damagedFrom >= 0 && index >= m_damagedFrom)
        return false;
    if (index < m_current) {
        if (unzGoToFirstFile(m_unzip) != UNZ_OK) {
            m_damagedFrom = 0;
            return false;
        }
        m_current = 0;
    }
    while (m_current < index) {
        if (unzGoToNextFile(m_unzip) != UNZ_OK) {
            m_damagedFrom = m_current + 1;
            // minizip keeps no current entry after a failed step: start again from the first.
            m_current = INT32_MAX;
            return false;
        }
        ++m_current;
    }
    return true;
}

uint32_t ZipDirectory::Describe(ZipEntryFacts& facts)
{
    unz_file_info64 info = {};
    char name[kZipNameBytes + 1] = {};
    if (unzGetCurrentFileInfo64(m_unzip, &info, name, kZipNameBytes, nullptr, 0, nullptr, 0) != UNZ_OK)
        return kZipDirectoryDamaged;
    size_t nameLength = info.size_filename < kZipNameBytes ? info.size_filename : kZipNameBytes;
    facts.storedName.assign(name, nameLength);
    // UTF-8 names (flagged, or from Unix hosts, which leave them unflagged): the ANSI code page garbled them.
    bool unixHost = (info.version >> 8) == kHostUnix;
    if ((info.flag & 0x800) != 0 || (unixHost && IsValidUtf8(facts.storedName)))
        facts.unicodeName = Utf8ToUtf16(facts.storedName);
    facts.externalAttributes = static_cast<uint32_t>(info.external_fa);
    facts.attributes = ZipFileAttributes(facts.externalAttributes);
    facts.compressedSize = info.compressed_size;
    facts.uncompressedSize = info.uncompressed_size;
    facts.dosDate = static_cast<uint16_t>(info.dosDate >> 16);
    facts.dosTime = static_cast<uint16_t>(info.dosDate & 0xFFFF);
    uint64_t dos = 0;
    DosDateTimeToFileTime64(facts.dosDate, facts.dosTime, dos);
    facts.accessTime = facts.creationTime = facts.modificationTime = dos;

    // The local header must agree with the central directory; its extra field holds the times. It is
    // read here: minizip opens no entry of a method but stored, deflate and bzip2, and an entry of
    // any other lost its times and its Unicode name.
    ZPOS64_T local = 0;
    uint64_t extraAt = 0;
    uint16_t extraLength = 0;
    if (unzGetLocalHeaderOffset64(m_unzip, &local) != UNZ_OK ||
        !LocalHeaderMatches(*m_source, local, info, extraAt, extraLength))
        return kZipLocalHeaderMismatch;
    std::vector<uint8_t> extra(extraLength);
    if (!extra.empty() && m_source->ReadAt(extraAt, extra.data(), extra.size()) != extra.size())
        return kZipExtraFieldFailed;
    bool fullName = info.size_filename <= kZipNameBytes;
    uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(facts.storedName.data()), static_cast<uInt>(nameLength)));
    ReadZipExtraField(extra.data(), extra.size(), facts, crc, fullName);
    return kZipOk;
}

uint32_t ZipDirectory::GetEntry(int32_t index, ZipEntryFacts& facts)
{
    facts = ZipEntryFacts();
    if (!IsOpen() || index < -1 || index >= m_count)
        return kZipBadArgument;
    if (index == -1) {
        facts.index = m_count;
        return kZipOk;
    }
    if (index == m_lastIndex) {
        facts = m_last;
        return m_lastResult;
    }
    facts.index = index;
    if (!MoveTo(index))
        return kZipDirectoryDamaged;
    uint32_t result = Describe(facts);
    if (result == kZipDirectoryDamaged)
        return result;
    m_lastIndex = index;
    m_last = facts;
    m_lastResult = result;
    return result;
}

}  // namespace morvick
