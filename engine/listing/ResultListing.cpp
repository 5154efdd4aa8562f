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

void CFolderListing::BeginFat(uint32_t cluster)
{
    Begin(Walk::kFatFolders, cluster, cluster != 0, uint64_t{g_FatFolders.count} + g_FatEntries.count);
    m_next = g_FatFolders.head;
}

void CFolderListing::BeginNtfs(uint32_t number)
{
    BeginNtfsFolder(number,
        g_nScanMode == kScanExtensive && g_VolumeParams.browsedFileSystemType == FileSystemKind::kNtfs);
}

void CFolderListing::BeginNtfsFolder(uint32_t number, bool extensive)
{
    const uint64_t files = extensive ? g_NtfsFileRecords.count : g_MftEntries.count;
    Begin(Walk::kNtfsFolders, number, number != kNtfsRootRecord, uint64_t{g_NtfsFolders.count} + files);
    m_extensive = extensive;
    m_next = g_NtfsFolders.head;
}

void CFolderListing::BeginTraced(int level, const std::u16string& nodeText)
{
    if (level == 0 && nodeText == u"Root") {
        // The type folders: no progress is reported for them.
        *this = CFolderListing();
        m_walk = Walk::kTracedTypes;
        m_next = g_TracedFiles.head;
        return;
    }
    Begin(Walk::kTracedFiles, 0, false, g_TracedFiles.count);
    m_level = level;
    m_nodeText = nodeText;
    m_next = g_TracedFiles.head;
}

void CFolderListing::Begin(Walk walk, uint32_t key, bool parentRow, uint64_t records)
{
    *this = CFolderListing();
    m_walk = walk;
    m_key = key;
    m_parentRow = parentRow;
    m_progress = StepProgress(records);
    m_reporting = true;
    if (g_nShowListProgress)
        CurrentScanObserver().OnProgress(0);
}

void CFolderListing::Step()
{
    if (g_nShowListProgress)
        m_progress.Step();
}

bool CFolderListing::Continue(size_t records, std::vector<ResultRow>& rows)
{
    if (m_parentRow) {
        rows.push_back(ParentRow());
        m_parentRow = false;
    }
    // Lists with nothing left are passed at once: the last record's step ends the walk.
    for (size_t looked = 0;; ++looked) {
        while (m_walk != Walk::kDone && m_next == nullptr)
            NextList();
        if (m_walk == Walk::kDone || looked == records)
            break;
        ListNext(rows);
    }
    return m_walk == Walk::kDone;
}

void CFolderListing::NextList()
{
    // The folders are listed: the files come next.
    if (m_walk == Walk::kFatFolders) {
        m_walk = Walk::kFatEntries;
        m_next = g_FatEntries.head;
    } else if (m_walk == Walk::kNtfsFolders) {
        m_walk = m_extensive ? Walk::kNtfsFiles : Walk::kMftEntries;
        m_next = m_extensive ? static_cast<const void*>(g_NtfsFileRecords.head) : g_MftEntries.head;
    } else {
        m_walk = Walk::kDone;
        if (m_reporting && g_nShowListProgress)
            CurrentScanObserver().OnProgress(100);
    }
}

void CFolderListing::ListNext(std::vector<ResultRow>& rows)
{
    switch (m_walk) {
    case Walk::kFatFolders: {
        const auto* r = static_cast<const FatFolderRecord*>(m_next);
        m_next = r->next;
        if (r->parentCluster == m_key)
            rows.push_back(
                FolderRow(r->name, r->deleted, FormatFatDate(r->writeDate), FormatFatDate(r->accessDate), r->treeItem));
        Step();
        break;
    }
    case Walk::kFatEntries: {
        const auto* r = static_cast<const FatEntryRecord*>(m_next);
        m_next = r->next;
        if (r->parentCluster == m_key && FileNamePassesFilters(r->name))
            rows.push_back(FileRow(r->name, r->deleted, r->size, FormatFatDate(r->writeDate),
                FormatFatDate(r->accessDate), r->ordinal));
        Step();
        break;
    }
    case Walk::kNtfsFolders: {
        const auto* r = static_cast<const NtfsFolderRecord*>(m_next);
        m_next = r->next;
        if (r->parentRecord == m_key) {
            rows.push_back(FolderRow(r->name, r->deleted, FormatFileTime(r->creationTimeLow, r->creationTimeHigh),
                FormatFileTime(r->changeTimeLow, r->changeTimeHigh), r->treeItem));
        }
        Step();
        break;
    }
    case Walk::kMftEntries: {
        const auto* r = static_cast<const MftEntryRecord*>(m_next);
        m_next = r->next;
        if (r->parentRecord == m_key && FileNamePassesFilters(r->name)) {
            // The size in 64 bits, not its low half: a file over 4 GiB would be shown as a small one.
            rows.push_back(FileRow(r->name, r->deleted, Join64(r->sizeLow, r->sizeHigh),
                FormatFileTime(r->creationTimeLow, r->creationTimeHigh),
                FormatFileTime(r->changeTimeLow, r->changeTimeHigh), r->dataRecordSector));
        }
        Step();
        break;
    }
    case Walk::kNtfsFiles: {
        const auto* r = static_cast<const NtfsFileRecord*>(m_next);
        m_next = r->next;
        const uint32_t first = g_VolumeParams.clusterBase;
        const uint32_t last = g_VolumeParams.volumeEnd;
        if (r->parentRecord == m_key && r->sector > first && r->sector <= last && FileNamePassesFilters(r->name)) {
            rows.push_back(FileRow(r->name, r->deleted, Join64(r->sizeLow, r->sizeHigh),
                FormatFileTime(r->creationTimeLow, r->creationTimeHigh),
                FormatFileTime(r->changeTimeLow, r->changeTimeHigh), r->sector));
        }
        Step();
        break;
    }
    case Walk::kTracedTypes: {
        const auto* r = static_cast<const TracedFileRecord*>(m_next);
        m_next = r->next;
        bool seen = false;
        for (const std::u16string& type : m_typesSeen)
            seen = seen || SameTypeName(r->typeName, type, kTypeNameLength);
        if (seen)
            break;
        ResultRow row;
        row.kind = ResultRowKind::kFolder;
        row.name = Name(r->typeName);
        row.type = u"-";
        row.size = u"-";
        m_typesSeen.push_back(row.name);
        rows.push_back(std::move(row));
        break;
    }
    case Walk::kTracedFiles: {
        const auto* r = static_cast<const TracedFileRecord*>(m_next);
        m_next = r->next;
        const bool inFolder = m_level == 0 ? Name(r->extension) == m_nodeText : SameTypeName(r->typeName, m_nodeText);
        if (inFolder && FileNamePassesFilters(r->name)) {
            ResultRow row;
            row.kind = ResultRowKind::kFile;
            row.name = Name(r->name);
            row.type = FileTypeName(row.name);
            row.size = DecimalText(r->hitNumber);
            rows.push_back(std::move(row));
        }
        Step();
        break;
    }
    case Walk::kDone:
        m_next = nullptr;
        break;
    }
}

namespace {

std::vector<ResultRow> ListAll(CFolderListing& listing)
{
    std::vector<ResultRow> rows;
    listing.Continue(SIZE_MAX, rows);
    return rows;
}

}  // namespace

std::vector<ResultRow> ListFatFolder(uint32_t cluster)
{
    CFolderListing listing;
    listing.BeginFat(cluster);
    return ListAll(listing);
}

std::vector<ResultRow> ListNtfsFolder(uint32_t number)
{
    CFolderListing listing;
    listing.BeginNtfs(number);
    return ListAll(listing);
}

std::vector<ResultRow> ListNtfsFolderExtensive(uint32_t number)
{
    CFolderListing listing;
    listing.BeginNtfsFolder(number, true);
    return ListAll(listing);
}

std::vector<ResultRow> FillFoundTypeList()
{
    CFolderListing listing;
    listing.BeginTraced(0, u"Root");
    return ListAll(listing);
}

std::vector<ResultRow> ListTracedFiles(int level, const std::u16string& nodeText)
{
    CFolderListing listing;
    listing.BeginTraced(level, nodeText);
    return ListAll(listing);
}
