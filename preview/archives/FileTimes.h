// Times of archive entries as Windows file times (100-nanosecond steps since 1601-01-01), worked
// out without the C library's calendar functions, so that any value in a hostile file gives a
// time or a clear failure.
#pragma once

#include <cstdint>

namespace morvick {

// The file time of an MS-DOS date (high 16 bits) and time (low 16 bits): year 1980 + bits 9-15,
// month bits 5-8, day bits 0-4; hours bits 11-15, minutes 5-10, seconds/2 bits 0-4. False (time
// 0) for a date or time outside the calendar. Its clock as it stands, with no zone: an MS-DOS time
// is the local time of the computer that wrote it, which only the viewing computer can make UTC.
bool DosDateTimeToFileTime64(uint16_t date, uint16_t time, uint64_t& fileTime);

// The file time of a Unix time (seconds since 1970-01-01, signed); false for a time before 1601.
bool UnixTimeToFileTime(int64_t seconds, uint64_t& fileTime);

}  // namespace morvick
