#pragma once

#include <cstddef>
#include <filesystem>

// The few file-system calls an atomic write needs, on POSIX systems and on
// Windows (through the C runtime), each answering as POSIX does: a
// descriptor or -1, 0 or -1, with errno set on failure.
namespace FileCalls
{
// A new file that must not exist yet, for writing. bPrivate: readable and
// writable by its owner alone from the start (a secret), whatever the umask.
int CreateNew(const std::filesystem::path& path, bool bPrivate = false);
int OpenForSync(const std::filesystem::path& path);
long long WriteSome(int fd, const std::byte* pData, std::size_t nSize);
int Sync(int fd);
int Close(int fd);
int Remove(const std::filesystem::path& path);
// Gives the file behind fd the permission bits of `model`, when that is a
// regular file; nothing where the system keeps no such bits.
void CopyMode(const std::filesystem::path& model, int fd);
// Puts `from` in the place of `to`, replacing it, in one step.
int Replace(const std::filesystem::path& from, const std::filesystem::path& to);
// Makes a rename in `folder` durable where the system allows it.
void SyncFolder(const std::filesystem::path& folder);
}
