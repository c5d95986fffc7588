// The recovery copy of a project's unsaved changes.
//
// While the developer works, the page tells the host (a little after each
// change) which forms changed since the last save; the host writes the
// project file as the page has it and those forms' files into a hidden
// folder of the project. The project's own files are never touched. A save
// removes the copy, and so does answering No to the question whether to save.
// When the designer ended without either (its window closed, the browser or
// the machine gone), the next opening of the project offers the copy.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"

namespace zolt {

inline constexpr const char* kRecoveryFolderName = ".zolt-recovery";

std::filesystem::path recoveryFolder(const std::filesystem::path& projectFolder);

// Writes the recovery copy of the open project: its project file and the
// files of `changedForms` (names as the forms list has them). Does nothing
// when no project is open in the page or it has no unsaved changes.
void KeepRecoveryCopy(Host& host, const std::vector<std::string>& changedForms);

// Removes the open project's recovery copy.
void DiscardRecoveryCopy(const Host& host);

// The project file of the recovery copy kept for `projectFile`, if any.
std::optional<std::filesystem::path> recoveryCopyOf(const std::filesystem::path& projectFile);

}  // namespace zolt
