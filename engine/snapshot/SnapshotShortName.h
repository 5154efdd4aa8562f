// Whether a FAT short name that the disk shows now is the one a loaded snapshot lists, which the
// computer that made the snapshot read in its own OEM code page.
#pragma once

#include <string_view>

// `found` is the short name as a scan read it under an OemBytesReading: its bytes. It is `listed`
// where those bytes, read in this computer's OEM code page as a scan reads them (FatShortName), give
// `listed` exactly, or where one OEM code page that Windows knows (OemCodePages) reads them as `listed`
// exactly: a snapshot made on a computer of another code page. Never because a character above 0x7F
// may stand for another. `firstLost`: the entry was deleted since the snapshot, and the deleted mark
// took its first byte (read as "x"): any byte that gives `listed` may have stood there.
bool SameShortName(std::u16string_view listed, std::u16string_view found, bool firstLost);
