#include "engine/save/FolderTreeWalk.h"

#include "engine/io/OutputFolder.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"

namespace {

bool Stopped()
{
    return g_nSaveStop.load() == 1;
}

}  // namespace

void FolderTreeWalk::SaveTree(uint32_t key, const std::u16string& parentPath, const char16_t* name)
{
    if (Stopped() || !m_visited.insert(key).second)
        return;
    // An existing folder is used; another failure shows up when the folder's files cannot be created.
    const std::u16string path = JoinOutputPath(parentPath, MakeSafeFileName(name ? name : u""));
    if (!CreateOutputFolder(path) && OutputPathIsLink(path)) {
        // What went below a link would land wherever it points: nothing does.
        RecordTreeNotSaved(key, path);
        return;
    }
    SaveContents(key, path);
}

void FolderTreeWalk::SaveContents(uint32_t key, const std::u16string& path)
{
    m_visited.insert(key);
    m_files->Save(key, path);
    for (const FolderNode& child : m_subfolders.Of(key)) {
        if (Stopped())
            return;
        SaveTree(child.key, path, child.name);
    }
}

void FolderTreeWalk::RecordTreeNotSaved(uint32_t key, const std::u16string& path)
{
    m_files->RecordNotSaved(key, path);
    for (const FolderNode& child : m_subfolders.Of(key)) {
        if (m_visited.insert(child.key).second)
            RecordTreeNotSaved(child.key, JoinOutputPath(path, MakeSafeFileName(child.name ? child.name : u"")));
    }
}
