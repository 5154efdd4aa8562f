#include "preview/win/host/PreviewLocation.h"

CString g_strPreviewLocation;
