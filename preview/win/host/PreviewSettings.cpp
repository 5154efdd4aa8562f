#include "preview/win/host/PreviewSettings.h"

CPreviewSettings& PreviewSettings()
{
    static CPreviewSettings settings;
    return settings;
}
