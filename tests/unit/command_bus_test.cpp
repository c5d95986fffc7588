// Finding the command in a text the page sends, its pieces, and running it.
#include <gtest/gtest.h>

#include "app/CommandTable.h"
#include "host/CommandBus.h"

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

TEST(CommandBus, PiecesSplitAtEveryAmpersand) {
    EXPECT_EQ(splitPieces("a&&b&"), (std::vector<std::string>{"a", "", "b", ""}));

    auto deleted = parseCommand("about:UpdateProjectFile.asp&&Form2&True");
    ASSERT_TRUE(deleted);
    EXPECT_TRUE(deleted->argumentsValid);
    EXPECT_EQ(deleted->pieces, (std::vector<std::string>{"about:UpdateProjectFile.asp", "", "Form2", "True"}));

    auto renamed = parseCommand("UpdateProjectFile.asp&Orders & More&Form1&False");
    EXPECT_EQ(renamed->pieces[1], "Orders ");  // used as they stand, nothing trimmed
    EXPECT_EQ(renamed->pieces.size(), 5u);     // a name holding "&" shifts the pieces

    EXPECT_FALSE(parseCommand("UpdateProjectFile.asp&New&Old")->argumentsValid);
}

TEST(CommandBus, SaveFlagIsTrueOnlyWhenTrueOccursAndBuildModeIsASixteenBitPieceOne) {
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
    EXPECT_TRUE(runCommand(host, "BuildProject&x"));
    EXPECT_TRUE(runCommand(host, "UpdateProjectFile.asp&a"));
    // A chooser command without a page fails, after DialogMode is set.
    EXPECT_THROW(runCommand(host, "LoadForm"), PageError);
    EXPECT_EQ(host.DialogMode, "LoadForm");
}
