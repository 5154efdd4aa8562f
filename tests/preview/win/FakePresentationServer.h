// A fake of the presentation program's automation server ("Powerpoint.Application"), registered
// for this process while it lives. It answers the dispatch ids the real program has
// (Application.Presentations 2001 and Quit 2021, Presentations.Open 2004, Presentation.SaveAs
// 2036), checks the argument types, and exports slides as the real one does: SaveAs "x.gif" with
// format 16 writes one picture per slide, "Slide1.GIF" to "Slide12.GIF" for twelve, into the folder
// "x". It logs every call and can be told to fail.
#pragma once

#include "tests/preview/win/FakeAutomation.h"

#include <string>
#include <vector>

namespace morvick::test {

struct FakePresentationLog {
    // Every call in order, as "Object.Member(arguments)": texts in quotes, numbers.
    std::vector<std::wstring> calls;
    // The files the slide folder held when SaveAs began.
    std::vector<std::wstring> folderBeforeSaving;
    int slides = 12;
    std::vector<std::wstring> slidePictures;  // slide n is a copy of picture n - 1 (modulo their number)
    bool failOpen = false;      // Open fails
    int failAfterSlides = -1;   // SaveAs fails once it wrote this many slides (-1: never)
    int objects = 0;            // objects of the program that are alive
};

class FakePresentationServer {
public:
    explicit FakePresentationServer(std::vector<std::wstring> slidePictures);
    FakePresentationLog& Log() { return m_log; }
    bool Registered() const { return m_registration.Registered(); }

private:
    FakePresentationLog m_log;
    AutomationServerRegistration m_registration;
};

}  // namespace morvick::test
