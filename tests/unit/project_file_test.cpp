// The project file's lines: their order on saving and what reading keeps.
#include <gtest/gtest.h>

#include "storage/ProjectFile.h"
#include "storage/TextFile.h"

using namespace zolt;

TEST(ProjectFile, SavedLinesComeInTheirOrder) {
    ProjectFileContent c;
    c.bodyColor = "ffffff";
    c.bcIndex = "216";
    c.pageTitle = "Shop «Ω»";
    c.lastActiveForm = "Form2";
    c.projectStartForm = "Form1";
    c.deletedForms = {"3", "5"};
    c.code = {{"F_Declarations", "Dim x"},
              {"F_Total", "Function Total(a)\r\n  Total = a # 2 % 3\r\nEnd Function"},
              {"C_onload", "ShowForm(\"Form1\")"}};
    c.forms = {{"Form1", true}, {"Form2", false}};
    c.functions = {"Total(a)"};
    c.positions = {{"ToolBar1", "0", "0"}, {"ToolBar4", "700", "40"}, {"PropWin", "12", "34"}};
    std::vector<std::string> expected = {
        "«V1.01»", noticeLine(), "«Project»", "!BodyColor=ffffff!", "!BCIndex=216!",
        "!PageTitle=Shop «Ω»!", "!ImageLocation=!", "!LastActiveForm=Form2!",
        "!ProjectStartForm=Form1!", "!StyleSheet=none!", "!ProjectDeletedForms=3/5!",
        "«Body Code»", "§F_Declarations=Dim x§", "§F_Total=Function Total(a)",
        "  Total = a # 2 % 3", "End Function§", "§C_onload=ShowForm(\"Form1\")§", "«Forms»",
        "#Form1/True#", "#Form2/False#", "+Total(a)+", "«Positions»", "%ToolBar1=0,0%",
        "%ToolBar4=700,40%", "%PropWin=12,34%", ""};
    EXPECT_EQ(splitLines(writeProjectFile(c)), expected);

    c.deletedForms.clear();
    c.styleSheet = "Blue";
    const std::string text = writeProjectFile(c);
    EXPECT_EQ(text.find("ProjectDeletedForms"), std::string::npos);
    EXPECT_NE(text.find("!StyleSheet=Blue!\r\n"), std::string::npos);
}

// Whole saved projects read back through storage_save_open_test; here the odd lines.
TEST(ProjectFile, ReadingRulesForOddLines) {
    const std::string text =
        "anything\r\nat all\r\nhere\r\n"
        "  #  Orders/False  #  \r\n"          // blanks around the entry are trimmed
        "!PageTitle=My BodyColor shop!\r\n"   // a value holding another key's name
        "!Unknown=1!\r\n"                     // keys nobody knows are left out
        "%Somewhere=1,2%\r\n"
        "%PropWin=%\r\n"                      // a property window that was closed
        "§f_lower=x = 1§\r\n"                 // names in the page's small letters
        "§C_onclick=a§\r\n"
        "§F_Open=line one\r\n"                // function code over lines that hold other markers
        "  a # 2 % 3\r\n"
        "line three§\r\n"
        "§NotCode=1§\r\n"
        "«Positions»\r\n";
    std::vector<std::tuple<ProjectLine::Kind, std::string, std::string>> got;
    for (const auto& l : readProjectFile(text)) got.emplace_back(l.kind, l.name, l.value);
    using K = ProjectLine::Kind;
    EXPECT_EQ(got, (std::vector<std::tuple<K, std::string, std::string>>{
                       {K::Form, "", "Orders/False"}, {K::Key, "PageTitle", "My BodyColor shop"},
                       {K::Position, "PropWin", ""}, {K::Code, "f_lower", "x = 1"}, {K::Code, "C_onclick", "a"},
                       {K::Code, "F_Open", "line one\r\n  a # 2 % 3\r\nline three"}}));
}
