// The two date texts of the result list.
#pragma once

#include <cstdint>
#include <string>

// "dd-mm-yyyy " from a FAT date word: day and month with a leading "0" when they have one digit,
// the year as (date >> 9) + 1980, and a trailing blank. Day 5, month 3, year field 24 give
// "05-03-2004 ".
std::u16string FormatFatDate(uint16_t date);

// "d-m-yyyy h:m:s" from a FILETIME (UTC, no leading zeros): 5 March 2004 09:07:03 gives
// "5-3-2004 9:7:3". A FILETIME the system cannot convert (2^63 and above) gives an empty text.
std::u16string FormatFileTime(uint32_t low, uint32_t high);
