// The project file's lines: their order on saving and what reading keeps.
#include <gtest/gtest.h>

#include "storage/ProjectFile.h"
#include "storage/TextFile.h"

using namespace zolt;
using Kind = ProjectLine::Kind;

namespace {

ProjectFileContent sampleProject() {
    ProjectFileContent c;
    c.bodyColor = "ffffff";
    c.bcIndex = "216";
    c.pageTitle = "Shop «Ω»";
    c.imageLocation = "";
    c.lastActiveForm = "Form2";
    c.projectStartForm = "Form1";
    c.deletedForms = {"3", "5"};
    c.code = {{"F_Declarations", "Dim x"},
              {"F_Total", "Function Total(a)\r\n  Total = a # 2 % 3\r\nEnd Function"},
              {"C_onload", "ShowForm(\"Form1\")"}};
    c.forms = {{"Form1", true}, {"Form2", false}};
    c.functions = {"Total(a)"};
    c.positions = {{"ToolBar1", "0", "0"}, {"ToolBar4", "700", "40"}, {"PropWin", "12", "34"}};
    return c;
}

}  // namespace

TEST(ProjectFile, SavedLinesComeInTheirOrder) {
    ProjectFileContent c = sampleProject();
    auto lines = splitLines(writeProjectFile(c));
    std::vector<std::string> expected = {
        "«V1.01»", noticeLine(), "«Project»", "!BodyColor=ffffff!", "!BCIndex=216!",
        "!PageTitle=Shop «Ω»!", "!ImageLocation=!", "!LastActiveForm=Form2!",
        "!ProjectStartForm=Form1!", "!StyleSheet=none!", "!ProjectDeletedForms=3/5!",
        "«Body Code»", "§F_Declarations=Dim x§", "§F_Total=Function Total(a)",
        "  Total = a # 2 % 3", "End Function§", "§C_onload=ShowForm(\"Form1\")§", "«Forms»",
        "#Form1/True#", "#Form2/False#", "+Total(a)+", "«Positions»", "%ToolBar1=0,0%",
        "%ToolBar4=700,40%", "%PropWin=12,34%", ""};
    EXPECT_EQ(lines, expected);

    c.deletedForms.clear();
    c.styleSheet = "Blue";
    const std::string text = writeProjectFile(c);
    EXPECT_EQ(text.find("ProjectDeletedForms"), std::string::npos);
    EXPECT_NE(text.find("!StyleSheet=Blue!\r\n"), std::string::npos);
}

TEST(ProjectFile, WhatIsWrittenReadsBack) {
    auto read = readProjectFile(writeProjectFile(sampleProject()));
    std::vector<std::tuple<Kind, std::string, std::string>> got;
    for (const auto& l : read) got.emplace_back(l.kind, l.name, l.value);
    std::vector<std::tuple<Kind, std::string, std::string>> expected = {
        {Kind::Key, "BodyColor", "ffffff"}, {Kind::Key, "BCIndex", "216"}, {Kind::Key, "PageTitle", "Shop «Ω»"},
        {Kind::Key, "ImageLocation", ""}, {Kind::Key, "LastActiveForm", "Form2"},
        {Kind::Key, "ProjectStartForm", "Form1"}, {Kind::Key, "StyleSheet", "none"},
        {Kind::Key, "ProjectDeletedForms", "3/5"}, {Kind::Code, "F_Declarations", "Dim x"},
        // Its middle line holds "#" and "%": it is part of the code all the same.
        {Kind::Code, "F_Total", "Function Total(a)\r\n  Total = a # 2 % 3\r\nEnd Function"},
        {Kind::Code, "C_onload", "ShowForm(\"Form1\")"}, {Kind::Form, "", "Form1/True"}, {Kind::Form, "", "Form2/False"},
        {Kind::Function, "", "Total(a)"}, {Kind::Position, "ToolBar1", "0,0"}, {Kind::Position, "ToolBar4", "700,40"},
        {Kind::Position, "PropWin", "12,34"},
    };
    EXPECT_EQ(got, expected);
}

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
        "§F_Open=line one\r\n"                // function code over two lines ...
        "line two§\r\n"
        "§NotCode=1§\r\n"
        "«Positions»\r\n";
    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& l : readProjectFile(text)) got.emplace_back(l.name, l.value);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::string>>{
                       {"", "Orders/False"}, {"PageTitle", "My BodyColor shop"}, {"PropWin", ""}, {"f_lower", "x = 1"},
                       {"C_onclick", "a"}, {"F_Open", "line one\r\nline two"}}));
}
