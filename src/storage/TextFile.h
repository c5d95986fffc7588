// Whole text files as the project, form and style files keep them: text in
// Windows-1252 on disk, UTF-8 in memory, lines ended by CR LF.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zolt {

// Raised when a file cannot be read or written, or is not Windows-1252 text.
// what() is a sentence fit for a message box.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Windows-1252 bytes to UTF-8. Throws FileError on the five bytes the code
// page leaves undefined (81, 8D, 8F, 90, 9D) and on NUL bytes.
std::string decodeWindows1252(std::string_view bytes);

// UTF-8 to Windows-1252 bytes; every character the code page cannot hold
// (and every malformed UTF-8 sequence) becomes "?".
std::string encodeWindows1252(std::string_view utf8);

// UTF-8 bytes checked: throws FileError on malformed sequences and NUL bytes.
std::string checkedUtf8(std::string_view bytes);

// Reads a whole file and returns its text as UTF-8, line ends untouched. A
// file that starts with the UTF-8 byte order mark (an editor saved it so) is
// read as UTF-8, without the mark.
std::string readTextFile(const std::filesystem::path& path);

// Writes the whole text (UTF-8, line ends as given) in Windows-1252. The bytes
// go to a temporary file in the same folder, are flushed to disk and then
// renamed over the target, so the target is always either the old file or the
// new one, never a part of it. The target keeps its permissions; a read-only
// target is refused (FileTransaction.h).
void writeTextFile(const std::filesystem::path& path, std::string_view text);

// Writes each line followed by CR LF, the last one included.
void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Splits a text into lines ended by CR LF or by LF alone (as an editor may
// have saved the file); the piece after a final line end is kept (empty).
std::vector<std::string> splitLines(std::string_view text);

// Writes bytes as they stand by the same temporary-file-and-rename road
// (text already in the code page).
void writeBytesFile(const std::filesystem::path& path, std::string_view bytes);

// Copies a file byte for byte by the same temporary-file-and-rename road,
// replacing the target.
void copyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace zolt
