// Style sheet files of the open project: list, save, delete and load them for
// the style window, and load the style for new forms when a project opens.
// Each command reads and fills the style window the page has drawn.
#include <array>

#include "site/Markup.h"
#include "page/BrowserPage.h"
#include "storage/ProjectCommands.h"
#include "storage/ProjectRoutines.h"
#include "storage/StyleSheetFile.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

namespace {

// The style window's list of styles and its first option's value.
const char* const kStyleList = "x_ExistingStyles_x";
const std::string kNewStyle = "New";

bool projectOpen(const Host& host) { return !host.ProjectFilePath.empty() && !host.ProjectFileName.empty(); }

// The chosen option's value of the style list, "New" when nothing is chosen.
std::string chosenStyle(Page& page, Element list) {
    const int i = list ? page.selectedIndex(list) : -1;
    return i < 0 ? kNewStyle : page.optionValue(list, i);
}

Element required(Page& page, const std::string& id) {
    Element e = page.getElementById(id);
    if (!e) throw PageError("The style window has no " + id + ".");
    return e;
}

std::string selectedValue(Page& page, Element list) {
    const int i = page.selectedIndex(list);
    return i < 0 ? std::string() : page.optionValue(list, i);
}

// The window's settings as the style file keeps them.
StyleValues windowValues(Page& page) {
    StyleValues v;
    for (int i = 0; i < 6; ++i) {
        v[i] = std::to_string(page.selectedIndex(required(page, kStyleFileLines[i].key)));
    }
    // The first radio button's value while it is checked, else the second's.
    const std::vector<Element> radios = page.getElementsByName("BorderOnOff");
    if (radios.size() < 2) throw PageError("The style window has no BorderOnOff buttons.");
    v[6] = page.getAttribute(page.fieldChecked(radios[0]) ? radios[0] : radios[1], "value").value_or("");
    std::string size;
    for (char c : page.fieldValue(required(page, "BorderSize"))) {
        if (c >= '0' && c <= '9') size += c;
    }
    v[7] = size.empty() ? "0" : size;
    v[8] = page.fieldChecked(required(page, "x_Auto_x")) ? "True" : "False";
    const char* const valueLists[] = {"TitleBarColor", "TitleBarFontColor", "BackColor", "BorderColor",
                                      "TitleBarFontType", "BorderStyle"};
    for (int i = 0; i < 6; ++i) v[9 + i] = selectedValue(page, required(page, valueLists[i]));
    return v;
}

// Where each entry of arrStyleForNewForms comes from: a line of the file
// (0 for the first).
constexpr std::array<int, 17> kEntryLines = {0, 9, 1, 10, 2, 3, 11, 11, 4, 12, 5, 7, 6, 6, 7, 13, 14};

// Puts the usable lines of a style into arrStyleForNewForms. Entry 12 says
// whether the border is on; the border width (14) is set only then.
void setStyleForNewForms(Page& page, const std::array<std::optional<std::string>, kStyleLines>& lines) {
    for (int entry = 0; entry < static_cast<int>(kEntryLines.size()); ++entry) {
        const auto& value = lines[kEntryLines[entry]];
        if (!value) continue;
        if (entry == 12) {
            page.setArrayEntry("arrStyleForNewForms", entry, *value == "0");
        } else if (entry == 14) {
            if (*value != "" && lines[6] && *lines[6] == "0") page.setArrayEntry("arrStyleForNewForms", entry, *value);
        } else {
            page.setArrayEntry("arrStyleForNewForms", entry, *value);
        }
    }
}

// The number of entries each indexed line's list offers, from the page's
// colour chart tables (each ends in a marker; colour lists of styles offer
// no "transparent"). Nothing is known when the page has no tables.
std::optional<std::array<int, 6>> chartListSizes(Page& page) {
    try {
        const int colours = static_cast<int>(page.getArray("arrColor").size()) - 2;
        const int fonts = static_cast<int>(page.getArray("arrFontType").size()) - 1;
        const int borders = static_cast<int>(page.getArray("arrBorderStyle").size()) - 1;
        if (colours <= 0 || fonts <= 0 || borders <= 0) return std::nullopt;
        return std::array<int, 6>{colours, colours, fonts, colours, colours, borders};
    } catch (const ConnectionLost&) {
        throw;
    } catch (const PageError&) {
        return std::nullopt;
    }
}

// An index line whose position lies past its list is not used.
void dropIndexesPastLists(ReadStyle& read, const std::array<int, 6>& sizes) {
    for (int i = 0; i < 6; ++i) {
        if (read.values[i] && std::stoi(*read.values[i]) >= sizes[i]) {
            read.problems.push_back({i, "Line " + std::to_string(i + 1) + " (" + kStyleFileLines[i].key + ") holds " +
                                            *read.values[i] + ", past the end of its list."});
            read.values[i].reset();
        }
    }
}

std::string problemText(const std::vector<StyleProblem>& problems) {
    std::string text;
    for (const StyleProblem& p : problems) text += kCrLf + p.text;
    return text;
}

void markNameField(Page& page, bool enabled) {
    Element name = page.getElementById("x_StyleName_x");
    if (!name) return;
    if (enabled) {
        page.removeAttribute(name, "disabled");
    } else {
        page.setAttribute(name, "disabled", "");
    }
    page.setStyleValue(name, "background-color", enabled ? "white" : "buttonface");
}

void setStyleForNewFormsName(Page& page, const std::string& name) {
    if (toText(page.getVariable("sUseStyleForNewlyCreatedForms")) == name) return;
    page.setVariable("sUseStyleForNewlyCreatedForms", name);
    page.setVariable("bProjectInfoChanged", true);
}

}  // namespace

void GetStyleSheets(Host& host) {
    Page& page = host.pageRef();
    std::string markup = "<Select ID=x_ExistingStyles_x onchange='LoadStyleData()'><Option selected value='New'>New</Option>";
    if (projectOpen(host)) {
        for (const std::string& name : listStyleSheets(projectFolder(host))) {
            markup += "<option value='" + quotedValue(name) + "'>" + escapeText(name) + "</option>";
        }
    }
    markup += "</Select>";
    page.setVariable("SystemStyleSheets", markup);
}

void SaveStyleSheet(Host& host) {
    Page& page = host.pageRef();
    if (!projectOpen(host)) {
        page.msgBox("Style sheets are kept in a project: create or open one first.", MsgButtons::OK,
                    MsgIcon::Information);
        return;
    }
    Element list = page.getElementById(kStyleList);
    if (!list) return;
    const std::string chosen = chosenStyle(page, list);
    const bool isNew = chosen == kNewStyle;
    std::string name;
    if (!isNew) {
        if (!isStyleFileName(chosen)) {
            page.msgBox("\"" + chosen + "\" is not a style sheet file.", MsgButtons::OK, MsgIcon::Information);
            return;
        }
        name = chosen.substr(0, chosen.size() - 4);
    } else {
        const std::string typed = page.fieldValue(required(page, "x_StyleName_x"));
        if (typed.empty()) {
            page.msgBox("Please type in a Name for the new style sheet.", MsgButtons::OK, MsgIcon::Information);
            return;
        }
        name = typed.substr(0, typed.find('.'));
        if (auto reason = unusableTypedNameReason(typed, name)) {
            page.msgBox("This name cannot be used for a style sheet." + kCrLf + kCrLf + *reason, MsgButtons::OK,
                        MsgIcon::Information);
            return;
        }
    }
    const std::string fileName = name + ".rws";
    const fs::path file = projectFolder(host) / fileName;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(file, ec)) &&
        page.msgBox("Style Sheet: " + fileName + " already exists." + kCrLf + "Do you want to overwrite it?",
                    MsgButtons::YesNo, MsgIcon::None) != MsgResult::Yes) {
        return;
    }
    const StyleValues values = windowValues(page);
    try {
        writeTextFile(file, styleSheetText(values));
    } catch (const std::exception& e) {
        page.msgBox("Style Sheet: " + fileName + " could not be saved." + kCrLf + errorText(e), MsgButtons::OK,
                    MsgIcon::Critical);
        return;
    }
    if (isNew) {
        // A name the list already holds is chosen, not listed twice.
        int at = -1;
        for (int i = 0, n = page.optionCount(list); i < n && at < 0; ++i) {
            if (page.optionValue(list, i) == fileName) at = i;
        }
        if (at < 0) {
            page.addOption(list, fileName, fileName);
            at = page.optionCount(list) - 1;
        }
        page.setSelectedIndex(list, at);
        page.setFieldValue(required(page, "x_StyleName_x"), "");
        markNameField(page, false);
    }
    if (values[8] == "True") {
        setStyleForNewFormsName(page, fileName);
        // New forms take the style as it was saved.
        std::array<std::optional<std::string>, kStyleLines> lines;
        for (int i = 0; i < kStyleLines; ++i) lines[i] = values[i];
        setStyleForNewForms(page, lines);
    } else if (toText(page.getVariable("sUseStyleForNewlyCreatedForms")) == chosenStyle(page, list)) {
        setStyleForNewFormsName(page, "");
    }
}

void DeleteStyleSheet(Host& host) {
    Page& page = host.pageRef();
    if (!projectOpen(host)) return;
    Element list = page.getElementById(kStyleList);
    if (!list) return;
    const int chosenAt = page.selectedIndex(list);
    const std::string chosen = chosenStyle(page, list);
    if (chosen == kNewStyle) return;
    if (page.msgBox("Delete Style Sheet: " + chosen, MsgButtons::OKCancel, MsgIcon::Question) != MsgResult::OK) {
        return;
    }
    if (!isStyleFileName(chosen)) {
        page.msgBox("\"" + chosen + "\" is not a style sheet file.", MsgButtons::OK, MsgIcon::Information);
        return;
    }
    // A file that is already gone leaves the list all the same.
    std::error_code ec;
    fs::remove(projectFolder(host) / chosen, ec);
    if (ec) {
        page.msgBox("Style Sheet: " + chosen + " could not be deleted." + kCrLf + std::to_string(ec.value()) + kCrLf +
                        ec.message(),
                    MsgButtons::OK, MsgIcon::Critical);
        return;
    }
    page.removeOption(list, chosenAt);
    page.setSelectedIndex(list, 0);
}

void LoadStyleData(Host& host) {
    Page& page = host.pageRef();
    Element list = page.getElementById(kStyleList);
    if (!list) return;
    const std::string chosen = chosenStyle(page, list);
    if (chosen == kNewStyle) {
        markNameField(page, true);
        if (Element autoBox = page.getElementById("x_Auto_x")) page.setFieldChecked(autoBox, false);
        return;
    }
    Element forms = page.getElementById("x_StyleFormList_x");
    const int formCount = forms ? page.optionCount(forms) : 0;
    for (int i = 0; i < formCount; ++i) page.setOptionStyle(forms, i, "background-color", "white");
    markNameField(page, false);
    if (!projectOpen(host)) return;

    ReadStyle read;
    try {
        if (!isStyleFileName(chosen)) throw FileError("\"" + chosen + "\" is not a style sheet file.");
        read = parseStyleSheet(readTextFile(projectFolder(host) / chosen), 9);
    } catch (const FileError& e) {
        page.msgBox("Style Sheet: " + chosen + " cannot be read: the window keeps its settings." + kCrLf + e.what(),
                    MsgButtons::OK, MsgIcon::Exclamation);
        return;
    }
    std::array<int, 6> sizes{};
    for (int i = 0; i < 6; ++i) {
        Element field = page.getElementById(kStyleFileLines[i].key);
        sizes[i] = field ? page.optionCount(field) : 0;
    }
    dropIndexesPastLists(read, sizes);
    for (int i = 0; i < 6; ++i) {
        if (read.values[i]) page.setSelectedIndex(required(page, kStyleFileLines[i].key), std::stoi(*read.values[i]));
    }
    if (read.values[6]) {
        const std::vector<Element> radios = page.getElementsByName("BorderOnOff");
        const size_t k = *read.values[6] == "0" ? 0 : 1;
        if (k < radios.size()) page.setFieldChecked(radios[k], true);
        if (radios.size() > 1) page.setFieldChecked(radios[1 - k], false);
    }
    if (read.values[7]) page.setFieldValue(required(page, "BorderSize"), *read.values[7]);
    if (read.values[8]) {
        const bool forNewForms = equalsNoCase(*read.values[8], "true");
        page.setFieldChecked(required(page, "x_Auto_x"), forNewForms);
        // The loaded style takes the role before the window's settings are
        // recorded, so the recorded settings are the loaded style's own.
        if (forNewForms) {
            setStyleForNewFormsName(page, chosen);
            page.call("ValidateStyle");
        }
    }
    for (int i = 0; i < formCount; ++i) {
        Element form = page.getElementById(page.optionText(forms, i));
        if (form && page.getAttribute(form, "StyleSheet").value_or("") == chosen) {
            page.setOptionStyle(forms, i, "background-color", "gold");
        }
    }
    if (!read.problems.empty()) {
        page.msgBox("Style Sheet: " + chosen + " is damaged; the settings it holds were loaded, the others kept." +
                        kCrLf + problemText(read.problems),
                    MsgButtons::OK, MsgIcon::Exclamation);
    }
}

void LoadStyleForNewForms(Host& host) {
    Page& page = host.pageRef();
    const std::string name = toText(page.getVariable("sUseStyleForNewlyCreatedForms"));
    if (!isStyleFileName(name)) {
        throw FileError("The style for new forms, \"" + name + "\", is not a style sheet file.");
    }
    ReadStyle read;
    try {
        read = parseStyleSheet(readTextFile(projectFolder(host) / name));
    } catch (const FileError& e) {
        throw FileError("The style for new forms, " + name + ", cannot be read: " + e.what());
    }
    // Whether the style is for new forms is the project file's to say.
    std::erase_if(read.problems, [](const StyleProblem& p) { return p.line == 8; });
    if (auto sizes = chartListSizes(page)) dropIndexesPastLists(read, *sizes);
    setStyleForNewForms(page, read.values);
    if (!read.problems.empty()) {
        throw FileError("The style for new forms, " + name + ", is damaged; new forms take what it holds of use:" +
                        problemText(read.problems));
    }
}

}  // namespace zolt
