// The server under load and attack, and what of the application folder it serves.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include <boost/asio/write.hpp>
#include <nlohmann/json.hpp>

#include "fake_page.h"
#include "host/Server.h"
#include "host/StaticFiles.h"
#include "page/BrowserPage.h"

using namespace zolt;
namespace asio = boost::asio;
namespace beast = boost::beast;
using tcp = asio::ip::tcp;
using nlohmann::json;
using namespace zolt::testing;

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
        {"/app/ColorChart.js", 200},         {"/app/images/CLOSEBUTTON.JPG", 200}, {"/app/Temp/ZOLTJSStatic.js", 200},
        {"/app/zolt", 404},                  {"/app/Temp/other.js", 404},           {"/app/Images/../zolt", 403},
        {"/app/Images/.hidden", 404},
    };
    for (const auto& c : cases) EXPECT_EQ(getWithToken(port, token, c.path), c.status) << c.path;
}
