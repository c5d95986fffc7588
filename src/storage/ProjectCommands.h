// The project and form routines that commands and the file chooser run: each
// lives in this folder, in the file of its subject (NewProject.cpp,
// OpenProject.cpp, FormFiles.cpp, SaveProject.cpp, ProjectFiles.cpp,
// StyleSheets.cpp).
#pragma once

#include <string>

#include "host/Host.h"

namespace zolt {

// File chooser tasks (run by the chooser's button; each closes the chooser
// with CloseDialog when it succeeds).
void NewProject(Host& host);
void LoadProject(Host& host);
void LoadFormCommand(Host& host);

// Forms.
void CreateNewFormCommand(Host& host);
void SaveAllForms(Host& host);

// Projects.
// True when the project was saved (or no project is open).
bool SaveExistingProject(Host& host, bool f5Pressed);
// Offers to save unsaved changes; false when the developer chose to save and
// the save failed (the caller then leaves the project open).
bool PromptSaveOnClose(Host& host);
void DeleteProjectCommand(Host& host);
void UpdateProjectFileCommand(Host& host, const std::string& newName,
                              const std::string& oldName, const std::string& deleteFlag);
void RenameProjectCommand(Host& host);

// Style sheets (StyleSheets.cpp): the style window's commands.
void GetStyleSheets(Host& host);
void SaveStyleSheet(Host& host);
void DeleteStyleSheet(Host& host);
void LoadStyleData(Host& host);
// Fills arrStyleForNewForms from the file named by sUseStyleForNewlyCreatedForms
// (a project is being opened). Throws FileError naming what could not be
// used; the usable settings are in place by then.
void LoadStyleForNewForms(Host& host);

}  // namespace zolt
