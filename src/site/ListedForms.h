// Forms a project's file lists that did not reach the design surface when
// the project was opened (their file missing or damaged). A site built
// without such a form would lack a window its author expects, so the build
// is refused, naming the form, for as long as the project file lists it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "site/BuildContext.h"

namespace zolt {

// A listed form whose file was missing or damaged when the project opened.
class FormFileError : public BuildError {
public:
    using BuildError::BuildError;
};

// The forms the project file lists that the page's form list lacks.
std::vector<std::string> formsNotOnSurface(Page& page, const std::filesystem::path& projectFile);

// Throws FormFileError for the first of `notOpened` that the project file
// still lists and the page's form list still lacks. (Forms renamed or
// deleted in the designer since leave the file's list with the next save.)
// A form of `refused` is told apart: its file is sound and a save keeps it,
// so only mending the file and opening the project again helps.
void requireOpenedForms(const std::vector<std::string>& notOpened, const std::vector<std::string>& refused,
                        Page& page, const std::filesystem::path& projectFile);

}  // namespace zolt
