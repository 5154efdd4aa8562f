// Stand-ins for the outside components the previews drive, registered by the tests for this
// process only (CoRegisterClassObject): an ActiveX control that takes any class id, records the
// dispatch calls it gets and can be told to fail, and the word processor's automation server.
#pragma once

#include "tests/preview/win/FakeAutomation.h"

#include <ole2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace morvick::test {

struct DispatchCall {
    DISPID id = 0;
    WORD flags = 0;
    std::vector<std::wstring> arguments;  // texts of the arguments, first first
};

// What one fake control class saw.
struct FakeControlLog {
    int created = 0;
    int activated = 0;  // in-place activations (with a window of its own)
    int closed = 0;
    HWND lastWindow = NULL;  // the control's window, a child of the host
    HWND lastHost = NULL;
    bool ambientAsked = false;
    long ambientDownloadControl = 0;  // DISPID_AMBIENT_DLCONTROL from the site, when asked
    std::vector<DispatchCall> calls;
    // Set to fail every dispatch call with DISP_E_EXCEPTION.
    bool failCalls = false;
    // Answers of property gets by dispatch id (VT_I4 or VT_BSTR); unset ones give 0.
    std::function<void(DISPID, VARIANT*)> answer;
};

// Registers a fake control for clsid while the object lives.
class FakeControlClass {
public:
    explicit FakeControlClass(REFCLSID clsid);
    ~FakeControlClass();
    FakeControlLog& Log() { return m_log; }
    bool Registered() const { return m_cookie != 0; }

private:
    FakeControlLog m_log;
    IClassFactory* m_factory = nullptr;
    DWORD m_cookie = 0;
};

// What the fake word processor saw.
struct FakeWordLog {
    int started = 0;
    int quit = 0;
    std::vector<std::wstring> opened;  // paths of Documents.Open
    std::vector<short> openedReadOnly;
    std::vector<std::wstring> savedAs;  // paths of Document.SaveAs
    std::vector<long> savedFormats;
    int closed = 0;
    // Open fails (DISP_E_EXCEPTION) for paths containing this text.
    std::wstring failOpenFor;
};

// Registers the fake word processor as "Word.Application" (a volatile registry entry and the
// class object) while the object lives. Its SaveAs writes a small RTF file.
class FakeWordServer {
public:
    FakeWordServer();
    FakeWordLog& Log() { return m_log; }
    bool Registered() const { return m_registration.Registered(); }

private:
    FakeWordLog m_log;
    AutomationServerRegistration m_registration;
};

// The text of the RTF the fake word processor writes.
extern const wchar_t kFakeWordText[];

}  // namespace morvick::test
