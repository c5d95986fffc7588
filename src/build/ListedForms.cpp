#include "build/ListedForms.h"

#include <set>

#include "build/Markup.h"
#include "storage/ProjectFile.h"
#include "storage/TextFile.h"

namespace fs = std::filesystem;

namespace zolt {

namespace {

// A form file as the designer reads it: a version, a line end, the form's
// markup between "#" and "#", with its form number.
bool soundFormFile(const fs::path& file) {
    std::string text;
    try {
        text = readTextFile(file);
    } catch (const FileError&) {
        return false;
    }
    return text.size() >= 9 && text.compare(5, 3, "\r\n#") == 0 && text.back() == '#' &&
           containsNoCase(text, "ParentFormID=");
}

}  // namespace

void requireListedForms(Page& page, const fs::path& projectFile) {
    std::error_code ec;
    if (projectFile.empty() || !fs::is_regular_file(projectFile, ec)) return;
    std::vector<ProjectLine> lines;
    try {
        lines = readProjectFile(readTextFile(projectFile));
    } catch (const FileError&) {
        return;  // the open project's file is not the build's to judge
    }
    std::set<std::string> onSurface;
    if (Element list = page.getElementById("x_FormsList_x")) {
        for (int i = 0, n = page.optionCount(list); i < n; ++i) onSurface.insert(page.optionText(list, i));
    }
    for (const ProjectLine& line : lines) {
        if (line.kind != ProjectLine::Kind::Form) continue;
        const std::string name = line.value.substr(0, line.value.find('/'));
        if (name.empty() || onSurface.count(name)) continue;
        const fs::path file = projectFile.parent_path() / (name + ".rwf");
        if (!fs::exists(file, ec)) {
            throw FormFileError("The form " + name + " cannot be built: its file " + file.string() + " is missing.");
        }
        if (!soundFormFile(file)) {
            throw FormFileError("The form " + name + " cannot be built: its file " + file.string() + " is damaged.");
        }
    }
}

}  // namespace zolt
