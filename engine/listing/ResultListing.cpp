#include "engine/listing/ResultListing.h"

#include "engine/ScanObserver.h"
#include "engine/listing/DateText.h"
#include "engine/save/FileFilters.h"
#include "engine/state/EngineState.h"
#include "engine/util/Utf.h"

namespace {

constexpr uint32_t kNtfsRootRecord = 5;

std::u16string DefaultTypeName(const std::u16string& name)
{
    size_t dot = name.rfind(u'.');
    if (dot == std::u16string::npos || dot + 1 == name.size())
        return u"File";
    std::u16string ext = name.substr(dot + 1);
    for (char16_t& c : ext) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 0x20);
    }
    return ext + u" File";
}

FileTypeNamer g_typeNamer = DefaultTypeName;

std::u16string Name(const char16_t* name)
{
    return name ? std::u16string(name) : std::u16string();
}

// Reports progress after each record examined, when asked to.
class ListProgress {
public:
    explicit ListProgress(uint64_t total) : m_steps(total)
    {
        if (g_nShowListProgress)
            CurrentScanObserver().OnProgress(0);
    }
    ~ListProgress()
    {
        if (g_nShowListProgress)
            CurrentScanObserver().OnProgress(100);
    }
    void Step()
    {
        if (g_nShowListProgress)
            m_steps.Step();
    }

private:
    StepProgress m_steps;
};

ResultRow ParentRow()
{
    ResultRow row;
    row.kind = ResultRowKind::kParent;
    row.name = u"Parent...";
    return row;
}

ResultRow FolderRow(const char16_t* name, uint32_t deleted, std::u16string first, std::u16string second, uint32_t item)
{
    ResultRow row;
    row.kind = ResultRowKind::kFolder;
    row.name = Name(name);
    row.deleted = deleted != 0;
    row.type = row.deleted ? u"Deleted Folder" : u"Folder";
    row.size = u"0";
    row.firstDate = std::move(first);
    row.secondDate = std::move(second);
    row.key = DecimalText(item);
    return row;
}

ResultRow FileRow(const char16_t* name, uint32_t deleted, uint64_t size, std::u16string first, std::u16string second,
    uint64_t key)
{
    ResultRow row;
    row.kind = ResultRowKind::kFile;
    row.name = Name(name);
    row.deleted = deleted != 0;
    row.type = (row.deleted ? u"Deleted " : u"") + FileTypeName(row.name);
    row.size = DecimalText(size);
    row.firstDate = std::move(first);
    row.secondDate = std::move(second);
    row.key = DecimalText(key);
    return row;
}

uint64_t Join64(uint32_t low, uint32_t high)
{
    return (static_cast<uint64_t>(high) << 32) | low;
}

// The parent row and the folder rows of an NTFS folder.
std::vector<ResultRow> ListNtfsSubfolders(uint32_t number, ListProgress& progress)
{
    std::vector<ResultRow> rows;
    if (number != kNtfsRootRecord)
        rows.push_back(ParentRow());
    for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next) {
        if (r->parentRecord == number) {
            rows.push_back(FolderRow(r->name, r->deleted, FormatFileTime(r->creationTimeLow, r->creationTimeHigh),
                FormatFileTime(r->changeTimeLow, r->changeTimeHigh), r->treeItem));
        }
        progress.Step();
    }
    return rows;
}

// Type names are compared as the result tree groups traced files: without regard to letter case.
bool SameTypeName(const char16_t* a, const std::u16string& b, size_t length = std::u16string::npos)
{
    const std::u16string x = Name(a).substr(0, length), y = b.substr(0, length);
    if (x.size() != y.size())
        return false;
    for (size_t i = 0; i < x.size(); ++i) {
        if (LowerCaseChar(x[i]) != LowerCaseChar(y[i]))
            return false;
    }
    return true;
}

// The type list tells type names apart by their first 100 characters.
constexpr size_t kTypeNameLength = 100;

}  // namespace

int32_t g_nShowListProgress = 0;

void SetFileTypeNamer(FileTypeNamer namer)
{
    g_typeNamer = namer ? namer : DefaultTypeName;
}

std::u16string FileTypeName(const std::u16string& name)
{
    return g_typeNamer(name);
}

std::u16string DecimalText(uint64_t value)
{
    std::u16string s;
    do {
        s.insert(s.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value);
    return s;
}

std::vector<ResultRow> ListFatFolder(uint32_t cluster)
{
    ListProgress progress(uint64_t{g_FatFolders.count} + g_FatEntries.count);
    std::vector<ResultRow> rows;
    if (cluster != 0)
        rows.push_back(ParentRow());
    for (const FatFolderRecord* r = g_FatFolders.head; r; r = r->next) {
        if (r->parentCluster == cluster)
            rows.push_back(
                FolderRow(r->name, r->deleted, FormatFatDate(r->writeDate), FormatFatDate(r->accessDate), r->treeItem));
        progress.Step();
    }
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next) {
        if (r->parentCluster == cluster && FileNamePassesFilters(r->name))
            rows.push_back(FileRow(r->name, r->deleted, r->size, FormatFatDate(r->writeDate),
                FormatFatDate(r->accessDate), r->ordinal));
        progress.Step();
    }
    return rows;
}

std::vector<ResultRow> ListNtfsFolder(uint32_t number)
{
    if (g_nScanMode == kScanExtensive && g_VolumeParams.browsedFileSystemType == FileSystemKind::kNtfs)
        return ListNtfsFolderExtensive(number);
    ListProgress progress(uint64_t{g_NtfsFolders.count} + g_MftEntries.count);
    std::vector<ResultRow> rows = ListNtfsSubfolders(number, progress);
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next) {
        if (r->parentRecord == number && FileNamePassesFilters(r->name)) {
            rows.push_back(FileRow(r->name, r->deleted, Join64(r->sizeLow, r->sizeHigh),
                FormatFileTime(r->creationTimeLow, r->creationTimeHigh),
                FormatFileTime(r->changeTimeLow, r->changeTimeHigh), r->dataRecordSector));
        }
        progress.Step();
    }
    return rows;
}

std::vector<ResultRow> ListNtfsFolderExtensive(uint32_t number)
{
    ListProgress progress(uint64_t{g_NtfsFolders.count} + g_NtfsFileRecords.count);
    std::vector<ResultRow> rows = ListNtfsSubfolders(number, progress);
    const uint32_t first = g_VolumeParams.clusterBase;
    const uint32_t last = g_VolumeParams.volumeEnd;
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next) {
        if (r->parentRecord == number && r->sector > first && r->sector <= last && FileNamePassesFilters(r->name)) {
            rows.push_back(FileRow(r->name, r->deleted, Join64(r->sizeLow, r->sizeHigh),
                FormatFileTime(r->creationTimeLow, r->creationTimeHigh),
                FormatFileTime(r->changeTimeLow, r->changeTimeHigh), r->sector));
        }
        progress.Step();
    }
    return rows;
}

std::vector<ResultRow> FillFoundTypeList()
{
    std::vector<ResultRow> rows;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next) {
        bool seen = false;
        for (const ResultRow& row : rows)
            seen = seen || SameTypeName(r->typeName, row.name, kTypeNameLength);
        if (seen)
            continue;
        ResultRow row;
        row.kind = ResultRowKind::kFolder;
        row.name = Name(r->typeName);
        row.type = u"-";
        row.size = u"-";
        rows.push_back(row);
    }
    return rows;
}

std::vector<ResultRow> ListTracedFiles(int level, const std::u16string& nodeText)
{
    if (level == 0 && nodeText == u"Root")
        return FillFoundTypeList();
    ListProgress progress(g_TracedFiles.count);
    std::vector<ResultRow> rows;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next) {
        const bool inFolder = level == 0 ? Name(r->extension) == nodeText : SameTypeName(r->typeName, nodeText);
        if (inFolder && FileNamePassesFilters(r->name)) {
            ResultRow row;
            row.kind = ResultRowKind::kFile;
            row.name = Name(r->name);
            row.type = FileTypeName(row.name);
            row.size = DecimalText(r->hitNumber);
            rows.push_back(row);
        }
        progress.Step();
    }
    return rows;
}
