#include "storage/ProjectLock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

namespace zolt {

namespace fs = std::filesystem;

namespace {

struct Holder {
    long pid = 0;
    std::string machine;
    std::string boot;
};

std::string firstLineOf(const char* file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

Holder thisProcess() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return {static_cast<long>(::getpid()), name, firstLineOf("/proc/sys/kernel/random/boot_id")};
}

std::optional<Holder> readHolder(const fs::path& file) {
    std::ifstream in(file);
    Holder h;
    if (!(in >> h.pid) || h.pid <= 0) return std::nullopt;
    in.ignore(1);
    std::getline(in, h.machine);
    std::getline(in, h.boot);
    return h;
}

// A holder on this machine whose process has ended, or that wrote its lock
// before the machine last started, holds nothing any more. A holder on
// another machine cannot be checked and counts as alive.
bool gone(const Holder& h, const Holder& me) {
    if (h.machine != me.machine) return false;
    if (!h.boot.empty() && !me.boot.empty() && h.boot != me.boot) return true;
    return ::kill(static_cast<pid_t>(h.pid), 0) != 0 && errno == ESRCH;
}

bool same(const Holder& a, const Holder& b) { return a.pid == b.pid && a.machine == b.machine && a.boot == b.boot; }

}  // namespace

std::optional<LockHolder> takeProjectLock(const fs::path& folder) {
    const fs::path file = folder / kLockFileName;
    const Holder me = thisProcess();
    std::ostringstream text;
    text << me.pid << "\n" << me.machine << "\n" << me.boot << "\n";
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const std::string bytes = text.str();
            const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
            ::close(fd);
            if (written) return std::nullopt;
            ::unlink(file.c_str());
            return std::nullopt;  // a full disk: nobody can save here either
        }
        if (errno != EEXIST) return std::nullopt;  // a folder that cannot hold a lock file
        auto holder = readHolder(file);
        if (holder && same(*holder, me)) return std::nullopt;
        if (holder && !gone(*holder, me)) {
            return LockHolder{"process " + std::to_string(holder->pid) + " on " + holder->machine,
                              holder->machine != me.machine};
        }
        // A damaged lock file, or one left by a process that is gone.
        ::unlink(file.c_str());
    }
    return LockHolder{"another process", false};
}

void takeOverProjectLock(const fs::path& folder) {
    ::unlink((folder / kLockFileName).c_str());
    takeProjectLock(folder);
}

void releaseProjectLock(const fs::path& folder) {
    if (folder.empty()) return;
    const fs::path file = folder / kLockFileName;
    auto holder = readHolder(file);
    if (holder && same(*holder, thisProcess())) ::unlink(file.c_str());
}

}  // namespace zolt
