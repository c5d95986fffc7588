// Clearing what the previous project left in the page, before a new project
// is created or another one is opened.
#include "site/Markup.h"
#include "storage/ProjectRoutines.h"

namespace zolt {

namespace {

void setFlags(Page& page, std::initializer_list<const char*> names, bool value) {
    for (const char* n : names) page.setVariable(n, value);
}

// Forgets the freed form and control numbers.
void resetFreedNumbers(Page& page) {
    page.setArray("arrControlDelete", {ScriptValue{}, ScriptValue{}});
    for (int i = 1; i <= 10; ++i) page.setArrayEntry("arrNewFormOrder", i, 11.0);
}

void removePropertyWindow(Page& page) {
    if (toBool(page.getVariable("bPropertyWindowCreated"))) {
        if (Element win = page.getElementById("x_MainProp_x")) page.removeElement(win);
    }
}

// Removes every form of the forms list from the page, then empties the list.
void removeForms(Page& page) {
    Element list = page.getElementById("x_FormsList_x");
    if (!list) return;
    for (int i = 0, n = page.optionCount(list); i < n; ++i) {
        if (Element form = page.getElementById(page.optionText(list, i))) page.removeElement(form);
    }
    page.setOptionCount(list, 0);
}

void closeCodeWindows(Page& page) {
    if (toBool(page.getVariable("bFindWindowOpen"))) page.call("CloseFindWindow");
    if (toBool(page.getVariable("bCodeWindowOpen"))) page.call("CloseCodeWindow");
}

// The undo history belongs to the project that was open.
void clearHistory(Page& page) { page.call("ClearUndoHistory"); }

void removeAddedFunctions(Page& page) {
    Element list = page.getElementById("x_FuncList_x");
    if (!list) return;
    while (page.optionCount(list) > kBuiltInFunctions) page.removeOption(list, page.optionCount(list) - 1);
}

// The page body carries the project's settings and page code: the next
// project starts from the body's first state, not from the last project's.
void resetProjectBody(Page& page) {
    Element body = page.body();
    for (const Attribute& a : page.attributes(body)) {
        if (equalsNoCase(a.name, "F_Declarations")) {
            page.setAttribute(body, a.name, "");
        } else if (containsNoCase(a.name, "F_") || containsNoCase(a.name, "C_")) {
            page.removeAttribute(body, a.name);
        }
    }
    const std::pair<const char*, const char*> kFirstState[] = {
        {"userBGColor", "#ffffff"}, {"BGIndex", "216"}, {"userTitle", ""}, {"ImageLocation", ""}, {"HasSomeCode", "false"}};
    for (const auto& [name, value] : kFirstState) page.setAttribute(body, name, value);
    page.setVariable("GProjectStartForm", std::string());
}

// What both resets start with: no modal box, no style sheet list, and the
// code, find and property windows closed (they showed the previous
// project's elements).
void closeProjectWindows(Page& page) {
    page.setVariable("CheckModalOnOff", std::string("OFF"));
    page.setVariable("SystemStyleSheets", std::string());
    closeCodeWindows(page);
    setFlags(page,
             {"bCodeWindowOpen", "bCodeWindowActive", "bFindWindowOpen", "bCodeWindowTabKeyPressed",
              "blnStartDrag", "bProjectInfoChanged", "bStyleWindowOpen"},
             false);
    removePropertyWindow(page);
    page.setVariable("bPropertyWindowOpen", false);
    page.setVariable("bPropertyWindowCreated", false);
}

// What both resets end with: the previous project's forms, numbers, added
// functions, history and page settings gone.
void forgetProject(Page& page) {
    page.setVariable("sUseStyleForNewlyCreatedForms", std::string());
    page.setVariable("GbFuncListWindowOpen", false);
    page.setVariable("GsPreviousFuncNameAndParameters", std::string());
    resetFreedNumbers(page);
    removeForms(page);
    page.setVariable("NewFormCount", 0.0);
    removeAddedFunctions(page);
    clearHistory(page);
    resetProjectBody(page);
}

}  // namespace

void ResetPageForNewProject(Page& page) {
    closeProjectWindows(page);
    page.setVariable("bLoadExistingProject", false);
    forgetProject(page);
}

void ResetPageForOpenedProject(Page& page) {
    closeProjectWindows(page);
    Element forms = page.getElementById("Forms");
    page.setVariable("bProjectWindowOpen", forms && page.styleValue(forms, "display") == "inline");
    page.call("CloseFuncListWindow");
    forgetProject(page);
}

}  // namespace zolt
