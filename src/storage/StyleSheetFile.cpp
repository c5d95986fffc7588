// Writing, reading and listing style sheet files.
#include "storage/StyleSheetFile.h"

#include <algorithm>
#include <cctype>

#include "site/Markup.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"

namespace zolt {

namespace fs = std::filesystem;

const std::array<StyleLine, kStyleLines> kStyleFileLines = {{
    {"TitleBarColor", StyleValueKind::Index},
    {"TitleBarFontColor", StyleValueKind::Index},
    {"TitleBarFontType", StyleValueKind::Index},
    {"BackColor", StyleValueKind::Index},
    {"BorderColor", StyleValueKind::Index},
    {"BorderStyle", StyleValueKind::Index},
    {"BorderOnOff", StyleValueKind::OnOff},
    {"BorderSize", StyleValueKind::Size},
    {"x_Auto_x", StyleValueKind::Switch},
    {"TitleBarColorValue", StyleValueKind::Colour},
    {"TitleBarFontColorValue", StyleValueKind::Colour},
    {"BackColorValue", StyleValueKind::Colour},
    {"BorderColorValue", StyleValueKind::Colour},
    {"FontTypeValue", StyleValueKind::FontName},
    {"BorderStyleValue", StyleValueKind::BorderKind},
}};

namespace {

bool allOf(const std::string& s, int (*test)(int)) {
    return std::all_of(s.begin(), s.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

bool fitsKind(const std::string& v, StyleValueKind kind) {
    switch (kind) {
    case StyleValueKind::Index: return !v.empty() && v.size() <= 4 && allOf(v, isdigit);
    case StyleValueKind::OnOff: return v == "0" || v == "1";
    case StyleValueKind::Size: return !v.empty() && v.size() <= 2 && allOf(v, isdigit);
    case StyleValueKind::Switch: return equalsNoCase(v, "true") || equalsNoCase(v, "false");
    case StyleValueKind::Colour: return v.size() == 7 && v[0] == '#' && allOf(v.substr(1), isxdigit);
    case StyleValueKind::FontName:
        // Painted as a font family: nothing that would end or escape it.
        return !v.empty() && v.size() <= 60 && v.find_first_of(";:{}\"'<>\\") == std::string::npos;
    case StyleValueKind::BorderKind: return !v.empty() && v.size() <= 20 && allOf(v, isalpha);
    }
    return false;
}

}  // namespace

std::string styleSheetText(const StyleValues& values) {
    std::string text;
    for (int i = 0; i < kStyleLines; ++i) text += std::string(kStyleFileLines[i].key) + "=" + values[i] + kCrLf;
    return text;
}

ReadStyle parseStyleSheet(const std::string& text, int lines) {
    ReadStyle read;
    const std::vector<std::string> fileLines = splitLines(text);
    for (int i = 0; i < lines && i < kStyleLines; ++i) {
        const StyleLine& expected = kStyleFileLines[i];
        const std::string where = "Line " + std::to_string(i + 1) + " (" + expected.key + ")";
        // splitLines keeps the empty piece after the last line end.
        const bool present = i < static_cast<int>(fileLines.size()) &&
                             !(i == static_cast<int>(fileLines.size()) - 1 && fileLines[i].empty());
        if (!present) {
            read.problems.push_back({i, where + " is missing."});
            continue;
        }
        const std::string& line = fileLines[i];
        const auto eq = line.find('=');
        if (eq == std::string::npos || !equalsNoCase(line.substr(0, eq), expected.key)) {
            read.problems.push_back({i, where + " is not there: the file holds \"" + line.substr(0, 60) + "\"."});
            continue;
        }
        const std::string value = line.substr(eq + 1);
        if (!fitsKind(value, expected.kind)) {
            read.problems.push_back({i, where + " holds \"" + value.substr(0, 60) + "\", which is not a setting."});
            continue;
        }
        read.values[i] = value;
    }
    return read;
}

bool isStyleFileName(const std::string& fileName) {
    if (fileName.size() <= 4 || !equalsNoCase(fileName.substr(fileName.size() - 4), ".rws")) return false;
    return !unusableNameReason(fileName.substr(0, fileName.size() - 4));
}

std::vector<std::string> listStyleSheets(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isStyleFileName(name) && it->is_regular_file(ec)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zolt
