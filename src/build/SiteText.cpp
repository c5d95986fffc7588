#include "build/SiteText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace zolt {

namespace {

// The characters Windows-1252 places at 80..9F; 00..7F and A0..FF are the
// code points of the same number.
constexpr std::uint32_t kHigh1252[] = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
                                      0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};

bool inWindows1252(std::uint32_t cp) {
    return cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF) || std::find(std::begin(kHigh1252), std::end(kHigh1252), cp) != std::end(kHigh1252);
}

// The code point of the UTF-8 sequence at text[i]; `length` receives its length.
std::uint32_t decodeAt(std::string_view text, std::size_t i, std::size_t& length) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b = byte(i);
    length = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    if (b < 0x80 || i + length > text.size()) {
        length = 1;
        return b;
    }
    std::uint32_t cp = b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (byte(i + k) & 0x3F);
    return cp;
}

// `text` with every character outside the code page written by `escape`.
template <class Escape>
std::string withEscapes(std::string_view text, Escape escape) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out += text[i++];
            continue;
        }
        std::size_t length = 1;
        std::uint32_t cp = decodeAt(text, i, length);
        if (inWindows1252(cp)) out.append(text, i, length);
        else escape(out, cp);
        i += length;
    }
    return out;
}

}  // namespace

std::string pageText(std::string_view utf8) {
    return withEscapes(utf8, [](std::string& out, std::uint32_t cp) { out += "&#" + std::to_string(cp) + ";"; });
}

std::string scriptText(std::string_view utf8) {
    return withEscapes(utf8, [](std::string& out, std::uint32_t cp) {
        char buf[16];
        auto unit = [&](std::uint32_t u) {
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(u));
            out += buf;
        };
        if (cp < 0x10000) {
            unit(cp);
        } else {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    });
}

std::string urlPath(std::string_view utf8) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : utf8) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                     c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace zolt
