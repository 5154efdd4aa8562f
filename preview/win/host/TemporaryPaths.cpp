#include "preview/win/host/TemporaryPaths.h"

#include "engine/io/OutputFolder.h"
#include "engine/save/TempFiles.h"

namespace {

CString Wide(const std::u16string& text)
{
    return CString(reinterpret_cast<const wchar_t*>(text.c_str()));
}

}  // namespace

CString AFXAPI PreviewSlideFolder()
{
    const std::u16string temporary = TemporaryFolderPath();
    return temporary.empty() ? CString() : Wide(PreviewScratchFolder(temporary));
}

CString AFXAPI WordConversionFile()
{
    const std::u16string temporary = TemporaryFolderPath();
    if (temporary.empty())
        return CString();
    // Not "New.rtf": a file of that name in the shared temporary folder may be another program's,
    // which the preview would then show as this document's text and delete. A name with the
    // program's own and its process number is this process's alone.
    CString name;
    name.Format(L"Morvick-preview-%lu.rtf", static_cast<unsigned long>(CurrentProcessNumber()));
    return Wide(temporary) + name;
}
