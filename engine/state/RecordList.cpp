#include "engine/state/RecordList.h"

#include "engine/ScanObserver.h"

#include <cstring>

void* AllocateRecordBlock(size_t size)
{
    void* block = std::calloc(1, size);
    if (!block)
        ReportOutOfMemory();
    return block;
}

char16_t* CopyRecordName(const char16_t* text, size_t length)
{
    if (length > (SIZE_MAX - 1) / sizeof(char16_t) - 1) {
        ReportOutOfMemory();
        return nullptr;
    }
    auto* name = static_cast<char16_t*>(AllocateRecordBlock((length + 1) * sizeof(char16_t) + 1));
    if (name && length > 0)
        std::memcpy(name, text, length * sizeof(char16_t));
    return name;
}

char16_t* CopyRecordName(const std::u16string& text)
{
    return CopyRecordName(text.data(), text.size());
}

char* CopyRecordText(const char* text, size_t length)
{
    if (length > SIZE_MAX - 2) {
        ReportOutOfMemory();
        return nullptr;
    }
    auto* copy = static_cast<char*>(AllocateRecordBlock(length + 1));
    if (copy && length > 0)
        std::memcpy(copy, text, length);
    return copy;
}
