// The picture chooser's task: the chosen picture becomes the path the page
// shows it from and the build copies it from, left in the page's
// sPicturePath. The project holds every picture it shows: a picture inside
// the open project is taken where it lies; one from elsewhere is first
// copied into the project's Images folder (under a free name when a
// different picture already has its name there).
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "app/Routines.h"
#include "host/FileDialog.h"
#include "host/FolderListing.h"
#include "host/PageText.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

namespace {

// The path of `file` below `root`, when it lies inside it (both canonical).
std::optional<fs::path> pathInside(const fs::path& file, const fs::path& root) {
    fs::path rel = file.lexically_relative(root);
    if (rel.empty() || *rel.begin() == "..") return std::nullopt;
    return rel;
}

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec) return false;
    std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(x), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(y), std::istreambuf_iterator<char>());
}

// Where a picture from outside the project lies in its Images folder: under
// its own name, or name_2, name_3 ... when another picture has that name.
fs::path projectCopyOf(const fs::path& images, const fs::path& picture) {
    const std::string stem = picture.stem().string(), ext = picture.extension().string();
    for (int n = 1;; ++n) {
        fs::path target = images / (n == 1 ? stem + ext : stem + "_" + std::to_string(n) + ext);
        std::error_code ec;
        if (!fs::exists(target, ec) || sameBytes(picture, target)) return target;
    }
}

}  // namespace

void ChoosePicture(Host& host) {
    if (!host.dialog) return;
    Page& page = host.pageRef();
    const std::string name = host.dialog->txtFileName();
    const fs::path file = host.dialog->Dir1Path() / name;
    std::error_code ec;
    if (!matchesPattern(name, kPicturePattern) || !fs::is_regular_file(file, ec)) {
        page.msgBox("The file " + name + " is not a picture.", MsgButtons::OK, MsgIcon::Information);
        return;
    }
    try {
        std::string reference = file.string();
        if (!host.ProjectFilePath.empty()) {
            const fs::path project = fs::canonical(projectFolder(host));
            const fs::path picture = fs::canonical(file);
            auto below = pathInside(picture, project);
            if (!below) {
                const fs::path target = projectCopyOf(project / "Images", picture);
                if (!fs::exists(target, ec)) {
                    fs::create_directories(target.parent_path());
                    copyFileAtomically(picture, target);
                }
                below = target.lexically_relative(project);
            }
            reference = std::string(kProjectUrlPrefix) + below->generic_string();
        }
        page.setVariable("sPicturePath", reference);
        CloseDialog(host);
    } catch (const PageError&) {
        throw;
    } catch (const std::exception& e) {
        page.msgBox("The picture " + name + " could not be copied into the project." + kCrLf + errorText(e),
                    MsgButtons::OK, MsgIcon::Critical);
    }
}

}  // namespace zolt
