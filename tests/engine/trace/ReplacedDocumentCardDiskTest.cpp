// A File Trace snapshot of a card (FAT16; Excel and Word documents and two JPEGs copied in by mtools)
// loaded over the same card after a Word document of the same size took a spreadsheet's clusters:
// the Word document begins with the same compound-document signature, of the same type, but a fresh
// trace gives it another kind. The hit is listed but never saved; every other hit holds and is saved
// with its file's bytes. A hit holds exactly where a fresh trace lists it by the same name.
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/scan/OfficeDocumentKind.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/trace/TracedCardTest.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-replaced-document-card.sh"}));

namespace {

const char* const kCard = "make-replaced-document-card.sh";

// Hit names by their sectors.
using Hits = std::map<uint32_t, std::u16string>;

class ReplacedDocumentCard : public TracedCardTest {
protected:
    ReplacedDocumentCard() : TracedCardTest(kCard) {}

    void Trace(const char* image, const std::vector<std::u16string>& types)
    {
        TraceImage(image, types, DetectOfficeDocumentKind);
    }

    // The trace of the card before, saved as a snapshot.
    std::u16string SnapshotBefore(const std::vector<std::u16string>& types)
    {
        Trace("before.vhd", types);
        return SaveTraceSnapshot();
    }

    static Hits Listed(bool changed)
    {
        Hits hits;
        for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next) {
            if ((r->changedOnDisk != 0) == changed)
                hits[r->sector] = r->name;
        }
        return hits;
    }
};

// "SECTOR NAME" of the files on the card before, in disk order.
std::vector<std::pair<uint32_t, std::string>> ReadStarts()
{
    std::vector<std::pair<uint32_t, std::string>> starts;
    std::istringstream in(ReadWholeFile(FixtureFile(kCard, "starts.txt")));
    uint32_t sector;
    for (std::string name; in >> sector >> name;)
        starts.push_back({sector, name});
    return starts;
}

}  // namespace

// Over each card, with the compound kinds chosen or not: the hits that load as held are those a fresh
// trace of that card lists at the same sectors by the same names, and no other.
TEST_F(ReplacedDocumentCard, AHitHoldsWhereAFreshTraceListsItByTheSameName)
{
    struct Case {
        std::vector<std::u16string> types;
        const char* image;
        Hits changed;
    };
    const std::vector<std::pair<uint32_t, std::string>> starts = ReadStarts();
    ASSERT_EQ(starts.size(), 5u);
    ASSERT_EQ(starts[0].second, "REPORT.XLS");
    const uint32_t report = starts[0].first;
    const Case cases[] = {
        {{u".doc", u".xls", u".jpg"}, "before.vhd", {}},
        {{u".doc", u".xls", u".jpg"}, "after.vhd", {{report, u"1.xls"}}},
        // Without the Excel type every compound document is traced as ".doc": the Word document
        // that took the spreadsheet's place is listed by the same name.
        {{u".doc", u".jpg"}, "after.vhd", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.image) + ", " + std::to_string(c.types.size()) + " types");
        const std::u16string path = SnapshotBefore(c.types);
        ASSERT_EQ(g_TracedFiles.count, 5u);
        const Hits traced = Listed(false);
        ASSERT_NO_FATAL_FAILURE(Open(c.image));
        morvick::test::RecordingObserver observer;
        ASSERT_TRUE(LoadSnapshotFile(path));
        EXPECT_TRUE(observer.messages.empty());
        ASSERT_EQ(g_TracedFiles.count, 5u);
        EXPECT_EQ(Listed(true), c.changed);
        const Hits held = Listed(false);

        Trace(c.image, c.types);
        const Hits fresh = Listed(false);
        for (const auto& [sector, name] : traced) {
            const auto now = fresh.find(sector);
            const bool same = now != fresh.end() && now->second == name;
            EXPECT_EQ(held.count(sector) != 0, same) << Utf16ToUtf8(name);
        }
        ResetEngineState();
    }
}

// The spreadsheet's hit is counted failed, by name, as changed on the disk, and nothing is written in
// its place; every other hit is saved with its own file's bytes.
TEST_F(ReplacedDocumentCard, TheHitOfAnotherKindIsFailedAndNeverWritten)
{
    const std::vector<std::pair<uint32_t, std::string>> starts = ReadStarts();
    ASSERT_EQ(starts.size(), 5u);
    const std::u16string path = SnapshotBefore({u".doc", u".xls", u".jpg"});
    ASSERT_NO_FATAL_FAILURE(Open("after.vhd"));
    ASSERT_TRUE(LoadSnapshotFile(path));

    g_nTraceSizeClass = 1;
    ResetSaveState();
    const fs::path out = m_temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.savedFiles, 4u);
    EXPECT_EQ(g_SaveReport.failedFiles, 1u);
    EXPECT_EQ(g_SaveReport.changedFiles, 1u);
    EXPECT_EQ(g_SaveReport.failedNames, (std::vector<std::u16string>{u"1.xls"}));
    const char* const folders[] = {"Word Document", "Word Document", "Word Document", "JPEG Image", "JPEG Image"};
    const char* const names[] = {"1.xls", "2.doc", "3.xls", "4.jpg", "5.jpg"};
    EXPECT_FALSE(fs::exists(out / folders[0] / names[0]));
    for (size_t n = 1; n < starts.size(); ++n) {
        const std::string file = ReadWholeFile(FixtureFile(kCard, "files/" + starts[n].second));
        const std::string saved = ReadWholeFile(out / folders[n] / names[n]);
        EXPECT_EQ(saved.substr(0, file.size()), file) << names[n] << " does not hold " << starts[n].second;
    }
}
