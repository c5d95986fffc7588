// The routines that the command table and the file chooser run, one per
// command: the project and form routines of storage (ProjectCommands.h) and
// those that join the host to storage and the site, each in its own file
// under routines/. (A list of declarations, one routine a line, alike
// ProjectCommands.h's.)
#pragma once

#include <string>
#include <vector>

#include "host/Host.h"
#include "site/PageWriter.h"
#include "storage/ProjectCommands.h"

namespace zolt {

// The picture chooser's task: the chosen picture, copied into the project
// when it lies elsewhere, becomes the page's sPicturePath.
void ChoosePicture(Host& host);

// Build (1) or preview (0).
void BuildProjectCommand(Host& host, int buildMode);
// What a build (1) or preview (0) of the open project starts from: its files,
// the application folder and the forms that did not open with it.
BuildRequest BuildRequestFor(const Host& host, int buildMode);

// The property window.
void ShowPropertyWindowCommand(Host& host);

// The close request of the main window: asks, offers to save, ends the program.
// Returns true when the program is ending.
bool CloseRequest(Host& host);

// The test-only command (enabled by --test-hooks).
void TestHookCommand(Host& host, const std::vector<std::string>& pieces);

}  // namespace zolt
