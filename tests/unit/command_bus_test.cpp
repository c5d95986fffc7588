// Finding the command in a text the page sends, its pieces, and running it; the Properties window request.
#include <gtest/gtest.h>

#include "app/CommandTable.h"
#include "app/Routines.h"
#include "host/CommandBus.h"
#include "page/DomPage.h"

using namespace zolt;

TEST(CommandBus, NamesAreFoundAnywhereAndTheEarliestRowWins) {
    // No name contains an earlier one, so each is reachable by its own text.
    ASSERT_EQ(commandNames().size(), 17u);
    for (std::size_t i = 0; i < commandNames().size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(parseCommand(commandNames()[i])->command), i) << commandNames()[i];
    }
    const std::pair<const char*, std::optional<Command>> cases[] = {
        {"about:blankBuildProject&1", Command::BuildProject},
        {"http://127.0.0.1:8000/GetStyleSheets", Command::GetStyleSheets},
        {"SaveNewProjectName", Command::NewProject},  // the rename with a single "w" holds "NewProject"
        {"SaveNewwProjectName", Command::SaveNewwProjectName},
        {"ShowPropertyWinLoadForm", Command::LoadForm},
        {"about:blank", {}}, {"http://example.com/", {}}, {"", {}}, {"newproject", {}}, {"NEWPROJECT", {}},
        {"Build Project", {}}, {"ZoltTestHook&noop", {}},
    };
    for (const auto& [text, command] : cases) {
        auto parsed = parseCommand(text);
        EXPECT_EQ(parsed ? std::optional(parsed->command) : std::nullopt, command) << text;
    }
    // The test command exists only when enabled, and after every real row.
    EXPECT_EQ(parseCommand("ZoltTestHook&noop", true)->command, Command::TestHook);
    EXPECT_EQ(parseCommand("ZoltTestHook&LoadForm", true)->command, Command::LoadForm);
}

TEST(CommandBus, PiecesSplitAtEveryAmpersandTheSaveFlagAndTheBuildMode) {
    EXPECT_EQ(splitPieces("a&&b&"), (std::vector<std::string>{"a", "", "b", ""}));

    auto deleted = parseCommand("about:UpdateProjectFile.asp&&Form2&True");
    ASSERT_TRUE(deleted && deleted->argumentsValid);
    EXPECT_EQ(deleted->pieces, (std::vector<std::string>{"about:UpdateProjectFile.asp", "", "Form2", "True"}));

    auto renamed = parseCommand("UpdateProjectFile.asp&Orders & More&Form1&False");
    EXPECT_EQ(renamed->pieces[1], "Orders ");  // used as they stand, nothing trimmed
    EXPECT_EQ(renamed->pieces.size(), 5u);     // a name holding "&" shifts the pieces

    EXPECT_FALSE(parseCommand("UpdateProjectFile.asp&New&Old")->argumentsValid);

    for (auto [text, flag] : {std::pair{"SaveExistingProject&false", false}, {"SaveExistingProjectFalse", false},
                              {"SaveExistingProjectTrue", true}, {"SaveExistingProjecttrue", false}}) {
        EXPECT_EQ(parseCommand(text)->flag, flag) << text;
    }
    EXPECT_EQ(parseCommand("BuildProject&1")->buildMode, 1);
    EXPECT_EQ(parseCommand("BuildProject&0")->buildMode, 0);
    for (const char* bad : {"BuildProject", "BuildProject&", "BuildProject&x", "BuildProject&1x", "BuildProject&70000"}) {
        EXPECT_FALSE(parseCommand(bad)->argumentsValid) << bad;
    }
}

TEST(CommandBus, RunningSetsTheHostVariablesOfItsRows) {
    Host host;  // no page: only rows that need none
    EXPECT_FALSE(runCommand(host, "about:blank"));
    // The page announces a reload it may not make (F5 answered No, then the browser's own question answered Stay); the
    // reloaded page's connection moves the host to its start screen, the announcement not.
    EXPECT_TRUE(runCommand(host, "UpdateGlobalStartScreen"));
    EXPECT_FALSE(host.StartScreenShown);
    // Commands with bad pieces are taken and ignored.
    EXPECT_TRUE(runCommand(host, "BuildProject&x") && runCommand(host, "UpdateProjectFile.asp&a"));
    // A chooser command without a page fails, after DialogMode is set.
    EXPECT_THROW(runCommand(host, "LoadForm"), PageError);
    EXPECT_EQ(host.DialogMode, "LoadForm");
}

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
};

}  // namespace

TEST_F(PropertyWindowRequest, TheFirstRequestBuildsEveryTableUnderTheLoadingWindowLaterOnesShowIt) {
    page.setOptionCount(page.getElementById("x_FormsList_x"), 1);
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
