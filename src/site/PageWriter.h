// The build driver and the page writer: the project open on the design
// surface becomes a web site in the project's Build folder, or a preview in
// its Temp folder.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "site/BuildContext.h"

namespace zolt {

struct BuildRequest {
    int mode = 1;                           // 1 build, 0 preview
    std::string ProjectFilePath;            // the open project file
    std::string ProjectFileName;            // its name with ".rwp"
    std::filesystem::path appFolder;        // the application folder
    std::optional<CalendarDate> today;      // the build's date; the clock's when missing
    // The address a preview page is opened at (a URL the host serves); the
    // file's own path when missing.
    std::function<std::string(const std::filesystem::path&)> previewAddress;
    // Changes the build makes to elements of the page it reads (see BuildContext).
    std::function<void(Element, const std::string& name, const std::string& value)> mirror;
    // Forms of the project file that did not open with the project, and of
    // those the ones the page refused to put on the surface (files sound).
    std::vector<std::string> formsNotOpened;
    std::vector<std::string> formsRefused;
    // Told before each form is written: its place k (from 1) of n, and its ID.
    std::function<void(int k, int n, const std::string& form)> progress;
};

struct BuildOutcome {
    bool written = false;  // false: there is no start form
    std::filesystem::path pagePath;
    std::filesystem::path scriptPath;
    std::string previewNumber;
    std::vector<std::string> missingPictures;  // pictures named but not found (not on the site)
    bool formFileFault = false;                // refused: a listed form's file is missing or damaged
};

// Writes the page and its script. A page in a browser is read once, whole,
// into an in-memory copy that the build walks (one read instead of one per
// attribute); the few changes a build makes to the design surface are then
// made on the live page. Shows "There is no start form selected."
// and writes nothing when the page names no start form. Throws BuildError
// when the build cannot be made; the outputs are then untouched and the
// design surface is as it was.
BuildOutcome WriteProjectPage(Page& page, const BuildRequest& request);

// The page writer walking `page` itself, element by element.
BuildOutcome WriteSurfacePage(Page& page, const BuildRequest& request);

// The command "BuildProject": shows the Loading window through the given
// callbacks while the page is written, reports success (build) or the cause
// of a failure in a message box. Returns what was written.
struct LoadingWindow {
    std::function<void(const std::string& label)> show;
    std::function<void()> unload;
};
BuildOutcome RunBuildCommand(Page& page, const BuildRequest& request, const LoadingWindow& loading = {});

// Text of a fresh preview number (a fraction, as "0.2183377431").
std::string drawPreviewNumber();

}  // namespace zolt
