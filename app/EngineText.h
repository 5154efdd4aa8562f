// Text between the engine's UTF-16 strings and the windows' CString: both hold 16-bit units, copied
// as they are.
#pragma once

#include <string>

#include "classlib/win/AfxWin.h"

inline CString ToCString(const std::u16string& text)
{
    return CString(reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()));
}

// A null text is an empty one.
inline CString ToCString(const char16_t* text)
{
    return CString(reinterpret_cast<const wchar_t*>(text != nullptr ? text : u""));
}

inline std::u16string ToU16(const CString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetString()), static_cast<size_t>(text.GetLength()));
}
