// Snapshot files come from the command line, the shell and the recent-file list: any bytes at all.
// Decoding must never read outside the input, and whatever it accepts must write back and decode
// again.
#include "engine/save/EngineReset.h"
#include "engine/snapshot/SnapshotDecoder.h"
#include "engine/snapshot/SnapshotEncoder.h"
#include "engine/state/EngineState.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetEngineState();
    {
        LoadedSnapshot loaded;
        if (DecodeSnapshot(data, size, loaded) != SnapshotStatus::kOk)
            return 0;
        loaded.Commit();
    }
    std::vector<uint8_t> again = EncodeSnapshot();
    LoadedSnapshot reloaded;
    if (DecodeSnapshot(again.data(), again.size(), reloaded) != SnapshotStatus::kOk)
        std::abort();
    ResetEngineState();
    return 0;
}
