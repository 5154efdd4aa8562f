// Recovered text files are hostile: the reader must take any bytes, in pieces of any size, and give
// lines that together are no longer than the bytes allow.
#include "preview/text/TextLineDecoder.h"
#include "preview/text/Utf8.h"

#include <cstring>

namespace {

class Source : public morvick::TextByteSource {
public:
    Source(const uint8_t* data, size_t size, size_t chunk) : m_data(data), m_size(size), m_chunk(chunk) {}
    size_t Read(uint8_t* buffer, size_t count) override
    {
        size_t n = count < m_chunk ? count : m_chunk;
        if (n > m_size - m_pos)
            n = m_size - m_pos;
        std::memcpy(buffer, m_data + m_pos, n);
        m_pos += n;
        return n;
    }
    bool Rewind() override
    {
        m_pos = 0;
        return true;
    }
    uint64_t Length() const override { return m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_chunk;
    size_t m_pos = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Source source(data + 1, size - 1, 1 + data[0] % 64);
    morvick::TextLineDecoder decoder(source);
    std::u16string text = decoder.ReadAll(u"\r\n");
    // Each byte gives at most one character and each line end at most one separator.
    if (text.size() > 3 * size)
        __builtin_trap();
    if (!decoder.Rewind())
        __builtin_trap();
    std::u16string line;
    while (decoder.ReadLine(line)) {
    }
    morvick::Utf8ToUtf16(reinterpret_cast<const char*>(data), size);
    return 0;
}
