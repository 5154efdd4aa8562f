#include "toolkit/common/TabCaptionFit.h"

namespace tktab {
namespace {

// The first n - n/2 and the last n/2 characters of the caption.
CString Head(const CString& caption, int n)
{
    return caption.Left(n - n / 2);
}
CString Tail(const CString& caption, int n)
{
    return caption.Right(n / 2);
}

}  // namespace

CString FitCaptionMiddle(const CString& caption, int available, const TextMeasure& measure)
{
    if (caption.IsEmpty())
        return caption;
    const CString dots(L"...");
    const int dotsWidth = measure(dots);
    const int textWidth = measure(caption);
    if (textWidth <= available)
        return caption;
    if (available <= dotsWidth || textWidth <= 0)
        return dots;

    const int room = available - dotsWidth;
    const int length = caption.GetLength();
    int n = static_cast<int>(static_cast<long long>(length) * room / textWidth);
    auto partsWidth = [&](int count) { return measure(Head(caption, count) + Tail(caption, count)); };
    while (n < length && partsWidth(n) < room)
        ++n;
    while (n > 0 && partsWidth(n) > room)
        --n;
    return Head(caption, n) + dots + Tail(caption, n);
}

}  // namespace tktab
