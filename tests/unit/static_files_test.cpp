#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/PageText.h"
#include "host/StaticFiles.h"

using namespace zolt;
namespace fs = std::filesystem;

namespace {

struct ServedFolder : ::testing::Test {
    fs::path base, root;
    void SetUp() override {
        base = fs::temp_directory_path() / ("zolt-static-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base);
        root = base / "app";
        fs::create_directories(root / "Images");
        std::ofstream(root / "Images" / "comp_logo.jpg") << "jpg";
        std::ofstream(root / "ColorChart.js") << "js";
        std::ofstream(root / "two words.js") << "js";
        std::ofstream(base / "secret.txt") << "secret";
        fs::create_symlink(base / "secret.txt", root / "link.txt");
        fs::create_directory_symlink(base, root / "up");
    }
    void TearDown() override { fs::remove_all(base); }
};

}  // namespace

TEST_F(ServedFolder, FilesInsideAreFoundWithoutRegardToCaseAndNothingOutside) {
    EXPECT_EQ(resolveStaticFile(root, "ColorChart.js"), fs::canonical(root / "ColorChart.js"));
    EXPECT_EQ(resolveStaticFile(root, "images/COMP_LOGO.JPG"), fs::canonical(root / "Images" / "comp_logo.jpg"));
    EXPECT_EQ(resolveStaticFile(root, "two%20words.js"), fs::canonical(root / "two words.js"));
    EXPECT_FALSE(resolveStaticFile(root, "Images"));        // folders are not served
    EXPECT_FALSE(resolveStaticFile(root, "missing.js"));
    // Paths that leave the folder are refused.
    for (const char* bad : {"../secret.txt", "Images/../../secret.txt", "%2e%2e/secret.txt", "%2E%2E/secret.txt",
                            "Images%2f..%2f..%2fsecret.txt", "..%5csecret.txt", "..\\secret.txt", "./ColorChart.js",
                            "Images//comp_logo.jpg", "", "%zz", "%2", "a%00b", "/ColorChart.js"}) {
        EXPECT_FALSE(safeSegments(bad) && resolveStaticFile(root, bad)) << bad;
    }
    // Symbolic links that lead outside are refused too.
    EXPECT_TRUE(safeSegments("link.txt"));
    EXPECT_FALSE(resolveStaticFile(root, "link.txt"));
    EXPECT_FALSE(resolveStaticFile(root, "up/secret.txt"));
}

TEST(Token, RandomHexComparedWholeAndFoundInQueryAndCookie) {
    const std::string a = makeToken(), b = makeToken();
    EXPECT_EQ(a.size(), 64u);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_TRUE(sameToken(a, a));
    EXPECT_FALSE(sameToken(a, b));
    EXPECT_FALSE(sameToken(a, a.substr(0, 63)));
    EXPECT_FALSE(sameToken("", ""));
    // Found in the query and the cookie.
    EXPECT_EQ(queryParameter("a=1&token=xyz&b=2", "token"), "xyz");
    EXPECT_FALSE(queryParameter("mytoken=xyz", "token"));
    EXPECT_EQ(cookieValue("x=1; zolt_token_80=abc; y=2", "zolt_token_80"), "abc");
    EXPECT_FALSE(cookieValue("zolt_token_81=abc", "zolt_token_80"));
}

TEST(PageText, PlaceholdersFilledInOrderEveryTime) {
    const std::string page =
        "<script>var aPath=<replace1></script><script src=\"<replace2>\"></script>"
        "<div style=\"background-image: <replace3>\" v=\"<x_Velkora_Version_x>\"></div><replace1>"
        "<REPLACE2>";
    const std::string filled = preparePage(page, "http://127.0.0.1:9");
    EXPECT_EQ(filled,
              "<script>var aPath=\"http://127.0.0.1:9/app\";</script>"
              "<script src=\"http://127.0.0.1:9/app/ColorChart.js\"></script>"
              "<div style=\"background-image: url(http://127.0.0.1:9/app/Images/comp_logo.jpg);\" v=\"V1.01\"></div>"
              "\"http://127.0.0.1:9/app\";<REPLACE2>");
}
