// The file chooser on the host side (its window: tests/e2e/host_chooser.test.js) and its picture mode.
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
        page.registerRoutine("ZoltFileDialogOpen", [this, steps](DomPage&, std::vector<ScriptValue>&) {
            host.dialog->choose(dir, "");
            steps();
            return ScriptValue{};
        });
    }
    json event(const std::string& name, const std::string& value) {
        std::string state = host.dialog->onEvent(name, value);
        return state.empty() ? json() : json::parse(state);
    }
};
using PictureChooser = FileDialogTest;

}  // namespace

TEST_F(FileDialogTest, FoldersChangeOnlyToListedSubFoldersAndUpAndEmptyTheName) {
    json seen;
    whileOpen([&] {
        seen = event("dir", "Sub");
        EXPECT_EQ(json::array({seen["files"], seen["name"]}), json::array({json::array({"C.rwf"}), ""}));
        for (const char* bad : {"../..", "Sub/..", "/", "", ".", "Missing"}) {
            EXPECT_EQ(event("dir", bad)["folder"], (fs::canonical(dir) / "Sub").string()) << bad;
        }
        seen = event("dir", "..");
        event("close", "");
    });
    ASSERT_TRUE(runCommand(host, "LoadForm"));
    EXPECT_EQ(json::array({seen["folder"], seen["files"]}), json::array({fs::canonical(dir).string(), {"b.RWF"}}));
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

TEST_F(PictureChooser, OpensInTheProjectThenWhereItWasLeftAndListsOnlyPictures) {
    newProject("Shop");
    fs::create_directories(dir / "art" / "old");
    for (const char* f : {"a.PNG", "b.svg", "c.txt", "d.webp", "e.jpeg", "f.rwp"}) writeBytes(dir / "art" / f, "x");
    std::vector<json> shown;
    page.registerRoutine("ZoltFileDialogOpen", [&](DomPage&, std::vector<ScriptValue>& args) {
        shown.push_back(json::parse(toText(args.at(0))));
        if (shown.size() == 1) host.dialog->onEvent("dir", "..");
        if (shown.size() == 1) host.dialog->onEvent("dir", "art");
        host.dialog->onEvent("close", "");
        return ScriptValue{};
    });
    ASSERT_TRUE(runCommand(host, "ChoosePicture"));
    ASSERT_TRUE(runCommand(host, "ChoosePicture"));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(json::array({shown[0]["caption"], shown[0]["folder"], shown[0]["nameEnabled"]}),
              json::array({"Velkora Choose Picture", project().string(), false}));
    EXPECT_EQ(json::array({shown[1]["folder"], shown[1]["files"], shown[1]["folders"]}),
              json::array({(dir / "art").string(), {"a.PNG", "b.svg", "d.webp", "e.jpeg"}, {"old"}}));
}

TEST_F(PictureChooser, PicturesFromElsewhereAreCopiedIntoTheProjectOnceEachAndOtherFilesRefused) {
    newProject("Shop");
    for (const char* d : {"pics", "other"}) fs::create_directories(dir / d);
    writeBytes(dir / "pics" / "logo.png", "first");
    writeBytes(dir / "other" / "logo.png", "second");
    fs::create_directories(project() / "art");
    writeBytes(project() / "art" / "in.gif", "inside");
    writeBytes(dir / "notes.txt", "text");
    const struct { fs::path folder; const char* name; const char* path; } cases[] = {
        {dir / "pics", "logo.png", "/project/Images/logo.png"},
        {dir / "other", "logo.png", "/project/Images/logo_2.png"},  // another picture of that name
        {dir / "pics", "logo.png", "/project/Images/logo.png"},     // the same picture again
        {project() / "art", "in.gif", "/project/art/in.gif"},       // already in the project
        {dir, "notes.txt", ""},                                     // no picture
    };
    page.answerMsgBox(MsgResult::OK);
    for (const auto& c : cases) {
        page.setVariable("sPicturePath", std::string());
        choose("ChoosePicture", c.folder, c.name);
        EXPECT_EQ(toText(page.getVariable("sPicturePath")), c.path) << c.folder << "/" << c.name;
    }
    EXPECT_EQ(fileBytes(project() / "Images" / "logo.png"), "first");
    EXPECT_EQ(fileBytes(project() / "Images" / "logo_2.png"), "second");
    EXPECT_FALSE(fs::exists(project() / "Images" / "in.gif"));
    EXPECT_EQ(boxTexts(page), std::vector<std::string>{"The file notes.txt is not a picture."});
    EXPECT_FALSE(fs::exists(project() / "Images" / "notes.txt"));
    EXPECT_EQ(host.dialog, nullptr);
}
