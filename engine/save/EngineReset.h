// Resets that reach every layer of the engine: the state words and lists below, the MFT's run
// table of the NTFS layer, and the savers' words and the file filters here.
#pragma once

// What a new scan or a snapshot load starts from: every found-entry list (not the chosen File Trace
// signatures, which are the scan's input), the cluster chain and the MFT's run table. The source,
// the volume-parameter block, the recovery settings and the file filters stay (the user's choices),
// and so does the save state, which belongs to the save that runs (its worker clears it at its end).
void ClearScanResults();

// Returns the whole engine to its start-up values: ClearScanResults, the save state, every state
// word, table and setting (ResetEngineWords), the file filters, the chosen save folder and the File Trace save
// words. An open logical-drive handle is closed.
void ResetEngineState();
