// The command bus: the page sends a command text, the bus finds the command
// name in it, and the command table (app/CommandTable.h) runs the command's
// routine.
//
// Matching is a plain case-sensitive substring search over the names in a
// fixed order; the first name found anywhere in the text wins. Arguments are
// the pieces of the text between "&" characters, used as they stand.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"

namespace zolt {

enum class Command {
    NewProject,
    LoadProject,
    LoadForm,
    CreateNewForm,
    SaveForm,
    SaveExistingProject,
    DeleteProject,
    UpdateGlobalStartScreen,
    UpdateProjectFile,
    SaveNewwProjectName,
    GetStyleSheets,
    SaveStyleSheet,
    DeleteStyleSheet,
    LoadStyleData,
    BuildProject,
    ShowPropertyWin,
    ChoosePicture,
    TestHook,  // only with --test-hooks; see TestHooks.cpp
};

// The names searched for, in the order in which they are tested.
const std::vector<std::string>& commandNames();

// A command text as the bus understands it.
struct ParsedCommand {
    Command command;
    std::vector<std::string> pieces;  // the text split at every "&"
    bool flag = false;                // SaveExistingProject: "True" occurs in the text
    // UpdateProjectFile: pieces 1..3 are present. BuildProject: piece 1 is a
    // whole number that fits 16 bits. Otherwise true.
    bool argumentsValid = true;
    int buildMode = 0;                // BuildProject: piece 1 as a number
};

// Every piece between "&" characters, empty pieces kept.
std::vector<std::string> splitPieces(const std::string& text);

// Finds the command in a text; nothing when no name occurs (the text is then
// not a command and is let through). The test-only command is recognised only
// when `testHooks` is set.
std::optional<ParsedCommand> parseCommand(const std::string& text, bool testHooks = false);

}  // namespace zolt
