// Disk tests that list a fixture partition by the Quick Scan or by the Extensive Scan (over the
// partition, its found volume chosen) and save it whole. BothScansDisk runs a test once for each.
#pragma once

#include "engine/image/VirtualDisk.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace morvick::test {

enum class ScanKind { kQuick, kExtensive };

class ScannedDisk : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the image and lists partition `index` by the scan `kind`.
    void Scan(ScanKind kind, const std::string& image, uint32_t index);
    // Saves the listed volume whole (existing and deleted files) into a new folder under the test's
    // temporary folder and returns it.
    std::filesystem::path SaveAll(const std::string& name);

    CVirtualDisk disk;
    TempFolder temp;
};

class BothScansDisk : public ScannedDisk, public ::testing::WithParamInterface<ScanKind> {
protected:
    // Lists partition `index` by the scan of the test's parameter.
    void Scan(const std::string& image, uint32_t index) { ScannedDisk::Scan(GetParam(), image, index); }
};

// "quick" or "extensive", for test names.
std::string ScanKindName(const ::testing::TestParamInfo<ScanKind>& info);

}  // namespace morvick::test
