// Text files in the Windows-1252 code page, written whole and renamed over the old one; the project file's
// lines, their order on saving and what reading keeps.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "StorageFixture.h"
#include "storage/ProjectFile.h"

using namespace zolt;
using namespace zolt::testing;

// The storage fixture's fresh folder `dir` (its designer page is not used).
class TextFileTest : public StorageTest {
protected:
    size_t entriesIn(const fs::path& d) {
        return static_cast<size_t>(std::distance(fs::directory_iterator(d), fs::directory_iterator()));
    }
};

TEST_F(TextFileTest, SingleByteCharactersAndCrLfLinesComeBack) {
    const fs::path file = dir / "Shop.rwp";
    writeTextLines(file, {"«V1.01»", "§F_Go=caption é € « » §"});
    EXPECT_EQ(fileBytes(file), "\xAB" "V1.01\xBB\r\n\xA7" "F_Go=caption \xE9 \x80 \xAB \xBB \xA7\r\n");
    EXPECT_EQ(splitLines(readTextFile(file)), (std::vector<std::string>{"«V1.01»", "§F_Go=caption é € « » §", ""}));
    // A file an editor saved with LF line ends reads alike; a lone CR does not split.
    EXPECT_EQ(splitLines("a\nb\r\nc\rd"), (std::vector<std::string>{"a", "b", "c\rd"}));
    // Characters outside the code page become question marks.
    writeTextFile(file, "Ω and 日本 and 😀 and \xff bad byte, é kept");
    EXPECT_EQ(readTextFile(file), "? and ?? and ? and ? bad byte, é kept");
}

TEST_F(TextFileTest, BadFilesGiveClearErrors) {
    EXPECT_THROW(readTextFile(dir / "missing.rwp"), FileError);
    EXPECT_THROW(readTextFile(dir), FileError);
    // 0x81 is not defined in Windows-1252; NUL means binary data.
    writeBytes(dir / "undefined.rwp", "ok\x81no");
    writeBytes(dir / "binary.rwp", std::string("ab\0cd", 5));
    for (auto name : {"undefined.rwp", "binary.rwp"}) {
        try {
            readTextFile(dir / name);
            FAIL() << name << " was read";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(writeTextFile(dir / "no-such-folder" / "x.rwp", "x"), FileError);
}

TEST_F(TextFileTest, AFailedWriteOrAProcessKilledBeforeTheRenameLeavesTheOldFileWhole) {
    const fs::path file = dir / "Form1.rwf";
    writeTextFile(file, "old text");
    setSaveStepHookForTests([](SaveStep, const fs::path&) { throw FileError("disk gone"); });
    EXPECT_THROW(writeTextFile(file, "new text"), FileError);
    setSaveStepHookForTests(nullptr);
    EXPECT_EQ(readTextFile(file), "old text");
    EXPECT_EQ(entriesIn(dir), 1u);  // no temporary file left

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setSaveStepHookForTests([](SaveStep, const fs::path&) { ::raise(SIGKILL); });
        writeTextFile(file, std::string(1 << 20, 'n'));
        ::_exit(0);  // not reached
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(readTextFile(file), "old text");
    EXPECT_EQ(entriesIn(dir), 2u);  // only the abandoned temporary file lies beside it
}

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
