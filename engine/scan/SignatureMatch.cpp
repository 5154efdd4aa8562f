#include "engine/scan/SignatureMatch.h"

#include "engine/save/HexText.h"

#include <cctype>
#include <cstring>

namespace {

bool EqualIgnoringCase(const std::string& a, const char* b)
{
    const size_t length = std::strlen(b);
    if (length != a.size())
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

const TraceHitRecord* MatchTraceSignature(const uint8_t* sector, size_t size, const TraceHitRecord* first)
{
    if (!sector)
        return nullptr;
    const size_t compared = size < kTraceComparedBytes ? size : kTraceComparedBytes;
    for (const TraceHitRecord* signature = first; signature; signature = signature->next) {
        const uint32_t n = signature->signatureLength;
        if (n == 0 || n > compared || !signature->signature)
            continue;
        if (EqualIgnoringCase(BytesToHexString(sector, n), signature->signature))
            return signature;
    }
    return nullptr;
}
