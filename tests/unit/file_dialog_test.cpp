// The file chooser on the host side (its window is driven in tests/e2e/host_chooser.test.js).
#include <nlohmann/json.hpp>

#include "StorageFixture.h"

using namespace zolt;
using namespace zolt::testing;
using nlohmann::json;

namespace {

struct FileDialogTest : StorageTest {
    // The chooser opens on `dir` and the user does `steps` in it.
    void whileOpen(const std::function<void()>& steps) {
        for (const char* f : {"A.rwp", "b.RWF"}) writeBytes(dir / f, "x");
        fs::create_directories(dir / "Sub");
        writeBytes(dir / "Sub" / "C.rwf", "x");
        page.registerRoutine("ZoltFileDialogOpen", [this, steps](DomPage&, std::vector<ScriptValue>& args) {
            opened = json::parse(toText(args.at(0)));
            host.dialog->choose(dir, "");
            steps();
            return ScriptValue{};
        });
    }
    json event(const std::string& name, const std::string& value) {
        std::string state = host.dialog->onEvent(name, value);
        return state.empty() ? json() : json::parse(state);
    }
    json opened;
};

}  // namespace

TEST_F(FileDialogTest, FoldersChangeOnlyToListedSubFoldersAndUpAndEmptyTheName) {
    json seen;
    whileOpen([&] {
        seen = event("dir", "Sub");
        EXPECT_EQ(seen["files"], json::array({"C.rwf"}));
        EXPECT_EQ(seen["name"], "");
        for (const char* bad : {"../..", "Sub/..", "/", "", ".", "Missing"}) {
            EXPECT_EQ(event("dir", bad)["folder"], (fs::canonical(dir) / "Sub").string()) << bad;
        }
        seen = event("dir", "..");
        event("close", "");
    });
    ASSERT_TRUE(runCommand(host, "LoadForm"));
    EXPECT_EQ(opened["caption"], "Velkora Form Load");
    EXPECT_EQ(seen["folder"], fs::canonical(dir).string());
    EXPECT_EQ(seen["files"], json::array({"b.RWF"}));
    EXPECT_EQ(host.dialog, nullptr);
}

TEST_F(FileDialogTest, TheButtonChecksTheNameThenRunsTheTask) {
    whileOpen([&] {
        page.answerMsgBox(MsgResult::OK);
        event("button", "");
        EXPECT_TRUE(host.dialog) << "an empty name leaves the chooser open";
        // Blanks count as a name: the task runs, and refuses this one itself.
        page.answerMsgBox(MsgResult::OK);
        event("button", " ");
        EXPECT_TRUE(host.dialog) << "a refused name leaves the chooser open";
        event("close", "");
    });
    ASSERT_TRUE(runCommand(host, "NewProject"));
    ASSERT_EQ(page.shownBoxes().size(), 2u);
    EXPECT_EQ(page.shownBoxes()[0].text, "You must enter a FileName for your New Project.");
    EXPECT_EQ(page.shownBoxes()[1].text.rfind("This name cannot be used for a project.", 0), 0u);
}
