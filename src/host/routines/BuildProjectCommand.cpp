// Builds (1) or previews (0) the open project: the "Loading" window is up
// while the page writer runs; a preview opens at the address the host serves
// the project folder under.
#include "build/PageWriter.h"
#include "host/LoadingWindow.h"
#include "host/Routines.h"

namespace zolt {

void BuildProjectCommand(Host& host, int buildMode) {
    Page& page = host.pageRef();
    BuildRequest request;
    request.mode = buildMode;
    request.ProjectFilePath = host.ProjectFilePath;
    request.ProjectFileName = host.ProjectFileName;
    request.appFolder = host.appFolder;
    std::filesystem::path projectFolder = std::filesystem::path(host.ProjectFilePath).parent_path();
    if (host.serveFolder && !host.ProjectFilePath.empty()) host.serveFolder("/project/", projectFolder);
    request.previewAddress = [projectFolder](const std::filesystem::path& file) {
        return "/project/" + std::filesystem::relative(file, projectFolder).generic_string();
    };
    LoadingWindow loading{[&host](const std::string& label) { ShowLoading(host, label); },
                          [&host] {
                              try {
                                  UnloadLoading(host);
                              } catch (const PageError&) {
                              }
                          }};
    RunBuildCommand(page, request, loading);
}

}  // namespace zolt
