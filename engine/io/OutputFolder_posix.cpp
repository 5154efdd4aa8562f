// POSIX back end of the output layer (the native builds and their tests).
#include "engine/io/OutputFolder.h"

#include "engine/util/Utf.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// UTF-16 path with "\" separators to a UTF-8 path with "/".
std::string ToNativePath(const std::u16string& path)
{
    std::string out = Utf16ToUtf8(path);
    for (char& c : out) {
        if (c == '\\')
            c = '/';
    }
    return out;
}

}  // namespace

bool CreateOutputFolder(const std::u16string& path)
{
    std::string p = ToNativePath(path);
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    if (mkdir(p.c_str(), 0755) == 0)
        return true;
    struct stat st;
    return errno == EEXIST && lstat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool OutputPathIsLink(const std::u16string& path)
{
    std::string p = ToNativePath(path);
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    struct stat st;
    return lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool OutputPathExists(const std::u16string& path)
{
    struct stat st;
    return lstat(ToNativePath(path).c_str(), &st) == 0;
}

bool OutputFolderExists(const std::u16string& path)
{
    struct stat st;
    return stat(ToNativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteOutputFile(const std::u16string& path)
{
    return unlink(ToNativePath(path).c_str()) == 0;
}

bool ReplaceOutputFile(const std::u16string& from, const std::u16string& to)
{
    // rename() replaces the name itself: a link there is replaced, not followed.
    return rename(ToNativePath(from).c_str(), ToNativePath(to).c_str()) == 0;
}

bool ReserveOutputFile(const std::u16string& path)
{
    int fd = open(ToNativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

std::vector<std::u16string> ListOutputFolderFiles(const std::u16string& folder)
{
    std::vector<std::u16string> names;
    const std::string base = ToNativePath(folder);
    DIR* dir = opendir(base.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        struct stat st;
        const std::string full = base + "/" + entry->d_name;
        if (lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(Utf8ToUtf16(entry->d_name));
    }
    closedir(dir);
    return names;
}

bool RemoveOutputFolder(const std::u16string& path)
{
    return rmdir(ToNativePath(path).c_str()) == 0;
}

std::u16string TemporaryFolderPath()
{
    const char* dir = std::getenv("TMPDIR");
    std::u16string path = Utf8ToUtf16(dir && *dir ? dir : "/tmp");
    if (path.back() != u'/')
        path += u'/';
    return path;
}

uint32_t CurrentProcessNumber()
{
    return static_cast<uint32_t>(getpid());
}

bool COutputFile::Create(const std::u16string& path)
{
    Close();
    m_fd = open(ToNativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (m_fd < 0)
        return false;
    m_path = path;
    m_target.clear();
    return true;
}

NewFileResult COutputFile::CreateNew(const std::u16string& path)
{
    Close();
    m_fd = open(ToNativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (m_fd >= 0) {
        m_path = path;
        m_target.clear();
        return NewFileResult::kCreated;
    }
    // EEXIST is the usual refusal; anything else is looked at once more (this path is rare).
    return errno == EEXIST || OutputPathExists(path) ? NewFileResult::kExists : NewFileResult::kFailed;
}

bool COutputFile::SetTimes(uint64_t fileTime)
{
    // FILETIME counts 100 ns from 1601; Unix time counts seconds from 1970.
    const uint64_t epochDelta = 116444736000000000ULL;
    if (m_fd < 0 || fileTime < epochDelta || fileTime >= (1ULL << 63))
        return false;
    uint64_t since1970 = fileTime - epochDelta;
    struct timespec times[2];
    times[0].tv_sec = static_cast<time_t>(since1970 / 10000000ULL);
    times[0].tv_nsec = static_cast<long>((since1970 % 10000000ULL) * 100);
    times[1] = times[0];
    return futimens(m_fd, times) == 0;
}

bool COutputFile::Write(const void* data, size_t count)
{
    if (m_fd < 0)
        return false;
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        ssize_t n = write(m_fd, p, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

bool COutputFile::Close()
{
    if (m_fd < 0)
        return true;
    int rc = close(m_fd);
    m_fd = -1;
    return rc == 0;
}

bool COutputFile::IsOpen() const
{
    return m_fd >= 0;
}
