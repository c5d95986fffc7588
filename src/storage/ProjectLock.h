// The lock that keeps one project open in one ZOLT at a time: a file in the
// project folder holding the process id, the machine's name and its boot,
// written when the project is opened or created and removed when it is left.
// A lock whose process is gone (ended, crashed, or from before the machine
// last started) is taken over.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zolt {

// The lock file's name inside the project folder.
inline constexpr const char* kLockFileName = ".zolt.lock";

// Who holds a lock: as the developer should read it ("process 4242 on
// atlas"), and whether that is another machine, where ZOLT cannot tell if
// the process still runs (a folder copied while open keeps its lock, too).
struct LockHolder {
    std::string description;
    bool elsewhere = false;
};

// Takes the lock of `folder` for this process. Gives nothing when it is
// taken (or already held by this process, or the folder cannot hold a lock
// file at all, as on a read-only medium where nobody can save); otherwise
// the holder.
std::optional<LockHolder> takeProjectLock(const std::filesystem::path& folder);

// Takes the lock whoever holds it (the developer said its holder is gone).
void takeOverProjectLock(const std::filesystem::path& folder);

// Removes the lock of `folder` if this process holds it.
void releaseProjectLock(const std::filesystem::path& folder);

}  // namespace zolt
