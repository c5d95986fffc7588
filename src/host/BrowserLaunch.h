// Opens the designer's URL in a browser window.
#pragma once

#include <string>

namespace zolt {

// How the designer's window was started, for the lines the command line
// prints about it.
struct BrowserLaunch {
    bool started = false;    // the browser's program could be started
    bool noSandbox = false;  // Chromium runs without its sandbox (we are root)
};

// `command` empty: Chromium in app mode when installed, else the system's
// default browser (xdg-open). Otherwise the command line given, with the URL
// appended as its last argument. Does not wait for the browser. Chromium
// will not start as root with its sandbox, so as root (as in many
// containers) it is started with --no-sandbox.
BrowserLaunch openBrowser(const std::string& url, const std::string& command = "");

}  // namespace zolt
