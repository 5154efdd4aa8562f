// Runs a shell script of tests/fixtures with bash. Under Wine the script runs as a Unix process; its
// exit code does not come back there, so callers check the files the script writes.
#pragma once

#include <string>
#include <vector>

namespace morvick::test {

// `script` and `args` are Unix paths and plain words. Returns after the script has ended.
void RunFixtureScript(const std::string& script, const std::vector<std::string>& args);

// A Unix path as this process opens it: unchanged on POSIX, on drive Z: under Wine.
std::string HostPath(const std::string& unixPath);

}  // namespace morvick::test
