// A design surface in a DomPage and a project folder on disk, for the build's tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "site/BuildContext.h"
#include "site/Markup.h"
#include "site_model_markup.h"
#include "page/DomPage.h"

namespace zolt::testing {

// The designer's form 1 (renamed to `name`) holding the given controls.
inline std::string formWith(const std::string& controls, const std::string& name = "Form1", int number = 1) {
    std::string form = replaceAll(kModelForm, "</Div></DIV>", controls + "</Div></DIV>");
    for (const std::string key : {"ID=", "Name=", "Caption=", ">"}) form = replaceAll(form, key + "Form1", key + name);
    return replaceAll(form, "ParentFormID=1 ", "ParentFormID=" + std::to_string(number) + " ");
}

// The control of type `code` as the designer creates it.
inline std::string control(const std::string& code) { return kModelControls.at(code); }

// The designer page's body: project settings, the forms list, the project name.
inline std::string designerDocument(const std::string& forms, const std::vector<std::string>& formNames = {"Form1"},
                                    const std::string& bodyAttributes = "") {
    std::string list = "<select id=x_FormsList_x>";
    for (const auto& n : formNames) list += "<option>" + n + "</option>";
    list += "</select>";
    return "<html><head></head><body id=Body Name=Body BGIndex=216 userBGColor=#ffffff userTitle=\"Shop\" "
           "ImageLocation PreviewUrl=\"\"" + bodyAttributes + "><a id=ProjectName>--Shop.rwp</a>" + list + forms +
           "</body></html>";
}

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
inline void expectParts(const std::string& text, const std::vector<std::string>& parts) {
    for (const std::string& part : parts) EXPECT_TRUE(has(text, part)) << part << "\nin " << text;
}
inline void writeBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}
inline std::string fileBytes(const std::filesystem::path& p) {
    std::ostringstream s;
    s << std::ifstream(p, std::ios::binary).rdbuf();
    return s.str();
}

// A project folder "Shop" as a new project leaves it.
struct ProjectFolder {
    std::filesystem::path root;
    std::filesystem::path folder;
    explicit ProjectFolder(const std::string& tag) {
        root = std::filesystem::temp_directory_path() / ("zolt-build-" + tag + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root);
        folder = root / "Shop";
        for (const char* sub : {"Build/Images", "Images", "Temp"}) std::filesystem::create_directories(folder / sub);
        writeBytes(folder / "Images" / "closebutton.jpg", "close picture");
        writeBytes(folder / "ZOLTJSStatic.js", "function drag(){}\r\nfunction dragstop(){}\r\n");
    }
    ~ProjectFolder() { std::filesystem::remove_all(root); }
    std::string projectFile() const { return (folder / "Shop.rwp").string(); }
};

inline std::filesystem::path appFolder() { return std::filesystem::path(ZOLT_SOURCE_DIR) / "installed"; }

// A page holding the document, with the start form and counters set as the designer sets them.
inline void prepare(DomPage& page, const std::string& startForm = "Form1") {
    page.setVariable("GProjectStartForm", startForm);
    page.setVariable("zIndexCounter", 7.0);
    page.setVariable("bMenuShown", false);
    page.setVariable("sMenuType", std::string());
}

inline Element formBodyOf(DomPage& page, const std::string& formId) {
    Element form = page.getElementById(formId);
    for (Element c : page.children(form)) {
        if (equalsNoCase(page.getAttribute(c, "id").value_or(""), "TForm")) return c;
    }
    return {};
}

}  // namespace zolt::testing
