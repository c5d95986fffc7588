#include "host/StaticFiles.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <random>
#include <system_error>
#include <vector>

namespace zolt {

namespace fs = std::filesystem;

namespace {

bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes one path segment; nothing for a bad escape or a decoded character
// that could change the path's shape.
std::optional<std::string> decodeSegment(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '%') {
            if (i + 2 >= s.size()) return std::nullopt;
            int hi = hexValue(s[i + 1]), lo = hexValue(s[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            c = static_cast<char>(hi * 16 + lo);
            if (c == '/' || c == '\\' || c == '\0' || c == '.') return std::nullopt;
            i += 2;
        } else if (c == '\\' || c == '\0') {
            return std::nullopt;
        }
        out.push_back(c);
    }
    return out;
}

// The entry of `folder` named `name`, exactly or else without regard to case.
std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    fs::path exact = folder / name;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (equalNoCase(it->path().filename().string(), name)) return it->path();
    }
    return std::nullopt;
}

bool isInside(const fs::path& file, const fs::path& root) {
    auto f = file.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++f) {
        if (r->empty()) continue;  // a trailing separator
        if (f == file.end() || *f != *r) return false;
    }
    return true;
}

}  // namespace

std::optional<std::vector<std::string>> safeSegments(std::string_view urlTail) {
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= urlTail.size()) {
        std::size_t slash = urlTail.find('/', start);
        if (slash == std::string_view::npos) slash = urlTail.size();
        std::string_view raw = urlTail.substr(start, slash - start);
        auto seg = decodeSegment(raw);
        if (!seg || seg->empty() || *seg == "." || *seg == "..") return std::nullopt;
        segments.push_back(*seg);
        start = slash + 1;
    }
    if (segments.empty()) return std::nullopt;
    return segments;
}

std::optional<fs::path> resolveStaticFile(const fs::path& root, std::string_view urlTail) {
    auto segments = safeSegments(urlTail);
    if (!segments) return std::nullopt;
    std::error_code ec;
    fs::path realRoot = fs::canonical(root, ec);
    if (ec) return std::nullopt;
    fs::path current = realRoot;
    for (const std::string& seg : *segments) {
        auto next = findEntry(current, seg);
        if (!next) return std::nullopt;
        current = *next;
    }
    fs::path real = fs::canonical(current, ec);
    if (ec || !isInside(real, realRoot) || !fs::is_regular_file(real, ec)) return std::nullopt;
    return real;
}

std::string contentTypeFor(const fs::path& file) {
    // Text files served from the folders are the application's (ASCII) or
    // the project's, written in Windows-1252 like built pages and scripts.
    static const std::pair<const char*, const char*> kTypes[] = {
        {".html", "text/html; charset=windows-1252"}, {".htm", "text/html; charset=windows-1252"},
        {".js", "text/javascript; charset=windows-1252"}, {".css", "text/css; charset=windows-1252"},
        {".jpg", "image/jpeg"}, {".jpeg", "image/jpeg"}, {".png", "image/png"},
        {".gif", "image/gif"}, {".ico", "image/x-icon"}, {".bmp", "image/bmp"},
        {".svg", "image/svg+xml"}, {".txt", "text/plain; charset=windows-1252"},
    };
    const std::string ext = file.extension().string();
    for (const auto& [e, type] : kTypes) {
        if (equalNoCase(ext, e)) return type;
    }
    return "application/octet-stream";
}

std::string makeToken() {
    unsigned char bytes[32];
    std::ifstream random("/dev/urandom", std::ios::binary);
    if (!random.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        std::random_device device;  // the system's entropy source as well
        for (auto& b : bytes) b = static_cast<unsigned char>(device());
    }
    static const char kHex[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token.push_back(kHex[b >> 4]);
        token.push_back(kHex[b & 15]);
    }
    return token;
}

bool sameToken(std::string_view a, std::string_view b) {
    if (a.size() != b.size() || a.empty()) return false;
    unsigned char diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

std::optional<std::string> queryParameter(std::string_view query, std::string_view name) {
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t amp = query.find('&', start);
        if (amp == std::string_view::npos) amp = query.size();
        std::string_view pair = query.substr(start, amp - start);
        std::size_t eq = pair.find('=');
        if (eq != std::string_view::npos && pair.substr(0, eq) == name) return std::string(pair.substr(eq + 1));
        start = amp + 1;
    }
    return std::nullopt;
}

std::optional<std::string> cookieValue(std::string_view header, std::string_view name) {
    std::size_t start = 0;
    while (start < header.size()) {
        std::size_t semi = header.find(';', start);
        if (semi == std::string_view::npos) semi = header.size();
        std::string_view pair = header.substr(start, semi - start);
        while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
        std::size_t eq = pair.find('=');
        if (eq != std::string_view::npos && pair.substr(0, eq) == name) return std::string(pair.substr(eq + 1));
        start = semi + 1;
    }
    return std::nullopt;
}

}  // namespace zolt
