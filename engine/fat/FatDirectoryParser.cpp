#include "engine/fat/FatDirectoryParser.h"

#include "engine/fat/FatDirectoryEntry.h"
#include "engine/fat/FatShortNameBasis.h"

#include <cstring>

namespace morvick {

FatDirectoryParser::FatDirectoryParser(bool fat32, uint32_t parentCluster, bool parentDeleted, EntrySink sink)
    : m_fat32(fat32), m_parentCluster(parentCluster), m_parentDeleted(parentDeleted), m_sink(std::move(sink))
{
}

bool FatDirectoryParser::Feed(const uint8_t* data, size_t size)
{
    for (size_t off = 0; !m_ended && off + kFatDirectoryEntrySize <= size; off += kFatDirectoryEntrySize) {
        if (m_stopped && m_stopped())
            break;
        const uint8_t* entry = data + off;
        if (entry[0] == 0) {
            m_ended = true;
            break;
        }
        if (entry[11] == kFatAttrLongName) {
            if (m_partCount < kMaxParts)
                std::memcpy(m_parts[m_partCount++], entry, kFatDirectoryEntrySize);
            else
                m_partsOverflowed = true;
            continue;
        }
        HandleShortEntry(entry);
        m_partCount = 0;
        m_partsOverflowed = false;
    }
    return !m_ended;
}

namespace {

// The first byte that the deleted short entry had, as its long-name parts' checksum tells it: the
// checksum takes each of the 256 values for exactly one first byte.
uint8_t FirstByteOfChecksum(const uint8_t* shortEntry, uint8_t checksum)
{
    uint8_t copy[11];
    std::memcpy(copy, shortEntry, sizeof copy);
    for (int first = 0; first < 256; ++first) {
        copy[0] = static_cast<uint8_t>(first);
        if (FatShortNameChecksum(copy) == checksum)
            return copy[0];
    }
    return 0;
}

// A character that may begin a short name (0x05 stands for a first character 0xE5). Short names
// are kept in capitals.
bool CanBeginShortName(uint8_t c)
{
    if (c == kFatStoredE5 || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || (c >= 0x80 && c != kFatDeletedMark))
        return true;
    static const char kOthers[] = "!#$%&'()-@^_`{}~";
    return std::memchr(kOthers, c, sizeof kOthers - 1) != nullptr;
}

// Whether the short name's first character `first` fits the long name: a short name made from a
// long one begins with its first character other than "." and " ", in capitals, when that is an
// ASCII letter or digit (other characters may be changed, to "_" or the code page's).
bool FitsLongName(uint8_t first, const std::u16string& longName)
{
    if (!CanBeginShortName(first))
        return false;
    for (char16_t c : longName) {
        if (c == u'.' || c == u' ')
            continue;
        if (c >= u'a' && c <= u'z')
            return first == c - u'a' + 'A';
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            return first == c;
        return true;
    }
    return true;
}

}  // namespace

// Joins the long-name parts that stand right before `shortEntry`. A live entry needs its parts
// numbered 1, 2, ... up to the one marked last (0x40), each with the entry's checksum. The parts of
// a deleted entry have lost their numbers (0xE5): they must share one checksum, and the first
// character that the checksum gives back to the short name must fit the name they spell (parts left
// over from another entry rarely do). Any other case keeps the short name. The parts are checked so,
// not taken for their attribute alone, because parts left by a deleted entry would otherwise rename
// the next one; and they are kept across sector ends, where a name would otherwise lose its start.
bool FatDirectoryParser::JoinLongName(const uint8_t* shortEntry, std::u16string& name) const
{
    if (m_partCount == 0 || m_partsOverflowed)
        return false;
    const bool deleted = shortEntry[0] == kFatDeletedMark;
    const uint8_t checksum = m_parts[m_partCount - 1][13];
    if (!deleted && FatShortNameChecksum(shortEntry) != checksum)
        return false;

    std::u16string joined;
    bool complete = false;
    bool terminated = false;
    size_t used = 0;
    // Nearest part first: that is part 1 of the name.
    for (size_t k = 1; k <= m_partCount && !complete; ++k) {
        const uint8_t* part = m_parts[m_partCount - k];
        if (part[13] != checksum)
            return false;
        if (deleted) {
            if (part[0] != kFatDeletedMark)
                return false;
        } else {
            if ((part[0] & 0x1F) != k || (part[0] & 0x80) != 0)
                return false;
            complete = (part[0] & 0x40) != 0;
        }
        used = k;
        char16_t chars[kFatLongNameCharsPerEntry];
        FatLongNameChars(part, chars);
        for (char16_t c : chars) {
            if (terminated)
                break;
            if (c == 0) {
                terminated = true;
                break;
            }
            if (joined.size() >= kFatMaxNameLength)
                return false;
            joined.push_back(c);
        }
        if (terminated && deleted)
            complete = true;
    }
    if (!deleted && !complete)
        return false;
    if (deleted && used != m_partCount && !complete)
        return false;
    if (joined.empty())
        return false;
    if (deleted && !FitsLongName(FirstByteOfChecksum(shortEntry, checksum), joined))
        return false;
    name = joined;
    return true;
}

void FatDirectoryParser::HandleShortEntry(const uint8_t* entry)
{
    const FatShortEntry e = DecodeFatShortEntry(entry, m_fat32);
    // Without a first cluster only an empty file is an entry to list; a folder (".." of a folder
    // in the root), the volume label or a file that claims bytes without clusters is not. Empty
    // files are listed all the same: leaving them out lost them from the results and the save.
    if (e.firstCluster == 0 && ((e.attributes & ~kFatAttrPlainFileBits) != 0 || e.size != 0))
        return;
    // "." and ".." (also once deleted): the folder itself and its parent are listed elsewhere.
    if (entry[0] == '.' && (entry[1] == ' ' || (entry[1] == '.' && entry[2] == ' ')))
        return;
    if (entry[0] == kFatDeletedMark && entry[1] == '.' && entry[2] == ' ')
        return;
    // A folder that names this folder's own cluster would be its own subfolder, a loop in the tree.
    if ((e.attributes & kFatAttrDirectory) != 0 && e.firstCluster == m_parentCluster)
        return;
    FatFoundEntry found;
    found.deleted = m_parentDeleted || entry[0] == kFatDeletedMark;
    const std::u16string shortName = FatShortName(entry);
    std::u16string longName;
    const bool joined = JoinLongName(entry, longName);
    // A name that a folder cannot hold keeps its file, not left out with it: under the short name
    // where that is sound, else as it is (saving makes it safe) where the entry's other fields may be
    // real. A name of blanks only is empty here and listed too, with its clusters.
    const bool longValid = joined && IsValidFatFileName(longName);
    if (longValid || IsValidFatFileName(shortName))
        found.shortName = !longValid;
    else if (HasPossibleShortEntryFields(entry))
        found.shortName = !joined;
    else
        return;
    found.name = found.shortName ? shortName : longName;
    found.firstCluster = e.firstCluster;
    found.parentCluster = m_parentCluster;
    found.writeDate = e.writeDate;
    found.writeTime = e.writeTime;
    found.created = e.created;
    found.accessDate = e.accessDate;
    found.size = e.size;
    // A folder stays a folder whatever its size field (unused for folders, often left nonzero):
    // taken as a file, its directory bytes would be saved and everything inside it lost.
    found.folder = (e.attributes & kFatAttrDirectory) != 0;
    m_sink(found);
}

bool FatDirectoryParser::PendingNameChecksum(uint8_t& checksum) const
{
    if (m_ended || m_partCount == 0 || m_partsOverflowed)
        return false;
    checksum = m_parts[0][13];
    return true;
}

FatDirectoryParser::NameJoin FatDirectoryParser::HowNameGoesOnInto(const uint8_t* data, size_t size) const
{
    uint8_t checksum = 0;
    if (!PendingNameChecksum(checksum))
        return NameJoin::kNone;
    size_t parts = 0;
    while ((parts + 1) * kFatDirectoryEntrySize <= size &&
           data[parts * kFatDirectoryEntrySize + 11] == kFatAttrLongName)
        ++parts;
    if ((parts + 1) * kFatDirectoryEntrySize > size)
        return NameJoin::kNone;
    const uint8_t* shortEntry = data + parts * kFatDirectoryEntrySize;
    const NameJoin joined = shortEntry[0] == kFatDeletedMark ? NameJoin::kByChecksum : NameJoin::kByNumbers;
    // The join is tried on a copy: the name it gives is longer than the parts of `data` could spell
    // alone only when the waiting parts took part in it.
    FatDirectoryParser trial(*this);
    std::u16string name;
    bool listed = false;
    trial.m_sink = [&](const FatFoundEntry& e) {
        name = e.name;
        listed = true;
    };
    trial.m_stopped = nullptr;
    trial.Feed(data, (parts + 1) * kFatDirectoryEntrySize);
    if (!listed || name.size() <= parts * kFatLongNameCharsPerEntry)
        return NameJoin::kNone;
    if (parts != 0)
        return joined;
    // The short entry alone begins `data`: only the checksum ties it to the waiting parts. A live
    // entry's own checksum must be theirs; a deleted one's first byte is the one the checksum gives
    // back, and the short name it then spells must be one a writer makes from the long name.
    std::u16string longName;
    if (!JoinLongName(shortEntry, longName) || longName != name)
        return NameJoin::kNone;
    if (joined == NameJoin::kByNumbers)
        return joined;
    uint8_t name11[11];
    std::memcpy(name11, shortEntry, sizeof name11);
    name11[0] = FirstByteOfChecksum(shortEntry, m_parts[m_partCount - 1][13]);
    return ShortNameMayComeFrom(name11, longName) ? joined : NameJoin::kNone;
}

}  // namespace morvick
