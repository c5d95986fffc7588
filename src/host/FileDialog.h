// The file chooser frmDialog: owned by the host, drawn by the page.
// It creates new projects, opens projects and form files, and picks pictures.
//
// The command table sets DialogMode and shows the chooser modally; the page
// draws it (Drive1, Dir1, File1, txtFileName, btnAll, Label1-Label4) and
// reports the user's actions back as "dialog" calls. The host keeps the
// folder, lists it, checks the name and runs the mode's task routine, which
// reads Dir1Path() and txtFileName() and calls CloseDialog when it succeeds.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "host/Host.h"

namespace zolt {

// The pictures the picture chooser lists.
inline constexpr std::string_view kPicturePattern = "*.jpg;*.jpeg;*.gif;*.png;*.ico;*.bmp;*.svg;*.webp";

// One row per task the chooser serves.
struct DialogModeRow {
    std::string_view mode;          // the DialogMode text
    std::string_view caption;       // window caption
    std::string_view pattern;       // file pattern of File1
    bool nameEnabled;               // txtFileName can be typed into
    std::string_view buttonCaption; // btnAll
    std::string_view emptyMessage;  // shown when the name is empty
    bool hourglass;                 // wait cursor while the task runs
    // Where the chooser opens: the folder it was last left in (the host-wide
    // variable named here, when set and still there), else startFolder(host)
    // when given, else the process's current folder.
    std::string Host::*lastFolder = nullptr;
    std::filesystem::path (*startFolder)(const Host&) = nullptr;
};

// The row of a mode; null for a text that names no task.
const DialogModeRow* dialogModeRow(std::string_view mode);

class FileDialog {
public:
    // `task` is what the button runs (the command table gives each mode's).
    FileDialog(Host& host, std::string mode, void (*task)(Host&));
    ~FileDialog();
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    // Shows the chooser and returns when it has been closed, by CloseDialog
    // or by its close box.
    void showModal();
    void close();

    // Chooses a folder and a name as the user would by the lists and the
    // name box (for the headless page, which draws no chooser).
    void choose(const std::filesystem::path& folder, const std::string& name) {
        folder_ = folder;
        fileName_ = name;
    }

    // What the task routines read.
    const std::filesystem::path& Dir1Path() const { return folder_; }
    const std::string& txtFileName() const { return fileName_; }

    // A user action reported by the page: "dir" (a listed sub-folder or ".."),
    // "drive" (a root), "button" (with the name box text), "close". Returns
    // the chooser's new state as JSON text for the page, or "" for none.
    std::string onEvent(const std::string& event, const std::string& value);

    // The chooser's state as the page draws it.
    std::string stateJson() const;

private:
    void changeFolder(const std::filesystem::path& folder);
    void pressButton();

    Host& host_;
    std::string mode_;
    void (*task_)(Host&);
    std::string caption_ = "Velkora";
    std::string pattern_ = "*.rwp";
    bool nameEnabled_ = true;
    std::string buttonCaption_ = "Save";
    std::filesystem::path folder_;
    std::string fileName_;
    bool open_ = false;
    FileDialog* previous_ = nullptr;
};

// CloseDialog: closes the chooser that is showing, if any.
void CloseDialog(Host& host);

}  // namespace zolt
