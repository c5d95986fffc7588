// Form files (.rwf): "V1.01", CR LF, "#", the form's markup, "#". Writing a
// new form's file, saving every form, and importing a form file into the
// design surface.
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

// A fixed address that saved markup never keeps: pictures chosen while a
// page was tried out on the web site's test folder.
constexpr std::string_view kAddressPrefix = "http://www.zolt.example/test/";

char lowerChar(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

size_t findIgnoringCase(const std::string& text, std::string_view what, size_t from = 0) {
    for (size_t i = from; i + what.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < what.size() && lowerChar(text[i + k]) == lowerChar(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return std::string::npos;
}

std::string formFileText(const std::string& markup) {
    return std::string(kFileVersion) + "\r\n#" + markup + "#";
}

// Every line break of stored markup is CR LF, as in every file ZOLT writes.
std::string crLfLineBreaks(const std::string& text) {
    return replaceAll(replaceAll(text, "\r\n", "\n"), "\n", "\r\n");
}

// The number in the form container's own ParentFormID attribute (the first
// one of the markup), or nothing when the markup has none.
std::optional<std::string> oldFormNumber(const std::string& markup) {
    size_t at = findIgnoringCase(markup, "ParentFormID");
    if (at == std::string::npos) return std::nullopt;
    size_t end = markup.find_first_of(" >", at);
    std::string attr = markup.substr(at, end == std::string::npos ? std::string::npos : end - at);
    attr = replaceAll(attr, "\"", "");
    size_t eq = findIgnoringCase(attr, "ParentFormID=");
    if (eq == std::string::npos) return std::nullopt;
    attr.erase(eq, 13);
    return attr;
}

// Gives the form and every control of it the number `to` instead of `from`:
// every ParentFormID attribute holding exactly `from`, whether its value is
// double-quoted (as the browser stores it), single-quoted or bare (as a new
// form's first file has it). Attribute names may be in any case.
std::string renumber(const std::string& markup, const std::string& from, const std::string& to) {
    std::string out;
    size_t start = 0;
    for (size_t at; (at = findIgnoringCase(markup, "ParentFormID=", start)) != std::string::npos;) {
        size_t value = at + 13;
        char quote = value < markup.size() && (markup[value] == '"' || markup[value] == '\'') ? markup[value] : 0;
        size_t digits = value + (quote ? 1 : 0);
        size_t after = digits + from.size();
        bool same = markup.compare(digits, from.size(), from) == 0 && after <= markup.size();
        if (same) {
            char next = after < markup.size() ? markup[after] : ' ';
            same = quote ? next == quote : (next == ' ' || next == '>' || next == '/' || next == '\t' ||
                                            next == '\r' || next == '\n');
        }
        out.append(markup, start, digits - start);
        if (same) {
            out += to;
            start = after;
        } else {
            start = digits;
        }
    }
    out.append(markup, start, std::string::npos);
    return out;
}

void reportCorrupt(Page& page, const std::string& label) {
    page.msgBox("Form: " + label + kCrLf + "Has corrupt or missing information.", MsgButtons::OK, MsgIcon::Critical);
}

}  // namespace

std::string newFormTemplate(int n, const std::string& closeButton) {
    const std::string num = std::to_string(n);
    return "<DIV ID=Form" + num +
           " FormCloseFunc='' x_Upda_F_tes_x CloseButtonEnabled=true HasSomeCode=false F_Declarations "
           "Static=false Locked=false TitleBarColorIndex=6 TitleBarColorRGBValue=#0000FF "
           "TitleBarFontColorIndex=216 TitleBarFontColorRGBValue=#FFFFFF TitleBarFontTypeIndex=0 "
           "BackColorIndex=3 BackColor=#D5CCBB BackColorRGBValue=#D5CCBB backgroundimageAlignVertical='Top' "
           "backgroundimageAlignHorizontal='Center' BackGroundImageAlignHorizontalIndex=0 "
           "BackGroundImageAlignVerticalIndex=0 BorderOnOff=0 BackGroundImageSrc='' FrmWidth=400 FrmHeight=400 "
           "BorderSize=1 BackGroundImageTileOnOff=1 BorderColorIndex=0 BorderColorRGBValue=#000000 "
           "BorderStyleIndex=8 ShowCloseFormButton=true Caption=Form" +
           num + " Name=Form" + num + " ParentFormID=" + num +
           " ControlType='F' class=drag style='position:absolute; left:100; top:50; width:400; height:400; "
           "z-index:1' "
           "GLblCount=0 GTxtCount=0 GBtnCount=0 GUlCount=0 GChkCount=0 GOptCount=0 GCboCount=0 GLstCount=0 "
           "GImgCount=0 GTblCount=0 GTxtAreaCount=0 GFraCount=0 GTabCount=0 GCalCount=0 GLnkCount=0 "
           "StyleSheet='' onClick='UpdateWhichFormHasTheFocus(this)' oncontextmenu='CheckProperty(this)' >"
           "<B ID=CaptionBar style='Color:white; Font-Family:Arial; Font-Size:15; DISPLAY:block; "
           "background-color:#0000FF'>Form" +
           num + "</B>" + "<img ondragstart='return false' src='" + closeButton +
           "' id=CloseFormX style=\"POSITION: absolute; cursor:'pointer,hand'; LEFT:383px; TOP:2px;\" "
           "onclick='CloseForm(this.parentElement)'>"
           "<DIV ID=TForm ControlType='TF' contentEditable=true style='position:absolute; left:0; top:18; "
           "cursor:default; border-width:1; border-style:solid; overflow:hidden; border-color:black; "
           "background-color:#D5CCBB; width:400; height:381;' "
           "onClick='UpdateWhichFormHasTheFocus(this.parentElement)' onbeforeeditfocus='return false' "
           "onkeydown='CheckDelete(SelectedObj.ControlID)' oncontextmenu='CheckProperty(this.parentElement)' "
           "ondblclick='ShowCodeWindow()' onCut='return false' onCopy='return false' onpaste='return false' >"
           "</Div></DIV>";
}

void CreateNewFormCommand(Host& host) {
    Page& page = host.pageRef();
    Element form = toElement(page.getVariable("SelectedObj"));
    const std::string n = form ? page.getAttribute(form, "ParentFormID").value_or("") : "";
    if (n.empty() || host.ProjectFilePath.empty()) return;
    try {
        writeTextFile(projectFolder(host) / ("Form" + n + ".rwf"),
                      formFileText(newFormTemplate(std::stoi(n), closeButtonUrl())));
    } catch (const std::exception& e) {
        page.msgBox("The file of Form" + n + " could not be written." + kCrLf + e.what(), MsgButtons::OK,
                    MsgIcon::Critical);
        return;
    }
    page.setVariable("bProjectInfoChanged", true);
}

void writeAllFormFiles(Host& host) {
    Page& page = host.pageRef();
    const ScriptValue selected = page.getVariable("SelectedFormObj");
    const fs::path folder = projectFolder(host);
    Element list = page.getElementById("x_FormsList_x");
    try {
        for (int i = 0, n = list ? page.optionCount(list) : 0; i < n; ++i) {
            const std::string listed = page.optionText(list, i);
            Element form = page.getElementById(listed);
            if (!form) continue;
            page.setVariable("SelectedFormObj", form);
            std::string markup = page.outerHTML(form);
            markup = replaceAll(markup, "&#13;", "\r\n");
            markup = replaceAll(markup, "&#10;", "");
            markup = replaceAll(markup, "&#9;", "\t");
            markup = replaceAll(crLfLineBreaks(markup), kAddressPrefix, "");
            const std::string name = page.getAttribute(form, "Name").value_or(listed);
            writeTextFile(folder / (name + ".rwf"), formFileText(markup));
        }
    } catch (...) {
        page.setVariable("SelectedFormObj", selected);
        throw;
    }
    page.setVariable("SelectedFormObj", selected);
    page.setVariable("bProjectInfoChanged", false);
}

void SaveAllForms(Host& host) {
    try {
        writeAllFormFiles(host);
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception& e) {
        Page& page = host.pageRef();
        page.msgBox("Error Saving " + shownProjectName(page) + kCrLf + e.what(), MsgButtons::OK, MsgIcon::None);
    }
}

void ImportFormFile(Host& host, const std::string& entry, const std::string& path, const std::string& fileName) {
    Page& page = host.pageRef();
    const bool loadingForm = entry.empty();
    std::string formName, label;
    bool visible = true;
    fs::path file;
    if (loadingForm) {
        formName = replaceAll(fileName, ".rwf", "");
        label = fileName;
        file = path;
        if (!page.getElementsByName(formName).empty()) {
            page.msgBox("A Form with the name: " + formName + " already exists in this project.", MsgButtons::OK,
                        MsgIcon::Information);
            return;
        }
    } else {
        size_t slash = entry.find('/');
        formName = entry.substr(0, slash);
        label = formName;
        visible = slash == std::string::npos || toBool(ScriptValue{entry.substr(slash + 1)});
        file = projectFolder(host) / (formName + ".rwf");
    }
    std::error_code ec;
    if (!fs::exists(file, ec)) return;

    // Damaged files (too short for the frame, not text, no form number, or
    // refused by the page's upgrade) are reported and left out.
    std::string text;
    try {
        text = readTextFile(file);
    } catch (const FileError&) {
        reportCorrupt(page, label);
        return;
    }
    if (text.size() < 9) return reportCorrupt(page, label);
    const std::string version = text.substr(0, 5);
    std::string markup = text.substr(8, text.size() - 9);
    auto oldNumber = oldFormNumber(markup);
    int old = 0;
    try {
        if (!oldNumber) throw std::invalid_argument("no form number");
        size_t used = 0;
        old = std::stoi(*oldNumber, &used);
        if (used != oldNumber->size()) throw std::invalid_argument("not a number");
        // Only files of older versions go through the page's upgrade; it
        // hands markup of the current version back unchanged.
        if (!equalsNoCase(trimBlanks(version), kFileVersion)) {
            CallResult r = page.call("BringUpToDateForm", {markup, version});
            if (auto s = std::get_if<std::string>(&r.value)) markup = *s;
            else if (!r.args.empty() && std::holds_alternative<std::string>(r.args[0])) markup = std::get<std::string>(r.args[0]);
        }
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception&) {
        return reportCorrupt(page, label);
    }

    int count = static_cast<int>(toNumber(page.getVariable("NewFormCount")));
    if (old <= count) {
        ++count;
        markup = renumber(markup, *oldNumber, std::to_string(count));
    } else {
        count = old;
    }
    page.setVariable("NewFormCount", static_cast<double>(count));
    markup = replaceAll(markup, kFileVersion, "");
    page.insertAdjacentHTML(page.body(), InsertPosition::AfterBegin, markup);
    page.run("UpdateFormsList", {formName, static_cast<double>(count)});
    page.run("UpdateWhichFormHasTheFocus", {formName});

    // The page keeps zIndexCounter above the new form and hides it when the
    // entry says so.
    page.run("PlaceImportedForm", {visible});
}

void LoadFormCommand(Host& host) {
    if (!host.dialog) return;
    const std::string name = host.dialog->txtFileName();
    ImportFormFile(host, "", (host.dialog->Dir1Path() / name).string(), name);
    host.pageRef().setVariable("bProjectInfoChanged", true);
    CloseDialog(host);
}

}  // namespace zolt
