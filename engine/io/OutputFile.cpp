// The parts of COutputFile that both back ends share: replacing a file only once its successor has
// been written whole.
#include "engine/io/OutputFolder.h"

#include "engine/util/Utf.h"

#include <atomic>

namespace {

// How many temporary names are tried before giving up (each taken one costs one request).
constexpr int kReplacementNameTries = 1000;

std::u16string DecimalOf(uint64_t n)
{
    return Utf8ToUtf16(std::to_string(n));
}

// The folder part of a path, with its separator.
std::u16string FolderOf(const std::u16string& path)
{
    const size_t at = path.find_last_of(u"\\/");
    return at == std::u16string::npos ? std::u16string() : path.substr(0, at + 1);
}

}  // namespace

COutputFile::~COutputFile()
{
    if (!m_target.empty())
        Discard();
    else
        Close();
}

bool COutputFile::CreateReplacement(const std::u16string& path)
{
    // In the target's folder, so that the renaming stays on one volume.
    static std::atomic<uint32_t> s_counter{0};
    const std::u16string folder = FolderOf(path);
    const std::u16string stem = u"~morvick-" + DecimalOf(CurrentProcessNumber()) + u"-";
    for (int i = 0; i < kReplacementNameTries; ++i) {
        const NewFileResult result = CreateNew(folder + stem + DecimalOf(++s_counter) + u".tmp");
        if (result == NewFileResult::kFailed)
            return false;
        if (result == NewFileResult::kCreated) {
            m_target = path;
            return true;
        }
    }
    return false;
}

bool COutputFile::Commit()
{
    const bool closed = Close();
    const std::u16string path = m_path;
    const std::u16string target = m_target;
    m_path.clear();
    m_target.clear();
    if (closed && (target.empty() || ReplaceOutputFile(path, target)))
        return true;
    if (!path.empty())
        DeleteOutputFile(path);
    return false;
}

void COutputFile::Discard()
{
    Close();
    if (!m_path.empty())
        DeleteOutputFile(m_path);
    m_path.clear();
    m_target.clear();
}
