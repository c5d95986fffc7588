// Saving a project and opening it again, the close question, files that do not open, the recovery copy.
#include <set>

#include "StorageFixture.h"
#include "storage/RecoveryCopy.h"

using namespace zolt;
using namespace zolt::testing;

namespace {

// The page's settings and code; the first line of its declarations holds the project file's other markers.
const std::pair<const char*, const char*> kBody[] = {
    {"userTitle", "Café «Shop»"}, {"userBGColor", "#336699"}, {"C_onload", "=Init()"},
    {"F_Declarations", "var total = a + b; // #1, 50% !\r\nvar c;"},
    {"F_Total", "Function Total(a)\r\n\tTotal = a * 2 ' é € «\r\nEnd Function"}};
// Form code keeps its CR LF line breaks when its markup is parsed again.
constexpr const char* kFormCode = "function Go(a) {\r\n\tif (a > 1) return \"x\" + '<b>';\r\n}";

}  // namespace

// A project with two forms, page code, a function list entry, a start form, a hidden form, moved windows.
TEST_F(StorageTest, ASavedProjectComesBackAsItWas) {
    newProject("Shop");
    page.call("NewForm");
    for (auto [name, value] : kBody) page.setAttribute(page.body(), name, value);
    page.setAttribute(byId("Form1"), "F_Go", kFormCode);
    page.addOption(byId("x_FuncList_x"), "Total(a)", "Total(a)");
    page.setVariable("GProjectStartForm", std::string("Form2"));
    page.setAttribute(byId("Form1"), "Caption", "Prix en € é");
    page.setStyleValue(byId("Form2"), "display", "none");
    page.setStyleValue(byId("ToolBar2"), "left", "33px");
    page.setStyleValue(byId("ToolBar2"), "top", "120px");
    page.setArrayEntry("arrNewFormOrder", 1, 3.0);
    page.setVariable("SelectedFormObj", byId("Form1"));
    save();
    ASSERT_EQ(page.shownBoxes().back().text, "Shop.rwp Saved.");
    EXPECT_FALSE(toBool(page.getVariable("bProjectInfoChanged")));
    const std::string projectFile = fileBytes(dir / "Shop/Shop.rwp");
    expectParts(projectFile, {"!PageTitle=Caf\xE9 \xABShop\xBB!\r\n", "!ProjectDeletedForms=3!", "%ToolBar2=33,120%"});
    EXPECT_EQ(projectFile.find("PropWin"), std::string::npos);
    // Saved again after a change to Form1, the other files stay byte for byte; code keeps real CR LF and tabs.
    const std::string form2 = fileBytes(project() / "Form2.rwf");
    page.setAttribute(byId("Form1"), "F_Two", "a\r\n\tb");
    save();
    save();
    EXPECT_NE(fileBytes(project() / "Form1.rwf").find("f_two=\"a\r\n\tb\""), std::string::npos);
    EXPECT_EQ(fileBytes(project() / "Shop.rwp"), projectFile);
    EXPECT_EQ(fileBytes(project() / "Form2.rwf"), form2);

    DomPage again;
    startPage(again);
    ASSERT_TRUE(OpenProjectFile(host, dir / "Shop/Shop.rwp", "Shop.rwp"));
    EXPECT_TRUE(again.shownBoxes().empty());
    EXPECT_EQ(formsList(), (std::vector<std::string>{"Form1", "Form2"}));
    EXPECT_EQ(again.styleValue(again.getElementById("Form2"), "display"), "none");
    EXPECT_NE(again.styleValue(again.getElementById("Form1"), "display"), "none");
    EXPECT_EQ(again.getAttribute(again.getElementById("Form1"), "Caption"), "Prix en € é");
    for (auto [name, value] : kBody) EXPECT_EQ(again.getAttribute(again.body(), name), value) << name;
    EXPECT_EQ(again.getAttribute(again.getElementById("Form1"), "f_go"), kFormCode);
    EXPECT_EQ(toText(again.getVariable("GProjectStartForm")), "Form2");
    EXPECT_EQ(toText(again.getArrayEntry("arrNewFormOrder", 1)), "3");
    EXPECT_EQ(again.styleValue(again.getElementById("ToolBar2"), "left"), "33");
    Element funcs = again.getElementById("x_FuncList_x");
    ASSERT_EQ(again.optionCount(funcs), 9) << "no line of page code is read as an entry of the function list";
    EXPECT_EQ(again.optionText(funcs, 8), "Total(a)");
    EXPECT_EQ(toNumber(again.getVariable("NewFormCount")), 2);
    // The last active form is clicked.
    ASSERT_FALSE(again.clicks().empty());
    EXPECT_EQ(again.clicks().back(), again.getElementById("Form1"));
}

TEST_F(StorageTest, UnsavedChangesAreOfferedForSavingUnderTheirOwnTitle) {
    newProject("Shop");
    ASSERT_TRUE(toBool(page.getVariable("bProjectInfoChanged")));
    const std::string before = fileBytes(dir / "Shop/Shop.rwp");
    page.answerMsgBox(MsgResult::No);
    PromptSaveOnClose(host);
    ASSERT_EQ(page.shownBoxes().size(), 1u);
    EXPECT_EQ(page.shownBoxes()[0].title, "Closing Development IDE");
    EXPECT_EQ(page.shownBoxes()[0].text,
              "Information has changed since your last save.\r\n\r\nDo you want to Save the changes?");
    EXPECT_EQ(fileBytes(dir / "Shop/Shop.rwp"), before);

    page.answerMsgBox(MsgResult::Yes);
    page.answerMsgBox(MsgResult::OK);
    PromptSaveOnClose(host);
    EXPECT_EQ(page.shownBoxes().back().text, "Shop.rwp Saved.");
    // Nothing changed since: no question.
    PromptSaveOnClose(host);
    EXPECT_EQ(page.shownBoxes().size(), 3u);
}

TEST_F(StorageTest, TheSampleProjectOpensWithoutAMessageAndHoldsEveryKindOfControl) {
    ASSERT_TRUE(OpenProjectFile(host, fs::path(ZOLT_SOURCE_DIR) / "examples/Sample/Sample.rwp", "Sample.rwp"));
    EXPECT_TRUE(page.shownBoxes().empty());
    EXPECT_EQ(formsList(), (std::vector<std::string>{"Form1", "Form2"}));
    std::set<std::string> types;
    for (const char* form : {"Form1", "Form2"}) {
        std::vector<Element> todo{byId(form)};
        for (size_t i = 0; i < todo.size(); ++i) {
            if (auto t = page.getAttribute(todo[i], "ControlType")) types.insert(*t);
            for (Element c : page.children(todo[i])) todo.push_back(c);
        }
    }
    for (const char* t : {"L", "T", "B", "CK", "O", "CB", "LB", "IM", "TBL", "TXTA", "FRA", "TAB", "CAL", "LNK", "UL"}) {
        EXPECT_TRUE(types.count(t)) << t;
    }
    EXPECT_FALSE(page.getAttribute(page.body(), "F_Util").value_or("").empty());
}

TEST_F(StorageTest, OnlyProjectFilesOpenAndAnythingElseIsNeverWritten) {
    writeBytes(dir / "notes.txt", "my notes\r\n");
    writeBytes(dir / "notes.rwp", "my notes\r\n#not a form#\r\n");
    writeBytes(dir / "Broken.rwp", std::string("\xAB" "V1.01\x81\r\n", 9));
    for (const char* name : {"notes.txt", "notes.rwp", "Broken.rwp"}) {
        page.answerMsgBox(MsgResult::OK);
        EXPECT_FALSE(OpenProjectFile(host, dir / name, name)) << name;
    }
    EXPECT_TRUE(boxTexts(page).size() == 3 && has(boxTexts(page)[2], "cannot be opened"));
    EXPECT_TRUE(host.ProjectFilePath.empty() && byId("StartScreen"));
    EXPECT_TRUE(fileBytes(dir / "notes.txt") == "my notes\r\n" && !fs::exists(dir / kLockFileName));

    // A project file may be called anything: its name is shown as text.
    const std::string odd = "a<img src=x>b.rwp";
    writeTextFile(dir / odd, newProjectFile());
    ASSERT_TRUE(OpenProjectFile(host, dir / odd, odd));
    EXPECT_TRUE(page.innerText(byId("ProjectName")) == "--" + odd && !has(page.innerHTML(byId("ProjectName")), "<img"));
}

TEST_F(StorageTest, AProjectFileWithLfLineEndsOrAByteOrderMarkReadsAsOneWithCrLf) {
    fs::create_directories(project());
    for (const char* form : {"Form1", "Form2"}) {
        writeTextFile(project() / (std::string(form) + ".rwf"),
                      "V1.01\n#" + newFormTemplate(form[4] - '0', closeButtonUrl()) + "#");
    }
    // UTF-8 with its mark, as an editor saves it.
    writeBytes(project() / "Shop.rwp",
               "\xEF\xBB\xBF\xC2\xABV1.01\xC2\xBB\n\xC2\xABnotice\xC2\xBB\n\xC2\xABProject\xC2\xBB\n"
               "!PageTitle=Caf\xC3\xA9!\n\xC2\xAB" "Forms\xC2\xBB\n#Form1/True#\n#Form2/False#\n");
    ASSERT_TRUE(OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp"));
    EXPECT_EQ(formsList(), (std::vector<std::string>{"Form1", "Form2"}));
    EXPECT_EQ(page.getAttribute(page.body(), "userTitle"), "Café");
    save();
    expectParts(fileBytes(project() / "Shop.rwp"), {"#Form1/True#\r\n#Form2/False#\r\n", "!PageTitle=Caf\xE9!\r\n"});
}

class RecoveryTest : public StorageTest {
protected:
    // The designer window closed and opened again, and the project chosen.
    bool reopen(MsgResult answerToTheOffer) {
        DomPage again;
        startPage(again);
        again.answerMsgBox(answerToTheOffer);
        const bool opened = OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp");
        offers = boxTexts(again);
        seen = {again.getAttribute(again.body(), "userTitle").value_or(""),
                again.getAttribute(again.getElementById("Form1"), "Caption").value_or(""),
                toText(again.getVariable("bProjectInfoChanged"))};
        host.page = &page;  // the test goes on with its own page
        return opened;
    }

    std::vector<std::string> offers;
    std::vector<std::string> seen;  // the page title, Form1's caption, the unsaved flag
};

// Shop saved with one form, then changed as the page changes it.
TEST_F(RecoveryTest, ChangesKeptAsTheyAreMadeAreOfferedAtTheNextOpeningUntilSavedDeclinedOrGivenUp) {
    newProject("Shop");
    save();
    page.setVariable("bProjectInfoChanged", true);
    page.setAttribute(page.body(), "userTitle", "Changed title");
    page.setAttribute(byId("Form1"), "Caption", "Changed caption");
    page.clearRecords();
    auto savedFiles = [this] { return fileBytes(project() / "Shop.rwp") + fileBytes(project() / "Form1.rwf"); };
    const std::string saved = savedFiles();
    KeepRecoveryCopy(host, {"Form1"});
    EXPECT_EQ(savedFiles(), saved);
    EXPECT_TRUE(fs::exists(recoveryFolder(project()) / "Form1.rwf"));

    ASSERT_TRUE(reopen(MsgResult::Yes));
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].rfind("Project: Shop.rwp has changes that were not saved", 0), 0u) << offers[0];
    EXPECT_EQ(seen, (std::vector<std::string>{"Changed title", "Changed caption", "True"}));  // restored, not saved
    // The copy stays until the changes are saved; declined, it is gone.
    EXPECT_TRUE(fs::exists(recoveryFolder(project())));
    ASSERT_TRUE(reopen(MsgResult::No));
    EXPECT_EQ(seen, (std::vector<std::string>{"", "Form1", "False"}));
    EXPECT_FALSE(fs::exists(recoveryFolder(project())));

    startPage(page);
    ASSERT_TRUE(OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp"));
    page.setVariable("bProjectInfoChanged", true);
    KeepRecoveryCopy(host, {"Form1"});
    ASSERT_TRUE(fs::exists(recoveryFolder(project())));
    save();
    EXPECT_FALSE(fs::exists(recoveryFolder(project())));

    // Given up: F5 answered No, or No to the question before another project.
    for (const char* giveUp : {"UpdateGlobalStartScreen", "NewProject"}) {
        page.setVariable("bProjectInfoChanged", true);
        KeepRecoveryCopy(host, {"Form1"});
        ASSERT_TRUE(fs::exists(recoveryFolder(project()))) << giveUp;
        page.answerMsgBox(MsgResult::No);
        if (std::string(giveUp) == "NewProject") newProject("Other");
        else runCommand(host, giveUp);
        EXPECT_FALSE(fs::exists(recoveryFolder(project()))) << giveUp;
    }
}
