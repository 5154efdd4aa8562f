// The extensive mode of morvick-bench scan.
#pragma once

#include <string>

// Extensive Scan of the whole disk of IMAGE and the found-volume scan of each volume found, saving
// into OUT/vN/ when OUT is not empty and writing the snapshot of the last volume into SNAPSHOT when
// that is not empty. Returns the exit code.
int RunExtensiveBenchScan(const std::string& image, const std::string& out, const std::string& snapshot);
