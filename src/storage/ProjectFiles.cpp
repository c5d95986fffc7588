// Changes to what a project holds on disk outside a save: renaming and
// deleting the project, and moving or deleting a form's file when the form
// is renamed or deleted.
#include "site/Markup.h"
#include "page/BrowserPage.h"
#include "storage/ProjectCommands.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

namespace {

void closeNameBox(Page& page) {
    if (Element box = page.getElementById("ChangeProjectName")) page.removeElement(box);
    page.setVariable("CheckModalOnOff", std::string("OFF"));
}

// A form rename whose file stays as it was: the property window's Name field
// shows the old name again, which tells the page to keep the form's name.
void keepOldFormName(Page& page, const std::string& oldName) {
    const std::string table = "Prop" + toText(page.getVariable("PreviousPropertyType"));
    if (Element t = page.getElementById(table)) {
        if (Element f = findInside(page, t, "PropertyName")) page.setFieldValue(f, oldName);
    }
}

}  // namespace

void RenameProjectCommand(Host& host) {
    Page& page = host.pageRef();
    Element field = page.getElementById("NewProjectName");
    std::string name = field ? page.fieldValue(field) : "";
    if (name.empty()) {
        page.msgBox("Enter a New Project name or press the cancel button.", MsgButtons::OK, MsgIcon::None);
        return;
    }
    const std::string typed = name;
    name = name.substr(0, name.find('.'));
    if (auto reason = unusableTypedNameReason(typed, name)) {
        page.msgBox("This name cannot be used for a project." + kCrLf + kCrLf + *reason, MsgButtons::OK,
                    MsgIcon::Information);
        return;
    }

    const fs::path oldFolder = projectFolder(host);
    const fs::path newFolder = oldFolder.parent_path() / name;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(newFolder, ec))) {
        page.msgBox("A Project with the name: " + name + " already exists", MsgButtons::OK, MsgIcon::Information);
    } else {
        // The project file first, in its old folder, then the folder. When the
        // folder cannot be renamed the file gets its old name back, so the
        // project stays whole under its old name.
        const fs::path oldFile = host.ProjectFilePath;
        const fs::path renamedFile = oldFolder / (name + ".rwp");
        try {
            renameBoth(oldFile, renamedFile, oldFolder, newFolder);
            host.ProjectFilePath = (newFolder / (name + ".rwp")).string();
            host.ProjectFileName = name + ".rwp";
            // The lock file moved with its folder.
            if (host.lockedFolder == oldFolder) host.lockedFolder = newFolder;
            if (host.serveFolder) host.serveFolder("/project/", newFolder);
            page.setInnerHTML(page.getElementById("ProjectName"),
                              "<a  style='color:blue;text-decoration:none;font-size:20' title='Click to change "
                              "Project Name.' onClick='ShowChangeProjectNameForm()'>--</a>" +
                                  host.ProjectFileName);
        } catch (const std::exception& e) {
            page.msgBox("The project could not be renamed." + kCrLf + errorText(e), MsgButtons::OK,
                        MsgIcon::Critical);
        }
    }
    closeNameBox(page);
}

void DeleteProjectCommand(Host& host) {
    Page& page = host.pageRef();
    if (host.ProjectFilePath.empty()) return;
    if (page.msgBox("Delete Project: " + host.ProjectFileName + " .", MsgButtons::YesNo, MsgIcon::Critical) !=
        MsgResult::Yes) {
        return;
    }
    try {
        fs::remove_all(projectFolder(host));
    } catch (const std::exception& e) {
        page.msgBox("The project could not be deleted completely." + kCrLf + errorText(e), MsgButtons::OK,
                    MsgIcon::Critical);
        return;
    }
    host.ProjectFilePath.clear();
    host.ProjectFileName.clear();
    host.lockedFolder.clear();  // gone with the folder
    host.StartScreenShown = true;
    // Nothing is left to save: the browser must not ask before leaving.
    page.setVariable("bProjectInfoChanged", false);
    page.reload();
}

void UpdateProjectFileCommand(Host& host, const std::string& newName, const std::string& oldName,
                              const std::string& deleteFlag) {
    Page& page = host.pageRef();
    const bool deleting = toBool(ScriptValue{deleteFlag});
    // A form name never leads out of the project folder.
    for (const std::string* n : {&oldName, deleting ? nullptr : &newName}) {
        if (!n) continue;
        if (auto reason = unusableNameReason(*n)) {
            page.msgBox("This name cannot be used for a form file." + kCrLf + kCrLf + *reason, MsgButtons::OK,
                        MsgIcon::Information);
            if (!deleting) keepOldFormName(page, oldName);
            return;
        }
    }
    const fs::path folder = projectFolder(host);
    const fs::path oldFile = folder / (oldName + ".rwf");
    const fs::path newFile = folder / (newName + ".rwf");
    try {
        std::error_code ec;
        if (!fs::exists(oldFile, ec)) writeTextFile(oldFile, "");
        bool overwrite = false;
        if (!deleting && fs::exists(newFile, ec)) {
            if (page.msgBox("Form File: " + newName + " already exists." + kCrLf + "Do you want to overwrite it?",
                            MsgButtons::OKCancel, MsgIcon::None) != MsgResult::OK) {
                keepOldFormName(page, oldName);
                return;
            }
            overwrite = true;
        }
        const std::string text = readTextFile(oldFile);
        if (!deleting && text.find(oldName) != std::string::npos) {
            if (overwrite) {
                writeAllFormFiles(host);
                return;
            }
            writeTextFile(oldFile, replaceAll(text, oldName, newName));
            fs::rename(oldFile, newFile);
        } else if (deleting) {
            fs::remove(oldFile);
        } else {
            fs::rename(oldFile, newFile);
        }
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception& e) {
        page.msgBox("The form file " + oldName + ".rwf could not be changed." + kCrLf + errorText(e), MsgButtons::OK,
                    MsgIcon::Critical);
        if (!deleting) keepOldFormName(page, oldName);
    }
}

}  // namespace zolt
