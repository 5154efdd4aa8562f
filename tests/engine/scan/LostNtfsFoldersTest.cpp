// The "Lost Dir" step of the NTFS Quick Scan: the folders it gives to the parents that were never
// found, in the order found, and the finished word it leaves for building the tree.
#include "engine/ScanObserver.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/LostNtfsFolders.h"
#include "engine/state/EngineState.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Folder {
    std::u16string name;
    uint32_t number;
    uint32_t parent;
    bool operator==(const Folder& o) const { return name == o.name && number == o.number && parent == o.parent; }
};

void PrintTo(const Folder& f, std::ostream* out)
{
    *out << std::string(f.name.begin(), f.name.end()) << " (" << f.number << " in " << f.parent << ")";
}

std::vector<Folder> Folders()
{
    std::vector<Folder> out;
    for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next)
        out.push_back({r->name, r->recordNumber, r->parentRecord});
    return out;
}

class StepObserver : public ScanObserver {
public:
    StepObserver() : m_previous(SetScanObserver(this)) {}
    ~StepObserver() override { SetScanObserver(m_previous); }
    void OnStatus(const std::u16string& text) override { statuses.push_back(text); }
    void OnProgress(int percent) override { progress.push_back(percent); }

    std::vector<std::u16string> statuses;
    std::vector<int> progress;

private:
    ScanObserver* m_previous;
};

class LostNtfsFolders : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }
};

}  // namespace

TEST_F(LostNtfsFolders, EachMissingParentGetsOneFolderInTheOrderFound)
{
    g_nScanMode = kScanQuick;
    AddNtfsFolder(u"docs", 64, 5);
    AddNtfsFolder(u"orphan a", 70, 300);
    AddNtfsFolder(u"orphan b", 71, 300);  // the same missing parent again
    AddNtfsFolder(u"inside a", 72, 70);   // its parent was found
    AddNtfsFolder(u"orphan c", 73, 400);
    AddMftEntry(u"in docs", 100, 64, 1, 0);
    AddMftEntry(u"lost file", 101, 500, 1, 0);
    AddMftEntry(u"beside orphan a", 102, 300, 1, 0);  // its parent has a lost folder already
    AddMftEntry(u"in the root", 103, 5, 1, 0);
    AddMftEntry(u"lost file too", 104, 500, 1, 0);
    g_nFatFolderCount = 5;
    g_nFatFileCount = 5;
    ScanFinishedWord finished{1};
    StepObserver observer;

    AddLostNtfsFolders(finished);

    const uint32_t lost = kLostDirRecordNumber;
    EXPECT_EQ(Folders(),
        (std::vector<Folder>{{u"docs", 64, 5}, {u"orphan a", 70, 300}, {u"orphan b", 71, 300}, {u"inside a", 72, 70},
            {u"orphan c", 73, 400}, {u"Lost Dir", lost, 5}, {u"Dir0", 300, lost}, {u"Dir1", 400, lost},
            {u"Dir2", 500, lost}}));
    EXPECT_EQ(finished.load(), 0) << "building the tree can still be stopped";
    EXPECT_EQ(observer.statuses, (std::vector<std::u16string>{kLostDataStep1Text, kLostDataStep2Text}));
    ASSERT_FALSE(observer.progress.empty());
    EXPECT_EQ(observer.progress.front(), 0);
    for (int percent : observer.progress)
        EXPECT_LE(percent, 99);
}

TEST_F(LostNtfsFolders, NothingMissingAddsOnlyLostDir)
{
    g_nScanMode = kScanQuick;
    AddNtfsFolder(u"docs", 64, 5);
    AddMftEntry(u"in docs", 100, 64, 1, 0);
    ScanFinishedWord finished{0};
    AddLostNtfsFolders(finished);
    EXPECT_EQ(Folders(), (std::vector<Folder>{{u"docs", 64, 5}, {u"Lost Dir", kLostDirRecordNumber, 5}}));
    EXPECT_EQ(finished.load(), 0);
}

// Folders whose parent references loop hang under no folder of the tree: each loop is broken at its
// folder first in the list, which goes to "Lost Dir" with the rest of the loop below it. Folders that
// lead into a loop stay where they are, and a chain that ends at a missing parent is no loop.
TEST_F(LostNtfsFolders, LoopsOfParentsAreBrokenIntoLostDirAtTheirFirstFolder)
{
    g_nScanMode = kScanQuick;
    AddNtfsFolder(u"into the loop", 60, 67);
    AddNtfsFolder(u"selfish", 65, 65);
    AddNtfsFolder(u"ping", 66, 67);
    AddNtfsFolder(u"pong", 67, 68);
    AddNtfsFolder(u"pang", 68, 66);
    AddNtfsFolder(u"chain", 69, 70);
    AddNtfsFolder(u"chain end", 70, 300);
    AddNtfsFolder(u"docs", 71, 5);
    ScanFinishedWord finished{0};
    AddLostNtfsFolders(finished);

    const uint32_t lost = kLostDirRecordNumber;
    EXPECT_EQ(Folders(),
        (std::vector<Folder>{{u"into the loop", 60, 67}, {u"selfish", 65, lost}, {u"ping", 66, lost}, {u"pong", 67, 68},
            {u"pang", 68, 66}, {u"chain", 69, 70}, {u"chain end", 70, 300}, {u"docs", 71, 5}, {u"Lost Dir", lost, 5},
            {u"Dir0", 300, lost}}));
}
