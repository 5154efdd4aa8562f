#include "preview/decoders/ByteReader.h"

#include <cstring>

namespace morvick {

bool ByteReader::ReadInteger(size_t n, bool bigEndian, uint32_t& value) {
  value = 0;
  if (n < 1 || n > 4) return false;
  if (Remaining() < n) {
    m_pos = m_size;
    m_ended = true;
    return false;
  }
  for (size_t i = 0; i < n; ++i) value = (value << 8) | m_data[m_pos + (bigEndian ? i : n - 1 - i)];
  m_pos += n;
  return true;
}

bool ByteReader::ReadByte(uint8_t& value) {
  uint32_t v = 0;
  bool ok = ReadBig(1, v);
  value = static_cast<uint8_t>(v);
  return ok;
}

bool ByteReader::ReadBytes(void* out, size_t n) {
  if (Remaining() < n) {
    m_pos = m_size;
    m_ended = true;
    return false;
  }
  if (n > 0) std::memcpy(out, m_data + m_pos, n);
  m_pos += n;
  return true;
}

bool ByteReader::Skip(uint64_t n) {
  if (Remaining() < n) {
    m_pos = m_size;
    m_ended = true;
    return false;
  }
  m_pos += static_cast<size_t>(n);
  return true;
}

}  // namespace morvick
