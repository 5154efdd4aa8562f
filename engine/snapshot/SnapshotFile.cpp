#include "engine/snapshot/SnapshotFile.h"

#include "engine/ScanObserver.h"
#include "engine/image/SectorReader.h"
#include "engine/io/DiskFile.h"
#include "engine/io/NativeFile.h"
#include "engine/io/OutputFolder.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/snapshot/SnapshotDecoder.h"
#include "engine/snapshot/SnapshotEncoder.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/snapshot/SnapshotSource.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"

#include <cstring>
#include <utility>
#include <vector>

const char16_t kSnapshotUnableToOpenText[] = u"Unable to open the file";
const char16_t kSnapshotInvalidFileText[] = u"Invalid File.";
const char16_t kSnapshotWrongMagicText[] = u"Invalid version of the file found : ";
const char16_t kSnapshotWrongVersionText[] = u"version of file does not match with current version 1.0";
const char16_t kSnapshotMismatchText[] = u"Source file and load recovery snapshot mismatch";
const char16_t kSnapshotReplaceText[] = u" already exists.\r\nDo you want to replace it?";
const char16_t kSnapshotPastSectorLimitText[] =
    u"This volume ends past the first 2 TiB of the disk (past sector 4294967295), which a recovery snapshot "
    u"cannot hold: no snapshot was saved.";

namespace {

// A snapshot file read in order as the decoder asks for it.
class SnapshotFileInput : public SnapshotInput {
public:
    explicit SnapshotFileInput(CDiskFile& file) : m_file(file) {}
    uint64_t Size() const override { return m_file.GetSize(); }
    bool Read(uint8_t* buffer, uint64_t offset, size_t count) override
    {
        return m_file.ReadAt(buffer, offset, count) == 1;
    }

private:
    CDiskFile& m_file;
};

// The snapshot being written, handed to the file in the writer's pieces.
class SnapshotFileOutput : public SnapshotOutput {
public:
    explicit SnapshotFileOutput(COutputFile& file) : m_file(file) {}
    bool Write(const uint8_t* data, size_t count) override { return m_file.Write(data, count); }

private:
    COutputFile& m_file;
};

// Results a snapshot cannot hold are refused, with the reason, before anything is asked or written,
// not written with a value held at its largest: loaded, a found volume's files past its held end
// would fail.
bool RefusedAsUnheld()
{
    if (SnapshotHoldsResults())
        return false;
    ShowEngineMessage(kSnapshotPastSectorLimitText, kMessageError);
    return true;
}

}  // namespace

std::u16string NormaliseSnapshotPath(const std::u16string& path)
{
    // Kept in the case the user chose, not lower-cased: in a case-sensitive folder that names another
    // file or none (a save then writes a name the user did not give, a load misses the file).
    const std::u16string ext(kSnapshotExtension);
    bool hasExtension = path.size() >= ext.size();
    for (size_t i = 0; hasExtension && i < ext.size(); ++i)
        hasExtension = LowerCaseChar(path[path.size() - ext.size() + i]) == ext[i];
    return hasExtension ? path : path + ext;
}

bool SaveSnapshotFile(const std::u16string& path)
{
    if (RefusedAsUnheld())
        return false;
    // Written under a temporary name beside the path, which it takes only once written whole, rather
    // than into the path truncated: a full disk then left no snapshot at all where the user had one,
    // and a save cut short is never found under a snapshot's name.
    COutputFile file;
    bool ok = file.CreateReplacement(path);
    if (ok) {
        SnapshotFileOutput out(file);
        if (WriteSnapshot(out)) {
            ok = file.Commit();
        } else {
            file.Discard();
            ok = false;
        }
    }
    if (!ok)
        ShowEngineMessage(kSnapshotUnableToOpenText, kMessageError);
    return ok;
}

bool SaveSnapshotAs(const std::u16string& chosenPath)
{
    if (RefusedAsUnheld())
        return false;
    const std::u16string path = NormaliseSnapshotPath(chosenPath);
    if (FileExists(path) && !AskEngineQuestion(path + kSnapshotReplaceText, kMessageQuestion))
        return false;
    return SaveSnapshotFile(path);
}

bool LoadSnapshotFile(const std::u16string& quotedPath)
{
    // Not lower-cased, as no snapshot path is (NormaliseSnapshotPath): in a case-sensitive folder the
    // lower-cased path would name another file or none.
    std::u16string path;
    for (char16_t c : quotedPath) {
        if (c != u'"')
            path += c;
    }
    if (!FileExists(path)) {
        ShowEngineMessage(path + u" does not exists.", kMessageQuestion);
        return false;
    }
    // A file that cannot be read says so, rather than ending the load without a word. It is read as
    // a stream, never whole: every snapshot the writer makes loads, whatever its size.
    CDiskFile file;
    if (!file.OpenRead(path)) {
        ShowEngineMessage(kSnapshotUnableToOpenText, kMessageError);
        return false;
    }
    SnapshotFileInput input(file);
    LoadedSnapshot loaded;
    const SnapshotStatus status = DecodeSnapshot(input, loaded);
    file.Close();
    switch (status) {
    case SnapshotStatus::kOk:
        break;
    case SnapshotStatus::kUnreadable:
        ShowEngineMessage(kSnapshotUnableToOpenText, kMessageError);
        return false;
    case SnapshotStatus::kInvalidKind:
        ShowEngineMessage(kSnapshotInvalidFileText, kMessageQuestion);
        return false;
    case SnapshotStatus::kWrongMagic:
        ShowEngineMessage(kSnapshotWrongMagicText, kMessageError);
        return false;
    case SnapshotStatus::kWrongVersion:
        ShowEngineMessage(kSnapshotWrongVersionText, kMessageError);
        return false;
    case SnapshotStatus::kDamaged:
        // Refused whole, not read until the file runs out: half a snapshot shows folders without their
        // files, and a wrong length word reads names out of other fields.
        ShowEngineMessage(kSnapshotInvalidFileText, kMessageError);
        return false;
    }
    morvick::SectorRunTable mftRuns;
    if (!SourceHoldsSnapshotVolume(loaded, mftRuns)) {
        ShowEngineMessage(kSnapshotMismatchText, kMessagePlain);
        return false;
    }
    // Only now are the lists replaced, not freed before the file is read: a refused file would
    // otherwise take the results on screen with it.
    loaded.Commit();
    // The savers find the parts of large NTFS files through the MFT's runs, as after a scan.
    g_MftRunTable = std::move(mftRuns);
    // The volume of a logical drive is opened again as after a scan; an image's needs nothing. (A
    // snapshot of a logical drive has been refused above: no drive list names its entry here.)
    OpenSnapshotVolume(g_VolumeParams.partitionIndex, std::u16string());
    // The physical drive of the snapshot's device index is not opened (OpenPhysicalDrive) as the
    // original load did: every sector comes from the image, so that handle of the computer's own
    // disk would never be read, and one an administrator got would keep others from writing to
    // that disk (read sharing only) until the drive page is left.
    return true;
}

int OpenSnapshotVolume(uint16_t partitionNumber, const std::u16string& driveListEntry)
{
    if (g_wSourceType != kSourceLogicalDrive)
        return 1;
    g_VolumeParams.partitionIndex = partitionNumber;
    return OpenLogicalDriveVolume(driveListEntry);
}
