#include "engine/snapshot/SnapshotEncoder.h"

#include "engine/snapshot/SnapshotFormat.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"

#include <algorithm>
#include <cstring>

namespace {

// Gathers the fields in a buffer of kSnapshotWriteBuffer bytes and hands it to the output whenever it
// fills. After the first write the output refuses, nothing more is written.
class ByteWriter {
public:
    explicit ByteWriter(SnapshotOutput& out) : m_out(out) { m_buffer.reserve(kSnapshotWriteBuffer); }

    bool Flush()
    {
        if (m_ok && !m_buffer.empty())
            m_ok = m_out.Write(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
        return m_ok;
    }

    void U8(uint8_t v)
    {
        if (m_buffer.size() == kSnapshotWriteBuffer)
            Flush();
        m_buffer.push_back(v);
    }
    void U16(uint16_t v)
    {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void Bytes(const uint8_t* p, size_t n)
    {
        for (size_t i = 0; i < n; ++i)
            U8(p[i]);
    }
    void Zeros(size_t n)
    {
        for (size_t i = 0; i < n; ++i)
            U8(0);
    }
    // UTF-16 text of n characters and its terminator.
    void Text16(const char16_t* text, size_t n)
    {
        for (size_t i = 0; i < n; ++i)
            U16(text[i]);
        U16(0);
    }

private:
    SnapshotOutput& m_out;
    std::vector<uint8_t> m_buffer;
    bool m_ok = true;
};

class MemoryOutput : public SnapshotOutput {
public:
    explicit MemoryOutput(std::vector<uint8_t>& bytes) : m_bytes(bytes) {}
    bool Write(const uint8_t* data, size_t count) override
    {
        m_bytes.insert(m_bytes.end(), data, data + count);
        return true;
    }

private:
    std::vector<uint8_t>& m_bytes;
};

// Characters of a record name, cut so that L still fits its 16-bit word.
size_t NameLength(const char16_t* name, uint16_t fixedBytes, uint16_t padding)
{
    if (!name)
        return 0;
    size_t n = 0;
    while (name[n])
        ++n;
    return std::min(n, MaxSnapshotNameLength(fixedBytes, padding));
}

// L, the name field and its padding of a named record.
void WriteName(ByteWriter& w, const char16_t* name, uint16_t fixedBytes, uint16_t padding)
{
    const size_t n = NameLength(name, fixedBytes, padding);
    w.U16(static_cast<uint16_t>(SnapshotRecordLength(n, fixedBytes, padding)));
    w.Text16(name ? name : u"", n);
    w.Zeros(padding);
}

void WriteHeader(ByteWriter& w, char16_t kind)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    w.U16(kind);
    w.Bytes(kSnapshotMagic, sizeof kSnapshotMagic);
    w.Bytes(kSnapshotVersion, sizeof kSnapshotVersion);
    w.U16(FileSystemCode(b.chosenFileSystemType));
    w.U32(b.partitionStart);
    w.U32(b.partitionSectors);
    w.U32(b.partitionEnd);
    w.U16(b.partitionIndex);
    w.U16(FileSystemCode(b.browsedFileSystemType));
    w.U32(b.sectorsPerFat);
    w.U32(b.sectorsPerCluster);
    w.U32(b.rootDirectorySectors);
    w.U32(b.reservedSectors);
    w.U32(b.clusterBase);
    w.U32(b.firstFat);
    w.U32(b.secondFat);
    w.U32(b.mftStart);
    w.U32(b.mftMirrorStart);
    w.U32(b.sectorsPerMftRecord);
    w.U32(b.sectorsPerIndexRecord);
    w.U32(b.volumeEnd);
    w.U16(b.volumeNumber);
}

void WriteFatBody(ByteWriter& w)
{
    w.U32(g_FatFolders.count);
    for (const FatFolderRecord* r = g_FatFolders.head; r; r = r->next) {
        WriteName(w, r->name, kFatFolderFixedBytes, kFatFolderNamePadding);
        w.U32(r->firstCluster);
        w.U32(r->parentCluster);
        w.U16(r->writeDate);
        w.U16(r->accessDate);
        w.U8(static_cast<uint8_t>(r->deleted));
        w.Zeros(2);
    }
    w.U32(g_FatEntries.count);
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next) {
        WriteName(w, r->name, kFatFileFixedBytes, kFatFileNamePadding);
        w.U32(r->firstCluster);
        w.U32(r->parentCluster);
        w.U16(r->writeDate);
        w.U16(r->accessDate);
        w.U32(r->size);
        w.U8(static_cast<uint8_t>(r->deleted));
        w.U32(r->ordinal);
    }
}

void WriteNtfsFile(ByteWriter& w, uint32_t sector, const char16_t* name, uint32_t number, uint32_t parent,
    uint32_t t1Low, uint32_t t1High, uint32_t t2Low, uint32_t t2High, uint32_t deleted, uint32_t sizeLow,
    uint32_t sizeHigh)
{
    // The sector stands between L and the name, and counts in the fixed part.
    const size_t n = NameLength(name, kNtfsFileFixedBytes, kNtfsFileNamePadding);
    w.U16(static_cast<uint16_t>(SnapshotRecordLength(n, kNtfsFileFixedBytes, kNtfsFileNamePadding)));
    w.U32(sector);
    w.Text16(name ? name : u"", n);
    w.Zeros(kNtfsFileNamePadding);
    w.U32(number);
    w.U32(parent);
    w.U32(t1Low);
    w.U32(t1High);
    w.U32(t2Low);
    w.U32(t2High);
    w.U8(static_cast<uint8_t>(deleted));
    w.U32(sizeLow);
    w.U32(sizeHigh);
}

void WriteNtfsBody(ByteWriter& w, char16_t kind)
{
    w.U32(g_NtfsFolders.count);
    for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next) {
        WriteName(w, r->name, kNtfsFolderFixedBytes, kNtfsFolderNamePadding);
        w.U32(r->recordNumber);
        w.U32(r->parentRecord);
        w.U32(r->creationTimeLow);
        w.U32(r->creationTimeHigh);
        w.U32(r->changeTimeLow);
        w.U32(r->changeTimeHigh);
        w.U8(static_cast<uint8_t>(r->deleted));
        w.Zeros(2);
    }
    if (kind == kSnapshotKindExtensive) {
        // Only the records inside the browsed volume: after its first sector, up to its last. They are
        // counted first, for the count stands before them.
        auto inVolume = [](const NtfsFileRecord* r) {
            return r->sector > g_VolumeParams.clusterBase && r->sector <= g_VolumeParams.volumeEnd;
        };
        uint32_t count = 0;
        for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next)
            count += inVolume(r) ? 1 : 0;
        w.U32(count);
        for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next) {
            if (!inVolume(r))
                continue;
            WriteNtfsFile(w, r->sector, r->name, r->analysisValue, r->parentRecord, r->creationTimeLow,
                r->creationTimeHigh, r->changeTimeLow, r->changeTimeHigh, r->deleted, r->sizeLow, r->sizeHigh);
        }
        return;
    }
    w.U32(g_MftEntries.count);
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next) {
        WriteNtfsFile(w, r->dataRecordSector, r->name, r->recordNumber, r->parentRecord, r->creationTimeLow,
            r->creationTimeHigh, r->changeTimeLow, r->changeTimeHigh, r->deleted, r->sizeLow, r->sizeHigh);
    }
}

void WriteFileTraceBody(ByteWriter& w)
{
    w.U32(g_TraceHits.count);
    for (const TraceHitRecord* r = g_TraceHits.head; r; r = r->next) {
        WriteName(w, r->extension, kTraceTextFixedBytes, kTraceTextPadding);
        WriteName(w, r->description, kTraceTextFixedBytes, kTraceTextPadding);
        // The signature: 8-bit text, its terminator and as many filler bytes again.
        const size_t n = std::min(r->signature ? std::strlen(r->signature) : 0,
            MaxSnapshotNameLength(kTraceTextFixedBytes, kTraceTextPadding));
        w.U16(static_cast<uint16_t>(SnapshotRecordLength(n, kTraceTextFixedBytes, kTraceTextPadding)));
        if (n)
            w.Bytes(reinterpret_cast<const uint8_t*>(r->signature), n);
        w.Zeros(1 + n + 1);
        w.U32(r->signatureLength);
        w.U32(r->secondValue);
    }
    w.U32(g_TracedFiles.count);
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next) {
        WriteName(w, r->extension, kTracedFileTextFixedBytes, kTracedFileTextPadding);
        WriteName(w, r->name, kTracedFileTextFixedBytes, kTracedFileTextPadding);
        WriteName(w, r->typeName, kTracedFileTextFixedBytes, kTracedFileTextPadding);
        w.U32(r->hitNumber);
        w.U32(r->sector);
    }
}

}  // namespace

char16_t SnapshotKindOfScanMode(int32_t scanMode)
{
    if (scanMode == kScanFileTrace)
        return kSnapshotKindFileTrace;
    if (scanMode == kScanExtensive)
        return kSnapshotKindExtensive;
    return kSnapshotKindQuick;
}

bool SnapshotHoldsResults()
{
    return SnapshotKindOfScanMode(g_nScanMode) != kSnapshotKindExtensive ||
        FitsSectorField(WholeVolumeEnd(g_VolumeParams));
}

bool WriteSnapshot(SnapshotOutput& out)
{
    ByteWriter w(out);
    char16_t kind = SnapshotKindOfScanMode(g_nScanMode);
    WriteHeader(w, kind);
    const FileSystemKind browsed = g_VolumeParams.browsedFileSystemType;
    if (kind == kSnapshotKindFileTrace)
        WriteFileTraceBody(w);
    else if (browsed == FileSystemKind::kFat16 || browsed == FileSystemKind::kFat32)
        WriteFatBody(w);
    else if (browsed == FileSystemKind::kNtfs)
        WriteNtfsBody(w, kind);
    w.U16(g_wDeviceIndex);
    w.U16(g_wSourceType);
    return w.Flush();
}

std::vector<uint8_t> EncodeSnapshot()
{
    std::vector<uint8_t> bytes;
    MemoryOutput out(bytes);
    WriteSnapshot(out);
    return bytes;
}
