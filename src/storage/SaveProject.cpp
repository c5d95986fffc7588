// Saving the open project: the project file from the state of the page, then
// every form's file; and the question before unsaved changes are left behind.
#include <cmath>

#include "build/Markup.h"
#include "host/Routines.h"
#include "page/BrowserPage.h"
#include "storage/ProjectFile.h"
#include "storage/FileTransaction.h"
#include "storage/ProjectRoutines.h"
#include "storage/RecoveryCopy.h"
#include "storage/TextFile.h"

namespace zolt {

namespace {

std::string withoutHashes(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '#'), s.end());
    return s;
}

// Code keeps its line breaks as CR LF in the file, as every line there ends.
std::string crLf(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r') out += "\r\n";
        else out += text[i];
    }
    return out;
}

// An element's left or top in pixels, as plain decimal text.
std::string pixels(Page& page, Element e, const char* property) {
    const std::string value = page.styleValue(e, property);
    return toText(ScriptValue{std::floor(toNumber(ScriptValue{value}) * 1000 + 0.5) / 1000});
}

}  // namespace

ProjectFileContent projectContent(Page& page) {
    ProjectFileContent c;
    Element body = page.body();
    auto attr = [&](const char* name) { return page.getAttribute(body, name).value_or(""); };
    c.bodyColor = withoutHashes(attr("userBGColor"));
    c.bcIndex = attr("BGIndex");
    c.pageTitle = attr("userTitle");
    c.imageLocation = attr("ImageLocation");
    if (Element form = toElement(page.getVariable("SelectedFormObj"))) {
        if (page.styleValue(form, "display") != "none") c.lastActiveForm = page.getAttribute(form, "id").value_or("");
    }
    c.projectStartForm = toText(page.getVariable("GProjectStartForm"));
    c.styleSheet = toText(page.getVariable("sUseStyleForNewlyCreatedForms"));

    const std::vector<ScriptValue> freed = page.getArray("arrNewFormOrder");
    for (size_t i = 1; i < freed.size(); ++i) {
        const std::string n = toText(freed[i]);
        if (!n.empty() && n != "11") c.deletedForms.push_back(n);
    }
    for (const Attribute& a : page.attributes(body)) {
        if (a.value.empty()) continue;
        if (containsNoCase(a.name, "F_") || containsNoCase(a.name, "C_")) {
            c.code.push_back({a.name, crLf(a.value)});
        }
    }
    if (Element list = page.getElementById("x_FormsList_x")) {
        for (int i = 0, n = page.optionCount(list); i < n; ++i) {
            Element form = page.getElementById(page.optionText(list, i));
            if (!form) continue;
            c.forms.push_back({page.getAttribute(form, "id").value_or(""), page.styleValue(form, "display") != "none"});
        }
    }
    if (Element list = page.getElementById("x_FuncList_x")) {
        for (int i = kBuiltInFunctions, n = page.optionCount(list); i < n; ++i) {
            c.functions.push_back(page.optionText(list, i));
        }
    }
    auto position = [&](const char* name, const char* id) {
        if (Element e = page.getElementById(id)) c.positions.push_back({name, pixels(page, e, "left"), pixels(page, e, "top")});
    };
    position("ToolBar1", "ToolBar1");
    position("ToolBar2", "ToolBar2");
    position("ToolBar3", "ToolBar3");
    position("ToolBar4", "Forms");
    if (toBool(page.getVariable("bPropertyWindowOpen"))) position("PropWin", "x_MainProp_x");
    return c;
}

// The F5 flag no longer moves the host to its start screen here: the page
// may yet stay (the browser's own question before a reload can be
// answered Stay), and the reloaded page tells the host when it connects.
bool SaveExistingProject(Host& host, bool /*f5Pressed*/) {
    Page& page = host.pageRef();
    const std::string name = shownProjectName(page);
    if (name.empty()) return true;
    const ScriptValue selected = page.getVariable("SelectedFormObj");
    bool saved = false;
    try {
        // The project file and every form's file, as one: a save that fails
        // or is cut off leaves the project as it was before.
        FileTransaction files(projectFolder(host));
        files.add(host.ProjectFileName, encodeWindows1252(writeProjectFile(projectContent(page))));
        addFormFiles(host, files);
        page.setVariable("SelectedFormObj", selected);
        files.commit();
        saved = true;
        page.setVariable("bProjectInfoChanged", false);
        DiscardRecoveryCopy(host);
        page.msgBox(name + " Saved.", MsgButtons::OK, MsgIcon::None);
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception& e) {
        page.setVariable("SelectedFormObj", selected);
        page.msgBox("Error Saving " + name + kCrLf + e.what(), MsgButtons::OK, MsgIcon::None);
    }
    page.click(page.body());
    return saved;
}

bool PromptSaveOnClose(Host& host) {
    Page& page = host.pageRef();
    if (!toBool(page.getVariable("bProjectInfoChanged"))) return true;
    if (page.msgBox("Information has changed since your last save." + kCrLf + kCrLf + "Do you want to Save the changes?",
                    MsgButtons::YesNo, MsgIcon::Question, "Closing Development IDE") == MsgResult::Yes) {
        return SaveExistingProject(host, false);
    }
    // The developer gave the changes up: nothing of them is offered again.
    DiscardRecoveryCopy(host);
    return true;
}

}  // namespace zolt
