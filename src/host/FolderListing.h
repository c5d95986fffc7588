// What the file chooser lists of a folder: the sub-folders the user can open
// and the files matching a pattern that the user can read.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zolt {

struct FolderListing {
    bool readable = false;             // false: the folder could not be read
    std::vector<std::string> folders;  // names, sorted without regard to case
    std::vector<std::string> files;
};

// Patterns are shell wildcards ("*.rwp"), matched without regard to case;
// several are separated by ";" ("*.jpg;*.png"), and a name matching any of
// them matches.
bool matchesPattern(const std::string& name, std::string_view pattern);

// The sub-folders of a folder and its files that match the pattern.
FolderListing listFolder(const std::filesystem::path& folder, std::string_view pattern);

}  // namespace zolt
