// BrowserPage over a scripted socket: message order, nested calls, errors and lost connections.
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
    // The connection and the next operation are unharmed.
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
    // Nothing to read, nothing sent.
    const size_t quiet = socket->written.size();
    EXPECT_TRUE(page.outerHTMLOfEach({Element{}}) == std::vector<std::string>{""});
    EXPECT_EQ(socket->written.size(), quiet);
}
