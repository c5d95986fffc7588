#include "host/BrowserLaunch.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

extern char** environ;

namespace zolt {

namespace {

bool onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::stringstream dirs(path);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (!dir.empty() && ::access((std::filesystem::path(dir) / name).c_str(), X_OK) == 0) return true;
    }
    return false;
}

// Starts argv detached: the browser outlives nothing of ours and leaves no zombie
// (the intermediate child exits at once and is reaped here).
bool spawnDetached(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        ::setsid();
        pid_t browser = 0;
        int rc = ::posix_spawnp(&browser, argv[0], nullptr, nullptr, argv.data(), environ);
        ::_exit(rc == 0 ? 0 : 127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

BrowserLaunch openBrowser(const std::string& url, const std::string& command) {
    if (!command.empty()) {
        // The command may carry its own arguments; the shell splits them.
        return {spawnDetached({"/bin/sh", "-c", command + " \"$1\"", "sh", url}), false};
    }
    std::string chromium;
    if (::access("/usr/bin/chromium", X_OK) == 0) chromium = "/usr/bin/chromium";
    else if (onPath("chromium")) chromium = "chromium";
    if (chromium.empty()) return {spawnDetached({"xdg-open", url}), false};
    std::vector<std::string> args{chromium, "--app=" + url};
    const bool root = ::geteuid() == 0;
    if (root) args.push_back("--no-sandbox");
    return {spawnDetached(args), root};
}

}  // namespace zolt
