// Keyboard shortcuts: the texts shown for a command, their display form, the working table saved to
// the profile and read back (also from damaged values), and the mnemonic match of typed characters.
#include <gtest/gtest.h>

#include "tests/toolkit/base/TestRegistryKey.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/KeyBindings.h"

#include <algorithm>
#include <vector>

namespace {

class KeyBindingsTest : public ::testing::Test {
protected:
    KeyBindingsTest() : m_key(L"MorvickCommandBarsTests") {}
    void SetUp() override
    {
        m_pBindings = new CTKPKeyBindings(NULL);
        m_pBindings->LoadFromResource(128);
        ASSERT_TRUE(m_pBindings->IsLoaded());
    }
    void TearDown() override { m_pBindings->InternalRelease(); }
    int WorkingCount() { return ::CopyAcceleratorTableW(m_pBindings->GetAccelTable(), NULL, 0); }
    CString Shortcut(UINT nCmd)
    {
        CString str;
        m_pBindings->FindShortcut(nCmd, str);
        return str;
    }

    TestRegistryKey m_key;  // the application's profile key, empty before and after
    CTKPKeyBindings* m_pBindings = nullptr;
};

// Two layouts the system here may not have: on the Russian one the A key types "ф" and the F key
// "а"; on the English one the letter keys type their letters.
const HKL kRussian = (HKL)(UINT_PTR)0x04190419;
const HKL kEnglish = (HKL)(UINT_PTR)0x04090409;

WCHAR TypedOn(UINT nKey, HKL hLayout)
{
    if (hLayout == kRussian)
        return nKey == 'A' ? L'\u0444' : nKey == 'F' ? L'\u0430' : 0;
    if (hLayout == kEnglish && nKey >= 'A' && nKey <= 'Z')
        return static_cast<WCHAR>(L'a' + (nKey - 'A'));
    return 0;
}

const HKL kGerman = (HKL)(UINT_PTR)0x04070407;

int LayoutInUse(HKL* pLayouts, int)
{
    pLayouts[0] = ::GetKeyboardLayout(0);
    return 1;
}

int TwoLayouts(HKL* pLayouts, int nMax)
{
    pLayouts[0] = ::GetKeyboardLayout(0);
    pLayouts[1] = kGerman;
    return 2;
}

// The system's translation, but for the German layout, which the system here may not know: its Z
// key types a y and its Y key a z.
WCHAR SystemOrGerman(UINT nKey, HKL hLayout)
{
    if (hLayout != kGerman)
        return TKPTranslateKey(nKey, hLayout);
    if (nKey == 'Z' || nKey == 'Y')
        return nKey == 'Z' ? L'y' : L'z';
    return nKey >= 'A' && nKey <= 'Z' ? static_cast<WCHAR>(L'a' + (nKey - 'A')) : 0;
}

}  // namespace

TEST_F(KeyBindingsTest, ACommandShowsItsShortcutOfTheHighestPriority)
{
    EXPECT_EQ(Shortcut(102), CString(L"F5"));      // F5 before Ctrl+F5
    EXPECT_EQ(Shortcut(101), CString(L"Ctrl+S"));  // Ctrl before Alt
    EXPECT_EQ(Shortcut(104), CString(L"Shift+F3"));
    CString strNone = L"old";
    EXPECT_FALSE(m_pBindings->FindShortcut(105, strNone));
    EXPECT_TRUE(strNone.IsEmpty());
    // A text that is one of the command's shortcuts stays.
    CString strCurrent = L"Ctrl+F5";
    EXPECT_TRUE(m_pBindings->FindShortcut(102, strCurrent));
    EXPECT_EQ(strCurrent, CString(L"Ctrl+F5"));
}

TEST_F(KeyBindingsTest, ShortcutTexts)
{
    CString str;
    int nPriority = 0;
    ACCEL ctrlOnly = {FVIRTKEY | FCONTROL, 0, 100};
    m_pBindings->FormatAccel(ctrlOnly, str, &nPriority);
    EXPECT_EQ(str, CString(L"Ctrl"));
    EXPECT_EQ(nPriority, 3);
    ACCEL all = {FVIRTKEY | FCONTROL | FSHIFT | FALT, VK_F5, 100};
    m_pBindings->FormatAccel(all, str, &nPriority);
    EXPECT_EQ(str, CString(L"Ctrl+Shift+Alt+F5"));
    ACCEL character = {0, 'a', 100};
    m_pBindings->FormatAccel(character, str, &nPriority);
    EXPECT_EQ(str, CString(L"a"));
    EXPECT_EQ(nPriority, 4);
    ACCEL escape = {0, 27, 100};
    m_pBindings->FormatAccel(escape, str, NULL);
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_EQ(m_pBindings->GetKeyName(VK_NEXT), CString(L"Page Down"));
    EXPECT_EQ(m_pBindings->GetKeyName(VK_NUMPAD7), CString(L"Num 7"));

    EXPECT_FALSE(m_pBindings->IsAllowedAccel(FVIRTKEY | (VK_ESCAPE << 16)));
    EXPECT_TRUE(m_pBindings->IsAllowedAccel(FVIRTKEY | FSHIFT | (VK_ESCAPE << 16)));
    m_pBindings->m_bAllowEscapeShortcut = TRUE;
    EXPECT_TRUE(m_pBindings->IsAllowedAccel(FVIRTKEY | (VK_ESCAPE << 16)));
}

TEST_F(KeyBindingsTest, TheWorkingTableGoesToTheProfileAndComesBack)
{
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'P', 103}, {FVIRTKEY, VK_F9, 100}};
    ASSERT_TRUE(m_pBindings->SetAccelTable(entries, 2));
    m_pBindings->SaveToProfile(L"CommandBars");
    std::vector<BYTE> bytes;
    ASSERT_EQ(m_key.Raw(L"CommandBars", L"Accelerators", &bytes), (DWORD)REG_BINARY);
    EXPECT_EQ(bytes, (std::vector<BYTE>{FVIRTKEY | FCONTROL, 0, 'P', 0, 103, 0, FVIRTKEY, 0, VK_F9, 0, 100, 0}));

    m_pBindings->Reset();
    EXPECT_EQ(Shortcut(103), CString());
    m_pBindings->LoadFromProfile(L"CommandBars");
    EXPECT_EQ(Shortcut(103), CString(L"Ctrl+P"));
    EXPECT_EQ(Shortcut(102), CString());
}

TEST_F(KeyBindingsTest, AStoredValueIsReadByWholeEntriesAndADamagedOneKeepsTheShortcuts)
{
    const int nLoaded = WorkingCount();
    // Thirteen bytes: two entries and a stray byte.
    const BYTE thirteen[13] = {FVIRTKEY, 0, VK_F2, 0, 100, 0, FVIRTKEY, 0, VK_F3, 0, 101, 0, 0x7F};
    m_key.Set(L"CommandBars", L"Accelerators", REG_BINARY, thirteen, sizeof(thirteen));
    m_pBindings->LoadFromProfile(L"CommandBars");
    EXPECT_EQ(WorkingCount(), 2);
    EXPECT_EQ(Shortcut(100), CString(L"F2"));

    // Too short for one entry: the working table stays as it was.
    m_pBindings->Reset();
    const BYTE four[4] = {FVIRTKEY, 0, VK_F2, 0};
    m_key.Set(L"CommandBars", L"Accelerators", REG_BINARY, four, sizeof(four));
    m_pBindings->LoadFromProfile(L"CommandBars");
    EXPECT_EQ(WorkingCount(), nLoaded);
    EXPECT_EQ(Shortcut(100), CString(L"Ctrl+O"));
}

TEST_F(KeyBindingsTest, WithoutTheProgramsTableNothingIsSavedOrTranslated)
{
    CTKPKeyBindings* pEmpty = new CTKPKeyBindings(NULL);
    pEmpty->LoadFromResource(999);
    EXPECT_FALSE(pEmpty->IsLoaded());
    pEmpty->SaveToProfile(L"CommandBars");
    EXPECT_EQ(m_key.Raw(L"CommandBars", L"Accelerators"), 0u);
    MSG msg = {};
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F5;
    EXPECT_FALSE(pEmpty->TranslateAccelerator(NULL, &msg));
    pEmpty->InternalRelease();
}

TEST(KeyBindingsMnemonics, AKeyMatchesThroughTheLayoutInUseThenTheOthers)
{
    const HKL russianOnly[] = {kRussian};
    const HKL both[] = {kRussian, kEnglish};
    const WCHAR chEf = L'\u0424', chEfSmall = L'\u0444';  // the first letter of "Файл"
    // One Russian layout: its letters answer the keys that type them, in either case.
    EXPECT_TRUE(TKPKeyTypesChar(chEf, 'A', kRussian, russianOnly, 1, TypedOn));
    EXPECT_TRUE(TKPKeyTypesChar(chEfSmall, 'A', kRussian, russianOnly, 1, TypedOn));
    EXPECT_FALSE(TKPKeyTypesChar(chEf, 'F', kRussian, russianOnly, 1, TypedOn));
    // Letter and digit keys still type their own codes.
    EXPECT_TRUE(TKPKeyTypesChar(L'f', 'F', kRussian, russianOnly, 1, TypedOn));
    EXPECT_TRUE(TKPKeyTypesChar(L'1', '1', kRussian, russianOnly, 1, TypedOn));
    // With English in use the Russian layout is asked as well.
    EXPECT_TRUE(TKPKeyTypesChar(chEf, 'A', kEnglish, both, 2, TypedOn));
    EXPECT_FALSE(TKPKeyTypesChar(chEf, 'B', kEnglish, both, 2, TypedOn));
    // The numeric pad's codes are those of "a" to "o", but its keys do not type those letters.
    EXPECT_FALSE(TKPKeyTypesChar(L'a', VK_NUMPAD1, kEnglish, both, 2, TypedOn));
    EXPECT_FALSE(TKPKeyTypesChar(L'm', VK_SUBTRACT, kEnglish, both, 2, TypedOn));
    // Keys that type nothing, and no character, match nothing.
    EXPECT_FALSE(TKPKeyTypesChar(L'a', VK_SHIFT, kEnglish, both, 2, TypedOn));
    EXPECT_FALSE(TKPKeyTypesChar(0, 'A', kEnglish, both, 2, TypedOn));
    // The bindings walk the layouts they are given, the one in use first.
    CTKPKeyBindings::SetLayoutSource([](HKL* pLayouts, int) {
        pLayouts[0] = kRussian;
        return 1;
    });
    CTKPKeyBindings::SetKeyTranslator(TypedOn);
    EXPECT_TRUE(CTKPKeyBindings::MatchesKeyChar(chEf, 'A'));
    CTKPKeyBindings::SetKeyTranslator(NULL);
    CTKPKeyBindings::SetLayoutSource(NULL);
}

TEST(KeyBindingsMnemonics, AKeyMatchesItsCharacterInEitherCaseAndOnOtherLayouts)
{
    EXPECT_TRUE(CTKPKeyBindings::MatchesKeyChar(L'a', 'A'));
    EXPECT_TRUE(CTKPKeyBindings::MatchesKeyChar(L'A', 'A'));
    EXPECT_FALSE(CTKPKeyBindings::MatchesKeyChar(L'b', 'A'));
    EXPECT_FALSE(CTKPKeyBindings::MatchesKeyChar(L'a', VK_SHIFT));  // a key without a character
    // On the layout in use alone the Z key types no y; with a German layout beside it, it does.
    CTKPKeyBindings::SetLayoutSource(LayoutInUse);
    EXPECT_FALSE(CTKPKeyBindings::MatchesKeyChar(L'y', 'Z'));
    CTKPKeyBindings::SetLayoutSource(TwoLayouts);
    CTKPKeyBindings::SetKeyTranslator(SystemOrGerman);
    EXPECT_TRUE(CTKPKeyBindings::MatchesKeyChar(L'y', 'Z'));
    EXPECT_TRUE(CTKPKeyBindings::MatchesKeyChar(L'Z', 'Y'));
    EXPECT_TRUE(CTKPKeyBindings::MatchesKeyChar(L'z', 'Z'));  // the layout in use still counts
    EXPECT_FALSE(CTKPKeyBindings::MatchesKeyChar(L'y', 'X'));
    CTKPKeyBindings::SetKeyTranslator(NULL);
    CTKPKeyBindings::SetLayoutSource(NULL);

    // A key types the same character whatever is held with it: a Shift does not change it.
    const HKL hInUse = ::GetKeyboardLayout(0);
    const WCHAR chAlone = TKPTranslateKey('1', hInUse);
    BYTE saved[256] = {};
    ASSERT_TRUE(::GetKeyboardState(saved));
    BYTE shifted[256];
    std::copy(saved, saved + 256, shifted);
    shifted[VK_SHIFT] = shifted[VK_LSHIFT] = 0x80;
    ::SetKeyboardState(shifted);
    const WCHAR chWithShift = TKPTranslateKey('1', hInUse);
    ::SetKeyboardState(saved);
    EXPECT_NE(chAlone, 0);
    EXPECT_EQ(chWithShift, chAlone);
}
