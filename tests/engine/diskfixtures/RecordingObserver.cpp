#include "tests/engine/diskfixtures/RecordingObserver.h"

#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"

namespace morvick::test {

std::unique_ptr<CVirtualDisk> OpenEngineImage(const std::string& path)
{
    ResetEngineState();
    const bool vhdx = path.size() > 5 && path.compare(path.size() - 5, 5, ".vhdx") == 0;
    std::unique_ptr<CVirtualDisk> disk(new CVirtualDisk);
    if (!disk->Create(vhdx ? CVirtualDisk::kVhdx : CVirtualDisk::kVhd) || !disk->Open(Utf8ToUtf16(path)))
        return nullptr;
    SetCurrentVirtualDisk(disk.get());
    g_wSourceType = kSourceDisk;
    g_wDeviceIndex = 0;
    g_nImageKind = vhdx ? kImageVhdx : kImageVhd;
    g_DeviceGeometry.cylinders[0] = static_cast<uint32_t>(disk->GetCylinders());
    g_DeviceGeometry.heads[0] = static_cast<uint32_t>(disk->GetHeads());
    g_DeviceGeometry.sectorsPerTrack[0] = static_cast<uint32_t>(disk->GetSectorsPerTrack());
    return disk;
}

void CloseEngineImage()
{
    SetCurrentVirtualDisk(nullptr);
    ResetEngineState();
}

}  // namespace morvick::test
