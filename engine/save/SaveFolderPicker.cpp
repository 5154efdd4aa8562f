#include "engine/save/SaveFolderPicker.h"

#include "engine/io/OutputFolder.h"
#include "engine/save/SaveState.h"

const char16_t kSelectSavePathText[] = u"Please select the path to save the data";

bool AcceptSaveFolder(const std::u16string& chosen)
{
    g_strSavePath.clear();
    if (chosen.empty() || !OutputFolderExists(chosen))
        return false;
    g_strSavePath = chosen;
    return true;
}
