#include "engine/util/OemCodePage.h"

#include <iconv.h>
#include <map>
#include <string>

namespace {

constexpr uint32_t kUsualOemCodePage = 437;

// The C library's converters from each code page to UTF-16, opened once per thread (a converter keeps
// state while it works) and closed when the thread ends.
class Converters {
public:
    ~Converters()
    {
        for (const auto& [codePage, converter] : m_open) {
            if (converter != Invalid())
                iconv_close(converter);
        }
    }

    // The converter of `codePage`, or Invalid() where the C library has none.
    iconv_t Of(uint32_t codePage)
    {
        const auto it = m_open.find(codePage);
        if (it != m_open.end())
            return it->second;
        const std::string name = "CP" + std::to_string(codePage);
        const iconv_t converter = iconv_open("UTF-16LE", name.c_str());
        m_open.emplace(codePage, converter);
        return converter;
    }

    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

private:
    std::map<uint32_t, iconv_t> m_open;
};

thread_local Converters t_converters;

}  // namespace

uint32_t SystemOemCodePage()
{
    return kUsualOemCodePage;
}

bool DecodeCodePage(uint32_t codePage, const uint8_t* bytes, size_t count, std::u16string& text)
{
    const iconv_t converter = t_converters.Of(codePage);
    if (converter == Converters::Invalid())
        return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
    size_t inLeft = count;
    // A byte reads as one UTF-16 character at most, or two for a character beyond U+FFFF.
    std::u16string out(2 * count + 2, u'\0');
    char* to = reinterpret_cast<char*>(&out[0]);
    size_t toLeft = out.size() * sizeof(char16_t);
    // A sequence that is no character (EILSEQ) or ends early (EINVAL) reads as nothing.
    if (iconv(converter, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1))
        return false;
    iconv(converter, nullptr, nullptr, &to, &toLeft);
    out.resize(out.size() - toLeft / sizeof(char16_t));
    text += out;
    return true;
}
