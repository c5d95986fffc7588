#include "build/HeadlessBuild.h"

#include <algorithm>
#include <ostream>

#include "build/Markup.h"
#include "build/PageWriter.h"
#include "storage/ProjectFile.h"
#include "storage/TextFile.h"

namespace fs = std::filesystem;

namespace zolt {

namespace {

std::string attributeText(const std::string& value) {
    return "\"" + replaceAll(replaceAll(value, "&", "&amp;"), "\"", "&quot;") + "\"";
}

// A form file's markup: after the version, CR LF and "#", less the closing "#".
std::string formFileMarkup(const fs::path& file) {
    std::string text = readTextFile(file);
    if (text.size() < 9) throw BuildError("The form file " + file.string() + " has no form in it.");
    return text.substr(8, text.size() - 9);
}

}  // namespace

void OpenProjectHeadless(DomPage& page, const fs::path& projectFile) {
    std::vector<ProjectLine> lines = readProjectFile(readTextFile(projectFile));
    std::string bodyAttributes, startForm;
    std::vector<Attribute> code;
    std::vector<std::string> forms;
    auto key = [&](const std::string& attribute, const std::string& value) {
        bodyAttributes += " " + attribute + "=" + attributeText(value);
    };
    for (const ProjectLine& l : lines) {
        switch (l.kind) {
        case ProjectLine::Kind::Key:
            if (l.name == "BodyColor") key("userBGColor", "#" + l.value);
            else if (l.name == "BCIndex") key("BGIndex", l.value);
            else if (l.name == "PageTitle") key("userTitle", l.value);
            else if (l.name == "ImageLocation") key("ImageLocation", l.value);
            else if (l.name == "ProjectStartForm") startForm = l.value;
            break;
        case ProjectLine::Kind::Code:
            code.push_back({l.name, l.value});  // set below, keeping its line breaks as they are
            break;
        case ProjectLine::Kind::Form:
            forms.push_back(trimBlanks(l.value.substr(0, l.value.find('/'))));
            break;
        default:
            break;
        }
    }
    std::string list = "<select id=x_FormsList_x>";
    std::string markup;
    fs::path folder = projectFile.parent_path();
    for (const std::string& form : forms) {
        list += "<option>" + escapeText(form) + "</option>";
        markup += formFileMarkup(folder / (form + ".rwf"));
    }
    list += "</select>";
    page.loadDocument("<html><head></head><body id=Body Name=Body" + bodyAttributes + "><a id=ProjectName>--" +
                      escapeText(projectFile.filename().string()) + "</a>" + list + markup + "</body></html>");

    for (const Attribute& a : code) page.setAttribute(page.body(), a.name, a.value);

    // The stacking counter goes on from the highest form on the page.
    double top = 0;
    for (const std::string& form : forms) {
        if (Element e = page.getElementById(form)) top = std::max<double>(top, parseLeadingInt(page.styleValue(e, "z-index")));
    }
    page.setVariable("GProjectStartForm", startForm);
    page.setVariable("zIndexCounter", top);
    page.setVariable("bMenuShown", false);
    page.setVariable("sMenuType", std::string());
}

int HeadlessBuild(const fs::path& projectFile, const fs::path& appFolder, std::ostream& out, std::ostream& err) {
    DomPage page;
    try {
        OpenProjectHeadless(page, projectFile);
    } catch (const std::exception& e) {
        err << "zolt: the project " << projectFile.string() << " cannot be opened: " << e.what() << "\n";
        return 1;
    }
    BuildRequest request;
    request.mode = 1;
    request.ProjectFilePath = projectFile.string();
    request.ProjectFileName = projectFile.filename().string();
    request.appFolder = appFolder;
    // Every box of a build has the one button OK: answer each with it.
    for (int i = 0; i < 4; ++i) page.answerMsgBox(MsgResult::OK);
    BuildOutcome outcome = RunBuildCommand(page, request);
    for (const auto& box : page.shownBoxes()) {
        (outcome.written ? out : err) << replaceAll(box.text, "\r\n", "\n") << "\n";
    }
    if (!outcome.written) return 1;
    out << "Wrote " << outcome.pagePath.string() << " and " << outcome.scriptPath.string() << "\n";
    return 0;
}

}  // namespace zolt
