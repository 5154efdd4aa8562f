#pragma once
// Builds a window region from many one-row rectangles, a batch at a time.

#include <windows.h>

#include <vector>

namespace morvick::ui {

// Collects rectangles and turns every 3,000 of them into a region ORed into the result.
class RegionBuilder {
public:
    RegionBuilder() = default;
    RegionBuilder(const RegionBuilder&) = delete;
    RegionBuilder& operator=(const RegionBuilder&) = delete;
    virtual ~RegionBuilder();

    void Add(int left, int top, int right, int bottom);
    // Makes the region of the rectangles still collected and ORs it in; false once any batch
    // could not be made or joined.
    bool Flush();
    // The region made so far (owned by the caller from now on); null when nothing was added or
    // when a batch failed.
    HRGN Take();

protected:
    // A region of the rectangles in data.
    virtual HRGN MakePart(const RGNDATA* data, DWORD size);

private:
    void Fail();

    std::vector<RECT> m_rects;
    HRGN m_result = nullptr;
    bool m_failed = false;
};

}  // namespace morvick::ui
