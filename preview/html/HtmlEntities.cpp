#include "preview/html/HtmlEntities.h"

#include <cstring>
#include <cwchar>

namespace {

struct Reference {
    const wchar_t* name;  // without "&" and ";"
    wchar_t value;
};

// In search order: the first name the text starts with wins.
const Reference kReferences[] = {
    {L"quot", L'"'},
    {L"amp", L'&'},
    {L"lt", L'<'},
    {L"gt", L'>'},
    {L"nbsp", 0xA0},
    {L"iexcl", 0xA1},
    {L"cent", 0xA2},
    {L"pound", 0xA3},
    {L"curren", 0xA4},
    {L"yen", 0xA5},
    {L"brvbar", 0xA6},
    {L"sect", 0xA7},
    {L"uml", 0xA8},
    {L"copy", 0xA9},
    {L"ordf", 0xAA},
    {L"laquo", 0xAB},
    {L"not", 0xAC},
    {L"shy", 0xAD},
    {L"reg", 0xAE},
    {L"macr", 0xAF},
    {L"deg", 0xB0},
    {L"plusmn", 0xB1},
    {L"sup2", 0xB2},
    {L"sup3", 0xB3},
    {L"acute", 0xB4},
    {L"micro", 0xB5},
    {L"para", 0xB6},
    {L"middot", 0xB7},
    {L"cedil", 0xB8},
    {L"sup1", 0xB9},
    {L"ordm", 0xBA},
    {L"raquo", 0xBB},
    {L"frac14", 0xBC},
    {L"frac12", 0xBD},
    {L"frac34", 0xBE},
    {L"iquest", 0xBF},
    {L"Agrave", 0xC0},
    {L"Aacute", 0xC1},
    {L"Acirc", 0xC2},
    {L"Atilde", 0xC3},
    {L"Auml", 0xC4},
    {L"Aring", 0xC5},
    {L"AElig", 0xC6},
    {L"Ccedil", 0xC7},
    {L"Egrave", 0xC8},
    {L"Eacute", 0xC9},
    {L"Ecirc", 0xCA},
    {L"Euml", 0xCB},
    {L"Igrave", 0xCC},
    {L"Iacute", 0xCD},
    {L"Icirc", 0xCE},
    {L"Iuml", 0xCF},
    {L"ETH", 0xD0},
    {L"Ntilde", 0xD1},
    {L"Ograve", 0xD2},
    {L"Oacute", 0xD3},
    {L"Ocirc", 0xD4},
    {L"Otilde", 0xD5},
    {L"Ouml", 0xD6},
    {L"times", 0xD7},
    {L"Oslash", 0xD8},
    {L"Ugrave", 0xD9},
    {L"Uacute", 0xDA},
    {L"Ucirc", 0xDB},
    {L"Uuml", 0xDC},
    {L"Yacute", 0xDD},
    {L"THORN", 0xDE},
    {L"szlig", 0xDF},
    {L"agrave", 0xE0},
    {L"aacute", 0xE1},
    {L"acirc", 0xE2},
    {L"atilde", 0xE3},
    {L"auml", 0xE4},
    {L"aring", 0xE5},
    {L"aelig", 0xE6},
    {L"ccedil", 0xE7},
    {L"egrave", 0xE8},
    {L"eacute", 0xE9},
    {L"ecirc", 0xEA},
    {L"euml", 0xEB},
    {L"igrave", 0xEC},
    {L"iacute", 0xED},
    {L"icirc", 0xEE},
    {L"iuml", 0xEF},
    {L"eth", 0xF0},
    {L"ntilde", 0xF1},
    {L"ograve", 0xF2},
    {L"oacute", 0xF3},
    {L"ocirc", 0xF4},
    {L"otilde", 0xF5},
    {L"ouml", 0xF6},
    {L"divide", 0xF7},
    {L"oslash", 0xF8},
    {L"ugrave", 0xF9},
    {L"uacute", 0xFA},
    {L"ucirc", 0xFB},
    {L"uuml", 0xFC},
    {L"yacute", 0xFD},
    {L"thorn", 0xFE},
    {L"yuml", 0xFF},
    {L"OElig", L'E'},
    {L"oelig", L'e'},
    {L"Scaron", L'S'},
    {L"scaron", L's'},
    {L"Yuml", 0xFF},
    {L"fnof", L'f'},
    {L"circ", L'^'},
    {L"tilde", L'~'},
    {L"ndash", L'-'},
    {L"mdash", L'-'},
    // The typographic marks as the characters they stand for: their windows-1252 codes are control characters here.
    {L"lsquo", 0x2018},
    {L"rsquo", 0x2019},
    {L"sbquo", L','},
    {L"ldquo", L'"'},
    {L"rdquo", L'"'},
    {L"bdquo", 0x201E},
    {L"dagger", 0x2020},
    {L"Dagger", 0x2021},
    {L"bull", 0x2022},
    {L"hellip", 0x2026},
    {L"permil", 0x2030},
    {L"lsaquo", 0x2039},
    {L"rsaquo", 0x203A},
    {L"euro", 0x20AC},
    {L"trade", 0x2122},
};

// Length of the reference "&name;" at text[at] when it is there, else 0.
size_t MatchReference(const std::wstring& text, size_t at, const Reference& r)
{
    size_t n = std::wcslen(r.name);
    if (at + n + 2 > text.size())
        return 0;
    if (text.compare(at + 1, n, r.name) != 0 || text[at + n + 1] != L';')
        return 0;
    return n + 2;
}

}  // namespace

void DecodeEntities(std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        wchar_t c = text[i];
        if (c == 0x97) {
            out += L'-';
            ++i;
            continue;
        }
        if (c == 0xA0) {
            out += L' ';
            ++i;
            continue;
        }
        if (c != L'&') {
            out += c;
            ++i;
            continue;
        }
        size_t used = 0;
        for (const Reference& r : kReferences) {
            used = MatchReference(text, i, r);
            if (used != 0) {
                out += r.value;
                break;
            }
        }
        if (used != 0) {
            i += used;
            continue;
        }
        if (i + 2 < text.size() && text[i + 1] == L'#' && text[i + 2] >= L'0' && text[i + 2] <= L'9') {
            unsigned long value = 0;
            size_t j = i + 2;
            for (; j < text.size() && text[j] >= L'0' && text[j] <= L'9'; ++j) {
                if (value <= 0x10FFFF)
                    value = value * 10 + static_cast<unsigned long>(text[j] - L'0');
            }
            // Not a character (0, surrogate, over 16 bits): U+FFFD, as a zero would end the text, the rest misread.
            bool bad = value == 0 || value > 0xFFFF || (value >= 0xD800 && value <= 0xDFFF);
            out += bad ? static_cast<wchar_t>(0xFFFD) : static_cast<wchar_t>(value);
            // The rest of the reference, up to its ";" (taken) or a space (kept).
            while (j < text.size() && text[j] != L';' && text[j] != L' ')
                ++j;
            if (j < text.size() && text[j] == L';')
                ++j;
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    text.swap(out);
}

void RepairUtf8Latin1(std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (i + 1 < text.size()) {
            wchar_t d = text[i + 1];
            if (c == 0xC2 && d >= 0xA0 && d <= 0xBF) {
                out += d;
                ++i;
                continue;
            }
            if (c == 0xC3 && d >= 0x80 && d <= 0xBF) {
                out += static_cast<wchar_t>(d + 0x40);
                ++i;
                continue;
            }
        }
        out += c;
    }
    text.swap(out);
}
