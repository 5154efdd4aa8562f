// The rows of one found folder, from the found-entry lists: what the results page's file list shows
// when a folder of the result tree is selected. One routine per kind of result.
#pragma once

#include "engine/ScanObserver.h"
#include "engine/listing/ResultRow.h"

#include <cstdint>
#include <string>
#include <vector>

// The type text of a file by its name (the shell's type name in the program). The default gives the
// upper-cased extension and " File" ("TXT File"), or "File" without an extension.
using FileTypeNamer = std::u16string (*)(const std::u16string& name);
void SetFileTypeNamer(FileTypeNamer namer);
std::u16string FileTypeName(const std::u16string& name);

// When non-zero, the routines report their progress (records examined x 100 / records) through
// the scan observer.
extern int32_t g_nShowListProgress;

// The folders, then the files, whose parent cluster is `cluster` (0 = the root: no "Parent..." row).
std::vector<ResultRow> ListFatFolder(uint32_t cluster);
// The same for the NTFS folder with MFT number `number` (5 = the root). After an Extensive Scan of
// an NTFS volume it lists the NTFS file records instead (ListNtfsFolderExtensive).
std::vector<ResultRow> ListNtfsFolder(uint32_t number);
// Files from the NTFS file records whose FILE record lies inside the browsed volume.
std::vector<ResultRow> ListNtfsFolderExtensive(uint32_t number);
// One folder row per distinct File Trace type name (compared case-insensitively, first 100
// characters), in the order found.
std::vector<ResultRow> FillFoundTypeList();
// File Trace rows: level 0 and "Root" gives the type folders; level 0 and another text the traced
// files whose extension is that text; another level the traced files whose type name is the text,
// letter case aside (as the result tree groups them).
std::vector<ResultRow> ListTracedFiles(int level, const std::u16string& nodeText);

// The same rows made a bounded number of records at a time, so that a window can list a folder of a
// million files between its messages: a Begin as the routine above of the same arguments, then
// Continue until it answers true. The rows, their order and the progress reported are the routine's.
// The found-entry lists must not change until the listing is complete.
class CFolderListing {
public:
    void BeginFat(uint32_t cluster);
    // After an Extensive Scan of an NTFS volume: the NTFS file records, as ListNtfsFolder does.
    void BeginNtfs(uint32_t number);
    // The NTFS file records (`extensive`) or the MFT entries as the folder's files.
    void BeginNtfsFolder(uint32_t number, bool extensive);
    void BeginTraced(int level, const std::u16string& nodeText);
    // Looks at up to `records` more records and appends the rows they give; true once every record
    // was looked at (and at once when nothing was begun).
    bool Continue(size_t records, std::vector<ResultRow>& rows);

private:
    enum class Walk { kDone, kFatFolders, kFatEntries, kNtfsFolders, kMftEntries, kNtfsFiles, kTracedTypes, kTracedFiles };
    void Begin(Walk walk, uint32_t key, bool parentRow, uint64_t records);
    void NextList();
    void ListNext(std::vector<ResultRow>& rows);
    void Step();

    Walk m_walk = Walk::kDone;
    const void* m_next = nullptr;  // the next record of the list walked
    uint32_t m_key = 0;            // the folder's cluster or MFT number
    bool m_parentRow = false;      // the "Parent..." row is still to come
    bool m_extensive = false;
    int m_level = 0;
    std::u16string m_nodeText;
    std::vector<std::u16string> m_typesSeen;
    StepProgress m_progress{0};
    bool m_reporting = false;  // the listing reports its progress
};

// Decimal text of an unsigned value.
std::u16string DecimalText(uint64_t value);
