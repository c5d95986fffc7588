// Form files: numbering, damaged files, imports, names, renames; stored markup cleaned of whatever could run.
#include "StorageFixture.h"
#include "dom/Parse.h"
#include "dom/Serialize.h"
#include "storage/ProjectFile.h"
#include "storage/StoredForm.h"

using namespace zolt;
using namespace zolt::testing;

namespace {

// A saved form as the browser stores it (lower-case names, double quotes), with one label.
std::string savedForm(int n, const std::string& extra = "") {
    const std::string num = std::to_string(n);
    return "V1.01\r\n#<div id=\"Form" + num + "\" name=\"Form" + num + "\" parentformid=\"" + num +
           "\" controltype=\"F\" style=\"position:absolute; z-index:" + num + "\"" + extra +
           "><b id=\"CaptionBar\">Form" + num + "</b><div id=\"TForm\" controltype=\"TF\"><span id=\"lbl1\" parentformid=\"" +
           num + "\" controltype=\"L\">Label</span></div></div>#";
}

}  // namespace

class FormFilesTest : public StorageTest {
protected:
    // A project file listing `entries` (such as "Form3/True").
    void writeProject(const std::vector<std::string>& entries) {
        fs::create_directories(project());
        std::string text = versionLine() + "\r\n" + noticeLine() + "\r\n«Forms»\r\n";
        for (const auto& e : entries) text += "#" + e + "#\r\n";
        writeTextFile(project() / "Shop.rwp", text);
    }

    void open() { ASSERT_TRUE(OpenProjectFile(host, project() / "Shop.rwp", "Shop.rwp")); }

    std::string number(const std::string& id) { return page.getAttribute(byId(id), "ParentFormID").value_or("?"); }
};

TEST_F(FormFilesTest, FormsTakeTheirOwnNumbersOrTheNextFreeOne) {
    writeProject({"Form3/True", "Form2/False", "Form1/True"});
    // Opening cleans what it reads (what cleaning drops: the StoredForm tests).
    writeBytes(project() / "Form3.rwf", savedForm(3, " onclick=\"steal()\" F_Go=\"Sub Go()\" C_onclick=\"=Go()\""));
    writeBytes(project() / "Form2.rwf", savedForm(2));
    // A form created and never saved since still holds the template, whose numbers are not quoted.
    writeTextFile(project() / "Form1.rwf", "V1.01\r\n#" + newFormTemplate(1, closeButtonUrl()) + "#");
    open();
    EXPECT_EQ(formsList(), (std::vector<std::string>{"Form3", "Form2", "Form1"}));
    // Form2 and Form1 are not above the counter: they get 4 and 5, controls too.
    EXPECT_EQ((std::vector{number("Form3"), number("Form2"), number("Form1")}), (std::vector<std::string>{"3", "4", "5"}));
    EXPECT_EQ(toNumber(page.getVariable("NewFormCount")), 5);
    EXPECT_FALSE(has(page.outerHTML(byId("Form2")), "parentformid=\"2\""));
    EXPECT_EQ(page.styleValue(byId("Form2"), "display"), "none");
    EXPECT_GE(toNumber(page.getVariable("zIndexCounter")), 3);
    EXPECT_EQ(page.getAttribute(byId("Form3"), "onclick"), "UpdateWhichFormHasTheFocus(this)");
    EXPECT_EQ(page.getAttribute(byId("Form3"), "F_Go"), "Sub Go()");
    EXPECT_EQ(page.getAttribute(byId("Form3"), "C_onclick"), "=Go()");
}

TEST_F(FormFilesTest, LoadingAFormFileIntoTheOpenProject) {
    newProject("Shop");
    const fs::path other = dir / "elsewhere";
    fs::create_directories(other);
    writeBytes(other / "Form1.rwf", savedForm(1));
    writeBytes(other / "Orders.rwf",
               "V1.00\r\n#<div id=\"Orders\" name=\"Orders\" ParentFormID=\"1\" x_Upda_IM_tes_x>V1.01 caption</div>#");

    page.answerMsgBox(MsgResult::OK);
    choose("LoadForm", other, "Form1.rwf");
    EXPECT_EQ(boxTexts(page), std::vector<std::string>{"A Form with the name: Form1 already exists in this project."});
    EXPECT_EQ(formsList(), std::vector<std::string>{"Form1"});

    page.setVariable("bProjectInfoChanged", false);
    choose("LoadForm", other, "Orders.rwf");
    EXPECT_EQ(formsList(), (std::vector<std::string>{"Form1", "Orders"}));
    EXPECT_EQ(number("Orders"), "2");
    const std::string markup = page.outerHTML(byId("Orders"));
    // Older markup is brought up to date; the version text is taken out.
    EXPECT_TRUE(has(markup, "cursorstyle=\"default\"") && !has(markup, "V1.01")) << markup;
    EXPECT_TRUE(toBool(page.getVariable("bProjectInfoChanged")));
    EXPECT_EQ(page.getVariable("SelectedFormObj"), ScriptValue{byId("Orders")});

    // A file whose form is Form1, numbered 1, comes in beside the Form1 there.
    page.setAttribute(byId("Form1"), "Caption", "Mine");
    writeBytes(other / "Copy.rwf", savedForm(1));
    choose("LoadForm", other, "Copy.rwf");
    EXPECT_EQ((std::vector{number("Form1"), number("Copy")}), (std::vector<std::string>{"1", "3"}));
    save();
    EXPECT_NE(fileBytes(project() / "Form1.rwf").find("caption=\"Mine\""), std::string::npos);
    EXPECT_NE(fileBytes(project() / "Copy.rwf").find("id=\"Copy\""), std::string::npos);
}

TEST_F(FormFilesTest, FormFilesFollowRenamesAndDeletesAndARefusalPutsTheOldNameBackInTheNameField) {
    // The page keeps the form's name when the host shows the old one in the Name field: every refusal must,
    // or the form is renamed on the surface while its file is not.
    newProject("Shop");
    writeBytes(project() / "Form1.rwf", savedForm(1, " f_x=\"Form10\""));
    page.insertAdjacentHTML(page.body(), InsertPosition::BeforeEnd,
                            "<table id=PropF><tr><td><input id=PropertyName></td></tr></table>");
    page.setVariable("PreviousPropertyType", std::string("F"));
    writeBytes(project() / "Taken.rwf", "taken");
    writeBytes(dir / "outside.rwf", "keep");
    struct Case { const char* name; MsgResult answer; const char* command; };
    const Case cases[] = {
        {"Nul", MsgResult::OK, "&Form1&False"},        // a name no file may have on Windows
        {"../Up", MsgResult::OK, "&Form1&False"},      // a name leading out of the project
        {"", MsgResult::OK, "&../outside&True"},       // deleting a form named so
        {"Taken", MsgResult::Cancel, "&Form1&False"},  // the developer keeps the other file
    };
    for (const Case& c : cases) {
        page.clearRecords();
        page.setFieldValue(byId("PropertyName"), c.name);
        page.answerMsgBox(c.answer);
        runCommand(host, std::string("UpdateProjectFile.asp&") + c.name + c.command);
        EXPECT_FALSE(page.shownBoxes().empty()) << c.name;
        EXPECT_EQ(page.fieldValue(byId("PropertyName")), *c.name ? "Form1" : "") << c.name;
        EXPECT_TRUE(fs::exists(project() / "Form1.rwf")) << c.name;
    }
    EXPECT_EQ(boxTexts(page), std::vector<std::string>{"Form File: Taken already exists.\r\nDo you want to overwrite it?"});
    EXPECT_EQ(page.shownBoxes()[0].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(fileBytes(project() / "Taken.rwf"), "taken");
    EXPECT_EQ(fileBytes(dir / "outside.rwf"), "keep");

    runCommand(host, "UpdateProjectFile.asp&Main&Form1&False");
    EXPECT_FALSE(fs::exists(project() / "Form1.rwf"));
    const std::string moved = fileBytes(project() / "Main.rwf");
    EXPECT_TRUE(has(moved, "Main0") && !has(moved, "Form1")) << moved;  // also inside longer words
    runCommand(host, "UpdateProjectFile.asp&&Main&True");
    EXPECT_FALSE(fs::exists(project() / "Main.rwf"));
    // Deleting a form whose file is missing leaves no file behind either.
    runCommand(host, "UpdateProjectFile.asp&&Ghost&True");
    EXPECT_FALSE(fs::exists(project() / "Ghost.rwf"));
}

TEST_F(FormFilesTest, DamagedFormFilesAndNamesLeadingOutOfTheProjectAreRefusedAndNeverWritten) {
    // A name listed in the project file ends at its first "/": "../../x" is refused at load.
    writeProject({"Short/True", "NoNumber/True", "NotText/True", "Missing/True", "../../x/True", "Form1/True"});
    writeBytes(project() / "Short.rwf", "V1.01\r\n#");
    writeBytes(project() / "NoNumber.rwf", "V1.01\r\n#<div id=NoNumber>x</div>#");
    writeBytes(project() / "NotText.rwf", std::string("V1.01\r\n#\x81\x00#", 11));
    writeBytes(project() / "Form1.rwf", savedForm(1));
    writeBytes(dir / "x.rwf", savedForm(2));
    for (int i = 0; i < 4; ++i) page.answerMsgBox(MsgResult::OK);
    open();
    ASSERT_EQ(page.shownBoxes().size(), 4u);
    EXPECT_EQ(page.shownBoxes()[0].text, "Form: Short\r\nHas corrupt or missing information.");
    EXPECT_EQ(page.shownBoxes()[1].text, "Form: NoNumber\r\nHas corrupt or missing information.");
    EXPECT_EQ(page.shownBoxes()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(boxTexts(page).back().rfind("Form: ..\r\nCannot be loaded.", 0), 0u) << boxTexts(page).back();
    EXPECT_EQ(formsList(), std::vector<std::string>{"Form1"});
    EXPECT_EQ(toNumber(page.getVariable("NewFormCount")), 1);

    // A form file whose form calls itself so comes in under its file's name.
    writeBytes(project() / "Form1.rwf", savedForm(1, " name=\"../../evil\""));
    DomPage again;
    startPage(again);
    again.answerOtherBoxesWith(MsgResult::OK);  // the refused forms again
    open();
    EXPECT_EQ(again.getAttribute(again.getElementById("Form1"), "Name"), "Form1");

    // A name given on the surface is refused by the save, with nothing written.
    again.setAttribute(again.getElementById("Form1"), "Name", "/tmp/abs");
    again.answerMsgBox(MsgResult::OK);
    const std::string before = fileBytes(project() / "Shop.rwp");
    runCommand(host, "SaveExistingProjectFalse");
    EXPECT_EQ(again.shownBoxes().back().text.rfind("Error Saving Shop.rwp", 0), 0u);
    EXPECT_EQ(fileBytes(project() / "Shop.rwp"), before);
    EXPECT_FALSE(fs::exists("/tmp/abs.rwf") || fs::exists(dir / "evil.rwf"));
}

namespace {

// The markup as the page holds it once parsed (names in lower case, values quoted).
std::string asParsed(const std::string& markup) {
    auto body = dom::Node::makeElement("body");
    std::string out;
    for (auto& n : dom::parseFragment(markup, *body)) out += dom::outerHTML(*n);
    return out;
}

}  // namespace

TEST(StoredForm, TheDesignersOwnMarkupPassesUnchanged) {
    std::string controls;
    for (const auto& [code, markup] : kModelControls) controls += markup;
    // A tab page kept in a tab cell holds controls too.
    std::string tab = control("TAB");
    const std::string page = asParsed(control("L") + control("CK"));
    std::string escaped;
    for (char c : page) escaped += c == '"' ? std::string("&quot;") : c == '&' ? std::string("&amp;") : std::string(1, c);
    tab.replace(tab.find("Contents=\"\""), 11, "Contents=\"" + escaped + "\"");
    const std::string form = formWith(controls + tab);
    EXPECT_EQ(StoredForm(form).markup(), asParsed(form));
}

TEST(StoredForm, WhatCouldRunIsDroppedAndTheDesignersHandlersComeFromTheModel) {
    // Markup put in the form's body; what is found in the cleaned form, and what is not.
    struct Case { std::string inside; std::vector<std::string> kept, dropped; };
    const std::vector<Case> cases = {
        {"<img src=x onerror=\"alert(1)\">", {"<img src=\"x\">"}, {"onerror"}},
        {"<script>alert(1)</script><noscript><p title=\"</noscript><img src=x onerror=alert(1)>\"></p></noscript>",
         {}, {"script", "onerror", "alert"}},
        {"<iframe srcdoc=\"<b>x</b>\"></iframe><object data=x></object><embed src=x><meta http-equiv=refresh>",
         {}, {"iframe", "srcdoc", "object", "embed", "meta"}},
        {"<svg><a href=\"javascript:alert(1)\">s</a></svg><math><mi>x</mi></math>", {}, {"svg", "math", "alert"}},
        {"<a href=\" JaVa\tScRiPt:alert(1)\" title=t>a</a><a href=\"Page2.htm\">b</a>",
         {"<a title=\"t\">a</a>", "<a href=\"Page2.htm\">b</a>"}, {"alert"}},
        {"<form action=\"vbscript:x\"><button formaction=\"javascript:x\">b</button></form>",
         {"<form><button>b</button></form>"}, {"script:"}},
        // A label's handlers are the model's, whatever the file says, in the file's places; the developer's code stays,
        // also when named after an event.
        {"<div id=lbl1 controltype=L controlid=1 parentformid=1 onclick=\"steal()\" ondblclick=\"steal()\" "
         "F_Go=\"Sub Go()\" C_onclick=\"=Go()\">x</div>",
         {"<div id=\"lbl1\" controltype=\"L\" controlid=\"1\" parentformid=\"1\" ondblclick=\"ShowCodeWindow()\" "
          "f_go=\"Sub Go()\" c_onclick=\"=Go()\" oncontrolselect=\"UpdateWhichControlHasTheFocus(this)\" "
          "onbeforeeditfocus=\"return false\" oncontextmenu=\"CancelRightClick()\" onmove=\"CheckPosition(this)\" "
          "onresize=\"ControlWidthHeight(this)\" onresizestart=\"CheckFormLock()\" onmovestart=\"CheckFormLock()\">x</div>"},
         {"steal", "onclick=\"s"}},
        // A tab page kept in its cell is cleaned as the form is.
        {"<table><tr><td id=Tab0 contents=\"<img src=x onerror=alert(1)><b onclick=x()>b</b>\">t</td></tr></table>",
         {"contents=\"&lt;img src=&quot;x&quot;&gt;&lt;b&gt;b&lt;/b&gt;\""}, {"onerror", "x()"}},
    };
    for (const Case& c : cases) {
        const std::string markup = StoredForm(formWith(c.inside)).markup();
        for (const std::string& k : c.kept) EXPECT_NE(markup.find(k), std::string::npos) << k << "\nin " << markup;
        for (const std::string& d : c.dropped) EXPECT_EQ(markup.find(d), std::string::npos) << d << "\nin " << markup;
    }
}
