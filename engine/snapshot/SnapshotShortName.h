// Whether a FAT short name that the disk shows now is the one a loaded snapshot lists, which the
// computer that made the snapshot read in its own OEM code page.
#pragma once

#include <cstdint>
#include <string_view>

// Whether a listed name holds a stand-in for bytes its computer could not read: U+FFFD, or the "?" of
// a failed reading (no short name holds "?").
bool HoldsStandIn(std::u16string_view name);

// `found` is the short name as a scan read it under an OemBytesReading: its bytes. It is `listed`
// where those bytes, read strictly through `codePage` alone (the snapshot's, SnapshotCodePage), give
// `listed` exactly; never because a character above 0x7F may stand for another, and never where
// `listed` holds a stand-in (HoldsStandIn), which stood for bytes nobody can tell now. `firstLost`:
// the entry was deleted since the snapshot, and the deleted mark took its first byte (read as "x"):
// any byte that gives `listed` may have stood there.
bool SameShortName(std::u16string_view listed, std::u16string_view found, bool firstLost, uint32_t codePage);
