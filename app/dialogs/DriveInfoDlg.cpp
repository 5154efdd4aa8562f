#include "app/dialogs/DriveInfoDlg.h"

#include "engine/state/EngineState.h"
#include "resource.h"

namespace {

CString Decimal(uint64_t value)
{
    CString text;
    text.Format(L"%I64u", value);
    return text;
}

uint64_t FileCount()
{
    if (g_nScanMode == kScanFileTrace)
        return g_TracedFiles.count;
    if (g_VolumeParams.browsedFileSystemType != FileSystemKind::kNtfs)
        return g_FatEntries.count;
    if (g_nScanMode != kScanExtensive)
        return g_MftEntries.count;
    // The browsed volume's own files: the scan's total also counts every other file system it found.
    uint64_t count = 0;
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r != nullptr; r = r->next) {
        if (r->sector > g_VolumeParams.clusterBase && r->sector <= g_VolumeParams.volumeEnd)
            ++count;
    }
    return count;
}

}  // namespace

CDriveInfoDlg::CDriveInfoDlg(CWnd* parent) : CSkinnedDialog(IDD_DRIVE_INFO, IDB_DIALOG_SKIN, parent)
{
    UseCaptionColour();
    m_captionFont.CreateFont(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

void CDriveInfoDlg::ComputeValues(CString values[kRows])
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const bool ntfs = b.browsedFileSystemType == FileSystemKind::kNtfs;
    switch (b.browsedFileSystemType) {
    case FileSystemKind::kNtfs:
        values[0] = L"NTFS";
        break;
    case FileSystemKind::kFat32:
        values[0] = L"FAT32";
        break;
    case FileSystemKind::kFat16:
        values[0] = L"FAT16";
        break;
    default:
        values[0].Empty();
        break;
    }
    // A volume the Extensive Scan found starts where its clusters are counted from.
    values[1] = Decimal(g_nScanMode == kScanExtensive ? b.clusterBase : b.partitionStart);
    uint64_t folders = 0;
    if (g_nScanMode != kScanFileTrace)
        folders = ntfs ? g_NtfsFolders.count : g_FatFolders.count;
    values[2] = Decimal(folders);
    values[3] = Decimal(FileCount());
    values[4] = Decimal(b.sectorsPerCluster);
    // The block names the FAT read first (the active one where the FATs are not mirrored); the
    // dialog shows them in their order on the disk, so the first FAT is never shown as the second.
    const bool swapped = b.secondFat != 0 && b.secondFat < b.firstFat;
    values[5] = ntfs ? CString(L"N/A") : Decimal(swapped ? b.secondFat : b.firstFat);
    values[6] = ntfs ? CString(L"N/A") : Decimal(swapped ? b.firstFat : b.secondFat);
    values[7] = ntfs ? Decimal(b.mftStart) : CString(L"N/A");
}

BOOL CDriveInfoDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    if (CWnd* caption = GetDlgItem(IDC_DRIVE_INFO_CAPTION))
        caption->SetFont(&m_captionFont);
    CString values[kRows];
    ComputeValues(values);
    for (int row = 0; row < kRows; ++row)
        SetDlgItemText(IDC_DRIVE_INFO_VALUE + row, values[row]);
    return TRUE;
}
