// The test-only command "ZoltTestHook&SCENARIO&...", recognised only when the
// program runs with --test-hooks. End-to-end tests and the bridge benchmark use
// it to run host routines against the live page. Results go into page
// variables named zolt*, which the test defines and reads.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>

#include "app/Routines.h"
#include "host/LoadingWindow.h"

namespace zolt {

namespace {

using Pieces = std::vector<std::string>;

std::string piece(const Pieces& p, std::size_t i) { return i < p.size() ? p[i] : std::string(); }

int count(const Pieces& p, std::size_t i, int fallback) {
    try {
        return std::stoi(piece(p, i));
    } catch (const std::exception&) {
        return fallback;
    }
}

const char* resultName(MsgResult r) {
    switch (r) {
    case MsgResult::OK: return "OK";
    case MsgResult::Cancel: return "Cancel";
    case MsgResult::Yes: return "Yes";
    case MsgResult::No: return "No";
    }
    return "";
}

// Reads and writes elements and variables, then calls zoltRoutine, which
// sends a nested command; records what it saw after the call returned.
void probe(Host& host, const Pieces&) {
    Page& page = host.pageRef();
    Element e = page.getElementById("ZOLTPROBE");  // the id is zoltProbe: case is ignored
    std::string attr = page.getAttribute(e, "Data-In").value_or("<none>");
    page.setInnerHTML(e, "host wrote <b>" + attr + "</b>");
    page.setAttribute(e, "Data-Out", "done");
    page.setVariable("zoltOut", toText(page.getVariable("zoltIn")) + "!");
    page.setArrayEntry("zoltArray", 1, 42.0);
    CallResult r = page.call("zoltRoutine", {std::string("a"), 2.0});
    page.setVariable("zoltSeenAfterCall", page.getVariable("zoltNested"));
    page.setVariable("zoltCallResult", r.value);
    page.setVariable("zoltCallArgs", r.args.empty() ? std::string() : toText(r.args[0]));
}

// Lists, tables, styles, attributes and the tree, as the host walks them;
// what it saw goes into zoltWalkResult as one line per step.
void walk(Host& host, const Pieces&) {
    Page& page = host.pageRef();
    std::string out;
    auto line = [&out](const std::string& s) { out += s + "\n"; };
    Element probe = page.getElementById("zoltProbe");
    std::string names;
    for (const Attribute& a : page.attributes(probe)) names += a.name + "=" + a.value + ";";
    line("attributes " + names);
    line("tag " + page.tagName(probe) + " parent " + page.tagName(page.parent(probe)));
    page.setStyleValue(probe, "left", "100");
    line("left " + page.styleValue(probe, "left"));

    Element list = page.getElementsByName("ZOLTLIST").at(0);
    page.addOption(list, "Two", "2");
    page.addOption(list, "Zero", "0", 0);
    page.setSelectedIndex(list, 2);
    line("options " + std::to_string(page.optionCount(list)) + " " + page.optionText(list, 0) + " " +
         page.optionValue(list, 2) + " selected " + std::to_string(page.selectedIndex(list)));
    page.removeOption(list, 0);
    line("after remove " + page.optionText(list, 0));

    Element table = page.getElementById("zoltTable");
    Element row = page.insertRow(table, -1);
    page.setInnerText(page.insertCell(row, -1), "b");
    line("rows " + std::to_string(page.rows(table).size()) + " cell " + page.innerText(page.cells(row).at(0)));
    line("children " + std::to_string(page.children(page.getElementById("zoltWalk")).size()) + " nodes " +
         std::to_string(page.childNodes(page.getElementById("zoltWalk")).size()));
    page.insertAdjacentHTML(probe, InsertPosition::AfterEnd, "<i id=zoltAfter>after</i>");
    page.removeElement(page.getElementById("zoltAfter"));
    line("removed " + std::string(page.getElementById("zoltAfter") ? "no" : "yes"));
    try {
        page.tagName(Element{987654});
    } catch (const PageError&) {
        line("stale handle refused");
    }
    page.setVariable("zoltWalkResult", out);
}

// The reads of whole lists, as open, save and build make them; what they
// gave goes into zoltListsResult, one line per read.
void lists(Host& host, const Pieces&) {
    Page& page = host.pageRef();
    std::string out;
    auto join = [](const std::vector<std::string>& texts) {
        std::string s;
        for (const std::string& t : texts) s += (s.empty() ? "" : "|") + t;
        return s;
    };
    const std::vector<Element> found = page.elementsById({"ZOLTPROBE", "zoltNowhere", "zoltWalk"});
    out += std::string("found ") + (found[0] ? "yes" : "no") + " " + (found[1] ? "yes" : "no") + "\n";
    std::vector<std::string> seen;
    for (const auto& v : page.attributeOfEach(found, "ParentFormID")) seen.push_back(v.value_or("<none>"));
    out += "attributes " + join(seen) + "\n";
    out += "styles " + join(page.styleValueOfEach(found, "position")) + "\n";
    out += "markup " + page.outerHTMLOfEach({found[0]}).at(0) + "\n";
    out += "options " + join(page.optionTexts(page.getElementsByName("ZOLTLIST").at(0))) + "\n";
    try {
        page.outerHTMLOfEach({found[0], Element{987654}});
    } catch (const PageError&) {
        out += "stale handle refused\n";
    }
    page.setVariable("zoltListsResult", out);
}

void nested(Host& host, const Pieces&) { host.pageRef().setVariable("zoltNested", std::string("ran")); }

void msgbox(Host& host, const Pieces& p) {
    static const std::map<std::string, MsgButtons> kButtons = {
        {"OK", MsgButtons::OK}, {"OKCancel", MsgButtons::OKCancel},
        {"YesNo", MsgButtons::YesNo}, {"YesNoCancel", MsgButtons::YesNoCancel}};
    auto it = kButtons.find(piece(p, 3));
    MsgButtons buttons = it == kButtons.end() ? MsgButtons::OK : it->second;
    MsgResult r = host.pageRef().msgBox(piece(p, 2), buttons, MsgIcon::Question);
    host.pageRef().setVariable("zoltMsgResult", std::string(resultName(r)));
}

void inputbox(Host& host, const Pieces& p) {
    auto r = host.pageRef().inputBox(piece(p, 2), "ZOLT", piece(p, 3));
    host.pageRef().setVariable("zoltInputResult", r ? *r : std::string("<cancelled>"));
}

void pageError(Host& host, const Pieces&) {
    try {
        host.pageRef().call("zoltThrows");
        host.pageRef().setVariable("zoltError", std::string("<no error>"));
    } catch (const PageError& e) {
        host.pageRef().setVariable("zoltError", std::string(e.what()));
    }
}

void loading(Host& host, const Pieces& p) {
    if (piece(p, 2) == "hide") {
        UnloadLoading(host);
    } else {
        ShowLoading(host, piece(p, 2).empty() ? "Loading" : piece(p, 2));
    }
}

// N operations, each timed: median and 99th percentile in microseconds.
void bench(Host& host, const Pieces& p) {
    Page& page = host.pageRef();
    const int n = std::max(1, count(p, 2, 10000));
    std::vector<double> micros;
    micros.reserve(n);
    for (int i = 0; i < n; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        page.getVariable("zoltBenchValue");
        auto t1 = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::sort(micros.begin(), micros.end());
    page.setVariable("zoltBenchMedian", micros[micros.size() / 2]);
    page.setVariable("zoltBenchP99", micros[std::min(micros.size() - 1, micros.size() * 99 / 100)]);
}

// N operations inside one command, timed by the page.
void ops(Host& host, const Pieces& p) {
    Page& page = host.pageRef();
    const int n = std::max(1, count(p, 2, 1000));
    for (int i = 0; i < n; ++i) page.getVariable("zoltBenchValue");
}

// Names the open project (as opening it would) without reading it, so a
// test can build what it put on the design surface itself.
void project(Host& host, const Pieces& p) {
    host.ProjectFilePath = piece(p, 2);
    host.ProjectFileName = std::filesystem::path(piece(p, 2)).filename().string();
}

}  // namespace

void TestHookCommand(Host& host, const std::vector<std::string>& pieces) {
    static const std::map<std::string, std::function<void(Host&, const Pieces&)>> kScenarios = {
        {"probe", probe}, {"walk", walk}, {"lists", lists}, {"nested", nested}, {"msgbox", msgbox}, {"inputbox", inputbox},
        {"pageError", pageError}, {"loading", loading}, {"bench", bench}, {"ops", ops},
        {"noop", [](Host&, const Pieces&) {}}, {"project", project},
    };
    auto it = kScenarios.find(piece(pieces, 1));
    if (it != kScenarios.end()) it->second(host, pieces);
}

}  // namespace zolt
