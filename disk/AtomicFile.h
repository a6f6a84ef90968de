#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>

// Files written whole or not at all, the one way every file of the program
// and its tools reaches the disk.
//
// The new content goes into a file beside the target under a hidden name
// (".<name>.<random>.part"). Only when every write, the sync to the disk and
// the close have succeeded does it take the target's place, in one rename;
// the target then has the permissions the old file had (a new one those any
// new file gets). On any failure the target is left as it was, byte for
// byte, and the temporary file is removed. A symbolic link is followed: the
// file it points to is replaced, the link stays.
namespace AtomicFile
{
enum class EResult
{
    kOk,
    kWriteFailed,    // the new file could not be written; nothing changed
    kReplaceFailed,  // it was written but could not take the target's place
};

struct Outcome
{
    EResult eResult = EResult::kOk;
    // On failure the system's reason ("File too large", "Permission
    // denied"), or the filler's own; empty only when nobody gave one.
    std::string strReason;

    bool Ok() const { return eResult == EResult::kOk; }
};

Outcome Write(const std::string& strPath, std::span<const std::byte> bytes);

// Who may read the file written.
enum class EAccess
{
    kAsAnyFile,  // the old file's permissions, or those of any new file
    kOwnerOnly,  // mode 0600 from its first byte on: a secret such as a token
};
Outcome Write(const std::string& strPath, std::span<const std::byte> bytes, EAccess eAccess);

// For writers that open the file by name themselves (a spreadsheet or PDF
// library): `fill` writes the file at `strTempPath` and says whether that
// succeeded, with its reason in `strReason` when it did not. The file is
// then synced and put in place as above.
using Filler = std::function<bool(const std::string& strTempPath, std::string& strReason)>;
Outcome WriteThrough(const std::string& strPath, const Filler& fill);

// The system's text for an errno value, as the messages above give it.
std::string Reason(int nErrno);
}
