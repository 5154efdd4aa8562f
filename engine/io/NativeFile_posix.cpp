#include "engine/io/NativeFile.h"

#include "engine/util/Utf.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

NativeFileHandle OpenNativeFileForReading(const std::u16string& path, bool /*shareWrite*/)
{
    const std::string native = Utf16ToUtf8(path);
    if (native.empty() || native.find('\0') != std::string::npos)
        return kInvalidNativeFile;
    int fd;
    do {
        fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return kInvalidNativeFile;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return kInvalidNativeFile;
    }
    return fd;
}

bool ReadNativeFileAt(NativeFileHandle file, uint64_t offset, void* buffer, size_t size)
{
    if (file < 0 || offset > static_cast<uint64_t>(INT64_MAX) || size > static_cast<uint64_t>(INT64_MAX) - offset)
        return false;
    auto* out = static_cast<uint8_t*>(buffer);
    while (size > 0) {
        const size_t piece = size < (size_t(1) << 30) ? size : (size_t(1) << 30);
        const ssize_t got = ::pread(static_cast<int>(file), out, piece, static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return false;  // end of file before the count
        out += got;
        offset += static_cast<uint64_t>(got);
        size -= static_cast<size_t>(got);
    }
    return true;
}

bool GetNativeFileSize(NativeFileHandle file, uint64_t& size)
{
    if (file < 0)
        return false;
    struct stat st;
    if (::fstat(static_cast<int>(file), &st) != 0)
        return false;
    if (S_ISREG(st.st_mode)) {
        size = static_cast<uint64_t>(st.st_size);
        return true;
    }
    const off_t end = ::lseek(static_cast<int>(file), 0, SEEK_END);
    if (end < 0)
        return false;
    size = static_cast<uint64_t>(end);
    return true;
}

bool CloseNativeFile(NativeFileHandle file)
{
    if (file < 0)
        return false;
    return ::close(static_cast<int>(file)) == 0;
}

bool FileExists(const std::u16string& path)
{
    struct stat st;
    const std::string native = Utf16ToUtf8(path);
    return !native.empty() && ::stat(native.c_str(), &st) == 0;
}
