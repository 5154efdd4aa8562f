// A save observer for disks whose damaged sizes would have a saver write without end: it skips, as
// the saving dialog's Skip does, a file that grows past a limit while it is written, and remembers
// its path, so that a test stays bounded where the save would not be.
#pragma once

#include "engine/ScanObserver.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvick::test {

class SizeGuard : public ScanObserver {
public:
    // Installed as the engine's observer until it is destroyed.
    explicit SizeGuard(uint64_t limit);
    ~SizeGuard() override;

    void OnStatus(const std::u16string& text) override;
    void OnProgress(int percent) override;

    // The paths of the files skipped for outgrowing the limit.
    std::vector<std::string> outgrown;

private:
    uint64_t m_limit;
    std::filesystem::path m_current;
    ScanObserver* m_previous = nullptr;
};

}  // namespace morvick::test
