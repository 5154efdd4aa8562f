// CRC-32C (Castagnoli), the checksum of the VHDX headers, region tables and log entries.
#pragma once

#include <cstddef>
#include <cstdint>

// Continues a CRC over more bytes; start with crc = 0.
uint32_t Crc32c(uint32_t crc, const uint8_t* data, size_t size);
