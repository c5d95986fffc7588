// Renaming and deleting the open project.
#include "StorageFixture.h"

using namespace zolt;
using namespace zolt::testing;

class RenameDeleteTest : public StorageTest {
protected:
    void typeNewName(const std::string& name) {
        page.insertAdjacentHTML(page.body(), InsertPosition::AfterBegin,
                                "<div id=ChangeProjectName><input id=NewProjectName></div>");
        page.setFieldValue(byId("NewProjectName"), name);
        page.setVariable("CheckModalOnOff", std::string("ON"));
    }
};

TEST_F(RenameDeleteTest, RenamingMovesTheFolderAndTheProjectFile) {
    fs::create_directories(dir / "Shop Projects");
    choose("NewProject", dir / "Shop Projects", "Shop");
    typeNewName("Store.old");
    runCommand(host, "SaveNewwProjectName");
    EXPECT_TRUE(page.shownBoxes().empty());
    EXPECT_TRUE(fs::exists(dir / "Shop Projects/Store/Store.rwp"));
    EXPECT_TRUE(fs::exists(dir / "Shop Projects/Store/Form1.rwf"));
    EXPECT_FALSE(fs::exists(dir / "Shop Projects/Shop"));
    EXPECT_EQ(host.ProjectFileName, "Store.rwp");
    EXPECT_EQ(fs::path(host.ProjectFilePath), dir / "Shop Projects/Store/Store.rwp");
    EXPECT_EQ(page.innerText(byId("ProjectName")), "--Store.rwp");
    EXPECT_FALSE(byId("ChangeProjectName"));
    EXPECT_EQ(toText(page.getVariable("CheckModalOnOff")), "OFF");
}

TEST_F(RenameDeleteTest, RenamesThatCannotBeDoneChangeNothing) {
    newProject("Shop");
    fs::create_directories(dir / "Taken");
    struct Case { std::string typed, message; bool boxStays; };
    const Case cases[] = {
        {"", "Enter a New Project name or press the cancel button.", true},
        {"Shop", "A Project with the name: Shop already exists", false},
        {"Taken", "A Project with the name: Taken already exists", false},
        {"../Up", "This name cannot be used for a project.\r\n\r\nThe name \"../Up\" holds characters that are "
                  "not allowed: / \\ < > : \" | ? * &", true},
        {".hidden", "This name cannot be used for a project.\r\n\r\nThe name \".hidden\" has nothing before its point.",
         true},
        {"NUL", "This name cannot be used for a project.\r\n\r\nThe name \"NUL\" is kept for a device on Windows and "
                "cannot name a file there.", true},
        {"com7", "", true},
        {"Shop ", "", true},
    };
    for (const Case& c : cases) {
        page.clearRecords();
        typeNewName(c.typed);
        page.answerMsgBox(MsgResult::OK);
        runCommand(host, "SaveNewwProjectName");
        ASSERT_EQ(page.shownBoxes().size(), 1u) << c.typed;
        if (!c.message.empty()) {
            EXPECT_EQ(page.shownBoxes()[0].text, c.message);
        } else if (c.boxStays) {
            EXPECT_NE(page.shownBoxes()[0].text.find("cannot be used for a project"), std::string::npos) << c.typed;
        }
        EXPECT_EQ(static_cast<bool>(byId("ChangeProjectName")), c.boxStays) << c.typed;
        if (Element box = byId("ChangeProjectName")) page.removeElement(box);
    }
    EXPECT_EQ(host.ProjectFileName, "Shop.rwp");
    EXPECT_TRUE(fs::exists(dir / "Shop/Shop.rwp"));
    EXPECT_FALSE(fs::exists(dir / "Up"));
}

TEST_F(RenameDeleteTest, DeletingAsksAndThenReturnsToTheStartScreen) {
    newProject("Shop");
    page.answerMsgBox(MsgResult::No);
    runCommand(host, "DeleteProject");
    EXPECT_EQ(page.shownBoxes()[0].text, "Delete Project: Shop.rwp .");
    EXPECT_TRUE(fs::exists(dir / "Shop/Shop.rwp"));
    EXPECT_EQ(page.reloadCount(), 0);

    page.answerMsgBox(MsgResult::Yes);
    runCommand(host, "DeleteProject");
    EXPECT_FALSE(fs::exists(dir / "Shop"));
    EXPECT_TRUE(fs::exists(dir));
    EXPECT_EQ(page.reloadCount(), 1);
    EXPECT_TRUE(host.StartScreenShown);
}
