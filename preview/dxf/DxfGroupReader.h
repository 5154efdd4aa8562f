// The group pairs of an ASCII DXF file: a line with the integer group code, then a line with its
// value. Lines end in LF or CR LF; blanks around the code are ignored, the value keeps its text
// but for a trailing CR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvick {

struct DxfGroup {
    int code = 0;
    std::string value;

    double Number() const;  // 0 for a text that is no number, or not finite
    long Integer() const;   // 0 for a text that is no number
};

class DxfGroupReader {
public:
    DxfGroupReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // The next pair; false at the end of the data or when a code line is no number.
    bool Next(DxfGroup& group);
    // Keeps the pair for the next call of Next.
    void PushBack(const DxfGroup& group);

    size_t Position() const { return m_pos; }
    size_t Size() const { return m_size; }
    bool Failed() const { return m_failed; }

private:
    bool ReadLine(std::string& line);

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_failed = false;
    bool m_pushed = false;
    DxfGroup m_pushedGroup;
};

}  // namespace morvick
