// Text routines shared with the designer page, the headless build; the page writer and the build command.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/HeadlessBuild.h"
#include "site/CalendarText.h"
#include "site/Markup.h"
#include "site/PageWriter.h"
#include "site_support.h"
#include "storage/FileTransaction.h"
#include "storage/TextFile.h"

namespace zolt {
namespace {

using namespace testing;
namespace fs = std::filesystem;

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The same cases as the designer's calendar script (tests/page/model_calendar.test.js).
TEST(CalendarText, DayRowsDatesCaptionBlanksAndTheMonthAndYearLists) {
    const nlohmann::json cases =
        nlohmann::json::parse(readTextFile(std::filesystem::path(ZOLT_SOURCE_DIR) / "tests/fixtures/calendar_cases.json"));
    auto text = [](const nlohmann::json& j) { return j.get<std::string>(); };
    for (const auto& c : cases["months"]) {
        EXPECT_EQ(BuildCalendarRows(c["month"].get<int>(), c["year"].get<int>()), text(c["rows"])) << text(c["about"]);
    }
    for (const auto& c : cases["dates"]) {
        const auto d = c["date"].get<std::vector<int>>();
        for (int k = 0; k < 8; ++k) EXPECT_EQ(formatDateText(k, {d[0], d[1], d[2]}), text(c["texts"][k]));
    }
    for (const auto& c : cases["captions"]) EXPECT_EQ(ReplaceSpaces(text(c[0])), text(c[1]));

    // The selected month and year are checked on whole calendars (site_form_test).
    EXPECT_EQ(GetMonths("Month", false, false, 3, "Cal1")
                  .rfind("<SELECT ID=CalMonth_Cal1 Name=CalMonth_Cal1 style=\"font-family:arial;font-size:10;\" "
                         "onchange='BuildCalendar(\"Cal1\")' aria-label=Month><OPTION value=1>Jan</OPTION>", 0), 0u);
    std::string years = GetYears("Year", 4, "Cal1", {2026, 3, 6});
    EXPECT_NE(years.find("<OPTION value=2036>2036</OPTION></SELECT>"), std::string::npos);
    EXPECT_EQ(count(years, "<OPTION"), 37);
    EXPECT_EQ(count(GetYears("Year", -1, "Cal1", {2001, 1, 1}), "<OPTION"), 15);  // never fewer than 2000..2014
}

TEST(MarkupText, EntitiesAndLineBreaksBecomeText) {
    EXPECT_EQ(markupText("<input type=checkbox>&nbsp; Chk1<br>a &amp; b &lt;c&gt; &#39;d&#x27; &bogus;"),
              "\u00A0 Chk1\na & b <c> 'd' &bogus;");
}

// Without a start form the build only tells so (the loading window goes as after any failed build).
TEST(HeadlessBuild, RefusesAProjectOnDiskWithoutStartFormAndBuildsItWithOne) {
    ProjectFolder project("headless");
    writeTextFile(project.folder / "Form1.rwf", "V1.01\r\n#" + formWith(control("L")) + "#");
    const std::string file = "\u00ABV1.01\u00BB\r\n\u00ABnotice\u00BB\r\n\u00ABProject\u00BB\r\n!BodyColor=ffffee!\r\n"
                             "!PageTitle=Shop!\r\n\u00ABBody Code\u00BB\r\n\u00A7F_Util=function Util(){\r\n}\u00A7\r\n"
                             "\u00ABForms\u00BB\r\n#Form1/True#\r\n";
    writeTextFile(project.projectFile(), file);
    std::ostringstream out, err;
    EXPECT_EQ(HeadlessBuild(project.projectFile(), appFolder(), out, err), 1);
    EXPECT_EQ(err.str(), "There is no start form selected.\n");
    EXPECT_FALSE(fs::exists(project.folder / "Build" / "default.htm"));

    writeTextFile(project.projectFile(), replaceAll(file, "Shop!\r\n", "Shop!\r\n!ProjectStartForm=Form1!\r\n"));
    EXPECT_EQ(HeadlessBuild(project.projectFile(), appFolder(), out, err), 0) << err.str();
    EXPECT_TRUE(has(out.str(), "Project: Shop.rwp was built."));
    const std::string html = readTextFile(project.folder / "Build" / "default.htm");
    expectParts(html, {"<BODY bgcolor=#ffffee\r\n", "<DIV ID=Form1 "});
    EXPECT_TRUE(has(readTextFile(project.folder / "Build" / "Shop.js"), "function Util(){\r\n}"));
}


struct Writer : ::testing::Test {
    ProjectFolder project{"writer"};
    std::unique_ptr<DomPage> page;
    std::vector<std::string> loading;
    std::vector<std::string> notOpened;  // forms whose file did not open with the project
    std::vector<std::string> refused;    // of those, forms the page refused (their files sound)
    std::string fileName = "Shop.rwp";

    void load(const std::string& forms, const std::vector<std::string>& list = {"Form1"},
              const std::string& bodyAttributes = "") {
        page = std::make_unique<DomPage>(designerDocument(forms, list, bodyAttributes));
        page->answerOtherBoxesWith(MsgResult::OK);
        prepare(*page);
    }
    BuildOutcome run(int mode = 1) {
        page->answerMsgBox(MsgResult::OK);
        BuildRequest r;
        r.mode = mode;
        r.ProjectFilePath = project.projectFile();
        r.ProjectFileName = fileName;
        r.appFolder = appFolder();
        r.today = CalendarDate{2026, 3, 6};
        r.formsNotOpened = notOpened;
        r.formsRefused = refused;
        LoadingWindow w{[this](const std::string& l) { loading.push_back("show " + l); },
                        [this] { loading.push_back("unload"); }};
        return RunBuildCommand(*page, r, w);
    }
    std::string lastBox() { return page->shownBoxes().empty() ? "" : page->shownBoxes().back().text; }
    std::string built(const std::string& name) { return readTextFile(project.folder / "Build" / name); }
};

TEST_F(Writer, BuildWritesThePageTheScriptAndTheFixedFiles) {
    load(formWith(control("L")), {"Form1"}, " C_onunload=\"=Bye();\" F_Util=\"function Util(){}\"");
    page->setAttribute(page->getElementById("lbl1"), "F_Hello", "function Hello(){}");
    page->setAttribute(page->getElementById("lbl1"), "F_Two", "function Two(){\n}");
    ASSERT_TRUE(run().written);
    EXPECT_EQ(lastBox(), "Project: Shop.rwp was built.");
    EXPECT_EQ(loading, (std::vector<std::string>{"show Building", "unload"}));

    std::vector<std::string> lines = splitLines(built("default.htm"));
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_TRUE(has(lines[10], "<DIV ID=Form1 ") && has(lines[11], "<Div ID=lbl1 ")) << lines[10] << lines[11];
    lines[10] = lines[11] = "";
    EXPECT_EQ(lines, (std::vector<std::string>{
        "<HTML lang=en>", lines[1], "<!-- Created with Velkorasoft ZOLT V1.01 Tool. 3/6/2026  -->",
        "<META HTTP-EQUIV=\"Expires\" CONTENT=\"Tue, 01 Jan 2002 1:00:00 GMT\">",
        "<META HTTP-EQUIV=\"Pragma\" CONTENT=\"no-cache\">", "<TITLE>Shop</TITLE>", lines[6], "<BODY bgcolor=#ffffff",
        " onunload=\"Bye();\" onload=\"ShowForm('Form1',0,0,true,'')\" >",
        "<iFrame id=iFraData src='' width=0 height=0 FRAMEBORDER=0 SCROLLING=NO title=\"Data frame\" tabindex=-1 "
        "aria-hidden=true></iFrame>",
        "", "", "</DIV></DIV>",
        "<Script LANGUAGE=\"JavaScript1.3\" SRC=\"Shop.js\"></Script>",
        "<Script LANGUAGE=\"JavaScript1.3\" SRC=\"ZOLTJSStatic.js\"></Script>", "</BODY>", "</HTML>", ""}));

    // The runtime's globals come first; every line of the script ends with CR LF.
    const std::string script = built("Shop.js");
    EXPECT_EQ(script.rfind("//System Code\r\n\r\nvar GCntrlObj;\r\nvar GbValCon;\r\nvar GsFunc;\r\nvar zIndexCounter=7;"
                           "\r\nvar sBrowserType=navigator.appName;\r\nvar GSelectedForm=\"Form1\";\r\n\r\nfunction "
                           "CloseForm(pObj,pOptionalFuncToCall){\r\n", 0), 0u);
    EXPECT_EQ(count(script, "\n"), count(script, "\r\n"));
    expectParts(script, {"function Two(){\r\n}", "}\r\n\r\n\r\n\r\nfunction Util(){}\r\n\r\n\r\n\r\n\r\n",
                         "\r\n\r\n\r\n//Control Code\r\n\r\n\r\n\r\nfunction Hello(){}\r\n\r\n"});
    EXPECT_FALSE(has(script, "function TabGUI") || has(script, "function SetCalDate"));
    EXPECT_EQ(readTextFile(project.folder / "Build" / "Images" / "closebutton.jpg"), "close picture");
    EXPECT_TRUE(fs::exists(project.folder / "Build" / "ZOLTJSStatic.js"));
}

// The body's own onload runs after the start form shows.
TEST_F(Writer, FormsFollowTheFormsListAndASecondBuildWritesTheSameAndLeavesNoMarks) {
    std::string frame = replaceAll(control("FRA"), "</SPAN></DIV>", "</SPAN>" + control("B") + "</DIV>");
    load(formWith(frame + control("TAB") + control("CK"), "Form1", 1) + formWith(control("CAL"), "Orders", 2) +
             formWith("", "Unlisted", 3),
         {"Orders", "Form1"}, " C_onload=\"=Init(); Log('x');\"");
    run();
    const std::string html = built("default.htm"), script = built("Shop.js");
    EXPECT_EQ(splitLines(html)[8], " onload=\"ShowForm('Form1',0,0,true);Init(); Log('x');\" >");
    EXPECT_LT(html.find("<DIV ID=Orders "), html.find("<DIV ID=Form1 "));
    EXPECT_FALSE(has(html, "Unlisted"));
    // Tabs and calendars bring their functions.
    expectParts(script, {"function TabGUI(pObj,pValue,pObjParent){", "function SetCalDate(pCalID,pDate){"});
    EXPECT_LT(script.find("function Cal_Clicked"), script.find("function CenterForm"));

    const std::string surface = page->innerHTML(page->body());
    EXPECT_FALSE(has(surface, "recorded=\"true\""));
    run();
    EXPECT_EQ((std::vector{built("default.htm"), built("Shop.js"), page->innerHTML(page->body())}),
              (std::vector{html, script, surface}));
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
    expectParts(html, {"<TITLE>Shop  *Velkorasoft V1.01 Project Preview</TITLE>", "<img src='../Images/closebutton.jpg",
                       "SRC=\"../Temp/TempJS" + b.previewNumber + ".js\"></Script>\r\n"
                       "<Script LANGUAGE=\"JavaScript1.3\" SRC=\"../ZOLTJSStatic.js\">"});
    EXPECT_EQ(page->openedWindows(), (std::vector<std::string>{a.pagePath.string(), b.pagePath.string()}));
    EXPECT_FALSE(fs::exists(project.folder / "Build" / "default.htm"));
}

// Every file and its content under `folder`, by relative path.
std::map<std::string, std::string> filesUnder(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (e.is_regular_file()) files[fs::relative(e.path(), folder).generic_string()] = readTextFile(e.path());
    }
    return files;
}

// The project folder's entries (leftovers of a build would show here).
std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(Writer, AFailedBuildLeavesThePreviousSiteAndTheSurfaceAsTheyWere) {
    const fs::path buildFolder = project.folder / "Build";
    auto listForms = [&] {
        writeTextFile(project.projectFile(), "\u00abV1.01\u00bb\r\n\u00abnotice\u00bb\r\n\u00abProject\u00bb\r\n"
                                             "\u00abForms\u00bb\r\n#Form1/True#\r\n#Form2/False#\r\n");
        notOpened = {"Form2"};
    };
    int writes = 0;
    struct Fault { const char* what; std::function<void()> make; const char* message; bool formFile; };
    const Fault faults[] = {
        {"no close picture", [&] { fs::remove(project.folder / "Images" / "closebutton.jpg"); },
         "closebutton.jpg does not exist.", false},
        {"disk full at the first file", [&] { setSaveStepHookForTests([](SaveStep, const fs::path&) {
             throw FileError("The disk is full."); }); }, "The disk is full.", false},
        {"disk full at the last file", [&] { setSaveStepHookForTests([&](SaveStep s, const fs::path&) {
             if (s == SaveStep::TemporariesWritten && ++writes == 4) throw FileError("The disk is full."); }); },
         "The disk is full.", false},
        {"a form file missing", listForms, "The form Form2 cannot be built: its file ", true},
        {"a form file damaged", [&] { listForms(); writeTextFile(project.folder / "Form2.rwf", "V1.01\r\n#<b>#"); },
         "Form2.rwf is damaged.", true},
        // A save keeps a refused form, so the advice for a damaged file would not help.
        {"a form the page refused", [&] { listForms(); refused = {"Form2"}; writeTextFile(project.folder / "Form2.rwf", "V1.01\r\n"); },
         "could not be put on the design surface when the project was opened. Its file ", true},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.what);
        fs::remove_all(project.folder);
        ProjectFolder fresh{"writer"};
        writeTextFile(buildFolder / "default.htm", "old page");
        writeTextFile(buildFolder / "Images" / "old.jpg", "old picture");
        const auto site = filesUnder(buildFolder);
        load(formWith(control("L") + control("CAL") + control("IM")));
        const std::string surface = page->innerHTML(page->body());
        writes = 0;
        f.make();
        const auto entries = entriesOf(project.folder);
        BuildOutcome out = run();
        setSaveStepHookForTests(nullptr);
        notOpened.clear();
        refused.clear();
        EXPECT_EQ((std::pair{out.written, out.formFileFault}), (std::pair{false, f.formFile}));
        EXPECT_TRUE(has(lastBox(), "The project was not built.\r\n") && has(lastBox(), f.message)) << lastBox();
        EXPECT_EQ(loading.back(), "unload");
        EXPECT_EQ(filesUnder(buildFolder), site);
        EXPECT_EQ(entriesOf(project.folder), entries);
        EXPECT_EQ(page->innerHTML(page->body()), surface);
    }
}

TEST_F(Writer, ABuildReplacesTheSiteWholeAndKeepsTheDevelopersOwnFiles) {
    const fs::path buildFolder = project.folder / "Build";
    load(formWith(control("L")));
    // A form deleted in the designer has lost its file, yet the project file lists it until the next save: not a fault.
    writeTextFile(project.projectFile(), "\u00abV1.01\u00bb\r\n\u00abn\u00bb\r\n\u00abProject\u00bb\r\n\u00abForms\u00bb\r\n"
                                         "#Form1/True#\r\n#Gone/True#\r\n");
    writeTextFile(buildFolder / "default.htm", "old page");
    fs::create_directories(buildFolder / "data");
    writeTextFile(buildFolder / "data" / "answer.asp", "the developer's");
    // What a build killed half-way leaves: a fresh folder never swapped in.
    fs::create_directories(project.folder / "Build~zolt-new");
    writeTextFile(project.folder / "Build~zolt-new" / "default.htm", "half");
    ASSERT_TRUE(run().written);
    EXPECT_EQ(built("data/answer.asp"), "the developer's");
    EXPECT_TRUE(has(built("default.htm"), "<DIV ID=Form1 "));
    EXPECT_EQ(entriesOf(project.folder),
              (std::vector<std::string>{"Build", "Images", "Shop.rwp", "Temp", "ZOLTJSStatic.js"}));

    // A swap killed between its two steps leaves the old site aside; a missing Build folder is made.
    fs::rename(buildFolder, project.folder / "Build~zolt-old");
    ASSERT_TRUE(run().written);
    EXPECT_EQ(built("data/answer.asp"), "the developer's");
    fs::remove_all(buildFolder);
    ASSERT_TRUE(run().written);
    EXPECT_EQ(entriesOf(buildFolder), (std::vector<std::string>{"Images", "Shop.js", "ZOLTJSStatic.js", "default.htm"}));

    // A Build folder that links to another folder keeps linking there.
    fs::rename(buildFolder, project.root / "www");
    fs::create_directory_symlink(project.root / "www", buildFolder);
    ASSERT_TRUE(run().written);
    EXPECT_TRUE(fs::is_symlink(buildFolder) && has(readTextFile(project.root / "www/default.htm"), "<DIV ID=Form1 "));
}

// Pictures not found are listed in one warning and the build goes on; any name and text reach the site whole.
TEST_F(Writer, PicturesNotFoundAreListedOnceAndAnyNameIsCarriedWholeIntoTheSite) {
    std::string sun = replaceAll(control("IM"), "/app/Images/StartImage.jpg", "/gone/sun.jpg");
    std::string moon = replaceAll(replaceAll(sun, "sun.jpg", "moon.jpg"), "img1", "img2");
    std::string label = replaceAll(control("L"), ">label1<", ">Caf\u00e9 \u2713 \U0001F600<");
    load(formWith(sun + moon + replaceAll(sun, "img1", "img3") + label), {"Form1"},
         " F_Hi=\"function Hi(){return '\u2713';}\"");
    page->setAttribute(page->body(), "userTitle", "Shop \u2713");
    fileName = "Shop #2 Caf\u00e9.rwp";
    ASSERT_TRUE(run().written);
    ASSERT_EQ(page->shownBoxes().size(), 2u);
    EXPECT_TRUE(has(page->shownBoxes()[0].text, "was built.")) << page->shownBoxes()[0].text;
    EXPECT_EQ(lastBox(), "These pictures were not found, so the site shows none in their place:\r\n/gone/sun.jpg\r\n"
                         "/gone/moon.jpg");
    expectParts(built("default.htm"), {"<Img Src='Images/moon.jpg' ID=img2", "<TITLE>Shop &#10003;</TITLE>",
                                       "> Caf\u00e9 &#10003; &#128512;</Div>", "SRC=\"Shop%20%232%20Caf%C3%A9.js\""});
    EXPECT_TRUE(has(built("Shop #2 Caf\u00e9.js"), "return '\\u2713';"));
}

}  // namespace
}  // namespace zolt
