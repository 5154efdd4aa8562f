// Reading the signature table Raw.dat: records laid end to end with no header, each a 16-bit
// record word (not used), a category character and five fields of a 16-bit little-endian length
// followed by that many bytes (extension, description, signature length text, signature bytes,
// second value bytes).
#pragma once

#include "engine/scan/SignatureRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class SignatureTableStatus {
    kWhole,        // every byte belonged to a whole record
    kDamaged,      // the records before damagedOffset were read; the one there runs past the end
    kUnreadable,   // the file could not be opened or read, or is too large to be a table
};

struct SignatureTable {
    std::vector<SignatureRecord> records;
    SignatureTableStatus status = SignatureTableStatus::kWhole;
    size_t damagedOffset = 0;      // where the first record that did not fit starts
};

// The name of the table in the program's folder.
extern const char16_t kSignatureTableFileName[];

// A table larger than this is refused unread.
constexpr uint64_t kMaxSignatureTableSize = 16u * 1024 * 1024;

// Reads the records of size bytes at data. Reading stops at the first record whose fields do not
// fit in what is left; the records before it are kept.
SignatureTable ParseSignatureTable(const uint8_t* data, size_t size);

// Reads the table file at path.
SignatureTable LoadSignatureTableFile(const std::u16string& path);
