#include "engine/util/OemText.h"

#include "engine/util/OemCodePage.h"

#include <atomic>
#include <iterator>

namespace {

// The OEM code pages Windows knows. Where the platform cannot read one (720 has no reader outside
// Windows), it is passed over.
constexpr uint32_t kOemCodePages[] = {437, 720, 737, 775, 850, 852, 855, 857, 858, 860, 861, 862, 863, 864, 865, 866,
    869, 874, 932, 936, 949, 950, 1258};

// A kept byte above 0x7F is this plus the byte.
constexpr char16_t kKeptByteBase = 0xF700;

std::atomic<uint32_t> g_codePage{0};
thread_local bool t_keepBytes = false;

// Whether `codePage` reads each byte below 0x80 as the ASCII character of its value (864 reads "%" as
// the Arabic percent sign): a name of such bytes alone then needs no reading. The last answer is kept.
bool ReadsAsciiAsItself(uint32_t codePage)
{
    thread_local uint32_t known = 0;
    thread_local bool itself = false;
    if (codePage != known) {
        uint8_t ascii[0x80];
        std::u16string text;
        for (size_t i = 0; i < sizeof ascii; ++i)
            ascii[i] = static_cast<uint8_t>(i);
        itself = DecodeCodePage(codePage, ascii, sizeof ascii, text) && text.size() == sizeof ascii;
        for (size_t i = 0; itself && i < text.size(); ++i)
            itself = text[i] == i;
        known = codePage;
    }
    return itself;
}

bool AllAscii(const uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (bytes[i] >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

uint32_t OemCodePage()
{
    const uint32_t set = g_codePage.load();
    return set != 0 ? set : SystemOemCodePage();
}

void SetOemCodePage(uint32_t codePage)
{
    g_codePage = codePage;
}

std::u16string OemToUtf16(const uint8_t* bytes, size_t count)
{
    std::u16string text;
    const uint32_t codePage = OemCodePage();
    if (!t_keepBytes && (!AllAscii(bytes, count) || !ReadsAsciiAsItself(codePage))) {
        if (DecodeCodePage(codePage, bytes, count, text))
            return text;
        // A byte that begins no character of the page (a lead byte with nothing valid after it) is
        // one U+FFFD on every platform, where Windows alone would put the page's own default
        // character there, which a name may hold as itself; the rest reads as itself. In a code page
        // not known here: ASCII as itself and every other byte as U+FFFD.
        text.clear();
        for (size_t i = 0; i < count;) {
            size_t used = 0;
            for (size_t n = 1; n <= 2 && i + n <= count && used == 0; ++n) {
                if (DecodeCodePage(codePage, bytes + i, n, text))
                    used = n;
            }
            if (used == 0) {
                text.push_back(bytes[i] < 0x80 ? static_cast<char16_t>(bytes[i]) : u'\xFFFD');
                used = 1;
            }
            i += used;
        }
        return text;
    }
    text.reserve(count);
    for (size_t i = 0; i < count; ++i)
        text.push_back(
            bytes[i] < 0x80 ? static_cast<char16_t>(bytes[i]) : static_cast<char16_t>(kKeptByteBase + bytes[i]));
    return text;
}

bool ReadCodePage(uint32_t codePage, const uint8_t* bytes, size_t count, std::u16string& text)
{
    text.clear();
    return DecodeCodePage(codePage, bytes, count, text);
}

const uint32_t* OemCodePages(size_t& count)
{
    count = std::size(kOemCodePages);
    return kOemCodePages;
}

OemBytesReading::OemBytesReading() : m_outer(t_keepBytes)
{
    t_keepBytes = true;
}

OemBytesReading::~OemBytesReading()
{
    t_keepBytes = m_outer;
}

bool OemBytesOf(std::u16string_view text, std::string& bytes)
{
    bytes.clear();
    for (char16_t c : text) {
        if (c < 0x80)
            bytes.push_back(static_cast<char>(c));
        else if (c >= kKeptByteBase + 0x80 && c <= kKeptByteBase + 0xFF)
            bytes.push_back(static_cast<char>(c - kKeptByteBase));
        else
            return false;
    }
    return true;
}
