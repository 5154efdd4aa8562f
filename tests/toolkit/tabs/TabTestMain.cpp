// The tab tests run with an application object, so that windows and message loops behave as in
// the program.
#include <gtest/gtest.h>

#include <cstdio>

#include "TabTestSupport.h"

namespace {

class TabTestApp : public CWinApp {
public:
    TabTestApp() : CWinApp(L"MorvickTabTests") {}
};
TabTestApp theApp;

}  // namespace

namespace tabtest {

std::vector<CString> ManyCaptions(int n)
{
    std::vector<CString> captions;
    for (int i = 0; i < n; ++i) {
        CString s;
        s.Format(L"Folder %d", i);
        captions.push_back(s);
    }
    return captions;
}

RowFixture::RowFixture(const std::vector<CString>& captions, DWORD dwExStyle, CRect rcScreen)
    : row(new CTabRowWindow(&theme))
{
    // A mouse move left over from an earlier test must not arrive inside this one's capture loops.
    morvick::test::SettleCursorAt(1200, 1000);
    row->Create(rcScreen, dwExStyle);
    row->AddTabs(captions);
    row->SetForegroundWindow();
    row->SetActiveWindow();
    row->Layout();
    PumpPending();
    row->ClearLog();
}

RowFixture::~RowFixture()
{
    if (GetCapture() == row->GetSafeHwnd())
        ReleaseCapture();
    row.reset();
    PumpPending();
}

CPoint RowFixture::Centre(int i)
{
    return Tab(i)->GetRect().CenterPoint();
}

CPoint RowFixture::ScreenCentre(int i)
{
    CPoint pt = Centre(i);
    row->ClientToScreen(&pt);
    return pt;
}

}  // namespace tabtest

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theApp.InitApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
