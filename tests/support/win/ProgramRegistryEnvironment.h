#pragma once
// For test programs that start Morvick.exe: what the program writes to the registry is kept before
// the first test and put back after the last, whatever the tests did in between.

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/win/SavedProgramRegistry.h"

namespace morvick::test {

class ProgramRegistryEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_saved = std::make_unique<SavedProgramRegistry>(); }
    void TearDown() override { m_saved.reset(); }

private:
    std::unique_ptr<SavedProgramRegistry> m_saved;
};

}  // namespace morvick::test
