// A scan observer that keeps what the engine reported, and the virtual disk of a fixture image made
// current for the engine's ReadSectors.
#pragma once

#include "engine/ScanObserver.h"
#include "engine/image/VirtualDisk.h"

#include <memory>
#include <string>
#include <vector>

namespace morvick::test {

class RecordingObserver : public ScanObserver {
public:
    RecordingObserver() { m_previous = SetScanObserver(this); }
    ~RecordingObserver() override { SetScanObserver(m_previous); }

    void OnStatus(const std::u16string& text) override { statuses.push_back(text); }
    void OnProgress(int percent) override { progress.push_back(percent); }
    void OnCurrentSector(uint64_t sector) override { sectors.push_back(sector); }
    uint32_t OnItemFound(const FoundItem& item) override
    {
        items.push_back(item);
        return static_cast<uint32_t>(items.size());
    }
    bool OnMessage(const std::u16string& text, MessageKind) override
    {
        messages.push_back(text);
        return false;
    }

    std::vector<std::u16string> statuses;
    std::vector<int> progress;
    std::vector<uint64_t> sectors;
    std::vector<FoundItem> items;
    std::vector<std::u16string> messages;

private:
    ScanObserver* m_previous = nullptr;
};

// Resets the engine's state and opens `path` (a host path of a .vhd or .vhdx) as its current
// image source. Null when the image does not open.
std::unique_ptr<CVirtualDisk> OpenEngineImage(const std::string& path);
// Makes no image current again and resets the engine's state.
void CloseEngineImage();

}  // namespace morvick::test
