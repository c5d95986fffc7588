// Text files in the Windows-1252 code page, written whole and renamed over the old one.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "StorageFixture.h"

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
