#include "page/BrowserPage.h"

#include <cmath>
#include <limits>

#include "dom/Parse.h"
#include "dom/Serialize.h"

namespace zolt {

using nlohmann::json;

json toJson(const ScriptValue& value) {
    if (auto s = std::get_if<std::string>(&value)) return *s;
    if (auto d = std::get_if<double>(&value)) return *d;
    if (auto b = std::get_if<bool>(&value)) return *b;
    if (auto e = std::get_if<Element>(&value)) return e->handle ? json{{"$e", e->handle}} : json();
    return nullptr;
}

namespace {

// Every value the page sends is checked before it is used: a value of the
// wrong kind is a PageError for the operation that received it, never a
// crash of the host.
[[noreturn]] void badAnswer(const std::string& what) {
    throw PageError("the designer page answered with " + what);
}

// An element handle: a whole number the page minted (at least 1, and exact
// in a script number).
std::int64_t handleValue(const json& v) {
    constexpr double kLargest = 9007199254740991.0;  // 2^53 - 1
    if (v.is_number()) {
        const double d = v.get<double>();
        if (d >= 1 && d <= kLargest && d == std::floor(d)) return static_cast<std::int64_t>(d);
    }
    badAnswer("an element reference that is not one: " + v.dump().substr(0, 80));
}

bool isElementReference(const json& v) { return v.is_object() && v.contains("$e"); }

}  // namespace

ScriptValue fromJson(const json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_boolean()) return value.get<bool>();
    if (value.is_number()) return value.get<double>();
    if (isElementReference(value)) return Element{handleValue(value["$e"])};
    return {};
}

namespace {

json handle(Element e) { return e.handle; }

json jsonList(const std::vector<ScriptValue>& values) {
    json list = json::array();
    for (const ScriptValue& v : values) list.push_back(toJson(v));
    return list;
}

// An element, or none for null.
Element elementOf(const json& v) {
    if (isElementReference(v)) return Element{handleValue(v["$e"])};
    if (!v.is_null()) badAnswer("something else than an element: " + v.dump().substr(0, 80));
    return {};
}

std::vector<Element> elementsOf(const json& v) {
    if (!v.is_array()) badAnswer("something else than a list of elements");
    std::vector<Element> out;
    for (const json& item : v) out.push_back(elementOf(item));
    return out;
}

// A text; null counts as empty.
std::string textOf(const json& v) {
    if (v.is_string()) return v.get<std::string>();
    if (!v.is_null()) badAnswer("something else than a text: " + v.dump().substr(0, 80));
    return {};
}

// A whole number that fits an int.
int intOf(const json& v) {
    if (v.is_number()) {
        const double d = v.get<double>();
        if (d >= std::numeric_limits<int>::min() && d <= std::numeric_limits<int>::max() && d == std::floor(d)) {
            return static_cast<int>(d);
        }
    }
    badAnswer("something else than a whole number: " + v.dump().substr(0, 80));
}

// Names for the page's side, one switch per enumeration (alike on purpose,
// as DomPageScript's names for the headless page's records).
const char* positionName(InsertPosition where) {
    switch (where) {
    case InsertPosition::BeforeBegin: return "beforebegin";
    case InsertPosition::AfterBegin: return "afterbegin";
    case InsertPosition::BeforeEnd: return "beforeend";
    case InsertPosition::AfterEnd: return "afterend";
    }
    return "beforeend";
}

// Message box flags as the page's MsgBox takes them.
int msgFlags(MsgButtons buttons, MsgIcon icon) {
    int flags = 0;
    switch (buttons) {
    case MsgButtons::OK: flags = 0; break;
    case MsgButtons::OKCancel: flags = 1; break;
    case MsgButtons::YesNoCancel: flags = 3; break;
    case MsgButtons::YesNo: flags = 4; break;
    }
    switch (icon) {
    case MsgIcon::None: break;
    case MsgIcon::Critical: flags += 16; break;
    case MsgIcon::Question: flags += 32; break;
    case MsgIcon::Exclamation: flags += 48; break;
    case MsgIcon::Information: flags += 64; break;
    }
    return flags;
}

}  // namespace

BrowserPage::BrowserPage(std::unique_ptr<PageSocket> socket, CallHandler handler)
    : socket_(std::move(socket)), handler_(std::move(handler)) {}

BrowserPage::~BrowserPage() { close(); }

void BrowserPage::close() {
    if (connected_) {
        connected_ = false;
        try {
            socket_->close();
        } catch (...) {
        }
    }
}

void BrowserPage::send(const json& message) {
    if (!connected_) throw ConnectionLost("the designer page is not connected");
    try {
        socket_->write(message.dump(-1, ' ', false, json::error_handler_t::replace));
    } catch (const ConnectionLost&) {
        connected_ = false;
        throw;
    }
}

void BrowserPage::dispatchOne() {
    if (!connected_) throw ConnectionLost("the designer page is not connected");
    std::string text;
    try {
        text = socket_->read();
    } catch (const ConnectionLost&) {
        connected_ = false;
        throw;
    }
    json message = json::parse(text, nullptr, false);
    if (!message.is_object() || !message.contains("id")) return;  // not ours: ignored
    const std::string kind = message["t"].is_string() ? message["t"].get<std::string>() : "";
    if (kind == "ret") {
        // Only answers to calls of ours count; anything else is not ours.
        const json& id = message["id"];
        if (id.is_number_integer() && id.get<std::int64_t>() > 0 && id.get<std::int64_t>() < nextId_) {
            replies_[id.get<std::int64_t>()] = std::move(message);
        }
    } else if (kind == "call") {
        answer(message);
    }
}

void BrowserPage::answer(const json& message) {
    json reply = {{"t", "ret"}, {"id", message["id"]}};
    try {
        json args = message.contains("args") ? message["args"] : json::array();
        reply["value"] = handler_(textOf(message["name"]), args);
        flush();
    } catch (const ConnectionLost&) {
        throw;
    } catch (const std::exception& e) {
        reply["error"] = e.what();
    }
    send(reply);
}

json BrowserPage::op(const char* name, std::initializer_list<json> args) {
    if (kept_.empty()) return request(name, json(std::vector<json>(args)));
    change(name, args);
    return sendKept();
}

void BrowserPage::change(const char* name, std::initializer_list<json> args) {
    if (!connected_) throw ConnectionLost("the designer page is not connected");
    kept_.push_back(json::array({name, json(std::vector<json>(args))}));
}

void BrowserPage::flush() {
    if (!kept_.empty()) sendKept();
}

// The kept changes as one batch; its answer is the last operation's.
json BrowserPage::sendKept() {
    json batch = json::array({std::move(kept_)});
    kept_ = json::array();
    ++batchesSent_;
    return request("batch", std::move(batch));
}

json BrowserPage::request(const char* name, json args) {
    const std::int64_t id = nextId_++;
    send({{"t", "call"}, {"id", id}, {"name", name}, {"args", std::move(args)}});
    for (;;) {
        auto it = replies_.find(id);
        if (it != replies_.end()) {
            json reply = std::move(it->second);
            replies_.erase(it);
            // Groups of the batch the page refused (see group()).
            if (reply.contains("refused")) {
                const json& list = reply["refused"];
                if (!list.is_array()) badAnswer("something else than a list of refused groups");
                for (const json& r : list) {
                    if (!r.is_array() || r.size() != 2) badAnswer("a refused group that is not a label and a reason");
                    refused_.push_back({textOf(r[0]), textOf(r[1])});
                }
            }
            if (reply.contains("error")) {
                const json& error = reply["error"];
                throw PageError(error.is_string() ? error.get<std::string>() : error.dump());
            }
            return reply.contains("value") ? reply["value"] : json();
        }
        dispatchOne();
    }
}

void BrowserPage::serve(const std::function<bool()>& keepServing) {
    try {
        while (connected_ && keepServing()) {
            flush();
            dispatchOne();
        }
    } catch (const ConnectionLost&) {
        connected_ = false;
    }
}

// The group's changes travel as one "group" operation of the batch: the page
// leaves out the rest of a group at its first refused change and goes on with
// the batch. A group that had to wait for an answer on the way (a read) has
// been sent as it went; a refusal then ends it here, as on a page without
// batches.
void BrowserPage::group(const std::string& label, const std::function<void()>& apply) {
    const std::size_t start = kept_.size();
    const std::uint64_t sent = batchesSent_;
    try {
        apply();
    } catch (const ConnectionLost&) {
        throw;
    } catch (const PageError& e) {
        refused_.push_back({label, e.what()});
        return;
    }
    if (batchesSent_ != sent || kept_.size() == start) return;
    json members = json::array();
    for (std::size_t i = start; i < kept_.size(); ++i) members.push_back(std::move(kept_[i]));
    kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(start), kept_.end());
    kept_.push_back(json::array({"group", json::array({label, std::move(members)})}));
}

std::vector<Page::Refusal> BrowserPage::refusedGroups() {
    flush();
    return Page::refusedGroups();
}

void BrowserPage::runModal(const std::function<bool()>& keepWaiting) {
    while (keepWaiting()) {
        flush();
        dispatchOne();
    }
}

Element BrowserPage::getElementById(const std::string& id) { return elementOf(op("getElementById", {id})); }
std::vector<Element> BrowserPage::getElementsByName(const std::string& name) {
    return elementsOf(op("getElementsByName", {name}));
}
// The designer page keeps one body for its whole life (a reload connects a
// new page), so it is asked for once.
Element BrowserPage::body() {
    if (!body_) body_ = elementOf(op("body", {}));
    return body_;
}
NodeType BrowserPage::nodeType(Element e) {
    switch (intOf(op("nodeType", {handle(e)}))) {
    case 1: return NodeType::Element;
    case 3: return NodeType::Text;
    case 8: return NodeType::Comment;
    default: return NodeType::Other;
    }
}
std::string BrowserPage::tagName(Element e) { return textOf(op("tagName", {handle(e)})); }
std::optional<std::string> BrowserPage::getAttribute(Element e, const std::string& name) {
    json v = op("getAttribute", {handle(e), name});
    if (v.is_null()) return std::nullopt;
    return textOf(v);
}
void BrowserPage::setAttribute(Element e, const std::string& name, const std::string& value) {
    change("setAttribute", {handle(e), name, value});
}
void BrowserPage::removeAttribute(Element e, const std::string& name) { change("removeAttribute", {handle(e), name}); }
std::vector<Attribute> BrowserPage::attributes(Element e) {
    const json list = op("attributes", {handle(e)});
    if (!list.is_array()) badAnswer("something else than a list of attributes");
    std::vector<Attribute> out;
    for (const json& pair : list) {
        if (!pair.is_array() || pair.size() != 2) badAnswer("an attribute that is not a name and a value");
        out.push_back({textOf(pair[0]), textOf(pair[1])});
    }
    return out;
}
std::string BrowserPage::innerHTML(Element e) { return textOf(op("innerHTML", {handle(e)})); }
void BrowserPage::setInnerHTML(Element e, const std::string& html) { change("setInnerHTML", {handle(e), html}); }
std::string BrowserPage::outerHTML(Element e) { return textOf(op("outerHTML", {handle(e)})); }
void BrowserPage::setOuterHTML(Element e, const std::string& html) { change("setOuterHTML", {handle(e), html}); }
std::string BrowserPage::innerText(Element e) { return textOf(op("innerText", {handle(e)})); }
void BrowserPage::setInnerText(Element e, const std::string& text) { change("setInnerText", {handle(e), text}); }
std::string BrowserPage::fieldValue(Element field) { return textOf(op("fieldValue", {handle(field)})); }
void BrowserPage::setFieldValue(Element field, const std::string& value) {
    change("setFieldValue", {handle(field), value});
}
bool BrowserPage::fieldChecked(Element field) {
    const json answer = op("fieldChecked", {handle(field)});
    if (!answer.is_boolean()) badAnswer("something else than true or false: " + answer.dump().substr(0, 80));
    return answer.get<bool>();
}
void BrowserPage::setFieldChecked(Element field, bool checked) { change("setFieldChecked", {handle(field), checked}); }
void BrowserPage::insertAdjacentHTML(Element e, InsertPosition where, const std::string& html) {
    change("insertAdjacentHTML", {handle(e), positionName(where), html});
}
void BrowserPage::insertStoredForm(std::unique_ptr<dom::Node> form) {
    // The page parses the markup again: the code in it keeps its line breaks.
    change("call", {"InsertStoredForm", json::array({dom::keepAttributeCarriageReturns(dom::outerHTML(*form))})});
}
int BrowserPage::optionCount(Element list) { return intOf(op("optionCount", {handle(list)})); }
void BrowserPage::setOptionCount(Element list, int count) { change("setOptionCount", {handle(list), count}); }
std::string BrowserPage::optionText(Element list, int index) {
    return textOf(op("optionText", {handle(list), index}));
}
std::string BrowserPage::optionValue(Element list, int index) {
    return textOf(op("optionValue", {handle(list), index}));
}
int BrowserPage::selectedIndex(Element list) { return intOf(op("selectedIndex", {handle(list)})); }
void BrowserPage::setSelectedIndex(Element list, int index) { change("setSelectedIndex", {handle(list), index}); }
void BrowserPage::addOption(Element list, const std::string& text, const std::string& value, int before) {
    change("addOption", {handle(list), text, value, before});
}
void BrowserPage::removeOption(Element list, int index) { change("removeOption", {handle(list), index}); }
void BrowserPage::setOptionStyle(Element list, int index, const std::string& property, const std::string& value) {
    change("setOptionStyle", {handle(list), index, property, value});
}
std::string BrowserPage::styleValue(Element e, const std::string& property) {
    return textOf(op("styleValue", {handle(e), property}));
}
void BrowserPage::setStyleValue(Element e, const std::string& property, const std::string& value) {
    change("setStyleValue", {handle(e), property, value});
}
std::vector<Element> BrowserPage::children(Element e) { return elementsOf(op("children", {handle(e)})); }
std::vector<Element> BrowserPage::childNodes(Element e) { return elementsOf(op("childNodes", {handle(e)})); }
Element BrowserPage::parent(Element e) { return elementOf(op("parent", {handle(e)})); }
void BrowserPage::removeElement(Element e) { change("removeElement", {handle(e)}); }
void BrowserPage::click(Element e) { op("click", {handle(e)}); }
std::vector<Element> BrowserPage::rows(Element table) { return elementsOf(op("rows", {handle(table)})); }
std::vector<Element> BrowserPage::cells(Element row) { return elementsOf(op("cells", {handle(row)})); }
Element BrowserPage::insertRow(Element table, int index) { return elementOf(op("insertRow", {handle(table), index})); }
void BrowserPage::deleteRow(Element table, int index) { change("deleteRow", {handle(table), index}); }
Element BrowserPage::insertCell(Element row, int index) { return elementOf(op("insertCell", {handle(row), index})); }
void BrowserPage::deleteCell(Element row, int index) { change("deleteCell", {handle(row), index}); }

ScriptValue BrowserPage::getVariable(const std::string& name) { return fromJson(op("getVariable", {name})); }
void BrowserPage::setVariable(const std::string& name, const ScriptValue& value) {
    change("setVariable", {name, toJson(value)});
}
ScriptValue BrowserPage::getArrayEntry(const std::string& name, int index) {
    return fromJson(op("getArrayEntry", {name, index}));
}
void BrowserPage::setArrayEntry(const std::string& name, int index, const ScriptValue& value) {
    change("setArrayEntry", {name, index, toJson(value)});
}
std::vector<ScriptValue> BrowserPage::getArray(const std::string& name) {
    const json v = op("getArray", {name});
    if (!v.is_array()) badAnswer("something else than the entries of " + name);
    std::vector<ScriptValue> out;
    for (const json& item : v) out.push_back(fromJson(item));
    return out;
}
void BrowserPage::setArray(const std::string& name, const std::vector<ScriptValue>& items) {
    change("setArray", {name, jsonList(items)});
}
std::vector<json> BrowserPage::each(const char* name, std::vector<json> argLists) {
    if (argLists.empty()) return {};
    const std::size_t count = argLists.size();
    json answers = op("each", {name, json(std::move(argLists))});
    if (!answers.is_array() || answers.size() != count) badAnswer("a list of answers of the wrong length");
    return std::move(answers.get_ref<json::array_t&>());
}

namespace {

std::vector<json> perElement(const std::vector<Element>& elements, std::initializer_list<json> rest) {
    std::vector<json> lists;
    lists.reserve(elements.size());
    for (Element e : elements) {
        json args = json::array({handle(e)});
        for (const json& a : rest) args.push_back(a);
        lists.push_back(std::move(args));
    }
    return lists;
}

// The elements that are none are left out of the request: `read` gets the
// others, and the result has `none` in their places.
template <typename T, typename Read>
std::vector<T> skippingNone(const std::vector<Element>& elements, T none, Read read) {
    std::vector<Element> present;
    for (Element e : elements) {
        if (e) present.push_back(e);
    }
    std::vector<T> found = read(present);
    std::vector<T> out;
    out.reserve(elements.size());
    std::size_t k = 0;
    for (Element e : elements) out.push_back(e ? std::move(found[k++]) : none);
    return out;
}

}  // namespace

std::vector<std::string> BrowserPage::optionTexts(Element list) {
    std::vector<std::string> texts;
    if (!list) return texts;
    const json v = op("optionTexts", {handle(list)});
    if (!v.is_array()) badAnswer("something else than the texts of a list");
    for (const json& t : v) texts.push_back(textOf(t));
    return texts;
}

std::vector<Element> BrowserPage::elementsById(const std::vector<std::string>& ids) {
    std::vector<json> lists;
    for (const std::string& id : ids) lists.push_back(json::array({id}));
    std::vector<Element> found;
    for (const json& v : each("getElementById", std::move(lists))) found.push_back(elementOf(v));
    return found;
}

std::vector<std::optional<std::string>> BrowserPage::attributeOfEach(const std::vector<Element>& elements,
                                                                     const std::string& name) {
    return skippingNone<std::optional<std::string>>(elements, std::nullopt, [&](const std::vector<Element>& present) {
        std::vector<std::optional<std::string>> values;
        for (const json& v : each("getAttribute", perElement(present, {name}))) {
            values.push_back(v.is_null() ? std::nullopt : std::optional<std::string>(textOf(v)));
        }
        return values;
    });
}

std::vector<std::string> BrowserPage::styleValueOfEach(const std::vector<Element>& elements,
                                                       const std::string& property) {
    return skippingNone<std::string>(elements, "", [&](const std::vector<Element>& present) {
        std::vector<std::string> values;
        for (const json& v : each("styleValue", perElement(present, {property}))) values.push_back(textOf(v));
        return values;
    });
}

std::vector<std::string> BrowserPage::outerHTMLOfEach(const std::vector<Element>& elements) {
    return skippingNone<std::string>(elements, "", [&](const std::vector<Element>& present) {
        std::vector<std::string> values;
        for (const json& v : each("outerHTML", perElement(present, {}))) values.push_back(textOf(v));
        return values;
    });
}

CallResult BrowserPage::call(const std::string& routine, const std::vector<ScriptValue>& args) {
    const json v = op("call", {routine, jsonList(args)});
    if (!v.is_object()) badAnswer("something else than the result of " + routine);
    CallResult result{fromJson(v.value("value", json())), {}};
    if (v.contains("args") && v["args"].is_array()) {
        for (const json& a : v["args"]) result.args.push_back(fromJson(a));
    }
    return result;
}
void BrowserPage::run(const std::string& routine, const std::vector<ScriptValue>& args) {
    change("call", {routine, jsonList(args)});
}

MsgResult BrowserPage::msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) {
    switch (intOf(op("msgBox", {text, msgFlags(buttons, icon), title}))) {
    case 2: return MsgResult::Cancel;
    case 6: return MsgResult::Yes;
    case 7: return MsgResult::No;
    default: return MsgResult::OK;
    }
}
std::optional<std::string> BrowserPage::inputBox(const std::string& prompt, const std::string& title,
                                                 const std::string& defaultText) {
    json v = op("inputBox", {prompt, title, defaultText});
    if (v.is_null()) return std::nullopt;
    return textOf(v);
}
void BrowserPage::openWindow(const std::string& url) { change("openWindow", {url}); }
void BrowserPage::reload() { op("reload", {}); }
void BrowserPage::setTitle(const std::string& title) { change("setTitle", {title}); }

}  // namespace zolt
