// A local time zone of the test's choosing for the C library, whatever the machine's: while the
// scope lives, TZ holds a zone (such as "EST5EDT", five hours west of UTC) and the C library has
// read it again (_tzset). The zone the process had is put back when the scope ends, also when a
// test leaves early. The list's dates go through the C library's zone both ways (CTime: mktime and
// localtime); the platform's own zone is left alone.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace morvick::test {

class LocalZoneScope {
public:
    explicit LocalZoneScope(const char* zone)
    {
        const char* had = std::getenv("TZ");
        m_had = had != nullptr;
        if (m_had)
            m_zone = had;
        Set(zone);
    }
    ~LocalZoneScope() { Set(m_had ? m_zone.c_str() : ""); }
    LocalZoneScope(const LocalZoneScope&) = delete;
    LocalZoneScope& operator=(const LocalZoneScope&) = delete;

private:
    // An empty zone removes TZ: the C library then follows the platform's zone.
    static void Set(const char* zone)
    {
        _putenv((std::string("TZ=") + zone).c_str());
        _tzset();
    }

    bool m_had = false;
    std::string m_zone;
};

}  // namespace morvick::test
