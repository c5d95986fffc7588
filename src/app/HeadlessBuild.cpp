#include "app/HeadlessBuild.h"

#include <ostream>

#include "app/CommandTable.h"
#include "app/HeadlessDesigner.h"
#include "app/Routines.h"
#include "site/Markup.h"
#include "site/PageWriter.h"
#include "storage/ProjectRoutines.h"

namespace fs = std::filesystem;

namespace zolt {

int HeadlessBuild(const fs::path& projectFile, const fs::path& appFolder, std::ostream& out, std::ostream& err,
                  bool quiet) {
    DomPage page;
    Host host;
    host.page = &page;
    host.appFolder = appFolder;
    host.StartScreenShown = true;
    host.readOnly = true;
    loadHeadlessDesigner(page, [&host](const std::string& text) { runCommand(host, text); });
    page.answerOtherBoxesWith(MsgResult::OK);

    const fs::path file = fs::absolute(projectFile);
    bool opened = false;
    try {
        opened = OpenProjectFile(host, file, file.filename().string());
    } catch (const std::exception& e) {
        err << "zolt: the project " << projectFile.string() << " cannot be opened: " << e.what() << "\n";
        return 1;
    }
    // Warnings go with the errors, whatever the outcome.
    auto printBoxes = [&](std::ostream& to) {
        for (const auto& box : page.shownBoxes()) {
            (box.icon == MsgIcon::Exclamation ? err : to) << replaceAll(box.text, "\r\n", "\n") << "\n";
        }
        page.clearRecords();
    };
    if (!opened) {
        printBoxes(err);
        return 1;
    }
    printBoxes(out);

    BuildRequest request = BuildRequestFor(host, 1);
    request.appFolder = appFolder;
    if (!quiet) {
        request.progress = [&err](int k, int n, const std::string& form) {
            err << "form " << k << "/" << n << ": " << form << "\n" << std::flush;
        };
    }
    BuildOutcome outcome = RunBuildCommand(page, request);
    printBoxes(outcome.written ? out : err);
    if (!outcome.written) return outcome.formFileFault ? 2 : 1;
    out << "Wrote " << outcome.pagePath.string() << " and " << outcome.scriptPath.string() << "\n";
    return 0;
}

}  // namespace zolt
