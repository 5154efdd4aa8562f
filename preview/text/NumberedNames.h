// The order of numbered file names, as a person counts: a run of digits is compared as the number
// it writes, so that "slide9.gif" comes before "slide10.gif". Anything else is compared by
// character code.
#pragma once

#include <string>

namespace morvick {

// True when a comes before b. Numbers of equal value written with more leading zeros come after
// (and names equal in all else follow their character codes), so that no two names tie.
bool NumberedNameLess(const std::u16string& a, const std::u16string& b);

}  // namespace morvick
