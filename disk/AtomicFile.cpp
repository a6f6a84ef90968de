#include "disk/AtomicFile.h"

#include "disk/FileCalls.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

namespace
{
using AtomicFile::EResult;
using AtomicFile::Outcome;
using AtomicFile::Reason;

// Names tried before giving up on finding a free one: only a folder filled
// with our own leftovers, or an attacker, makes the first one taken.
constexpr int kNameTries = 100;

Outcome Failed(EResult eResult, std::string strReason)
{
    return Outcome{eResult, std::move(strReason)};
}

// The file a write replaces: a symbolic link stays and its target changes.
std::filesystem::path Target(const std::string& strPath)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(strPath, error))
        return strPath;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(strPath, error);
    return error ? std::filesystem::path(strPath) : resolved;
}

std::filesystem::path Folder(const std::filesystem::path& target)
{
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// A new file beside the target, removed again unless it took the target's
// place. Created with the mode any new file gets (the umask applies), or
// for the owner alone when private.
class CTempFile
{
public:
    explicit CTempFile(const std::filesystem::path& target, bool bPrivate = false)
        : m_bPrivate(bPrivate)
    {
        std::random_device seed;
        std::mt19937 random(seed());
        std::uniform_int_distribution<int> letter(0, 25);
        for (int n = 0; n < kNameTries && m_fd < 0; ++n)
        {
            std::string strTag(6, 'a');
            for (char& c : strTag)
                c = static_cast<char>('a' + letter(random));
            m_path = Folder(target) / ("." + target.filename().string() + "." + strTag + ".part");
            m_fd = FileCalls::CreateNew(m_path, bPrivate);
            m_nErrno = m_fd < 0 ? errno : 0;
            if (m_fd < 0 && m_nErrno != EEXIST)
                break;
        }
        if (m_fd < 0)
            m_path.clear();
    }

    ~CTempFile()
    {
        if (m_fd >= 0)
            FileCalls::Close(m_fd);
        if (!m_path.empty() && !m_bPlaced)
            FileCalls::Remove(m_path);
    }

    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // The reason it could not be created, or 0.
    int CreateErrno() const { return m_nErrno; }
    int Fd() const { return m_fd; }
    const std::filesystem::path& Path() const { return m_path; }

    // False with errno set when the close reports an error (a delayed write
    // failure on some file systems); the descriptor is gone either way.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return FileCalls::Close(fd) == 0;
    }

    // After a filler wrote the file by name: a descriptor to sync it with.
    bool Reopen()
    {
        m_fd = FileCalls::OpenForSync(m_path);
        return m_fd >= 0;
    }

    void Placed() { m_bPlaced = true; }
    bool IsPrivate() const { return m_bPrivate; }

private:
    bool m_bPrivate;
    std::filesystem::path m_path;
    int m_fd = -1;
    int m_nErrno = 0;
    bool m_bPlaced = false;
};

bool WriteAll(int fd, std::span<const std::byte> bytes)
{
    while (!bytes.empty())
    {
        const long long nWritten = FileCalls::WriteSome(fd, bytes.data(), bytes.size());
        if (nWritten < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        // A short count is not an error yet: the next write says why (a full
        // disk, the file size limit).
        bytes = bytes.subspan(static_cast<size_t>(nWritten));
    }
    return true;
}

// The complete content is in temp and its descriptor open: keep the old
// file's permissions (a private file keeps its own), make it durable and put
// it in the target's place.
Outcome Replace(CTempFile& temp, const std::filesystem::path& target)
{
    if (!temp.IsPrivate())
        FileCalls::CopyMode(target, temp.Fd());
    if (FileCalls::Sync(temp.Fd()) != 0)
        return Failed(EResult::kWriteFailed, Reason(errno));
    if (!temp.Close())
        return Failed(EResult::kWriteFailed, Reason(errno));
    if (FileCalls::Replace(temp.Path(), target) != 0)
        return Failed(EResult::kReplaceFailed, Reason(errno));
    temp.Placed();
    FileCalls::SyncFolder(Folder(target));
    return {};
}
}

namespace AtomicFile
{
std::string Reason(int nErrno)
{
    return std::generic_category().message(nErrno);
}

Outcome Write(const std::string& strPath, std::span<const std::byte> bytes)
{
    return Write(strPath, bytes, EAccess::kAsAnyFile);
}

Outcome Write(const std::string& strPath, std::span<const std::byte> bytes, EAccess eAccess)
{
    const std::filesystem::path target = Target(strPath);
    CTempFile temp(target, eAccess == EAccess::kOwnerOnly);
    if (temp.Fd() < 0)
        return Failed(EResult::kWriteFailed, Reason(temp.CreateErrno()));
    if (!WriteAll(temp.Fd(), bytes))
        return Failed(EResult::kWriteFailed, Reason(errno));
    return Replace(temp, target);
}

Outcome WriteThrough(const std::string& strPath, const Filler& fill)
{
    const std::filesystem::path target = Target(strPath);
    CTempFile temp(target);
    if (temp.Fd() < 0)
        return Failed(EResult::kWriteFailed, Reason(temp.CreateErrno()));
    if (!temp.Close())
        return Failed(EResult::kWriteFailed, Reason(errno));
    std::string strReason;
    if (!fill(temp.Path().string(), strReason))
        return Failed(EResult::kWriteFailed, std::move(strReason));
    if (!temp.Reopen())
        return Failed(EResult::kWriteFailed, Reason(errno));
    return Replace(temp, target);
}
}
