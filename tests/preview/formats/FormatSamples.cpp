#include "tests/preview/formats/FormatSamples.h"

#include "preview/text/Utf8.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"

#include <gtest/gtest.h>

#include <map>

namespace morvick::test {

const char kDocumentSamples[] = "make-document-samples.sh";
const char kDbaseSamples[] = "make-dbase-samples.sh";
const char kArchiveSamples[] = "make-archive-samples.sh";
const char kDxfSamples[] = "make-dxf-samples.sh";

namespace {

auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new DiskFixtureEnvironment({kDocumentSamples, kDbaseSamples, kArchiveSamples, kDxfSamples}));

}  // namespace

std::vector<uint8_t> SampleBytes(const std::string& script, const std::string& name)
{
    return ReadBinaryFile(FixtureFile(script, name));
}

std::string SampleText(const std::string& script, const std::string& name)
{
    return ReadTextFile(FixtureFile(script, name));
}

void SeedFuzzer(const std::string& fuzzer, const std::string& name, const std::vector<uint8_t>& bytes)
{
    static std::map<std::string, std::string> folders;
    auto found = folders.find(fuzzer);
    if (found == folders.end())
        found = folders.emplace(fuzzer, FuzzSeedFolder(fuzzer)).first;
    if (!found->second.empty() && !bytes.empty())
        WriteFileBytes(found->second + "/" + name, bytes.data(), bytes.size());
}

std::string Utf8(const std::u16string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u16string Utf16(const std::string& utf8)
{
    return Utf8ToUtf16(utf8);
}

}  // namespace morvick::test
