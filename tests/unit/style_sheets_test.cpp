// Style sheet files and the four style commands on a style window in the headless page.
#include "StorageFixture.h"
#include "site/Markup.h"
#include "storage/StyleSheetFile.h"

using namespace zolt;
using namespace zolt::testing;

namespace {

const fs::path kGolden = fs::path(ZOLT_SOURCE_DIR) / "tests/fixtures/styles";

// Options whose values are numbered colours, except the chart's colours that Ocean uses at their places.
std::string options(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        char value[8];
        std::snprintf(value, sizeof value, "#%06X", i);
        const char* known = i == 3 ? "#D5CCBB" : i == 6 ? "#0000FF" : i == 216 ? "#FFFFFF" : value;
        out += std::string("<option value='") + known + "'></option>";
    }
    return out;
}

}  // namespace

TEST(StyleSheetFile, ReadsWhatMakesSenseAndNamesTheRest) {
    struct Case { const char* file; int lines; std::vector<int> unusable; };  // unusable: lines (from 1) not used
    const Case cases[] = {
        {"Ocean.rws", 15, {}}, {"Ocean.rws", 9, {}}, {"Short.rws", 9, {6, 7, 8, 9}},
        {"Short.rws", 15, {6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        // LF line ends are read; a foreign key, a bad switch, a word for a colour and a font name that would
        // escape its style are not used.
        {"Damaged.rws", 15, {3, 7, 9, 11, 14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " first " + std::to_string(c.lines));
        ReadStyle read = parseStyleSheet(readTextFile(kGolden / c.file), c.lines);
        std::vector<int> unusable;
        for (const StyleProblem& p : read.problems) unusable.push_back(p.line + 1);
        EXPECT_EQ(unusable, c.unusable);
        for (int i = 0; i < kStyleLines; ++i) {
            const bool expectUsed = i < c.lines && std::find(c.unusable.begin(), c.unusable.end(), i + 1) == c.unusable.end();
            EXPECT_EQ(read.values[i].has_value(), expectUsed) << "line " << i + 1;
        }
    }
    EXPECT_EQ(*parseStyleSheet(readTextFile(kGolden / "Ocean.rws")).values[13], "Arial");
}

class StyleCommandsTest : public StorageTest {
protected:
    void SetUp() override {
        StorageTest::SetUp();
        newProject("Shop");
        page.answerOtherBoxesWith(MsgResult::OK);
        page.registerRoutine("ValidateStyle", [this](DomPage&, std::vector<ScriptValue>&) {
            ++validated;
            return ScriptValue{true};
        });
    }

    // Opens the style window as the page does, the host's list first; the test reads each option's value.
    void openWindow() {
        if (Element old = byId("x_StyleWindow_x")) page.removeElement(old);
        runCommand(host, "GetStyleSheets");
        std::string m = "<div id=x_StyleWindow_x><input id=x_StyleName_x>";
        m += toText(page.getVariable("SystemStyleSheets"));
        for (const char* id : {"TitleBarColor", "TitleBarFontColor", "BackColor", "BorderColor"}) {
            m += std::string("<select id=") + id + ">" + options(217) + "</select>";
        }
        m += "<select id=TitleBarFontType><option value=Arial></option>" + options(11) + "</select>";
        m += "<select id=BorderStyle>" + options(8) + "<option value=solid></option></select>";
        m += "<input type=radio name=BorderOnOff value=0 checked>";
        m += "<input type=radio name=BorderOnOff id=BorderOnOff value=1><input id=BorderSize value=1>";
        m += "<input type=checkbox id=x_Auto_x><select id=x_StyleFormList_x></select></div>";
        page.insertAdjacentHTML(page.body(), InsertPosition::BeforeEnd, m);
        page.setVariable("bStyleWindowOpen", true);
    }

    std::vector<std::string> styleList() { return page.optionTexts(byId("x_ExistingStyles_x")); }

    void loadStyle(const std::string& value) {
        chooseStyle(value);
        runCommand(host, "LoadStyleData");
    }

    void chooseStyle(const std::string& value) {
        const auto list = styleList();
        page.setSelectedIndex(byId("x_ExistingStyles_x"), std::find(list.begin(), list.end(), value) - list.begin());
    }

    // The window set to Ocean: blue title bar, white title font, border off.
    void setOcean() {
        for (auto [id, index] : {std::pair{"TitleBarColor", 6}, {"TitleBarFontColor", 216}, {"TitleBarFontType", 0},
                                 {"BackColor", 3}, {"BorderColor", 0}, {"BorderStyle", 8}}) {
            page.setSelectedIndex(byId(id), index);
        }
        auto radios = page.getElementsByName("BorderOnOff");
        page.setFieldChecked(radios[0], false);
        page.setFieldChecked(radios[1], true);
    }

    int validated = 0;
};

TEST_F(StyleCommandsTest, SavingANewStyleCutsItsNameAndAsksBeforeOverwriting) {
    openWindow();
    setOcean();
    page.setFieldValue(byId("x_StyleName_x"), "Ocean.dark");
    runCommand(host, "SaveStyleSheet");
    EXPECT_TRUE(page.shownBoxes().empty());
    EXPECT_EQ(fileBytes(project() / "Ocean.rws"), fileBytes(kGolden / "Ocean.rws"));
    EXPECT_EQ(styleList(), (std::vector<std::string>{"New", "Ocean.rws"}));
    EXPECT_EQ(page.selectedIndex(byId("x_ExistingStyles_x")), 1);
    EXPECT_TRUE(page.getAttribute(byId("x_StyleName_x"), "disabled") && page.fieldValue(byId("x_StyleName_x")).empty());

    page.setSelectedIndex(byId("BackColor"), 100);
    page.answerMsgBox(MsgResult::No);
    runCommand(host, "SaveStyleSheet");
    EXPECT_EQ(boxTexts(page).back(), "Style Sheet: Ocean.rws already exists.\r\nDo you want to overwrite it?");
    EXPECT_EQ(fileBytes(project() / "Ocean.rws"), fileBytes(kGolden / "Ocean.rws"));
    page.answerMsgBox(MsgResult::Yes);
    runCommand(host, "SaveStyleSheet");
    EXPECT_TRUE(has(readTextFile(project() / "Ocean.rws"), "BackColor=100\r\n"));

    // A new style under a listed name is chosen, not listed twice.
    chooseStyle("New");
    page.setFieldValue(byId("x_StyleName_x"), "Ocean");
    page.answerMsgBox(MsgResult::Yes);
    runCommand(host, "SaveStyleSheet");
    EXPECT_EQ(styleList(), (std::vector<std::string>{"New", "Ocean.rws"}));
}

TEST_F(StyleCommandsTest, NamesThatCannotNameAFileAreRefusedAndOnlyStyleFilesAreListed) {
    openWindow();
    for (const std::string typed : {"", ".rws", "../evil", "a\\b", "CON"}) {
        page.clearRecords();
        page.setFieldValue(byId("x_StyleName_x"), typed);
        runCommand(host, "SaveStyleSheet");
        ASSERT_EQ(page.shownBoxes().size(), 1u) << typed;
        EXPECT_EQ(boxTexts(page)[0].rfind(typed.empty() ? "Please type in a Name for the new style sheet."
                                                        : "This name cannot be used for a style sheet.", 0), 0u);
    }
    EXPECT_TRUE(listStyleSheets(project()).empty() && listStyleSheets(dir).empty());
    EXPECT_EQ(styleList(), (std::vector<std::string>{"New"}));

    fs::create_directories(project() / "folder.rws");
    // A quote in a file's name does not end the option's value.
    for (const char* name : {"O'Neil.rws", "old.rws.bak", "LOUD.RWS", "notes.txt", "rws", ".tmp.rws"}) {
        writeBytes(project() / name, "x");
    }
    openWindow();
    EXPECT_EQ(styleList(), (std::vector<std::string>{"New", "LOUD.RWS", "O'Neil.rws"}));
    EXPECT_TRUE(has(toText(page.getVariable("SystemStyleSheets")),
                    "<option value='O&#39;Neil.rws'>O'Neil.rws</option>"));
}

TEST_F(StyleCommandsTest, DeletingAsksUnlessNewIsChosenAndDropsAGoneFile) {
    fs::copy_file(kGolden / "Ocean.rws", project() / "Ocean.rws");
    fs::copy_file(kGolden / "Ocean.rws", project() / "Gone.rws");
    openWindow();
    runCommand(host, "DeleteStyleSheet");
    EXPECT_TRUE(page.shownBoxes().empty());

    chooseStyle("Ocean.rws");
    page.answerMsgBox(MsgResult::Cancel);
    runCommand(host, "DeleteStyleSheet");
    EXPECT_EQ(boxTexts(page).back(), "Delete Style Sheet: Ocean.rws");
    EXPECT_TRUE(fs::exists(project() / "Ocean.rws"));

    page.answerMsgBox(MsgResult::OK);
    runCommand(host, "DeleteStyleSheet");
    EXPECT_FALSE(fs::exists(project() / "Ocean.rws"));
    EXPECT_EQ(styleList(), (std::vector<std::string>{"New", "Gone.rws"}));
    EXPECT_EQ(page.selectedIndex(byId("x_ExistingStyles_x")), 0);

    fs::remove(project() / "Gone.rws");
    chooseStyle("Gone.rws");
    page.answerMsgBox(MsgResult::OK);
    runCommand(host, "DeleteStyleSheet");
    EXPECT_EQ(styleList(), (std::vector<std::string>{"New"}));
    EXPECT_EQ(page.shownBoxes().size(), 3u);
}

TEST_F(StyleCommandsTest, LoadingFillsTheWindowReportsDamagedOrMissingFilesAndUsesTheRest) {
    for (const char* name : {"Ocean.rws", "Short.rws", "Damaged.rws"}) fs::copy_file(kGolden / name, project() / name);
    fs::copy_file(kGolden / "Ocean.rws", project() / "Missing.rws");
    openWindow();
    fs::remove(project() / "Missing.rws");
    page.addOption(byId("x_StyleFormList_x"), "Form1", "Form1");
    page.setAttribute(byId("Form1"), "StyleSheet", "Ocean.rws");
    loadStyle("Ocean.rws");
    EXPECT_TRUE(page.shownBoxes().empty());
    EXPECT_EQ(page.selectedIndex(byId("TitleBarFontColor")), 216);
    EXPECT_EQ(page.selectedIndex(byId("BorderStyle")), 8);
    EXPECT_TRUE(page.fieldChecked(page.getElementsByName("BorderOnOff")[1]));
    EXPECT_EQ(page.getAttribute(byId("x_StyleFormList_x"), "style").value_or(""), "");
    EXPECT_TRUE(page.getAttribute(byId("x_StyleName_x"), "disabled") && validated == 0);

    page.setFieldChecked(byId("x_Auto_x"), true);
    loadStyle("New");
    EXPECT_FALSE(page.getAttribute(byId("x_StyleName_x"), "disabled") || page.fieldChecked(byId("x_Auto_x")));

    page.setSelectedIndex(byId("BorderStyle"), 2);
    page.setFieldValue(byId("BorderSize"), "5");

    loadStyle("Short.rws");
    EXPECT_EQ(page.selectedIndex(byId("TitleBarColor")), 12);
    EXPECT_EQ(page.selectedIndex(byId("BorderStyle")), 2);  // line 6 missing: kept
    EXPECT_EQ(page.fieldValue(byId("BorderSize")), "5");
    ASSERT_EQ(page.shownBoxes().size(), 1u);
    EXPECT_NE(boxTexts(page)[0].find("Line 6 (BorderStyle) is missing."), std::string::npos);

    loadStyle("Damaged.rws");
    EXPECT_EQ(page.selectedIndex(byId("TitleBarColor")), 12);  // 999 lies past the list
    EXPECT_EQ(page.selectedIndex(byId("TitleBarFontColor")), 5);
    EXPECT_EQ(page.selectedIndex(byId("BorderStyle")), 4);
    EXPECT_EQ(page.fieldValue(byId("BorderSize")), "3");
    EXPECT_NE(boxTexts(page)[1].find("past the end of its list"), std::string::npos);

    loadStyle("Missing.rws");
    ASSERT_EQ(page.shownBoxes().size(), 3u);
    EXPECT_EQ(boxTexts(page)[2].rfind("Style Sheet: Missing.rws cannot be read", 0), 0u);
    EXPECT_EQ(page.selectedIndex(byId("TitleBarFontColor")), 5);
}

TEST_F(StyleCommandsTest, TheStyleForNewFormsFollowsSavesLoadsAndReopening) {
    openWindow();
    setOcean();
    page.setFieldChecked(byId("x_Auto_x"), true);
    page.setFieldValue(byId("x_StyleName_x"), "Ocean");
    runCommand(host, "SaveStyleSheet");
    EXPECT_EQ(toText(page.getVariable("sUseStyleForNewlyCreatedForms")), "Ocean.rws");
    EXPECT_EQ(toText(page.getArrayEntry("arrStyleForNewForms", 0)), "6");
    EXPECT_EQ(page.getArrayEntry("arrStyleForNewForms", 12), ScriptValue{false});

    // Saved unchecked, it gives the role up.
    page.setFieldChecked(byId("x_Auto_x"), false);
    page.answerMsgBox(MsgResult::Yes);
    runCommand(host, "SaveStyleSheet");
    EXPECT_EQ(toText(page.getVariable("sUseStyleForNewlyCreatedForms")), "");

    // A style loaded with its box ticked takes the role, its own settings recorded.
    writeBytes(project() / "Sand.rws", replaceAll(fileBytes(kGolden / "Ocean.rws"), "x_Auto_x=False", "x_Auto_x=True"));
    page.setVariable("sUseStyleForNewlyCreatedForms", std::string("Ocean.rws"));
    openWindow();
    loadStyle("Sand.rws");
    EXPECT_EQ(toText(page.getVariable("sUseStyleForNewlyCreatedForms")), "Sand.rws");
    EXPECT_EQ(validated, 1);

    // Kept in the project file and read back at open, from the style file.
    page.setArray("arrStyleForNewForms", std::vector<ScriptValue>(17));
    runCommand(host, "SaveExistingProject");
    EXPECT_NE(readTextFile(project() / "Shop.rwp").find("!StyleSheet=Sand.rws!"), std::string::npos);
    DomPage reopened;
    startPage(reopened);
    reopened.answerOtherBoxesWith(MsgResult::OK);
    choose("LoadProject", project(), "Shop.rwp");
    EXPECT_TRUE(reopened.shownBoxes().empty());
    EXPECT_EQ(toText(reopened.getVariable("sUseStyleForNewlyCreatedForms")), "Sand.rws");
    std::vector<std::string> entries;
    for (const ScriptValue& v : reopened.getArray("arrStyleForNewForms")) entries.push_back(toText(v));
    EXPECT_EQ(entries, (std::vector<std::string>{"6", "#0000FF", "216", "#FFFFFF", "0", "3", "#D5CCBB", "#D5CCBB", "0",
                                                 "#000000", "8", "1", "False", "1", "", "Arial", "solid"}));
    EXPECT_EQ(reopened.getArrayEntry("arrStyleForNewForms", 12), ScriptValue{false});
}

TEST_F(StyleCommandsTest, AProjectWhoseStyleForNewFormsIsDamagedStillOpens) {
    struct Case { std::string style, fileText, message; };
    const Case cases[] = {
        {"Short.rws", fileBytes(kGolden / "Short.rws"), "Line 6 (BorderStyle) is missing."},
        {"Gone.rws", "", "cannot be read"},
        {"../Other.rws", "", "is not a style sheet file"},
    };
    std::vector<std::unique_ptr<DomPage>> pages;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        if (!c.fileText.empty()) writeBytes(project() / c.style, c.fileText);
        host.pageRef().setVariable("sUseStyleForNewlyCreatedForms", c.style);
        runCommand(host, "SaveExistingProject");
        DomPage& reopened = *pages.emplace_back(std::make_unique<DomPage>());
        startPage(reopened);
        reopened.answerOtherBoxesWith(MsgResult::OK);
        choose("LoadProject", project(), "Shop.rwp");
        EXPECT_TRUE(boxTexts(reopened).size() == 1 && has(boxTexts(reopened)[0], c.message));
        EXPECT_EQ(formsList(), (std::vector<std::string>{"Form1"}));
    }
}

TEST(StyleCommandsWithoutProject, DoNothingHarmful) {
    Host host;
    DomPage page;
    host.page = &page;
    page.answerOtherBoxesWith(MsgResult::OK);
    for (const char* command : {"GetStyleSheets", "SaveStyleSheet", "DeleteStyleSheet", "LoadStyleData"}) {
        EXPECT_NO_THROW(runCommand(host, command)) << command;
    }
    EXPECT_EQ(toText(page.getVariable("SystemStyleSheets")).find("<option"), std::string::npos);
}
