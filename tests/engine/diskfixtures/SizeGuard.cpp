#include "tests/engine/diskfixtures/SizeGuard.h"

#include "engine/save/SaveState.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace morvick::test {

SizeGuard::SizeGuard(uint64_t limit) : m_limit(limit)
{
    m_previous = SetScanObserver(this);
}

SizeGuard::~SizeGuard()
{
    SetScanObserver(m_previous);
}

// The saver shows the path of the file it writes; the engine's paths have "\\" between their parts.
void SizeGuard::OnStatus(const std::u16string& text)
{
    std::u16string path = text;
    std::replace(path.begin(), path.end(), u'\\', u'/');
    m_current = fs::path(path);
}

void SizeGuard::OnProgress(int)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(m_current, error);
    if (!error && size > m_limit) {
        outgrown.push_back(m_current.u8string());
        g_nSaveSkip = 1;
    }
}

}  // namespace morvick::test
