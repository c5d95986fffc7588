#include "storage/StoredForm.h"

#include <algorithm>
#include <array>

#include "dom/Parse.h"
#include "dom/Serialize.h"

namespace zolt {

using dom::Node;
using namespace std::string_view_literals;

namespace {

using Handler = std::pair<std::string_view, std::string_view>;
using Handlers = std::vector<Handler>;

// The handlers most controls carry; the element model leaves out the context
// menu or double click for a few types and adds a type's own.
Handlers controlHandlers(bool contextMenu, bool dblClick, Handlers extra = {}) {
    Handlers h;
    h.emplace_back("oncontrolselect", "UpdateWhichControlHasTheFocus(this)");
    h.emplace_back("onbeforeeditfocus", "return false");
    if (contextMenu) h.emplace_back("oncontextmenu", "CancelRightClick()");
    h.emplace_back("onmove", "CheckPosition(this)");
    h.emplace_back("onresize", "ControlWidthHeight(this)");
    h.emplace_back("onresizestart", "CheckFormLock()");
    h.emplace_back("onmovestart", "CheckFormLock()");
    if (dblClick) h.emplace_back("ondblclick", "ShowCodeWindow()");
    for (const Handler& e : extra) h.push_back(e);
    return h;
}

// Controls, by type code.
const std::vector<std::pair<std::string_view, Handlers>>& controlTable() {
    static const Handlers plain = controlHandlers(true, true);
    static const Handlers keys = controlHandlers(true, true, {{"onkeydown", "return false"}});
    static const std::vector<std::pair<std::string_view, Handlers>> table = {
        {"L", plain}, {"T", keys}, {"B", keys}, {"CK", keys}, {"O", keys}, {"CB", plain}, {"LB", plain},
        {"IM", controlHandlers(true, true, {{"ondragstart", "return false"}})},
        {"TBL", controlHandlers(false, true)},
        {"TXTA", controlHandlers(true, false, {{"onkeydown", "CheckDelete(this.ControlID)"}})},
        {"FRA", controlHandlers(true, true, {{"onkeydown", "return true"}})},
        {"TAB", {{"onkeydown", "return true"}, {"onclick", "TabClicked(this)"}}},
        {"CAL", controlHandlers(true, true, {{"onclick", "SelectParentControl(this)"}})},
        {"LNK", plain}, {"UL", plain},
    };
    return table;
}

const Handlers kForm = {{"onclick", "UpdateWhichFormHasTheFocus(this)"}, {"oncontextmenu", "CheckProperty(this)"}};
const Handlers kFormBody = {{"onclick", "UpdateWhichFormHasTheFocus(this.parentElement)"},
                            {"onbeforeeditfocus", "return false"},
                            {"onkeydown", "CheckDelete(SelectedObj.ControlID)"},
                            {"oncontextmenu", "CheckProperty(this.parentElement)"},
                            {"ondblclick", "ShowCodeWindow()"},
                            {"oncut", "return false"},
                            {"oncopy", "return false"},
                            {"onpaste", "return false"}};
const Handlers kClosePicture = {{"ondragstart", "return false"}, {"onclick", "CloseForm(this.parentElement)"}};
const Handlers kCheckBoxInput = {{"onclick", "return false"}, {"ondragstart", "return false"}};
const Handlers kOptionInput = {{"ondragstart", "return false"}};
const Handlers kGridHeader = {{"ondragstart", "return false"},
                              {"oncontextmenu", "CancelRightClick()"},
                              {"onresize", "ControlWidthHeight(this)"}};
const Handlers kGridPart = {{"ondragstart", "return false"}, {"onresize", "ControlWidthHeight(this)"}};
const Handlers kFrameCaption = {{"oncontrolselect", "return false"}};
const Handlers kTabContent = {{"onclick", "SelectParentControl(this.parentElement)"},
                              {"oncontextmenu", "CancelRightClick()"},
                              {"ondblclick", "ShowCodeWindow()"}};
const Handlers kTabStrip = {{"onclick", "TabClicked(this)"}};
const Handlers kListItem = {{"onclick", "SelectParentControl(this.parentElement)"}};
const Handlers kCalendarList = {{"oncontrolselect", "return false"}, {"onchange", "UpdateControlProperty(this)"}};

std::string_view attrValue(const Node& e, std::string_view name) {
    const dom::Attr* a = e.findAttr(name);
    return a ? std::string_view(a->value) : std::string_view();
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && dom::equalsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
}

bool isType(const Node& e, std::string_view code) { return dom::equalsIgnoringAsciiCase(attrValue(e, "controltype"), code); }

// The control that holds `e` (not `e` itself), or null.
const Node* enclosingControl(const Node& e) {
    for (const Node* p = e.parent; p; p = p->parent) {
        if (p->isElement() && p->hasAttr("controlid")) return p;
    }
    return nullptr;
}

// The designer's own handlers of an element, by its place in the element
// model; null for an element that has none.
const Handlers* designerHandlersOf(const Node& e) {
    if (e.ns != dom::Namespace::Html) return nullptr;
    const std::string_view type = attrValue(e, "controltype");
    const std::string_view id = attrValue(e, "id");
    auto is = [](std::string_view a, std::string_view b) { return dom::equalsIgnoringAsciiCase(a, b); };
    if (e.hasAttr("controlid")) {
        for (const auto& [code, handlers] : controlTable()) {
            if (is(type, code)) return &handlers;
        }
        return nullptr;
    }
    if (is(type, "F")) return &kForm;
    if (is(type, "TF")) return &kFormBody;
    if (is(type, "TBLH")) return &kGridHeader;
    if (is(type, "TBLS") || is(type, "TBLD")) return &kGridPart;
    if (is(type, "TAB") && startsWithNoCase(id, "tabcontent_")) return &kTabContent;
    if (startsWithNoCase(id, "tabtable_")) return &kTabStrip;
    if (e.isHtml("input") && is(type, "CK")) return &kCheckBoxInput;
    if (e.isHtml("input") && is(type, "O")) return &kOptionInput;
    if (e.isHtml("img") && is(id, "closeformx")) return &kClosePicture;
    if (is(id, "fracaption")) return &kFrameCaption;
    if (e.isHtml("li") && e.parent && isType(*e.parent, "UL")) return &kListItem;
    if (e.isHtml("select") && (is(id, "month") || is(id, "year"))) {
        const Node* control = enclosingControl(e);
        if (control && isType(*control, "CAL")) return &kCalendarList;
    }
    return nullptr;
}

// Event handler attributes: "on" and letters. The developer's code
// attributes (F_..., C_onclick) always hold an underscore and are not.
bool isEventHandler(std::string_view name) {
    return name.size() > 2 && (name[0] == 'o' || name[0] == 'O') && (name[1] == 'n' || name[1] == 'N') &&
           std::all_of(name.begin() + 2, name.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

// Elements that go with their content: they run or load something, or
// parse differently in a page where script runs.
constexpr std::array kDropped = {"script"sv, "iframe"sv, "frame"sv, "frameset"sv, "object"sv, "embed"sv,
                                 "applet"sv, "base"sv, "link"sv, "meta"sv, "noscript"sv, "noembed"sv,
                                 "noframes"sv, "template"sv, "xmp"sv, "plaintext"sv, "portal"sv};

bool isDropped(const Node& e) {
    return e.ns != dom::Namespace::Html || std::find(kDropped.begin(), kDropped.end(), e.name) != kDropped.end();
}

constexpr std::array kAddressAttributes = {"href"sv, "src"sv, "action"sv, "formaction"sv, "background"sv,
                                           "lowsrc"sv, "dynsrc"sv, "poster"sv, "data"sv, "codebase"sv,
                                           "cite"sv, "longdesc"sv, "usemap"sv, "ping"sv, "xlink:href"sv};

// An address that runs script when followed; the browser ignores blanks and
// control characters before the scheme and inside it.
bool runsScript(std::string_view address) {
    std::string scheme;
    for (char c : address) {
        if (static_cast<unsigned char>(c) <= ' ') continue;
        if (c == ':') break;
        scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (scheme.size() > 10) return false;
    }
    return scheme == "javascript" || scheme == "vbscript";
}

bool dropsAttribute(const dom::Attr& a) {
    if (dom::equalsIgnoringAsciiCase(a.name, "srcdoc")) return true;
    return std::any_of(kAddressAttributes.begin(), kAddressAttributes.end(),
                       [&](std::string_view n) { return dom::equalsIgnoringAsciiCase(a.name, n); }) &&
           runsScript(a.value);
}

std::string cleanMarkup(std::string_view markup, int depth);

// Tab pages inside tab pages are kept this deep; deeper ones (only a crafted
// file has them) are left out.
constexpr int kDeepestTabPage = 16;

void cleanAttributes(Node& e, int depth) {
    const Handlers* own = designerHandlersOf(e);
    std::vector<bool> placed(own ? own->size() : 0, false);
    std::vector<dom::Attr> kept;
    kept.reserve(e.attrs.size());
    for (dom::Attr& a : e.attrs) {
        if (isEventHandler(a.name)) {
            if (!own) continue;
            for (std::size_t i = 0; i < own->size(); ++i) {
                if (!placed[i] && dom::equalsIgnoringAsciiCase((*own)[i].first, a.name)) {
                    placed[i] = true;
                    a.value = std::string((*own)[i].second);
                    kept.push_back(std::move(a));
                    break;
                }
            }
            continue;
        }
        if (dropsAttribute(a)) continue;
        if (dom::equalsIgnoringAsciiCase(a.name, "contents")) {
            a.value = depth < kDeepestTabPage ? cleanMarkup(a.value, depth + 1) : std::string();
        }
        kept.push_back(std::move(a));
    }
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (!placed[i]) kept.push_back({std::string((*own)[i].first), std::string((*own)[i].second)});
    }
    e.attrs = std::move(kept);
}

// Cleans `root` and everything inside it (root itself is never dropped).
void cleanTree(Node& root, int depth) {
    std::vector<Node*> work{&root};
    while (!work.empty()) {
        Node* n = work.back();
        work.pop_back();
        if (!n->isElement()) continue;
        cleanAttributes(*n, depth);
        auto& kids = n->children;
        kids.erase(std::remove_if(kids.begin(), kids.end(),
                                  [](const std::unique_ptr<Node>& c) { return c->isElement() && isDropped(*c); }),
                   kids.end());
        for (auto& c : kids) work.push_back(c.get());
    }
}

const Node& bodyContext() {
    static const std::unique_ptr<Node> body = Node::makeElement("body");
    return *body;
}

std::string cleanMarkup(std::string_view markup, int depth) {
    Node holder(dom::NodeKind::Element);
    holder.name = "body";
    for (auto& n : dom::parseFragment(dom::keepAttributeCarriageReturns(markup), bodyContext())) {
        if (!(n->isElement() && isDropped(*n))) holder.appendChild(std::move(n));
    }
    cleanTree(holder, depth);
    return dom::innerHTML(holder);
}

}  // namespace

StoredForm::StoredForm(std::string_view markup) {
    for (auto& n : dom::parseFragment(dom::keepAttributeCarriageReturns(markup), bodyContext())) {
        if (n->isElement() && !isDropped(*n)) {
            container_ = std::move(n);
            cleanTree(*container_, 0);
            break;
        }
    }
}

void StoredForm::renumber(const std::string& from, const std::string& to) {
    if (!container_) return;
    dom::forEachNode(*container_, [&](Node& n) {
        if (n.isElement() && n.attr("parentformid") == from) n.setAttr("parentformid", to);
    });
}

std::string StoredForm::markup() const { return container_ ? dom::outerHTML(*container_) : std::string(); }

}  // namespace zolt
