// The VHD dynamic disk header: 1024 bytes at the footer's data offset of a dynamic or
// differencing image. Big-endian.
//
//   offset size field
//        0    8 cookie "cxsparse"
//        8    8 data offset (unused, all ones)
//       16    8 table offset (the block allocation table)
//       24    4 header version
//       28    4 max table entries
//       32    4 block size
//       36    4 checksum
//       40   16 parent unique id
//       56    4 parent time stamp
//       64  512 parent name (UTF-16 big-endian)
//      576  192 parent locator entries
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kVhdDynamicHeaderSize = 1024;

struct VhdDynamicHeader {
    bool cookieValid = false;     // "cxsparse"
    bool checksumValid = false;
    uint64_t tableOffset = 0;
    uint32_t maxTableEntries = 0;
    uint32_t blockSize = 0;
};

// Takes the fields of a dynamic header from size bytes (at least kVhdDynamicHeaderSize).
// False when size is short.
bool ParseVhdDynamicHeader(const uint8_t* data, size_t size, VhdDynamicHeader& header);

// The checksum the header's bytes should carry.
uint32_t ComputeVhdDynamicHeaderChecksum(const uint8_t* header);
