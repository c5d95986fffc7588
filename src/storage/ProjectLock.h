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

// Takes the lock of `folder` for this process. Gives nothing when it is
// taken (or already held by this process, or the folder cannot hold a lock
// file at all, as on a read-only medium where nobody can save); otherwise
// the holder as the developer should read it ("process 4242 on atlas").
std::optional<std::string> takeProjectLock(const std::filesystem::path& folder);

// Removes the lock of `folder` if this process holds it.
void releaseProjectLock(const std::filesystem::path& folder);

}  // namespace zolt
