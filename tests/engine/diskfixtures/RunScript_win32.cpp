#include "tests/engine/diskfixtures/RunScript.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <random>

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

// The longest a fixture script may take.
constexpr DWORD kScriptTimeoutMs = 15 * 60 * 1000;

}  // namespace

void RunFixtureScript(const std::string& script, const std::vector<std::string>& args)
{
    // Wine starts a Unix program when CreateProcess is given one, but the process handle it returns
    // neither waits for the program nor carries its exit code: a wrapper writes a status file at the
    // end, and this waits for that file.
    const std::string wrapper = script.substr(0, script.rfind('/') + 1) + "run-and-report.sh";
    std::random_device rd;
    const std::string status = "/tmp/morvick-fixture-" + std::to_string(rd()) + "-" +
                               std::to_string(GetCurrentProcessId()) + ".status";
    std::wstring command = L"Z:\\bin\\bash \"" + Widen(wrapper) + L"\" \"" + Widen(status) + L"\" \"" + Widen(script) + L"\"";
    for (const std::string& a : args)
        command += L" \"" + Widen(a) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(L"Z:\\bin\\bash", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    const std::string hostStatus = HostPath(status);
    for (DWORD waited = 0; waited < kScriptTimeoutMs; waited += 100) {
        if (std::FILE* f = std::fopen(hostStatus.c_str(), "rb")) {
            std::fclose(f);
            DeleteFileA(hostStatus.c_str());
            return;
        }
        Sleep(100);
    }
}

std::string HostPath(const std::string& unixPath)
{
    return "Z:" + unixPath;
}

}  // namespace morvick::test
