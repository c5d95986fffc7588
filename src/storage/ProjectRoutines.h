// What the project and form routines share: the open project's folder, the
// checks on names the developer types, the page's paths, the page reset
// before another project, and opening a project file or a form file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "storage/ProjectFile.h"

namespace zolt {

class FileTransaction;

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
// nothing when it can. Projects are folders people share, so names are
// refused that any common file system refuses: empty, "." or "..", holding
// a path separator, < > : " | ? * or control characters, "&" (it would split
// commands), starting with a point (hidden; ZOLT's own files start so),
// ending with a blank or a point, Windows device names (CON, NUL, COM1...),
// and names too long for ".rwp" to follow them.
std::optional<std::string> unusableNameReason(const std::string& name);
// The same for a name cut from what the developer typed (the text before its
// point): a refused character is reported in the typed text, so "../evil"
// is named as it was typed.
std::optional<std::string> unusableTypedNameReason(const std::string& typed, const std::string& name);

// Takes the lock of a project folder (ProjectLock.h) for the project `name`;
// tells the developer who holds it, and gives false, when another ZOLT does.
bool lockProjectFolder(Host& host, const std::filesystem::path& folder, const std::string& name);
// The project in `folder`, whose lock is taken, becomes the open one: the
// lock of the one left behind is given back.
void leaveLockedProject(Host& host, const std::filesystem::path& folder);

// Two renames as one: when the second fails the first is undone (and the
// second's error raised).
void renameBoth(const std::filesystem::path& from1, const std::filesystem::path& to1,
                const std::filesystem::path& from2, const std::filesystem::path& to2);

// A file's last change as local date and time ("2024-05-01 14:03").
std::string fileTimeText(const std::filesystem::path& file);

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
// the developer loads a form file (`path`, `fileName`). `formCount`, when
// given, is the page's NewFormCount as the caller keeps it (the open of a
// project reads it once for all its forms, so that they travel to the page
// together); it is read from the page otherwise.
void ImportFormFile(Host& host, const std::string& entry, const std::string& path,
                    const std::string& fileName, int* formCount = nullptr);

// Adds the file of every form of the forms list to a save, SelectedFormObj
// being each form in turn (or the file of the listed forms of `only`, for a
// recovery copy, the selection untouched); throws FileError for a form whose
// name cannot name a file.
void addFormFiles(Host& host, FileTransaction& files, const std::vector<std::string>* only = nullptr);

// The page state the project file records, as the save takes it.
ProjectFileContent projectContent(Page& page);
// The same, with the forms the page refused when the project opened.
ProjectFileContent projectContent(Host& host);

// Writes every form of the forms list into its form file, all or none;
// throws when they cannot be written (SelectedFormObj is then as it was).
void writeAllFormFiles(Host& host);

// A form file's text: "V1.01", CR LF, "#", the form's markup, "#".
std::string formFileText(const std::string& markup);

// The markup of a new form numbered n, as its first form file holds it.
std::string newFormTemplate(int n, const std::string& closeButtonUrl);

// The URL under which the page finds the application's close picture.
std::string closeButtonUrl();

}  // namespace zolt
