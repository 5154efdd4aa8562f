#include "toolkit/common/ControlLayout.h"

#include <algorithm>

namespace {

// Bisections stop after this many steps even on inputs that never settle.
const int kMaxBisectionSteps = 64;

int AlongLength(const TKPLayoutRecord& r, bool bVert)
{
    return bVert ? r.cy : r.cx;
}

int NearEdge(const TKLayoutRect& rc, bool bVert)
{
    return bVert ? rc.top : rc.left;
}
int FarEdge(const TKLayoutRect& rc, bool bVert)
{
    return bVert ? rc.bottom : rc.right;
}

void OffsetAlong(TKLayoutRect& rc, int delta, bool bVert)
{
    if (bVert)
        rc.Offset(0, delta);
    else
        rc.Offset(delta, 0);
}

}  // namespace

int CTKPControlLayout::WrapControls(std::vector<TKPLayoutRecord>& records, int nLength, std::uint32_t& dwMode,
    int nGroupGap)
{
    const bool bVert = (dwMode & modeVertDock) != 0;
    const size_t n = records.size();
    int nPos = 0;
    int nWraps = 0;
    size_t nFirstVisible = n;

    for (size_t i = 0; i < n; ++i) {
        TKPLayoutRecord& r = records[i];
        r.bWrap = false;
        r.bHidden = false;
        if (!r.bVisible)
            continue;
        const bool bFirst = nFirstVisible == n || nFirstVisible == i;
        if (nFirstVisible == n)
            nFirstVisible = i;

        const int nNewPos = nPos + AlongLength(r, bVert) + (r.bBeginGroup && !bFirst ? nGroupGap : 0);
        const bool bGroupBreak = (dwMode & modePopup) && r.bBeginGroup && !bFirst;
        if (nNewPos <= nLength && !bGroupBreak) {
            nPos = nNewPos;
            continue;
        }

        if ((dwMode & modeHideWrap) && !bFirst) {
            // One row only: this control and all after it are left out.
            for (size_t j = i; j < n; ++j) {
                records[j].bHidden = true;
                records[j].bWrap = false;
            }
            dwMode |= modeStretch;
            return nWraps;
        }

        // Wrap at the nearest group start before (or at) this control, not going past an earlier wrap.
        size_t nWrapAt = i;
        for (size_t k = i + 1; k-- > 0;) {
            const TKPLayoutRecord& rk = records[k];
            if (k != i && rk.bWrap)
                break;
            if (rk.bVisible && rk.bBeginGroup) {
                nWrapAt = k;
                break;
            }
        }
        records[nWrapAt].bWrap = true;
        nPos = AlongLength(records[nWrapAt], bVert);
        ++nWraps;
        if (!(dwMode & modeHideWrap))
            dwMode |= modeStretch;
        i = nWrapAt;  // the controls after the wrap point are walked again
    }
    return nWraps + 1;
}

TKLayoutSize CTKPControlLayout::CalcLayoutSize(std::vector<TKPLayoutRecord>& records, TKLayoutSize sizeSeparator,
    bool bVert)
{
    int x = 0, y = 0, nThickness = 0;
    int nMaxRight = 0, nMaxBottom = 0, nMaxWidth = 0;
    bool bFirst = true;
    // The first control opens the first row even when it carries the wrap flag (it is longer than
    // the bar): moving it on by a separator, as a later wrapped group start is, would leave an empty
    // band before it, since no separator is drawn before a bar's first control, and only while the
    // bar is narrower than that control.
    for (TKPLayoutRecord& r : records) {
        if (!IsShown(r))
            continue;
        if (!bVert) {
            if (!bFirst) {
                if (r.bWrap) {
                    y += nThickness + (r.bBeginGroup ? sizeSeparator.cy : 0);
                    x = 0;
                    nThickness = 0;
                } else if (r.bBeginGroup) {
                    x += sizeSeparator.cx;
                }
            }
            r.rcControl = {x, y, x + r.cx, y + r.cy};
            x += r.cx;
            nThickness = std::max(nThickness, r.cy);
            nMaxRight = std::max(nMaxRight, r.rcControl.right);
            nMaxBottom = std::max(nMaxBottom, r.rcControl.bottom);
        } else {
            if (!bFirst) {
                if (r.bWrap) {
                    x -= nThickness + (r.bBeginGroup ? sizeSeparator.cy : 0);
                    y = 0;
                    nThickness = 0;
                } else if (r.bBeginGroup) {
                    y += sizeSeparator.cx;
                }
            }
            r.rcControl = {x - r.cx, y, x, y + r.cy};
            y += r.cy;
            nThickness = std::max(nThickness, r.cx);
            nMaxWidth = std::max(nMaxWidth, r.cx - x);
            nMaxBottom = std::max(nMaxBottom, r.rcControl.bottom);
        }
        bFirst = false;
    }
    if (bVert)
        return {nMaxWidth, nMaxBottom};
    return {nMaxRight, nMaxBottom};
}

void CTKPControlLayout::WidthRange(std::vector<TKPLayoutRecord>& records, std::uint32_t dwMode,
    TKLayoutSize sizeSeparator, int& nNarrowest, int& nWidest)
{
    std::uint32_t m = dwMode;
    WrapControls(records, 0, m, sizeSeparator.cx);
    nNarrowest = CalcLayoutSize(records, sizeSeparator, false).cx;
    m = dwMode;
    WrapControls(records, 32767, m, sizeSeparator.cx);
    nWidest = CalcLayoutSize(records, sizeSeparator, false).cx;
}

void CTKPControlLayout::SizeControls(std::vector<TKPLayoutRecord>& records, int nLength, std::uint32_t dwMode,
    TKLayoutSize sizeSeparator)
{
    std::uint32_t m = dwMode;
    if (!(dwMode & modeLengthY)) {
        const int nTarget = WrapControls(records, nLength, m, sizeSeparator.cx);
        m = dwMode;
        const int nRowsAtZero = WrapControls(records, 0, m, sizeSeparator.cx);
        int nWrapLength = nLength;
        if (nRowsAtZero != nTarget && nLength > 0) {
            int lo = 0, hi = nLength;
            for (int nStep = 0; lo < hi && nStep < kMaxBisectionSteps; ++nStep) {
                const int mid = lo + (hi - lo) / 2;
                m = dwMode;
                if (WrapControls(records, mid, m, sizeSeparator.cx) == nTarget)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            nWrapLength = hi;
        }
        m = dwMode;
        WrapControls(records, nWrapLength, m, sizeSeparator.cx);
        const TKLayoutSize size = CalcLayoutSize(records, sizeSeparator, false);
        m = dwMode;
        WrapControls(records, size.cx, m, sizeSeparator.cx);
        return;
    }

    // The narrowest layout that is not taller than the length.
    int nNarrowest = 0, nWidest = 0;
    WidthRange(records, dwMode, sizeSeparator, nNarrowest, nWidest);
    TKLayoutSize sizePrev = {-1, -1};
    for (int nStep = 0; nNarrowest < nWidest && nStep < kMaxBisectionSteps; ++nStep) {
        m = dwMode;
        WrapControls(records, nNarrowest + (nWidest - nNarrowest) / 2, m, sizeSeparator.cx);
        const TKLayoutSize size = CalcLayoutSize(records, sizeSeparator, false);
        if (size.cy > nLength) {
            if (size.cx == sizePrev.cx && size.cy == sizePrev.cy) {
                m = dwMode;
                WrapControls(records, nWidest, m, sizeSeparator.cx);
                break;
            }
            nNarrowest = size.cx;
            sizePrev = size;
        } else if (size.cy < nLength) {
            nWidest = size.cx;
        } else {
            break;
        }
    }
}

void CTKPControlLayout::SquareLayout(std::vector<TKPLayoutRecord>& records, std::uint32_t dwMode,
    TKLayoutSize sizeSeparator)
{
    std::uint32_t m = dwMode;
    int nNarrowest = 0, nWidest = 0;
    WidthRange(records, dwMode, sizeSeparator, nNarrowest, nWidest);
    TKLayoutSize sizePrev = {-1, -1};
    for (int nStep = 0; nNarrowest < nWidest && nStep < kMaxBisectionSteps; ++nStep) {
        m = dwMode;
        WrapControls(records, nNarrowest + (nWidest - nNarrowest) / 2, m, sizeSeparator.cx);
        const TKLayoutSize size = CalcLayoutSize(records, sizeSeparator, false);
        if (size.cx < size.cy) {
            if (size.cx == sizePrev.cx && size.cy == sizePrev.cy)
                break;
            nNarrowest = size.cx;
            sizePrev = size;
        } else if (size.cx > size.cy) {
            nWidest = size.cx;
        } else {
            break;
        }
    }
}

void CTKPControlLayout::CommitRows(std::vector<TKPLayoutRecord>& records, TKLayoutSize sizeMeasured,
    const Borders& borders, bool bVert)
{
    const size_t n = records.size();
    for (TKPLayoutRecord& r : records) {
        if (IsShown(r))
            r.rcControl.Offset(borders.left + (bVert ? sizeMeasured.cx : 0), borders.top);
    }

    // A single row fills the bar across (the measured thickness, minimum thickness included).
    bool bSingleRow = true;
    bool bSeenShown = false;
    for (const TKPLayoutRecord& r : records) {
        if (!IsShown(r))
            continue;
        if (bSeenShown && r.bWrap) {
            bSingleRow = false;
            break;
        }
        bSeenShown = true;
    }

    size_t nRowStart = 0;
    while (nRowStart < n) {
        // The row runs up to the next shown control that wraps.
        size_t nRowEnd = nRowStart + 1;
        bool bShownInRow = IsShown(records[nRowStart]);
        for (; nRowEnd < n; ++nRowEnd) {
            const TKPLayoutRecord& r = records[nRowEnd];
            if (IsShown(r) && r.bWrap && bShownInRow)
                break;
            if (IsShown(r))
                bShownInRow = true;
        }

        int nThickness = 0;
        const TKPLayoutRecord* pFirstShown = nullptr;
        for (size_t i = nRowStart; i < nRowEnd; ++i) {
            if (!IsShown(records[i]))
                continue;
            if (!pFirstShown)
                pFirstShown = &records[i];
            nThickness = std::max(nThickness, bVert ? records[i].cx : records[i].cy);
        }
        if (bSingleRow)
            nThickness = bVert ? sizeMeasured.cx : sizeMeasured.cy;

        if (pFirstShown) {
            TKLayoutRect rcRow;
            if (!bVert) {
                const int top = pFirstShown->rcControl.top;
                rcRow = {borders.left, top, borders.left + sizeMeasured.cx, top + nThickness};
            } else {
                const int right = pFirstShown->rcControl.right;
                rcRow = {right - nThickness, borders.top, right, borders.top + sizeMeasured.cy};
            }
            for (size_t i = nRowStart; i < nRowEnd; ++i) {
                TKPLayoutRecord& r = records[i];
                r.rcRow = rcRow;
                if (!IsShown(r))
                    continue;
                if (!bVert)
                    r.rcControl.Offset(0, (nThickness - r.cy) / 2);
                else
                    r.rcControl.Offset(-((nThickness - r.cx) / 2), 0);
            }
        }
        nRowStart = nRowEnd;
    }
}

void CTKPControlLayout::AdjustRightAlignAndStretch(std::vector<TKPLayoutRecord>& records, TKLayoutSize size,
    const Borders& borders, std::uint32_t dwMode)
{
    const bool bVert = (dwMode & modeVertDock) != 0;
    const int nFarEnd = bVert ? size.cy - borders.bottom : size.cx - borders.right;
    const int nNearBorder = bVert ? borders.top : borders.left;
    const int n = (int)records.size();

    // Far-end controls of the last row, from the end backwards.
    int nEnd = nFarEnd;
    for (int i = n - 1; i >= 0; --i) {
        TKPLayoutRecord& r = records[i];
        if (!IsShown(r))
            continue;
        if (!(r.dwFlags & flagRightAlign))
            break;
        const int nNewNear = nEnd - (bVert ? r.rcControl.Height() : r.rcControl.Width());
        if (nNewNear < nNearBorder)
            break;
        OffsetAlong(r.rcControl, nEnd - FarEdge(r.rcControl, bVert), bVert);
        nEnd = nNewNear;
        if (r.bWrap)
            break;
    }

    // Stretched controls share the free room of their row, the rows from the last to the first.
    int nRowEnd = n;
    while (nRowEnd > 0) {
        int nRowStart = nRowEnd - 1;
        while (nRowStart > 0 && !(IsShown(records[nRowStart]) && records[nRowStart].bWrap))
            --nRowStart;
        const bool bLastRow = nRowEnd == n;

        int nRowFar = nFarEnd;
        int nLastIncluded = nRowEnd - 1;
        int nFree = 0, nCount = 0;
        bool bFreeSet = false, bStretchSeen = false;
        for (int i = nRowEnd - 1; i >= nRowStart; --i) {
            const TKPLayoutRecord& r = records[i];
            if (!IsShown(r))
                continue;
            if (r.dwFlags & flagStretched) {
                bStretchSeen = true;
                ++nCount;
            }
            if (bLastRow && !bStretchSeen && !bFreeSet && (r.dwFlags & flagRightAlign)) {
                nRowFar = NearEdge(r.rcControl, bVert);
                nLastIncluded = i - 1;
                continue;
            }
            if (!bFreeSet) {
                nFree = nRowFar - FarEdge(r.rcControl, bVert);
                bFreeSet = true;
            }
        }

        if (nCount >= 1 && nFree >= 1) {
            int nHanded = 0;
            for (int i = nRowStart; i <= nLastIncluded; ++i) {
                TKPLayoutRecord& r = records[i];
                if (!IsShown(r))
                    continue;
                OffsetAlong(r.rcControl, nHanded, bVert);
                if ((r.dwFlags & flagStretched) && nCount > 0) {
                    const int nShare = nFree / nCount;
                    if (bVert)
                        r.rcControl.bottom += nShare;
                    else
                        r.rcControl.right += nShare;
                    nFree -= nShare;
                    --nCount;
                    nHanded += nShare;
                }
            }
        }
        nRowEnd = nRowStart;
    }
}

TKLayoutSize CTKPControlLayout::Layout(std::vector<TKPLayoutRecord>& records, int nLength, std::uint32_t dwMode,
    const Borders& borders, int nMinThickness, TKLayoutSize sizeSeparator, int nMRUWidth)
{
    const bool bAnyVisible =
        std::any_of(records.begin(), records.end(), [](const TKPLayoutRecord& r) { return r.bVisible; });
    if (!bAnyVisible) {
        TKLayoutSize size = {borders.left + borders.right + 23, borders.top + borders.bottom + 22};
        if (dwMode & modeHorzDock)
            size.cy = std::max(size.cy, nMinThickness);
        else
            size.cx = std::max(size.cx, nMinThickness);
        return size;
    }

    std::uint32_t mode = dwMode;
    const bool bVert = (mode & modeVertDock) != 0;
    const int nChosenLength = (mode & modeMRUWidth) ? nMRUWidth : nLength;

    if (mode & modePopup) {
        WrapControls(records, nMRUWidth, mode, sizeSeparator.cx);
        const TKLayoutSize size = CalcLayoutSize(records, sizeSeparator, false);
        if (size.cy > 3 * size.cx && nMRUWidth <= 0)
            SquareLayout(records, mode, sizeSeparator);
        else
            WrapControls(records, size.cx, mode, sizeSeparator.cx);
    } else if (mode & modeHorzDock) {
        WrapControls(records, nChosenLength - borders.left - borders.right, mode, sizeSeparator.cx);
    } else if (mode & modeVertDock) {
        WrapControls(records, nChosenLength - borders.top - borders.bottom, mode, sizeSeparator.cx);
    } else {
        const int nFitLength =
            nChosenLength - ((mode & modeLengthY) ? borders.top + borders.bottom : borders.left + borders.right);
        SizeControls(records, nFitLength, mode, sizeSeparator);
    }

    TKLayoutSize size = CalcLayoutSize(records, sizeSeparator, bVert);
    if (nMinThickness > 0) {
        if (mode & modeHorzDock)
            size.cy = std::max(size.cy, nMinThickness - borders.top - borders.bottom);
        else
            size.cx = std::max(size.cx, nMinThickness - borders.left - borders.right);
    }
    if (mode & modeStretch) {
        if (bVert)
            size.cy = std::max(size.cy, nChosenLength - borders.top - borders.bottom);
        else
            size.cx = std::max(size.cx, nChosenLength - borders.left - borders.right);
    }

    if (mode & modeCommit)
        CommitRows(records, size, borders, bVert);

    size.cx += borders.left + borders.right;
    size.cy += borders.top + borders.bottom;

    if (mode & modeCommit)
        AdjustRightAlignAndStretch(records, size, borders, mode);
    return size;
}
