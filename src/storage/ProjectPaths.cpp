// The open project's folder, names the developer types, error texts, and the
// paths the page loads pictures from.
#include <cstring>
#include <system_error>

#include "host/PageText.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

fs::path projectFolder(const Host& host) { return fs::path(host.ProjectFilePath).parent_path(); }

std::string shownProjectName(Page& page) {
    Element cell = page.getElementById("ProjectName");
    if (!cell) return "";
    std::string text = page.innerText(cell);
    for (size_t at; (at = text.find("--")) != std::string::npos;) text.erase(at, 2);
    return text;
}

std::optional<std::string> unusableNameReason(const std::string& name) {
    if (name.empty()) return "A name cannot be empty.";
    if (name == "." || name == "..") return "The name \"" + name + "\" is not allowed.";
    for (unsigned char c : name) {
        if (c < 0x20 || std::strchr("/\\<>:\"|?*&", c)) {
            return "The name \"" + name + "\" holds characters that are not allowed: / \\ < > : \" | ? * &";
        }
    }
    if (name.back() == ' ' || name.back() == '.') {
        return "The name \"" + name + "\" must not end with a blank or a point.";
    }
    return std::nullopt;
}

std::string errorText(const std::exception& e) {
    if (auto fe = dynamic_cast<const fs::filesystem_error*>(&e)) {
        std::string text = std::to_string(fe->code().value()) + kCrLf + fe->code().message();
        if (!fe->path1().empty()) text += ": " + fe->path1().string();
        return text;
    }
    if (auto se = dynamic_cast<const std::system_error*>(&e)) {
        return std::to_string(se->code().value()) + kCrLf + se->code().message();
    }
    return e.what();
}

std::string closeButtonUrl() { return std::string(kAppUrlPrefix) + "Images/closebutton.jpg"; }

void SetPagePaths(Host& host) {
    Page& page = host.pageRef();
    Element toolbar = page.getElementById("ToolBar1");
    if (!toolbar || page.styleValue(toolbar, "display") != "none") return;
    page.setVariable("ImagePath", closeButtonUrl());
    page.setVariable("TempPath", std::string(kAppUrlPrefix) + "Temp/ZOLTJSStatic.js");
    // The application folder's URL without its closing "/".
    page.setVariable("AppPath", std::string(kAppUrlPrefix.substr(0, kAppUrlPrefix.size() - 1)));
}

std::string projectNameCell(const std::string& projectFileName) {
    return "<a style='color:blue;text-decoration:none;font-size:20' title='Click to change Project Name.' "
           "onClick='ShowChangeProjectNameForm()'>--</a>" +
           projectFileName;
}

}  // namespace zolt
