// The command table and its dispatch.
#include "host/CommandBus.h"

#include <charconv>
#include <limits>

#include "host/FileDialog.h"
#include "host/Routines.h"
#include "storage/RecoveryCopy.h"

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

void showChooser(Host& host, const std::string& mode) {
    host.DialogMode = mode;
    FileDialog dialog(host, host.DialogMode);
    dialog.showModal();
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

bool runCommand(Host& host, const std::string& text) {
    auto parsed = parseCommand(text, host.testHooks);
    if (!parsed) return false;
    // A command whose pieces the page never sends in that form is ignored.
    if (!parsed->argumentsValid) return true;

    const auto& p = parsed->pieces;
    switch (parsed->command) {
    case Command::NewProject: showChooser(host, "NewProject"); break;
    case Command::LoadProject: showChooser(host, "LoadProject"); break;
    case Command::LoadForm: showChooser(host, "LoadForm"); break;
    case Command::CreateNewForm: CreateNewFormCommand(host); break;
    case Command::SaveForm: SaveAllForms(host); break;
    case Command::SaveExistingProject: SaveExistingProject(host, parsed->flag); break;
    case Command::DeleteProject: DeleteProjectCommand(host); break;
    // F5 answered No: the changes are given up, so no recovery copy of
    // them is offered later. The start screen itself comes with the
    // reloaded page, which tells the host when it connects (HostShell): the
    // host's state does not move ahead of a reload that may not happen.
    case Command::UpdateGlobalStartScreen: DiscardRecoveryCopy(host); break;
    case Command::UpdateProjectFile: UpdateProjectFileCommand(host, p[1], p[2], p[3]); break;
    case Command::SaveNewwProjectName: RenameProjectCommand(host); break;
    case Command::GetStyleSheets: GetStyleSheets(host); break;
    case Command::SaveStyleSheet: SaveStyleSheet(host); break;
    case Command::DeleteStyleSheet: DeleteStyleSheet(host); break;
    case Command::LoadStyleData: LoadStyleData(host); break;
    case Command::BuildProject: BuildProjectCommand(host, parsed->buildMode); break;
    case Command::ShowPropertyWin: ShowPropertyWindowCommand(host); break;
    case Command::ChoosePicture: showChooser(host, "ChoosePicture"); break;
    case Command::TestHook: TestHookCommand(host, p); break;
    }
    return true;
}

}  // namespace zolt
