// Creates a new project in the folder and under the name chosen in the file
// chooser, and brings the page into the state of a fresh project with Form1.
#include "host/FileDialog.h"
#include "build/Markup.h"
#include "host/Routines.h"
#include "page/BrowserPage.h"
#include "storage/ProjectFile.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

namespace {

// A file of the application folder, found without regard to case (the
// pictures may be named in any case).
std::optional<fs::path> findIgnoringCase(const fs::path& folder, const std::string& name) {
    fs::path exact = folder / name;
    std::error_code ec;
    if (fs::is_regular_file(exact, ec)) return exact;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file(ec) && equalsNoCase(entry.path().filename().string(), name)) return entry.path();
    }
    return std::nullopt;
}

// Brings the page into the state of a fresh project (the start screen
// closed, or the previous project cleared away).
void bringPageToFreshProject(Host& host) {
    Page& page = host.pageRef();
    if (host.StartScreenShown) {
        Element toolbar = page.getElementById("ToolBar1");
        if (!toolbar || page.styleValue(toolbar, "display") != "inline") {
            SetPagePaths(host);
            page.call("CloseStartScreen");
            host.StartScreenShown = false;
        }
    } else {
        ResetPageForNewProject(page);
    }
}

}  // namespace

void NewProject(Host& host) {
    Page& page = host.pageRef();
    if (!host.dialog) return;
    std::string name = host.dialog->txtFileName();
    // A typed extension is dropped: Shop.rwp and Shop.old both give Shop.
    if (auto dot = name.rfind('.'); dot != std::string::npos) name = name.substr(0, dot);
    if (auto reason = unusableNameReason(name)) {
        page.msgBox("This name cannot be used for a project." + kCrLf + kCrLf + *reason, MsgButtons::OK,
                    MsgIcon::Information);
        return;
    }

    try {
        const fs::path folder = host.dialog->Dir1Path() / name;
        const std::string fileName = name + ".rwp";
        std::error_code ec;
        if (fs::exists(fs::symlink_status(folder, ec))) {
            if (page.msgBox("Project: " + name + " already exists." + kCrLf + kCrLf + "Do you want to overwrite it?",
                            MsgButtons::YesNo, MsgIcon::Critical) != MsgResult::Yes) {
                return;
            }
            if (page.msgBox("All data for the Project: " + fileName + " will be lost with the overwrite.  Continue?",
                            MsgButtons::YesNo, MsgIcon::Critical) != MsgResult::Yes) {
                return;
            }
            fs::remove_all(folder);
        }

        const fs::path images = host.appFolder / "Images";
        auto closeButton = findIgnoringCase(images, "closebutton.jpg");
        if (!closeButton) {
            page.msgBox("The required image(closebutton.jpg) for a New Project was unable to be copied." + kCrLf +
                            "The Project: " + fileName + " was NOT created.",
                        MsgButtons::OK, MsgIcon::Information);
            return;
        }

        for (const fs::path& f : {folder, folder / "Build", folder / "Build" / "Images", folder / "Images",
                                  folder / "Temp"}) {
            fs::create_directory(f);
        }
        copyFileAtomically(*closeButton, folder / "Images" / "closebutton.jpg");
        copyFileAtomically(host.appFolder / "Temp" / "ZOLTJSStatic.js", folder / "ZOLTJSStatic.js");

        host.ProjectFileName = fileName;
        host.ProjectFilePath = (folder / fileName).string();
        if (host.serveFolder) host.serveFolder("/project/", folder);
        writeTextFile(folder / fileName, newProjectFile());

        bringPageToFreshProject(host);
        page.setInnerHTML(page.getElementById("ProjectName"), projectNameCell(fileName));
        page.setVariable("SelectedFormID", 1.0);
        // NewForm sends "CreateNewForm", which writes Form1's file before it returns.
        page.call("NewForm");
        CloseDialog(host);
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception& e) {
        page.msgBox(errorText(e), MsgButtons::OK, MsgIcon::Critical);
    }
}

}  // namespace zolt
