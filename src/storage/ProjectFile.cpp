#include "storage/ProjectFile.h"

#include <algorithm>
#include <array>

#include "storage/TextFile.h"

namespace zolt {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// The markers, in the order a line is tested for them.
constexpr std::string_view kFormMark = "#";
constexpr std::string_view kPositionMark = "%";
constexpr std::string_view kKeyMark = "!";
constexpr std::string_view kFunctionMark = "+";
constexpr std::string_view kCodeMark = "§";

// Names searched for within a class, first found wins.
constexpr std::array<std::string_view, 5> kPositionNames = {"ToolBar1", "ToolBar2", "ToolBar3",
                                                            "ToolBar4", "PropWin"};
constexpr std::array<std::string_view, 9> kKeyNames = {
    "BodyColor",        "BCIndex",         "PageTitle",
    "ImageLocation",    "LastActiveForm",  "ProjectStartForm",
    "ProjectDeletedControls", "ProjectDeletedForms", "StyleSheet"};

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string removeAll(std::string_view text, std::string_view part) {
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    for (size_t at; (at = text.find(part, start)) != std::string_view::npos; start = at + part.size()) {
        out.append(text.substr(start, at - start));
    }
    out.append(text.substr(start));
    return out;
}

size_t countOf(std::string_view text, std::string_view part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

std::string trimBlanks(std::string_view text) {
    size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return "";
    size_t e = text.find_last_not_of(' ');
    return std::string(text.substr(b, e - b + 1));
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           }) != text.end();
}

// The key of a "Name=value" line: the text before the first "=" when it is
// one of the names, else the first name found anywhere in the line.
template <size_t N>
std::optional<std::string_view> findName(std::string_view line, const std::array<std::string_view, N>& names) {
    std::string_view head = line.substr(0, line.find('='));
    for (auto name : names) {
        if (head == name) return name;
    }
    for (auto name : names) {
        if (contains(line, name)) return name;
    }
    return std::nullopt;
}

// The value after "Name=": the text after the first "=" when the line starts
// with the key, else the line with every "Name=" removed.
std::string valueAfter(std::string_view line, std::string_view name) {
    std::string prefix = std::string(name) + "=";
    if (line.substr(0, prefix.size()) == prefix) return std::string(line.substr(prefix.size()));
    return removeAll(line, prefix);
}

}  // namespace

std::string versionLine() { return "«" + std::string(kFileVersion) + "»"; }

std::string noticeLine() { return "«ZOLT project file. Written by ZOLT; edit it with ZOLT only.»"; }

std::string writeProjectFile(const ProjectFileContent& c) {
    std::vector<std::string> lines = {versionLine(), noticeLine(), "«Project»"};
    auto key = [&](std::string_view name, const std::string& value) {
        lines.push_back("!" + std::string(name) + "=" + value + "!");
    };
    key("BodyColor", c.bodyColor);
    key("BCIndex", c.bcIndex);
    key("PageTitle", c.pageTitle);
    key("ImageLocation", c.imageLocation);
    key("LastActiveForm", c.lastActiveForm);
    key("ProjectStartForm", c.projectStartForm);
    key("StyleSheet", c.styleSheet.empty() ? "none" : c.styleSheet);
    if (!c.deletedForms.empty()) {
        std::string joined;
        for (const auto& n : c.deletedForms) joined += (joined.empty() ? "" : "/") + n;
        key("ProjectDeletedForms", joined);
    }
    lines.push_back("«Body Code»");
    for (const auto& code : c.code) lines.push_back("§" + code.name + "=" + code.value + "§");
    lines.push_back("«Forms»");
    for (const auto& f : c.forms) lines.push_back("#" + f.id + "/" + (f.visible ? "True" : "False") + "#");
    for (const auto& fn : c.functions) lines.push_back("+" + fn + "+");
    lines.push_back("«Positions»");
    for (const auto& p : c.positions) lines.push_back("%" + p.name + "=" + p.left + "," + p.top + "%");

    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += kCrLf;
    }
    return text;
}

std::string newProjectFile() {
    return versionLine() + "\r\n" + noticeLine() + "\r\n«Forms»\r\n#Form1/True#\r\n";
}

std::vector<ProjectLine> readProjectFile(std::string_view text) {
    const std::vector<std::string> lines = splitLines(text);
    std::vector<ProjectLine> out;
    using Kind = ProjectLine::Kind;

    for (size_t i = 3; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        // A code entry starts with its marker; its code may hold any of the
        // other markers ("a + b", "#fff") without becoming another entry.
        const bool codeEntry = line.compare(0, kCodeMark.size(), kCodeMark) == 0;
        if (!codeEntry && contains(line, kFormMark)) {
            out.push_back({Kind::Form, "", trimBlanks(removeAll(line, kFormMark))});
        } else if (!codeEntry && contains(line, kPositionMark)) {
            std::string rest = removeAll(line, kPositionMark);
            if (auto name = findName(rest, kPositionNames)) {
                out.push_back({Kind::Position, std::string(*name), valueAfter(rest, *name)});
            }
        } else if (!codeEntry && contains(line, kKeyMark)) {
            std::string rest = removeAll(line, kKeyMark);
            if (auto name = findName(rest, kKeyNames)) {
                out.push_back({Kind::Key, std::string(*name), valueAfter(rest, *name)});
            }
        } else if (!codeEntry && contains(line, kFunctionMark)) {
            out.push_back({Kind::Function, "", removeAll(line, kFunctionMark)});
        } else if (contains(line, kCodeMark)) {
            std::string first = removeAll(line, kCodeMark);
            size_t eq = first.find('=');
            if (eq == std::string::npos) continue;
            std::string name = first.substr(0, eq);
            // Page code: function code (names holding "F_") or event code
            // ("C_"); the name decides, not the code. Code with line breaks
            // runs on up to the line holding the closing marker; code on one
            // line carries both markers.
            if (!containsIgnoringCase(name, "F_") && !containsIgnoringCase(name, "C_")) continue;
            std::string whole = first;
            if (countOf(line, kCodeMark) < 2) {
                while (++i < lines.size()) {
                    const bool closing = contains(lines[i], kCodeMark);
                    whole += "\r\n" + (closing ? removeAll(lines[i], kCodeMark) : lines[i]);
                    if (closing) break;
                }
            }
            out.push_back({Kind::Code, name, whole.substr(eq + 1)});
        }
    }
    return out;
}

}  // namespace zolt
