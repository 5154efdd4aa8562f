#include "engine/snapshot/SnapshotShortName.h"

#include "engine/fat/FatDirectoryEntry.h"
#include "engine/util/OemText.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr size_t kBaseBytes = 8;
constexpr size_t kExtensionBytes = 3;
constexpr size_t kNameBytes = kBaseBytes + kExtensionBytes;

// The 11 name bytes of the entries whose short name FatShortName makes `name` of (the bytes kept):
// the dot that parts name and extension is the last one, or, for a damaged name with a dot of its own,
// an earlier one.
std::vector<std::string> EntryNames(const std::string& name)
{
    std::vector<std::string> entries;
    const auto add = [&](size_t baseLength, size_t extensionStart) {
        const size_t extensionLength = name.size() - extensionStart;
        if (baseLength > kBaseBytes || extensionLength > kExtensionBytes)
            return;
        std::string entry(kNameBytes, ' ');
        entry.replace(0, baseLength, name, 0, baseLength);
        entry.replace(kBaseBytes, extensionLength, name, extensionStart, extensionLength);
        // FatShortName reads a first byte 0x05 as 0xE5: the entry holds 0x05.
        if (static_cast<uint8_t>(entry[0]) == morvick::kFatDeletedMark)
            entry[0] = static_cast<char>(morvick::kFatStoredE5);
        entries.push_back(entry);
    };
    add(name.size(), name.size());
    for (size_t dot = name.find('.'); dot != std::string::npos; dot = name.find('.', dot + 1)) {
        if (dot + 1 < name.size())
            add(dot, dot + 1);
    }
    return entries;
}

// Whether the entry's name read strictly through `codePage` alone is `listed`: a byte sequence that is
// no character of it (a lead byte with nothing valid after it) reads as nothing.
bool ReadsAs(uint32_t codePage, const std::string& entry, std::u16string_view listed)
{
    std::u16string name;
    return morvick::FatShortNameIn(reinterpret_cast<const uint8_t*>(entry.data()), codePage, name) &&
        name == listed;
}

// Whether some first byte above 0x7F (the deleted mark took it) makes the entry read as `listed` in
// `codePage`. The character it began was one byte or the first of two: only where the rest after one
// or two bytes reads as the rest of `listed` are the first bytes tried.
bool SomeFirstByteReadsAs(uint32_t codePage, std::string entry, std::u16string_view listed)
{
    std::u16string name;
    for (size_t width : {1, 2}) {
        std::string rest = entry;
        rest.replace(0, width, width, 'A');
        if (width == 2 && entry[1] == ' ')
            continue;  // no second byte of a character there
        if (!morvick::FatShortNameIn(reinterpret_cast<const uint8_t*>(rest.data()), codePage, name) ||
            name.size() < width ||
            std::u16string_view(name).substr(width) != listed.substr(1))
            continue;
        for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
            entry[0] = static_cast<char>(byte == morvick::kFatDeletedMark ? morvick::kFatStoredE5 : byte);
            if (ReadsAs(codePage, entry, listed))
                return true;
        }
    }
    return false;
}

}  // namespace

bool HoldsStandIn(std::u16string_view name)
{
    return name.find(u'\xFFFD') != std::u16string_view::npos || name.find(u'?') != std::u16string_view::npos;
}

bool SameShortName(std::u16string_view listed, std::u16string_view found, bool firstLost, uint32_t codePage)
{
    std::string bytes;
    if (!OemBytesOf(found, bytes) || (firstLost && listed.empty()) || HoldsStandIn(listed))
        return false;
    if (!firstLost && found == listed &&
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; }))
        return true;  // ASCII alone, which code page 437 reads as itself
    for (std::string entry : EntryNames(bytes)) {
        // A first character below 0x80 was its own byte, which every code page reads as itself.
        if (firstLost && listed[0] < 0x80)
            entry[0] = static_cast<char>(listed[0]);
        if (firstLost && listed[0] >= 0x80 ? SomeFirstByteReadsAs(codePage, entry, listed)
                                           : ReadsAs(codePage, entry, listed))
            return true;
    }
    return false;
}
