// The server under load and attack, the files it serves, its token and the page text.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <thread>

#include <boost/asio/write.hpp>
#include <nlohmann/json.hpp>

#include "fake_page.h"
#include "host/PageText.h"
#include "host/Server.h"
#include "host/StaticFiles.h"
#include "page/BrowserPage.h"

using namespace zolt;
namespace asio = boost::asio;
namespace beast = boost::beast;
using tcp = asio::ip::tcp;
using nlohmann::json;
using namespace zolt::testing;
namespace fs = std::filesystem;

namespace {

struct ServerTest : ::testing::Test {
    std::string token = makeToken();
    std::unique_ptr<Server> server;
    void start(ServerOptions o) {
        o.appFolder = ZOLT_APP_DIR;
        o.token = token;
        o.pageTemplate = "<html></html>";
        server = std::make_unique<Server>(std::move(o));
        server->start();
    }
};

}  // namespace

TEST_F(ServerTest, IdleAndGarbageConnectionsTimeOutWhileThePageGoesOnWorking) {
    ServerOptions o;
    o.maxConnections = 64;
    o.requestTimeout = std::chrono::milliseconds(400);
    start(o);
    const unsigned short port = server->port();

    // More idle connections than the server holds, and some sending garbage.
    asio::io_context ioc;
    std::vector<tcp::socket> idle, garbage;
    for (int i = 0; i < 100; ++i) idle.push_back(connectTo(ioc, port));
    for (int i = 0; i < 20; ++i) {
        garbage.push_back(connectTo(ioc, port));
        beast::error_code ec;
        asio::write(garbage.back(), asio::buffer(std::string("\x16\x03\x01 garbage\r\n\r\n\r\n")), ec);
    }

    // While they are taken in, never more are open at once than the bound.
    int most = 0;
    for (int i = 0; i < 60; ++i) {
        most = std::max(most, server->openConnections());
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_LE(most, o.maxConnections);

    std::thread page(answeringPage, port, token);
    auto socket = server->waitForPage(std::chrono::seconds(10));
    ASSERT_TRUE(socket);
    BrowserPage browser(std::move(socket), [](const std::string&, const json&) { return json(true); });
    for (int i = 0; i < 200; ++i) ASSERT_EQ(toText(browser.getVariable("v" + std::to_string(i))), "v" + std::to_string(i));
    EXPECT_EQ(getWithToken(port, token, "/app/ColorChart.js"), 200);

    // The server ended every idle connection (one kept open fails the poll instead of hanging the test).
    for (tcp::socket& s : idle) {
        EXPECT_LE(server->openConnections(), o.maxConnections);
        pollfd ready{s.native_handle(), POLLIN, 0};
        ASSERT_EQ(::poll(&ready, 1, 30000), 1) << "an idle connection stayed open";
        char c;
        beast::error_code ec;
        s.read_some(asio::buffer(&c, 1), ec);
        EXPECT_TRUE(ec) << "an idle connection was answered";
    }
    for (int i = 0; i < 50 && server->openConnections() > 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(server->openConnections(), 0);
    browser.close();
    page.join();
}

TEST_F(ServerTest, WithoutDescriptorsTheServerRestsInsteadOfSpinningAndRecovers) {
    int toTest[2], toServer[2];
    ASSERT_EQ(::pipe(toTest), 0);
    ASSERT_EQ(::pipe(toServer), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The server in a process of its own with few descriptors, knocked at from outside.
        rlimit few{32, 32};
        ::setrlimit(RLIMIT_NOFILE, &few);
        start({});
        unsigned short port = server->port();
        (void)!::write(toTest[1], &port, sizeof port);
        char c;
        (void)!::read(toServer[0], &c, 1);  // the flood is in
        // Counted, not timed: a loop that rests tries a few times a second, one that spins thousands of times.
        for (int i = 0; i < 200 && server->failedAccepts() == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        const auto start = std::chrono::steady_clock::now();
        const long before = server->failedAccepts();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const long tries = server->failedAccepts() - before;
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        const long allowed = waited.count() / 50 + 5;  // twice the pauses that fit, and some
        const char verdict = before == 0 ? 'x' : tries > allowed ? 'n' : 'y';
        (void)!::write(toTest[1], &verdict, 1);
        std::this_thread::sleep_for(std::chrono::seconds(30));  // until the test ends it
        ::_exit(0);
    }
    unsigned short port = 0;
    ASSERT_EQ(::read(toTest[0], &port, sizeof port), static_cast<ssize_t>(sizeof port));
    asio::io_context ioc;
    std::vector<tcp::socket> flood;
    for (int i = 0; i < 60; ++i) flood.push_back(connectTo(ioc, port));
    char c = 'x', verdict = 0;
    (void)!::write(toServer[1], &c, 1);
    ASSERT_EQ(::read(toTest[0], &verdict, 1), 1);
    EXPECT_NE(verdict, 'x') << "the server never ran out of descriptors";
    EXPECT_NE(verdict, 'n') << "the accept loop spun while out of descriptors";
    // The flood gone, the server answers again.
    flood.clear();
    int status = 0;
    for (int i = 0; i < 50 && status != 200; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        status = getWithToken(port, token, "/app/ColorChart.js");
    }
    EXPECT_EQ(status, 200);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

TEST_F(ServerTest, OfTheApplicationFolderOnlyWhatThePageLoadsIsServed) {
    start({});
    const unsigned short port = server->port();
    const struct { const char* path; int status; } cases[] = {
        {"/app/ColorChart.js", 200}, {"/app/images/CLOSEBUTTON.JPG", 200}, {"/app/Temp/ZOLTJSStatic.js", 200},
        {"/app/zolt", 404}, {"/app/Temp/other.js", 404}, {"/app/Images/../zolt", 403}, {"/app/Images/.hidden", 404}};
    for (const auto& c : cases) EXPECT_EQ(getWithToken(port, token, c.path), c.status) << c.path;
}

TEST(ServedFolder, FilesInsideAreFoundWithoutRegardToCaseAndNothingOutside) {
    const fs::path base = fs::temp_directory_path() / ("zolt-static-" + std::to_string(::getpid())), root = base / "app";
    fs::remove_all(base);
    fs::create_directories(root / "Images");
    for (const fs::path& f :
         {root / "Images/comp_logo.jpg", root / "ColorChart.js", root / "two words.js", base / "secret.txt"}) {
        std::ofstream(f) << "x";
    }
    fs::create_symlink(base / "secret.txt", root / "link.txt");
    fs::create_directory_symlink(base, root / "up");
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
    fs::remove_all(base);
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
