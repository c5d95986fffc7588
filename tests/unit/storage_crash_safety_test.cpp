// Failed and killed saves, files that may not be written, two ZOLTs wanting one project.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "StorageFixture.h"

using namespace zolt;
using namespace zolt::testing;

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
            out.push_back(text.find("new") != std::string::npos ? "new"
                          : text.find("old") != std::string::npos ? "old"
                                                                  : "?");
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

        // The next opening completes or forgets the save.
        DomPage again;
        startPage(again);
        ASSERT_TRUE(OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp"));
        EXPECT_EQ(generations(), std::vector<std::string>(4, c.expected)) << static_cast<int>(c.step) << c.times;
        for (const auto& e : fs::directory_iterator(project())) {
            EXPECT_FALSE(isTransactionFile(e.path().filename().native())) << e.path();
        }

        // Back to the old generation for the next case.
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
    EXPECT_EQ(text.rfind("Error Saving Shop.rwp\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("Form2.rwf"), std::string::npos) << text;
    EXPECT_NE(text.find("read-only"), std::string::npos) << text;
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
    EXPECT_EQ(modeOf("Shop.rwp"), 0640u);
    EXPECT_EQ(modeOf("Form2.rwf"), 0664u);
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
    ASSERT_EQ(page.shownBoxes().size(), 1u);
    const std::string refusal = page.shownBoxes()[0].text;
    EXPECT_NE(refusal.find("Project: Shop.rwp is open in another ZOLT (process " + std::to_string(other) + " on "),
              std::string::npos) << refusal;
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
        EXPECT_NE(page.shownBoxes().at(0).text.find("on another machine (process 4242 on elsewhere)"),
                  std::string::npos);
    }
    EXPECT_EQ(host.ProjectFileName, "Other.rwp");
}
