// The MS-DOS date and time of an archive entry (zip, cabinet, RAR 4) as a file time. They are the
// clock of the computer that wrote the archive, with no zone: the list shows them as stored.
#pragma once

#include <windows.h>

// The UTC file time that the list's date text (local time) shows as the stored date and time; zero
// for a date or time outside the calendar.
FILETIME DosTimeToUtcFileTime(WORD wDate, WORD wTime);
