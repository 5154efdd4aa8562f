#include "preview/win/host/AnsiPath.h"

std::string AnsiPath(LPCWSTR path)
{
    if (path == NULL)
        return std::string();
    BOOL lossy = FALSE;
    int n = ::WideCharToMultiByte(CP_ACP, 0, path, -1, NULL, 0, NULL, &lossy);
    if (n <= 1 || n > MAX_PATH || lossy)
        return std::string();
    std::string out(n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, path, -1, &out[0], n, NULL, NULL);
    out.resize(n - 1);
    return out;
}
