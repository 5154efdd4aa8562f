// Calendar conversions for the dates the engine reads (FAT date words, NTFS FILETIMEs) and the times
// it sets on saved files. All in UTC, proleptic Gregorian, with no system calls.
#pragma once

#include <cstdint>

struct CivilTime {
    int year = 1601;
    int month = 1;   // 1-12
    int day = 1;     // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// A FILETIME (100-ns ticks since 1601-01-01 UTC) as a date and time. False for values of 2^63 and
// above, which the system conversion refuses too.
bool FileTimeToCivil(uint64_t fileTime, CivilTime& out);

// The reverse; false when a field is out of range (month 13, 31 February, hour 24...).
bool CivilToFileTime(const CivilTime& civil, uint64_t& fileTime);

// FAT date word: year = (date >> 9) + 1980, month = (date >> 5) & 15, day = date & 31.
void DecodeFatDate(uint16_t date, int& year, int& month, int& day);

// The FAT date with the time of day of `now` (a FILETIME), as a FILETIME; false when the date word
// names no real day (month 0, day 0, 30 February...).
bool FatDateToFileTime(uint16_t date, uint64_t now, uint64_t& fileTime);

// The current time as a FILETIME: the system clock's, or the fixed source's while one is set.
uint64_t CurrentFileTime();

// Makes CurrentFileTime call `source` instead of reading the system clock (null: the clock again).
// A fuzzer fixes it: the savers' time of day would otherwise steer its mutations, and a run from a
// fixed seed would not repeat.
using FileTimeSource = uint64_t (*)();
void SetFileTimeSource(FileTimeSource source);
