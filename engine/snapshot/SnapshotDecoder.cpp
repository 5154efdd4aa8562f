#include "engine/snapshot/SnapshotDecoder.h"

#include "engine/ScanObserver.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/state/EngineState.h"
#include "engine/volume/ClusterSize.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

namespace {

// The most bytes one field takes: a text of a 16-bit length.
constexpr size_t kLongestField = 0xFFFF;
// Bytes read from the input at a time.
constexpr size_t kReadWindow = 256 * 1024;
static_assert(kReadWindow >= kLongestField, "a field must fit the window");

// Bounds-checked little-endian reads of the input, in order, through a window; a read past the end
// (or one the input fails) sets the failure and returns 0. What Take returns stays valid until the
// next read.
class ByteReader {
public:
    explicit ByteReader(SnapshotInput& input) : m_input(input), m_size(input.Size()) {}

    bool Ok() const { return m_ok; }
    bool InputFailed() const { return m_inputFailed; }
    uint64_t Remaining() const { return m_size - (m_windowStart + m_pos); }
    bool Has(size_t n) const { return m_ok && n <= Remaining(); }

    const uint8_t* Take(size_t n)
    {
        if (!Has(n) || n > kReadWindow) {
            m_ok = false;
            return nullptr;
        }
        if (n > m_window.size() - m_pos && !Refill()) {
            m_ok = false;
            m_inputFailed = true;
            return nullptr;
        }
        const uint8_t* p = m_window.data() + m_pos;
        m_pos += n;
        return p;
    }
    uint8_t U8()
    {
        const uint8_t* p = Take(1);
        return p ? p[0] : 0;
    }
    uint16_t U16()
    {
        const uint8_t* p = Take(2);
        return p ? static_cast<uint16_t>(p[0] | (p[1] << 8)) : 0;
    }
    uint32_t U32()
    {
        const uint8_t* p = Take(4);
        return p ? static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24)
                 : 0;
    }
    void Fail() { m_ok = false; }

private:
    // Keeps the bytes not yet taken and reads after them as much as the window holds.
    bool Refill()
    {
        m_window.erase(m_window.begin(), m_window.begin() + static_cast<std::ptrdiff_t>(m_pos));
        m_windowStart += m_pos;
        m_pos = 0;
        const uint64_t next = m_windowStart + m_window.size();
        const uint64_t left = m_size - next;
        const size_t room = kReadWindow - m_window.size();
        const size_t count = left < room ? static_cast<size_t>(left) : room;
        const size_t kept = m_window.size();
        try {
            m_window.resize(kept + count);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return count == 0 || m_input.Read(m_window.data() + kept, next, count);
    }

    SnapshotInput& m_input;
    const uint64_t m_size;
    std::vector<uint8_t> m_window;   // the input's bytes from m_windowStart on
    uint64_t m_windowStart = 0;
    size_t m_pos = 0;                // the next byte of the window
    bool m_ok = true;
    bool m_inputFailed = false;
};

class MemoryInput : public SnapshotInput {
public:
    MemoryInput(const uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0) {}
    uint64_t Size() const override { return m_size; }
    bool Read(uint8_t* buffer, uint64_t offset, size_t count) override
    {
        if (offset > m_size || count > m_size - offset)
            return false;
        std::memcpy(buffer, m_data + offset, count);
        return true;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// A name field: L minus the fixed part bytes of UTF-16 text, ended by its first terminator (or by
// the field's end). Returns null (and fails the reader) when L is below the fixed part or the
// bytes are not there; allocation failure also gives null.
char16_t* ReadName(ByteReader& r, uint16_t length, uint16_t fixedBytes)
{
    if (length < fixedBytes) {
        r.Fail();
        return nullptr;
    }
    size_t bytes = length - fixedBytes;
    const uint8_t* p = r.Take(bytes);
    if (!p)
        return nullptr;
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        char16_t c = static_cast<char16_t>(p[i] | (p[i + 1] << 8));
        if (c == 0)
            break;
        text += c;
    }
    char16_t* copy = CopyRecordName(text);
    if (!copy)
        r.Fail();
    return copy;
}

// A count of records that each take at least minimumBytes: refused when the file cannot hold them.
bool ReadCount(ByteReader& r, size_t minimumBytes, uint32_t& count)
{
    count = r.U32();
    if (!r.Ok())
        return false;
    if (count > r.Remaining() / minimumBytes) {
        r.Fail();
        return false;
    }
    return true;
}

template <class T>
T* NewOrFail(ByteReader& r)
{
    T* record = NewRecord<T>();
    if (!record)
        r.Fail();
    return record;
}

// A record of a name section: the name (L minus the fixed part), then a fresh record that owns it.
// Null (and the reader failed) when either cannot be had; the name is then freed.
template <class T>
T* ReadNamedRecord(ByteReader& r, uint16_t length, uint16_t fixedBytes)
{
    char16_t* name = ReadName(r, length, fixedBytes);
    if (!name)
        return nullptr;
    T* record = NewOrFail<T>(r);
    if (!record) {
        std::free(name);
        return nullptr;
    }
    record->name = name;
    return record;
}

// The two FILETIMEs of an NTFS record, each as low and high halves.
template <class T>
void ReadRecordTimes(ByteReader& r, T& rec)
{
    rec.creationTimeLow = r.U32();
    rec.creationTimeHigh = r.U32();
    rec.changeTimeLow = r.U32();
    rec.changeTimeHigh = r.U32();
}

// The fields of an NTFS file record after its name, shared by both kinds of file record; the record
// number is left to the caller (the two kinds keep it in different fields).
template <class T>
uint32_t ReadNtfsFileFields(ByteReader& r, T& rec)
{
    uint32_t number = r.U32();
    rec.parentRecord = r.U32();
    ReadRecordTimes(r, rec);
    rec.deleted = r.U8();
    rec.sizeLow = r.U32();
    rec.sizeHigh = r.U32();
    return number;
}

void ReadHeaderBlock(ByteReader& r, VolumeParameterBlock& b)
{
    b.chosenFileSystemType = FileSystemFromCode(r.U16());
    b.partitionStart = r.U32();
    b.partitionSectors = r.U32();
    b.partitionEnd = r.U32();
    b.partitionIndex = r.U16();
    b.browsedFileSystemType = FileSystemFromCode(r.U16());
    b.sectorsPerFat = r.U32();
    b.sectorsPerCluster = r.U32();
    b.rootDirectorySectors = r.U32();
    b.reservedSectors = r.U32();
    b.clusterBase = r.U32();
    b.firstFat = r.U32();
    b.secondFat = r.U32();
    b.mftStart = r.U32();
    b.mftMirrorStart = r.U32();
    b.sectorsPerMftRecord = r.U32();
    b.sectorsPerIndexRecord = r.U32();
    b.volumeEnd = r.U32();
    b.volumeNumber = r.U16();
}

// A section of name records: its count, then each record's name and the fields that readFields takes.
template <class T, class ReadFields>
bool ReadNamedSection(ByteReader& r, RecordList<T>& list, uint16_t fixedBytes, ReadFields readFields)
{
    uint32_t count;
    if (!ReadCount(r, 2u + fixedBytes, count))
        return false;
    StepProgress progress(count);
    for (uint32_t i = 0; i < count && r.Ok(); ++i) {
        T* rec = ReadNamedRecord<T>(r, r.U16(), fixedBytes);
        if (!rec)
            return false;
        readFields(*rec);
        AppendRecord(list, rec);
        progress.Step();
    }
    return r.Ok();
}

bool ReadFatBody(ByteReader& r, LoadedSnapshot& out)
{
    return ReadNamedSection(r, out.fatFolders, kFatFolderFixedBytes,
               [&r](FatFolderRecord& rec) {
                   rec.firstCluster = r.U32();
                   rec.parentCluster = r.U32();
                   rec.writeDate = r.U16();
                   rec.accessDate = r.U16();
                   rec.deleted = r.U8();
                   r.U16();
               }) &&
        ReadNamedSection(r, out.fatEntries, kFatFileFixedBytes, [&r](FatEntryRecord& rec) {
            rec.firstCluster = r.U32();
            rec.parentCluster = r.U32();
            rec.writeDate = r.U16();
            rec.accessDate = r.U16();
            rec.size = r.U32();
            rec.deleted = r.U8();
            rec.ordinal = r.U32();
        });
}

bool ReadNtfsBody(ByteReader& r, LoadedSnapshot& out)
{
    bool folders = ReadNamedSection(r, out.ntfsFolders, kNtfsFolderFixedBytes, [&r](NtfsFolderRecord& rec) {
        rec.recordNumber = r.U32();
        rec.parentRecord = r.U32();
        ReadRecordTimes(r, rec);
        rec.deleted = r.U8();
        r.U16();
    });
    if (!folders)
        return false;
    uint32_t count;
    if (!ReadCount(r, 2u + kNtfsFileFixedBytes, count))
        return false;
    StepProgress progress(count);
    for (uint32_t i = 0; i < count && r.Ok(); ++i) {
        uint16_t length = r.U16();
        if (length < kNtfsFileFixedBytes) {
            r.Fail();
            return false;
        }
        uint32_t sector = r.U32();
        // The sector came first and counts in the fixed part.
        const uint16_t nameLength = static_cast<uint16_t>(length - 4);
        const uint16_t nameFixed = kNtfsFileFixedBytes - 4;
        if (out.kind == kSnapshotKindExtensive) {
            // An Extensive Scan's files are FILE records found by the sector search, and go back to
            // that list, not to the MFT entries, where the listing and the save would never see them.
            NtfsFileRecord* rec = ReadNamedRecord<NtfsFileRecord>(r, nameLength, nameFixed);
            if (!rec)
                return false;
            rec->sector = sector;
            rec->analysisValue = ReadNtfsFileFields(r, *rec);
            AppendRecord(out.ntfsFiles, rec);
        } else {
            MftEntryRecord* rec = ReadNamedRecord<MftEntryRecord>(r, nameLength, nameFixed);
            if (!rec)
                return false;
            rec->dataRecordSector = sector;
            rec->recordNumber = ReadNtfsFileFields(r, *rec);
            AppendRecord(out.mftEntries, rec);
        }
        progress.Step();
    }
    return r.Ok();
}

// The 8-bit signature: L - 15 bytes holding the hex text, its terminator and filler.
char* ReadSignature(ByteReader& r, uint16_t length)
{
    if (length < kTraceTextFixedBytes) {
        r.Fail();
        return nullptr;
    }
    size_t bytes = length - kTraceTextFixedBytes;
    const uint8_t* p = r.Take(bytes);
    if (!p)
        return nullptr;
    size_t n = 0;
    while (n < bytes && p[n] != 0)
        ++n;
    char* copy = CopyRecordText(reinterpret_cast<const char*>(p), n);
    if (!copy)
        r.Fail();
    return copy;
}

bool ReadFileTraceBody(ByteReader& r, LoadedSnapshot& out)
{
    uint32_t count;
    // Three texts (each at least its L word) and two values.
    if (!ReadCount(r, 3u * 2u + 8u, count))
        return false;
    StepProgress hitProgress(count);
    for (uint32_t i = 0; i < count && r.Ok(); ++i) {
        TraceHitRecord* rec = NewOrFail<TraceHitRecord>(r);
        if (!rec)
            return false;
        rec->extension = ReadName(r, r.U16(), kTraceTextFixedBytes);
        if (r.Ok())
            rec->description = ReadName(r, r.U16(), kTraceTextFixedBytes);
        if (r.Ok())
            rec->signature = ReadSignature(r, r.U16());
        // The text and the length of compared bytes are kept as they were written, each on its own:
        // a type whose two do not agree is one that the search and the load's check never match.
        rec->signatureLength = r.U32();
        rec->secondValue = r.U32();
        if (!r.Ok()) {
            FreeRecord(rec);
            return false;
        }
        AppendRecord(out.traceHits, rec);
        hitProgress.Step();
    }
    if (!ReadCount(r, 3u * 2u + 8u, count))
        return false;
    StepProgress fileProgress(count);
    for (uint32_t i = 0; i < count && r.Ok(); ++i) {
        TracedFileRecord* rec = NewOrFail<TracedFileRecord>(r);
        if (!rec)
            return false;
        rec->extension = ReadName(r, r.U16(), kTracedFileTextFixedBytes);
        if (r.Ok())
            rec->name = ReadName(r, r.U16(), kTracedFileTextFixedBytes);
        if (r.Ok())
            rec->typeName = ReadName(r, r.U16(), kTracedFileTextFixedBytes);
        rec->hitNumber = r.U32();
        rec->sector = r.U32();
        if (!r.Ok()) {
            FreeRecord(rec);
            return false;
        }
        AppendRecord(out.tracedFiles, rec);
        fileProgress.Step();
    }
    return r.Ok();
}

SnapshotStatus Decode(ByteReader& r, LoadedSnapshot& out)
{
    char16_t kind = r.U16();
    if (!r.Ok() || (kind != kSnapshotKindQuick && kind != kSnapshotKindExtensive && kind != kSnapshotKindFileTrace))
        return SnapshotStatus::kInvalidKind;
    out.kind = kind;
    out.scanMode = kind == kSnapshotKindQuick ? kScanQuick
        : kind == kSnapshotKindExtensive      ? kScanExtensive
                                              : kScanFileTrace;

    const uint8_t* magic = r.Take(sizeof kSnapshotMagic);
    if (!magic || std::memcmp(magic, kSnapshotMagic, sizeof kSnapshotMagic) != 0)
        return SnapshotStatus::kWrongMagic;
    const uint8_t* version = r.Take(sizeof kSnapshotVersion);
    if (!version || std::memcmp(version, kSnapshotVersion, sizeof kSnapshotVersion) != 0)
        return SnapshotStatus::kWrongVersion;
    ReadHeaderBlock(r, out.block);
    if (!r.Ok())
        return SnapshotStatus::kDamaged;
    if (kind != kSnapshotKindExtensive) {
        // Only an Extensive Scan browses a found volume: earlier writers left the end of one found
        // before in a Quick Scan's or File Trace's block, which then bounded this volume by another's.
        out.block.volumeEnd = 0;
        out.block.volumeNumber = 0;
    }

    bool ok = true;
    const FileSystemKind browsed = out.block.browsedFileSystemType;
    if (kind == kSnapshotKindFileTrace) {
        ok = ReadFileTraceBody(r, out);
    } else if (browsed == FileSystemKind::kFat16 || browsed == FileSystemKind::kFat32 ||
        browsed == FileSystemKind::kNtfs) {
        // Listing and saving divide by the cluster size.
        if (!IsClusterSizeInSectors(out.block.sectorsPerCluster))
            return SnapshotStatus::kDamaged;
        ok = browsed == FileSystemKind::kNtfs ? ReadNtfsBody(r, out) : ReadFatBody(r, out);
    }
    if (!ok)
        return SnapshotStatus::kDamaged;

    out.deviceIndex = r.U16();
    out.sourceType = r.U16();
    if (!r.Ok() || r.Remaining() != 0)
        return SnapshotStatus::kDamaged;
    if (out.deviceIndex >= kMaxDevices || out.sourceType < kSourceDisk || out.sourceType > kSourceBranchHeader)
        return SnapshotStatus::kDamaged;
    return SnapshotStatus::kOk;
}

}  // namespace

SnapshotStatus DecodeSnapshot(SnapshotInput& input, LoadedSnapshot& out)
{
    ByteReader r(input);
    const SnapshotStatus status = Decode(r, out);
    // A read the input failed is no sign of a damaged file.
    return r.InputFailed() ? SnapshotStatus::kUnreadable : status;
}

SnapshotStatus DecodeSnapshot(const uint8_t* data, size_t size, LoadedSnapshot& out)
{
    MemoryInput input(data, size);
    return DecodeSnapshot(input, out);
}
