// Character references of the page text, and the repair of Latin-1 letters that reached the page as
// UTF-8 bytes read one by one.
#pragma once

#include <string>

// Replaces each named reference the renderer knows ("&amp;", the Latin-1 names, a few typographic
// ones) by its character, each "&#" followed by a decimal number by that character (0, surrogates
// and numbers above U+FFFF give U+FFFD), U+0097 by "-" and U+00A0 by a space. One pass: the
// result of a replacement is not read again.
void DecodeEntities(std::wstring& text);

// Each pair C2 A0..BF or C3 80..BF (UTF-8 of U+00A0..U+00FF, one character per byte) becomes the
// single character.
void RepairUtf8Latin1(std::wstring& text);
