// Creates a new project in the folder and under the name chosen in the file
// chooser, and brings the page into the state of a fresh project with Form1.
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "site/Markup.h"
#include "host/FileDialog.h"
#include "page/BrowserPage.h"
#include "storage/ProjectCommands.h"
#include "storage/ProjectFile.h"
#include "storage/ProjectLock.h"
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

// A hidden sibling of `folder` with a fresh name, for a project folder
// being built or one being replaced.
fs::path siblingWorkFolder(const fs::path& folder, const char* kind) {
    std::string pattern = (folder.parent_path() / (std::string(".zolt-") + kind + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) {
        throw fs::filesystem_error("The project folder cannot be created", folder.parent_path(),
                                   std::error_code(errno, std::generic_category()));
    }
    return pattern;
}

// Makes the whole project folder (sub-folders, library, close picture,
// project file, Form1's file and the lock) under a hidden name, then puts it
// in place, replacing the old folder when `replacing`. Whatever fails, the
// chosen folder is as it was and nothing half-made is left.
void buildProjectFolder(Host& host, const fs::path& folder, const std::string& fileName,
                        const fs::path& closeButton, bool replacing) {
    const fs::path work = siblingWorkFolder(folder, "new");
    std::error_code ec;
    try {
        for (const fs::path& f : {work / "Build", work / "Build" / "Images", work / "Images", work / "Temp"}) {
            fs::create_directory(f);
        }
        copyFileAtomically(closeButton, work / "Images" / "closebutton.jpg");
        copyFileAtomically(host.appFolder / "Temp" / "ZOLTJSStatic.js", work / "ZOLTJSStatic.js");
        writeTextFile(work / fileName, newProjectFile());
        writeTextFile(work / "Form1.rwf", formFileText(newFormTemplate(1, closeButtonUrl())));
        takeProjectLock(work);
        // A folder made as a temporary one is private; a project folder
        // gets the permissions of any new folder.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(work.c_str(), 0777 & ~mask);
        if (!replacing) {
            fs::rename(work, folder);
            return;
        }
        // Renamed onto an empty folder of a fresh name, which it replaces.
        const fs::path old = siblingWorkFolder(folder, "old");
        renameBoth(folder, old, work, folder);
        fs::remove_all(old, ec);
        if (ec) {
            host.pageRef().msgBox("The old project folder could not be removed completely; what is left of it is in " +
                                      old.string() + ".",
                                  MsgButtons::OK, MsgIcon::Exclamation);
        }
    } catch (...) {
        fs::remove_all(work, ec);
        throw;
    }
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
    const std::string typed = host.dialog->txtFileName();
    // A typed extension is dropped: Shop.rwp and Shop.old both give Shop.
    std::string name = typed.substr(0, typed.rfind('.'));
    if (auto reason = unusableTypedNameReason(typed, name)) {
        page.msgBox("This name cannot be used for a project." + kCrLf + kCrLf + *reason, MsgButtons::OK,
                    MsgIcon::Information);
        return;
    }
    // The open project's unsaved changes come first.
    if (!host.StartScreenShown && !PromptSaveOnClose(host)) return;

    try {
        const fs::path folder = host.dialog->Dir1Path() / name;
        const std::string fileName = name + ".rwp";
        std::error_code ec;
        const bool replacing = fs::exists(fs::symlink_status(folder, ec));
        if (replacing) {
            if (page.msgBox("Project: " + name + " already exists." + kCrLf + kCrLf + "Do you want to overwrite it?",
                            MsgButtons::YesNo, MsgIcon::Critical) != MsgResult::Yes) {
                return;
            }
            if (page.msgBox("All data for the Project: " + fileName + " will be lost with the overwrite.  Continue?",
                            MsgButtons::YesNo, MsgIcon::Critical) != MsgResult::Yes) {
                return;
            }
        }

        const fs::path images = host.appFolder / "Images";
        auto closeButton = findIgnoringCase(images, "closebutton.jpg");
        if (!closeButton) {
            page.msgBox("The required image(closebutton.jpg) for a New Project was unable to be copied." + kCrLf +
                            "The Project: " + fileName + " was NOT created.",
                        MsgButtons::OK, MsgIcon::Information);
            return;
        }
        // A project another ZOLT has open is not replaced under it.
        const bool lockingOld = replacing && folder != host.lockedFolder;
        if (lockingOld && !lockProjectFolder(host, folder, fileName)) return;
        try {
            buildProjectFolder(host, folder, fileName, *closeButton, replacing);
        } catch (...) {
            if (lockingOld) releaseProjectLock(folder);
            throw;
        }

        leaveLockedProject(host, folder);
        host.ProjectFileName = fileName;
        host.ProjectFilePath = (folder / fileName).string();
        host.formsRefused.clear();
        if (host.serveFolder) host.serveFolder("/project/", folder);

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
