// The forms a project's file lists that the build cannot find: a form whose
// file was missing or damaged when the project was opened is not on the
// design surface, and a site built without it would be missing a window its
// author expects. Such a build is refused, naming the form.
#pragma once

#include <filesystem>

#include "build/BuildContext.h"

namespace zolt {

// A listed form whose file is missing or damaged.
class FormFileError : public BuildError {
public:
    using BuildError::BuildError;
};

// Throws FormFileError for the first form that the project file lists, that
// the page's form list lacks, and whose file is missing or damaged. A listed
// form whose file is sound was removed from the design surface after the
// project was opened (it leaves the project with the next save): no fault.
void requireListedForms(Page& page, const std::filesystem::path& projectFile);

}  // namespace zolt
