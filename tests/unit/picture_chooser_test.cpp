// The file chooser in its picture mode; pictures from outside the project are copied into it.
#include <nlohmann/json.hpp>

#include "StorageFixture.h"

using namespace zolt;
using namespace zolt::testing;
using nlohmann::json;

namespace {

struct PictureChooser : StorageTest {
    void SetUp() override {
        StorageTest::SetUp();
        newProject("Shop");
    }
    // Chooses pFolder/pName in the picture chooser; the page's sPicturePath after it.
    std::string pick(const fs::path& folder, const std::string& name) {
        page.setVariable("sPicturePath", std::string());
        choose("ChoosePicture", folder, name);
        return toText(page.getVariable("sPicturePath"));
    }
};

}  // namespace

TEST_F(PictureChooser, OpensInTheProjectThenWhereItWasLeftAndListsOnlyPictures) {
    fs::create_directories(dir / "art" / "old");
    for (const char* f : {"a.PNG", "b.svg", "c.txt", "d.webp", "e.jpeg", "f.rwp"}) writeBytes(dir / "art" / f, "x");
    std::vector<json> opened;
    page.registerRoutine("ZoltFileDialogOpen", [&](DomPage&, std::vector<ScriptValue>& args) {
        opened.push_back(json::parse(toText(args.at(0))));
        if (opened.size() == 1) host.dialog->onEvent("dir", "..");
        if (opened.size() == 1) host.dialog->onEvent("dir", "art");
        host.dialog->onEvent("close", "");
        return ScriptValue{};
    });
    ASSERT_TRUE(runCommand(host, "ChoosePicture"));
    ASSERT_TRUE(runCommand(host, "ChoosePicture"));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0]["caption"], "Velkora Choose Picture");
    EXPECT_EQ(opened[0]["folder"], project().string());
    EXPECT_FALSE(opened[0]["nameEnabled"]);
    EXPECT_EQ(opened[1]["folder"], (dir / "art").string());
    EXPECT_EQ(opened[1]["files"], json::array({"a.PNG", "b.svg", "d.webp", "e.jpeg"}));
    EXPECT_EQ(opened[1]["folders"], json::array({"old"}));
}

TEST_F(PictureChooser, PicturesFromElsewhereAreCopiedIntoTheProjectOnceEachAndOtherFilesRefused) {
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
    for (const auto& c : cases) EXPECT_EQ(pick(c.folder, c.name), c.path) << c.folder << "/" << c.name;
    EXPECT_EQ(fileBytes(project() / "Images" / "logo.png"), "first");
    EXPECT_EQ(fileBytes(project() / "Images" / "logo_2.png"), "second");
    EXPECT_FALSE(fs::exists(project() / "Images" / "in.gif"));
    EXPECT_EQ(boxTexts(page), std::vector<std::string>{"The file notes.txt is not a picture."});
    EXPECT_FALSE(fs::exists(project() / "Images" / "notes.txt"));
    EXPECT_EQ(host.dialog, nullptr);
}
