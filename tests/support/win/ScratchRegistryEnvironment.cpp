// Linked into every Windows test program: the scratch trees that tests keep their keys in
// (HKCU\Software\MorvickTest and HKCU\Software\MorvickTests) are copied before the first test and
// put back after the last, so that a test stopped by a failed assertion leaves none of its keys and
// a tree that was not there is removed again with the keys made above it.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/win/SavedRegistry.h"

namespace morvick::test {
namespace {

class ScratchRegistryEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_test = std::make_unique<SavedRegistryKey>(HKEY_CURRENT_USER, L"Software\\MorvickTest");
        m_tests = std::make_unique<SavedRegistryKey>(HKEY_CURRENT_USER, L"Software\\MorvickTests");
    }
    void TearDown() override
    {
        m_test.reset();
        m_tests.reset();
    }

private:
    std::unique_ptr<SavedRegistryKey> m_test;
    std::unique_ptr<SavedRegistryKey> m_tests;
};

[[maybe_unused]] auto* const g_scratch = ::testing::AddGlobalTestEnvironment(new ScratchRegistryEnvironment);

}  // namespace
}  // namespace morvick::test
