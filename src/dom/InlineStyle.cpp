#include "dom/InlineStyle.h"

#include <algorithm>
#include <vector>

#include "dom/Node.h"

namespace zolt::dom {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

// Calls `each` with every declaration, split at ";" outside quotes and brackets.
template <class Each>
void forEachDeclaration(std::string_view text, Each each) {
    char quote = 0;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quote) {
            if (c == '\\') ++i;
            else if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (c == ';' && depth == 0) {
            each(text.substr(start, i - start));
            start = i + 1;
        }
    }
    each(text.substr(std::min(start, text.size())));
}

std::vector<std::string_view> splitDeclarations(std::string_view text) {
    std::vector<std::string_view> out;
    forEachDeclaration(text, [&](std::string_view decl) { out.push_back(decl); });
    return out;
}

// The property a declaration sets, lower case; "" when it has no ":".
std::string declaredProperty(std::string_view decl) {
    auto colon = decl.find(':');
    if (colon == std::string_view::npos) return {};
    return asciiLower(trim(decl.substr(0, colon)));
}

}  // namespace

std::string cssPropertyName(std::string_view property) {
    // A script name ("zIndex") has a capital after a small letter; anything
    // else ("TOP", "Background-Color") is a CSS name in some case.
    std::string out;
    char previous = 0;
    for (char c : trim(property)) {
        bool upper = c >= 'A' && c <= 'Z';
        if (upper && ((previous >= 'a' && previous <= 'z') || (previous >= '0' && previous <= '9'))) {
            out += '-';
        }
        out += upper ? static_cast<char>(c - 'A' + 'a') : c;
        previous = c;
    }
    return out;
}

std::string styleValue(std::string_view styleText, std::string_view property) {
    const std::string want = cssPropertyName(property);
    std::string_view found;
    forEachDeclaration(styleText, [&](std::string_view decl) {
        auto colon = decl.find(':');
        if (colon != std::string_view::npos && equalsIgnoringAsciiCase(trim(decl.substr(0, colon)), want)) {
            found = trim(decl.substr(colon + 1));
        }
    });
    return std::string(found);
}

Declarations parseDeclarations(std::string_view styleText) {
    Declarations out;
    forEachDeclaration(styleText, [&](std::string_view decl) {
        auto colon = decl.find(':');
        if (colon != std::string_view::npos) {
            out.emplace_back(trim(decl.substr(0, colon)), trim(decl.substr(colon + 1)));
        }
    });
    return out;
}

std::string declaredValue(const Declarations& declarations, std::string_view property) {
    // A CSS name in lower case, as most readers give, is looked up as it is.
    bool plain = std::none_of(property.begin(), property.end(), [](char c) { return (c >= 'A' && c <= 'Z') || isSpace(c); });
    const std::string converted = plain ? std::string() : cssPropertyName(property);
    const std::string_view want = plain ? property : std::string_view(converted);
    for (auto it = declarations.rbegin(); it != declarations.rend(); ++it) {
        if (equalsIgnoringAsciiCase(it->first, want)) return std::string(it->second);
    }
    return {};
}

std::string withStyleValue(std::string_view styleText, std::string_view property,
                           std::string_view value) {
    value = trim(value);
    const std::string want = cssPropertyName(property);
    bool badName = want.empty() || want.find_first_of(";:{}\"' \t\r\n") != std::string::npos;
    if (badName || splitDeclarations(value).size() > 1) return std::string(styleText);
    std::vector<std::string> decls;
    for (std::string_view d : splitDeclarations(styleText)) decls.emplace_back(d);

    int last = -1;
    for (int i = 0; i < static_cast<int>(decls.size()); ++i) {
        if (declaredProperty(decls[i]) == want) last = i;
    }
    std::vector<std::string> kept;
    for (int i = 0; i < static_cast<int>(decls.size()); ++i) {
        std::string& d = decls[i];
        if (declaredProperty(d) != want) {
            kept.push_back(std::move(d));
        } else if (i == last && !value.empty()) {
            // Keep the name as written and the spacing around the value.
            std::size_t colon = d.find(':');
            std::size_t valueStart = colon + 1;
            while (valueStart < d.size() && isSpace(d[valueStart])) ++valueStart;
            std::size_t valueEnd = d.size();
            while (valueEnd > valueStart && isSpace(d[valueEnd - 1])) --valueEnd;
            kept.push_back(d.substr(0, valueStart) + std::string(value) + d.substr(valueEnd));
        }
    }
    if (last < 0 && !value.empty()) {
        std::string decl = want + ": " + std::string(value);
        bool endsWithSemicolon = !kept.empty() && trim(kept.back()).empty();
        if (endsWithSemicolon) {
            if (kept.size() > 1) decl = " " + decl;
            kept.back() = decl;
            kept.emplace_back();
        } else {
            kept.push_back(" " + decl);
        }
    }
    std::string out;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i) out += ';';
        out += kept[i];
    }
    // A dropped first declaration leaves the space that followed it.
    std::size_t start = out.find_first_not_of(" \t\n\r\f");
    return start == std::string::npos ? std::string() : out.substr(start);
}

}  // namespace zolt::dom
