// The designer page held in memory: the Page interface over a parsed HTML
// document, for unit tests of host routines and for headless commands.
//
// No script runs. Script variables live in a table; the page routines that
// host routines call are C++ callables registered by name; message and input
// boxes are answered from a queue of scripted answers and recorded; clicks,
// opened windows, reloads and title changes are recorded.
//
// Markup is parsed by an HTML5 parser (fragments in the context of the
// element they go into) and written by the HTML5 serialisation algorithm, so
// innerHTML/outerHTML give what the browser gives. Inline style values are
// read as written in the style attribute, not normalised to px or rgb().
// Text is UTF-8 throughout.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "dom/InlineStyle.h"
#include "dom/Node.h"
#include "page/Page.h"

namespace zolt {

class DomPage : public Page {
public:
    // A page routine: gets the page and the arguments, which it may change
    // (arguments passed by reference), and returns the routine's value.
    using Routine = std::function<ScriptValue(DomPage&, std::vector<ScriptValue>& args)>;
    using ClickHook = std::function<void(DomPage&, Element)>;
    using ReloadHook = std::function<void(DomPage&)>;

    // A box the page was asked to show, with the answer it gave.
    struct ShownBox {
        enum class Kind { Message, Input } kind = Kind::Message;
        std::string text;  // message text, or the input box's prompt
        std::string title;
        MsgButtons buttons = MsgButtons::OK;
        MsgIcon icon = MsgIcon::None;
        std::string defaultText;              // input boxes
        MsgResult result = MsgResult::OK;     // message boxes
        std::optional<std::string> typed;     // input boxes; nothing = cancelled
    };

    // Starts with an empty document (<html><head></head><body></body></html>).
    DomPage();
    explicit DomPage(std::string_view html);
    ~DomPage() override;

    // Replaces the document. Every handle of the old document becomes
    // invalid; script variables, routines and recordings stay.
    void loadDocument(std::string_view html);
    // The whole document serialised.
    std::string documentHTML() const;
    // The html element.
    Element documentElement();

    // --- set-up and inspection for tests and headless commands
    void registerRoutine(const std::string& name, Routine routine);
    bool hasRoutine(const std::string& name) const;
    void onClick(ClickHook hook) { clickHook_ = std::move(hook); }
    void onReload(ReloadHook hook) { reloadHook_ = std::move(hook); }
    // Scripted answers, used in order by the next boxes shown. A box with no
    // answer waiting (or an answer of the other kind) throws PageError.
    void answerMsgBox(MsgResult result);
    // Answers every message box that has no scripted answer with `result`
    // when the box offers that button (a command run without a person).
    void answerOtherBoxesWith(std::optional<MsgResult> result) { otherBoxes_ = result; }
    void answerInputBox(std::optional<std::string> typed);
    std::size_t pendingAnswers() const { return answers_.size(); }
    const std::vector<ShownBox>& shownBoxes() const { return shownBoxes_; }
    const std::vector<Element>& clicks() const { return clicks_; }
    const std::vector<std::string>& openedWindows() const { return openedWindows_; }
    int reloadCount() const { return reloadCount_; }
    const std::string& title() const { return title_; }
    void clearRecords();

    // The node behind a handle (PageError when stale), and the handle of a node.
    dom::Node& node(Element e) const;
    Element handleOf(dom::Node& n);

    // --- Page: every operation, declared alike in BrowserPage.h on purpose
    // (each page class overrides every one of them).
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
    // Without a user typing, a field's value is what its markup says: the
    // value attribute of an INPUT, the text of a TEXTAREA, the chosen option
    // of a SELECT.
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
    void addOption(Element list, const std::string& text, const std::string& value,
                   int before = -1) override;
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
    CallResult call(const std::string& routine, const std::vector<ScriptValue>& args = {}) override;
    MsgResult msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title = "ZOLT") override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title = "ZOLT",
                                        const std::string& defaultText = "") override;
    void openWindow(const std::string& url) override;
    void reload() override;
    void setTitle(const std::string& title) override;

private:
    // An element behind a handle; PageError for stale handles and non-elements.
    dom::Node& element(Element e) const;
    dom::Node& elementNamed(Element e, std::string_view htmlName, std::string_view what) const;
    std::vector<Element> handlesOf(const std::vector<dom::Node*>& nodes);

    // Bookkeeping around every change of the tree.
    void inserted(dom::Node& subtree);                 // after a subtree went in
    void discard(std::unique_ptr<dom::Node> subtree);  // a subtree that went out
    void idChanged(dom::Node& el, const std::optional<std::string>& oldId);
    void clearChildren(dom::Node& el);
    void insertParsed(dom::Node& parent, std::size_t index, std::string_view html,
                      const dom::Node& context);
    void rebuildIdIndex();

    // Options and table parts (DomPageLists.cpp).
    std::vector<dom::Node*> options(Element list, dom::Node** select = nullptr) const;
    dom::Node& option(Element list, int index) const;
    std::vector<dom::Node*> tableRows(dom::Node& table) const;
    std::vector<dom::Node*> rowCells(dom::Node& row) const;
    void deleteNth(const std::vector<dom::Node*>& all, int index, std::string_view what);

    std::unique_ptr<dom::Node> doc_;
    std::unordered_map<std::int64_t, dom::Node*> handles_;
    std::int64_t lastHandle_ = 0;

    // Lower-case id -> first element in document order carrying it, with the
    // number of elements carrying it. Rebuilt lazily when a change cannot be
    // applied to it directly.
    struct IdEntry {
        dom::Node* first = nullptr;
        int count = 0;
    };
    std::unordered_map<std::string, IdEntry> ids_;
    bool idsValid_ = false;

    // The style text read last, with its declarations (which point into it:
    // kept on the heap, where moving the page leaves it).
    struct StyleRead {
        std::string text;
        dom::Declarations declarations;
    };
    std::unique_ptr<StyleRead> styleRead_ = std::make_unique<StyleRead>();

    using Variable = std::variant<ScriptValue, std::vector<ScriptValue>>;
    std::unordered_map<std::string, Variable> variables_;
    std::map<std::string, Routine> routines_;

    using Answer = std::variant<MsgResult, std::optional<std::string>>;
    std::deque<Answer> answers_;
    std::optional<MsgResult> otherBoxes_;
    std::vector<ShownBox> shownBoxes_;
    std::vector<Element> clicks_;
    std::vector<std::string> openedWindows_;
    int reloadCount_ = 0;
    std::string title_;
    ClickHook clickHook_;
    ReloadHook reloadHook_;
};

}  // namespace zolt
