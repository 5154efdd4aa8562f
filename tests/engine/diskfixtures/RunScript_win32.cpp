#include "tests/engine/diskfixtures/RunScript.h"

#include <windows.h>

namespace morvick::test {

namespace {
std::wstring Widen(const std::string& s)
{
    std::wstring w;
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    if (n > 0) {
        w.resize(static_cast<size_t>(n));
        MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, &w[0], n);
        w.resize(static_cast<size_t>(n - 1));
    }
    return w;
}
}  // namespace

void RunFixtureScript(const std::string& script, const std::vector<std::string>& args)
{
    // Wine starts a Unix program when CreateProcess is given one.
    std::wstring command = L"Z:\\bin\\bash \"" + Widen(script) + L"\"";
    for (const std::string& a : args)
        command += L" \"" + Widen(a) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(L"Z:\\bin\\bash", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

std::string HostPath(const std::string& unixPath)
{
    return "Z:" + unixPath;
}

}  // namespace morvick::test
