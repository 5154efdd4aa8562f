// The sequence numbers that the folder records of one volume carry, by record number, to tell whether
// a parent reference still names the folder that holds its number now. NTFS gives a freed record to
// the next file or folder made; a deleted folder's files keep naming its number, with its old
// sequence number.
#pragma once

#include <cstdint>
#include <unordered_map>

namespace morvick {

class FolderSequences {
public:
    // The folder record `number`: its sequence number and whether it is in use. The first folder of a
    // number counts, as the lists keep the first.
    void Add(uint32_t number, uint16_t sequence, bool inUse);

    // The folder an entry is listed in, by its parent reference: the parent's number, or
    // kLostDirRecordNumber ("Lost Dir") where the reference names a folder record here that was freed
    // and taken since (see ReferenceNamesRecord) or a number beyond 32 bits. A number that is no folder
    // here is kept: the scans gather such entries in lost folders of their own.
    uint32_t ListedParent(uint32_t parent, uint16_t parentHigh, uint16_t parentSequence) const;

private:
    struct Folder {
        uint16_t sequence;
        bool inUse;
    };
    std::unordered_map<uint32_t, Folder> m_folders;
};

}  // namespace morvick
