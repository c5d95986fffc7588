// The window thread: waits for the designer page, answers it, and ends the
// program when the user closes the designer (the close question, or the
// browser window closed with no page coming back).
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "host/Host.h"
#include "host/Server.h"

namespace zolt {

class HostShell {
public:
    HostShell(Host& host, Server& server, std::filesystem::path executable);

    // Runs until the program ends; returns its exit status.
    int run();

    // How long the program waits for a page to come back after the last one
    // went away (a reload reconnects well within it).
    std::chrono::milliseconds reconnectGrace{3000};

    // Prints `text` on the error output when no page has connected within
    // `after` of run()'s start (the window that was opened never came).
    void noticeIfNoPage(std::chrono::milliseconds after, std::string text) {
        noticeAfter_ = after;
        notice_ = std::move(text);
    }

    // Answers one call of the page: "command", "dialog", "close" or
    // "keepRecoveryCopy" (with the names of the forms changed since the
    // last time).
    nlohmann::json onPageCall(const std::string& name, const nlohmann::json& args);

private:
    void onConnected();
    void runPageCommand(const std::string& text, bool& recognised);

    Host& host_;
    Server& server_;
    std::filesystem::path executable_;
    std::chrono::milliseconds noticeAfter_{0};
    std::string notice_;
    bool quitting_ = false;
    int running_ = 0;  // page commands and close requests running (nested ones counted too)
};

}  // namespace zolt
