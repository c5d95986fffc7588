// A host with the headless designer page, a fresh folder, and a chooser that picks what the test says.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/CommandTable.h"
#include "app/HeadlessDesigner.h"
#include "app/Routines.h"
#include "host/CommandBus.h"
#include "host/FileDialog.h"
#include "storage/FileTransaction.h"
#include "storage/ProjectLock.h"
#include "storage/ProjectRoutines.h"
#include "storage/TextFile.h"
#include "site_support.h"

namespace zolt::testing {

namespace fs = std::filesystem;

class StorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("zolt-storage-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        startPage(page);
    }
    void TearDown() override {
        setSaveStepHookForTests(nullptr);
        releaseProjectLock(host.lockedFolder);
        fs::remove_all(dir);
    }

    // A page as the host finds it when a browser (re)connects.
    void startPage(DomPage& p) {
        host.appFolder = ZOLT_APP_DIR;
        host.page = &p;
        host.StartScreenShown = true;
        loadHeadlessDesigner(p, [this](const std::string& text) { runCommand(host, text); });
        // The chooser picks `chosenFolder`/`chosenName` and presses its button; left open by the task, it is closed.
        p.registerRoutine("ZoltFileDialogOpen", [this](DomPage&, std::vector<ScriptValue>&) {
            host.dialog->choose(chosenFolder, chosenName);
            host.dialog->onEvent("button", chosenName);
            if (host.dialog) host.dialog->onEvent("close", "");
            return ScriptValue{};
        });
        p.registerRoutine("ZoltFileDialogClose", [](DomPage&, std::vector<ScriptValue>&) { return ScriptValue{}; });
    }

    void choose(const std::string& command, const fs::path& folder, const std::string& name) {
        chosenFolder = folder;
        chosenName = name;
        runCommand(host, command);
    }

    void newProject(const std::string& name) { choose("NewProject", dir, name); }
    fs::path project() { return dir / "Shop"; }

    // Saves as the page's Save does; the box that follows is answered OK.
    void save() {
        page.answerMsgBox(MsgResult::OK);
        runCommand(host, "SaveExistingProjectFalse");
    }

    Element byId(const std::string& id) { return host.pageRef().getElementById(id); }

    std::vector<std::string> formsList() { return host.pageRef().optionTexts(byId("x_FormsList_x")); }

    std::vector<std::string> boxTexts(DomPage& p) {
        std::vector<std::string> texts;
        for (const auto& b : p.shownBoxes()) texts.push_back(b.text);
        return texts;
    }

    fs::path dir;
    Host host;
    DomPage page;
    fs::path chosenFolder;  // what the chooser picks
    std::string chosenName;
};

}  // namespace zolt::testing
