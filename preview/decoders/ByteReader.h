// A bounded reader over a byte span: every read checks what is left and fails instead of reading
// past the end. Big-endian and little-endian integers of 1 to 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  size_t Position() const { return m_pos; }
  size_t Remaining() const { return m_size - m_pos; }
  bool AtEnd() const { return m_pos >= m_size; }
  // True once a read or skip asked for more than was left (the stream's end-of-file mark).
  bool Ended() const { return m_ended; }
  const uint8_t* Current() const { return m_data + m_pos; }

  // n bytes (1 to 4), most significant first. Fails (and marks the end) when fewer are left.
  bool ReadBig(size_t n, uint32_t& value) { return ReadInteger(n, true, value); }
  bool ReadLittle(size_t n, uint32_t& value) { return ReadInteger(n, false, value); }
  bool ReadByte(uint8_t& value);
  bool ReadBytes(void* out, size_t n);
  // Skips n bytes; with fewer left it moves to the end, marks it and fails.
  bool Skip(uint64_t n);
  void Seek(size_t pos) { m_pos = pos <= m_size ? pos : m_size; }

 private:
  bool ReadInteger(size_t n, bool bigEndian, uint32_t& value);

  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
  bool m_ended = false;
};

}  // namespace morvick
