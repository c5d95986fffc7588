// BrowserPage over a scripted socket; the server under load and attack, the files it serves, its token, the page text.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <deque>
#include <functional>
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

// Plays the page: `respond` gets each message the host writes and queues the page's messages for the host.
class ScriptedSocket : public PageSocket {
public:
    std::function<void(const json&, std::deque<std::string>&)> respond;
    std::vector<json> written;
    std::deque<std::string> incoming;

    std::string read() override {
        if (incoming.empty()) throw ConnectionLost("closed");
        std::string m = incoming.front();
        incoming.pop_front();
        return m;
    }
    void write(const std::string& message) override {
        written.push_back(json::parse(message));
        if (respond) respond(written.back(), incoming);
    }
    void close() override {}
};

json ret(const json& call, json value) { return {{"t", "ret"}, {"id", call["id"]}, {"value", std::move(value)}}; }

struct BrowserPageTest : ::testing::Test {
    ScriptedSocket* socket = new ScriptedSocket;
    std::vector<std::string> hostLog;
    std::function<json(const std::string&, const json&)> handler = [this](const std::string& name, const json& args) {
        hostLog.push_back(name + " " + args.dump());
        return json(true);
    };
    BrowserPage page{std::unique_ptr<PageSocket>(socket),
                     [this](const std::string& n, const json& a) { return handler(n, a); }};
};

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

TEST_F(BrowserPageTest, OperationsCarryHandlesAndValuesBothWays) {
    const json answers = {{"getElementById", {{"$e", 7}}}, {"getAttribute", nullptr}, {"getVariable", 3.5},
                          {"attributes", json::array({{"id", "a"}, {"parentformid", "2"}})}};
    socket->respond = [&](const json& m, std::deque<std::string>& in) {
        in.push_back(ret(m, answers.at(m["name"].get<std::string>())).dump());
    };
    Element e = page.getElementById("Form1");
    EXPECT_EQ(e.handle, 7);
    EXPECT_FALSE(page.getAttribute(e, "Missing").has_value());
    EXPECT_EQ(std::get<double>(page.getVariable("n")), 3.5);
    EXPECT_EQ(page.attributes(e), (std::vector<Attribute>{{"id", "a"}, {"parentformid", "2"}}));
    EXPECT_EQ(socket->written[1]["args"], json::array({7, "Missing"}));
}

TEST_F(BrowserPageTest, ChangesTravelTogetherWithTheNextOperationThatWaits) {
    json lastBatch;
    socket->respond = [&lastBatch](const json& m, std::deque<std::string>& in) {
        if (m["t"] == "ret") return;  // the host's answer to a call of the page has no name to read
        if (m["name"] == "batch") lastBatch = m["args"][0];
        const json& ops = m["name"] == "batch" ? m["args"][0] : json::array({json::array({m["name"], m["args"]})});
        for (const json& op : ops) {
            if (op[0] == "setStyleValue" && op[1][0] == 99) {
                in.push_back(json({{"t", "ret"}, {"id", m["id"]}, {"error", "no element 99"}}).dump());
                return;
            }
        }
        in.push_back(ret(m, 4.0).dump());
    };
    page.setVariable("SelectedObj", Element{7});
    page.insertAdjacentHTML(Element{2}, InsertPosition::AfterBegin, "<b>x</b>");
    page.run("UpdateFormsList", {std::string("Form1"), 1.0});
    EXPECT_TRUE(socket->written.empty());
    EXPECT_EQ(std::get<double>(page.getVariable("NewFormCount")), 4.0);
    ASSERT_EQ(socket->written.size(), 1u);
    EXPECT_EQ(lastBatch, json::parse(R"([["setVariable",["SelectedObj",{"$e":7}]],
        ["insertAdjacentHTML",[2,"afterbegin","<b>x</b>"]], ["call",["UpdateFormsList",["Form1",1.0]]],
        ["getVariable",["NewFormCount"]]])"));

    // A refused change is reported by the operation it travelled with.
    page.setStyleValue(Element{99}, "display", "none");
    EXPECT_THROW(page.getVariable("x"), PageError);

    // Kept changes reach the page before the host answers a call of the page.
    handler = [this](const std::string&, const json&) {
        page.setVariable("bProjectInfoChanged", true);
        return json(true);
    };
    socket->incoming.push_back(json({{"t", "call"}, {"id", 9}, {"name", "command"}, {"args", {"X"}}}).dump());
    page.serve([this] { return socket->written.back()["t"] != "ret"; });
    EXPECT_EQ(socket->written[socket->written.size() - 2]["name"], "batch");
    EXPECT_EQ(socket->written.back(), json({{"t", "ret"}, {"id", 9}, {"value", true}}));
}

TEST_F(BrowserPageTest, ACallOfThePageWhileTheHostWaitsRunsNestedAndFirst) {
    json hostCall;
    socket->respond = [&hostCall](const json& m, std::deque<std::string>& in) {
        if (m["t"] == "call" && m["name"] == "call") {
            hostCall = m;
            in.push_back(json({{"t", "call"}, {"id", 1}, {"name", "command"}, {"args", {"CreateNewForm"}}}).dump());
        } else if (m["t"] == "ret") {
            in.push_back(ret(hostCall, {{"value", "done"}, {"args", {"x"}}}).dump());
        }
    };
    CallResult r = page.call("NewForm", {std::string("x")});
    EXPECT_EQ(hostLog, std::vector<std::string>{"command [\"CreateNewForm\"]"});
    EXPECT_EQ(toText(r.value), "done");
    EXPECT_EQ(r.args, std::vector<ScriptValue>{std::string("x")});
    // The host answered the page's call (id 1) before its own call returned.
    EXPECT_EQ(socket->written[1], json({{"t", "ret"}, {"id", 1}, {"value", true}}));
}

TEST_F(BrowserPageTest, PageErrorsReachTheRoutineAndALostConnectionEndsServing) {
    socket->respond = [](const json& m, std::deque<std::string>& in) {
        if (m["t"] == "call") in.push_back(json({{"t", "ret"}, {"id", m["id"]}, {"error", "no routine Foo"}}).dump());
    };
    try {
        page.call("Foo", {});
        FAIL() << "no PageError";
    } catch (const PageError& e) {
        EXPECT_STREQ(e.what(), "no routine Foo");
    }
    EXPECT_TRUE(page.connected());

    // A routine error becomes the page's error answer; a lost connection during a command unwinds it and ends serving.
    handler = [](const std::string&, const json&) -> json { throw std::runtime_error("disk full"); };
    socket->respond = nullptr;
    socket->incoming.push_back(json({{"t", "call"}, {"id", 5}, {"name", "command"}, {"args", {"SaveForm"}}}).dump());
    page.serve([] { return true; });
    EXPECT_EQ(socket->written.back(), json({{"t", "ret"}, {"id", 5}, {"error", "disk full"}}));
    EXPECT_FALSE(page.connected());
    EXPECT_THROW(page.getElementById("x"), ConnectionLost);
}

TEST_F(BrowserPageTest, AnswersOfTheWrongKindAreAnErrorOfThatOperationOnly) {
    json answer;
    socket->respond = [&answer](const json& m, std::deque<std::string>& in) {
        in.push_back(ret(m, m["name"] == "body" ? json{{"$e", 1}} : answer).dump());
    };
    struct Case { json answer; std::function<void()> op; };
    const Case cases[] = {
        {{{"$e", "abc"}}, [this] { page.getElementById("Form1"); }},
        {{{"$e", 1e300}}, [this] { page.getElementById("Form1"); }},
        {{{"$e", -3}}, [this] { page.getVariable("SelectedObj"); }},
        {{{"$e", 2.5}}, [this] { page.getElementById("Form1"); }},
        {1e300, [this] { page.optionCount(Element{2}); }},
        {"7", [this] { page.selectedIndex(Element{2}); }},
        {json::array({42}), [this] { page.innerHTML(Element{2}); }},
        {json::array({json::array({"id"})}), [this] { page.attributes(Element{2}); }},
        {"not a list", [this] { page.children(Element{2}); }},
        {3, [this] { page.call("NewForm", {}); }},
        // Lists read for many elements at once: of the wrong length or kind.
        {json::array({"only one"}), [this] { page.outerHTMLOfEach({Element{1}, Element{2}}); }},
        {"not a list", [this] { page.outerHTMLOfEach({Element{1}, Element{2}}); }},
        {json::array({"a", 3}), [this] { page.outerHTMLOfEach({Element{1}, Element{2}}); }},
        {"not a list", [this] { page.optionTexts(Element{1}); }},
    };
    for (const Case& c : cases) {
        answer = c.answer;
        EXPECT_THROW(c.op(), PageError) << c.answer.dump();
    }
    answer = 5;
    EXPECT_EQ(page.optionCount(Element{2}), 5);
    EXPECT_TRUE(page.connected());
}

TEST_F(BrowserPageTest, ListReadsTakeOneRoundTripAfterTheKeptChangesAndSkipNoElements) {
    // Plays the page's "each": the operation made with every argument list.
    socket->respond = [](const json& m, std::deque<std::string>& in) {
        const json& call = m["name"] == "batch" ? m["args"][0].back() : json::array({m["name"], m["args"]});
        json answers = json::array();
        if (call[0] == "optionTexts") {
            in.push_back(ret(m, json::array({"Form1", "Form2", "Gone"})).dump());
            return;
        }
        for (const json& args : call[1][1]) {
            if (call[1][0] == "getElementById") answers.push_back(args[0] == "Gone" ? json() : json{{"$e", 10}});
            else if (call[1][0] == "getAttribute") answers.push_back(args[0] == 11 ? json() : json("N" + args[0].dump()));
            else answers.push_back(call[1][0].get<std::string>() + " of " + args[0].dump());
        }
        in.push_back(ret(m, answers).dump());
    };
    EXPECT_EQ(page.optionTexts(Element{4}), (std::vector<std::string>{"Form1", "Form2", "Gone"}));
    EXPECT_TRUE(page.optionTexts(Element{}).empty());
    EXPECT_EQ(page.elementsById({"Form1", "Gone"}), (std::vector<Element>{Element{10}, Element{}}));

    page.setVariable("SelectedFormObj", Element{10});
    const size_t before = socket->written.size();
    const std::vector<Element> forms = {Element{10}, Element{}, Element{11}};
    EXPECT_EQ(page.attributeOfEach(forms, "Name"),
              (std::vector<std::optional<std::string>>{"N10", std::nullopt, std::nullopt}));
    // One message: the kept change first, then the reads of the two elements there are.
    ASSERT_EQ(socket->written.size(), before + 1);
    const json& batch = socket->written.back()["args"][0];
    EXPECT_EQ(batch[0][0], "setVariable");
    EXPECT_EQ(batch[1], json::array({"each", {"getAttribute", {{10, "Name"}, {11, "Name"}}}}));

    EXPECT_EQ(page.outerHTMLOfEach(forms), (std::vector<std::string>{"outerHTML of 10", "", "outerHTML of 11"}));
    EXPECT_EQ(page.styleValueOfEach(forms, "left"), (std::vector<std::string>{"styleValue of 10", "", "styleValue of 11"}));
    const size_t quiet = socket->written.size();
    EXPECT_TRUE(page.outerHTMLOfEach({Element{}}) == std::vector<std::string>{""});
    EXPECT_EQ(socket->written.size(), quiet);
}

TEST_F(ServerTest, IdleAndGarbageConnectionsTimeOutWhileThePageAndItsFilesGoOnWorking) {
    ServerOptions o;
    o.maxConnections = 64;
    o.requestTimeout = std::chrono::milliseconds(400);
    start(o);
    const unsigned short port = server->port();

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
    // Of the application folder only what the page loads is served.
    const struct { const char* path; int status; } cases[] = {
        {"/app/ColorChart.js", 200}, {"/app/images/CLOSEBUTTON.JPG", 200}, {"/app/Temp/ZOLTJSStatic.js", 200},
        {"/app/zolt", 404}, {"/app/Temp/other.js", 404}, {"/app/Images/../zolt", 403}, {"/app/Images/.hidden", 404}};
    for (const auto& c : cases) EXPECT_EQ(getWithToken(port, token, c.path), c.status) << c.path;

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
    // Folders, missing files, paths and symbolic links that leave the folder are refused.
    EXPECT_TRUE(safeSegments("link.txt"));
    for (const char* bad : {"Images", "missing.js", "link.txt", "up/secret.txt", "../secret.txt", "%2e%2e/secret.txt",
                            "Images/../../secret.txt", "%2E%2E/secret.txt", "Images%2f..%2f..%2fsecret.txt", "%2",
                            "..%5csecret.txt", "..\\secret.txt", "./ColorChart.js", "Images//comp_logo.jpg", "", "%zz",
                            "a%00b", "/ColorChart.js"}) {
        EXPECT_FALSE(safeSegments(bad) && resolveStaticFile(root, bad)) << bad;
    }
    fs::remove_all(base);
}

TEST(Token, RandomHexComparedWholeAndFoundInQueryAndCookie) {
    const std::string a = makeToken(), b = makeToken();
    EXPECT_TRUE(a.size() == 64 && a != b && a.find_first_not_of("0123456789abcdef") == std::string::npos) << a;
    EXPECT_EQ((std::vector<bool>{sameToken(a, a), sameToken(a, b), sameToken(a, a.substr(0, 63)), sameToken("", "")}),
              (std::vector<bool>{true, false, false, false}));
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
