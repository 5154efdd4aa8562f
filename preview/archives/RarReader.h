// A listing-only reader of RAR archives, format 4 (RAR 1.5 to 4.x) and format 5: it walks the
// block headers from the signature on, checks each header's CRC, describes every file header and
// skips the data behind it. Nothing is unpacked. Archives whose headers are encrypted cannot be
// listed. Every length is checked against the archive's size before it is used.
#pragma once

#include "preview/archives/ArchiveSource.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvick {

// Flags of a format-4 file header; format-5 entries get the same bits made from their header.
enum RarEntryFlags : uint32_t {
    kRarSplitBefore = 0x01,
    kRarSplitAfter = 0x02,
    kRarEncrypted = 0x04,
    kRarSolid = 0x10,
    kRarDictionaryMask = 0xE0,  // all three bits: a folder
    kRarLargeSizes = 0x100,
    kRarUnicodeName = 0x200,
    kRarLongBlock = 0x8000,
};

constexpr size_t kRarMaxNameBytes = 2048;

struct RarEntryFacts {
    std::string storedName;      // as stored: bytes of the host's code page (format 4) or UTF-8
    std::u16string unicodeName;  // the name in UTF-16 when the archive gives it (else empty)
    bool oemName = false;        // storedName is in the OEM code page of an MS-DOS or Windows host
    uint32_t flags = 0;
    uint64_t packedSize = 0;
    uint64_t unpackedSize = 0;
    bool hasDosTime = false;
    uint32_t dosTime = 0;     // format 4: MS-DOS date (high 16 bits) and time (low 16 bits), local
    uint64_t fileTime = 0;    // format 5: modification time as a UTC file time, 0 when none
    uint32_t attributes = 0;  // the platform's file attributes (Unix modes translated)
    uint8_t hostOs = 0;
    bool directory = false;
};

class RarReader {
public:
    enum Status {
        kOk,
        kEnd,               // no further entry
        kNotRar,            // no RAR signature at the start
        kBadData,           // a header is damaged or cut short
        kEncryptedHeaders,  // the headers themselves are encrypted
    };

    explicit RarReader(ArchiveSource& source) : m_source(source) {}

    // Reads the signature and the main header.
    Status Open();
    int Format() const { return m_format; }
    // The next file entry; service headers and data areas are skipped.
    Status Next(RarEntryFacts& entry);

private:
    struct Header5 {
        uint64_t type = 0;
        uint64_t flags = 0;
        uint64_t dataSize = 0;
        std::vector<uint8_t> block;
        const uint8_t* fields = nullptr;  // the type's own fields, inside block
        size_t fieldsSize = 0;
        const uint8_t* extra = nullptr;  // the extra area, inside block
        size_t extraSize = 0;
    };
    // The header at the current position; moves past it and its data area.
    Status ReadHeader5(Header5& header);
    Status OpenFormat4();
    Status OpenFormat5();
    Status Next4(RarEntryFacts& entry);
    Status Next5(RarEntryFacts& entry);
    Status DescribeFile4(const uint8_t* header, size_t size, RarEntryFacts& entry);
    Status DescribeFile5(const uint8_t* fields, size_t size, const uint8_t* extra, size_t extraSize,
        uint64_t headerFlags, RarEntryFacts& entry);

    ArchiveSource& m_source;
    int m_format = 0;
    uint64_t m_position = 0;  // the next block header
    bool m_ended = false;
};

// The UTF-16 name of a format-4 header whose Unicode name follows the narrow one: the encoded
// bytes after the zero, decoded against the narrow name.
std::u16string DecodeRar4UnicodeName(const std::string& narrow, const uint8_t* encoded, size_t size);

}  // namespace morvick
