#include "ui/msgbox/win/RegionBuilder.h"

#include <algorithm>

namespace morvick::ui {

namespace {
const size_t kBatch = 3000;
}

RegionBuilder::~RegionBuilder()
{
    if (m_result)
        DeleteObject(m_result);
}

void RegionBuilder::Add(int left, int top, int right, int bottom)
{
    m_rects.push_back(RECT{left, top, right, bottom});
    if (m_rects.size() >= kBatch)
        Flush();
}

bool RegionBuilder::Flush()
{
    if (m_failed)
        return false;
    if (m_rects.empty())
        return true;
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + m_rects.size() * sizeof(RECT));
    auto* h = reinterpret_cast<RGNDATAHEADER*>(data.data());
    h->dwSize = sizeof(RGNDATAHEADER);
    h->iType = RDH_RECTANGLES;
    h->nCount = static_cast<DWORD>(m_rects.size());
    h->nRgnSize = static_cast<DWORD>(m_rects.size() * sizeof(RECT));
    RECT bound = m_rects[0];
    for (const RECT& r : m_rects)
        UnionRect(&bound, &bound, &r);
    h->rcBound = bound;
    std::copy(m_rects.begin(), m_rects.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    HRGN part = MakePart(reinterpret_cast<const RGNDATA*>(data.data()), static_cast<DWORD>(data.size()));
    m_rects.clear();
    if (!part) {
        Fail();
    } else if (!m_result) {
        m_result = part;
    } else {
        if (CombineRgn(m_result, m_result, part, RGN_OR) == ERROR)
            Fail();
        DeleteObject(part);
    }
    return !m_failed;
}

HRGN RegionBuilder::Take()
{
    if (m_failed)
        return nullptr;
    HRGN r = m_result;
    m_result = nullptr;
    return r;
}

void RegionBuilder::Fail()
{
    // A region with a batch missing is not the shape: nothing of it is kept.
    m_failed = true;
    m_rects.clear();
    if (m_result)
        DeleteObject(m_result);
    m_result = nullptr;
}

HRGN RegionBuilder::MakePart(const RGNDATA* data, DWORD size)
{
    return ExtCreateRegion(nullptr, size, data);
}

}  // namespace morvick::ui
