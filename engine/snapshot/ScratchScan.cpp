#include "engine/snapshot/ScratchScan.h"

#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/state/EngineState.h"

#include <utility>

namespace {

// Moves a list out of `from` into `to`, which must be empty; `from` is left empty.
template <class T>
void Take(RecordList<T>& from, RecordList<T>& to)
{
    to = from;
    from = RecordList<T>();
}

}  // namespace

bool SilentScanObserver::OnMessage(const std::u16string& text, MessageKind kind)
{
    return text == kOutOfMemoryText ? m_outer.OnMessage(text, kind) : false;
}

ScratchScan::ScratchScan(const VolumeParameterBlock& block, int32_t scanMode)
    : m_folderCount(g_nFatFolderCount), m_fileCount(g_nFatFileCount), m_entriesParsed(g_nEntriesParsed),
      m_foundBytes(g_qwFoundBytes), m_mftRuns(std::move(g_MftRunTable)), m_block(g_VolumeParams),
      m_scanMode(g_nScanMode), m_silent(CurrentScanObserver()), m_observer(SetScanObserver(&m_silent))
{
    Take(g_FatEntries, m_fatEntries);
    Take(g_FatFolders, m_fatFolders);
    Take(g_NtfsFolders, m_ntfsFolders);
    Take(g_MftEntries, m_mftEntries);
    Take(g_ClusterChain, m_clusterChain);
    g_nFatFolderCount = g_nFatFileCount = g_nEntriesParsed = 0;
    g_qwFoundBytes = 0;
    g_VolumeParams = block;
    g_nScanMode = scanMode;
    FreeMftRunTable();
}

ScratchScan::~ScratchScan()
{
    FreeFoundEntryLists();
    FreeClusterChain();
    Take(m_fatEntries, g_FatEntries);
    Take(m_fatFolders, g_FatFolders);
    Take(m_ntfsFolders, g_NtfsFolders);
    Take(m_mftEntries, g_MftEntries);
    Take(m_clusterChain, g_ClusterChain);
    g_nFatFolderCount = m_folderCount;
    g_nFatFileCount = m_fileCount;
    g_nEntriesParsed = m_entriesParsed;
    g_qwFoundBytes = m_foundBytes;
    g_MftRunTable = std::move(m_mftRuns);
    g_VolumeParams = m_block;
    g_nScanMode = m_scanMode;
    SetScanObserver(m_observer);
}
