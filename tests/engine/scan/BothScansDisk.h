// A disk test that lists a fixture partition by either scan, the Quick Scan or the Extensive Scan
// (over the partition, its found volume chosen), and saves it whole: the test is written once and
// instantiated for both.
#pragma once

#include "engine/image/VirtualDisk.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace morvick::test {

enum class ScanKind { kQuick, kExtensive };

class BothScansDisk : public ::testing::TestWithParam<ScanKind> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the image and lists partition `index` by the scan of the test's parameter.
    void Scan(const std::string& image, uint32_t index);
    // Saves the listed volume whole (existing and deleted files) into a new folder under the test's
    // temporary folder and returns it.
    std::filesystem::path SaveAll(const std::string& name);

    CVirtualDisk disk;
    TempFolder temp;
};

// "quick" or "extensive", for test names.
std::string ScanKindName(const ::testing::TestParamInfo<ScanKind>& info);

}  // namespace morvick::test
