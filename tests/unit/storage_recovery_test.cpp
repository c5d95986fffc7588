// The recovery copy of changes that were neither saved nor given up.
#include "StorageFixture.h"
#include "storage/RecoveryCopy.h"

using namespace zolt;
using namespace zolt::testing;

class RecoveryTest : public StorageTest {
protected:
    // Shop saved with one form, then changed as the page changes it.
    void makeChangedProject() {
        newProject("Shop");
        save();
        page.setVariable("bProjectInfoChanged", true);
        page.setAttribute(page.body(), "userTitle", "Changed title");
        page.setAttribute(byId("Form1"), "Caption", "Changed caption");
        page.clearRecords();
    }

    // The designer window closed and opened again, and the project chosen.
    bool reopen(MsgResult answerToTheOffer) {
        DomPage again;
        startPage(again);
        again.answerMsgBox(answerToTheOffer);
        const bool opened = OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp");
        offers = boxTexts(again);
        title = again.getAttribute(again.body(), "userTitle").value_or("");
        caption = again.getAttribute(again.getElementById("Form1"), "Caption").value_or("");
        changed = toBool(again.getVariable("bProjectInfoChanged"));
        host.page = &page;  // the test goes on with its own page
        return opened;
    }

    std::vector<std::string> offers;
    std::string title, caption;
    bool changed = false;
};

TEST_F(RecoveryTest, ChangesKeptAsTheyAreMadeAreOfferedAtTheNextOpeningUntilSavedDeclinedOrGivenUp) {
    makeChangedProject();
    const std::string saved = fileBytes(project() / "Shop.rwp");
    const std::string savedForm = fileBytes(project() / "Form1.rwf");
    KeepRecoveryCopy(host, {"Form1"});
    EXPECT_EQ(fileBytes(project() / "Shop.rwp"), saved);
    EXPECT_EQ(fileBytes(project() / "Form1.rwf"), savedForm);
    EXPECT_TRUE(fs::exists(recoveryFolder(project()) / "Form1.rwf"));

    ASSERT_TRUE(reopen(MsgResult::Yes));
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].rfind("Project: Shop.rwp has changes that were not saved", 0), 0u) << offers[0];
    EXPECT_EQ(title, "Changed title");
    EXPECT_EQ(caption, "Changed caption");
    EXPECT_TRUE(changed);  // restored, not yet saved
    // The copy stays until the changes are saved; declined, it is gone.
    EXPECT_TRUE(fs::exists(recoveryFolder(project())));
    ASSERT_TRUE(reopen(MsgResult::No));
    EXPECT_EQ(title, "");
    EXPECT_EQ(caption, "Form1");
    EXPECT_FALSE(fs::exists(recoveryFolder(project())));

    // Saved: nothing to offer.
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
        if (std::string(giveUp) == "NewProject") {
            newProject("Other");
        } else {
            runCommand(host, giveUp);
            page.clearRecords();
        }
        EXPECT_FALSE(fs::exists(recoveryFolder(project()))) << giveUp;
    }
}
