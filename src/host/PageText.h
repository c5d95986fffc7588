// The designer page as served: the page text the executable carries with its
// four placeholders filled, and the main window's caption.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zolt {

// The URL under which the application folder is served.
inline constexpr std::string_view kAppUrlPrefix = "/app/";
// The URL under which the open project's folder is served.
inline constexpr std::string_view kProjectUrlPrefix = "/project/";

// Fills every occurrence of each placeholder, case-sensitive, in this order:
// <replace1> (aPath: the application folder's URL as a quoted script string
// and ";"), <replace2> (the colour chart script's URL), <x_Velkora_Version_x>
// ("V1.01"), <replace3> ("url(" + the start screen picture's URL + ");").
// `origin` is "http://127.0.0.1:PORT".
std::string preparePage(std::string_view pageText, const std::string& origin);

// "Velkora  " + version text + "   Last Updated: " + the date of the
// executable as a short date in the user's locale.
std::string mainCaption(const std::string& versionText, const std::filesystem::path& executable);

}  // namespace zolt
