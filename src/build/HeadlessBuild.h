// "zolt build PROJECT.rwp": a project built without any browser or window.
// The project is opened into an in-memory designer page and built into its
// Build folder; message boxes are answered as a script would answer them
// (every box here has the one button OK).
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "page/DomPage.h"

namespace zolt {

// Opens the project's settings, page code and listed forms into `page`.
// Throws BuildError (or FileError) when the project cannot be read.
void OpenProjectHeadless(DomPage& page, const std::filesystem::path& projectFile);

// Builds the project; prints where it wrote, or the message that stopped it.
// Returns the exit status: 0 built, 1 not built.
int HeadlessBuild(const std::filesystem::path& projectFile, const std::filesystem::path& appFolder,
                  std::ostream& out, std::ostream& err);

}  // namespace zolt
