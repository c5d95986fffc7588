// A style sheet file (".rws" in the project folder): fifteen lines "Key=value"
// in a fixed order, Windows-1252 text, every line ended by CR LF. Lines 1 to
// 9 are what the style window shows; lines 10 to 15 repeat the chosen colours,
// font and border style as plain values for new forms.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zolt {

inline constexpr int kStyleLines = 15;

// What a line's value must look like.
enum class StyleValueKind {
    Index,      // a position in one of the page's lists: a whole number from 0
    OnOff,      // "0" (on) or "1" (off)
    Size,       // a border width: one or two digits
    Switch,     // "True" or "False", any case
    Colour,     // "#" and six hexadecimal digits
    FontName,   // a font family name
    BorderKind  // a border style keyword: letters only
};

struct StyleLine {
    const char* key;       // the text before "=", also the id of the window's field it fills
    StyleValueKind kind;
};

// The fifteen lines in file order.
extern const std::array<StyleLine, kStyleLines> kStyleFileLines;

using StyleValues = std::array<std::string, kStyleLines>;

// The file's text: each key, "=", its value, CR LF.
std::string styleSheetText(const StyleValues& values);

// A style file as read: the value of every line that makes sense, and one
// sentence for each line that does not (missing, another key, a value of the
// wrong shape).
struct StyleProblem {
    int line;          // 0 for the first line
    std::string text;  // a sentence naming the line
};
struct ReadStyle {
    std::array<std::optional<std::string>, kStyleLines> values;
    std::vector<StyleProblem> problems;
};

// Reads the first `lines` lines of a style file's text (lines ended by CR LF
// or LF alone); a line counts only at its own place and with its own key.
ReadStyle parseStyleSheet(const std::string& text, int lines = kStyleLines);

// The style files of a folder, by name, in name order: regular files whose
// name ends in ".rws" in any case.
std::vector<std::string> listStyleSheets(const std::filesystem::path& folder);

// Whether a name is a style file's bare name that may be read or deleted in
// the project folder: ends in ".rws" (any case) and names no other folder.
bool isStyleFileName(const std::string& fileName);

}  // namespace zolt
