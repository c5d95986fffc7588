#include "site/PageWriter.h"

#include <cstdio>
#include <ctime>
#include <random>

#include "site/ControlMarkup.h"
#include "site/Markup.h"
#include "site/Pictures.h"
#include "site/ListedForms.h"
#include "site/Runtime.h"
#include "site/SiteFolder.h"
#include "site/SiteText.h"
#include "storage/TextFile.h"

namespace fs = std::filesystem;

namespace zolt {

namespace {

const char kVersion[] = "V1.01";

// Sets every Recorded mark this build made back to false, and on failure
// undoes the build's other changes of the design surface.
class SurfaceGuard {
public:
    explicit SurfaceGuard(BuildContext& ctx) : ctx_(ctx) {}
    ~SurfaceGuard() {
        if (!done_) {
            for (auto it = ctx_.undo.rbegin(); it != ctx_.undo.rend(); ++it) {
                try {
                    (*it)();
                } catch (const PageError&) {
                }
            }
        }
        for (Element e : ctx_.recorded) {
            try {
                ctx_.page.setAttribute(e, "Recorded", "false");
            } catch (const PageError&) {
                // The element was replaced (a tab page shown in turn).
            }
        }
    }
    void succeeded() { done_ = true; }

private:
    BuildContext& ctx_;
    bool done_ = false;
};

std::string shortDate(const CalendarDate& d) {
    return std::to_string(d.month) + "/" + std::to_string(d.day) + "/" + std::to_string(d.year);
}

Element formBody(Page& page, Element form) {
    for (Element child : page.children(form)) {
        if (equalsNoCase(attr(page, child, "id"), "TForm")) return child;
    }
    return {};
}

// Runs a step that writes files; a file system's failure becomes the
// build's, worded for a message box.
template <class Step>
void writing(Step step) {
    try {
        step();
    } catch (const FileError& e) {
        throw BuildError(e.what());
    } catch (const fs::filesystem_error& e) {
        throw BuildError(std::string("A file of the site cannot be written: ") + e.what());
    }
}

// The whole site into a fresh folder, swapped in for Build when complete.
void writeSite(const fs::path& build, const BuildOutcome& outcome, const std::string& pageFile,
               const std::string& scriptFile, const std::vector<PictureCopy>& copies) {
    SiteFolder site(build);
    auto inFresh = [&](const fs::path& p) { return site.fresh() / p.lexically_relative(build); };
    writing([&] {
        writeBytesFile(inFresh(outcome.pagePath), pageFile);
        writeBytesFile(inFresh(outcome.scriptPath), scriptFile);
        for (const PictureCopy& c : copies) {
            fs::create_directories(inFresh(c.to).parent_path());
            copyFileAtomically(c.from, inFresh(c.to));
        }
    });
    site.commit();
}

// A preview's two files in Temp: the script first, so that a page that is
// there always finds its script.
void writePreview(const fs::path& temp, const BuildOutcome& outcome, const std::string& pageFile,
                  const std::string& scriptFile) {
    writing([&] {
        fs::create_directories(temp);
        writeBytesFile(outcome.scriptPath, scriptFile);
        try {
            writeBytesFile(outcome.pagePath, pageFile);
        } catch (...) {
            std::error_code ec;
            fs::remove(outcome.scriptPath, ec);
            throw;
        }
    });
}

fs::path requireFile(const fs::path& folder, const std::string& name) {
    auto found = findFileNoCase(folder, name);
    if (!found) throw BuildError("The file " + (folder / name).string() + " does not exist.");
    return *found;
}

struct BodyCode {
    std::string functions;
    std::string events;
};

BodyCode bodyCode(Page& page, const std::string& startForm) {
    BodyCode out;
    for (const Attribute& a : page.attributes(page.body())) {
        if (a.value.empty()) continue;
        if (containsNoCase(a.name, "F_")) {
            out.functions += "\r\n\r\n" + a.value;
        } else if (containsNoCase(a.name, "C_") && containsNoCase(a.name, "onload")) {
            out.events += " " + eventAttribute("onload", "=ShowForm('" + startForm + "',0,0,true);" + a.value.substr(1));
        } else if (containsNoCase(a.name, "C_")) {
            out.events += " " + eventAttribute(removeNoCase(a.name, "C_"), a.value);
        }
    }
    if (!containsNoCase(out.events, "onload")) {
        out.events += " " + eventAttribute("onload", "=ShowForm('" + startForm + "',0,0,true,'')");
    }
    return out;
}

fs::path projectFolderOf(const BuildRequest& r) {
    fs::path file(r.ProjectFilePath);
    return file.has_parent_path() ? file.parent_path() : fs::current_path();
}

std::string projectNameOf(const BuildRequest& r) {
    std::string name = r.ProjectFileName.empty() ? fs::path(r.ProjectFilePath).filename().string() : r.ProjectFileName;
    if (name.size() >= 4 && equalsNoCase(name.substr(name.size() - 4), ".rwp")) name.resize(name.size() - 4);
    return name;
}

std::string scriptReference(const std::string& src) {
    return "<Script LANGUAGE=\"JavaScript1.3\" SRC=\"" + src + "\"></Script>";
}

}  // namespace

std::string drawPreviewNumber() {
    // Never reseeded: every run draws the same fractions; the time of day
    // makes the names differ.
    static std::mt19937 generator;
    std::uniform_real_distribution<double> fraction(0.0, 1.0);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    double dayFraction = (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10f", fraction(generator) * dayFraction);
    std::string text = buf;
    while (text.size() > 1 && text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

BuildOutcome WriteSurfacePage(Page& page, const BuildRequest& request) {
    BuildOutcome outcome;
    std::string startForm = toText(page.getVariable("GProjectStartForm"));
    if (startForm.empty()) {
        page.msgBox("There is no start form selected.", MsgButtons::OK, MsgIcon::Information);
        return outcome;
    }
    if (toBool(page.getVariable("bMenuShown"))) {
        std::string menuType = toText(page.getVariable("sMenuType"));
        if (!menuType.empty()) page.call("ShowMenu", {menuType, 1.0});
    }

    BuildContext ctx{page};
    ctx.mode = request.mode;
    ctx.projectFolder = projectFolderOf(request);
    ctx.appFolder = request.appFolder;
    ctx.imageLocation = attr(page, page.body(), "ImageLocation");
    ctx.mirror = request.mirror;
    if (request.today) ctx.today = *request.today;
    bool building = request.mode != 0;
    std::string projectName = projectNameOf(request);
    requireOpenedForms(request.formsNotOpened, request.formsRefused, page, request.ProjectFilePath);

    fs::path outFolder = ctx.projectFolder / (building ? "Build" : "Temp");
    if (building) {
        outcome.pagePath = outFolder / "default.htm";
        outcome.scriptPath = outFolder / (projectName + ".js");
    } else {
        do {
            outcome.previewNumber = drawPreviewNumber();
            outcome.pagePath = outFolder / ("TempHTML" + outcome.previewNumber + ".htm");
        } while (fs::exists(outcome.pagePath));
        outcome.scriptPath = outFolder / ("TempJS" + outcome.previewNumber + ".js");
    }

    SurfaceGuard guard(ctx);
    std::vector<std::string> lines = {
        // The page's own words (month and day names, "Month:") are English.
        "<HTML lang=en>",
        "<HEAD>",
        std::string("<!-- Created with Velkorasoft ZOLT ") + kVersion + " Tool. " + shortDate(ctx.today) + "  -->",
        "<META HTTP-EQUIV=\"Expires\" CONTENT=\"Tue, 01 Jan 2002 1:00:00 GMT\">",
        "<META HTTP-EQUIV=\"Pragma\" CONTENT=\"no-cache\">",
    };
    std::string title = escapeText(attr(page, page.body(), "userTitle"));
    lines.push_back(building ? "<TITLE>" + title + "</TITLE>"
                             : "<TITLE>" + title + "  *Velkorasoft " + kVersion + " Project Preview</TITLE>");
    lines.push_back("</HEAD>");
    lines.push_back("<BODY bgcolor=" + attr(page, page.body(), "userBGColor"));
    BodyCode body = bodyCode(page, startForm);
    lines.push_back(body.events + " >");
    lines.push_back("<iFrame id=iFraData src='' width=0 height=0 FRAMEBORDER=0 SCROLLING=NO title=\"Data frame\" "
                    "tabindex=-1 aria-hidden=true></iFrame>");

    // The forms in the order of the project's form list: three lines each,
    // and for each its form code and its controls' code.
    struct FormCode {
        std::string system, controls;
    };
    std::vector<FormCode> formCode;
    Element formsList = page.getElementById("x_FormsList_x");
    int formCount = formsList ? page.optionCount(formsList) : 0;
    for (int i = 0; i < formCount; ++i) {
        std::string formId = page.optionText(formsList, i);
        if (request.progress) request.progress(i + 1, formCount, formId);
        Element form = page.getElementById(formId);
        if (!form) throw BuildError("The form " + formId + " is not on the design surface.");
        FormCode fc;
        lines.push_back(BuildFormMarkup(ctx, form, fc.system));
        Element tform = formBody(page, form);
        if (!tform) throw BuildError("The form " + formId + " has no body.");
        lines.push_back(BuildControlMarkup(ctx, tform, fc.controls));
        lines.push_back("</DIV></DIV>");
        formCode.push_back(std::move(fc));
    }

    // The runtime (with the tab and calendar functions when the page has
    // such controls) and the page's functions open the first form's code.
    std::string script;
    if (!formCode.empty()) {
        RuntimeOptions runtime;
        runtime.zIndexCounter = toText(page.getVariable("zIndexCounter"));
        runtime.startForm = startForm;
        runtime.withTabs = ctx.wroteTabs;
        runtime.withCalendars = ctx.wroteCalendars;
        std::string opening = RuntimeScript(runtime);
        if (!body.functions.empty()) opening += body.functions + "\r\n\r\n";
        formCode.front().system = opening + formCode.front().system;
    }
    auto scriptBlock = [&](const char* heading, const std::string& code) {
        if (!trimBlanks(code).empty()) script += std::string(heading) + "\r\n\r\n" + code + "\r\n\r\n\r\n";
    };
    for (const FormCode& fc : formCode) {
        scriptBlock("//System Code", fc.system);
        scriptBlock("//Control Code", fc.controls);
    }

    if (building) {
        lines.push_back(scriptReference(urlPath(projectName + ".js")));
        lines.push_back(scriptReference("ZOLTJSStatic.js"));
    } else {
        lines.push_back(scriptReference("../Temp/TempJS" + outcome.previewNumber + ".js"));
        lines.push_back(scriptReference("../ZOLTJSStatic.js"));
    }
    lines.push_back("</BODY>");
    lines.push_back("</HTML>");

    std::string pageText;
    for (const std::string& line : lines) pageText.append(line).append("\r\n");
    // Code typed on several lines may hold bare line feeds (markup parsers
    // fold CR LF); every line of the script ends with CR LF.
    const std::string pageFile = pageBytes(pageText);
    const std::string scriptFile = scriptBytes(replaceAll(replaceAll(script, "\r\n", "\n"), "\n", "\r\n"));
    if (building) {
        ctx.copies.push_back({requireFile(ctx.projectFolder / "Images", "closebutton.jpg"),
                              outFolder / "Images" / "closebutton.jpg"});
        ctx.copies.push_back({requireFile(ctx.projectFolder, "ZOLTJSStatic.js"), outFolder / "ZOLTJSStatic.js"});
        writeSite(outFolder, outcome, pageFile, scriptFile, ctx.copies);
    } else {
        writePreview(outFolder, outcome, pageFile, scriptFile);
    }
    guard.succeeded();

    if (!building) {
        page.openWindow(request.previewAddress ? request.previewAddress(outcome.pagePath) : outcome.pagePath.string());
    }
    outcome.written = true;
    outcome.missingPictures = ctx.missingPictures;
    return outcome;
}

}  // namespace zolt
