#include "tests/engine/diskfixtures/RunScript.h"

#include <cstdlib>

namespace morvick::test {

namespace {
std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}
}  // namespace

void RunFixtureScript(const std::string& script, const std::vector<std::string>& args)
{
    std::string command = "bash " + Quote(script);
    for (const std::string& a : args)
        command += " " + Quote(a);
    command += " >/dev/null 2>&1";
    (void)std::system(command.c_str());
}

std::string HostPath(const std::string& unixPath)
{
    return unixPath;
}

}  // namespace morvick::test
