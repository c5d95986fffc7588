// Saving the open project: the project file from the state of the page, then
// every form's file; and the question before unsaved changes are left behind.
#include <cmath>

#include "site/Markup.h"
#include "page/BrowserPage.h"
#include "storage/FileTransaction.h"
#include "storage/ProjectCommands.h"
#include "storage/ProjectFile.h"
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

// A left or top style value in pixels, as plain decimal text.
std::string pixels(const std::string& value) {
    return toText(ScriptValue{std::floor(toNumber(ScriptValue{value}) * 1000 + 0.5) / 1000});
}

// An attribute of the body's list, its name compared without case.
std::string attributeIn(const std::vector<Attribute>& attributes, const char* name) {
    for (const Attribute& a : attributes) {
        if (equalsNoCase(a.name, name)) return a.value;
    }
    return "";
}

}  // namespace

ProjectFileContent projectContent(Page& page) {
    ProjectFileContent c;
    Element body = page.body();
    const std::vector<Attribute> bodyAttributes = page.attributes(body);
    c.bodyColor = withoutHashes(attributeIn(bodyAttributes, "userBGColor"));
    c.bcIndex = attributeIn(bodyAttributes, "BGIndex");
    c.pageTitle = attributeIn(bodyAttributes, "userTitle");
    c.imageLocation = attributeIn(bodyAttributes, "ImageLocation");
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
    for (const Attribute& a : bodyAttributes) {
        if (a.value.empty()) continue;
        if (containsNoCase(a.name, "F_") || containsNoCase(a.name, "C_")) {
            c.code.push_back({a.name, crLf(a.value)});
        }
    }
    // Every listed form, its id and whether it shows: a few reads for all.
    if (Element list = page.getElementById("x_FormsList_x")) {
        const std::vector<Element> forms = page.elementsById(page.optionTexts(list));
        const auto ids = page.attributeOfEach(forms, "id");
        const auto shown = page.styleValueOfEach(forms, "display");
        for (size_t i = 0; i < forms.size(); ++i) {
            if (forms[i]) c.forms.push_back({ids[i].value_or(""), shown[i] != "none"});
        }
    }
    if (Element list = page.getElementById("x_FuncList_x")) {
        const std::vector<std::string> functions = page.optionTexts(list);
        for (size_t i = kBuiltInFunctions; i < functions.size(); ++i) c.functions.push_back(functions[i]);
    }
    // The tool windows' places, read together.
    std::vector<std::pair<const char*, std::string>> windows = {
        {"ToolBar1", "ToolBar1"}, {"ToolBar2", "ToolBar2"}, {"ToolBar3", "ToolBar3"}, {"ToolBar4", "Forms"}};
    if (toBool(page.getVariable("bPropertyWindowOpen"))) windows.push_back({"PropWin", "x_MainProp_x"});
    std::vector<std::string> ids;
    for (const auto& w : windows) ids.push_back(w.second);
    const std::vector<Element> found = page.elementsById(ids);
    const std::vector<std::string> lefts = page.styleValueOfEach(found, "left");
    const std::vector<std::string> tops = page.styleValueOfEach(found, "top");
    for (size_t i = 0; i < windows.size(); ++i) {
        if (found[i]) c.positions.push_back({windows[i].first, pixels(lefts[i]), pixels(tops[i])});
    }
    return c;
}

ProjectFileContent projectContent(Host& host) {
    ProjectFileContent c = projectContent(host.pageRef());
    // Forms the page refused when the project opened stay in it, after the
    // others; a form of the same name on the surface now stands for it.
    for (const auto& [name, shown] : host.formsRefused) {
        const bool listed = std::any_of(c.forms.begin(), c.forms.end(),
                                        [&](const ProjectFileContent::Form& f) { return equalsNoCase(f.id, name); });
        if (!listed) c.forms.push_back({name, shown});
    }
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
        files.add(host.ProjectFileName, encodeWindows1252(writeProjectFile(projectContent(host))));
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
