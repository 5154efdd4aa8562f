#include "preview/win/archives/DosFileTime.h"

#include "classlib/core/AfxCore.h"
#include "preview/archives/FileTimes.h"

FILETIME DosTimeToUtcFileTime(WORD wDate, WORD wTime)
{
    FILETIME result = {};
    uint64_t asStored = 0;  // checks the date and time against the calendar
    if (!morvick::DosDateTimeToFileTime64(wDate, wTime, asStored))
        return result;
    // Local time, made UTC by the rules the date text shows it back with: taken as UTC it showed shifted by the zone.
    try {
        CTime local(1980 + (wDate >> 9), (wDate >> 5) & 0x0F, wDate & 0x1F, wTime >> 11, (wTime >> 5) & 0x3F,
            (wTime & 0x1F) * 2);
        if (!local.GetAsFileTime(result))
            result = FILETIME{};
    } catch (CException* e) {
        e->Delete();
    }
    return result;
}
