#include "engine/save/TempFiles.h"

#include "engine/io/OutputFolder.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/SafeFileName.h"
#include "engine/util/Utf.h"

std::map<uint32_t, std::u16string> g_PreviewTempFiles;

namespace {

// Enough to step over every copy a session can leave; past it the folder is not usable.
constexpr uint32_t kMaxNameTries = 100000;
}  // namespace

std::u16string PreviewExtension(const std::u16string& entryName)
{
    const size_t dot = entryName.rfind(u'.');
    std::u16string extension = dot == std::u16string::npos ? entryName : entryName.substr(dot + 1);
    for (char16_t& c : extension)
        c = LowerCaseChar(c);
    return extension.empty() ? extension : MakeSafeFileName(extension);
}

std::u16string MakeTempPreviewName(const std::u16string& tempFolder, const std::u16string& entryName, uint32_t& counter,
    std::u16string& fullPath)
{
    fullPath.clear();
    if (tempFolder.empty() || !OutputFolderExists(tempFolder))
        return std::u16string();
    const std::u16string extension = PreviewExtension(entryName);
    for (uint32_t tries = 0; tries < kMaxNameTries; ++tries, ++counter) {
        const std::u16string name = MakeSafeFileName(u"tmp" + DecimalText(counter) + u"." + extension);
        const std::u16string path = JoinOutputPath(tempFolder, name);
        if (g_PreviewTempFiles.count(counter) != 0 || OutputPathExists(path))
            continue;
        if (!ReserveOutputFile(path)) {
            // Taken in between by someone else: try the next; anything else: the folder is not usable.
            if (OutputPathExists(path))
                continue;
            return std::u16string();
        }
        g_PreviewTempFiles[counter] = path;
        fullPath = path;
        return name;
    }
    return std::u16string();
}

std::u16string PreviewScratchFolder(const std::u16string& tempFolder)
{
    return JoinOutputPath(tempFolder, u"ssss");
}

void CleanUpTempFiles(const std::u16string& tempFolder)
{
    for (const auto& copy : g_PreviewTempFiles)
        DeleteOutputFile(copy.second);
    g_PreviewTempFiles.clear();
    if (tempFolder.empty())
        return;
    const std::u16string scratch = PreviewScratchFolder(tempFolder);
    for (const std::u16string& name : ListOutputFolderFiles(scratch))
        DeleteOutputFile(JoinOutputPath(scratch, name));
    RemoveOutputFolder(scratch);
}

void CleanUpTempFiles()
{
    CleanUpTempFiles(TemporaryFolderPath());
}
