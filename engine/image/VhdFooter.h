// The VHD footer: the last 512 bytes of every VHD image (and a copy in the first 512 bytes of a
// dynamic or differencing image). Big-endian.
//
//   offset size field
//        0    8 cookie "conectix"
//        8    4 features
//       12    4 format version
//       16    8 data offset (the dynamic header; all ones for fixed disks)
//       24    4 time stamp
//       28    4 creator application
//       32    4 creator version
//       36    4 creator host OS
//       40    8 original size
//       48    8 current size
//       56    2 cylinders
//       58    1 heads
//       59    1 sectors per track
//       60    4 disk type (2 fixed, 3 dynamic, 4 differencing)
//       64    4 checksum (ones' complement of the byte sum without this field)
//       68   16 unique id
//       84    1 saved state
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kVhdFooterSize = 512;

enum VhdDiskType : uint32_t { kVhdFixed = 2, kVhdDynamic = 3, kVhdDifferencing = 4 };

struct VhdFooter {
    bool cookieValid = false;     // "conectix"
    bool checksumValid = false;
    uint64_t dataOffset = 0;
    uint64_t originalSize = 0;
    uint64_t currentSize = 0;
    uint16_t cylinders = 0;
    uint8_t heads = 0;
    uint8_t sectorsPerTrack = 0;
    uint32_t diskType = 0;
};

// Takes the fields of a footer from size bytes (at least kVhdFooterSize). False when size is short.
bool ParseVhdFooter(const uint8_t* data, size_t size, VhdFooter& footer);

// The checksum the footer's bytes should carry.
uint32_t ComputeVhdFooterChecksum(const uint8_t* footer);
