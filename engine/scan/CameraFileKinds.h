// The photo and video kinds that cameras and phones write, each known by the header its files begin
// with, and the short extensions ("JPG", "HEI" of IMG_0001.HEIC) they are written under. The
// deleted-folder search proves by them that a cluster of live entries is a card's old folder
// (EntryTypeProof); its own list, apart from the File Trace's table, which holds none of the raw kinds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class CameraFileKind : uint8_t {
    kNone,
    kJpeg,          // FF D8 FF
    kPng,           // 89 "PNG" 0D 0A 1A 0A
    kHeif,          // an "ftyp" box at byte 4 of a HEIF brand (HEIC, HEIF)
    kIsoVideo,      // an "ftyp" box of a video brand (MP4, MOV, M4V, 3GP)
    kCr3,           // an "ftyp" box of the brand "crx "
    kTiff,          // "II*\0" or "MM\0*" (TIFF, and the raws built on it: NEF, ARW, DNG, PEF, SRW ...)
    kCr2,           // a TIFF header with "CR" at byte 8
    kOrf,           // "IIRO", "IIRS" or "MMOR"
    kPanasonicRaw,  // "IIU\0" (RW2, RWL)
    kRaf,           // "FUJIFILMCCD-RAW"
};

// The kind written under a short entry's extension of up to three characters, blanks trimmed, in
// either case ("HEI", "nef"); kNone where no camera kind has it.
CameraFileKind CameraFileKindOf(const std::string& shortExtension);

// Whether `head` (the first `size` bytes of a file, 512 at most needed) begins as a file of `kind`.
bool BeginsAsCameraFile(CameraFileKind kind, const uint8_t* head, size_t size);
