// A folder of fake text converters for the converter driver (built next to the test program):
// WORD8.CNV (imports "MSWord8", exports "MSWord6RTFExp"), IMPORT.WPC (imports "ImportOnly" and
// exports nothing), NOINIT.CNV (no InitConverter32), BADLIST.CNV (a name list without any
// terminator) and x.cnv (a name too short to count).
#pragma once

#include <string>

namespace morvick::test {

std::wstring ConverterFolder();

}  // namespace morvick::test
