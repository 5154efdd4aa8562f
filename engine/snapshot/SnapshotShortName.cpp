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

// Whether this computer's reading of the entry's name, or one OEM code page's, is `listed`.
bool ReadsAs(const std::string& entry, std::u16string_view listed)
{
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(entry.data());
    if (morvick::FatShortName(bytes) == listed)
        return true;
    size_t count = 0;
    const uint32_t* pages = OemCodePages(count);
    std::u16string name;
    for (size_t i = 0; i < count; ++i) {
        if (morvick::FatShortNameIn(bytes, pages[i], name) && name == listed)
            return true;
    }
    return false;
}

}  // namespace

bool SameShortName(std::u16string_view listed, std::u16string_view found, bool firstLost)
{
    std::string bytes;
    if (!OemBytesOf(found, bytes))
        return false;
    if (!firstLost && found == listed &&
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; }))
        return true;  // ASCII alone, which code page 437 reads as itself
    for (std::string entry : EntryNames(bytes)) {
        if (!firstLost) {
            if (ReadsAs(entry, listed))
                return true;
            continue;
        }
        if (listed.empty())
            return false;
        // The first byte was a character below 0x80, which reads as itself, or one above.
        const unsigned first = listed[0] < 0x80 ? listed[0] : 0x80, last = listed[0] < 0x80 ? listed[0] : 0xFF;
        for (unsigned byte = first; byte <= last; ++byte) {
            entry[0] = static_cast<char>(byte == morvick::kFatDeletedMark ? morvick::kFatStoredE5 : byte);
            if (ReadsAs(entry, listed))
                return true;
        }
    }
    return false;
}
