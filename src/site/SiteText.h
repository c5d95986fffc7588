// The text of the built site's files. The page and the script are kept in the
// Windows-1252 code page like every file of a project; a character the code
// page cannot hold is written as a character reference in the page and as an
// escape in the script, so that any name or caption reaches the browser
// whole. Addresses that the page writes are percent-encoded, so that a
// project or picture named "Shop #2 Café" is found under its own name.
#pragma once

#include <string>
#include <string_view>

namespace zolt {

// The page's bytes from its text (UTF-8): Windows-1252, with every
// character outside the code page as "&#N;".
std::string pageBytes(std::string_view utf8);

// The script's bytes from its text (UTF-8): Windows-1252, with every
// character outside the code page as "\uXXXX" (two of them, a surrogate
// pair, beyond the first plane).
std::string scriptBytes(std::string_view utf8);

// A file name or relative path as an address: every byte but letters,
// digits, "-", ".", "_", "~" and "/" percent-encoded (UTF-8).
std::string urlPath(std::string_view utf8);

}  // namespace zolt
