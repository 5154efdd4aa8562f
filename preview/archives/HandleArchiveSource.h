// An ArchiveSource over an open Windows file handle (positioned reads, the handle closed with the
// source). Windows only.
#pragma once

#ifdef _WIN32

#include "preview/archives/ArchiveSource.h"

#include <windows.h>

namespace morvick {

class HandleArchiveSource : public ArchiveSource {
public:
    // Takes over the handle.
    explicit HandleArchiveSource(HANDLE file);
    ~HandleArchiveSource() override;
    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;
    uint64_t Size() const override { return m_size; }

private:
    HANDLE m_file;
    uint64_t m_size = 0;
};

}  // namespace morvick

#endif
