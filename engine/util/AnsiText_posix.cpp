#include "engine/util/AnsiText.h"

#include "engine/util/Utf.h"

std::u16string AnsiToUtf16(const std::string& text)
{
    return Utf8ToUtf16(text);
}
