// A file whose MFT record keeps its data but no $FILE_NAME: a file with several hard links whose names
// were deleted one by one, after some had moved into extension records, or a record whose name was
// damaged. No folder leads to it; it is listed in "Lost Dir" under a name made from its record number.
#pragma once

#include "engine/ntfs/FileNameAttribute.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvick {

// "File" and the record number in decimal: "File98". Two files of "Lost Dir" never share it, for a
// record number is one file's, and a found folder placed there keeps its own name, which a file of
// that name does not overwrite (its folder cannot be made where the file is).
std::u16string NamelessFileName(uint32_t number);

// True for `name` as NamelessFileName gives it for `number`, or that name with a suffix " (n)" (a
// second record of the same number, found elsewhere by the Extensive Scan).
bool IsNamelessFileName(const std::u16string& name, uint32_t number);

// The $FILE_NAME a nameless file is listed by: NamelessFileName(number), its parent "Lost Dir"
// (0xFFFFFFFE), its times those of its $STANDARD_INFORMATION (0 without one).
NtfsFileName NamelessFileNameOf(const uint8_t* record, size_t length, uint32_t number);

}  // namespace morvick
