// The fixture disks of a test program, made by the scripts of tests/fixtures into the disk-fixtures
// folder beside the build trees (build/disk-fixtures), once for every program of every configuration
// that asks for a script's disks and again only where the scripts changed
// (tests/fixtures/shared-fixture.sh); tests only read them. Programs run in another time zone (TZ)
// have folders of their own. Register the
// environment once per program:
//
//   static auto* const env = ::testing::AddGlobalTestEnvironment(
//       new morvick::test::DiskFixtureEnvironment({"make-mbr-disk.sh"}));
//
// and ask for a disk's folder by its script name: FixtureFolder("make-mbr-disk.sh").
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace morvick::test {

class DiskFixtureEnvironment : public ::testing::Environment {
public:
    explicit DiskFixtureEnvironment(std::vector<std::string> scripts);
    void SetUp() override;
    void TearDown() override;

private:
    std::vector<std::string> m_scripts;
    std::string m_root;
};

// The Unix path of the folder that the script filled; empty when the script failed.
std::string FixtureFolder(const std::string& script);

// A file of that folder as this process opens it.
std::string FixtureFile(const std::string& script, const std::string& name);

// The source tree's Unix path (MORVICK_SOURCE_DIR) and a folder for fuzzer seeds under the build
// tree (MORVICK_BINARY_DIR/fuzz-seeds/NAME, empty when unknown).
std::string SourceDir();
std::string FuzzSeedFolder(const std::string& fuzzer);

// Writes bytes to a Unix path (parent folders must exist; seed folders are made by FuzzSeedFolder).
bool WriteFileBytes(const std::string& unixPath, const uint8_t* data, size_t size);

}  // namespace morvick::test
