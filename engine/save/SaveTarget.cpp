#include "engine/save/SaveTarget.h"

#include "engine/ScanObserver.h"
#include "engine/image/SectorReader.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/CivilTime.h"
#include "engine/save/FileFilters.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/state/RecoverySettings.h"

const char16_t kErrorCreatingFileText[] = u"Error creating file : ";

namespace {

std::u16string NameText(const char16_t* name)
{
    return name ? std::u16string(name) : std::u16string();
}

}  // namespace

bool PrepareSaveTarget(const std::u16string& folder, const char16_t* name, bool counting, DeletedState deleted,
    std::u16string& path)
{
    if (g_nSaveStop.load() == 1)
        return false;
    g_nSaveSkip = 0;
    path = JoinOutputPath(folder, MakeSafeFileName(NameText(name)));
    if (!counting)
        return true;
    if (!FileNamePassesFilters(name))
        return false;
    if ((g_wDeletedFiles == kDeletedExclude && deleted == DeletedState::kDeleted) ||
        (g_wDeletedFiles == kDeletedOnly && deleted == DeletedState::kLive))
        return false;
    return true;
}

namespace {

// The file under the duplicate-name setting. kExists only when Skip passes over a taken name.
NewFileResult CreateUnderDuplicatePolicy(COutputFile& file, const std::u16string& folder, std::u16string& path,
    const char16_t* name)
{
    NewFileResult result = file.CreateNew(path);
    if (result != NewFileResult::kExists || g_wDuplicateNames == kDuplicateSkip)
        return result;
    if (g_wDuplicateNames != kDuplicateRename) {
        // Overwrite: the new file is written under a temporary name and replaces the old one only
        // once it is whole, so a file that is skipped, stopped or fails leaves the old one as it
        // was. A folder (or a link to one) cannot be overwritten by a file.
        if (OutputFolderExists(path))
            return NewFileResult::kFailed;
        return file.CreateReplacement(path) ? NewFileResult::kCreated : NewFileResult::kFailed;
    }
    const std::u16string safeName = MakeSafeFileName(NameText(name));
    for (uint64_t n = 1;; ++n) {
        std::u16string candidate =
            JoinOutputPath(folder, MakeSafeFileName(u"Copy (" + DecimalText(n) + u" ) of " + safeName));
        result = file.CreateNew(candidate);
        if (result != NewFileResult::kExists) {
            path = candidate;
            return result;
        }
    }
}

}  // namespace

bool CreateSaveFile(COutputFile& file, const std::u16string& folder, std::u16string& path, const char16_t* name,
    bool counting)
{
    NewFileResult result;
    if (counting)
        result = CreateUnderDuplicatePolicy(file, folder, path, name);
    else
        result = file.Create(path) ? NewFileResult::kCreated : NewFileResult::kFailed;
    if (result == NewFileResult::kExists)
        return false;
    if (result == NewFileResult::kFailed) {
        RecordNotSaved(name);
        if (!AskEngineQuestion(kErrorCreatingFileText + NameText(name) + u".  Continue Recovery ? ", kMessageError))
            g_nSaveStop = 1;
        return false;
    }
    // Every kind of file is counted once it is created, NTFS files too: counted before the create, a
    // file that could not be made would still stand in the saved count.
    if (counting) {
        ++g_nSavedFileCount;
        CurrentScanObserver().OnStatus(path);
        CurrentScanObserver().OnProgress(0);
    }
    return true;
}

void RecordNotSaved(const char16_t* name)
{
    ++g_SaveReport.failedFiles;
    g_SaveReport.failedNames.push_back(NameText(name));
}

bool RefusedAsChangedOnDisk(uint32_t changedOnDisk, const std::u16string& folder, const char16_t* name, bool counting,
    DeletedState deleted)
{
    if (changedOnDisk == 0)
        return false;
    std::u16string path;
    if (PrepareSaveTarget(folder, name, counting, deleted, path) && counting && !SkippedAsDuplicate(path, counting)) {
        RecordNotSaved(name);
        ++g_SaveReport.changedFiles;
    }
    return true;
}

bool SkippedAsDuplicate(const std::u16string& path, bool counting)
{
    return counting && g_wDuplicateNames == kDuplicateSkip && OutputPathExists(path);
}

bool FinishSaveFile(COutputFile& file, const std::u16string& path, const char16_t* name, const CopyOutcome& outcome)
{
    if (outcome.writeFailed) {
        file.Discard();
        RecordNotSaved(name);
        return false;
    }
    if (outcome.stopped) {
        ++g_SaveReport.skippedFiles;
        if (file.IsReplacement()) {
            file.Discard();  // the old file stays whole: writing over it would leave only a piece of the new one
            return false;
        }
        if (file.Commit())
            return true;  // Skip and Stop leave the file cut short
        --g_SaveReport.skippedFiles;
        RecordNotSaved(name);
        return false;
    }
    if (!file.Commit()) {
        RecordNotSaved(name);
        return false;
    }
    g_SaveReport.savedBytes += outcome.written;
    if (outcome.unreadableSectors > 0 || outcome.missingData || outcome.undecodable || outcome.cutByClusterInUse ||
        outcome.clustersTaken) {
        ++g_SaveReport.damagedFiles;
        if (outcome.clustersTaken)
            ++g_SaveReport.reusedClusterFiles;
        g_SaveReport.damagedPaths.push_back(path);
        if (outcome.cutByClusterInUse)
            g_SaveReport.cutPaths.push_back(path);
    } else {
        ++g_SaveReport.savedFiles;
    }
    return true;
}

void RestoreNtfsFileTimes(COutputFile& file, uint64_t fileTime)
{
    file.SetTimes(fileTime);
}

void RestoreFatFileTimes(COutputFile& file, uint64_t fileTime)
{
    uint64_t converted;
    if (FatDateToFileTime(static_cast<uint16_t>(fileTime), CurrentFileTime(), converted))
        file.SetTimes(converted);
}

void ReportSaveProgress(uint64_t written, uint64_t size)
{
    uint64_t percent = size ? written * 100 / size : 0;
    CurrentScanObserver().OnProgress(static_cast<int>(percent > 99 ? 99 : percent));
}

bool ReadSourceSectors(uint64_t sector, uint32_t count, uint8_t* buffer)
{
    return ReadSectors(sector, count, buffer) == 1;
}
