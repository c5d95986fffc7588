#include "site/SiteText.h"

#include <cstdint>
#include <cstdio>

namespace zolt {

namespace {

// The characters Windows-1252 places at 80..9F; 00..7F and A0..FF are the
// code points of the same number.
constexpr std::uint32_t kHigh1252[] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// The code page's byte for a code point, or -1 when it has none. (81, 8D,
// 8F, 90 and 9D are undefined in the code page: those code points have none.)
int byteFor(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    if (cp >= 0x80 && cp < 0xA0) return -1;
    for (int i = 0; i < 32; ++i) {
        if (kHigh1252[i] == cp) return 0x80 + i;
    }
    return -1;
}

// The code point of the UTF-8 sequence at text[i]; `length` receives its length.
std::uint32_t decodeAt(std::string_view text, std::size_t i, std::size_t& length) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    length = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    if (b < 0xC0 || i + length > text.size()) {
        length = 1;
        return 0xFFFD;
    }
    std::uint32_t cp = b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return cp;
}

// The text's bytes in the code page, every character it cannot hold written
// by `escape`. Runs of ASCII are copied whole.
template <class Escape>
std::string encoded(std::string_view text, Escape escape) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t ascii = i;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
        out.append(text, i, ascii - i);
        if (ascii == text.size()) break;
        std::size_t length = 1;
        std::uint32_t cp = decodeAt(text, ascii, length);
        int byte = byteFor(cp);
        if (byte >= 0 && cp != 0xFFFD) out += static_cast<char>(byte);
        else escape(out, cp);
        i = ascii + length;
    }
    return out;
}

}  // namespace

std::string pageBytes(std::string_view utf8) {
    return encoded(utf8, [](std::string& out, std::uint32_t cp) { out += "&#" + std::to_string(cp) + ";"; });
}

std::string scriptBytes(std::string_view utf8) {
    return encoded(utf8, [](std::string& out, std::uint32_t cp) {
        auto unit = [&out](std::uint32_t u) {
            char buf[12];
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
