#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "FakePage.h"
#include "host/CommandBus.h"
#include "host/FileDialog.h"

using namespace zolt;
using zolt::testing::FakePage;
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

struct FileDialogTest : ::testing::Test {
    FakePage page;
    Host host;
    fs::path dir, oldCwd;

    void SetUp() override {
        host.page = &page;
        dir = fs::temp_directory_path() / ("zolt-dialog-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir / "Sub");
        std::ofstream(dir / "A.rwp") << "x";
        std::ofstream(dir / "b.RWF") << "x";
        std::ofstream(dir / "Sub" / "C.rwf") << "x";
        oldCwd = fs::current_path();
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(oldCwd);
        fs::remove_all(dir);
    }
    json event(const std::string& name, const std::string& value) {
        std::string state = host.dialog->onEvent(name, value);
        return state.empty() ? json() : json::parse(state);
    }
};

}  // namespace

TEST_F(FileDialogTest, FoldersChangeOnlyToListedSubFoldersAndUpAndEmptyTheName) {
    json seen;
    page.whileModal = [&] {
        seen = event("dir", "Sub");
        EXPECT_EQ(seen["files"], json::array({"C.rwf"}));
        EXPECT_EQ(seen["name"], "");
        for (const char* bad : {"../..", "Sub/..", "/", "", ".", "Missing"}) {
            EXPECT_EQ(event("dir", bad)["folder"], (fs::canonical(dir) / "Sub").string()) << bad;
        }
        seen = event("dir", "..");
        event("close", "");
    };
    ASSERT_TRUE(runCommand(host, "LoadForm"));
    EXPECT_EQ(seen["folder"], fs::canonical(dir).string());
    EXPECT_EQ(seen["files"], json::array({"b.RWF"}));
    EXPECT_EQ(seen["caption"], "Velkora Form Load");
    EXPECT_EQ(host.dialog, nullptr);
    EXPECT_EQ(page.log.front().rfind("call ZoltFileDialogOpen ", 0), 0u);
}

TEST_F(FileDialogTest, TheButtonChecksTheNameThenRunsTheTask) {
    page.whileModal = [&] {
        event("button", "");
        EXPECT_TRUE(host.dialog) << "an empty name leaves the chooser open";
        // Blanks count as a name: the task runs, and refuses this one itself.
        event("button", " ");
        EXPECT_TRUE(host.dialog) << "a refused name leaves the chooser open";
        event("close", "");
    };
    ASSERT_TRUE(runCommand(host, "NewProject"));
    ASSERT_EQ(page.log.size(), 3u);
    EXPECT_EQ(page.log[1], "msgBox You must enter a FileName for your New Project.");
    EXPECT_EQ(page.log[2].rfind("msgBox This name cannot be used for a project.", 0), 0u) << page.log[2];
}
