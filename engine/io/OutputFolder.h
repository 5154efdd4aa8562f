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

// Creates one folder. True when a folder is there afterwards: an existing one is used as it is, but
// a link (symbolic link, junction) at the path is no folder of the target and gives false.
bool CreateOutputFolder(const std::u16string& path);

// True when a link (symbolic link, junction) is at the path itself; the link is not followed.
bool OutputPathIsLink(const std::u16string& path);

// True when something (file or folder) exists at the path.
bool OutputPathExists(const std::u16string& path);

// True when the path names an existing folder.
bool OutputFolderExists(const std::u16string& path);

// Deletes a file; used for temporary copies only.
bool DeleteOutputFile(const std::u16string& path);

// Gives the file `from` the name `to` in the same folder, replacing what is there: a file, or a link
// itself (never what it points to). A folder is not replaced.
bool ReplaceOutputFile(const std::u16string& from, const std::u16string& to);

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
    // Creates a new file beside `path` under a temporary name, to take the place of what is at
    // `path` once it has been written whole (Commit); until then that stays as it is.
    bool CreateReplacement(const std::u16string& path);
    // True for a file made by CreateReplacement that has not taken its target's name yet.
    bool IsReplacement() const { return !m_target.empty(); }
    // Closes the file for good; a replacement then takes its target's name (ReplaceOutputFile). False
    // when the final flush or the renaming failed: the file is then removed, and a replacement's
    // target is left as it was.
    bool Commit();
    // Closes the file and removes it (for a replacement: its temporary file; the target stays).
    void Discard();
    // Sets the creation, last-access and last-write times of the open file to one FILETIME value
    // (100-ns ticks since 1601-01-01 UTC). False when no file is open or the time is refused.
    bool SetTimes(uint64_t fileTime);
    bool Write(const void* data, size_t count);
    // Closes the file; false when the final flush failed. Closing a closed file is true.
    bool Close();
    bool IsOpen() const;

private:
    std::u16string m_path;    // the file this object created
    std::u16string m_target;  // the name a replacement takes on Commit; empty for other files
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};
