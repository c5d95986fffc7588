#include "storage/RecoveryCopy.h"

#include <iostream>

#include "page/BrowserPage.h"
#include "storage/FileTransaction.h"
#include "storage/ProjectFile.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

fs::path recoveryFolder(const fs::path& projectFolder) { return projectFolder / kRecoveryFolderName; }

void KeepRecoveryCopy(Host& host, const std::vector<std::string>& changedForms) {
    if (host.ProjectFilePath.empty() || host.StartScreenShown || host.readOnly) return;
    Page& page = host.pageRef();
    if (!toBool(page.getVariable("bProjectInfoChanged"))) return;
    const fs::path folder = recoveryFolder(projectFolder(host));
    try {
        std::error_code ec;
        fs::create_directory(folder, ec);
        FileTransaction files(folder);
        files.add(host.ProjectFileName, encodeWindows1252(writeProjectFile(projectContent(host))));
        addFormFiles(host, files, &changedForms);
        files.commit();
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception& e) {
        // Work goes on without a copy; the developer's own save still says
        // what is wrong with the project's files.
        std::cerr << "zolt: the recovery copy of " << host.ProjectFileName << " could not be kept: " << e.what()
                  << "\n";
    }
}

void DiscardRecoveryCopy(const Host& host) {
    if (host.ProjectFilePath.empty() || host.readOnly) return;
    std::error_code ec;
    fs::remove_all(recoveryFolder(projectFolder(host)), ec);
}

std::optional<fs::path> recoveryCopyOf(const fs::path& projectFile) {
    const fs::path copy = recoveryFolder(projectFile.parent_path()) / projectFile.filename();
    std::error_code ec;
    if (!fs::is_regular_file(copy, ec)) return std::nullopt;
    return copy;
}

}  // namespace zolt
