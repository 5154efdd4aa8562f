#include "engine/save/SaveFolder.h"

#include "engine/io/OutputFolder.h"
#include "engine/save/SaveState.h"

bool AcceptSaveFolder(const std::u16string& chosen)
{
    g_strSavePath.clear();
    if (chosen.empty() || !OutputFolderExists(chosen))
        return false;
    g_strSavePath = chosen;
    return true;
}
