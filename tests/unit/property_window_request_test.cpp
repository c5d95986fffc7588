#include <gtest/gtest.h>

#include "FakePage.h"
#include "host/Routines.h"

using namespace zolt;
using zolt::testing::FakePage;

namespace {

struct PropertyWindowRequest : ::testing::Test {
    FakePage page;
    Host host;
    Element forms, mainProp, selected;

    void SetUp() override {
        host.page = &page;
        forms = page.add("x_FormsList_x");
        mainProp = page.add("x_MainProp_x");
        selected = page.add("Form1");
        page.variables["SelectedObj"] = selected;
        page.variables["bPropertyWindowCreated"] = false;
        page.variables["bPropertyWindowOpen"] = false;
    }
};

}  // namespace

TEST_F(PropertyWindowRequest, FirstRequestBuildsEveryTableUnderTheLoadingWindow) {
    page.optionCounts[forms.handle] = 1;
    ShowPropertyWindowCommand(host);

    std::vector<std::string> expected = {"attr frmloading open"};
    for (const char* type : {"F", "L", "T", "B", "CK", "O", "CB", "LB", "IM", "TBL", "TXTA", "FRA", "TAB", "CAL",
                             "LNK", "UL"}) {
        expected.push_back(std::string("call BuildProperties ") + type);
    }
    expected.push_back("remove frmloading");
    expected.push_back("call CheckProperty form1");
    EXPECT_EQ(page.log, expected);
    EXPECT_EQ(toText(page.variables["PreviousPropertyType"]), "F");
    EXPECT_TRUE(toBool(page.variables["bPropertyWindowCreated"]));
    EXPECT_EQ(page.texts[page.getElementById("lblLoading").handle], "Loading");
}

TEST_F(PropertyWindowRequest, LaterRequestsShowTheWindowWithoutRebuilding) {
    page.optionCounts[forms.handle] = 2;
    page.variables["bPropertyWindowCreated"] = true;
    page.variables["bPropertyWindowOpen"] = true;
    ShowPropertyWindowCommand(host);
    EXPECT_TRUE(page.log.empty()) << "a request while the window is open changes nothing";

    page.variables["bPropertyWindowOpen"] = false;
    ShowPropertyWindowCommand(host);
    EXPECT_EQ(page.log, (std::vector<std::string>{"style x_mainprop_x display=inline", "call CheckProperty form1"}));
    EXPECT_TRUE(toBool(page.variables["bPropertyWindowOpen"]));
}

TEST_F(PropertyWindowRequest, NoFormsGivesTheMessageWhetherOrNotTheTablesExist) {
    const std::string message =
        "msgBox You cannot display the Properties window because your project has no forms.";
    ShowPropertyWindowCommand(host);
    EXPECT_EQ(page.log, std::vector<std::string>{message});
    EXPECT_FALSE(toBool(page.variables["bPropertyWindowCreated"]));

    page.log.clear();
    page.variables["bPropertyWindowCreated"] = true;
    ShowPropertyWindowCommand(host);
    EXPECT_EQ(page.log, std::vector<std::string>{message});
    EXPECT_EQ((page.styles[{mainProp.handle, "display"}]), "");
}
