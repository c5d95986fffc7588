// The Build folder, replaced whole. A build writes every file into a fresh
// folder beside Build and swaps it in only when everything is written, so a
// full disk, a folder that may not be changed or a build killed half-way
// leaves the previous site as it was, never a mix of old and new files.
#pragma once

#include <filesystem>

namespace zolt {

class SiteFolder {
public:
    // Readies a fresh, empty folder beside `target` (beside the folder it
    // leads to, when it is a symbolic link). What an interrupted
    // build left (a fresh or a replaced folder) is cleared away first, and a
    // Build folder that an interrupted swap had moved aside is put back.
    explicit SiteFolder(std::filesystem::path target);
    // Not committed: the fresh folder is removed; the target is untouched.
    ~SiteFolder();
    SiteFolder(const SiteFolder&) = delete;
    SiteFolder& operator=(const SiteFolder&) = delete;

    // Where the build writes the site's files.
    const std::filesystem::path& fresh() const { return fresh_; }

    // Puts the fresh folder in the target's place. Files of the old folder
    // that the build did not write (the developer's own pages, pictures of
    // earlier builds) are kept. Throws BuildError, with the target as it
    // was, when the old folder cannot be replaced.
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path fresh_;
    std::filesystem::path aside_;
    bool committed_ = false;
};

}  // namespace zolt
