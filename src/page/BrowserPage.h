// The live designer page in a browser, reached over its WebSocket.
//
// Messages are JSON objects, the same both ways:
//   {"t":"call","id":N,"name":"...","args":[...]}   ask the other side
//   {"t":"ret","id":N,"value":...} / {"t":"ret","id":N,"error":"..."}
// The host calls the page's operations (designer/bridge.js); the page calls
// the host's "command", "dialog" and "close". Every host routine runs on the
// one thread that owns the socket: while it waits for an answer it keeps
// reading, so a call the page makes meanwhile (a command sent by a page
// routine the host called) runs nested and finishes first.
//
// Element handles are minted by the page and travel as {"$e":handle}.
//
// Changes that answer nothing (setting attributes, styles, variables,
// inserting markup, routines called with `run`) do not wait for the page:
// they are kept and travel in one "batch" operation with the next operation
// that needs an answer, or before the host answers a call of the page or
// waits for it. A change the page refuses is reported as a PageError by that
// operation, and the changes after it in the batch are not made.
//
// Reads of a whole list (every form's markup, every option's text) travel as
// one "each" operation: one name, a list of argument lists, and the page
// answers with the list of answers.
#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "page/Page.h"

namespace zolt {

// The connection to the page was lost: the running host routine unwinds.
class ConnectionLost : public PageError {
public:
    using PageError::PageError;
};

// One text message at a time, both ways; read() blocks and raises
// ConnectionLost when the connection ends.
class PageSocket {
public:
    virtual ~PageSocket() = default;
    virtual std::string read() = 0;
    virtual void write(const std::string& message) = 0;
    virtual void close() = 0;
};

class BrowserPage : public Page {
public:
    // Answers the page's calls: the routine name and its arguments.
    using CallHandler = std::function<nlohmann::json(const std::string& name, const nlohmann::json& args)>;

    BrowserPage(std::unique_ptr<PageSocket> socket, CallHandler handler);
    ~BrowserPage() override;

    // Answers the page until the connection ends or `keepServing` returns false.
    void serve(const std::function<bool()>& keepServing);
    bool connected() const { return connected_; }
    void close();

    // The Page operations (Page.h), declared alike in DomPage.h on purpose:
    // each page class overrides every one of them.
    Element getElementById(const std::string& id) override;
    std::vector<Element> getElementsByName(const std::string& name) override;
    Element body() override;
    NodeType nodeType(Element e) override;
    std::string tagName(Element e) override;
    std::optional<std::string> getAttribute(Element e, const std::string& name) override;
    void setAttribute(Element e, const std::string& name, const std::string& value) override;
    void removeAttribute(Element e, const std::string& name) override;
    std::vector<Attribute> attributes(Element e) override;
    std::string innerHTML(Element e) override;
    void setInnerHTML(Element e, const std::string& html) override;
    std::string outerHTML(Element e) override;
    void setOuterHTML(Element e, const std::string& html) override;
    std::string innerText(Element e) override;
    void setInnerText(Element e, const std::string& text) override;
    std::string fieldValue(Element field) override;
    void setFieldValue(Element field, const std::string& value) override;
    bool fieldChecked(Element field) override;
    void setFieldChecked(Element field, bool checked) override;
    void insertAdjacentHTML(Element e, InsertPosition where, const std::string& html) override;
    void insertStoredForm(std::unique_ptr<dom::Node> form) override;
    int optionCount(Element list) override;
    void setOptionCount(Element list, int count) override;
    std::string optionText(Element list, int index) override;
    std::string optionValue(Element list, int index) override;
    int selectedIndex(Element list) override;
    void setSelectedIndex(Element list, int index) override;
    void addOption(Element list, const std::string& text, const std::string& value, int before) override;
    void removeOption(Element list, int index) override;
    void setOptionStyle(Element list, int index, const std::string& property,
                        const std::string& value) override;
    std::string styleValue(Element e, const std::string& property) override;
    void setStyleValue(Element e, const std::string& property, const std::string& value) override;
    std::vector<Element> children(Element e) override;
    std::vector<Element> childNodes(Element e) override;
    Element parent(Element e) override;
    void removeElement(Element e) override;
    void click(Element e) override;
    std::vector<Element> rows(Element table) override;
    std::vector<Element> cells(Element row) override;
    Element insertRow(Element table, int index) override;
    void deleteRow(Element table, int index) override;
    Element insertCell(Element row, int index) override;
    void deleteCell(Element row, int index) override;
    ScriptValue getVariable(const std::string& name) override;
    void setVariable(const std::string& name, const ScriptValue& value) override;
    ScriptValue getArrayEntry(const std::string& name, int index) override;
    void setArrayEntry(const std::string& name, int index, const ScriptValue& value) override;
    std::vector<ScriptValue> getArray(const std::string& name) override;
    void setArray(const std::string& name, const std::vector<ScriptValue>& items) override;
    std::vector<std::string> optionTexts(Element list) override;
    std::vector<Element> elementsById(const std::vector<std::string>& ids) override;
    std::vector<std::optional<std::string>> attributeOfEach(const std::vector<Element>& elements,
                                                            const std::string& name) override;
    std::vector<std::string> styleValueOfEach(const std::vector<Element>& elements,
                                              const std::string& property) override;
    std::vector<std::string> outerHTMLOfEach(const std::vector<Element>& elements) override;
    CallResult call(const std::string& routine, const std::vector<ScriptValue>& args) override;
    void run(const std::string& routine, const std::vector<ScriptValue>& args) override;
    MsgResult msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    void openWindow(const std::string& url) override;
    void reload() override;
    void setTitle(const std::string& title) override;
    void runModal(const std::function<bool()>& keepWaiting) override;
    void group(const std::string& label, const std::function<void()>& apply) override;
    std::vector<Refusal> refusedGroups() override;

    // One operation by its bridge name: the answer, or PageError.
    nlohmann::json op(const char* name, std::initializer_list<nlohmann::json> args);
    // Sends the kept changes, if any, and waits until the page made them.
    void flush();
    // One operation made with each of `argLists` in turn, in one round trip:
    // the answers in order.
    std::vector<nlohmann::json> each(const char* name, std::vector<nlohmann::json> argLists);

private:
    // Keeps a change for the next batch.
    void change(const char* name, std::initializer_list<nlohmann::json> args);
    nlohmann::json sendKept();
    nlohmann::json request(const char* name, nlohmann::json args);
    void dispatchOne();
    void answer(const nlohmann::json& message);
    void send(const nlohmann::json& message);

    std::unique_ptr<PageSocket> socket_;
    CallHandler handler_;
    bool connected_ = true;
    std::int64_t nextId_ = 1;
    std::map<std::int64_t, nlohmann::json> replies_;  // answers not yet taken
    nlohmann::json kept_ = nlohmann::json::array();    // changes not yet sent: [name, args]
    std::uint64_t batchesSent_ = 0;                   // how often kept_ went to the page
    Element body_;                                    // the page's body, once asked for
};

// ScriptValue <-> JSON as the bridge carries them.
nlohmann::json toJson(const ScriptValue& value);
ScriptValue fromJson(const nlohmann::json& value);

}  // namespace zolt
