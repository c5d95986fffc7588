#include "app/CommandTable.h"

#include "app/Routines.h"
#include "host/CommandBus.h"
#include "host/FileDialog.h"
#include "storage/RecoveryCopy.h"

namespace zolt {

namespace {

// Shows the file chooser in `mode`; its button runs `task`.
void showChooser(Host& host, const std::string& mode, void (*task)(Host&)) {
    host.DialogMode = mode;
    FileDialog dialog(host, host.DialogMode, task);
    dialog.showModal();
}

}  // namespace

bool runCommand(Host& host, const std::string& text) {
    auto parsed = parseCommand(text, host.testHooks);
    if (!parsed) return false;
    // A command whose pieces the page never sends in that form is ignored.
    if (!parsed->argumentsValid) return true;

    const auto& p = parsed->pieces;
    switch (parsed->command) {
    case Command::NewProject: showChooser(host, "NewProject", &NewProject); break;
    case Command::LoadProject: showChooser(host, "LoadProject", &LoadProject); break;
    case Command::LoadForm: showChooser(host, "LoadForm", &LoadFormCommand); break;
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
    case Command::ChoosePicture: showChooser(host, "ChoosePicture", &ChoosePicture); break;
    case Command::TestHook: TestHookCommand(host, p); break;
    }
    return true;
}

}  // namespace zolt
