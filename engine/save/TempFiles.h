// The temporary copies that the preview extracts ("tmp%d.%s" in the temporary folder) and their
// clean-up. A copy's name is taken only when nothing of that name exists yet, so a file that is
// not ours is never overwritten, and the clean-up deletes only the copies made here.
#pragma once

#include <cstdint>
#include <map>
#include <string>

// The preview copies made so far: preview counter -> full path. CleanUpTempFiles empties it.
extern std::map<uint32_t, std::u16string> g_PreviewTempFiles;

// The extension a preview copy gets: the text after the last "." of the entry's name (the whole
// name when it has none), in lower case, made a safe name part.
std::u16string PreviewExtension(const std::u16string& entryName);

// Finds the first free name "tmp<counter>.<extension>" in `tempFolder`, counting up from `counter`
// (which is left at the number used), and reserves it by creating it empty. A number that already
// holds a copy of another extension is stepped over too, so that no copy drops out of the clean-up.
// The full path is kept in g_PreviewTempFiles under the counter and returned in `fullPath`; the
// result is the short name, empty (and fullPath empty) when no name could be reserved.
std::u16string MakeTempPreviewName(const std::u16string& tempFolder, const std::u16string& entryName, uint32_t& counter,
    std::u16string& fullPath);

// The folder in which the preview exports slides: "ssss" in the temporary folder. It needs no name
// of its own per process: the program runs once at a time (a second instance stops at its start).
std::u16string PreviewScratchFolder(const std::u16string& tempFolder);

// Deletes every preview copy of g_PreviewTempFiles, then the files directly in the scratch folder
// of `tempFolder` and the folder itself.
void CleanUpTempFiles(const std::u16string& tempFolder);
// The same for the user's temporary folder.
void CleanUpTempFiles();
