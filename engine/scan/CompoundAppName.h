// The application name of a compound document (the structured-storage file of Word, Excel,
// PowerPoint and Publisher), read from the bytes of the document's start: the header, the sector
// table, the directory, the "\005SummaryInformation" stream and its property 18. Every sector,
// chain and offset is checked against the bytes given, so a damaged or cut-short document only
// gives no name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The 8-bit application name, or false when the bytes hold no readable one.
bool ReadCompoundAppName(const uint8_t* data, size_t size, std::string& appName);
