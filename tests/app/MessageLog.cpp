#include "tests/app/MessageLog.h"

#include <windows.h>

#include <fstream>

namespace morvick::test {

std::vector<std::string> TakeMessages()
{
    std::vector<std::string> lines;
    wchar_t path[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", path, MAX_PATH);
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    in.close();
    DeleteFileW(path);
    return lines;
}

}  // namespace morvick::test
