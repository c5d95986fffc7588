// The project file (.rwp): its lines as the saver writes them and as the
// loader reads them back, without the page. The routines that take the page
// state and apply the lines to the page build on these.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolt {

inline constexpr std::string_view kFileVersion = "V1.01";

// "«V1.01»" and the notice line: the first two lines of every project file.
std::string versionLine();
std::string noticeLine();

// Everything the saver writes, in the order it is written.
struct ProjectFileContent {
    std::string bodyColor;          // without "#"
    std::string bcIndex;
    std::string pageTitle;
    std::string imageLocation;
    std::string lastActiveForm;
    std::string projectStartForm;
    std::string styleSheet;         // "none" when no style is used for new forms
    std::vector<std::string> deletedForms;  // entries of arrNewFormOrder that are not 11
    struct Code { std::string name, value; };
    std::vector<Code> code;         // body attributes holding page code
    struct Form { std::string id; bool visible = true; };
    std::vector<Form> forms;
    std::vector<std::string> functions;  // function list entries after the built-in eight
    struct Position { std::string name; std::string left, top; };
    std::vector<Position> positions;     // ToolBar1..3, ToolBar4 (project window), PropWin
};

// The whole text of a saved project file, every line ended by CR LF.
std::string writeProjectFile(const ProjectFileContent& content);

// The four lines of a new project's file.
std::string newProjectFile();

// One line of a project file as the loader understands it.
struct ProjectLine {
    enum class Kind { Form, Position, Key, Function, Code };
    Kind kind;
    std::string name;   // Position: ToolBar1..ToolBar4, PropWin; Key: the key; Code: attribute name
    std::string value;  // Form: "Form1/True"; Position: "12,34"; Function: the entry's text
};

// Reads a project file's text by the loader's rules: the first three lines
// are skipped; each further line is classified by the first marker it holds
// ("#", "%", "!", "+", "§", tested in that order); a function's code runs on
// over several lines up to the line holding its closing "§". Lines that fit
// no kind are left out.
std::vector<ProjectLine> readProjectFile(std::string_view text);

}  // namespace zolt
