// "zolt build PROJECT.rwp": a project built without any browser or window.
// The project is opened into the headless designer page exactly as the
// designer opens it, and built into its Build folder. Every message box is
// answered with OK (each box of opening and building offers that button);
// their texts are printed.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace zolt {

// Builds the project; prints where it wrote, or the message that stopped it,
// and (unless `quiet`) a line "form k/n: Name" on `err` as each form is
// written. Returns the exit status: 0 built, 2 not built because a form's
// file is missing or damaged, 1 not built for another cause.
int HeadlessBuild(const std::filesystem::path& projectFile, const std::filesystem::path& appFolder,
                  std::ostream& out, std::ostream& err, bool quiet = false);

}  // namespace zolt
