// BrowserPage over a scripted socket: the order of messages both ways,
// nested calls of the page while the host waits, errors and lost connections.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "page/BrowserPage.h"

using namespace zolt;
using nlohmann::json;

namespace {

// Plays the page: each message the host writes goes to `respond`, which
// queues the page's messages for the host to read.
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

}  // namespace

TEST_F(BrowserPageTest, OperationsCarryHandlesAndValuesBothWays) {
    socket->respond = [](const json& m, std::deque<std::string>& in) {
        if (m["name"] == "getElementById") in.push_back(ret(m, {{"$e", 7}}).dump());
        if (m["name"] == "getAttribute") in.push_back(ret(m, nullptr).dump());
        if (m["name"] == "getVariable") in.push_back(ret(m, 3.5).dump());
        if (m["name"] == "attributes") in.push_back(ret(m, json::array({{"id", "a"}, {"parentformid", "2"}})).dump());
        if (m["name"] == "setVariable") in.push_back(ret(m, nullptr).dump());
    };
    Element e = page.getElementById("Form1");
    EXPECT_EQ(e.handle, 7);
    EXPECT_FALSE(page.getAttribute(e, "Missing").has_value());
    EXPECT_EQ(std::get<double>(page.getVariable("n")), 3.5);
    EXPECT_EQ(page.attributes(e), (std::vector<Attribute>{{"id", "a"}, {"parentformid", "2"}}));
    page.setVariable("SelectedObj", e);
    EXPECT_EQ(socket->written.back()["args"], json::array({"SelectedObj", {{"$e", 7}}}));
    EXPECT_EQ(socket->written[1]["args"], json::array({7, "Missing"}));
}

TEST_F(BrowserPageTest, ACallOfThePageWhileTheHostWaitsRunsNestedAndFirst) {
    json hostCall;
    socket->respond = [&hostCall](const json& m, std::deque<std::string>& in) {
        if (m["t"] == "call" && m["name"] == "call") {
            // The routine sends a command before it returns.
            hostCall = m;
            in.push_back(json({{"t", "call"}, {"id", 1}, {"name", "command"}, {"args", {"CreateNewForm"}}}).dump());
        } else if (m["t"] == "ret") {
            // The command is done: now the routine finishes.
            in.push_back(ret(hostCall, {{"value", "done"}, {"args", {"x"}}}).dump());
        }
    };
    CallResult r = page.call("NewForm", {std::string("x")});
    EXPECT_EQ(hostLog, std::vector<std::string>{"command [\"CreateNewForm\"]"});
    EXPECT_EQ(toText(r.value), "done");
    ASSERT_EQ(r.args.size(), 1u);
    EXPECT_EQ(toText(r.args[0]), "x");
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

    // A routine error becomes the page's error answer; a lost connection
    // during a command unwinds it and ends serving.
    handler = [](const std::string&, const json&) -> json { throw std::runtime_error("disk full"); };
    socket->respond = nullptr;
    socket->incoming.push_back(json({{"t", "call"}, {"id", 5}, {"name", "command"}, {"args", {"SaveForm"}}}).dump());
    page.serve([] { return true; });
    EXPECT_EQ(socket->written.back(), json({{"t", "ret"}, {"id", 5}, {"error", "disk full"}}));
    EXPECT_FALSE(page.connected());
    EXPECT_THROW(page.getElementById("x"), ConnectionLost);
}
