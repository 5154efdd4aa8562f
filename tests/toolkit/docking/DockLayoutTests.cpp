// Saved docking layouts without windows: what a layout writes, that it loads back the same through
// both kinds of exchange, and that damaged layouts are refused whole.
#include "toolkit/common/DockLayout.h"
#include "toolkit/common/PropExchangeArchive.h"

#include "../common/ArchiveFixture.h"
#include "NamedExchange.h"
#include "SampleDockLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using docksample::Container;
using docksample::Node;
using docksample::Pane;
using docksample::SampleLayout;

void ExpectSameRecords(const CTKPDockLayout& a, const CTKPDockLayout& b)
{
    ASSERT_EQ(a.GetCount(), b.GetCount());
    EXPECT_EQ(a.m_nTopContainer, b.m_nTopContainer);
    EXPECT_EQ(a.m_nClient, b.m_nClient);
    for (int i = 0; i < a.GetCount(); ++i) {
        SCOPED_TRACE(i + 1);
        const TKPDockNodeRecord& x = a.m_nodes[static_cast<size_t>(i)];
        const TKPDockNodeRecord& y = b.m_nodes[static_cast<size_t>(i)];
        EXPECT_EQ(x.nType, y.nType);
        EXPECT_EQ(x.nDockingCX, y.nDockingCX);
        EXPECT_EQ(x.nDockingCY, y.nDockingCY);
        EXPECT_EQ(x.children, y.children);
        if (x.nType == tkdock::nodePane) {
            EXPECT_EQ(CString(x.strTitle), y.strTitle);
            EXPECT_EQ(x.nId, y.nId);
            EXPECT_EQ(x.nIconId, y.nIconId);
            EXPECT_EQ(x.nOptions, y.nOptions);
            EXPECT_EQ(x.nDockingHolder, y.nDockingHolder);
            EXPECT_EQ(x.nFloatingHolder, y.nFloatingHolder);
            EXPECT_EQ(x.nLastHolder, y.nLastHolder);
            EXPECT_EQ(x.nMinTrackX, y.nMinTrackX);
            EXPECT_EQ(x.nMaxTrackY, y.nMaxTrackY);
            EXPECT_EQ(x.nTabColor, y.nTabColor);
            EXPECT_EQ(x.nHelpId, y.nHelpId);
            EXPECT_EQ(x.nTag, y.nTag);
        }
        if (x.nType == tkdock::nodeTabbedContainer) {
            EXPECT_EQ(x.nSelected, y.nSelected);
        }
        if (x.nType == tkdock::nodeSplitContainer) {
            EXPECT_EQ(x.bHorizontal, y.bHorizontal);
        }
        if (x.nType == tkdock::nodeSideBar) {
            EXPECT_EQ(x.nDirection, y.nDirection);
        }
        if (x.nType == tkdock::nodeMiniWindow) {
            EXPECT_EQ(x.nWindowLeft, y.nWindowLeft);
            EXPECT_EQ(x.nWindowTop, y.nWindowTop);
            EXPECT_EQ(x.nWindowRight, y.nWindowRight);
            EXPECT_EQ(x.nWindowBottom, y.nWindowBottom);
            EXPECT_EQ(x.bCollapsed, y.bCollapsed);
            EXPECT_EQ(x.nExpandedHeight, y.nExpandedHeight);
            EXPECT_EQ(x.nTopContainer, y.nTopContainer);
        }
    }
}

// Saved layouts seed the layout fuzzer.
void WriteLayoutSeed(const std::vector<BYTE>& bytes, const char* name)
{
    const char* binary = std::getenv("MORVICK_BINARY_DIR");
    if (!binary)
        return;
    const std::filesystem::path folder = std::filesystem::path(binary) / "fuzz-seeds" / "fuzz_dock_layout";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<BYTE> SaveToArchive(const CTKPDockLayout& layout)
{
    StoredBytes stored;
    {
        CTKPPropExchangeArchive px(stored.Archive());
        layout.Save(&px);
    }
    return stored.Finish();
}

BOOL LoadFromArchive(const std::vector<BYTE>& bytes, CTKPDockLayout& layout)
{
    LoadedBytes loaded(bytes);
    CTKPPropExchangeArchive px(loaded.Archive());
    return layout.Load(&px);
}

CNamedExchange::Values SaveNamed(const CTKPDockLayout& layout)
{
    CNamedExchange::Values values;
    CNamedExchange px(values, FALSE);
    layout.Save(&px);
    return values;
}

BOOL LoadNamed(CNamedExchange::Values values, CTKPDockLayout& layout)
{
    CNamedExchange px(values, TRUE);
    return layout.Load(&px);
}

TEST(DockLayout, ArchiveRoundTripKeepsEveryNode)
{
    const CTKPDockLayout saved = SampleLayout();
    const std::vector<BYTE> bytes = SaveToArchive(saved);
    WriteLayoutSeed(bytes, "sample");
    CTKPDockLayout loaded;
    ASSERT_TRUE(LoadFromArchive(bytes, loaded));
    ExpectSameRecords(saved, loaded);
}

TEST(DockLayout, NamedRoundTripKeepsEveryNode)
{
    const CTKPDockLayout saved = SampleLayout();
    CTKPDockLayout loaded;
    ASSERT_TRUE(LoadNamed(SaveNamed(saved), loaded));
    ExpectSameRecords(saved, loaded);
}

TEST(DockLayout, WritesTheStoredKeys)
{
    const CNamedExchange::Values v = SaveNamed(SampleLayout());
    EXPECT_EQ(CNamedExchange::Int(v, L"Summary/Panes"), 15);
    EXPECT_EQ(CNamedExchange::Int(v, L"Summary/Schema"), 16);
    EXPECT_EQ(CNamedExchange::Int(v, L"Summary/TopContainer"), 2);
    EXPECT_EQ(CNamedExchange::Int(v, L"Summary/Client"), 1);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-1/Type"), 4);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-2/Horiz"), 1);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-2/Pane-2"), 4);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-3/Selected"), 7);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-3/DockingCX"), 180);
    EXPECT_EQ(v.at(L"Pane-6/Title"), L"Files\nF");
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-6/ID"), 100);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-6/FloatingHolder"), 11);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-6/TabColor"), 0x1000003);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-6/HelpId"), 55);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-6/Tag"), 9);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-6/MaxTrackX"), 32000);
    // The floating window's own spelling of its root; the summary keeps the other one.
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-9/TopContaner"), 10);
    EXPECT_FALSE(CNamedExchange::Has(v, L"Pane-9/TopContainer"));
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-9/WindowRectLeftPos"), 300);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-9/ExpandedHeight"), 222);
    EXPECT_EQ(CNamedExchange::Int(v, L"Pane-13/Direction"), 3);
}

TEST(DockLayout, SavingEmptiesTheSectionFirst)
{
    CNamedExchange::Values values;
    values[L"Pane-99/Type"] = L"0";
    CNamedExchange px(values, FALSE);
    SampleLayout().Save(&px);
    EXPECT_FALSE(CNamedExchange::Has(values, L"Pane-99/Type"));
}

TEST(DockLayout, OldSchemaReadsNoTabColourHelpOrTag)
{
    CNamedExchange::Values v = SaveNamed(SampleLayout());
    v[L"Summary/Schema"] = L"9";
    CTKPDockLayout loaded;
    ASSERT_TRUE(LoadNamed(v, loaded));
    const TKPDockNodeRecord* p = loaded.Find(6);
    EXPECT_FALSE(p->bTabExtras);
    EXPECT_EQ(p->nTabColor, -1);
    EXPECT_EQ(p->nHelpId, 0);
    EXPECT_EQ(p->nTag, 0);
    EXPECT_EQ(p->nMaxTrackY, 600);
}

// Every damage is refused whole: nothing of the layout is kept.
struct Damage {
    const char* name;
    std::function<void(CNamedExchange::Values&)> apply;
};

class DockLayoutDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(DockLayoutDamage, IsRefusedWhole)
{
    CNamedExchange::Values v = SaveNamed(SampleLayout());
    GetParam().apply(v);
    CTKPDockLayout loaded;
    EXPECT_FALSE(LoadNamed(v, loaded));
    EXPECT_EQ(loaded.GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, DockLayoutDamage,
    ::testing::Values(Damage{"NoNodes", [](CNamedExchange::Values& v) { v[L"Summary/Panes"] = L"0"; }},
        Damage{"OneNode", [](CNamedExchange::Values& v) { v[L"Summary/Panes"] = L"1"; }},
        Damage{"NoCount", [](CNamedExchange::Values& v) { v.erase(L"Summary/Panes"); }},
        Damage{"MissingType", [](CNamedExchange::Values& v) { v.erase(L"Pane-3/Type"); }},
        Damage{"UnknownType", [](CNamedExchange::Values& v) { v[L"Pane-3/Type"] = L"6"; }},
        Damage{"ClientNotAClient", [](CNamedExchange::Values& v) { v[L"Summary/Client"] = L"2"; }},
        Damage{"NoClient", [](CNamedExchange::Values& v) { v.erase(L"Summary/Client"); }},
        Damage{"RootIsAPane", [](CNamedExchange::Values& v) { v[L"Summary/TopContainer"] = L"6"; }},
        Damage{"RootIsHeld", [](CNamedExchange::Values& v) { v[L"Summary/TopContainer"] = L"4"; }},
        Damage{"RootOutOfRange", [](CNamedExchange::Values& v) { v[L"Summary/TopContainer"] = L"16"; }},
        Damage{"PaneWithoutId", [](CNamedExchange::Values& v) { v[L"Pane-7/ID"] = L"0"; }},
        Damage{"ChildMissing", [](CNamedExchange::Values& v) { v[L"Pane-5/Pane-1"] = L"99"; }},
        Damage{"PaneTwiceInOneContainer", [](CNamedExchange::Values& v) { v[L"Pane-3/Pane-2"] = L"6"; }},
        Damage{"PaneInTwoContainers", [](CNamedExchange::Values& v) { v[L"Pane-5/Pane-1"] = L"6"; }},
        Damage{"SplitInATabbedContainer", [](CNamedExchange::Values& v) { v[L"Pane-3/Pane-1"] = L"4"; }},
        Damage{"PaneInASplit", [](CNamedExchange::Values& v) { v[L"Pane-4/Pane-2"] = L"8"; }},
        Damage{"SplitHoldsItself", [](CNamedExchange::Values& v) { v[L"Pane-4/Pane-1"] = L"4"; }},
        Damage{"HolderIsASplit", [](CNamedExchange::Values& v) { v[L"Pane-6/DockingHolder"] = L"2"; }},
        Damage{"FloatingRootIsAPane", [](CNamedExchange::Values& v) { v[L"Pane-9/TopContaner"] = L"12"; }},
        Damage{"SideOutOfRange", [](CNamedExchange::Values& v) { v[L"Pane-13/Direction"] = L"4"; }},
        Damage{"HugeChildCount", [](CNamedExchange::Values& v) { v[L"Pane-3/Panes"] = L"100000000"; }},
        Damage{"NegativeChildCount", [](CNamedExchange::Values& v) { v[L"Pane-4/Panes"] = L"-1"; }},
        Damage{"Cycle",
            [](CNamedExchange::Values& v) {
                // The root keeps only its first container; the nested split and the floating
                // window's split then hold each other.
                v[L"Pane-2/Panes"] = L"1";
                v[L"Pane-9/TopContaner"] = L"0";
                v[L"Pane-4/Pane-2"] = L"10";
                v[L"Pane-10/Pane-1"] = L"4";
            }}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST(DockLayout, TwoSidePanelsForOneSideAreRefused)
{
    CTKPDockLayout l = SampleLayout();
    TKPDockNodeRecord second = Container(tkdock::nodeSideBar, {});
    second.nDirection = 3;
    l.m_nodes.push_back(second);
    EXPECT_FALSE(l.Validate());
    l.m_nodes.back().nDirection = 0;
    EXPECT_TRUE(l.Validate());
}

TEST(DockLayout, CutArchivesAreRefused)
{
    const std::vector<BYTE> bytes = SaveToArchive(SampleLayout());
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        SCOPED_TRACE(cut);
        CTKPDockLayout loaded;
        EXPECT_FALSE(LoadFromArchive(std::vector<BYTE>(bytes.begin(), bytes.begin() + cut), loaded));
    }
}

TEST(DockLayout, SingleNodeExchangeFailsForAPaneWithoutId)
{
    CNamedExchange::Values values;
    TKPDockNodeRecord p = Pane(0, L"x", 0, 0, 0);
    {
        CNamedExchange px(values, FALSE);
        EXPECT_FALSE(CTKPDockLayout::ExchangeNode(&px, p, 16));
    }
    TKPDockNodeRecord loaded = Node(tkdock::nodePane);
    CNamedExchange px(values, TRUE);
    EXPECT_FALSE(CTKPDockLayout::ExchangeNode(&px, loaded, 16));
    values[L"ID"] = L"5";
    EXPECT_TRUE(CTKPDockLayout::ExchangeNode(&px, loaded, 16));
}

}  // namespace
