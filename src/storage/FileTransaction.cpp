#include "storage/FileTransaction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempPrefix = ".zolt-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::string_view kJournalName = ".zolt-save.journal";
constexpr std::string_view kJournalHeader = "ZOLT save journal";

std::function<void(SaveStep, const fs::path&)>& stepHook() {
    static std::function<void(SaveStep, const fs::path&)> hook;
    return hook;
}

void step(SaveStep s, const fs::path& file) {
    if (stepHook()) stepHook()(s, file);
}

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

[[noreturn]] void cannotWrite(const fs::path& path, int err) {
    throw FileError("The file " + quoted(path) + " cannot be written: " + std::strerror(err) + ".");
}

fs::path folderOf(const fs::path& path) {
    fs::path folder = path.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// A fresh temporary name: short, so that it fits beside any target name.
fs::path temporaryIn(const fs::path& folder) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    static const char kHex[] = "0123456789abcdef";
    std::string name(kTempPrefix);
    for (std::uint64_t bits = random(), i = 0; i < 16; ++i, bits >>= 4) name += kHex[bits & 15];
    name += kTempSuffix;
    return folder / name;
}

// The permissions the target's replacement keeps: the target's own, or
// nothing for a file that does not exist yet. A target that may not be
// written is refused, also for the owner of every file (root): its
// read-only mode is the developer's word.
std::optional<mode_t> permissionsToKeep(const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;
        cannotWrite(target, errno);
    }
    if (!S_ISREG(st.st_mode)) throw FileError(quoted(target) + " is not a file: ZOLT does not replace it.");
    if ((st.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0) {
        throw FileError("The file " + quoted(target) + " is read-only: ZOLT may not write it.");
    }
    return st.st_mode & 07777;
}

void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A temporary file written whole and still open, to be flushed to disk.
struct Temporary {
    fs::path path, target;  // the target names the file in messages
    int fd = -1;
};

// Writes `bytes` to a new temporary file in `folder` with the given
// permissions. On failure nothing of it is left.
Temporary writeTemporary(const fs::path& folder, const fs::path& target, std::string_view bytes,
                         std::optional<mode_t> mode) {
    Temporary t{temporaryIn(folder), target, -1};
    t.fd = ::open(t.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode ? *mode : 0666);
    if (t.fd < 0) cannotWrite(target, errno);
    auto fail = [&](int err) {
        ::close(t.fd);
        ::unlink(t.path.c_str());
        cannotWrite(target, err);
    };
    // The mode given to open is narrowed by the umask; a kept one is not.
    if (mode && ::fchmod(t.fd, *mode) != 0) fail(errno);
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(t.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return t;
}

// Flushes every temporary to disk and closes it. They are flushed only
// once all are written: the file system then commits them together, and
// the later flushes find their work done.
void flushAll(std::vector<Temporary>& temps) {
    int failure = 0;
    fs::path failed;
    for (Temporary& t : temps) {
        if ((::fdatasync(t.fd) != 0 || ::close(t.fd) != 0) && !failure) {
            failure = errno;
            failed = t.target;
        }
        t.fd = -1;
    }
    if (failure) cannotWrite(failed, failure);
}

void removeQuietly(std::vector<Temporary>& temps) {
    for (Temporary& t : temps) {
        if (t.fd >= 0) ::close(t.fd);
        ::unlink(t.path.c_str());
    }
}

bool plainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\n') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

}  // namespace

FileTransaction::FileTransaction(fs::path folder) : folder_(std::move(folder)) {}

void FileTransaction::add(const std::string& fileName, std::string bytes) {
    for (auto& [name, kept] : files_) {
        if (name == fileName) {
            kept = std::move(bytes);
            return;
        }
    }
    files_.emplace_back(fileName, std::move(bytes));
}

void FileTransaction::commit() {
    if (files_.empty()) return;
    std::vector<std::optional<mode_t>> modes;
    for (const auto& [name, bytes] : files_) {
        if (!plainName(name)) throw FileError("The name \"" + name + "\" cannot name a file of the project.");
        modes.push_back(permissionsToKeep(folder_ / name));
    }

    std::vector<Temporary> temps;
    std::string journal = std::string(kJournalHeader) + "\n";
    try {
        for (std::size_t i = 0; i < files_.size(); ++i) {
            temps.push_back(writeTemporary(folder_, folder_ / files_[i].first, files_[i].second, modes[i]));
            journal += temps.back().path.filename().string() + "/" + files_[i].first + "\n";
        }
        flushAll(temps);
        step(SaveStep::TemporariesWritten, temps.front().path);
        if (files_.size() > 1) {
            // The journal appears whole, by its own rename: from then on the
            // new files count, and an interrupted save is completed.
            const fs::path journalFile = folder_ / std::string(kJournalName);
            std::vector<Temporary> journalTemp{writeTemporary(folder_, journalFile, journal, std::nullopt)};
            try {
                flushAll(journalTemp);
                if (::rename(journalTemp[0].path.c_str(), journalFile.c_str()) != 0) cannotWrite(journalFile, errno);
            } catch (...) {
                removeQuietly(journalTemp);
                throw;
            }
            syncFolder(folder_);
            step(SaveStep::JournalWritten, journalFile);
        }
    } catch (...) {
        removeQuietly(temps);
        throw;
    }

    int failure = 0;
    fs::path failed;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        const fs::path target = folder_ / files_[i].first;
        if (::rename(temps[i].path.c_str(), target.c_str()) != 0 && !failure) {
            failure = errno;
            failed = target;
        }
        step(SaveStep::Renamed, target);
    }
    syncFolder(folder_);
    if (failure) {
        // The journal stays: the next open completes the save.
        throw FileError("The file " + quoted(failed) + " cannot be written: " + std::strerror(failure) +
                        ". ZOLT completes the save when the project is opened again.");
    }
    if (files_.size() > 1) ::unlink((folder_ / std::string(kJournalName)).c_str());
}

void replaceFile(const fs::path& target, std::string_view bytes) {
    FileTransaction t(folderOf(target));
    t.add(target.filename().string(), std::string(bytes));
    t.commit();
}

bool isTransactionFile(std::string_view name) {
    if (name == kJournalName) return true;
    return name.size() > kTempPrefix.size() + kTempSuffix.size() && name.substr(0, kTempPrefix.size()) == kTempPrefix &&
           name.substr(name.size() - kTempSuffix.size()) == kTempSuffix;
}

void RecoverInterruptedSave(const fs::path& folder) {
    const fs::path journalFile = folder / std::string(kJournalName);
    std::error_code ec;
    if (fs::exists(journalFile, ec)) {
        std::ifstream in(journalFile, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::size_t start = 0;
        bool first = true;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            const std::string line = text.substr(start, end - start);
            if (std::exchange(first, false)) {
                if (line != kJournalHeader) break;
                continue;
            }
            const std::size_t slash = line.find('/');
            if (slash == std::string::npos) continue;
            const std::string temp = line.substr(0, slash), target = line.substr(slash + 1);
            if (temp == kJournalName || !isTransactionFile(temp) || !plainName(target) || isTransactionFile(target)) {
                continue;
            }
            if (fs::exists(folder / temp, ec)) ::rename((folder / temp).c_str(), (folder / target).c_str());
        }
        syncFolder(folder);
        ::unlink(journalFile.c_str());
    }
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isTransactionFile(name) && it->is_regular_file(ec)) ::unlink(it->path().c_str());
    }
}

void setSaveStepHookForTests(std::function<void(SaveStep, const fs::path&)> hook) { stepHook() = std::move(hook); }

}  // namespace zolt
