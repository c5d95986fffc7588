#include "host/FolderListing.h"

#include <fnmatch.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <system_error>

namespace zolt {

namespace {

bool lessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

bool matchesPattern(const std::string& name, std::string_view pattern) {
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string_view::npos) end = pattern.size();
        const std::string one(pattern.substr(start, end - start));
        if (!one.empty() && ::fnmatch(one.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
        start = end + 1;
    }
    return false;
}

FolderListing listFolder(const std::filesystem::path& folder, std::string_view pattern) {
    namespace fs = std::filesystem;
    FolderListing out;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) return out;
    out.readable = true;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const fs::path& p = it->path();
        const std::string name = p.filename().string();
        std::error_code sec;
        if (it->is_directory(sec)) {
            // Only folders the user could open and list.
            if (::access(p.c_str(), R_OK | X_OK) == 0) out.folders.push_back(name);
        } else if (it->is_regular_file(sec)) {
            if (matchesPattern(name, pattern) && ::access(p.c_str(), R_OK) == 0) {
                out.files.push_back(name);
            }
        }
    }
    std::sort(out.folders.begin(), out.folders.end(), lessNoCase);
    std::sort(out.files.begin(), out.files.end(), lessNoCase);
    return out;
}

}  // namespace zolt
