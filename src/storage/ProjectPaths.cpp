// The open project's folder, names the developer types, error texts, and the
// paths the page loads pictures from.
#include <sys/stat.h>

#include <cctype>
#include <ctime>
#include <cstring>
#include <system_error>

#include "site/Markup.h"
#include "host/PageText.h"
#include "storage/ProjectLock.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

fs::path projectFolder(const Host& host) { return fs::path(host.ProjectFilePath).parent_path(); }

std::string shownProjectName(Page& page) {
    Element cell = page.getElementById("ProjectName");
    if (!cell) return "";
    std::string text = page.innerText(cell);
    for (size_t at; (at = text.find("--")) != std::string::npos;) text.erase(at, 2);
    return text;
}

namespace {

// Names Windows keeps for devices, with or without an extension: a project
// folder or form file of such a name cannot be copied to Windows.
bool isReservedDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (stem == device) return true;
    }
    return stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '1' &&
           stem[3] <= '9';
}

// Room for ".rwp" or ".rwf" within the 255 bytes a file name may have.
constexpr std::size_t kLongestName = 250;

std::optional<std::string> refusedCharacterReason(const std::string& name) {
    for (unsigned char c : name) {
        if (c < 0x20 || std::strchr("/\\<>:\"|?*&", c)) {
            return "The name \"" + name + "\" holds characters that are not allowed: / \\ < > : \" | ? * &";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> unusableNameReason(const std::string& name) {
    const std::string quoted = "The name \"" + name + "\"";
    if (name.empty()) return std::string("A name cannot be empty.");
    if (auto reason = refusedCharacterReason(name)) return reason;
    if (name == "." || name == "..") return quoted + " is not allowed.";
    if (name.front() == '.') return quoted + " must not start with a point.";
    if (name.back() == ' ' || name.back() == '.') return quoted + " must not end with a blank or a point.";
    if (isReservedDeviceName(name)) return quoted + " is kept for a device on Windows and cannot name a file there.";
    if (name.size() > kLongestName) return quoted + " is too long: a name may have up to 250 characters.";
    return std::nullopt;
}

std::optional<std::string> unusableTypedNameReason(const std::string& typed, const std::string& name) {
    if (auto reason = refusedCharacterReason(typed)) return reason;
    if (name.empty()) return "The name \"" + typed + "\" has nothing before its point.";
    return unusableNameReason(name);
}

std::string errorText(const std::exception& e) {
    if (auto fe = dynamic_cast<const fs::filesystem_error*>(&e)) {
        std::string text = std::to_string(fe->code().value()) + kCrLf + fe->code().message();
        if (!fe->path1().empty()) text += ": " + fe->path1().string();
        return text;
    }
    if (auto se = dynamic_cast<const std::system_error*>(&e)) {
        return std::to_string(se->code().value()) + kCrLf + se->code().message();
    }
    return e.what();
}

bool lockProjectFolder(Host& host, const fs::path& folder, const std::string& name) {
    auto holder = takeProjectLock(folder);
    if (!holder) return true;
    Page& page = host.pageRef();
    if (!holder->elsewhere) {
        page.msgBox("Project: " + name + " is open in another ZOLT (" + holder->description + ")." + kCrLf +
                        "Close it there before opening it here.",
                    MsgButtons::OK, MsgIcon::Exclamation);
        return false;
    }
    // Another machine: only the developer can tell whether it is still open.
    if (page.msgBox("Project: " + name + " is marked as open in ZOLT on another machine (" + holder->description +
                        "). A folder copied while it was open keeps that mark." + kCrLf + kCrLf +
                        "Is it closed there, so that it can be opened here?",
                    MsgButtons::YesNo, MsgIcon::Exclamation) != MsgResult::Yes) {
        return false;
    }
    takeOverProjectLock(folder);
    return true;
}

void leaveLockedProject(Host& host, const fs::path& folder) {
    if (host.lockedFolder != folder) releaseProjectLock(host.lockedFolder);
    host.lockedFolder = folder;
}

void renameBoth(const fs::path& from1, const fs::path& to1, const fs::path& from2, const fs::path& to2) {
    fs::rename(from1, to1);
    try {
        fs::rename(from2, to2);
    } catch (...) {
        std::error_code ec;
        fs::rename(to1, from1, ec);
        throw;
    }
}

std::string fileTimeText(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return "";
    struct tm local {};
    localtime_r(&st.st_mtime, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::string closeButtonUrl() { return std::string(kAppUrlPrefix) + "Images/closebutton.jpg"; }

void SetPagePaths(Host& host) {
    Page& page = host.pageRef();
    Element toolbar = page.getElementById("ToolBar1");
    if (!toolbar || page.styleValue(toolbar, "display") != "none") return;
    page.setVariable("ImagePath", closeButtonUrl());
    page.setVariable("TempPath", std::string(kAppUrlPrefix) + "Temp/ZOLTJSStatic.js");
    // The application folder's URL without its closing "/".
    page.setVariable("AppPath", std::string(kAppUrlPrefix.substr(0, kAppUrlPrefix.size() - 1)));
}

// The name is shown as text: a file may be called anything, markup too.
std::string projectNameCell(const std::string& projectFileName) {
    return "<a style='color:blue;text-decoration:none;font-size:20' title='Click to change Project Name.' "
           "onClick='ShowChangeProjectNameForm()'>--</a>" +
           escapeText(projectFileName);
}

}  // namespace zolt
