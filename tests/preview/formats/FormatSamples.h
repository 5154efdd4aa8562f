// The sample files of the format tests (made once per run by the fixture scripts) and small helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvick::test {

extern const char kDocumentSamples[];
extern const char kDbaseSamples[];
extern const char kArchiveSamples[];
extern const char kDxfSamples[];

std::vector<uint8_t> SampleBytes(const std::string& script, const std::string& name);
std::string SampleText(const std::string& script, const std::string& name);
// Copies a sample into the fuzzer's seed folder (when the build has one).
void SeedFuzzer(const std::string& fuzzer, const std::string& name, const std::vector<uint8_t>& bytes);

std::string Utf8(const std::u16string& text);
std::u16string Utf16(const std::string& utf8);

}  // namespace morvick::test
