#include "site/ListedForms.h"

#include <algorithm>
#include <set>

#include "storage/ProjectFile.h"
#include "storage/TextFile.h"

namespace fs = std::filesystem;

namespace zolt {

std::vector<std::string> formsNotOnSurface(Page& page, const fs::path& projectFile) {
    std::error_code ec;
    if (projectFile.empty() || !fs::is_regular_file(projectFile, ec)) return {};
    std::vector<ProjectLine> lines;
    try {
        lines = readProjectFile(readTextFile(projectFile));
    } catch (const FileError&) {
        return {};  // the project file itself is not the build's to judge
    }
    std::set<std::string> onSurface;
    for (const std::string& id : page.optionTexts(page.getElementById("x_FormsList_x"))) onSurface.insert(id);
    std::vector<std::string> missing;
    for (const ProjectLine& line : lines) {
        if (line.kind != ProjectLine::Kind::Form) continue;
        const std::string name = line.value.substr(0, line.value.find('/'));
        if (!name.empty() && !onSurface.count(name)) missing.push_back(name);
    }
    return missing;
}

void requireOpenedForms(const std::vector<std::string>& notOpened, const std::vector<std::string>& refused,
                        Page& page, const fs::path& projectFile) {
    if (notOpened.empty()) return;
    const auto among = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const std::string& name : formsNotOnSurface(page, projectFile)) {
        if (!among(notOpened, name)) continue;
        const fs::path file = projectFile.parent_path() / (name + ".rwf");
        if (among(refused, name)) {
            throw FormFileError("The form " + name + " cannot be built: it could not be put on the design surface "
                                "when the project was opened. Its file " + file.string() +
                                " is kept as it was: mend it and open the project again.");
        }
        std::error_code ec;
        throw FormFileError("The form " + name + " cannot be built: its file " + file.string() +
                            (fs::exists(file, ec) ? " is damaged." : " is missing.") +
                            "\r\nMend the file and open the project again, or save the project to build it "
                            "without the form.");
    }
}

}  // namespace zolt
