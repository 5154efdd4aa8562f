#include "tests/e2e/RoadSteps.h"

#include <gtest/gtest.h>

#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/support/win/ProgramRegistryEnvironment.h"

namespace morvick::e2e {

namespace {

// Every road starts the program, which writes its profile and its file type: put back at the end.
[[maybe_unused]] auto* const kProgramRegistry =
    ::testing::AddGlobalTestEnvironment(new morvick::test::ProgramRegistryEnvironment);

}  // namespace

const char kWizardDisks[] = "make-wizard-disks.sh";

std::wstring Disk(const char* name)
{
    return WindowsPath(morvick::test::FixtureFolder(kWizardDisks) + "/" + name);
}

void ExpectRefused(MorvickDriver& driver, UINT command, const std::wstring& window)
{
    ASSERT_TRUE(driver.SendCommand(command));
    ASSERT_TRUE(driver.SendCommand(kAboutCommand));
    ASSERT_NE(driver.WaitForWindow(L"About Morvick"), nullptr);
    const bool opened = driver.WaitForWindow(window, 0) != nullptr;
    EXPECT_FALSE(opened) << Utf8(window) << " opened: its command is offered";
    ASSERT_TRUE(driver.PressDialogButton(L"About Morvick", IDOK));
    if (opened)
        driver.PressDialogButton(window, IDCANCEL);
}

void PressAndExpect(MorvickDriver& driver, UINT button, const std::string& kind, const std::string& text, UINT answer)
{
    const size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.Click(button));
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(before, message)) << "no message after button " << button;
    EXPECT_EQ(message.kind, kind);
    EXPECT_EQ(message.text, text);
    ASSERT_TRUE(driver.AnswerMessage(answer)) << "the box did not close";
}

std::vector<std::wstring> ItemTexts(MorvickDriver& driver, UINT tree)
{
    std::vector<std::wstring> texts;
    for (const TreeItemInfo& item : driver.TreeItems(driver.Control(tree)))
        texts.push_back(item.text);
    return texts;
}

bool WaitForTree(MorvickDriver& driver, UINT tree, size_t count)
{
    return WaitUntil([&] { return ItemTexts(driver, tree).size() >= count; }, kStateWaitMs);
}

void OpenImage(MorvickDriver& driver, const std::wstring& path, UINT mode)
{
    ASSERT_EQ(driver.ShownPage(), 0);
    ASSERT_TRUE(driver.SetText(kImagePath, path));
    ASSERT_TRUE(driver.Click(mode));
    ASSERT_TRUE(driver.WaitForPage(1)) << "the drive page did not come";
}

void SearchPartitions(MorvickDriver& driver, bool tableExpected)
{
    ASSERT_TRUE(driver.Click(kNext));
    if (tableExpected) {
        ASSERT_TRUE(driver.PressDialogButton(L"Partition Type", IDOK));
    }
    ASSERT_TRUE(driver.WaitForPage(2)) << "the partition page did not come";
    EXPECT_TRUE(driver.IsVisible(kNext));
    EXPECT_TRUE(driver.IsVisible(kBack));
    EXPECT_FALSE(driver.IsVisible(kStop));
}

void ScanToFileSystems(MorvickDriver& driver)
{
    const size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.Click(kNext));
    ASSERT_TRUE(WaitUntil([&] { return driver.ShownPage() == 3 || driver.MessageCount() > before; }, 120000));
    LoggedMessage message;
    if (driver.WaitForMessage(before, message, 0)) {
        driver.AnswerMessage(IDOK);
        FAIL() << "Scan said: " << message.text;
    }
    // The file-system tree has the drive tree's id.
    EXPECT_TRUE(WaitForTree(driver, kDriveTree, 2)) << "no file system is listed";
}

namespace {

std::wstring ProfileKey(const wchar_t* section)
{
    return morvick::test::ProgramProfileKey(L"Morvick") + L"\\" + section;
}

}  // namespace

void DeleteProfileValue(const wchar_t* section, const wchar_t* value)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ProfileKey(section).c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(handle, value);
    RegCloseKey(handle);
}

bool ProfileValueExists(const wchar_t* section, const wchar_t* value)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ProfileKey(section).c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    const bool exists = RegQueryValueExW(handle, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return exists;
}

}  // namespace morvick::e2e
