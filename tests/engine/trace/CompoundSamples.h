// Compound documents for the tests: laid out byte by byte here, or written by the platform's
// structured storage where there is one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using CompoundBytes = std::vector<uint8_t>;

struct CompoundSampleOptions {
    std::string appName = "Microsoft Excel";
    bool largeSummary = false;       // the summary stream past the small-stream cutoff (whole sectors)
    bool unicodeCodePage = false;    // code page 1200: the name in UTF-16
    std::string embeddedAppName;     // when set, a storage below the root holds its own summary stream
};

// A version-3 compound document of 512-byte sectors whose root holds "\005SummaryInformation".
CompoundBytes BuildCompoundDocument(const CompoundSampleOptions& options);

// Offsets into what BuildCompoundDocument lays out, for tests that damage it.
constexpr size_t kCompoundFatOffset = 512;         // sector 0: the sector table
constexpr size_t kCompoundDirectoryOffset = 1024;  // sector 1: the directory

#ifdef _WIN32
// The same document written by StgCreateDocfile and the property-set storage; empty on failure.
CompoundBytes PlatformCompoundDocument(const std::string& appName);
#endif
