// The host-wide variables: one set per process, shared by every host routine.
// All host routines run on the window thread, so nothing here is locked.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "page/Page.h"

namespace zolt {

class FileDialog;

struct Host {
    // The designer page currently connected (the browser reference); null
    // while no page is connected.
    Page* page = nullptr;
    // The folder of the executable, with ColorChart.js, Images/ and Temp/.
    std::filesystem::path appFolder;

    std::string CloseButtonImagePath;  // appFolder/Images/closebutton.jpg
    bool StartScreenShown = false;     // the page shows its start screen (no project open)
    std::string DialogMode;            // the pending file-chooser task
    std::string ProjectFilePath;       // the open project file
    std::string ProjectFileName;       // its name with ".rwp"
    std::string PictureFolder;         // where the picture chooser was last left
    std::vector<std::string> formsNotOpened;  // listed forms whose file could not be opened with it
    // Forms of the open project the page refused to put on the surface: their
    // files are sound, so a save keeps them in the project file (name, shown).
    std::vector<std::pair<std::string, bool>> formsRefused;

    // The main window: the product version read from the page, and the
    // caption built from it once, at the first connection.
    std::string VersionText;
    std::string caption;

    // The file chooser while it is showing (frmDialog), else null.
    FileDialog* dialog = nullptr;

    // A project file to open as soon as the first page has connected
    // (zolt PROJECT.rwp), as if chosen in the file chooser.
    std::filesystem::path openAtStart;

    // The project folder whose lock this process holds (ProjectLock.h).
    std::filesystem::path lockedFolder;
    // Projects are opened only to be read (zolt build): no lock is taken, no
    // interrupted save is completed and no recovery copy is offered.
    bool readOnly = false;

    // Enables the test-only command (see TestHooks.cpp).
    bool testHooks = false;

    // Ends the program after the current command (set by main).
    std::function<void()> quit;
    // Lets the server serve files of one more folder under a URL prefix;
    // used when a project is opened. Null when nothing serves files (tests).
    std::function<void(const std::string& prefix, const std::filesystem::path& folder)> serveFolder;

    // The page, or PageError when none is connected.
    Page& pageRef() const {
        if (!page) throw PageError("no designer page is connected");
        return *page;
    }
};

}  // namespace zolt
