// Whether a cluster of live entries names files of this volume. A formatted card's old folders keep
// their entries live; so do a disk image's folders and records shaped as entries, kept as a file's
// data, whose "files" are another volume's clusters or other files' data. The rule:
//  - a typed file is one that a short entry names, of a kind known by its extension: the photo and
//    video kinds of cameras and phones by their own headers (CameraFileKinds), else the File Trace
//    table's signatures of the types written under that short extension ("DOC": .doc and .docx);
//  - it counts only where its first cluster is free in the FATs, no other entry names that cluster
//    (the entries found, and those of every free cluster of entries read), and its size fits in the
//    volume from there: a file that the disk's own entries account for, or that could not be there,
//    proves nothing;
//  - the cluster is this volume's where more than half of the typed files that count begin with
//    their types' headers at their first clusters (one at least). Every typed file of the cluster
//    counts, not a first few: a card formatted and used again lost its first files to the new ones.
// Noted while the cluster is read (no read of its own), proved afterwards by one sector read for each
// file that counts, until the answer is sure.
#pragma once

#include "engine/scan/ClusterNameCounts.h"
#include "engine/volume/SectorSource.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct EntryTypeVolume {
    bool fat32 = false;
    uint32_t clusterCount = 0;
    uint64_t clusterBase = 0;  // the sector of cluster 0
    uint32_t sectorsPerCluster = 0;
};

// A file that a short entry names at `cluster`, of a known type (`type`, an index of the proof's types).
struct TypedFile {
    uint32_t cluster = 0;
    uint16_t type = 0;
};

// Notes in `names` the first cluster of each short entry of `entries` (up to the end entry): files and
// folders, live or deleted; not "." and "..".
void NoteNamedClusters(const EntryTypeVolume& volume, const uint8_t* entries, size_t size, ClusterNameCounts& names);

// The typed files that the short entries of `entries` (up to the end entry) name whose size fits in
// the volume from their first cluster.
std::vector<TypedFile> TypedFilesOf(const EntryTypeVolume& volume, const uint8_t* entries, size_t size);

// The rule above for `files` (TypedFilesOf), `isFree` telling the clusters free in the FATs and `names`
// holding every entry found or read (this cluster's too). Each file's first sector read is a pause point.
bool FilesBeginWithTheirTypes(morvick::SectorSource& disk, const EntryTypeVolume& volume,
    const std::vector<TypedFile>& files, const std::function<bool(uint32_t cluster)>& isFree,
    const ClusterNameCounts& names);
