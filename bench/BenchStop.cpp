#include "BenchStop.h"

#include <cstdio>
#include <cstdlib>

bool BenchStop::Parse(const std::string& text, uint64_t& at)
{
    char* end = nullptr;
    const unsigned long long n = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] < '0' || text[0] > '9' || !end || *end || n == 0) {
        std::fprintf(stderr, "--stop-after takes a number of pause points from 1 on, not %s\n", text.c_str());
        return false;
    }
    at = n;
    return true;
}

void BenchStop::Watch(ScanFinishedWord& finished)
{
    finished = 0;
    m_finished = &finished;
    m_passed = 0;
}

void BenchStop::OnPausePoint()
{
    // Past the stop point the scan is on its way out: the count stays where the stop was set.
    if (m_finished == nullptr || m_at == 0 || m_passed == m_at)
        return;
    if (++m_passed == m_at)
        *m_finished = 1;
}

void BenchStop::Report(const std::string& name) const
{
    if (m_at == 0)
        return;
    if (m_passed == m_at) {
        std::fprintf(stderr, "%s: stopped at pause point %llu\n", name.c_str(), static_cast<unsigned long long>(m_at));
    } else {
        std::fprintf(stderr, "%s: ended after %llu pause points, before the stop point\n", name.c_str(),
            static_cast<unsigned long long>(m_passed));
    }
}
