// Shared pieces of the tab tests: message pumping, real mouse input, and a theme with a tab row
// window on the screen.
#pragma once

#include "classlib/win/AfxWin.h"

#include "TabRowWindow.h"
#include "tests/support/win/InputSupport.h"

#include <functional>
#include <memory>
#include <vector>

namespace tabtest {

using morvick::test::KeyPress;
using morvick::test::MouseDown;
using morvick::test::MouseMoveTo;
using morvick::test::MouseUp;
using morvick::test::PumpPending;
using morvick::test::PumpUntil;

// Captions "Folder 0", "Folder 1", ...
std::vector<CString> ManyCaptions(int n);

// A theme and a row window of 400 x 100 pixels at (100, 100) on the screen, active and with tabs.
class RowFixture {
public:
    explicit RowFixture(const std::vector<CString>& captions = {L"First", L"Second", L"Third"}, DWORD dwExStyle = 0,
        CRect rcScreen = CRect(100, 100, 500, 200));
    ~RowFixture();

    CTKPTabTheme theme;
    std::unique_ptr<CTabRowWindow> row;

    CTKPTabManagerItem* Tab(int i) { return row->GetItem(i); }
    // The centre of a tab in client and in screen coordinates.
    CPoint Centre(int i);
    CPoint ScreenCentre(int i);
};

}  // namespace tabtest
