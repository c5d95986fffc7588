// DomPage: page script variables and arrays, page routines, message and
// input boxes, windows.
#include <exception>

#include "page/DomPage.h"

namespace zolt {

namespace {

// Names of the buttons in the records, one switch per enumeration (alike on
// purpose, as BrowserPage's names for the live page).
const char* buttonsName(MsgButtons b) {
    switch (b) {
        case MsgButtons::OK: return "OK";
        case MsgButtons::OKCancel: return "OK/Cancel";
        case MsgButtons::YesNo: return "Yes/No";
        case MsgButtons::YesNoCancel: return "Yes/No/Cancel";
    }
    return "";
}

bool offers(MsgButtons buttons, MsgResult result) {
    switch (result) {
        case MsgResult::OK: return buttons == MsgButtons::OK || buttons == MsgButtons::OKCancel;
        case MsgResult::Cancel: return buttons == MsgButtons::OKCancel || buttons == MsgButtons::YesNoCancel;
        case MsgResult::Yes:
        case MsgResult::No: return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel;
    }
    return false;
}

}  // namespace

// --- variables and arrays

ScriptValue DomPage::getVariable(const std::string& name) {
    auto it = variables_.find(name);
    if (it == variables_.end()) return {};
    if (auto v = std::get_if<ScriptValue>(&it->second)) return *v;
    throw PageError("the page variable " + name + " is an array");
}

void DomPage::setVariable(const std::string& name, const ScriptValue& value) {
    variables_[name] = value;
}

ScriptValue DomPage::getArrayEntry(const std::string& name, int index) {
    if (index < 0) throw PageError("bad index " + std::to_string(index) + " into " + name);
    auto it = variables_.find(name);
    if (it == variables_.end()) return {};
    auto items = std::get_if<std::vector<ScriptValue>>(&it->second);
    if (!items) throw PageError("the page variable " + name + " is not an array");
    return static_cast<std::size_t>(index) < items->size() ? (*items)[static_cast<std::size_t>(index)]
                                                          : ScriptValue{};
}

void DomPage::setArrayEntry(const std::string& name, int index, const ScriptValue& value) {
    if (index < 0) throw PageError("bad index " + std::to_string(index) + " into " + name);
    Variable& var = variables_[name];
    if (!std::holds_alternative<std::vector<ScriptValue>>(var)) {
        if (!std::holds_alternative<std::monostate>(std::get<ScriptValue>(var))) {
            throw PageError("the page variable " + name + " is not an array");
        }
        var = std::vector<ScriptValue>{};
    }
    auto& items = std::get<std::vector<ScriptValue>>(var);
    if (items.size() <= static_cast<std::size_t>(index)) items.resize(static_cast<std::size_t>(index) + 1);
    items[static_cast<std::size_t>(index)] = value;
}

std::vector<ScriptValue> DomPage::getArray(const std::string& name) {
    auto it = variables_.find(name);
    if (it == variables_.end()) return {};
    if (auto items = std::get_if<std::vector<ScriptValue>>(&it->second)) return *items;
    if (std::holds_alternative<std::monostate>(std::get<ScriptValue>(it->second))) return {};
    throw PageError("the page variable " + name + " is not an array");
}

void DomPage::setArray(const std::string& name, const std::vector<ScriptValue>& items) {
    variables_[name] = items;
}

// --- routines

void DomPage::registerRoutine(const std::string& name, Routine routine) {
    routines_[name] = std::move(routine);
}

bool DomPage::hasRoutine(const std::string& name) const { return routines_.count(name) != 0; }

CallResult DomPage::call(const std::string& routine, const std::vector<ScriptValue>& args) {
    auto it = routines_.find(routine);
    if (it == routines_.end()) {
        throw PageError("the page has no routine " + routine + " (not registered with this DomPage)");
    }
    CallResult result{{}, args};
    Routine fn = it->second;  // a copy: the routine may register others
    try {
        result.value = fn(*this, result.args);
    } catch (const PageError&) {
        throw;
    } catch (const std::exception& e) {
        throw PageError("error in page routine " + routine + ": " + e.what());
    }
    return result;
}

// --- boxes

void DomPage::answerMsgBox(MsgResult result) { answers_.emplace_back(result); }

void DomPage::answerInputBox(std::optional<std::string> typed) {
    answers_.emplace_back(std::move(typed));
}

MsgResult DomPage::msgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                          const std::string& title) {
    ShownBox box;
    box.kind = ShownBox::Kind::Message;
    box.text = text;
    box.title = title;
    box.buttons = buttons;
    box.icon = icon;
    if (answers_.empty() && otherBoxes_ && offers(buttons, *otherBoxes_)) {
        box.result = *otherBoxes_;
        shownBoxes_.push_back(box);
        return box.result;
    }
    if (answers_.empty() || !std::holds_alternative<MsgResult>(answers_.front())) {
        throw PageError("unexpected message box: " + text);
    }
    box.result = std::get<MsgResult>(answers_.front());
    if (!offers(buttons, box.result)) {
        throw PageError(std::string("scripted answer does not fit the ") + buttonsName(buttons) +
                        " message box: " + text);
    }
    answers_.pop_front();
    shownBoxes_.push_back(box);
    return box.result;
}

std::optional<std::string> DomPage::inputBox(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) {
    ShownBox box;
    box.kind = ShownBox::Kind::Input;
    box.text = prompt;
    box.title = title;
    box.buttons = MsgButtons::OKCancel;
    box.defaultText = defaultText;
    if (answers_.empty() || !std::holds_alternative<std::optional<std::string>>(answers_.front())) {
        throw PageError("unexpected input box: " + prompt);
    }
    box.typed = std::get<std::optional<std::string>>(answers_.front());
    answers_.pop_front();
    shownBoxes_.push_back(box);
    return box.typed;
}

// --- windows

void DomPage::openWindow(const std::string& url) { openedWindows_.push_back(url); }

void DomPage::reload() {
    ++reloadCount_;
    if (reloadHook_) reloadHook_(*this);
}

void DomPage::setTitle(const std::string& title) { title_ = title; }

void DomPage::clearRecords() {
    shownBoxes_.clear();
    clicks_.clear();
    openedWindows_.clear();
    reloadCount_ = 0;
}

}  // namespace zolt
