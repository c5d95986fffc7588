// The designer page as the host routines see it: every read and write of
// elements, attributes, markup, option lists, styles, script variables and
// page routines, and the boxes the page shows for the host.
//
// Two implementations: BrowserPage (the live page in a browser, over the
// bridge) and DomPage (an in-memory document for tests and headless commands).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace zolt {

namespace dom {
class Node;
}

// A reference to a node of the page. Handles are minted by the page and stay
// valid for the page's lifetime or until the node is removed. 0 is "none".
struct Element {
    std::int64_t handle = 0;
    explicit operator bool() const { return handle != 0; }
    bool operator==(const Element&) const = default;
};

// A value of a page script variable, array entry, routine argument or result.
// monostate is the script's "empty" (never assigned / undefined / null).
using ScriptValue = std::variant<std::monostate, std::string, double, bool, Element>;

struct Attribute {
    std::string name;   // as the DOM holds it: lower case for HTML elements
    std::string value;
    bool operator==(const Attribute&) const = default;
};

enum class InsertPosition { BeforeBegin, AfterBegin, BeforeEnd, AfterEnd };

enum class NodeType { Element = 1, Text = 3, Comment = 8, Other = 0 };

// Buttons and icons of message boxes, as the host routines ask for them.
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgResult { OK, Cancel, Yes, No };

// The result of calling a page routine: its return value and the arguments as
// the routine left them (routines may change arguments passed by reference).
struct CallResult {
    ScriptValue value;
    std::vector<ScriptValue> args;
};

// Raised when the page cannot do what was asked: a stale handle, an unknown
// routine, a script error inside a routine, a lost connection.
class PageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Page {
public:
    virtual ~Page() = default;

    // --- finding elements
    // First element whose id equals `id`, case ignored; none when there is none.
    virtual Element getElementById(const std::string& id) = 0;
    virtual std::vector<Element> getElementsByName(const std::string& name) = 0;
    virtual Element body() = 0;

    // --- the node itself
    virtual NodeType nodeType(Element e) = 0;
    virtual std::string tagName(Element e) = 0;  // upper case, as the DOM reports it

    // --- attributes (names are matched without regard to case)
    virtual std::optional<std::string> getAttribute(Element e, const std::string& name) = 0;
    virtual void setAttribute(Element e, const std::string& name, const std::string& value) = 0;
    virtual void removeAttribute(Element e, const std::string& name) = 0;
    // Every attribute in collection order.
    virtual std::vector<Attribute> attributes(Element e) = 0;

    // --- markup and text
    virtual std::string innerHTML(Element e) = 0;
    virtual void setInnerHTML(Element e, const std::string& html) = 0;
    virtual std::string outerHTML(Element e) = 0;
    virtual void setOuterHTML(Element e, const std::string& html) = 0;
    virtual std::string innerText(Element e) = 0;
    virtual void setInnerText(Element e, const std::string& text) = 0;
    virtual void insertAdjacentHTML(Element e, InsertPosition where, const std::string& html) = 0;
    // Puts a form read from its file, parsed and cleaned by the host
    // (storage/StoredForm.h), at the start of the body. The browser's page
    // parses the markup it receives inert and cleans it again.
    virtual void insertStoredForm(std::unique_ptr<dom::Node> form) = 0;

    // --- the current value of a form field (INPUT, TEXTAREA, SELECT): what
    // the user typed or chose, not the markup's value attribute
    virtual std::string fieldValue(Element field) = 0;
    virtual void setFieldValue(Element field, const std::string& value) = 0;
    // Whether a check box or radio button is checked now (not its markup).
    virtual bool fieldChecked(Element field) = 0;
    virtual void setFieldChecked(Element field, bool checked) = 0;

    // --- option lists of SELECT elements
    virtual int optionCount(Element list) = 0;
    virtual void setOptionCount(Element list, int count) = 0;  // 0 empties the list
    virtual std::string optionText(Element list, int index) = 0;
    virtual std::string optionValue(Element list, int index) = 0;
    virtual int selectedIndex(Element list) = 0;  // -1 when none
    virtual void setSelectedIndex(Element list, int index) = 0;
    // Adds an option before `before`, or at the end when `before` is -1.
    virtual void addOption(Element list, const std::string& text, const std::string& value,
                           int before = -1) = 0;
    virtual void removeOption(Element list, int index) = 0;
    virtual void setOptionStyle(Element list, int index, const std::string& property,
                                const std::string& value) = 0;

    // --- inline style, by CSS property name ("z-index", "background-color")
    virtual std::string styleValue(Element e, const std::string& property) = 0;
    virtual void setStyleValue(Element e, const std::string& property, const std::string& value) = 0;

    // --- tree
    virtual std::vector<Element> children(Element e) = 0;    // element children
    virtual std::vector<Element> childNodes(Element e) = 0;  // every child node
    virtual Element parent(Element e) = 0;
    virtual void removeElement(Element e) = 0;
    virtual void click(Element e) = 0;

    // --- tables
    virtual std::vector<Element> rows(Element table) = 0;
    virtual std::vector<Element> cells(Element row) = 0;
    virtual Element insertRow(Element table, int index) = 0;  // -1 appends
    virtual void deleteRow(Element table, int index) = 0;
    virtual Element insertCell(Element row, int index) = 0;   // -1 appends
    virtual void deleteCell(Element row, int index) = 0;

    // --- page script variables and routines
    virtual ScriptValue getVariable(const std::string& name) = 0;
    virtual void setVariable(const std::string& name, const ScriptValue& value) = 0;
    virtual ScriptValue getArrayEntry(const std::string& name, int index) = 0;
    virtual void setArrayEntry(const std::string& name, int index, const ScriptValue& value) = 0;
    virtual std::vector<ScriptValue> getArray(const std::string& name) = 0;
    virtual void setArray(const std::string& name, const std::vector<ScriptValue>& items) = 0;
    // Calls a page routine by name. Throws PageError for an unknown routine or
    // an error inside it.
    virtual CallResult call(const std::string& routine, const std::vector<ScriptValue>& args = {}) = 0;
    // Calls a page routine whose answer the caller does not need. A page may
    // let it travel with the next operation that waits for an answer; an error
    // in it is then reported by that operation.
    virtual void run(const std::string& routine, const std::vector<ScriptValue>& args = {}) { call(routine, args); }

    // Changes that stand or fall together, made by `apply` (a form and its
    // entry in the forms list). When the page refuses one of them, the rest of
    // the group is left out and what comes after the group still goes on; the
    // refusal, with the group's label, is kept for refusedGroups(). A page may
    // let the group travel with the next operation that waits for an answer.
    virtual void group(const std::string& label, const std::function<void()>& apply);
    struct Refusal {
        std::string label;  // the group's
        std::string error;  // what the page said
    };
    // The groups refused since the last time, in order; the list is emptied.
    virtual std::vector<Refusal> refusedGroups();

    // --- many reads at once: routines that walk every form (open, save,
    // build) ask for a whole list in one go. A page in a browser answers each
    // of these in one round trip; the answers are those of the single reads,
    // in order. A none element gives none, an empty text or nothing.
    virtual std::vector<std::string> optionTexts(Element list);
    virtual std::vector<Element> elementsById(const std::vector<std::string>& ids);
    virtual std::vector<std::optional<std::string>> attributeOfEach(const std::vector<Element>& elements,
                                                                    const std::string& name);
    virtual std::vector<std::string> styleValueOfEach(const std::vector<Element>& elements,
                                                      const std::string& property);
    virtual std::vector<std::string> outerHTMLOfEach(const std::vector<Element>& elements);

    // --- boxes and windows
    virtual MsgResult msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                             const std::string& title = "ZOLT") = 0;
    // The typed text, or nothing when the box was cancelled.
    virtual std::optional<std::string> inputBox(const std::string& prompt,
                                                const std::string& title = "ZOLT",
                                                const std::string& defaultText = "") = 0;
    virtual void openWindow(const std::string& url) = 0;
    virtual void reload() = 0;
    virtual void setTitle(const std::string& title) = 0;

    // Keeps answering the page (its commands and dialog events) while
    // `keepWaiting` returns true: the wait of a modal window the page draws
    // for the host. A page that cannot show windows raises PageError.
    virtual void runModal(const std::function<bool()>& keepWaiting) {
        if (keepWaiting()) throw PageError("this page cannot show modal windows");
    }

protected:
    std::vector<Refusal> refused_;
};

// Helpers over ScriptValue that host routines use everywhere.
std::string toText(const ScriptValue& v);    // script text form: True/False, numbers without ".0"
double toNumber(const ScriptValue& v);       // empty -> 0; text parsed, bad text -> 0
bool toBool(const ScriptValue& v);           // "True"/"true"/non-zero -> true
Element toElement(const ScriptValue& v);     // none unless it holds an element

}  // namespace zolt
