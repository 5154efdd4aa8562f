// A test over the images of one fixture card: a partition traced as the window traces it (File
// Trace for the chosen types), and that trace saved as a snapshot to load over another image.
#pragma once

#include "engine/image/VirtualDisk.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/FileTrace.h"
#include "engine/scan/SignatureTable.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class TracedCardTest : public ::testing::Test {
protected:
    // `card`: the fixture script that makes the card's images.
    explicit TracedCardTest(const char* card) : m_card(card) {}

    void SetUp() override
    {
        ASSERT_FALSE(morvick::test::FixtureFolder(m_card).empty()) << "the fixture disk was not built";
    }
    void TearDown() override
    {
        ResetEngineState();
        SetCurrentVirtualDisk(nullptr);
    }

    // Opens one of the card's images and chooses its partition.
    void Open(const char* image)
    {
        ASSERT_TRUE(OpenFixtureImage(morvick::test::FixtureFile(m_card, image), m_disk)) << image;
        ASSERT_TRUE(ChooseFixturePartition(0));
    }

    // The File Trace of the image's partition for `types`, compound documents told apart by `readKind`.
    void TraceImage(const char* image, const std::vector<std::u16string>& types, const OfficeKindReader& readKind)
    {
        ASSERT_NO_FATAL_FAILURE(Open(image));
        const SignatureTable table =
            LoadSignatureTableFile(std::filesystem::u8path(MORVICK_RAW_DAT).u16string());
        ASSERT_EQ(table.status, SignatureTableStatus::kWhole);
        ASSERT_TRUE(AppendChosenSignatures(g_TraceHits, table.records, types));
        g_nScanMode = kScanFileTrace;
        ScanFinishedWord finished{0};
        ASSERT_EQ(RunFileTrace(finished, readKind), FileTraceResult::kCompleted);
    }

    // The trace made last, saved as a snapshot in the test's folder: its path.
    std::u16string SaveTraceSnapshot()
    {
        const std::u16string path = ToPath16(m_temp.Path() / "card.srzq");
        EXPECT_TRUE(SaveSnapshotFile(path));
        return path;
    }

    TempFolder m_temp;

private:
    const char* m_card;
    CVirtualDisk m_disk;
};
