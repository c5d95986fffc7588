// DomPage: script variables and arrays, page routines, boxes and windows.
#include <gtest/gtest.h>

#include <stdexcept>

#include "page/DomPage.h"

using namespace zolt;

TEST(DomPageVariables, ValuesAndArrays) {
    DomPage page;
    EXPECT_TRUE(std::holds_alternative<std::monostate>(page.getVariable("sNeverSet")));
    page.setVariable("bProjectInfoChanged", true);
    EXPECT_EQ(page.getVariable("bProjectInfoChanged"), ScriptValue{true});
    page.setVariable("SelectedObj", page.body());
    EXPECT_EQ(toElement(page.getVariable("SelectedObj")), page.body());

    EXPECT_TRUE(page.getArray("arrNone").empty());
    page.setArray("arrColor", {std::string("#000000"), 2.0});
    EXPECT_EQ(page.getArrayEntry("arrColor", 1), ScriptValue{2.0});
    EXPECT_TRUE(std::holds_alternative<std::monostate>(page.getArrayEntry("arrColor", 9)));
    page.setArrayEntry("arrColor", 3, std::string("x"));
    EXPECT_EQ(page.getArray("arrColor").size(), 4u);
    page.setArrayEntry("arrNew", 0, 1.0);
    EXPECT_EQ(page.getArray("arrNew"), std::vector<ScriptValue>{1.0});

    EXPECT_THROW(page.getVariable("arrColor"), PageError);
    EXPECT_THROW(page.setArrayEntry("bProjectInfoChanged", 0, 1.0), PageError);
    EXPECT_THROW(page.getArrayEntry("arrColor", -1), PageError);
}

TEST(DomPageRoutines, CalledByNameWithArgumentsByReference) {
    DomPage page("<div id=f></div>");
    page.registerRoutine("BringUpToDateForm", [](DomPage& p, std::vector<ScriptValue>& args) {
        p.setAttribute(toElement(args.at(0)), "upgraded", "true");
        args.at(1) = std::string("V1.01");
        return ScriptValue{true};
    });
    Element f = page.getElementById("f");
    CallResult r = page.call("BringUpToDateForm", {f, std::string("V1.00")});
    EXPECT_EQ(r.value, ScriptValue{true});
    EXPECT_EQ(r.args.at(1), ScriptValue{std::string("V1.01")});
    EXPECT_EQ(page.getAttribute(f, "upgraded"), "true");

    EXPECT_THROW(page.call("NoSuchRoutine"), PageError);
    page.registerRoutine("Broken", [](DomPage&, std::vector<ScriptValue>& args) {
        return args.at(5);  // std::out_of_range inside the routine
    });
    EXPECT_THROW(page.call("Broken"), PageError);
}

TEST(DomPageBoxes, AnsweredFromTheScriptAndRecorded) {
    DomPage page;
    page.answerMsgBox(MsgResult::Yes);
    page.answerInputBox(std::string("Orders"));
    page.answerInputBox(std::nullopt);
    EXPECT_EQ(page.msgBox("Save changes?", MsgButtons::YesNoCancel, MsgIcon::Question), MsgResult::Yes);
    EXPECT_EQ(page.inputBox("Form name:", "ZOLT", "Form1"), "Orders");
    EXPECT_EQ(page.inputBox("Again:"), std::nullopt);
    EXPECT_EQ(page.pendingAnswers(), 0u);
    ASSERT_EQ(page.shownBoxes().size(), 3u);
    EXPECT_EQ(page.shownBoxes()[0].text, "Save changes?");
    EXPECT_EQ(page.shownBoxes()[1].defaultText, "Form1");

    EXPECT_THROW(page.msgBox("Surprise", MsgButtons::OK, MsgIcon::Information), PageError);
    page.answerInputBox(std::string("x"));
    EXPECT_THROW(page.msgBox("Wrong kind", MsgButtons::OK, MsgIcon::None), PageError);
    page.answerMsgBox(MsgResult::Yes);
    EXPECT_EQ(page.inputBox("The answer still waits"), "x");
    EXPECT_THROW(page.inputBox("Wrong kind"), PageError);
    // An answer that is not on the box is refused.
    DomPage other;
    other.answerMsgBox(MsgResult::Cancel);
    EXPECT_THROW(other.msgBox("Built.", MsgButtons::OK, MsgIcon::Information), PageError);
}
