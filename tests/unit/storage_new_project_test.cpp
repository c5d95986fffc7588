// Creating a project (its folder and first files, refused names, the overwrite questions), renaming and deleting it.
#include <set>

#include "StorageFixture.h"
#include "storage/ProjectFile.h"

using namespace zolt;
using namespace zolt::testing;

TEST_F(StorageTest, NewProjectWritesItsFirstFilesExactlyAndANewFormThatCannotBeWrittenGoes) {
    newProject("Shop.rwp");

    for (const char* sub : {"Build/Images", "Images", "Temp"}) EXPECT_TRUE(fs::is_directory(project() / sub)) << sub;
    EXPECT_EQ(fileBytes(project() / "Images/closebutton.jpg"), fileBytes(host.appFolder / "Images/closebutton.jpg"));
    EXPECT_EQ(fileBytes(project() / "ZOLTJSStatic.js"), fileBytes(host.appFolder / "Temp/ZOLTJSStatic.js"));

    EXPECT_EQ(fileBytes(project() / "Shop.rwp"),
              "\xAB" "V1.01\xBB\r\n" + encodeWindows1252(noticeLine()) + "\r\n\xAB" "Forms\xBB\r\n#Form1/True#\r\n");
    std::string form1 = fileBytes(fs::path(ZOLT_SOURCE_DIR) / "tests/fixtures/form1_new.html");
    while (form1.back() == '\n' || form1.back() == '\r') form1.pop_back();
    EXPECT_EQ(fileBytes(project() / "Form1.rwf"), "V1.01\r\n#" + form1 + "#");

    EXPECT_EQ(fs::path(host.ProjectFilePath), project() / "Shop.rwp");
    EXPECT_FALSE(host.StartScreenShown || byId("StartScreen"));
    EXPECT_EQ(page.innerText(byId("ProjectName")), "--Shop.rwp");
    EXPECT_EQ(formsList(), std::vector<std::string>{"Form1"});
    EXPECT_TRUE(page.shownBoxes().empty());

    // A new form whose file cannot be written does not stay on the surface, and its number is free again.
    setSaveStepHookForTests([](SaveStep, const fs::path&) { throw FileError("The disk is full."); });
    page.answerMsgBox(MsgResult::OK);
    page.call("NewForm");
    setSaveStepHookForTests(nullptr);
    ASSERT_EQ(page.shownBoxes().size(), 1u);
    EXPECT_NE(page.shownBoxes()[0].text.find("The disk is full."), std::string::npos);
    EXPECT_EQ(formsList(), std::vector<std::string>{"Form1"});
    EXPECT_FALSE(byId("Form2"));
    page.call("NewForm");
    EXPECT_TRUE(byId("Form2"));
}

TEST_F(StorageTest, NamesThatWouldLeaveTheChosenFolderAreRefusedAndTheLastPointEndsTheName) {
    writeBytes(dir / "keep.txt", "precious");
    fs::create_directories(dir / "sub");
    for (const char* name : {".rwp", ".", "..", "...", "a/b", "..\\up", "x:y"}) {
        page.answerMsgBox(MsgResult::OK);
        newProject(name);
        EXPECT_TRUE(boxTexts(page).size() == 1 && has(boxTexts(page)[0], "cannot be used for a project")) << name;
        page.clearRecords();
    }
    EXPECT_TRUE(fileBytes(dir / "keep.txt") == "precious" && fs::is_directory(dir / "sub"));
    EXPECT_TRUE(host.ProjectFilePath.empty() && byId("StartScreen"));
    newProject("my.shop.old");
    EXPECT_TRUE(fs::exists(dir / "my.shop" / "my.shop.rwp"));
}

TEST_F(StorageTest, AnExistingFolderIsOverwrittenOnlyAfterTwoYes) {
    fs::create_directories(dir / "Shop");
    writeBytes(dir / "Shop" / "old.txt", "old");

    page.answerMsgBox(MsgResult::No);
    newProject("Shop");
    ASSERT_EQ(page.shownBoxes().size(), 1u);  // no second question after No
    EXPECT_EQ(page.shownBoxes()[0].text, "Project: Shop already exists.\r\n\r\nDo you want to overwrite it?");
    EXPECT_EQ(page.shownBoxes()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(fs::exists(dir / "Shop" / "old.txt"));

    page.clearRecords();
    page.answerMsgBox(MsgResult::Yes);
    page.answerMsgBox(MsgResult::Yes);
    newProject("Shop");
    ASSERT_EQ(page.shownBoxes().size(), 2u);
    EXPECT_EQ(page.shownBoxes()[1].text, "All data for the Project: Shop.rwp will be lost with the overwrite.  Continue?");
    EXPECT_TRUE(fs::exists(dir / "Shop" / "Form1.rwf") && !fs::exists(dir / "Shop" / "old.txt"));
}

TEST_F(StorageTest, ASecondNewProjectSavesTheFirstIfAskedAndLeavesNothingOfItInThePage) {
    newProject("One");
    page.call("NewForm");
    Element funcs = byId("x_FuncList_x");
    page.addOption(funcs, "Extra(a)", "Extra(a)");
    page.setArrayEntry("arrNewFormOrder", 1, 3.0);
    page.setVariable("GProjectStartForm", std::string("Form1"));
    page.setAttribute(page.body(), "userTitle", "One title");
    page.setAttribute(page.body(), "F_Total", "Function Total()\r\nEnd Function");
    int historyCleared = 0;
    page.registerRoutine("ClearUndoHistory", [&historyCleared](DomPage&, std::vector<ScriptValue>&) {
        ++historyCleared;
        return ScriptValue{};
    });

    page.answerMsgBox(MsgResult::Yes);  // save One first
    page.answerMsgBox(MsgResult::OK);   // "One.rwp Saved."
    newProject("Two");
    EXPECT_NE(fileBytes(dir / "One/One.rwp").find("!ProjectStartForm=Form1!"), std::string::npos);
    EXPECT_EQ(historyCleared, 1);  // nothing of the first project can be undone
    EXPECT_EQ(formsList(), std::vector<std::string>{"Form1"});
    EXPECT_FALSE(byId("Form2"));  // only Form1 of the new project is on the surface
    EXPECT_EQ(page.optionCount(funcs), 8);
    EXPECT_EQ(toText(page.getArrayEntry("arrNewFormOrder", 1)), "11");
    EXPECT_EQ(toText(page.getVariable("GProjectStartForm")), "");
    EXPECT_EQ(page.getAttribute(page.body(), "userTitle").value_or("?"), "");
    EXPECT_FALSE(page.getAttribute(page.body(), "F_Total").has_value());

    page.answerMsgBox(MsgResult::No);
    ASSERT_TRUE(OpenProjectFile(host, dir / "One/One.rwp", "One.rwp"));
    EXPECT_EQ(historyCleared, 2);  // nor of the second, once another is opened
}

TEST_F(StorageTest, AFailedNewProjectChangesNothing) {
    newProject("One");
    save();
    fs::create_directories(dir / "Two");
    writeBytes(dir / "Two" / "keep.txt", "kept");

    // An application folder without the close picture: nothing is begun.
    const fs::path app = dir / "app";
    fs::create_directories(app / "Images");
    host.appFolder = app;
    page.clearRecords();
    page.answerMsgBox(MsgResult::OK);
    newProject("Three");
    EXPECT_EQ(boxTexts(page), std::vector<std::string>{
                                  "The required image(closebutton.jpg) for a New Project was unable to be copied.\r\n"
                                  "The Project: Three.rwp was NOT created."});
    // Without the script library the copy fails after the new folder was begun.
    fs::copy_file(fs::path(ZOLT_APP_DIR) / "Images/closebutton.jpg", app / "Images/closebutton.jpg");
    page.answerMsgBox(MsgResult::OK);
    newProject("Three");
    for (MsgResult a : {MsgResult::Yes, MsgResult::Yes, MsgResult::OK}) page.answerMsgBox(a);
    newProject("Two");
    EXPECT_EQ(page.shownBoxes().back().icon, MsgIcon::Critical);
    EXPECT_EQ(std::set<fs::path>(fs::directory_iterator(dir), fs::directory_iterator()),
              (std::set<fs::path>{dir / "One", dir / "Two", dir / "app"}));
    EXPECT_EQ((std::vector{fileBytes(dir / "Two/keep.txt"), host.ProjectFileName, page.innerText(byId("ProjectName"))}),
              (std::vector<std::string>{"kept", "One.rwp", "--One.rwp"}));
    EXPECT_EQ(formsList(), std::vector<std::string>{"Form1"});
}

class RenameDeleteTest : public StorageTest {
protected:
    void typeNewName(const std::string& name) {
        page.insertAdjacentHTML(page.body(), InsertPosition::AfterBegin,
                                "<div id=ChangeProjectName><input id=NewProjectName></div>");
        page.setFieldValue(byId("NewProjectName"), name);
        page.setVariable("CheckModalOnOff", std::string("ON"));
    }
};

TEST_F(RenameDeleteTest, ARenameMovesTheFolderUnlessRefusedAndDeletingAsksFirst) {
    const fs::path parent = dir / "Shop Projects";
    fs::create_directories(parent / "Taken");
    choose("NewProject", parent, "Shop");
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
        {"com7", "This name cannot be used for a project.", true},
        {"Shop ", "This name cannot be used for a project.", true},
    };
    for (const Case& c : cases) {
        page.clearRecords();
        typeNewName(c.typed);
        page.answerMsgBox(MsgResult::OK);
        runCommand(host, "SaveNewwProjectName");
        ASSERT_EQ(page.shownBoxes().size(), 1u) << c.typed;
        EXPECT_EQ(page.shownBoxes()[0].text.rfind(c.message, 0), 0u) << c.typed;
        EXPECT_EQ(static_cast<bool>(byId("ChangeProjectName")), c.boxStays) << c.typed;
        if (Element box = byId("ChangeProjectName")) page.removeElement(box);
    }
    EXPECT_EQ(host.ProjectFileName, "Shop.rwp");
    EXPECT_TRUE(fs::exists(parent / "Shop/Shop.rwp") && !fs::exists(parent / "Up"));

    page.clearRecords();
    typeNewName("Store.old");
    runCommand(host, "SaveNewwProjectName");
    EXPECT_TRUE(page.shownBoxes().empty());
    EXPECT_TRUE(fs::exists(parent / "Store/Form1.rwf") && !fs::exists(parent / "Shop"));
    EXPECT_EQ((std::vector{host.ProjectFileName, host.ProjectFilePath, page.innerText(byId("ProjectName"))}),
              (std::vector<std::string>{"Store.rwp", (parent / "Store/Store.rwp").string(), "--Store.rwp"}));
    EXPECT_FALSE(byId("ChangeProjectName"));
    EXPECT_EQ(toText(page.getVariable("CheckModalOnOff")), "OFF");

    page.answerMsgBox(MsgResult::No);
    runCommand(host, "DeleteProject");
    EXPECT_EQ(page.shownBoxes()[0].text, "Delete Project: Store.rwp .");
    EXPECT_TRUE(fs::exists(parent / "Store/Store.rwp") && page.reloadCount() == 0);
    page.answerMsgBox(MsgResult::Yes);
    runCommand(host, "DeleteProject");
    EXPECT_TRUE(fs::exists(parent) && !fs::exists(parent / "Store"));
    EXPECT_TRUE(page.reloadCount() == 1 && host.StartScreenShown);
}
