// Telling Word, Excel, PowerPoint and Publisher documents apart: a compound document found by
// File Trace names the application that wrote it in its summary information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// How much of the document, from its first sector, is read to find its application name.
constexpr uint32_t kOfficeDocumentCopySectors = 16 * 128;

// The kind of the compound document at sector: ".ppt", ".xls", ".doc" or ".pub" (also when the
// document can't be read).
std::u16string DetectOfficeDocumentKind(uint32_t sector);

// ".ppt" for a name holding "PowerPoint", else ".xls" for "Excel", else ".doc" for "Word", else ".pub".
std::u16string OfficeKindFromAppName(const std::string& appName);

// The application name of the compound document in size bytes at data; false when it has none
// that can be read. On Windows through the platform's structured storage (a temporary copy of the
// bytes under a unique name, removed again), elsewhere through ReadCompoundAppName.
bool ReadDocumentAppName(const uint8_t* data, size_t size, std::string& appName);
