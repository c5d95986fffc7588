// The host routines that the command bus and the file chooser run, one per
// command. Each lives in its own file under routines/.
#pragma once

#include <string>
#include <vector>

#include "host/Host.h"

namespace zolt {

// File chooser tasks (run by the chooser's button; each closes the chooser
// with CloseDialog when it succeeds).
void NewProject(Host& host);
void LoadProject(Host& host);
void LoadFormCommand(Host& host);
void ChoosePicture(Host& host);

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

// Style sheets.
void GetStyleSheets(Host& host);
void SaveStyleSheet(Host& host);
void DeleteStyleSheet(Host& host);
void LoadStyleData(Host& host);
// Fills arrStyleForNewForms from the file named by sUseStyleForNewlyCreatedForms
// (a project is being opened). Throws FileError naming what could not be
// used; the usable settings are in place by then.
void LoadStyleForNewForms(Host& host);

// Build (1) or preview (0).
void BuildProjectCommand(Host& host, int buildMode);

// The property window.
void ShowPropertyWindowCommand(Host& host);

// The close request of the main window: asks, offers to save, ends the program.
// Returns true when the program is ending.
bool CloseRequest(Host& host);

// The test-only command (enabled by --test-hooks).
void TestHookCommand(Host& host, const std::vector<std::string>& pieces);

}  // namespace zolt
