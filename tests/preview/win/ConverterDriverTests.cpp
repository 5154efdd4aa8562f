// The text-converter driver over the fake converters: which files it takes, which classes it
// finds, the conversion through a temporary RTF file, and its refusals.
#include "preview/win/documents/TextConverterDriver.h"
#include "tests/preview/win/FakeConverters.h"
#include "tests/preview/win/PreviewHarness.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace morvick::test {

namespace {

struct Copy {
    const wchar_t* from;
    const wchar_t* to;
};

// A folder of this run holding the fake converters built next to the test program, renamed.
std::wstring FolderOfConverters(const wchar_t* name, std::initializer_list<Copy> copies)
{
    std::wstring folder = TempFile(name);
    CreateDirectoryW(folder.c_str(), NULL);
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(NULL, exe, MAX_PATH);
    std::wstring here(exe);
    here = here.substr(0, here.rfind(L'\\') + 1);
    for (const Copy& c : copies)
        CopyFileW((here + c.from).c_str(), (folder + L"\\" + c.to).c_str(), FALSE);
    return folder;
}

}  // namespace

std::wstring ConverterFolder()
{
    static const std::wstring folder = FolderOfConverters(L"converters",
        {{L"fake_converter.dll", L"WORD8.CNV"}, {L"fake_importer.dll", L"IMPORT.WPC"},
            {L"fake_noinit.dll", L"NOINIT.CNV"}, {L"fake_badlist.dll", L"BADLIST.CNV"},
            {L"fake_converter.dll", L"x.cnv"}, {L"fake_converter.dll", L"readme.txt"}});
    return folder;
}

std::wstring HalfwayConverterFolder()
{
    static const std::wstring folder =
        FolderOfConverters(L"converters-halfway", {{L"fake_halfway.dll", L"HALFWAY.CNV"}});
    return folder;
}

namespace {

std::string Narrow(const std::wstring& w)
{
    return std::string(w.begin(), w.end());
}

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// What is written to the standard error stream, where the driver's diagnostics go, from its
// construction until Text(); the stream is put back then or at the latest on destruction.
class StderrCapture {
public:
    StderrCapture() : m_path(TempFile(L"stderr.txt"))
    {
        std::fflush(stderr);
        m_saved = _dup(_fileno(stderr));
        int fd = _wopen(m_path.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            _dup2(fd, _fileno(stderr));
            _close(fd);
        }
    }
    ~StderrCapture()
    {
        Restore();
        DeleteFileW(m_path.c_str());
    }
    std::string Text()
    {
        Restore();
        return ReadAll(m_path);
    }

private:
    void Restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        _dup2(m_saved, _fileno(stderr));
        _close(m_saved);
        m_saved = -1;
    }
    std::wstring m_path;
    int m_saved = -1;
};

// The last line of a text, with its line end.
std::string LastLine(const std::string& text)
{
    size_t end = text.size() > 0 ? text.size() - 1 : 0;
    size_t start = text.rfind('\n', end > 0 ? end - 1 : 0);
    return start == std::string::npos || end == 0 ? text : text.substr(start + 1);
}

struct ConverterFolderScope {
    explicit ConverterFolderScope(const std::wstring& folder)
    {
        SetEnvironmentVariableW(L"ZAVOZAR_DIR", folder.c_str());
    }
    ~ConverterFolderScope() { SetEnvironmentVariableW(L"ZAVOZAR_DIR", NULL); }
};

TEST(ConverterDriver, FindsTheConvertersAndTheirClasses)
{
    ConverterFolderScope scope(ConverterFolder());
    std::wstring input = TempFile(L"input.doc"), output = TempFile(L"output.rtf");
    ASSERT_TRUE(WriteBytes(input, {'a', 'b', 'c'}));
    DeleteFileW(output.c_str());
    CTextConverterDriver driver;
    EXPECT_EQ(driver.Convert("MSWord8", "MSWord6RTFExp", Narrow(input).c_str(), Narrow(output).c_str()), 0);
    // Upper-case names are taken, five-character names and other extensions are not, a converter
    // without InitConverter32 is skipped, and a list without a terminator gives no names.
    std::vector<std::string> found;
    for (const CTextConverterDriver::Record& r : driver.Records())
        found.push_back(r.file + ":" + r.className + ":" + std::to_string(r.kind));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found,
        (std::vector<std::string>{"IMPORT.WPC:ImportOnly:0", "WORD8.CNV:MSWord6RTFExp:1", "WORD8.CNV:MSWord8:0"}));
    EXPECT_EQ(ReadAll(output), "{\\rtf1\\ansi Converted by the text converter: 3 bytes.\\par}");
    // Class names are compared without case.
    DeleteFileW(output.c_str());
    EXPECT_EQ(driver.Convert("msword8", "MSWORD6RTFEXP", Narrow(input).c_str(), Narrow(output).c_str()), 0);
    EXPECT_FALSE(ReadAll(output).empty());
}

TEST(ConverterDriver, FailedStepsAndRefusals)
{
    std::wstring input = TempFile(L"input.doc"), output = TempFile(L"refused.rtf");
    ASSERT_TRUE(WriteBytes(input, {'x'}));
    DeleteFileW(output.c_str());
    CTextConverterDriver driver;
    {
        // No converter folder: 1, and the output is not touched.
        ConverterFolderScope scope(TempFile(L"nowhere"));
        EXPECT_EQ(driver.Convert("MSWord8", "MSWord6RTFExp", Narrow(input).c_str(), Narrow(output).c_str()), 1);
        EXPECT_EQ(GetFileAttributesW(output.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    ConverterFolderScope scope(ConverterFolder());
    {
        // Equal classes (without case): refused before anything is converted.
        StderrCapture errors;
        EXPECT_EQ(driver.Convert("MSWord8", "msword8", Narrow(input).c_str(), Narrow(output).c_str()), 1);
        // (Discovery has said first that NOINIT.CNV cannot be used.)
        EXPECT_EQ(LastLine(errors.Text()), "zavozar: error: Nothing to do; import and export class are the same\n");
    }
    EXPECT_EQ(driver.Convert(nullptr, "RTF", "a", "b"), 2);
    EXPECT_EQ(driver.Convert("MSWord8", "RTF", std::string(300, 'a').c_str(), "b"), 2);
    {
        // An importer without an exporter of the class: a failure, said in the driver's own words,
        // and nothing written.
        StderrCapture errors;
        EXPECT_EQ(driver.Convert("ImportOnly", "NoSuchClass", Narrow(input).c_str(), Narrow(output).c_str()), 1);
        EXPECT_EQ(LastLine(errors.Text()), "Export class NoSuchClass not found\n");
        EXPECT_EQ(GetFileAttributesW(output.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    // An input the converter cannot open: reported, a failure, nothing written.
    EXPECT_EQ(driver.Convert("MSWord8", "MSWord6RTFExp", Narrow(TempFile(L"absent.doc")).c_str(),
                  Narrow(output).c_str()),
        1);
    EXPECT_EQ(GetFileAttributesW(output.c_str()), INVALID_FILE_ATTRIBUTES);
    {
        // An export that fails after writing half of the output is a failure too.
        ConverterFolderScope halfway(HalfwayConverterFolder());
        EXPECT_EQ(driver.Convert("MSWord8", "MSWord6RTFExp", Narrow(input).c_str(), Narrow(output).c_str()), 1);
        EXPECT_FALSE(ReadAll(output).empty()) << "the fake converter wrote nothing";
        DeleteFileW(output.c_str());
    }
    // The temporary RTF files are gone.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    WIN32_FIND_DATAW fd;
    HANDLE search = FindFirstFileW((std::wstring(temp) + L"cnv*.tmp").c_str(), &fd);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

TEST(ConverterDriver, TheTemporaryFileNeverTakesAnotherFilesName)
{
    ConverterFolderScope scope(ConverterFolder());
    std::wstring input = TempFile(L"input.doc"), output = TempFile(L"beside.rtf");
    ASSERT_TRUE(WriteBytes(input, {'a', 'b', 'c'}));
    // A temporary file of the same prefix that another program (or another running copy of this
    // one) holds: the name a number from the C library's random sequence would give.
    const unsigned seed = 4242;
    std::srand(seed);
    wchar_t name[32];
    swprintf(name, 32, L"cnv%x.tmp", (static_cast<unsigned>(std::rand()) | 1u) & 0xFFFFu);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring theirs = std::wstring(temp) + name;
    ASSERT_TRUE(WriteBytes(theirs, {'t', 'h', 'e', 'i', 'r', 's'}));
    CTextConverterDriver driver;
    {
        // Open in the middle of its own conversion, shared with nobody.
        HANDLE held = CreateFileW(theirs.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::srand(seed);
        EXPECT_EQ(driver.Convert("MSWord8", "MSWord6RTFExp", Narrow(input).c_str(), Narrow(output).c_str()), 0);
        CloseHandle(held);
    }
    std::srand(seed);
    EXPECT_EQ(driver.Convert("MSWord8", "MSWord6RTFExp", Narrow(input).c_str(), Narrow(output).c_str()), 0);
    EXPECT_EQ(ReadAll(output), "{\\rtf1\\ansi Converted by the text converter: 3 bytes.\\par}");
    EXPECT_EQ(ReadAll(theirs), "theirs");
    DeleteFileW(theirs.c_str());
    DeleteFileW(output.c_str());
}

}  // namespace
}  // namespace morvick::test
