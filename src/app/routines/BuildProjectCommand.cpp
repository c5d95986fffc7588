// Builds (1) or previews (0) the open project: the "Loading" window is up
// while the page writer runs, counting the forms as they are written; a
// preview opens at the address the host serves the project folder under.
#include <chrono>

#include "app/Routines.h"
#include "host/LoadingWindow.h"

namespace zolt {

BuildRequest BuildRequestFor(const Host& host, int buildMode) {
    BuildRequest request;
    request.mode = buildMode;
    request.ProjectFilePath = host.ProjectFilePath;
    request.ProjectFileName = host.ProjectFileName;
    request.appFolder = host.appFolder;
    request.formsNotOpened = host.formsNotOpened;
    for (const auto& refused : host.formsRefused) request.formsRefused.push_back(refused.first);
    return request;
}

void BuildProjectCommand(Host& host, int buildMode) {
    Page& page = host.pageRef();
    BuildRequest request = BuildRequestFor(host, buildMode);
    std::filesystem::path projectFolder = std::filesystem::path(host.ProjectFilePath).parent_path();
    if (host.serveFolder && !host.ProjectFilePath.empty()) host.serveFolder("/project/", projectFolder);
    request.previewAddress = [projectFolder](const std::filesystem::path& file) {
        return "/project/" + std::filesystem::relative(file, projectFolder).generic_string();
    };
    const std::string label = buildMode == 1 ? "Building" : "Loading";
    // Each change of the label is a round trip to the page: a few a second
    // are enough to see the build go on.
    using Clock = std::chrono::steady_clock;
    Clock::time_point shown{};
    request.progress = [&](int k, int n, const std::string& form) {
        if (Clock::now() - shown < std::chrono::milliseconds(100)) return;
        ShowLoading(host, label + "\nform " + std::to_string(k) + "/" + std::to_string(n) + ": " + form);
        shown = Clock::now();
    };
    LoadingWindow loading{[&host](const std::string& text) { ShowLoading(host, text); },
                          [&host] {
                              try {
                                  UnloadLoading(host);
                              } catch (const PageError&) {
                              }
                          }};
    RunBuildCommand(page, request, loading);
}

}  // namespace zolt
