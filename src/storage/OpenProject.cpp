// Opens an existing project: reads its project file, clears the page of the
// project that was open (after offering to save it), and applies the file
// line by line: forms from their own files, settings, page code, the
// function list and the places of the tool windows.
#include "site/ListedForms.h"
#include "site/Markup.h"
#include "host/FileDialog.h"
#include "host/LoadingWindow.h"
#include "page/BrowserPage.h"
#include "storage/FileTransaction.h"
#include "storage/ProjectCommands.h"
#include "storage/ProjectFile.h"
#include "storage/ProjectLock.h"
#include "storage/ProjectRoutines.h"
#include "storage/RecoveryCopy.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> splitAt(const std::string& text, char sep) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t at; (at = text.find(sep, start)) != std::string::npos; start = at + 1) {
        pieces.push_back(text.substr(start, at - start));
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// Sets an element's left and top from "left,top"; a value without its two
// pieces leaves the element where it is.
bool placeElement(Page& page, Element e, const std::string& value) {
    auto pieces = splitAt(value, ',');
    if (!e || pieces.size() < 2) return false;
    page.setStyleValue(e, "left", pieces[0]);
    page.setStyleValue(e, "top", pieces[1]);
    return true;
}

void applyPosition(Page& page, const ProjectLine& line) {
    if (line.name == "PropWin") {
        page.call("CheckProperty", {page.getVariable("SelectedFormObj")});
        if (line.value.empty()) return;
        page.call("ShowPropertyWin");
        if (placeElement(page, page.getElementById("x_MainProp_x"), line.value)) {
            page.setVariable("bPropertyWindowOpen", true);
            page.setVariable("bPropertyWindowCreated", true);
            page.call("UpdatePropertyWindow", {page.getVariable("SelectedFormObj")});
        }
        return;
    }
    const std::string id = line.name == "ToolBar4" ? "Forms" : line.name;
    placeElement(page, page.getElementById(id), line.value);
}

void applyKey(Page& page, const ProjectLine& line, std::string& lastActiveForm) {
    Element body = page.body();
    const std::string& v = line.value;
    if (line.name == "BodyColor") {
        page.setAttribute(body, "userBGColor", "#" + v);
    } else if (line.name == "BCIndex") {
        page.setAttribute(body, "BGIndex", v);
    } else if (line.name == "PageTitle") {
        page.setAttribute(body, "userTitle", v);
    } else if (line.name == "ImageLocation") {
        page.setAttribute(body, "ImageLocation", v);
    } else if (line.name == "LastActiveForm") {
        lastActiveForm = v;
    } else if (line.name == "ProjectStartForm") {
        page.setVariable("GProjectStartForm", v);
    } else if (line.name == "ProjectDeletedControls") {
        // Type, number and form of each freed control number, three pieces
        // each; an incomplete last group is left out.
        auto pieces = splitAt(v, '/');
        std::vector<ScriptValue> entries = page.getArray("arrControlDelete");
        size_t groups = pieces.size() / 3;
        if (entries.size() < std::max<size_t>(groups, 2)) entries.resize(std::max<size_t>(groups, 2));
        for (size_t k = 0; k < groups; ++k) {
            entries[k] = pieces[3 * k] + "/" + pieces[3 * k + 1] + "/" + pieces[3 * k + 2];
        }
        page.setArray("arrControlDelete", entries);
    } else if (line.name == "ProjectDeletedForms") {
        auto pieces = splitAt(v, '/');
        for (size_t i = 0; i < pieces.size() && i < 10; ++i) {
            page.setArrayEntry("arrNewFormOrder", static_cast<int>(i + 1), pieces[i]);
        }
    } else if (line.name == "StyleSheet") {
        if (!equalsNoCase(v, "none")) page.setVariable("sUseStyleForNewlyCreatedForms", v);
    }
}

// A form's file in the recovery copy being restored, or "" for the
// project's own.
std::string recoveredFormFile(const std::optional<fs::path>& restoreFrom, const std::string& entry) {
    if (!restoreFrom) return "";
    const std::string name = entry.substr(0, entry.find('/'));
    const fs::path file = *restoreFrom / (name + ".rwf");
    std::error_code ec;
    return !unusableNameReason(name) && fs::is_regular_file(file, ec) ? file.string() : "";
}

// What the lines of a project file carry from one to the next.
struct OpenState {
    std::string lastActiveForm;
    std::optional<fs::path> restoreFrom;
    std::optional<int> formCount;  // NewFormCount, read once for all forms
};

void applyLine(Host& host, const ProjectLine& line, OpenState& state) {
    Page& page = host.pageRef();
    switch (line.kind) {
    case ProjectLine::Kind::Form:
        // Only the forms change NewFormCount while a project opens: it is
        // kept here, and the forms travel to the page without a round trip
        // between them.
        if (!state.formCount) state.formCount = static_cast<int>(toNumber(page.getVariable("NewFormCount")));
        ImportFormFile(host, line.value, recoveredFormFile(state.restoreFrom, line.value), "", &*state.formCount);
        break;
    case ProjectLine::Kind::Position:
        applyPosition(page, line);
        break;
    case ProjectLine::Kind::Key:
        applyKey(page, line, state.lastActiveForm);
        if (line.name == "StyleSheet" && !toText(page.getVariable("sUseStyleForNewlyCreatedForms")).empty()) {
            LoadStyleForNewForms(host);
        }
        break;
    case ProjectLine::Kind::Function:
        page.addOption(page.getElementById("x_FuncList_x"), line.value, line.value);
        break;
    case ProjectLine::Kind::Code:
        page.call("Code_SetAttribute", {page.body(), line.name, line.value});
        break;
    }
}

// Whether the project file's entry of form `name` ("Name/True") shows it.
bool shownInEntry(const std::vector<ProjectLine>& lines, const std::string& name) {
    for (const ProjectLine& line : lines) {
        if (line.kind != ProjectLine::Kind::Form) continue;
        const size_t slash = line.value.find('/');
        if (line.value.substr(0, slash) != name) continue;
        return slash == std::string::npos || toBool(ScriptValue{line.value.substr(slash + 1)});
    }
    return true;
}

// Every project file starts with its version line, "«V1.01»".
bool isProjectFileText(const std::string& text) { return text.rfind("«", 0) == 0; }

// Offers the recovery copy of `file` when one was kept; gives the folder to
// restore from when the developer takes it, and removes it when not.
std::optional<fs::path> offerRecoveryCopy(Page& page, const fs::path& file, const std::string& name,
                                          std::string& text) {
    auto copy = recoveryCopyOf(file);
    if (!copy) return std::nullopt;
    if (page.msgBox("Project: " + name + " has changes that were not saved when it was last open (kept " +
                        fileTimeText(*copy) + ")." + kCrLf + kCrLf + "Do you want to restore them?",
                    MsgButtons::YesNo, MsgIcon::Question) == MsgResult::Yes) {
        try {
            text = readTextFile(*copy);
            return copy->parent_path();
        } catch (const FileError& e) {
            page.msgBox(std::string("The kept changes cannot be read: the project opens as it was saved.") + kCrLf +
                            e.what(),
                        MsgButtons::OK, MsgIcon::Exclamation);
            return std::nullopt;
        }
    }
    std::error_code ec;
    fs::remove_all(copy->parent_path(), ec);
    return std::nullopt;
}

}  // namespace

void LoadProject(Host& host) {
    if (!host.dialog) return;
    const std::string name = host.dialog->txtFileName();
    OpenProjectFile(host, host.dialog->Dir1Path() / name, name);
}

bool OpenProjectFile(Host& host, const fs::path& file, const std::string& name) {
    Page& page = host.pageRef();
    auto refuse = [&](const std::string& why) {
        page.msgBox("The project cannot be opened." + kCrLf + kCrLf + why, MsgButtons::OK, MsgIcon::Critical);
        return false;
    };
    // Only project files are opened: anything else would be written over
    // by the next save.
    if (!equalsNoCase(file.extension().string(), ".rwp")) {
        return refuse("The file " + name + " is not a ZOLT project file: their names end in .rwp.");
    }
    const fs::path folder = file.parent_path();
    const bool locking = !host.readOnly && folder != host.lockedFolder;
    if (locking && !lockProjectFolder(host, folder, name)) return false;
    auto giveLockBack = [&] {
        if (locking) releaseProjectLock(folder);
    };
    // A save that was cut off is completed (or its pieces removed) before
    // anything of the project is read.
    if (!host.readOnly) RecoverInterruptedSave(folder);
    std::string text;
    try {
        text = readTextFile(file);
        if (!isProjectFileText(text)) throw FileError("The file " + name + " is not a ZOLT project file.");
    } catch (const FileError& e) {
        giveLockBack();
        return refuse(e.what());
    }

    if (!host.StartScreenShown && !PromptSaveOnClose(host)) {
        giveLockBack();
        return false;
    }
    const std::optional<fs::path> restoreFrom =
        host.readOnly ? std::nullopt : offerRecoveryCopy(page, file, name, text);
    if (locking) leaveLockedProject(host, folder);
    host.ProjectFileName = name;
    host.ProjectFilePath = file.string();
    host.formsRefused.clear();
    if (host.serveFolder) host.serveFolder("/project/", file.parent_path());
    CloseDialog(host);
    LoadingShown loading(host, "Loading", /*formsHidden=*/true);

    const std::vector<ProjectLine> lines = readProjectFile(text);
    page.setVariable("bLoadExistingProject", true);
    if (!host.StartScreenShown) {
        ResetPageForOpenedProject(page);
    } else {
        SetPagePaths(host);
        page.call("CloseStartScreen");
        host.StartScreenShown = false;
    }

    // A line that cannot be applied is reported at the end; the others still are.
    OpenState state{"", restoreFrom, std::nullopt};
    std::string problems;
    for (const ProjectLine& line : lines) {
        try {
            applyLine(host, line, state);
        } catch (const ConnectionLost&) {
            throw;
        } catch (const std::exception& e) {
            problems += kCrLf + e.what();
        }
    }
    // A form the page refused is not on the surface, but its file is sound:
    // it is reported, and a save keeps it in the project file.
    for (const Page::Refusal& r : page.refusedGroups()) {
        problems += kCrLf + "Form: " + r.label + " could not be put on the design surface (" + r.error +
                    "). Its file is left as it is and the project keeps it.";
        host.formsRefused.push_back({r.label, shownInEntry(lines, r.label)});
    }
    page.setVariable("bLoadExistingProject", false);
    host.formsNotOpened = formsNotOnSurface(page, file);

    const std::string& lastActiveForm = state.lastActiveForm;
    Element list = page.getElementById("x_FormsList_x");
    const std::vector<std::string> listed = page.optionTexts(list);
    const int forms = static_cast<int>(listed.size());
    if (!lastActiveForm.empty() && forms > 0) {
        if (Element form = page.getElementById(lastActiveForm)) {
            page.setVariable("SelectedObj", form);
            page.setStyleValue(form, "z-index", toText(page.getVariable("zIndexCounter")));
            page.click(form);
        }
    }
    const std::string startForm = toText(page.getVariable("GProjectStartForm"));
    for (int i = 0; i < forms; ++i) {
        if (listed[i] == startForm) {
            page.setOptionStyle(list, i, "background-color", "gold");
            break;
        }
    }
    page.setInnerHTML(page.getElementById("ProjectName"), projectNameCell(name));
    // Restored changes are not saved yet.
    if (restoreFrom) page.setVariable("bProjectInfoChanged", true);
    if (!problems.empty()) {
        page.msgBox("Project: " + name + " was opened, but some of it could not be applied:" + kCrLf + problems,
                    MsgButtons::OK, MsgIcon::Exclamation);
    }
    return true;
}

}  // namespace zolt
