#include "preview/dxf/DxfGroupReader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace morvick {

namespace {

constexpr size_t kMaxLine = 4096;  // longer lines are cut (their rest is skipped)

}  // namespace

double DxfGroup::Number() const
{
    const char* begin = value.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v))
        return 0.0;
    return v;
}

long DxfGroup::Integer() const
{
    const char* begin = value.c_str();
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(begin, &end, 10);
    if (end == begin || errno != 0)
        return 0;
    return v;
}

bool DxfGroupReader::ReadLine(std::string& line)
{
    line.clear();
    if (m_pos >= m_size)
        return false;
    while (m_pos < m_size && m_data[m_pos] != '\n') {
        if (line.size() < kMaxLine)
            line.push_back(static_cast<char>(m_data[m_pos]));
        ++m_pos;
    }
    if (m_pos < m_size)
        ++m_pos;  // the LF
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

void DxfGroupReader::PushBack(const DxfGroup& group)
{
    m_pushed = true;
    m_pushedGroup = group;
}

bool DxfGroupReader::Next(DxfGroup& group)
{
    if (m_pushed) {
        m_pushed = false;
        group = m_pushedGroup;
        return true;
    }
    std::string codeLine;
    if (m_failed || !ReadLine(codeLine))
        return false;
    const char* begin = codeLine.c_str();
    while (*begin == ' ' || *begin == '\t')
        ++begin;
    char* end = nullptr;
    errno = 0;
    long code = std::strtol(begin, &end, 10);
    while (end != nullptr && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == begin || *end != '\0' || errno != 0 || code < -32768 || code > 32767) {
        m_failed = true;
        return false;
    }
    group.code = static_cast<int>(code);
    if (!ReadLine(group.value)) {
        m_failed = true;
        return false;
    }
    return true;
}

}  // namespace morvick
