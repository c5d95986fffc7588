#include "host/FileDialog.h"

#include <nlohmann/json.hpp>

#include <system_error>

#include "host/FolderListing.h"

namespace zolt {

namespace fs = std::filesystem;

namespace {

fs::path openProjectFolder(const Host& host) {
    return host.ProjectFilePath.empty() ? fs::path() : fs::path(host.ProjectFilePath).parent_path();
}

const DialogModeRow kModes[] = {
    {"NewProject", "Velkora Create New Project", "*.rwp", true, "Save",
     "You must enter a FileName for your New Project.", false},
    {"LoadProject", "Velkora Project Load", "*.rwp", false, "Load",
     "You must select a Project File to load.", true},
    {"LoadForm", "Velkora Form Load", "*.rwf", false, "Load",
     "You must select a Form File to load.", false},
    {"ChoosePicture", "Velkora Choose Picture", kPicturePattern, false, "Open",
     "You must select a Picture File.", false, &Host::PictureFolder, &openProjectFolder},
};

bool isFolder(const fs::path& p) {
    std::error_code ec;
    return !p.empty() && fs::is_directory(p, ec);
}

}  // namespace

const DialogModeRow* dialogModeRow(std::string_view mode) {
    for (const DialogModeRow& row : kModes) {
        if (row.mode == mode) return &row;
    }
    return nullptr;
}

FileDialog::FileDialog(Host& host, std::string mode, void (*task)(Host&))
    : host_(host), mode_(std::move(mode)), task_(task) {
    // Activation: the mode's row; any other text keeps the settings at creation.
    if (const DialogModeRow* row = dialogModeRow(mode_)) {
        caption_ = row->caption;
        pattern_ = row->pattern;
        nameEnabled_ = row->nameEnabled;
        buttonCaption_ = row->buttonCaption;
    }
    const DialogModeRow* row = dialogModeRow(mode_);
    if (row && row->lastFolder && isFolder(host_.*(row->lastFolder))) {
        folder_ = host_.*(row->lastFolder);
    } else if (row && row->startFolder && isFolder(row->startFolder(host_))) {
        folder_ = row->startFolder(host_);
    } else {
        std::error_code ec;
        folder_ = fs::current_path(ec);
        if (ec) folder_ = "/";
    }
}

FileDialog::~FileDialog() {
    if (host_.dialog == this) host_.dialog = previous_;
    const DialogModeRow* row = dialogModeRow(mode_);
    if (row && row->lastFolder) host_.*(row->lastFolder) = folder_.string();
}

void FileDialog::showModal() {
    Page& page = host_.pageRef();
    previous_ = host_.dialog;
    host_.dialog = this;
    open_ = true;
    page.call("ZoltFileDialogOpen", {stateJson()});
    page.runModal([this] { return open_; });
    host_.dialog = previous_;
}

void FileDialog::close() {
    if (!open_) return;
    open_ = false;
    host_.pageRef().call("ZoltFileDialogClose");
}

std::string FileDialog::stateJson() const {
    FolderListing listing = listFolder(folder_, pattern_);
    nlohmann::json state = {
        {"caption", caption_},
        {"pattern", pattern_},
        {"nameEnabled", nameEnabled_},
        {"button", buttonCaption_},
        {"drives", {"/"}},
        {"folder", folder_.string()},
        {"folders", listing.folders},
        {"files", listing.files},
        {"name", fileName_},
    };
    return state.dump();
}

void FileDialog::changeFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec) || !listFolder(folder, pattern_).readable) return;
    folder_ = folder.lexically_normal();
    fileName_.clear();
}

void FileDialog::pressButton() {
    const DialogModeRow* row = dialogModeRow(host_.DialogMode);
    if (!row || !task_) return;
    Page& page = host_.pageRef();
    // Empty means no characters at all: blanks count as a name.
    if (fileName_.empty()) {
        page.msgBox(std::string(row->emptyMessage), MsgButtons::OK, MsgIcon::Information);
        return;
    }
    auto setCursor = [&](const char* cursor) {
        if (Element box = page.getElementById("frmDialog")) page.setStyleValue(box, "cursor", cursor);
    };
    if (row->hourglass) setCursor("wait");
    task_(host_);
    if (row->hourglass && open_) setCursor("");
}

std::string FileDialog::onEvent(const std::string& event, const std::string& value) {
    if (!open_) return "";
    if (event == "dir") {
        if (value == "..") {
            changeFolder(folder_.parent_path());
        } else if (!value.empty() && value != "." && value.find('/') == std::string::npos) {
            changeFolder(folder_ / value);
        }
        return stateJson();
    }
    if (event == "drive") {
        if (value == "/") changeFolder("/");
        return stateJson();
    }
    if (event == "button") {
        fileName_ = value;
        pressButton();
        return "";
    }
    if (event == "close") {
        open_ = false;  // the close box: the task is abandoned
    }
    return "";
}

void CloseDialog(Host& host) {
    if (host.dialog) host.dialog->close();
}

}  // namespace zolt
