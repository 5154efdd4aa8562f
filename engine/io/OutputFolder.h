// The write side of the engine: the few file-system operations that saving needs, on the folder the
// user picked. Everything the engine recovers is written through these functions and nothing else.
//
// Paths are UTF-16 with "\" between their parts, as the engine builds them; the POSIX back end turns
// the separators into "/" and the text into UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Creates one folder. True when it exists afterwards (an existing folder is used as it is).
bool CreateOutputFolder(const std::u16string& path);

// True when something (file or folder) exists at the path.
bool OutputPathExists(const std::u16string& path);

// True when the path names an existing folder.
bool OutputFolderExists(const std::u16string& path);

// Deletes a file; used for temporary copies only.
bool DeleteOutputFile(const std::u16string& path);

// Creates an empty file, but only when nothing exists at the path yet: a file that is not ours is
// never opened, let alone overwritten. True when the file was created.
bool ReserveOutputFile(const std::u16string& path);

// The names of the plain files directly in a folder (no folders, no links); empty when the folder
// cannot be read.
std::vector<std::u16string> ListOutputFolderFiles(const std::u16string& folder);

// Removes an empty folder. True when it is gone.
bool RemoveOutputFolder(const std::u16string& path);

// The user's temporary folder, ending with a separator (Windows: GetTempPathW; elsewhere TMPDIR or
// "/tmp").
std::u16string TemporaryFolderPath();

// This process's id, to keep its temporary names apart from those of other processes.
uint32_t CurrentProcessNumber();

// What CreateNew found at the path.
enum class NewFileResult { kCreated, kExists, kFailed };

// One file being written; every write must succeed whole, or the save of that file has failed.
class COutputFile {
public:
    COutputFile() = default;
    ~COutputFile();
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;

    // Creates the file, truncating an existing one.
    bool Create(const std::u16string& path);
    // Creates the file only when nothing (file, folder or link) is at the path yet, in one request
    // to the system: "already there" comes from the refusal, so a new name costs one look-up.
    NewFileResult CreateNew(const std::u16string& path);
    // Sets the creation, last-access and last-write times of the open file to one FILETIME value
    // (100-ns ticks since 1601-01-01 UTC). False when no file is open or the time is refused.
    bool SetTimes(uint64_t fileTime);
    bool Write(const void* data, size_t count);
    // Closes the file; false when the final flush failed. Closing a closed file is true.
    bool Close();
    bool IsOpen() const;

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};
