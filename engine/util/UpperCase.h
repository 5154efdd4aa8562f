// Text in capitals as the system writes it, for comparisons of names without regard to case.
#pragma once

#include <string>

// On Windows the system's own mapping (the invariant locale's, the same for every user's
// language); elsewhere a table that agrees with it on the letters of Latin, Greek, Cyrillic and
// Armenian script. Characters without a capital stay as they are.
std::u16string UpperCaseText(const std::u16string& text);
