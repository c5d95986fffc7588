// A small in-memory Page for host routine tests: elements by id with
// attributes, inner text, styles and option counts; script variables; a log
// of routine calls and boxes. Everything else raises PageError.
#pragma once

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "page/Page.h"

namespace zolt::testing {

class FakePage : public Page {
public:
    // Every call, box and change of the Loading window, in order.
    std::vector<std::string> log;
    std::map<std::string, ScriptValue> variables;
    std::map<std::int64_t, int> optionCounts;
    std::map<std::pair<std::int64_t, std::string>, std::string> styles;
    std::map<std::pair<std::int64_t, std::string>, std::string> attrs;
    std::map<std::int64_t, std::string> texts;
    MsgResult answer = MsgResult::OK;
    // What the user does while a modal window the host opened is showing.
    std::function<void()> whileModal;

    Element add(const std::string& id) {
        Element e{next_++};
        ids_[lower(id)] = e;
        return e;
    }

    Element getElementById(const std::string& id) override {
        auto it = ids_.find(lower(id));
        return it == ids_.end() ? Element{} : it->second;
    }
    Element body() override { return bodyElement_; }
    std::optional<std::string> getAttribute(Element e, const std::string& name) override {
        auto it = attrs.find({e.handle, lower(name)});
        if (it == attrs.end()) return std::nullopt;
        return it->second;
    }
    void setAttribute(Element e, const std::string& name, const std::string& value) override {
        attrs[{e.handle, lower(name)}] = value;
        log.push_back("attr " + idOf(e) + " " + lower(name));
    }
    void removeAttribute(Element e, const std::string& name) override { attrs.erase({e.handle, lower(name)}); }
    void setInnerText(Element e, const std::string& text) override { texts[checked(e).handle] = text; }
    std::string innerText(Element e) override { return texts[checked(e).handle]; }
    std::string fieldValue(Element e) override { return getAttribute(e, "value").value_or(""); }
    void setFieldValue(Element e, const std::string& value) override { setAttribute(e, "value", value); }
    void insertAdjacentHTML(Element e, InsertPosition, const std::string& html) override {
        checked(e);
        // Enough markup reading for the windows the host inserts.
        for (const char* id : {"frmLoading", "lblLoading"}) {
            if (html.find(std::string("id=\"") + id + "\"") != std::string::npos) add(id);
        }
    }
    void removeElement(Element e) override {
        const std::string id = idOf(checked(e));
        ids_.erase(lower(id));
        log.push_back("remove " + id);
    }
    int optionCount(Element list) override { return optionCounts[checked(list).handle]; }
    std::string styleValue(Element e, const std::string& property) override {
        return styles[{checked(e).handle, property}];
    }
    void setStyleValue(Element e, const std::string& property, const std::string& value) override {
        styles[{checked(e).handle, property}] = value;
        log.push_back("style " + idOf(e) + " " + property + "=" + value);
    }
    ScriptValue getVariable(const std::string& name) override { return variables[name]; }
    void setVariable(const std::string& name, const ScriptValue& value) override { variables[name] = value; }
    CallResult call(const std::string& routine, const std::vector<ScriptValue>& args) override {
        std::string entry = "call " + routine;
        for (const ScriptValue& a : args) entry += " " + (std::holds_alternative<Element>(a) ? idOf(toElement(a)) : toText(a));
        log.push_back(entry);
        return {{}, args};
    }
    MsgResult msgBox(const std::string& text, MsgButtons, MsgIcon, const std::string&) override {
        log.push_back("msgBox " + text);
        return answer;
    }

    void runModal(const std::function<bool()>& keepWaiting) override {
        if (whileModal) whileModal();
        if (keepWaiting()) throw PageError("the modal window was left open");
    }

    // Not used by the routines under test.
    std::vector<Element> getElementsByName(const std::string&) override { fail(); }
    NodeType nodeType(Element) override { fail(); }
    std::string tagName(Element) override { fail(); }
    std::vector<Attribute> attributes(Element) override { fail(); }
    std::string innerHTML(Element) override { fail(); }
    void setInnerHTML(Element, const std::string&) override { fail(); }
    std::string outerHTML(Element) override { fail(); }
    void setOuterHTML(Element, const std::string&) override { fail(); }
    void setOptionCount(Element, int) override { fail(); }
    std::string optionText(Element, int) override { fail(); }
    std::string optionValue(Element, int) override { fail(); }
    int selectedIndex(Element) override { fail(); }
    void setSelectedIndex(Element, int) override { fail(); }
    void addOption(Element, const std::string&, const std::string&, int) override { fail(); }
    void removeOption(Element, int) override { fail(); }
    void setOptionStyle(Element, int, const std::string&, const std::string&) override { fail(); }
    std::vector<Element> children(Element) override { fail(); }
    std::vector<Element> childNodes(Element) override { fail(); }
    Element parent(Element) override { fail(); }
    void click(Element) override { fail(); }
    std::vector<Element> rows(Element) override { fail(); }
    std::vector<Element> cells(Element) override { fail(); }
    Element insertRow(Element, int) override { fail(); }
    void deleteRow(Element, int) override { fail(); }
    Element insertCell(Element, int) override { fail(); }
    void deleteCell(Element, int) override { fail(); }
    ScriptValue getArrayEntry(const std::string&, int) override { fail(); }
    void setArrayEntry(const std::string&, int, const ScriptValue&) override { fail(); }
    std::vector<ScriptValue> getArray(const std::string&) override { fail(); }
    void setArray(const std::string&, const std::vector<ScriptValue>&) override { fail(); }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override { fail(); }
    void openWindow(const std::string&) override { fail(); }
    void reload() override { fail(); }
    void setTitle(const std::string&) override { fail(); }

private:
    [[noreturn]] static void fail() { throw PageError("not in the fake page"); }
    static std::string lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    }
    Element checked(Element e) {
        if (!e) throw PageError("no element");
        return e;
    }
    std::string idOf(Element e) const {
        for (const auto& [id, el] : ids_) {
            if (el == e) return id;
        }
        return "?";
    }

    std::int64_t next_ = 2;
    Element bodyElement_{1};
    std::map<std::string, Element> ids_;
};

}  // namespace zolt::testing
