// The fake automation servers register themselves where a test run can never harm the real
// programs' registration: never over a key that is already there, in the machine's classes only
// where the system does not read the user's, and they remove only what they made.
#include "tests/preview/win/FakeAutomation.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

class Nothing : public FakeDispatch {
public:
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
};

CLSID NewClsid()
{
    CLSID clsid = {};
    CoCreateGuid(&clsid);
    return clsid;
}

std::wstring ClsidText(REFCLSID clsid)
{
    wchar_t text[64] = L"";
    StringFromGUID2(clsid, text, 64);
    return text;
}

// The default value of the ProgID's CLSID key in a hive, or "<none>".
std::wstring RegisteredClsid(HKEY hive, const std::wstring& progId)
{
    wchar_t text[64] = L"";
    DWORD size = sizeof text;
    if (RegGetValueW(hive, (L"Software\\Classes\\" + progId + L"\\CLSID").c_str(), NULL, RRF_RT_REG_SZ, NULL, text,
            &size) != ERROR_SUCCESS)
        return L"<none>";
    return text;
}

// A ProgID key with its CLSID, as an installed program leaves it.
void InstallProgId(HKEY hive, const std::wstring& progId, const std::wstring& clsid)
{
    HKEY key = NULL;
    ASSERT_EQ(RegCreateKeyExW(hive, (L"Software\\Classes\\" + progId + L"\\CLSID").c_str(), 0, NULL, 0, KEY_ALL_ACCESS,
                  NULL, &key, NULL),
        ERROR_SUCCESS);
    RegSetValueExW(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid.c_str()),
        static_cast<DWORD>((clsid.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void UninstallProgId(HKEY hive, const std::wstring& progId)
{
    RegDeleteKeyW(hive, (L"Software\\Classes\\" + progId + L"\\CLSID").c_str());
    RegDeleteKeyW(hive, (L"Software\\Classes\\" + progId).c_str());
}

TEST(FakeServerRegistration, NeverOverAnotherKeyAndOnlyWhatItMadeIsRemoved)
{
    const std::wstring suffix = std::to_wstring(GetCurrentProcessId());
    auto make = []() -> IUnknown* { return new Nothing; };
    {
        // A name nobody has: registered for the user alone while the server lives, and found.
        const std::wstring progId = L"MorvickTest.Free" + suffix;
        const CLSID clsid = NewClsid();
        {
            AutomationServerRegistration server(progId.c_str(), clsid, make);
            EXPECT_TRUE(server.Registered());
            CLSID found = {};
            EXPECT_EQ(CLSIDFromProgID(progId.c_str(), &found), S_OK);
            EXPECT_EQ(ClsidText(found), ClsidText(clsid));
        }
        EXPECT_EQ(RegisteredClsid(HKEY_CURRENT_USER, progId), L"<none>");
        EXPECT_EQ(RegisteredClsid(HKEY_LOCAL_MACHINE, progId), L"<none>");
    }
    {
        // The machine has the real program: its key is neither changed nor deleted.
        const std::wstring progId = L"MorvickTest.Machine" + suffix;
        const std::wstring theirs = ClsidText(NewClsid());
        InstallProgId(HKEY_LOCAL_MACHINE, progId, theirs);
        {
            // The user's key hides it while the server lives (where the system reads the user's
            // classes); otherwise the fake does not register.
            AutomationServerRegistration server(progId.c_str(), NewClsid(), make);
            EXPECT_EQ(RegisteredClsid(HKEY_LOCAL_MACHINE, progId), theirs);
        }
        EXPECT_EQ(RegisteredClsid(HKEY_LOCAL_MACHINE, progId), theirs);
        UninstallProgId(HKEY_LOCAL_MACHINE, progId);
    }
    {
        // The user has it: the fake does not register (its tests cannot run here) and leaves it.
        const std::wstring progId = L"MorvickTest.User" + suffix;
        const std::wstring theirs = ClsidText(NewClsid());
        InstallProgId(HKEY_CURRENT_USER, progId, theirs);
        {
            AutomationServerRegistration server(progId.c_str(), NewClsid(), make);
            EXPECT_FALSE(server.Registered());
            EXPECT_EQ(RegisteredClsid(HKEY_CURRENT_USER, progId), theirs);
        }
        EXPECT_EQ(RegisteredClsid(HKEY_CURRENT_USER, progId), theirs);
        EXPECT_EQ(RegisteredClsid(HKEY_LOCAL_MACHINE, progId), L"<none>");
        UninstallProgId(HKEY_CURRENT_USER, progId);
    }
}

}  // namespace
}  // namespace morvick::test
