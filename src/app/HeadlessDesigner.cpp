#include "app/HeadlessDesigner.h"

#include "host/PageText.h"
#include "page/DesignerPage.h"
#include "storage/ProjectRoutines.h"

namespace zolt {

namespace {

using Args = std::vector<ScriptValue>;

ScriptValue arg(const Args& a, size_t i) { return i < a.size() ? a[i] : ScriptValue{}; }

// A form given by element or by its id.
Element formOf(DomPage& page, const ScriptValue& v) {
    if (Element e = toElement(v)) return e;
    return page.getElementById(toText(v));
}

void setStartValues(DomPage& page) {
    std::vector<ScriptValue> order(11, ScriptValue{11.0});
    order[0] = ScriptValue{};
    page.setArray("arrNewFormOrder", order);
    page.setArray("arrControlDelete", {ScriptValue{}, ScriptValue{}});
    page.setArray("arrStyleForNewForms", std::vector<ScriptValue>(17));
    for (const char* flag : {"bPropertyWindowOpen", "bPropertyWindowCreated", "bProjectPropertyWindowOpen",
                             "bStyleWindowOpen", "bCodeWindowOpen", "bCodeWindowActive", "bCodeWindowTabKeyPressed",
                             "bFindWindowOpen", "GbFuncListWindowOpen", "bProjectInfoChanged",
                             "bLoadExistingProject", "bMenuShown"}) {
        page.setVariable(flag, false);
    }
    page.setVariable("bProjectWindowOpen", true);
    page.setVariable("bStartScreenOpen", true);
    page.setVariable("NewFormCount", 0.0);
    page.setVariable("zIndexCounter", 0.0);
    for (const char* text : {"GsPreviousFuncNameAndParameters", "GProjectStartForm", "SystemStyleSheets", "sMenuType"}) {
        page.setVariable(text, std::string());
    }
    page.setVariable("CheckModalOnOff", std::string("OFF"));
    page.setVariable("ZOLT_VERSION", std::string("ZOLT v1.0"));
    page.setVariable("GVersion", std::string("V1.01"));
}

void display(DomPage& page, const char* id, const char* value) {
    if (Element e = page.getElementById(id)) page.setStyleValue(e, "display", value);
}

void CloseStartScreen(DomPage& page) {
    if (Element start = page.getElementById("StartScreen")) page.removeElement(start);
    for (const char* id : {"Forms", "Position", "WidthHeight", "ToolBar1", "ToolBar2", "ToolBar3"}) {
        display(page, id, "inline");
    }
    page.setVariable("bStartScreenOpen", false);
}

void UpdateFormsList(DomPage& page, const std::string& name, const ScriptValue& count) {
    for (const char* id : {"x_FormsList_x", "x_StyleFormList_x"}) {
        Element list = page.getElementById(id);
        if (!list || (std::string(id) == "x_StyleFormList_x" && !toBool(page.getVariable("bStyleWindowOpen")))) continue;
        page.addOption(list, name, toText(count));
        page.setSelectedIndex(list, page.optionCount(list) - 1);
    }
}

void UpdateWhichFormHasTheFocus(DomPage& page, const ScriptValue& which) {
    Element form = formOf(page, which);
    if (!form) return;
    page.setStyleValue(form, "display", "");
    page.setVariable("SelectedObj", form);
    page.setVariable("SelectedFormObj", form);
    page.setVariable("SelectedFormID", toNumber(ScriptValue{page.getAttribute(form, "ParentFormID").value_or("")}));
}

void PlaceImportedForm(DomPage& page, bool visible) {
    Element form = toElement(page.getVariable("SelectedFormObj"));
    if (!form) return;
    const double z = toNumber(ScriptValue{page.styleValue(form, "z-index")});
    if (z > toNumber(page.getVariable("zIndexCounter"))) page.setVariable("zIndexCounter", z);
    if (!visible) page.setStyleValue(form, "display", "none");
}

// The smallest freed form number, taken out of the list; 0 when none.
int takeFreedFormNumber(DomPage& page) {
    std::vector<ScriptValue> order = page.getArray("arrNewFormOrder");
    size_t best = 0;
    for (size_t k = 1; k < order.size() && k <= 10; ++k) {
        double v = toNumber(order[k]);
        if (v != 11 && v > 0 && (best == 0 || v < toNumber(order[best]))) best = k;
    }
    if (best == 0) return 0;
    int n = static_cast<int>(toNumber(order[best]));
    page.setArrayEntry("arrNewFormOrder", static_cast<int>(best), 11.0);
    return n;
}

void NewForm(DomPage& page, const SendCommand& send) {
    const int freed = takeFreedFormNumber(page);
    const int count = static_cast<int>(toNumber(page.getVariable("NewFormCount"))) + 1;
    page.setVariable("NewFormCount", static_cast<double>(count));
    page.setVariable("zIndexCounter", toNumber(page.getVariable("zIndexCounter")) + 1);
    const int n = freed ? freed : count;
    page.insertAdjacentHTML(page.body(), InsertPosition::BeforeEnd, newFormTemplate(n, closeButtonUrl()));
    const std::string id = "Form" + std::to_string(n);
    UpdateFormsList(page, id, static_cast<double>(n));
    UpdateWhichFormHasTheFocus(page, id);
    send("CreateNewForm");
}

// Brings older form markup up to date: each row's marker is replaced
// everywhere by its replacement, which keeps the marker.
std::string BringUpToDateForm(DomPage& page, std::string markup, const std::string& version) {
    auto norm = [](std::string s) {
        s.erase(0, s.find_first_not_of(' '));
        s.erase(s.find_last_not_of(' ') + 1);
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    if (norm(version) == norm(toText(page.getVariable("GVersion")))) return markup;
    static const std::pair<std::string, std::string> kUpgrades[] = {
        {"x_Upda_IM_tes_x", " x_Upda_IM_tes_x CursorStyleIndex=0 CursorStyle='default' "}};
    for (const auto& [marker, replacement] : kUpgrades) {
        for (size_t at = 0; (at = markup.find(marker, at)) != std::string::npos; at += replacement.size()) {
            markup.replace(at, marker.size(), replacement);
        }
    }
    return markup;
}

void removeWindow(DomPage& page, const char* id, const char* flag) {
    if (Element e = page.getElementById(id)) page.removeElement(e);
    page.setVariable(flag, false);
}

}  // namespace

void loadHeadlessDesigner(DomPage& page, SendCommand send) {
    page.loadDocument(preparePage(designerPageText(), ""));
    setStartValues(page);

    page.registerRoutine("CloseStartScreen", [](DomPage& p, Args&) {
        CloseStartScreen(p);
        return ScriptValue{};
    });
    page.registerRoutine("NewForm", [send](DomPage& p, Args&) {
        NewForm(p, send);
        return ScriptValue{};
    });
    page.registerRoutine("UpdateFormsList", [](DomPage& p, Args& a) {
        UpdateFormsList(p, toText(arg(a, 0)), arg(a, 1));
        return ScriptValue{};
    });
    page.registerRoutine("UpdateWhichFormHasTheFocus", [](DomPage& p, Args& a) {
        UpdateWhichFormHasTheFocus(p, arg(a, 0));
        return ScriptValue{};
    });
    page.registerRoutine("PlaceImportedForm", [](DomPage& p, Args& a) {
        PlaceImportedForm(p, toBool(arg(a, 0)));
        return ScriptValue{};
    });
    page.registerRoutine("BringUpToDateForm", [](DomPage& p, Args& a) {
        std::string markup = BringUpToDateForm(p, toText(arg(a, 0)), toText(arg(a, 1)));
        if (!a.empty()) a[0] = markup;
        return ScriptValue{markup};
    });
    page.registerRoutine("Code_SetAttribute", [](DomPage& p, Args& a) {
        if (Element e = formOf(p, arg(a, 0))) p.setAttribute(e, toText(arg(a, 1)), toText(arg(a, 2)));
        return ScriptValue{};
    });
    page.registerRoutine("CloseFuncListWindow", [](DomPage& p, Args&) {
        display(p, "x_FuncListWin_x", "none");
        p.setVariable("GbFuncListWindowOpen", false);
        return ScriptValue{};
    });
    page.registerRoutine("CloseCodeWindow", [](DomPage& p, Args&) {
        removeWindow(p, "xC_xodeWindox_xw", "bCodeWindowOpen");
        return ScriptValue{};
    });
    page.registerRoutine("CloseFindWindow", [](DomPage& p, Args&) {
        removeWindow(p, "FindTextWindow", "bFindWindowOpen");
        return ScriptValue{};
    });
    page.registerRoutine("CheckProperty", [](DomPage& p, Args& a) {
        if (Element e = toElement(arg(a, 0))) p.setVariable("SelectedObj", e);
        return ScriptValue{};
    });
    // The property window has no headless form, and nothing is undone
    // headless: asking for either does nothing.
    for (const char* name : {"ShowPropertyWin", "UpdatePropertyWindow", "BuildProperties", "ClearUndoHistory"}) {
        page.registerRoutine(name, [](DomPage&, Args&) { return ScriptValue{}; });
    }
    page.registerRoutine("ShowMenu", [](DomPage& p, Args&) {
        p.setVariable("bMenuShown", false);
        return ScriptValue{};
    });
}

}  // namespace zolt
