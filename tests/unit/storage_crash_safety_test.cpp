// Text files in Windows-1252, written whole; the project file's lines; failed and killed saves, the project lock.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "StorageFixture.h"
#include "storage/ProjectFile.h"

using namespace zolt;
using namespace zolt::testing;

using TextFileTest = StorageTest;  // for its fresh folder `dir`; the designer page is not used

TEST_F(TextFileTest, SingleByteCharactersAndCrLfLinesComeBackAndBadFilesGiveClearErrors) {
    const fs::path file = dir / "Shop.rwp";
    writeTextLines(file, {"«V1.01»", "§F_Go=caption é € « » §"});
    EXPECT_EQ(fileBytes(file), "\xAB" "V1.01\xBB\r\n\xA7" "F_Go=caption \xE9 \x80 \xAB \xBB \xA7\r\n");
    EXPECT_EQ(splitLines(readTextFile(file)), (std::vector<std::string>{"«V1.01»", "§F_Go=caption é € « » §", ""}));
    // A file an editor saved with LF line ends reads alike; a lone CR does not split.
    EXPECT_EQ(splitLines("a\nb\r\nc\rd"), (std::vector<std::string>{"a", "b", "c\rd"}));
    // Characters outside the code page become question marks.
    writeTextFile(file, "Ω and 日本 and 😀 and \xff bad byte, é kept");
    EXPECT_EQ(readTextFile(file), "? and ?? and ? and ? bad byte, é kept");

    EXPECT_THROW(readTextFile(dir / "missing.rwp"), FileError);
    EXPECT_THROW(readTextFile(dir), FileError);
    // 0x81 is not defined in Windows-1252; NUL means binary data.
    writeBytes(dir / "undefined.rwp", "ok\x81no");
    writeBytes(dir / "binary.rwp", std::string("ab\0cd", 5));
    for (auto name : {"undefined.rwp", "binary.rwp"}) {
        try {
            readTextFile(dir / name);
            FAIL() << name << " was read";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(writeTextFile(dir / "no-such-folder" / "x.rwp", "x"), FileError);
}

TEST_F(TextFileTest, AFailedWriteOrAProcessKilledBeforeTheRenameLeavesTheOldFileWhole) {
    const fs::path file = dir / "Form1.rwf";
    writeTextFile(file, "old text");
    setSaveStepHookForTests([](SaveStep, const fs::path&) { throw FileError("disk gone"); });
    EXPECT_THROW(writeTextFile(file, "new text"), FileError);
    setSaveStepHookForTests(nullptr);
    EXPECT_EQ(readTextFile(file), "old text");
    auto entries = [&] { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); };
    EXPECT_EQ(entries(), 1);  // no temporary file left

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setSaveStepHookForTests([](SaveStep, const fs::path&) { ::raise(SIGKILL); });
        writeTextFile(file, std::string(1 << 20, 'n'));
        ::_exit(0);  // not reached
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(readTextFile(file), "old text");
    EXPECT_EQ(entries(), 2);  // only the abandoned temporary file lies beside it
}

TEST(ProjectFile, SavedLinesComeInTheirOrderAndOddLinesAreReadByTheirRules) {
    ProjectFileContent c{.bodyColor = "ffffff", .bcIndex = "216", .pageTitle = "Shop «Ω»", .imageLocation = "",
                         .lastActiveForm = "Form2", .projectStartForm = "Form1", .styleSheet = "",
                         .deletedForms = {"3", "5"},
                         .code = {{"F_Declarations", "Dim x"},
                                  {"F_Total", "Function Total(a)\r\n  Total = a # 2 % 3\r\nEnd Function"},
                                  {"C_onload", "ShowForm(\"Form1\")"}},
                         .forms = {{"Form1", true}, {"Form2", false}}, .functions = {"Total(a)"},
                         .positions = {{"ToolBar1", "0", "0"}, {"ToolBar4", "700", "40"}, {"PropWin", "12", "34"}}};
    EXPECT_EQ(splitLines(writeProjectFile(c)), (std::vector<std::string>{
        "«V1.01»", noticeLine(), "«Project»", "!BodyColor=ffffff!", "!BCIndex=216!", "!PageTitle=Shop «Ω»!",
        "!ImageLocation=!", "!LastActiveForm=Form2!", "!ProjectStartForm=Form1!", "!StyleSheet=none!",
        "!ProjectDeletedForms=3/5!", "«Body Code»", "§F_Declarations=Dim x§", "§F_Total=Function Total(a)",
        "  Total = a # 2 % 3", "End Function§", "§C_onload=ShowForm(\"Form1\")§", "«Forms»", "#Form1/True#",
        "#Form2/False#", "+Total(a)+", "«Positions»", "%ToolBar1=0,0%", "%ToolBar4=700,40%", "%PropWin=12,34%", ""}));

    c.deletedForms.clear();
    c.styleSheet = "Blue";
    const std::string text = writeProjectFile(c);
    EXPECT_TRUE(has(text, "!StyleSheet=Blue!\r\n") && !has(text, "ProjectDeletedForms")) << text;

    // Whole saved projects read back through storage_save_open_test; here the odd lines.
    const std::string odd =
        "anything\r\nat all\r\nhere\r\n"
        "  #  Orders/False  #  \r\n"          // blanks around the entry are trimmed
        "!PageTitle=My BodyColor shop!\r\n"   // a value holding another key's name
        "!Unknown=1!\r\n"                     // keys nobody knows are left out
        "%Somewhere=1,2%\r\n"
        "%PropWin=%\r\n"                      // a property window that was closed
        "§f_lower=x = 1§\r\n"                 // names in the page's small letters
        "§C_onclick=a§\r\n"
        "§F_Open=line one\r\n"                // function code over lines that hold other markers
        "  a # 2 % 3\r\n"
        "line three§\r\n"
        "§NotCode=1§\r\n"
        "«Positions»\r\n";
    std::vector<std::tuple<ProjectLine::Kind, std::string, std::string>> got;
    for (const auto& l : readProjectFile(odd)) got.emplace_back(l.kind, l.name, l.value);
    using K = ProjectLine::Kind;
    EXPECT_EQ(got, (std::vector<std::tuple<K, std::string, std::string>>{
                       {K::Form, "", "Orders/False"}, {K::Key, "PageTitle", "My BodyColor shop"},
                       {K::Position, "PropWin", ""}, {K::Code, "f_lower", "x = 1"}, {K::Code, "C_onclick", "a"},
                       {K::Code, "F_Open", "line one\r\n  a # 2 % 3\r\nline three"}}));
}

class CrashSafetyTest : public StorageTest {
protected:
    // Shop with three forms, saved with every form's caption and the page title "old".
    void makeProject() {
        newProject("Shop");
        page.call("NewForm");
        page.call("NewForm");
        setGeneration("old");
        save();
    }

    // Changes as the page makes them: they count as unsaved.
    void setGeneration(const std::string& generation) {
        page.setVariable("bProjectInfoChanged", true);
        page.setAttribute(page.body(), "userTitle", generation);
        for (const char* form : {"Form1", "Form2", "Form3"}) page.setAttribute(byId(form), "Caption", generation);
    }

    // Which generation each file holds: "old", "new", or "?" for neither.
    std::vector<std::string> generations() {
        std::vector<std::string> out;
        for (const char* f : {"Shop.rwp", "Form1.rwf", "Form2.rwf", "Form3.rwf"}) {
            const std::string text = fileBytes(project() / f);
            out.push_back(has(text, "new") ? "new" : has(text, "old") ? "old" : "?");
        }
        return out;
    }

    mode_t modeOf(const char* file) {
        struct stat st {};
        ::stat((project() / file).c_str(), &st);
        return st.st_mode & 0777;
    }
};

TEST_F(CrashSafetyTest, ASaveKilledAtAnyStepLeavesTheWholeOldOrTheWholeNewProject) {
    struct Case { SaveStep step; int times; const char* expected; };  // killed at the step's n-th occurrence
    const Case cases[] = {{SaveStep::TemporariesWritten, 1, "old"}, {SaveStep::JournalWritten, 1, "new"},
                          {SaveStep::Renamed, 1, "new"}, {SaveStep::Renamed, 3, "new"}};
    makeProject();
    for (const Case& c : cases) {
        setGeneration("new");
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int seen = 0;
            setSaveStepHookForTests([&](SaveStep s, const fs::path&) {
                if (s == c.step && ++seen == c.times) ::raise(SIGKILL);
            });
            save();
            ::_exit(0);  // not reached
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        DomPage again;
        startPage(again);
        ASSERT_TRUE(OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp"));
        EXPECT_EQ(generations(), std::vector<std::string>(4, c.expected)) << static_cast<int>(c.step) << c.times;
        for (const auto& e : fs::directory_iterator(project())) {
            EXPECT_FALSE(isTransactionFile(e.path().filename().native())) << e.path();
        }

        startPage(page);
        ASSERT_TRUE(OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp"));
        setGeneration("old");
        save();
        ASSERT_EQ(generations(), std::vector<std::string>(4, "old"));
    }
}

TEST_F(CrashSafetyTest, AReadOnlyFileIsNamedAndNothingIsSavedWhileFilesKeepTheirPermissions) {
    makeProject();
    ::chmod((project() / "Form2.rwf").c_str(), 0444);
    setGeneration("new");
    page.clearRecords();
    save();
    ASSERT_EQ(page.shownBoxes().size(), 1u);
    const std::string text = page.shownBoxes()[0].text;
    EXPECT_TRUE(text.rfind("Error Saving Shop.rwp\r\n", 0) == 0 && has(text, "Form2.rwf") && has(text, "read-only"))
        << text;
    EXPECT_EQ(generations(), std::vector<std::string>(4, "old"));
    EXPECT_EQ(modeOf("Form2.rwf"), 0444u);
    EXPECT_TRUE(toBool(page.getVariable("bProjectInfoChanged")));
    // The body is clicked after the message, as after a save.
    ASSERT_FALSE(page.clicks().empty());
    EXPECT_EQ(page.clicks().back(), page.body());

    ::chmod((project() / "Form2.rwf").c_str(), 0664);
    ::chmod((project() / "Shop.rwp").c_str(), 0640);
    save();
    EXPECT_EQ(generations(), std::vector<std::string>(4, "new"));
    EXPECT_EQ((std::pair{modeOf("Shop.rwp"), modeOf("Form2.rwf")}), (std::pair<mode_t, mode_t>{0640, 0664}));
}

TEST_F(CrashSafetyTest, AProjectOpenInAnotherZoltIsRefusedUntilThatOneIsGone) {
    makeProject();
    newProject("Other");
    EXPECT_FALSE(fs::exists(project() / kLockFileName));

    int ready[2], hold[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(hold), 0);
    pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        ::close(ready[0]);
        ::close(hold[1]);
        char c = takeProjectLock(project()) ? 'n' : 'y';
        (void)!::write(ready[1], &c, 1);
        (void)!::read(hold[0], &c, 1);  // until the test lets go
        ::_exit(0);
    }
    ::close(hold[0]);
    ::close(ready[1]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');

    page.clearRecords();
    page.answerMsgBox(MsgResult::OK);
    EXPECT_FALSE(OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp"));
    const std::string refusal = "Project: Shop.rwp is open in another ZOLT (process " + std::to_string(other) + " on ";
    EXPECT_TRUE(boxTexts(page).size() == 1 && has(boxTexts(page)[0], refusal)) << boxTexts(page).at(0);
    EXPECT_EQ(host.ProjectFileName, "Other.rwp");

    ::close(hold[1]);
    ::waitpid(other, nullptr, 0);
    // Its lock is left behind; the process that wrote it is gone.
    ASSERT_TRUE(fs::exists(project() / kLockFileName));
    page.answerMsgBox(MsgResult::No);
    EXPECT_TRUE(OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp"));
    EXPECT_EQ(host.ProjectFileName, "Shop.rwp");
    EXPECT_FALSE(fs::exists(dir / "Other" / kLockFileName));

    // A lock from another machine (a folder copied while open) is the developer's to judge.
    writeBytes(dir / "Other" / kLockFileName, "4242\nelsewhere\nboot\n");
    for (MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
        page.clearRecords();
        page.answerMsgBox(answer);
        EXPECT_EQ(OpenProjectFile(host, dir / "Other" / "Other.rwp", "Other.rwp"), answer == MsgResult::Yes);
        EXPECT_TRUE(has(page.shownBoxes().at(0).text, "on another machine (process 4242 on elsewhere)"));
    }
    EXPECT_EQ(host.ProjectFileName, "Other.rwp");
}
