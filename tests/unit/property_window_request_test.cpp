// The request for the Properties window: tables built once, shown again, refused without forms.
#include <gtest/gtest.h>

#include "app/Routines.h"
#include "page/DomPage.h"

using namespace zolt;

namespace {

struct PropertyWindowRequest : ::testing::Test {
    DomPage page{"<select id=x_FormsList_x></select><div id=x_MainProp_x></div><div id=Form1></div>"};
    Host host;
    std::vector<std::string> calls;  // page routines called, with the Loading window's text while it shows

    void SetUp() override {
        host.page = &page;
        page.setVariable("SelectedObj", page.getElementById("Form1"));
        page.setVariable("bPropertyWindowCreated", false);
        page.setVariable("bPropertyWindowOpen", false);
        for (const char* routine : {"BuildProperties", "CheckProperty"}) {
            page.registerRoutine(routine, [this, routine](DomPage& p, std::vector<ScriptValue>& args) {
                Element loading = p.getElementById("lblLoading");
                calls.push_back(std::string(routine) + " " +
                                (std::holds_alternative<Element>(args.at(0)) ? p.getAttribute(toElement(args[0]), "id").value_or("")
                                                                             : toText(args[0])) +
                                (loading ? " under " + p.innerText(loading) : ""));
                return ScriptValue{};
            });
        }
    }
    void forms(int n) { page.setOptionCount(page.getElementById("x_FormsList_x"), n); }
};

}  // namespace

TEST_F(PropertyWindowRequest, TheFirstRequestBuildsEveryTableUnderTheLoadingWindowLaterOnesShowIt) {
    forms(1);
    ShowPropertyWindowCommand(host);
    std::vector<std::string> expected;
    for (const char* type : {"F", "L", "T", "B", "CK", "O", "CB", "LB", "IM", "TBL", "TXTA", "FRA", "TAB", "CAL",
                             "LNK", "UL"}) {
        expected.push_back(std::string("BuildProperties ") + type + " under Loading");
    }
    expected.push_back("CheckProperty Form1");
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(page.getElementById("frmLoading"));
    EXPECT_EQ(toText(page.getVariable("PreviousPropertyType")), "F");
    EXPECT_TRUE(toBool(page.getVariable("bPropertyWindowCreated")));

    calls.clear();
    page.setVariable("bPropertyWindowOpen", true);
    ShowPropertyWindowCommand(host);
    EXPECT_TRUE(calls.empty()) << "a request while the window is open changes nothing";

    page.setVariable("bPropertyWindowOpen", false);
    ShowPropertyWindowCommand(host);
    EXPECT_EQ(calls, std::vector<std::string>{"CheckProperty Form1"});
    EXPECT_EQ(page.styleValue(page.getElementById("x_MainProp_x"), "display"), "inline");
    EXPECT_TRUE(toBool(page.getVariable("bPropertyWindowOpen")));
}

TEST_F(PropertyWindowRequest, NoFormsGivesTheMessageWhetherOrNotTheTablesExist) {
    for (bool created : {false, true}) {
        page.setVariable("bPropertyWindowCreated", created);
        page.answerMsgBox(MsgResult::OK);
        ShowPropertyWindowCommand(host);
        ASSERT_EQ(page.shownBoxes().size(), 1u);
        EXPECT_EQ(page.shownBoxes()[0].text, "You cannot display the Properties window because your project has no forms.");
        EXPECT_EQ(toBool(page.getVariable("bPropertyWindowCreated")), created);
        page.clearRecords();
    }
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(page.styleValue(page.getElementById("x_MainProp_x"), "display"), "");
}
