// Whether a short name could be the one a FAT writer made for a long name. A writer makes it from the
// long name's characters: in capitals, blanks and leading dots left out, each character a short name
// cannot hold as "_" (and one outside ASCII as the code page gives it), the base cut to 8 characters
// and the extension (after the last dot) to 3; where that loses anything, a numeric tail "~N" ends
// the base, after its first characters or after 2 of them and 4 hexadecimal digits.
#pragma once

#include <cstdint>
#include <string>

namespace morvick {

// `name11` holds the short name's 11 bytes as stored (8 of base, 3 of extension, blank-padded), its
// first byte the real first character (not the deleted mark).
bool ShortNameMayComeFrom(const uint8_t* name11, const std::u16string& longName);

}  // namespace morvick
