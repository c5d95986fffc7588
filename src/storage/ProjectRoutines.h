// What the project and form routines share: the open project's folder, the
// checks on names the developer types, the page's paths, the page reset
// before another project, and opening a project file or a form file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "host/Host.h"

namespace zolt {

inline const std::string kCrLf = "\r\n";

// Entries of the function list that name the runtime's own functions; the
// developer's functions follow them.
inline constexpr int kBuiltInFunctions = 8;

// The open project's folder: ProjectFilePath less "/" + ProjectFileName.
std::filesystem::path projectFolder(const Host& host);

// The project's name as the page shows it: the text of ProjectName with
// every "--" removed (the project file's name with ".rwp").
std::string shownProjectName(Page& page);

// The reason a name cannot be used for a project folder or a form file, or
// nothing when it can. Names are refused when they are empty, "." or "..",
// or hold a path separator, a character that file systems refuse
// (< > : " | ? * and control characters) or "&" (it would split commands).
std::optional<std::string> unusableNameReason(const std::string& name);

// The message box for an error the routines catch: the error's number (when
// it has one), CR LF and its description.
std::string errorText(const std::exception& e);

// Sets ImagePath, TempPath and AppPath while the page shows its start
// screen; the page loads pictures from these, so they are served URLs.
void SetPagePaths(Host& host);

// Brings the page from another project into a clean state before a new
// project (Part of creating) or an opened one.
void ResetPageForNewProject(Page& page);
void ResetPageForOpenedProject(Page& page);

// The link "--" that opens the project name box, followed by the name.
std::string projectNameCell(const std::string& projectFileName);

// Opens the project file `file` (its name `name`, such as Shop.rwp) into the
// page: the work of LoadProject once the chooser has given the file. Returns
// false, after telling the developer, when the file cannot be read; the page
// is then unchanged.
bool OpenProjectFile(Host& host, const std::filesystem::path& file, const std::string& name);

// Inserts a form file into the design surface. `entry` is a forms-list entry
// of the project file ("Form1/True") when a project is opened, or empty when
// the developer loads a form file (`path`, `fileName`).
void ImportFormFile(Host& host, const std::string& entry, const std::string& path,
                    const std::string& fileName);

// Writes every form of the forms list into its form file; throws when a file
// cannot be written (SelectedFormObj is then as it was).
void writeAllFormFiles(Host& host);

// The markup of a new form numbered n, as its first form file holds it.
std::string newFormTemplate(int n, const std::string& closeButtonUrl);

// The URL under which the page finds the application's close picture.
std::string closeButtonUrl();

}  // namespace zolt
