// Form files (.rwf): "V1.01", CR LF, "#", the form's markup, "#". Writing a
// new form's file, saving every form, and importing a form file into the
// design surface.
#include <algorithm>

#include "site/Markup.h"
#include "host/FileDialog.h"
#include "page/BrowserPage.h"
#include "storage/FileTransaction.h"
#include "storage/ProjectCommands.h"
#include "storage/ProjectFile.h"
#include "storage/ProjectRoutines.h"
#include "storage/StoredForm.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

namespace {

// A fixed address that saved markup never keeps: pictures chosen while a
// page was tried out on the web site's test folder.
constexpr std::string_view kAddressPrefix = "http://www.zolt.example/test/";

// Every line break of stored markup is CR LF, as in every file ZOLT writes.
std::string crLfLineBreaks(const std::string& text) {
    return replaceAll(replaceAll(text, "\r\n", "\n"), "\n", "\r\n");
}

// The version and the markup of a form file's text: "V1.01", a line end,
// "#", the markup, "#". The line end is CR LF, or LF where an editor saved
// the file so; anything else is taken by position, as ZOLT writes it.
struct FormFileParts {
    std::string version, markup;
};
std::optional<FormFileParts> formFileParts(const std::string& text) {
    if (text.size() < 9) return std::nullopt;
    const size_t hash = text.compare(5, 2, "\r\n") == 0 ? 7 : text[5] == '\n' ? 6 : 7;
    return FormFileParts{text.substr(0, 5), text.substr(hash + 1, text.size() - hash - 2)};
}

// The stored markup of a form on the design surface (its outer markup), as
// its file holds it.
std::string storedMarkup(std::string markup) {
    markup = replaceAll(markup, "&#13;", "\r\n");
    markup = replaceAll(markup, "&#10;", "");
    markup = replaceAll(markup, "&#9;", "\t");
    return replaceAll(crLfLineBreaks(markup), kAddressPrefix, "");
}

void reportCorrupt(Page& page, const std::string& label) {
    page.msgBox("Form: " + label + kCrLf + "Has corrupt or missing information.", MsgButtons::OK, MsgIcon::Critical);
}

}  // namespace

std::string formFileText(const std::string& markup) { return std::string(kFileVersion) + "\r\n#" + markup + "#"; }

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

namespace {

// Takes a new form off the surface again, with its list entry, and gives
// its number back: the page made it, but its file could not be written.
void removeNewForm(Page& page, Element form, int n) {
    page.removeElement(form);
    if (Element list = page.getElementById("x_FormsList_x")) {
        const std::string id = "Form" + std::to_string(n);
        for (int i = page.optionCount(list) - 1; i >= 0; --i) {
            if (page.optionText(list, i) == id) page.removeOption(list, i);
        }
    }
    const int count = static_cast<int>(toNumber(page.getVariable("NewFormCount")));
    page.setVariable("NewFormCount", static_cast<double>(std::max(count - 1, 0)));
    if (n != count) {
        // A freed number was taken: it waits again.
        const std::vector<ScriptValue> order = page.getArray("arrNewFormOrder");
        for (int k = 1; k < static_cast<int>(order.size()) && k <= 10; ++k) {
            if (toNumber(order[k]) == 11) {
                page.setArrayEntry("arrNewFormOrder", k, static_cast<double>(n));
                break;
            }
        }
    }
    for (const char* v : {"SelectedObj", "SelectedFormObj"}) page.setVariable(v, ScriptValue{});
    page.setVariable("SelectedFormID", 0.0);
}

}  // namespace

void CreateNewFormCommand(Host& host) {
    Page& page = host.pageRef();
    Element form = toElement(page.getVariable("SelectedObj"));
    const std::string n = form ? page.getAttribute(form, "ParentFormID").value_or("") : "";
    if (n.empty() || host.ProjectFilePath.empty()) return;
    try {
        writeTextFile(projectFolder(host) / ("Form" + n + ".rwf"),
                      formFileText(newFormTemplate(std::stoi(n), closeButtonUrl())));
    } catch (const std::exception& e) {
        page.msgBox("The file of Form" + n + " could not be written, so the form is not kept." + kCrLf + e.what(),
                    MsgButtons::OK, MsgIcon::Critical);
        removeNewForm(page, form, std::stoi(n));
        return;
    }
    page.setVariable("bProjectInfoChanged", true);
}

void addFormFiles(Host& host, FileTransaction& files, const std::vector<std::string>* only) {
    Page& page = host.pageRef();
    std::vector<std::string> listed;
    for (const std::string& id : page.optionTexts(page.getElementById("x_FormsList_x"))) {
        if (!only || std::find(only->begin(), only->end(), id) != only->end()) listed.push_back(id);
    }
    // Every form is found, named and read in a few reads, whatever their number.
    std::vector<Element> forms;
    std::vector<std::string> ids;
    const std::vector<Element> found = page.elementsById(listed);
    for (size_t i = 0; i < found.size(); ++i) {
        if (!found[i]) continue;
        forms.push_back(found[i]);
        ids.push_back(listed[i]);
        // A save makes each form the selected one in turn, as the designer
        // always has; a recovery copy, taken while the developer works,
        // leaves the selection alone.
        if (!only) page.setVariable("SelectedFormObj", found[i]);
    }
    // The form's name names its file: one that would lead out of the
    // project folder, or that no file system takes, is refused.
    const auto names = page.attributeOfEach(forms, "Name");
    for (size_t i = 0; i < forms.size(); ++i) {
        if (auto reason = unusableNameReason(names[i].value_or(ids[i]))) {
            throw FileError("The form " + ids[i] + " cannot be saved under its name. " + *reason);
        }
    }
    const std::vector<std::string> markup = page.outerHTMLOfEach(forms);
    for (size_t i = 0; i < forms.size(); ++i) {
        files.add(names[i].value_or(ids[i]) + ".rwf", encodeWindows1252(formFileText(storedMarkup(markup[i]))));
    }
}

void writeAllFormFiles(Host& host) {
    Page& page = host.pageRef();
    const ScriptValue selected = page.getVariable("SelectedFormObj");
    try {
        FileTransaction files(projectFolder(host));
        addFormFiles(host, files);
        files.commit();
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

void ImportFormFile(Host& host, const std::string& entry, const std::string& path, const std::string& fileName,
                    int* formCount) {
    Page& page = host.pageRef();
    const bool loadingForm = entry.empty();
    std::string formName, label;
    bool visible = true;
    fs::path file;
    if (loadingForm) {
        formName = replaceAll(fileName, ".rwf", "");
        label = fileName;
        file = path;
    } else {
        size_t slash = entry.find('/');
        formName = entry.substr(0, slash);
        label = formName;
        visible = slash == std::string::npos || toBool(ScriptValue{entry.substr(slash + 1)});
        // The project's own file, or the recovery copy of it when one is restored.
        file = path.empty() ? projectFolder(host) / (formName + ".rwf") : fs::path(path);
    }
    // The form's name names its file from now on.
    if (auto reason = unusableNameReason(formName)) {
        page.msgBox("Form: " + label + kCrLf + "Cannot be loaded. " + *reason, MsgButtons::OK, MsgIcon::Critical);
        return;
    }
    if (loadingForm && (!page.getElementsByName(formName).empty() || page.getElementById(formName))) {
        page.msgBox("A Form with the name: " + formName + " already exists in this project.", MsgButtons::OK,
                    MsgIcon::Information);
        return;
    }
    std::error_code ec;
    if (!fs::exists(file, ec)) return;

    // Damaged files (too short for the frame, not text, no form number, or
    // refused by the page's upgrade) are reported and left out.
    std::optional<FormFileParts> parts;
    try {
        parts = formFileParts(readTextFile(file));
    } catch (const FileError&) {
    }
    if (!parts) return reportCorrupt(page, label);
    std::string markup = parts->markup;
    try {
        // Only files of older versions go through the page's upgrade; it
        // hands markup of the current version back unchanged.
        if (!equalsNoCase(trimBlanks(parts->version), kFileVersion)) {
            CallResult r = page.call("BringUpToDateForm", {markup, parts->version});
            if (auto s = std::get_if<std::string>(&r.value)) markup = *s;
            else if (!r.args.empty() && std::holds_alternative<std::string>(r.args[0])) markup = std::get<std::string>(r.args[0]);
        }
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception&) {
        return reportCorrupt(page, label);
    }
    StoredForm form(replaceAll(markup, kFileVersion, ""));
    dom::Node* container = form.container();
    const std::string oldNumber = container ? container->attr("parentformid").value_or("") : "";
    int old = 0;
    try {
        size_t used = 0;
        old = std::stoi(oldNumber, &used);
        if (used != oldNumber.size()) return reportCorrupt(page, label);
    } catch (const std::exception&) {
        return reportCorrupt(page, label);
    }

    int count = formCount ? *formCount : static_cast<int>(toNumber(page.getVariable("NewFormCount")));
    if (old <= count) {
        ++count;
        form.renumber(oldNumber, std::to_string(count));
    } else {
        count = old;
    }
    // The form is known by the name it is listed under: a file whose form
    // carries another id or name (copied or renamed by hand) would otherwise
    // stand on the surface under a name another form has.
    for (const char* attr : {"id", "name"}) {
        if (!equalsNoCase(container->attr(attr).value_or(""), formName)) container->setAttr(attr, formName);
    }
    page.setVariable("NewFormCount", static_cast<double>(count));
    if (formCount) *formCount = count;
    auto putOnSurface = [&] {
        page.insertStoredForm(form.take());
        page.run("UpdateFormsList", {formName, static_cast<double>(count)});
        page.run("UpdateWhichFormHasTheFocus", {formName});
        // The page keeps zIndexCounter above the new form and hides it when
        // the entry says so.
        page.run("PlaceImportedForm", {visible});
    };
    // The forms of an opening project travel to the page together: each is a
    // group, so one the page refuses leaves the others on the surface (the
    // open reports it and keeps it in the project).
    if (formCount) page.group(formName, putOnSurface);
    else putOnSurface();
}

void LoadFormCommand(Host& host) {
    if (!host.dialog) return;
    const std::string name = host.dialog->txtFileName();
    ImportFormFile(host, "", (host.dialog->Dir1Path() / name).string(), name);
    host.pageRef().setVariable("bProjectInfoChanged", true);
    CloseDialog(host);
}

}  // namespace zolt
