#include "storage/TextFile.h"

#include "storage/FileTransaction.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace zolt {
namespace fs = std::filesystem;

namespace {

// One conversion through the C library's iconv. `onInvalid` decides what an
// unconvertible or malformed input sequence does: throw, or return how many
// input bytes to skip, in which case "?" is written in its place.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw FileError(std::string("The text conversion from ") + from + " to " + to +
                            " is not available on this system.");
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    template <class OnInvalid>
    std::string run(std::string_view in, OnInvalid onInvalid) {
        std::string out(in.size() * 3 + 16, '\0');
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t used = 0;
        while (srcLeft > 0) {
            if (out.size() - used < 8) out.resize(out.size() * 2);
            char* dst = out.data() + used;
            size_t dstLeft = out.size() - used;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            used = static_cast<size_t>(dst - out.data());
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: the character at src cannot be converted.
            size_t skip = onInvalid(src, srcLeft);
            out[used++] = '?';
            src += skip;
            srcLeft -= skip;
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence starting at s (1 for a malformed lead byte).
size_t utf8SequenceLength(const char* s, size_t left) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (n > left) return 1;
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

std::string readBytes(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw FileError("The file " + quoted(path) + " does not exist.");
    if (fs::is_directory(path, ec)) throw FileError(quoted(path) + " is a folder, not a file.");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("The file " + quoted(path) + " cannot be read.");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) throw FileError("The file " + quoted(path) + " cannot be read.");
    return std::move(bytes).str();
}

}  // namespace

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string decodeWindows1252(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) {
        throw FileError("It holds binary data, not text.");
    }
    // Most project text is plain ASCII, the same in both encodings.
    if (isAscii(bytes)) return std::string(bytes);
    Converter conv("UTF-8", "WINDOWS-1252");
    return conv.run(bytes, [](const char* at, size_t) -> size_t {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(*at));
        throw FileError(std::string("It is not Windows-1252 text: it holds the byte ") + hex +
                        ", which that code page does not define.");
    });
}

std::string checkedUtf8(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) throw FileError("It holds binary data, not text.");
    if (isAscii(bytes)) return std::string(bytes);
    Converter conv("UTF-8", "UTF-8");
    return conv.run(bytes, [](const char*, size_t) -> size_t {
        throw FileError("It starts as UTF-8 text but holds bytes that are not UTF-8.");
    });
}

std::string encodeWindows1252(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    Converter conv("WINDOWS-1252", "UTF-8");
    return conv.run(utf8, [](const char* at, size_t left) { return utf8SequenceLength(at, left); });
}

std::string readTextFile(const fs::path& path) {
    const std::string bytes = readBytes(path);
    try {
        // A byte order mark says an editor saved the file as UTF-8.
        constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
        if (std::string_view(bytes).substr(0, kUtf8Mark.size()) == kUtf8Mark) {
            return checkedUtf8(std::string_view(bytes).substr(kUtf8Mark.size()));
        }
        return decodeWindows1252(bytes);
    } catch (const FileError& e) {
        throw FileError("The file " + quoted(path) + " cannot be read. " + e.what());
    }
}

void writeTextFile(const fs::path& path, std::string_view text) { replaceFile(path, encodeWindows1252(text)); }

void writeTextLines(const fs::path& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    writeTextFile(path, text);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        size_t at = text.find('\n', start);
        if (at == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        size_t end = at > start && text[at - 1] == '\r' ? at - 1 : at;
        pieces.emplace_back(text.substr(start, end - start));
        start = at + 1;
    }
}

void writeBytesFile(const fs::path& path, std::string_view bytes) { replaceFile(path, bytes); }

void copyFileAtomically(const fs::path& from, const fs::path& to) { replaceFile(to, readBytes(from)); }

}  // namespace zolt
