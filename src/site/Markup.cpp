#include "site/Markup.h"

#include "dom/Utf8.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace zolt {

CalendarDate todayDate() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string attr(Page& page, Element e, const std::string& name) {
    return page.getAttribute(e, name).value_or("");
}

bool attrTrue(Page& page, Element e, const std::string& name) {
    return equalsNoCase(trimBlanks(attr(page, e, name)), "true");
}

std::string style(Page& page, Element e, const std::string& property) {
    return page.styleValue(e, property);
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) return text;
    std::size_t first = text.find(from);
    if (first == std::string::npos) return text;  // nothing to replace: no copy
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = first; hit != std::string::npos; pos = hit + from.size(), hit = text.find(from, pos)) {
        out.append(text, pos, hit - pos);
        out.append(to);
    }
    out.append(text, pos, std::string::npos);
    return out;
}

static char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
static char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

static bool sameNoCase(std::string_view a, std::string_view b) {
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (lower(a[k]) != lower(b[k])) return false;
    }
    return true;
}

static std::size_t findNoCase(std::string_view text, std::string_view part, std::size_t from = 0) {
    if (part.empty()) return from <= text.size() ? from : std::string::npos;
    if (part.size() > text.size()) return std::string::npos;
    // A character that case does not change ("_" of "F_") is searched for
    // as it is, which is quick; the rest is compared around each hit.
    std::size_t fixed = 0;
    while (fixed < part.size() && lower(part[fixed]) != upper(part[fixed])) ++fixed;
    if (fixed < part.size()) {
        for (std::size_t hit = text.find(part[fixed], from + fixed); hit != std::string_view::npos;
             hit = text.find(part[fixed], hit + 1)) {
            const std::size_t at = hit - fixed;
            if (at + part.size() > text.size()) break;
            if (sameNoCase(part, text.substr(at, part.size()))) return at;
        }
        return std::string::npos;
    }
    const char first = lower(part[0]);
    const std::size_t last = text.size() - part.size();
    for (std::size_t i = from; i <= last; ++i) {
        if (lower(text[i]) != first) continue;
        std::size_t k = 1;
        while (k < part.size() && lower(text[i + k]) == lower(part[k])) ++k;
        if (k == part.size()) return i;
    }
    return std::string::npos;
}

std::string removeNoCase(std::string text, std::string_view from) {
    if (from.empty()) return text;
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = findNoCase(text, from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
    }
    out.append(text, pos, std::string::npos);
    return out;
}

bool containsNoCase(std::string_view text, std::string_view part) {
    return findNoCase(text, part) != std::string::npos;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && sameNoCase(a, b);
}

std::string trimBlanks(std::string_view text) {
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return "";
    std::size_t e = text.find_last_not_of(' ');
    return std::string(text.substr(b, e - b + 1));
}

long parseLeadingInt(std::string_view text) {
    std::string s(text);
    return std::strtol(s.c_str(), nullptr, 10);
}

// quotedValue and escapeText are alike on purpose: attribute values and text
// escape different characters, and each is a plain loop the build runs for
// every control.
std::string quotedValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '\'': out += "&#39;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string escapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string htmlAttribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + quotedValue(value) + "\"";
}

Element findInside(Page& page, Element container, const std::string& id) {
    for (Element child : page.children(container)) {
        if (equalsNoCase(attr(page, child, "id"), id)) return child;
        if (Element found = findInside(page, child, id)) return found;
    }
    return {};
}

}  // namespace zolt

namespace zolt {
std::string eventAttribute(const std::string& name, const std::string& storedValue) {
    std::string code = !storedValue.empty() && storedValue.front() == '=' ? storedValue.substr(1) : storedValue;
    return name + "=\"" + replaceAll(replaceAll(code, "&", "&amp;"), "\"", "&quot;") + "\"";
}
}  // namespace zolt

namespace zolt {

namespace {

// The reference at `html[i]` ("&name;" or "&#n;"), decoded into `out`;
// returns the length read, 0 when it is not one this reader knows.
std::size_t decodeReference(std::string_view html, std::size_t i, std::string& out) {
    static const std::pair<const char*, unsigned long> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
    std::size_t semi = html.find(';', i);
    if (semi == std::string_view::npos || semi - i > 10) return 0;
    std::string_view name = html.substr(i + 1, semi - i - 1);
    if (!name.empty() && name[0] == '#') {
        bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        std::string digits(name.substr(hex ? 2 : 1));
        if (digits.empty()) return 0;
        dom::appendUtf8(out, std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10));
        return semi - i + 1;
    }
    for (const auto& [n, cp] : kNamed) {
        if (name == n) {
            dom::appendUtf8(out, cp);
            return semi - i + 1;
        }
    }
    return 0;
}

}  // namespace

std::string markupText(std::string_view html) {
    std::string out;
    for (std::size_t i = 0; i < html.size();) {
        char c = html[i];
        if (c == '<') {
            std::size_t end = html.find('>', i);
            if (end == std::string_view::npos) break;
            std::string_view tag = html.substr(i + 1, end - i - 1);
            if (tag.size() >= 2 && lower(tag[0]) == 'b' && lower(tag[1]) == 'r' &&
                (tag.size() == 2 || tag[2] == ' ' || tag[2] == '/')) {
                out += '\n';
            }
            i = end + 1;
        } else if (c == '&') {
            std::size_t used = decodeReference(html, i, out);
            if (used == 0) {
                out += c;
                ++i;
            } else {
                i += used;
            }
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace zolt
