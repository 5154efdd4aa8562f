// The byte layout of recovery snapshot files (".srzq"). All numbers little-endian, packed.
//
//   0  kind, one UTF-16 character: 'D' Quick Scan, 'A' Extensive Scan, 'R' File Trace
//   2  magic, 7 bytes: the first 7 bytes of UTF-16LE "rzq4.03"
//   9  version, 3 bytes: the first 3 bytes of UTF-16LE "1.0"
//  12  the volume-parameter block without its root location (68 bytes)
//  80  body (by kind and browsed file-system type)
//      trailer: device index (2), source type (2)
//
// Every text of the body is preceded by a 16-bit length word L that counts the bytes of the record
// after L (FAT and NTFS records) or 2 x characters + 17 / + 25 (File Trace texts); the text takes
// L minus the record's fixed part.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char16_t kSnapshotKindQuick = u'D';
constexpr char16_t kSnapshotKindExtensive = u'A';
constexpr char16_t kSnapshotKindFileTrace = u'R';

constexpr uint8_t kSnapshotMagic[7] = {0x72, 0x00, 0x7A, 0x00, 0x71, 0x00, 0x34};
constexpr uint8_t kSnapshotVersion[3] = {0x31, 0x00, 0x2E};

constexpr size_t kSnapshotHeaderSize = 80;
constexpr size_t kSnapshotTrailerSize = 4;

// Bytes of each record after L that are not its name field (or text field).
constexpr uint16_t kFatFolderFixedBytes = 15;       // L = 2n + 17
constexpr uint16_t kFatFileFixedBytes = 21;         // L = 2n + 25
constexpr uint16_t kNtfsFolderFixedBytes = 27;      // L = 2n + 31
constexpr uint16_t kNtfsFileFixedBytes = 37;        // L = 2n + 41
constexpr uint16_t kTraceTextFixedBytes = 15;       // L = 2n + 17
constexpr uint16_t kTracedFileTextFixedBytes = 21;  // L = 2n + 25

// A name field holds the n UTF-16 characters, their terminator, and then this many zero bytes.
constexpr uint16_t kNameTerminatorBytes = 2;
constexpr uint16_t kFatFolderNamePadding = 0;
constexpr uint16_t kFatFileNamePadding = 2;
constexpr uint16_t kNtfsFolderNamePadding = 2;
constexpr uint16_t kNtfsFileNamePadding = 2;
constexpr uint16_t kTraceTextPadding = 0;
constexpr uint16_t kTracedFileTextPadding = 2;

// L of a record whose name field holds `characters` UTF-16 characters (or, for the 8-bit signature
// of a File Trace type, `characters` bytes, its terminator and as many filler bytes again).
constexpr size_t SnapshotRecordLength(size_t characters, uint16_t fixedBytes, uint16_t padding)
{
    return fixedBytes + 2 * characters + kNameTerminatorBytes + padding;
}

// The most characters a name may have for its record's L to fit the 16-bit word.
constexpr size_t MaxSnapshotNameLength(uint16_t fixedBytes, uint16_t padding)
{
    return (0xFFFFu - fixedBytes - kNameTerminatorBytes - padding) / 2;
}

// The default extension; the save command appends it when the chosen path lacks it.
constexpr char16_t kSnapshotExtension[] = u".srzq";
