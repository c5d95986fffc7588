// Opens the designer's URL in a browser window.
#pragma once

#include <string>

namespace zolt {

// `command` empty: Chromium in app mode when installed, else the system's
// default browser (xdg-open). Otherwise the command line given, with the URL
// appended as its last argument. Does not wait for the browser. Returns false
// when the browser could not be started.
bool openBrowser(const std::string& url, const std::string& command = "");

}  // namespace zolt
