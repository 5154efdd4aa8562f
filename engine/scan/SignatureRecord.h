// One record of the File Trace signature table Raw.dat, as the File Types dialog lists it.
#pragma once

#include <cstdint>
#include <string>

struct SignatureRecord {
    uint32_t number = 0;            // counting from 0 in file order
    char category = 0;              // "0" to "9" select a folder; any other character names it
    std::string extension;          // 8-bit text with its dot, e.g. ".jpg"; may be empty
    std::string description;        // 8-bit text
    std::string lengthText;         // the bytes File Trace compares, decimal digits as written
    std::string signatureHex;       // the signature bytes, upper-case hexadecimal
    std::string secondValueHex;     // the second value bytes, upper-case hexadecimal
};
