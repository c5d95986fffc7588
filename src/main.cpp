// zolt: the designer's host program. Serves the designer page on 127.0.0.1,
// opens it in a browser window and runs the page's commands until the user
// closes the designer.
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "app/HeadlessBuild.h"
#include "app/HostShell.h"
#include "host/BrowserLaunch.h"
#include "host/Host.h"
#include "host/PageText.h"
#include "host/Server.h"
#include "host/StaticFiles.h"
#include "page/DesignerPage.h"

namespace {

struct Options {
    unsigned short port = 0;
    std::string browser;
    bool noBrowser = false;
    bool testHooks = false;
    std::string buildProject;  // zolt build PROJECT.rwp
    bool quiet = false;        // ... without its progress lines
    std::string openProject;   // zolt PROJECT.rwp
};

// The command line. Further positional arguments and subcommands are added
// here as the program grows.
void describeCommandLine(CLI::App& app, Options& options) {
    app.set_version_flag("--version", std::string("zolt ") + ZOLT_VERSION_TEXT);
    app.add_option("--port", options.port, "Port on 127.0.0.1 to listen on (default: chosen by the system)")
        ->check(CLI::Range(1, 65535));
    app.add_option("--browser", options.browser,
                   "Command that opens the designer; the address is appended (default: Chromium in app mode, "
                   "else the system's browser)");
    app.add_option("project", options.openProject, "A project file (.rwp) to open in the designer")
        ->check(CLI::ExistingFile);
    app.add_flag("--no-browser", options.noBrowser, "Only print the designer's address");
    app.add_flag("--test-hooks", options.testHooks,
                 "Enable the ZoltTestHook command that the end-to-end tests and benchmarks use");
    CLI::App* build = app.add_subcommand(
        "build",
        "Build a project into its Build folder without any browser or window. The build's message boxes "
        "all have the one button OK, which is taken as their answer; their texts are printed, and a line "
        "\"form k/n: Name\" on the error output as each form is written. Exits with 2 when a form's file is "
        "missing or damaged, with 1 when the project cannot be built for another cause (for example when it has "
        "no start form); the previous site is then left as it was.");
    build->add_option("project", options.buildProject, "The project file (.rwp)")->required();
    build->add_flag("--quiet,-q", options.quiet, "Print no progress lines");
}

std::filesystem::path executablePath(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0, ec);
    return exe;
}

// The server keeps many connections open at once (a page loading its
// pictures, and whatever else knocks): allow the process every descriptor
// the system lets it have.
void allowAllDescriptors() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
}

int runDesigner(const Options& options, const std::filesystem::path& executable) {
    allowAllDescriptors();
    zolt::Host host;
    host.appFolder = executable.parent_path();
    host.CloseButtonImagePath = (host.appFolder / "Images" / "closebutton.jpg").string();
    host.StartScreenShown = true;
    host.testHooks = options.testHooks;
    if (!options.openProject.empty()) host.openAtStart = std::filesystem::absolute(options.openProject);

    zolt::Server server({host.appFolder, options.port, zolt::makeToken(),
                         std::string(zolt::designerPageText())});
    host.serveFolder = [&server](const std::string& prefix, const std::filesystem::path& folder) {
        server.serveFolder(prefix, folder);
    };
    server.start();

    std::cout << "ZOLT designer: " << server.url() << std::endl;
    zolt::HostShell shell(host, server, executable);
    if (!options.noBrowser) {
        const zolt::BrowserLaunch launch = zolt::openBrowser(server.url(), options.browser);
        if (!launch.started) {
            std::cerr << "zolt: no browser could be started; open the address above in any browser on this machine."
                      << std::endl;
        } else {
            if (launch.noSandbox) {
                std::cerr << "zolt: running as root, so Chromium is started with --no-sandbox (it refuses to start "
                             "as root otherwise)."
                          << std::endl;
            }
            // A window that never comes (a browser that failed after it started)
            // leaves only the browser's own error; say what to do instead.
            shell.noticeIfNoPage(std::chrono::seconds(20),
                                 "zolt: no designer window has connected yet; open the address above in any "
                                 "browser on this machine.");
        }
    }
    return shell.run();
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    CLI::App app{"ZOLT: design small web applications in your browser."};
    app.name("zolt");
    Options options;
    describeCommandLine(app, options);
    CLI11_PARSE(app, argc, argv);

    int status = 0;
    try {
        if (!options.buildProject.empty()) {
            status = zolt::HeadlessBuild(options.buildProject, executablePath(argv[0]).parent_path(), std::cout,
                                         std::cerr, options.quiet);
        } else {
            status = runDesigner(options, executablePath(argv[0]));
        }
    } catch (const std::exception& e) {
        std::cerr << "zolt: " << e.what() << std::endl;
        status = 1;
    }
    std::cout.flush();
    std::cerr.flush();
    // Request threads may still be blocked on their sockets: end at once.
    std::_Exit(status);
}
