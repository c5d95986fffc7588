// The command table: finding a command and its pieces in a text. What each
// command runs is wired above the host and storage (app/CommandTable.cpp).
#include "host/CommandBus.h"

#include <charconv>
#include <limits>

namespace zolt {

namespace {

struct Row {
    const char* name;
    Command command;
};

// Tested in this order; a text matches every name it contains and only the
// earliest row counts. A new name must contain no earlier row's name.
constexpr Row kRows[] = {
    {"NewProject", Command::NewProject},
    {"LoadProject", Command::LoadProject},
    {"LoadForm", Command::LoadForm},
    {"CreateNewForm", Command::CreateNewForm},
    {"SaveForm", Command::SaveForm},
    {"SaveExistingProject", Command::SaveExistingProject},
    {"DeleteProject", Command::DeleteProject},
    {"UpdateGlobalStartScreen", Command::UpdateGlobalStartScreen},
    {"UpdateProjectFile", Command::UpdateProjectFile},
    {"SaveNewwProjectName", Command::SaveNewwProjectName},
    {"GetStyleSheets", Command::GetStyleSheets},
    {"SaveStyleSheet", Command::SaveStyleSheet},
    {"DeleteStyleSheet", Command::DeleteStyleSheet},
    {"LoadStyleData", Command::LoadStyleData},
    {"BuildProject", Command::BuildProject},
    {"ShowPropertyWin", Command::ShowPropertyWin},
    {"ChoosePicture", Command::ChoosePicture},
};

// Tested after every row above, and only when test hooks are enabled.
constexpr Row kTestHookRow = {"ZoltTestHook", Command::TestHook};

// Piece 1 as a 16-bit whole number, as the build takes it.
std::optional<int> buildModeOf(const std::vector<std::string>& pieces) {
    if (pieces.size() < 2) return std::nullopt;
    const std::string& s = pieces[1];
    int value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

const std::vector<std::string>& commandNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const Row& row : kRows) v.emplace_back(row.name);
        return v;
    }();
    return names;
}

std::vector<std::string> splitPieces(const std::string& text) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    for (;;) {
        auto amp = text.find('&', start);
        pieces.push_back(text.substr(start, amp == std::string::npos ? amp : amp - start));
        if (amp == std::string::npos) break;
        start = amp + 1;
    }
    return pieces;
}

std::optional<ParsedCommand> parseCommand(const std::string& text, bool testHooks) {
    const Row* found = nullptr;
    for (const Row& row : kRows) {
        if (text.find(row.name) != std::string::npos) {
            found = &row;
            break;
        }
    }
    if (!found && testHooks && text.find(kTestHookRow.name) != std::string::npos) {
        found = &kTestHookRow;
    }
    if (!found) return std::nullopt;

    ParsedCommand parsed{found->command, splitPieces(text)};
    switch (parsed.command) {
    case Command::SaveExistingProject:
        parsed.flag = text.find("True") != std::string::npos;
        break;
    case Command::UpdateProjectFile:
        parsed.argumentsValid = parsed.pieces.size() >= 4;
        break;
    case Command::BuildProject: {
        auto mode = buildModeOf(parsed.pieces);
        parsed.argumentsValid = mode.has_value();
        parsed.buildMode = mode.value_or(0);
        break;
    }
    default:
        break;
    }
    return parsed;
}

}  // namespace zolt
