// Safe mapping of URL paths to files of a served folder, and the checks of
// the token every request carries.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolt {

// The decoded segments of a URL path, or nothing when the path is unsafe:
// "." and ".." segments, empty segments, backslashes, encoded dots, slashes,
// backslashes and NULs, and bad percent escapes.
std::optional<std::vector<std::string>> safeSegments(std::string_view urlTail);

// The file that `urlTail` (the URL path below the folder's prefix, without
// the query) names inside `root`, or nothing. Refused: "." and ".." segments,
// empty segments, backslashes, encoded dots, slashes, backslashes and NULs,
// bad percent escapes, and any path whose real location (symbolic links
// followed) lies outside `root`. Names are matched without regard to case
// when no exact match exists. Only regular files are served.
std::optional<std::filesystem::path> resolveStaticFile(const std::filesystem::path& root,
                                                       std::string_view urlTail);

// The Content-Type for a served file, by its extension.
std::string contentTypeFor(const std::filesystem::path& file);

// A fresh random token: 32 bytes from the system's random source, as hex.
std::string makeToken();

// Compares in time independent of where the texts differ.
bool sameToken(std::string_view a, std::string_view b);

// The value of one parameter of a query string ("a=1&token=x"), or nothing.
std::optional<std::string> queryParameter(std::string_view query, std::string_view name);
// The value of one cookie of a Cookie header, or nothing.
std::optional<std::string> cookieValue(std::string_view header, std::string_view name);

}  // namespace zolt
