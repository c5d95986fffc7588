// The page writer and the build command on a whole design surface and a
// project folder on disk.
#include <gtest/gtest.h>

#include "build/PageWriter.h"
#include "build_support.h"
#include "storage/TextFile.h"

namespace zolt {
namespace {

using namespace testing;
namespace fs = std::filesystem;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct Writer : ::testing::Test {
    ProjectFolder project{"writer"};
    std::unique_ptr<DomPage> page;
    std::vector<std::string> loading;

    void load(const std::string& forms, const std::vector<std::string>& list = {"Form1"},
              const std::string& bodyAttributes = "") {
        page = std::make_unique<DomPage>(designerDocument(forms, list, bodyAttributes));
        prepare(*page);
    }
    BuildRequest request(int mode = 1) {
        BuildRequest r;
        r.mode = mode;
        r.ProjectFilePath = project.projectFile();
        r.ProjectFileName = "Shop.rwp";
        r.appFolder = appFolder();
        r.today = CalendarDate{2026, 3, 6};
        return r;
    }
    BuildOutcome run(int mode = 1) {
        page->answerMsgBox(MsgResult::OK);
        LoadingWindow w{[this](const std::string& l) { loading.push_back("show " + l); },
                        [this] { loading.push_back("unload"); }};
        return RunBuildCommand(*page, request(mode), w);
    }
    std::string lastBox() { return page->shownBoxes().empty() ? "" : page->shownBoxes().back().text; }
    std::string built(const std::string& name) { return readTextFile(project.folder / "Build" / name); }
};

TEST_F(Writer, BuildWritesThePageTheScriptAndTheFixedFiles) {
    load(formWith(control("L")));
    page->setAttribute(page->getElementById("lbl1"), "F_Hello", "function Hello(){}");
    page->setAttribute(page->getElementById("lbl1"), "F_Two", "function Two(){\n}");
    BuildOutcome out = run();
    ASSERT_TRUE(out.written);
    EXPECT_EQ(lastBox(), "Project: Shop.rwp was built.");
    EXPECT_EQ(loading, (std::vector<std::string>{"show Building", "unload"}));

    std::vector<std::string> lines = splitCrLf(built("default.htm"));
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_TRUE(has(lines[10], "<DIV ID=Form1 ") && has(lines[11], "<Div ID=lbl1 ")) << lines[10] << lines[11];
    lines[10] = lines[11] = "";
    EXPECT_EQ(lines, (std::vector<std::string>{
        "<HTML>", lines[1], "<!-- Created with Velkorasoft ZOLT V1.01 Tool. 3/6/2026  -->",
        "<META HTTP-EQUIV=\"Expires\" CONTENT=\"Tue, 01 Jan 2002 1:00:00 GMT\">",
        "<META HTTP-EQUIV=\"Pragma\" CONTENT=\"no-cache\">", "<TITLE>Shop</TITLE>", lines[6], "<BODY bgcolor=#ffffff",
        " onload=\"ShowForm('Form1',0,0,true,'')\" >",
        "<iFrame id=iFraData src='' width=0 height=0 FRAMEBORDER=0 SCROLLING=NO></iFrame>", "", "", "</DIV></DIV>",
        "<Script LANGUAGE=\"JavaScript1.3\" SRC=\"Shop.js\"></Script>",
        "<Script LANGUAGE=\"JavaScript1.3\" SRC=\"ZOLTJSStatic.js\"></Script>", "</BODY>", "</HTML>", ""}));

    std::string script = built("Shop.js");
    EXPECT_EQ(script.rfind("//System Code\r\n\r\nvar GCntrlObj;\r\n", 0), 0u);
    EXPECT_TRUE(has(script, "var zIndexCounter=7;\r\n"));
    EXPECT_TRUE(has(script, "var GSelectedForm=\"Form1\";\r\n\r\n"));
    EXPECT_TRUE(has(script, "\r\n\r\n\r\n//Control Code\r\n\r\n\r\n\r\nfunction Hello(){}\r\n\r\n"));
    EXPECT_TRUE(has(script, "function Two(){\r\n}"));
    EXPECT_FALSE(has(script, "function TabGUI"));
    EXPECT_FALSE(has(script, "function SetCalDate"));
    EXPECT_EQ(readTextFile(project.folder / "Build" / "Images" / "closebutton.jpg"), "close picture");
    EXPECT_TRUE(fs::exists(project.folder / "Build" / "ZOLTJSStatic.js"));
}

TEST_F(Writer, BodyEventsAndFunctions) {
    load(formWith(""), {"Form1"}, " C_onunload=\"=Bye();\" F_Util=\"function Util(){}\"");
    run();
    std::vector<std::string> lines = splitCrLf(built("default.htm"));
    EXPECT_EQ(lines[8], " onunload=\"Bye();\" onload=\"ShowForm('Form1',0,0,true,'')\" >");
    std::string script = built("Shop.js");
    EXPECT_TRUE(has(script, "}\r\n\r\n\r\n\r\nfunction Util(){}\r\n\r\n\r\n\r\n\r\n"));

    load(formWith(""), {"Form1"}, " C_onload=\"=Init(); Log('x');\"");
    run();
    EXPECT_EQ(splitCrLf(built("default.htm"))[8], " onload=\"ShowForm('Form1',0,0,true);Init(); Log('x');\" >");
}

TEST_F(Writer, FormsFollowTheFormsListAndTabsAndCalendarsBringTheirFunctions) {
    load(formWith(control("TAB"), "Form1", 1) + formWith(control("CAL"), "Orders", 2) +
             formWith("", "Unlisted", 3),
         {"Orders", "Form1"});
    run();
    std::string html = built("default.htm");
    EXPECT_LT(html.find("<DIV ID=Orders "), html.find("<DIV ID=Form1 "));
    EXPECT_FALSE(has(html, "Unlisted"));
    std::string script = built("Shop.js");
    EXPECT_TRUE(has(script, "function TabGUI(pObj,pValue,pObjParent){"));
    EXPECT_TRUE(has(script, "function SetCalDate(pCalID,pDate){"));
    EXPECT_LT(script.find("function Cal_Clicked"), script.find("function CenterForm"));
}

TEST_F(Writer, BuildingTwiceWritesTheSameAndLeavesNoMarks) {
    std::string frame = replaceAll(control("FRA"), "</SPAN></DIV>", "</SPAN>" + control("B") + "</DIV>");
    load(formWith(frame + control("TAB") + control("CK")));
    run();
    std::string first = built("default.htm"), firstScript = built("Shop.js");
    std::string surface = page->innerHTML(page->body());
    EXPECT_FALSE(has(surface, "recorded=\"true\""));
    run();
    EXPECT_EQ(built("default.htm"), first);
    EXPECT_EQ(built("Shop.js"), firstScript);
    EXPECT_EQ(page->innerHTML(page->body()), surface);
}

TEST_F(Writer, NoStartFormOnlyTellsSo) {
    load(formWith(""));
    page->setVariable("GProjectStartForm", std::string());
    BuildOutcome out = run();
    EXPECT_FALSE(out.written);
    EXPECT_EQ(lastBox(), "There is no start form selected.");
    EXPECT_EQ(page->shownBoxes().size(), 1u);
    EXPECT_FALSE(fs::exists(project.folder / "Build" / "default.htm"));
    EXPECT_EQ(loading.back(), "unload");
}

TEST_F(Writer, PreviewWritesNumberedFilesIntoTempAndOpensThem) {
    load(formWith(""));
    BuildOutcome a = run(0);
    BuildOutcome b = run(0);
    EXPECT_EQ(loading.front(), "show Loading");
    EXPECT_TRUE(page->shownBoxes().empty() || !has(lastBox(), "was built"));
    ASSERT_NE(a.previewNumber, b.previewNumber);
    EXPECT_EQ(a.pagePath, project.folder / "Temp" / ("TempHTML" + a.previewNumber + ".htm"));
    EXPECT_TRUE(fs::exists(project.folder / "Temp" / ("TempJS" + a.previewNumber + ".js")));
    std::string html = readTextFile(b.pagePath);
    EXPECT_TRUE(has(html, "<TITLE>Shop  *Velkorasoft V1.01 Project Preview</TITLE>"));
    EXPECT_TRUE(has(html, "SRC=\"../Temp/TempJS" + b.previewNumber + ".js\"></Script>\r\n"
                          "<Script LANGUAGE=\"JavaScript1.3\" SRC=\"../ZOLTJSStatic.js\">"));
    EXPECT_TRUE(has(html, "<img src='../Images/closebutton.jpg'"));
    ASSERT_EQ(page->openedWindows().size(), 2u);
    EXPECT_EQ(page->openedWindows()[1], b.pagePath.string());
    EXPECT_FALSE(fs::exists(project.folder / "Build" / "default.htm"));
}

TEST_F(Writer, AFailedBuildSaysSoAndLeavesEverythingAsItWas) {
    load(formWith(replaceAll(control("IM"), "/app/Images/StartImage.jpg", "/gone/sun.jpg")));
    run();
    EXPECT_TRUE(has(lastBox(), "The picture /gone/sun.jpg cannot be found.")) << lastBox();
    EXPECT_FALSE(fs::exists(project.folder / "Build" / "default.htm"));

    load(formWith(control("L") + control("CAL")));
    std::string surface = page->innerHTML(page->body());
    writeTextFile(project.folder / "Build" / "default.htm", "old page");
    fs::remove(project.folder / "Images" / "closebutton.jpg");
    BuildOutcome out = run();
    EXPECT_FALSE(out.written);
    EXPECT_TRUE(has(lastBox(), "The project was not built.\r\nThe file ")) << lastBox();
    EXPECT_TRUE(has(lastBox(), "closebutton.jpg does not exist."));
    EXPECT_EQ(loading.back(), "unload");
    EXPECT_EQ(built("default.htm"), "old page");
    EXPECT_EQ(page->innerHTML(page->body()), surface);

    fs::remove_all(project.folder / "Build");
    run();
    EXPECT_TRUE(has(lastBox(), "Build does not exist.")) << lastBox();
    EXPECT_EQ(page->innerHTML(page->body()), surface);
}

}  // namespace
}  // namespace zolt
