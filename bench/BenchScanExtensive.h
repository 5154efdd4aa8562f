// The extensive mode of morvick-bench scan.
#pragma once

#include "BenchStop.h"

#include <string>

// Extensive Scan of the whole disk of IMAGE and the found-volume scan of each volume found, saving
// into OUT/vN/ when OUT is not empty and writing the snapshot of the last volume into SNAPSHOT when
// that is not empty. `stop` stops each volume's found-volume scan (the search runs whole). Returns the
// exit code.
int RunExtensiveBenchScan(const std::string& image, const std::string& out, const std::string& snapshot,
    BenchStop& stop);
