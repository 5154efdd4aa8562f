// The engine's scan state set aside while a loaded snapshot's volume is read again as the scan that
// made the snapshot read it. The scans fill the engine's own lists, counters and words: a scratch
// scan lets them, over the snapshot's volume-parameter block, and the results on screen are put back
// untouched on every way out (a refused load changes nothing). What the scratch scan found is the
// engine's lists while this lives; it is freed when this goes.
#pragma once

#include "engine/ScanObserver.h"
#include "engine/ntfs/RunList.h"
#include "engine/scan/ScanStop.h"
#include "engine/state/RecordList.h"
#include "engine/state/VolumeParameterBlock.h"

#include <cstdint>

// An observer that shows nothing of a scratch scan (its status, progress, sectors, found items,
// notes and questions, which it answers no) but running out of memory, which it hands on.
class SilentScanObserver : public ScanObserver {
public:
    explicit SilentScanObserver(ScanObserver& outer) : m_outer(outer) {}
    bool OnMessage(const std::u16string& text, MessageKind kind) override;
    bool OnQuestion(const std::u16string&, MessageKind) override { return false; }
    void OnOutOfMemory() override { m_outer.OnOutOfMemory(); }

private:
    ScanObserver& m_outer;
};

class ScratchScan {
public:
    // Sets aside the FAT and NTFS entry lists with their counters, the cluster chain, the MFT's runs,
    // the volume-parameter block, the scan mode and the observer; the block becomes `block`, the mode
    // `scanMode`, the observer a silent one, and the lists start empty.
    ScratchScan(const VolumeParameterBlock& block, int32_t scanMode);
    // Frees what the scratch scan found and puts everything set aside back.
    ~ScratchScan();
    ScratchScan(const ScratchScan&) = delete;
    ScratchScan& operator=(const ScratchScan&) = delete;

    // The scratch scan's own finished word: never set, the scan runs to its end.
    ScanFinishedWord& Finished() { return m_finished; }

private:
    RecordList<FatEntryRecord> m_fatEntries;
    RecordList<FatFolderRecord> m_fatFolders;
    RecordList<NtfsFolderRecord> m_ntfsFolders;
    RecordList<MftEntryRecord> m_mftEntries;
    RecordList<ClusterNode> m_clusterChain;
    uint32_t m_folderCount, m_fileCount, m_entriesParsed;
    uint64_t m_foundBytes;
    morvick::SectorRunTable m_mftRuns;
    VolumeParameterBlock m_block;
    int32_t m_scanMode;
    SilentScanObserver m_silent;
    ScanObserver* m_observer;
    ScanFinishedWord m_finished{0};
};
