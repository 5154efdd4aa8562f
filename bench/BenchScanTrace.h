// The File Trace mode of morvick-bench scan.
#pragma once

#include <string>
#include <vector>

// scan IMAGE --mode trace [--partition N|all] [--types LIST] [--out DIR] [--snapshot FILE]: the
// arguments after "scan". Returns the exit code.
int RunScanTrace(const std::vector<std::string>& args);
