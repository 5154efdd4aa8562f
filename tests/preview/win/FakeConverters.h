// A folder of fake text converters for the converter driver (built next to the test program):
// WORD8.CNV (imports "MSWord8", exports "MSWord6RTFExp"), IMPORT.WPC (imports "ImportOnly" and
// exports nothing), NOINIT.CNV (no InitConverter32), BADLIST.CNV (a name list without any
// terminator) and x.cnv (a name too short to count). Another folder holds HALFWAY.CNV alone: it
// converts as WORD8.CNV does, but its export fails with a write error half way through the output.
#pragma once

#include <string>

namespace morvick::test {

std::wstring ConverterFolder();
std::wstring HalfwayConverterFolder();

}  // namespace morvick::test
