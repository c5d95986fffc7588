// Files of one folder written together, so that a crash at any moment leaves
// either every old file or every new one.
//
// Each new file goes whole to a temporary file beside its target, keeping the
// target's permissions; the temporaries are made durable; a small journal
// naming the renames is written (the moment the new files count); then every
// temporary is renamed over its target and the journal is removed. A target
// that may not be written (read-only, or not a file) is refused before
// anything is written. RecoverInterruptedSave, run when the project is next
// opened, completes a save whose journal exists and removes every temporary
// an unfinished one left.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zolt {

class FileTransaction {
public:
    explicit FileTransaction(std::filesystem::path folder);
    FileTransaction(const FileTransaction&) = delete;
    FileTransaction& operator=(const FileTransaction&) = delete;

    // A file of the folder, by its bare name, with the bytes it will hold.
    // A name added twice keeps the later bytes.
    void add(const std::string& fileName, std::string bytes);
    bool empty() const { return files_.empty(); }

    // Writes every file, or none: throws FileError, with the folder as it
    // was, when any of them cannot be written.
    void commit();

private:
    std::filesystem::path folder_;
    std::vector<std::pair<std::string, std::string>> files_;  // name, bytes
};

// Replaces one file by the same road (one file needs no journal: its rename
// alone is the moment it changes).
void replaceFile(const std::filesystem::path& target, std::string_view bytes);

// Completes a save of `folder` that was interrupted after its journal was
// written, and removes the temporaries of one interrupted before. Only the
// process that holds the project's lock may run it.
void RecoverInterruptedSave(const std::filesystem::path& folder);

// Whether a file name is one of the temporaries or the journal above.
bool isTransactionFile(std::string_view fileName);

// For tests: called at each step of a commit (a test may throw there, or end
// the process, to see what a failure or a crash at that moment leaves).
enum class SaveStep { TemporariesWritten, JournalWritten, Renamed };
void setSaveStepHookForTests(std::function<void(SaveStep step, const std::filesystem::path& file)> hook);

}  // namespace zolt
