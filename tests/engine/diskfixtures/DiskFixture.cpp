#include "tests/engine/diskfixtures/DiskFixture.h"

#include "tests/engine/diskfixtures/RunScript.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace morvick::test {

namespace {

std::map<std::string, std::string>& Folders()
{
    static std::map<std::string, std::string> folders;
    return folders;
}

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool FileExists(const std::string& unixPath)
{
    std::FILE* f = std::fopen(HostPath(unixPath).c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

// "" where TZ is unset, else "-tz-" and TZ with every character but letters, digits, '-' and '_'
// as '_'.
std::string ZoneTag()
{
    const std::string tz = Env("TZ");
    if (tz.empty())
        return "";
    std::string tag = "-tz-";
    for (char c : tz)
        tag += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    return tag;
}

}  // namespace

std::string SourceDir()
{
    return Env("MORVICK_SOURCE_DIR");
}

DiskFixtureEnvironment::DiskFixtureEnvironment(std::vector<std::string> scripts) : m_scripts(std::move(scripts)) {}

void DiskFixtureEnvironment::SetUp()
{
    // One folder per script for every program of every configuration built beside this one (the
    // build tree's parent, as build/native and build/windows64 share build/): the disks a script
    // makes are made once (tests/fixtures/shared-fixture.sh), and the tests only read them.
    const std::string binary = Env("MORVICK_BINARY_DIR");
    const size_t slash = binary.find_last_of('/');
    m_root = (slash == std::string::npos || slash == 0 ? std::string("/tmp") : binary.substr(0, slash)) +
             "/disk-fixtures";
    // A program run in another zone (TZ) has folders of its own: the disks' times depend on the zone,
    // and a shared folder would be made again under the programs of the other zone as they read it.
    const std::string zone = ZoneTag();
    for (const std::string& script : m_scripts) {
        const std::string folder = m_root + "/" + script.substr(0, script.rfind('.')) + zone;
        RunFixtureScript(SourceDir() + "/tests/fixtures/shared-fixture.sh", {script, folder});
        if (FileExists(folder + "/done"))
            Folders()[script] = folder;
        else
            ADD_FAILURE() << "fixture script " << script << " did not finish (is MORVICK_SOURCE_DIR set?)";
    }
}

void DiskFixtureEnvironment::TearDown()
{
    Folders().clear();
}

std::string FixtureFolder(const std::string& script)
{
    auto it = Folders().find(script);
    return it == Folders().end() ? std::string() : it->second;
}

std::string FixtureFile(const std::string& script, const std::string& name)
{
    return HostPath(FixtureFolder(script) + "/" + name);
}

std::string FuzzSeedFolder(const std::string& fuzzer)
{
    const std::string binary = Env("MORVICK_BINARY_DIR");
    if (binary.empty())
        return "";
    const std::string folder = binary + "/fuzz-seeds/" + fuzzer;
    RunFixtureScript(SourceDir() + "/tests/fixtures/make-folder.sh", {folder});
    return folder;
}

bool WriteFileBytes(const std::string& unixPath, const uint8_t* data, size_t size)
{
    std::FILE* f = std::fopen(HostPath(unixPath).c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

}  // namespace morvick::test
