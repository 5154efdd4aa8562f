#include "toolkit/commandbars/PopupPlacement.h"

CRect TKPCalcPopupRect(int cx, int cy, POINT ptAnchor, const RECT& rcExclude, DWORD& dwFlags, const RECT& rcWork,
    BOOL* pbClipped)
{
    const CRect E(rcExclude);
    const CRect W(rcWork);
    const int B = W.bottom - 5;
    const BOOL bHasWidth = E.Width() > 0;
    const BOOL bHasHeight = E.Height() > 0;
    // The work area's middle, not half its height, decides the side: on a monitor whose work area
    // does not start at 0, half the height would send every popup upwards.
    const int nMiddle = (W.top + B) / 2;
    int x = ptAnchor.x;
    int y = ptAnchor.y;
    BOOL bClipped = FALSE;

    // 1. Horizontal start.
    if (dwFlags == (TKPPOPUP_LEFT | TKPPOPUP_DROPDOWN) && bHasWidth)
        x = E.right - cx;
    else if ((dwFlags & TKPPOPUP_LEFT) && bHasWidth)
        x = E.left - cx;
    if ((dwFlags & TKPPOPUP_LEFT) && !bHasWidth)
        x -= cx;

    // 2. Vertical placement, then 3. the clamp into the work area.
    BOOL bClamp = FALSE;
    if (!bHasHeight && y > B) {
        // A point below the usable area: open upwards from it, ending at the point. It is clamped
        // only when it would start above the work area, whose first items would be out of reach.
        y -= cy;
        bClamp = y < W.top;
    } else if (y + cy > B) {
        bClamp = TRUE;
        if (!bHasHeight) {
            y = y >= nMiddle ? y - cy : B - cy;
        } else if (dwFlags & TKPPOPUP_DROPDOWN) {
            y = E.top - cy;
            if (y < W.top) {
                // Fits neither below nor above: the side with more room, shortened.
                bClipped = TRUE;
                if ((E.top + E.bottom) / 2 > nMiddle) {
                    y = W.top;
                    cy = E.top - W.top;
                } else {
                    y = E.bottom;
                    cy = B - E.bottom;
                }
            }
        } else {
            y = B - cy;
        }
    }
    if (bClamp) {
        if (y < W.top)
            y = W.top;
        if (y + cy > B) {
            cy = B - y;
            bClipped = TRUE;
        }
    }

    // 4. Horizontal fit.
    if (x + cx > W.right) {
        if (!bHasWidth) {
            x = x > W.right ? x - cx : W.right - cx;
        } else {
            x = ((dwFlags & TKPPOPUP_DROPDOWN) ? W.right : E.left) - cx;
            dwFlags |= TKPPOPUP_LEFT;
        }
    } else if (x < W.left) {
        if (bHasWidth) {
            x = (dwFlags & TKPPOPUP_DROPDOWN) ? W.left : E.right;
            dwFlags &= ~TKPPOPUP_LEFT;
        } else if (dwFlags & TKPPOPUP_LEFT) {
            x = W.left;
            dwFlags &= ~TKPPOPUP_LEFT;
        }
    }

    if (pbClipped != NULL)
        *pbClipped = bClipped;
    return CRect(x, y, x + cx, y + (cy > 0 ? cy : 0));
}

namespace {

// The next index at or after i (step +1) or at or before it (step -1) that is not hidden.
int NextShown(const TKPScrollItem* pItems, int nCount, int i, int nStep)
{
    while (i >= 0 && i < nCount && pItems[i].bHidden)
        i += nStep;
    return i;
}

}  // namespace

void TKPLayoutScrollRange(TKPScrollItem* pItems, int nCount, int nTop, int nBottom, BOOL bKeepLast, int& nFirst,
    int& nEnd, int& nUpTop, int& nUpBottom, int& nDownTop, int& nDownBottom)
{
    const int H = TKP_SCROLL_BUTTON_HEIGHT;
    nUpTop = nUpBottom = nDownTop = nDownBottom = 0;
    for (int i = 0; i < nCount; i++) {
        pItems[i].bScrolledOut = TRUE;
        pItems[i].nTop = 0;
    }
    if (nCount <= 0) {
        nFirst = nEnd = 0;
        return;
    }
    // Only shown controls end the list: a hidden end would keep a scroll button that scrolls to nothing.
    const int nLastShown = NextShown(pItems, nCount, nCount - 1, -1);
    const int nFirstShown = NextShown(pItems, nCount, 0, 1);

    if (!bKeepLast) {
        if (nFirst <= nFirstShown || nFirst == 1)
            nFirst = 0;
        if (nFirst >= nCount)
            nFirst = nCount - 1;
        int y = nTop;
        if (nFirst > 0) {
            nUpTop = nTop;
            nUpBottom = nTop + H;
            y += H;
        }
        BOOL bFirstPlaced = TRUE;
        int i = nFirst;
        for (; i < nCount; i++) {
            TKPScrollItem& item = pItems[i];
            if (item.bHidden) {
                item.bScrolledOut = FALSE;
                continue;
            }
            const int nGap = bFirstPlaced ? 0 : item.nGroupGap;
            // The last control keeps no scroll-down room: nothing follows it, and a menu that fits would scroll.
            const int nLimit = i == nLastShown ? nBottom : nBottom - H;
            // The first of a pass is placed even when too tall: skipped, it would stop every pass at once.
            if (y + nGap + item.nHeight > nLimit && !bFirstPlaced)
                break;
            y += nGap;
            item.nTop = y;
            item.bScrolledOut = FALSE;
            y += item.nHeight;
            bFirstPlaced = FALSE;
        }
        nEnd = i;
        if (nEnd < nCount) {
            nDownTop = nBottom - H;
            nDownBottom = nBottom;
        }
        return;
    }

    if (nEnd >= nCount - 1 || nEnd > nLastShown)
        nEnd = nCount;
    if (nEnd <= 0)
        nEnd = 1;
    int yBottom = nBottom;
    if (nEnd < nCount) {
        nDownTop = nBottom - H;
        nDownBottom = nBottom;
        yBottom -= H;
    }
    int nPlaced = nEnd - 1;
    int nPendingGap = 0;
    BOOL bFirstPlaced = TRUE;
    for (int i = nEnd - 1; i >= 0; i--) {
        TKPScrollItem& item = pItems[i];
        if (item.bHidden) {
            item.bScrolledOut = FALSE;
            continue;
        }
        // Every control but the first keeps room above it for the scroll-up button.
        const int nLimit = i == nFirstShown ? nTop : nTop + H;
        const int nItemTop = yBottom - nPendingGap - item.nHeight;
        if (nItemTop < nLimit && !bFirstPlaced)
            break;
        item.nTop = nItemTop;
        item.bScrolledOut = FALSE;
        yBottom = nItemTop;
        nPendingGap = item.nGroupGap;
        bFirstPlaced = FALSE;
        nPlaced = i;
    }
    nFirst = nPlaced;
    if (nFirst > nFirstShown) {
        nUpTop = nTop;
        nUpBottom = nTop + H;
    } else {
        nFirst = 0;
    }
}
