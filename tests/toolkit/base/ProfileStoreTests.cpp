#include "toolkit/base/ProfileStore.h"
#include "toolkit/base/WindowPlacement.h"

#include "TestRegistryKey.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The application object of the test program, with its registry profile.
class CToolkitTestApp : public CWinApp {
public:
    CToolkitTestApp() : CWinApp(L"ToolkitTests") { SetRegistryKey(L"MorvickTest"); }
};
CToolkitTestApp theTestApp;

class ProfileTest : public ::testing::Test {
protected:
    ProfileTest() : key(L"ToolkitTests") {}
    TestRegistryKey key;  // the application's profile key
};

// A store whose section keys only read, so that writes meet "access denied".
class ReadOnlyStore : public CTKProfileStore {
public:
    HKEY OpenSectionKey(LPCTSTR lpszSection, REGSAM) override
    {
        return CTKProfileStore::OpenSectionKey(lpszSection, KEY_READ);
    }
};

// A section key of the profile that nobody may open for writing (an empty access list) until the
// object goes, when it is given back the rights it had.
class LockedSection {
public:
    LockedSection(HKEY hApp, const wchar_t* name)
    {
        RegCreateKeyExW(hApp, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        DWORD cb = 0;
        RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, nullptr, &cb);
        m_saved.resize(cb);
        if (RegGetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_saved.data(), &cb) != ERROR_SUCCESS)
            m_saved.clear();
        SECURITY_DESCRIPTOR sd;
        ACL acl;
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        InitializeAcl(&acl, sizeof(acl), ACL_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE);
        m_locked = RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
    }
    ~LockedSection()
    {
        if (!m_saved.empty())
            RegSetKeySecurity(m_key, DACL_SECURITY_INFORMATION, m_saved.data());
        RegCloseKey(m_key);
    }
    bool IsLocked() const { return m_locked; }

private:
    HKEY m_key = nullptr;
    std::vector<BYTE> m_saved;
    bool m_locked = false;
};

}  // namespace

TEST_F(ProfileTest, StringsAndBinaryValuesInSections)
{
    CTKProfileStore store;
    EXPECT_TRUE(store.HasAppNames());
    EXPECT_EQ(1, store.WriteString(L"Column Info", L"Widths", L"10,20"));
    EXPECT_EQ(L"10,20", key.Text(L"Column Info", L"Widths"));
    EXPECT_STREQ(L"10,20", store.ReadString(L"Column Info", L"Widths", L"none"));
    EXPECT_STREQ(L"none", store.ReadString(L"Column Info", L"Other", L"none"));

    BYTE data[3] = {1, 2, 3};
    EXPECT_EQ(1, store.WriteBinary(L"Column Info", L"Blob", data, 3));
    BYTE* read = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(store.ReadBinary(L"Column Info", L"Blob", &read, &bytes));
    EXPECT_EQ(3u, bytes);
    EXPECT_EQ(0, std::memcmp(read, data, 3));
    delete[] read;
    read = reinterpret_cast<BYTE*>(1);
    bytes = 9;
    EXPECT_FALSE(store.ReadBinary(L"Column Info", L"Missing", &read, &bytes));
    EXPECT_EQ(nullptr, read);
    EXPECT_EQ(0u, bytes);

    // A null text deletes the entry; a null entry the whole section.
    EXPECT_EQ(1, store.WriteString(L"Column Info", L"Widths", nullptr));
    EXPECT_EQ(0u, key.Raw(L"Column Info", L"Widths"));
    EXPECT_EQ(1, store.WriteString(L"Column Info", nullptr, nullptr));
    EXPECT_FALSE(key.HasSubKey(L"Column Info"));
}

TEST_F(ProfileTest, RefusedWritesReportAccessDenied)
{
    ReadOnlyStore store;
    BYTE data[1] = {7};
    EXPECT_EQ(-1, store.WriteBinary(L"Locked", L"Blob", data, 1));
    EXPECT_EQ(-1, store.WriteString(L"Locked", L"Text", L"x"));

    // Denied while the section key is being opened, not only while the value is written.
    LockedSection locked(key.Key(), L"Locked Key");
    ASSERT_TRUE(locked.IsLocked());
    CTKProfileStore plain;
    EXPECT_EQ(-1, plain.WriteBinary(L"Locked Key", L"Blob", data, 1));
    EXPECT_EQ(-1, plain.WriteString(L"Locked Key", L"Text", L"x"));
    EXPECT_EQ(-1, plain.WriteString(L"Locked Key", L"Text", nullptr));
}

TEST_F(ProfileTest, PlacementIsStoredAsFortyEightBytes)
{
    TestWindow window;
    WINDOWPLACEMENT wp = {sizeof(wp)};
    GetWindowPlacement(window.Handle(), &wp);
    wp.rcNormalPosition = {15, 25, 315, 225};
    wp.showCmd = SW_SHOWMINIMIZED;
    SetWindowPlacement(window.Handle(), &wp);

    CTKWindowPlacement placement;
    ASSERT_TRUE(placement.SaveWindowPos(window.Wnd()));
    std::vector<BYTE> value;
    ASSERT_EQ(static_cast<DWORD>(REG_BINARY), key.Raw(L"Settings", L"Window Position", &value));
    ASSERT_EQ(48u, value.size());
    LONG fields[12];
    std::memcpy(fields, value.data(), 48);
    EXPECT_EQ(0, fields[0]);
    EXPECT_EQ(44, fields[1]);
    EXPECT_EQ(SW_SHOWNORMAL, fields[3]);  // minimised comes back normal
    EXPECT_EQ(15, fields[8]);
    EXPECT_EQ(25, fields[9]);
    EXPECT_EQ(315, fields[10]);
    EXPECT_EQ(225, fields[11]);

    wp.showCmd = SW_SHOWMAXIMIZED;
    SetWindowPlacement(window.Handle(), &wp);
    ASSERT_TRUE(placement.SaveWindowPos(window.Wnd(), L"Other", L"Frames"));
    std::memcpy(fields, (key.Raw(L"Frames", L"Other", &value), value.data()), 48);
    EXPECT_EQ(SW_SHOWMAXIMIZED, fields[3]);
}

TEST_F(ProfileTest, PlacementIsAppliedFromAWholeValueWhateverLengthItRecords)
{
    TestWindow window;
    CTKWindowPlacement placement;
    EXPECT_FALSE(placement.LoadWindowPos(window.Wnd()));  // nothing stored

    LONG fields[12] = {0, 44, 0, SW_SHOWNORMAL, 0, 0, 0, 0, 40, 50, 240, 150};
    key.Set(L"Settings", L"Window Position", REG_BINARY, fields, 48);
    ASSERT_TRUE(placement.LoadWindowPos(window.Wnd()));
    WINDOWPLACEMENT wp = {sizeof(wp)};
    GetWindowPlacement(window.Handle(), &wp);
    EXPECT_EQ(40, wp.rcNormalPosition.left);
    EXPECT_EQ(150, wp.rcNormalPosition.bottom);

    // A record that gives another length is the platform's record all the same.
    for (const LONG length : {0L, 40L, 1000L}) {
        SCOPED_TRACE(length);
        fields[1] = length;
        fields[8] += 10;
        key.Set(L"Settings", L"Window Position", REG_BINARY, fields, 48);
        ASSERT_TRUE(placement.LoadWindowPos(window.Wnd()));
        EXPECT_EQ(44u, placement.GetPlacement().length);
        GetWindowPlacement(window.Handle(), &wp);
        EXPECT_EQ(fields[8], wp.rcNormalPosition.left);
        EXPECT_EQ(150, wp.rcNormalPosition.bottom);
    }
    // A longer value gives its record all the same; what follows the record is not read.
    LONG longer[16] = {0, 44, 0, SW_SHOWNORMAL, 0, 0, 0, 0, 70, 50, 240, 150, -1, -1, -1, -1};
    key.Set(L"Settings", L"Window Position", REG_BINARY, longer, sizeof(longer));
    ASSERT_TRUE(placement.LoadWindowPos(window.Wnd()));
    GetWindowPlacement(window.Handle(), &wp);
    EXPECT_EQ(70, wp.rcNormalPosition.left);
    EXPECT_EQ(240, wp.rcNormalPosition.right);
    // A short value is not taken.
    fields[1] = 44;
    key.Set(L"Settings", L"Window Position", REG_BINARY, fields, 40);
    EXPECT_FALSE(placement.ReadPlacement());
    // No window: nothing to save or load.
    CWnd none;
    EXPECT_FALSE(placement.SaveWindowPos(&none));
    EXPECT_FALSE(placement.LoadWindowPos(&none));
}
