#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <cstring>

void SetSnapshotTestBlock(FileSystemKind browsed)
{
    VolumeParameterBlock& b = g_VolumeParams;
    b.chosenFileSystemType = browsed;
    b.partitionStart = 0x800;
    b.partitionSectors = 0x10000;
    b.partitionEnd = 0x107FF;
    b.partitionIndex = 1;
    b.browsedFileSystemType = browsed;
    b.sectorsPerFat = 0x40;
    b.sectorsPerCluster = 4;
    b.rootDirectorySectors = 0x20;
    b.rootLocation = 0xDEAD;
    b.reservedSectors = 4;
    b.clusterBase = 0x880;
    b.firstFat = 0x804;
    b.secondFat = 0x844;
    b.mftStart = 0x1000;
    b.mftMirrorStart = 0x2000;
    b.sectorsPerMftRecord = 2;
    b.sectorsPerIndexRecord = 8;
    b.volumeEnd = 0x107FF;
    b.volumeNumber = 3;
    g_wDeviceIndex = 2;
    g_wSourceType = kSourceDisk;
}

FatFolderRecord* AddFatFolder(const std::u16string& name, uint32_t cluster, uint32_t parent, uint32_t deleted)
{
    FatFolderRecord* r = NewRecord<FatFolderRecord>();
    r->name = CopyRecordName(name);
    r->firstCluster = cluster;
    r->parentCluster = parent;
    r->writeDate = kTestFileWriteDate;
    r->accessDate = kTestFileAccessDate;
    r->deleted = deleted;
    AppendRecord(g_FatFolders, r);
    return r;
}

FatEntryRecord* AddFatFile(const std::u16string& name, uint32_t cluster, uint32_t parent, uint32_t size,
    uint32_t deleted)
{
    FatEntryRecord* r = NewRecord<FatEntryRecord>();
    r->name = CopyRecordName(name);
    r->firstCluster = cluster;
    r->parentCluster = parent;
    r->writeDate = kTestFileWriteDate;
    r->accessDate = kTestFileAccessDate;
    r->size = size;
    r->deleted = deleted;
    r->ordinal = g_nFatFileCount++;
    AppendRecord(g_FatEntries, r);
    return r;
}

NtfsFolderRecord* AddNtfsFolder(const std::u16string& name, uint32_t number, uint32_t parent, uint32_t deleted)
{
    NtfsFolderRecord* r = NewRecord<NtfsFolderRecord>();
    r->name = CopyRecordName(name);
    r->recordNumber = number;
    r->parentRecord = parent;
    r->creationTimeLow = 0x11111111;
    r->creationTimeHigh = 0x01C40000;
    r->changeTimeLow = 0x22222222;
    r->changeTimeHigh = 0x01C50000;
    r->deleted = deleted;
    AppendRecord(g_NtfsFolders, r);
    return r;
}

MftEntryRecord* AddMftEntry(const std::u16string& name, uint32_t number, uint32_t parent, uint64_t size,
    uint32_t sector, uint32_t deleted)
{
    MftEntryRecord* r = NewRecord<MftEntryRecord>();
    r->name = CopyRecordName(name);
    r->recordNumber = number;
    r->parentRecord = parent;
    r->creationTimeLow = static_cast<uint32_t>(kTestFileCreationTime);
    r->creationTimeHigh = static_cast<uint32_t>(kTestFileCreationTime >> 32);
    r->changeTimeLow = static_cast<uint32_t>(kTestFileChangeTime);
    r->changeTimeHigh = static_cast<uint32_t>(kTestFileChangeTime >> 32);
    r->sizeLow = static_cast<uint32_t>(size);
    r->sizeHigh = static_cast<uint32_t>(size >> 32);
    r->deleted = deleted;
    r->dataRecordSector = sector;
    AppendRecord(g_MftEntries, r);
    return r;
}

NtfsFileRecord* AddNtfsFileRecord(const std::u16string& name, uint32_t sector, uint32_t parent, uint64_t size)
{
    NtfsFileRecord* r = NewRecord<NtfsFileRecord>();
    r->name = CopyRecordName(name);
    r->sector = sector;
    r->parentRecord = parent;
    r->analysisValue = sector / 2;
    r->creationTimeLow = static_cast<uint32_t>(kTestFileCreationTime);
    r->creationTimeHigh = static_cast<uint32_t>(kTestFileCreationTime >> 32);
    r->sizeLow = static_cast<uint32_t>(size);
    r->sizeHigh = static_cast<uint32_t>(size >> 32);
    AppendRecord(g_NtfsFileRecords, r);
    return r;
}

TraceHitRecord* AddTraceHit(const std::u16string& ext, const std::u16string& description, const char* signature)
{
    TraceHitRecord* r = NewRecord<TraceHitRecord>();
    r->extension = CopyRecordName(ext);
    r->description = CopyRecordName(description);
    r->signature = CopyRecordText(signature, std::strlen(signature));
    r->signatureLength = static_cast<uint32_t>(std::strlen(signature) / 2);
    r->secondValue = 7;
    AppendRecord(g_TraceHits, r);
    return r;
}

TracedFileRecord* AddTracedFile(const std::u16string& name, const std::u16string& ext, const std::u16string& type,
    uint32_t sector, uint32_t hit)
{
    TracedFileRecord* r = NewRecord<TracedFileRecord>();
    r->name = CopyRecordName(name);
    r->extension = CopyRecordName(ext);
    r->typeName = CopyRecordName(type);
    r->sector = sector;
    r->hitNumber = hit;
    AppendRecord(g_TracedFiles, r);
    return r;
}

void AddOneRecordOfEveryList()
{
    AddFatFolder(u"Folder \u00e9", 3, 0);
    AddFatFile(u"long name with \U0001F600.txt", 4, 3, 12345, 1);
    AddNtfsFolder(u"Lost Dir", kLostDirRecordNumber, 5);
    AddMftEntry(std::u16string(255, u'n'), 100, kLostDirRecordNumber, 1, 0x2000);
    AddNtfsFileRecord(u"x.doc", 0x1000, 5, 77);
    AddTraceHit(u".png", u"PNG image", "89504e47");
    AddTracedFile(u"3.png", u".png", u"PNG image", 0x3000, 3);
}

RecordingObserver::RecordingObserver(bool answer) : m_answer(answer), m_previous(SetScanObserver(this)) {}

RecordingObserver::~RecordingObserver()
{
    SetScanObserver(m_previous);
}

bool RecordingObserver::OnMessage(const std::u16string& text, MessageKind kind)
{
    messages.emplace_back(text, kind);
    return m_answer;
}

bool RecordingObserver::OnQuestion(const std::u16string& text, MessageKind kind)
{
    questions.push_back(text);
    return OnMessage(text, kind);
}
