#include "site/SiteFolder.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "site/BuildContext.h"

namespace fs = std::filesystem;

namespace zolt {

namespace {

bool isThere(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

void removeIfThere(const fs::path& p) {
    std::error_code ec;
    fs::remove_all(p, ec);
}

// Swaps two folders in one step where the file system can; otherwise moves
// the target aside and the fresh folder into its place (a build killed in
// between is mended by the next one).
void swapIn(const fs::path& fresh, const fs::path& target, const fs::path& aside) {
#ifdef RENAME_EXCHANGE
    if (::renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        std::error_code ec;
        fs::rename(fresh, aside, ec);  // the old site, now under the fresh folder's name
        return;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        throw BuildError("The folder " + target.string() + " cannot be replaced: " + std::strerror(errno) + ".");
    }
#endif
    std::error_code ec;
    fs::rename(target, aside, ec);
    if (ec) throw BuildError("The folder " + target.string() + " cannot be replaced: " + ec.message() + ".");
    fs::rename(fresh, target, ec);
    if (ec) {
        std::error_code back;
        fs::rename(aside, target, back);
        throw BuildError("The folder " + target.string() + " cannot be replaced: " + ec.message() + ".");
    }
}

// Every folder inside `folder` (itself included) must allow its entries to
// be removed, or the old site could not be cleared after the swap.
void requireChangeable(const fs::path& folder) {
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        throw BuildError("The folder " + folder.string() + " cannot be changed (" + std::strerror(errno) + ").");
    }
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) requireChangeable(it->path());
    }
}

// Gives `to` every entry of `from` that it lacks: files as hard links (a
// copy where the file system has none), folders entry by entry.
void carryOver(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path target = to / it->path().filename();
        std::error_code kind;
        if (it->is_directory(kind) && !it->is_symlink(kind)) {
            fs::create_directories(target);
            carryOver(it->path(), target);
        } else if (!isThere(target)) {
            std::error_code link;
            if (it->is_symlink(kind)) fs::copy_symlink(it->path(), target);
            else if (fs::create_hard_link(it->path(), target, link); link) fs::copy_file(it->path(), target);
        }
    }
    if (ec) throw BuildError("The folder " + from.string() + " cannot be read: " + ec.message() + ".");
}

}  // namespace

SiteFolder::SiteFolder(fs::path target) : target_(std::move(target)) {
    // A Build folder that is a link (to a web server's folder, say) stays
    // one: the folder it leads to is the one replaced.
    std::error_code link;
    if (fs::is_symlink(fs::symlink_status(target_, link))) {
        target_ = fs::canonical(target_, link);
        if (link) throw BuildError("The folder " + target_.string() + " cannot be reached: " + link.message() + ".");
    }
    const std::string name = target_.filename().string();
    fresh_ = target_.parent_path() / (name + "~zolt-new");
    aside_ = target_.parent_path() / (name + "~zolt-old");
    if (!isThere(target_) && fs::is_directory(aside_)) {
        std::error_code ec;
        fs::rename(aside_, target_, ec);
    }
    removeIfThere(fresh_);
    removeIfThere(aside_);
    std::error_code ec;
    fs::create_directory(fresh_, ec);
    if (ec) throw BuildError("The folder " + fresh_.string() + " cannot be made: " + ec.message() + ".");
}

SiteFolder::~SiteFolder() {
    if (!committed_) removeIfThere(fresh_);
}

void SiteFolder::commit() {
    std::error_code ec;
    if (fs::is_directory(target_, ec)) {
        requireChangeable(target_);
        try {
            carryOver(target_, fresh_);
            fs::permissions(fresh_, fs::status(target_).permissions());
        } catch (const fs::filesystem_error& e) {
            throw BuildError(std::string("The files of the old site cannot be kept: ") + e.what());
        }
        swapIn(fresh_, target_, aside_);
        removeIfThere(aside_);
    } else {
        if (isThere(target_)) throw BuildError("There is a file where the folder " + target_.string() + " belongs.");
        fs::rename(fresh_, target_, ec);
        if (ec) throw BuildError("The folder " + target_.string() + " cannot be made: " + ec.message() + ".");
    }
    committed_ = true;
}

}  // namespace zolt
