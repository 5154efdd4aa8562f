#include "engine/ntfs/NtfsFolderLoops.h"

#include "engine/state/FoundEntryLists.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

constexpr uint32_t kRootRecord = 5;
constexpr size_t kNone = static_cast<size_t>(-1);

enum class Walk : uint8_t { kNotYet, kOnPath, kDone };

}  // namespace

void BreakNtfsFolderLoops()
{
    std::vector<NtfsFolderRecord*> folders;
    std::unordered_map<uint32_t, size_t> byNumber;
    for (NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next) {
        byNumber.emplace(f->recordNumber, folders.size());
        folders.push_back(f);
    }
    auto parentOf = [&](size_t i) {
        const uint32_t parent = folders[i]->parentRecord;
        if (parent == kRootRecord || parent == kLostDirRecordNumber)
            return kNone;
        const auto it = byNumber.find(parent);
        return it == byNumber.end() ? kNone : it->second;
    };
    // Each chain is followed once: a folder met again on the chain being followed closes a loop.
    std::vector<Walk> state(folders.size(), Walk::kNotYet);
    std::vector<size_t> path;
    for (size_t start = 0; start < folders.size(); ++start) {
        path.clear();
        size_t at = start;
        while (at != kNone && state[at] == Walk::kNotYet) {
            state[at] = Walk::kOnPath;
            path.push_back(at);
            at = parentOf(at);
        }
        if (at != kNone && state[at] == Walk::kOnPath) {
            size_t first = at;
            for (size_t i = path.size(); i-- > 0 && path[i] != at;)
                first = std::min(first, path[i]);
            folders[first]->parentRecord = kLostDirRecordNumber;
        }
        for (size_t i : path)
            state[i] = Walk::kDone;
    }
}
