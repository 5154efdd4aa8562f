#include "engine/scan/TraceSignatureIndex.h"

#include "engine/scan/SignatureMatch.h"
#include "engine/util/HexDigit.h"

#include <cstring>

namespace {

// The signature's bytes, when its text is exactly 2n hexadecimal digits.
bool SignatureBytes(const TraceHitRecord& signature, uint8_t* bytes)
{
    const uint32_t n = signature.signatureLength;
    if (n == 0 || n > kTraceComparedBytes || !signature.signature)
        return false;
    if (std::strlen(signature.signature) != 2 * static_cast<size_t>(n))
        return false;
    for (uint32_t i = 0; i < n; ++i) {
        const int high = HexDigitValue(signature.signature[2 * i]);
        const int low = HexDigitValue(signature.signature[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<uint8_t>(high << 4 | low);
    }
    return true;
}

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameText(const char16_t* a, const char16_t* b)
{
    if (!a || !b)
        return false;
    for (; *a && *b; ++a, ++b) {
        if (Lower(*a) != Lower(*b))
            return false;
    }
    return *a == *b;
}

} // namespace

TraceSignatureIndex::TraceSignatureIndex(const TraceHitRecord* first) : m_first(first)
{
    for (const TraceHitRecord* s = first; s; s = s->next) {
        Entry entry{s, static_cast<uint8_t>(s->signatureLength), {}};
        if (!SignatureBytes(*s, entry.bytes))
            continue;
        m_byFirstByte[entry.bytes[0]].push_back(entry);
        ++m_usable;
    }
}

const TraceHitRecord* TraceSignatureIndex::Match(const uint8_t* sector, size_t size) const
{
    if (!sector || size == 0)
        return nullptr;
    const size_t compared = size < kTraceComparedBytes ? size : kTraceComparedBytes;
    // Signatures with another first byte can't match, so the first candidate that does is also the
    // first of the whole list.
    for (const Entry& entry : m_byFirstByte[sector[0]]) {
        if (entry.length <= compared && std::memcmp(sector, entry.bytes, entry.length) == 0)
            return entry.record;
    }
    return nullptr;
}

const TraceHitRecord* TraceSignatureIndex::FindExtension(const char16_t* extension) const
{
    for (const TraceHitRecord* s = m_first; s; s = s->next) {
        if (SameText(s->extension, extension))
            return s;
    }
    return nullptr;
}
