#include "disk/FileCalls.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace FileCalls
{
#ifdef _WIN32
int CreateNew(const std::filesystem::path& path, bool)
{
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

int OpenForSync(const std::filesystem::path& path)
{
    // _commit needs a descriptor that may write.
    return ::_wopen(path.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}

long long WriteSome(int fd, const std::byte* pData, std::size_t nSize)
{
    constexpr std::size_t kMaxChunk = 1u << 30;
    return ::_write(fd, pData, static_cast<unsigned>(nSize < kMaxChunk ? nSize : kMaxChunk));
}

int Sync(int fd)
{
    return ::_commit(fd);
}

int Close(int fd)
{
    return ::_close(fd);
}

int Remove(const std::filesystem::path& path)
{
    return ::_wunlink(path.c_str());
}

void CopyMode(const std::filesystem::path&, int)
{
}

int Replace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    // The standard library replaces an existing target here, which the C
    // runtime's rename does not.
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (!error)
        return 0;
    errno = error.value();
    return -1;
}

void SyncFolder(const std::filesystem::path&)
{
}
#else
int CreateNew(const std::filesystem::path& path, bool bPrivate)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, bPrivate ? 0600 : 0666);
}

int OpenForSync(const std::filesystem::path& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

long long WriteSome(int fd, const std::byte* pData, std::size_t nSize)
{
    return ::write(fd, pData, nSize);
}

int Sync(int fd)
{
    return ::fsync(fd);
}

int Close(int fd)
{
    return ::close(fd);
}

int Remove(const std::filesystem::path& path)
{
    return ::unlink(path.c_str());
}

void CopyMode(const std::filesystem::path& model, int fd)
{
    struct stat old{};
    // Permissions are not content: a file system without them takes the file.
    if (::stat(model.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
}

int Replace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return ::rename(from.c_str(), to.c_str());
}

// The rename is already done: a folder that cannot be synced (some file
// systems refuse) leaves the new file in place, so this is not a failure.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#endif
}
