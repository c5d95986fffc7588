#include "app/HostShell.h"

#include <iostream>
#include <utility>

#include "app/CommandTable.h"
#include "app/Routines.h"
#include "host/FileDialog.h"
#include "host/PageText.h"
#include "storage/ProjectLock.h"
#include "storage/ProjectRoutines.h"
#include "storage/RecoveryCopy.h"

namespace zolt {

using nlohmann::json;

namespace {

// Counts a routine of the page's while it runs.
class Counted {
public:
    explicit Counted(int& n) : n_(n) { ++n_; }
    ~Counted() { --n_; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

private:
    int& n_;
};

}  // namespace

HostShell::HostShell(Host& host, Server& server, std::filesystem::path executable)
    : host_(host), server_(server), executable_(std::move(executable)) {
    host_.quit = [this] { quitting_ = true; };
}

int HostShell::run() {
    bool everConnected = false;
    bool noticed = notice_.empty();
    while (!quitting_) {
        std::optional<std::chrono::milliseconds> wait;
        if (everConnected) wait = reconnectGrace;
        else if (!noticed) wait = noticeAfter_;
        auto socket = server_.waitForPage(wait);
        if (!socket && !everConnected && !noticed) {
            std::cerr << notice_ << std::endl;  // then wait on: the address still works
            noticed = true;
            continue;
        }
        if (!socket) break;  // the browser window was closed and nothing came back
        everConnected = true;

        BrowserPage page(std::move(socket),
                         [this](const std::string& name, const json& args) { return onPageCall(name, args); });
        host_.page = &page;
        try {
            try {
                onConnected();
            } catch (const ConnectionLost&) {
                throw;
            } catch (const std::exception& e) {
                // The page answered something unusable: it stays connected.
                std::cerr << "zolt: " << e.what() << "\n";
            }
            page.serve([this] { return !quitting_; });
        } catch (const ConnectionLost&) {
            // The page went away (closed or reloading).
        } catch (const PageError& e) {
            std::cerr << "zolt: " << e.what() << "\n";
        }
        host_.page = nullptr;
        page.close();
        server_.pageEnded();
    }
    releaseProjectLock(host_.lockedFolder);
    return 0;
}

void HostShell::onConnected() {
    Page& page = host_.pageRef();
    // A page that (re)connects starts at its start screen: no project is
    // open in it any more, and none is held for it.
    host_.StartScreenShown = true;
    releaseProjectLock(host_.lockedFolder);
    host_.lockedFolder.clear();
    if (host_.caption.empty()) {
        if (Element start = page.getElementById("StartScreen")) {
            host_.VersionText = page.getAttribute(start, "ZOLT_VERSION").value_or("");
        }
        host_.caption = mainCaption(host_.VersionText, executable_);
    }
    page.setTitle(host_.caption);
    if (!host_.openAtStart.empty()) {
        const std::filesystem::path project = std::exchange(host_.openAtStart, {});
        OpenProjectFile(host_, project, project.filename().string());
    }
}

json HostShell::onPageCall(const std::string& name, const json& args) {
    auto arg = [&](std::size_t i) {
        return args.is_array() && i < args.size() && args[i].is_string() ? args[i].get<std::string>() : std::string();
    };
    if (name == "command") {
        bool recognised = false;
        runPageCommand(arg(0), recognised);
        return recognised;
    }
    if (name == "dialog") {
        if (!host_.dialog) return nullptr;
        std::string state = host_.dialog->onEvent(arg(0), arg(1));
        return state.empty() ? json() : json(state);
    }
    if (name == "close") {
        Counted running(running_);
        return CloseRequest(host_);
    }
    if (name == "keepRecoveryCopy") {
        // Background work of the page: never inside a command that runs.
        if (running_ > 0) return false;
        std::vector<std::string> forms;
        if (args.is_array() && !args.empty() && args[0].is_array()) {
            for (const json& f : args[0]) {
                if (f.is_string()) forms.push_back(f.get<std::string>());
            }
        }
        KeepRecoveryCopy(host_, forms);
        return true;
    }
    throw PageError("the host has no routine " + name);
}

void HostShell::runPageCommand(const std::string& text, bool& recognised) {
    Counted running(running_);
    try {
        recognised = runCommand(host_, text);
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception& e) {
        // A routine failed in a way it did not report itself: say so, as the
        // host does for every error it catches.
        recognised = true;
        host_.pageRef().msgBox(e.what(), MsgButtons::OK, MsgIcon::Critical);
    }
}

}  // namespace zolt
