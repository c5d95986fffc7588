// DomPage: the document, element handles, the id index, attributes, markup,
// text and the tree. Lists and tables are in DomPageLists.cpp, script
// variables, routines and boxes in DomPageScript.cpp.
#include "page/DomPage.h"

#include <array>

#include "dom/InlineStyle.h"
#include "dom/Parse.h"
#include "dom/Serialize.h"

namespace zolt {

using dom::Node;
using dom::NodeKind;

namespace {

const std::string* idOf(const Node& n) {
    if (!n.isElement()) return nullptr;
    const dom::Attr* a = n.findAttr("id");
    return a && !a->value.empty() ? &a->value : nullptr;
}

// Names a browser's setAttribute refuses; letting them through would write
// markup that reads back differently.
bool validAttributeName(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\0' ||
            c == '/' || c == '>' || c == '=' || c == '"' || c == '\'' || c == '<') {
            return false;
        }
    }
    return true;
}

// Elements whose text is not rendered and so not part of innerText.
constexpr std::array kNoTextElements{"script", "style", "noscript", "template", "head"};

bool hidesText(const Node& n) {
    for (const char* name : kNoTextElements) {
        if (n.isHtml(name)) return true;
    }
    return false;
}

}  // namespace

DomPage::DomPage() { loadDocument(""); }
DomPage::DomPage(std::string_view html) { loadDocument(html); }
DomPage::~DomPage() = default;

void DomPage::loadDocument(std::string_view html) {
    handles_.clear();
    doc_ = dom::parseDocument(html);
    idsValid_ = false;
}

std::string DomPage::documentHTML() const { return dom::innerHTML(*doc_); }

// --- handles

Element DomPage::handleOf(Node& n) {
    if (!n.handle) {
        n.handle = ++lastHandle_;
        handles_[n.handle] = &n;
    }
    return Element{n.handle};
}

Node& DomPage::node(Element e) const {
    auto it = handles_.find(e.handle);
    if (it == handles_.end()) {
        throw PageError(e.handle ? "element " + std::to_string(e.handle) + " is no longer in the page"
                                 : std::string("no element given"));
    }
    return *it->second;
}

Node& DomPage::element(Element e) const {
    Node& n = node(e);
    if (!n.isElement()) throw PageError("node " + std::to_string(e.handle) + " is not an element");
    return n;
}

Node& DomPage::elementNamed(Element e, std::string_view htmlName, std::string_view what) const {
    Node& n = element(e);
    if (!n.isHtml(htmlName)) {
        throw PageError("element " + std::to_string(e.handle) + " (" + n.name + ") is not " +
                        std::string(what));
    }
    return n;
}

std::vector<Element> DomPage::handlesOf(const std::vector<Node*>& nodes) {
    std::vector<Element> out;
    out.reserve(nodes.size());
    for (Node* n : nodes) out.push_back(handleOf(*n));
    return out;
}

// --- the id index and the bookkeeping of changes

void DomPage::rebuildIdIndex() {
    ids_.clear();
    dom::forEachNode(*doc_, [&](Node& n) {
        if (const std::string* id = idOf(n)) {
            IdEntry& entry = ids_[dom::asciiLower(*id)];
            if (!entry.first) entry.first = &n;
            ++entry.count;
        }
    });
    idsValid_ = true;
}

void DomPage::inserted(Node& subtree) {
    if (!idsValid_) return;
    dom::forEachNode(subtree, [&](Node& n) {
        const std::string* id = idsValid_ ? idOf(n) : nullptr;
        if (!id) return;
        auto [it, added] = ids_.try_emplace(dom::asciiLower(*id), IdEntry{&n, 1});
        // Forms repeat the ids of their parts (TForm, CaptionBar): the first
        // holder in document order answers getElementById.
        if (!added) {
            ++it->second.count;
            if (n.precedes(*it->second.first)) it->second.first = &n;
        }
    });
}

void DomPage::discard(std::unique_ptr<Node> subtree) {
    if (!subtree) return;
    dom::forEachNode(*subtree, [&](Node& n) {
        if (n.handle) {
            handles_.erase(n.handle);
            n.handle = 0;
        }
        const std::string* id = idsValid_ ? idOf(n) : nullptr;
        if (!id) return;
        auto it = ids_.find(dom::asciiLower(*id));
        if (it == ids_.end()) {
            idsValid_ = false;
        } else if (--it->second.count == 0) {
            ids_.erase(it);
        } else if (it->second.first == &n) {
            idsValid_ = false;  // the next holder is not known
        }
    });
}

void DomPage::idChanged(Node& el, const std::optional<std::string>& oldId) {
    if (!idsValid_) return;
    if (oldId && !oldId->empty()) {
        auto it = ids_.find(dom::asciiLower(*oldId));
        if (it == ids_.end() || it->second.first == &el) {
            if (it != ids_.end() && it->second.count == 1) ids_.erase(it);
            else idsValid_ = false;
        } else {
            --it->second.count;
        }
    }
    if (idsValid_) {
        if (const std::string* id = idOf(el)) {
            auto [it, added] = ids_.try_emplace(dom::asciiLower(*id), IdEntry{&el, 1});
            if (!added) idsValid_ = false;
        }
    }
}

void DomPage::clearChildren(Node& el) {
    for (auto& child : el.takeChildren()) discard(std::move(child));
}

void DomPage::insertParsed(Node& parent, std::size_t index, std::string_view html,
                           const Node& context) {
    for (auto& n : dom::parseFragment(html, context)) {
        Node* placed = parent.insertChild(index++, std::move(n));
        inserted(*placed);
    }
}

// --- finding elements

Element DomPage::getElementById(const std::string& id) {
    if (id.empty()) return {};
    if (!idsValid_) rebuildIdIndex();
    auto it = ids_.find(dom::asciiLower(id));
    return it == ids_.end() ? Element{} : handleOf(*it->second.first);
}

std::vector<Element> DomPage::getElementsByName(const std::string& name) {
    std::vector<Node*> found;
    dom::forEachNode(*doc_, [&](Node& n) {
        if (n.isElement() && n.ns == dom::Namespace::Html) {
            const dom::Attr* a = n.findAttr("name");
            if (a && a->value == name) found.push_back(&n);
        }
    });
    return handlesOf(found);
}

Element DomPage::documentElement() {
    Node* html = doc_->childElement("html");
    return html ? handleOf(*html) : Element{};
}

Element DomPage::body() {
    Node* html = doc_->childElement("html");
    Node* b = html ? html->childElement("body") : nullptr;
    return b ? handleOf(*b) : Element{};
}

// --- the node itself

NodeType DomPage::nodeType(Element e) {
    switch (node(e).kind) {
        case NodeKind::Element: return NodeType::Element;
        case NodeKind::Text: return NodeType::Text;
        case NodeKind::Comment: return NodeType::Comment;
        default: return NodeType::Other;
    }
}

std::string DomPage::tagName(Element e) {
    Node& n = node(e);
    if (!n.isElement()) return {};
    if (n.ns != dom::Namespace::Html) return n.name;
    std::string upper = n.name;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// --- attributes

std::optional<std::string> DomPage::getAttribute(Element e, const std::string& name) {
    return element(e).attr(name);
}

void DomPage::setAttribute(Element e, const std::string& name, const std::string& value) {
    Node& el = element(e);
    if (!validAttributeName(name)) throw PageError("\"" + name + "\" is not a valid attribute name");
    if (dom::equalsIgnoringAsciiCase(name, "id")) {
        std::optional<std::string> old = el.attr("id");
        el.setAttr(name, value);
        idChanged(el, old);
    } else {
        el.setAttr(name, value);
    }
}

void DomPage::removeAttribute(Element e, const std::string& name) {
    Node& el = element(e);
    std::optional<std::string> old = el.attr(name);
    if (el.removeAttr(name) && dom::equalsIgnoringAsciiCase(name, "id")) idChanged(el, old);
}

std::vector<Attribute> DomPage::attributes(Element e) {
    const auto& attrs = element(e).attrs;
    std::vector<Attribute> out;
    out.reserve(attrs.size());
    for (const dom::Attr& a : attrs) out.push_back({a.name, a.value});
    return out;
}

// --- markup and text

std::string DomPage::innerHTML(Element e) { return dom::innerHTML(element(e)); }

void DomPage::setInnerHTML(Element e, const std::string& html) {
    Node& el = element(e);
    clearChildren(el);
    insertParsed(el, 0, html, el);
}

std::string DomPage::outerHTML(Element e) { return dom::outerHTML(element(e)); }

void DomPage::setOuterHTML(Element e, const std::string& html) {
    Node& el = element(e);
    Node* parent = el.parent;
    if (!parent || !parent->isElement()) {
        throw PageError("the outer markup of <" + el.name + "> cannot be replaced: it has no parent element");
    }
    std::size_t index = el.indexInParent();
    discard(el.detach());
    insertParsed(*parent, index, html, *parent);
}

std::string DomPage::innerText(Element e) {
    Node& root = element(e);
    std::string out;
    // Document-order walk that skips the content of elements without text.
    std::vector<std::pair<const Node*, std::size_t>> stack{{&root, 0}};
    while (!stack.empty()) {
        auto& [n, i] = stack.back();
        if (i == n->children.size()) {
            stack.pop_back();
            continue;
        }
        const Node* child = n->children[i++].get();
        if (child->kind == NodeKind::Text) out += child->data;
        else if (child->isHtml("br")) out += '\n';
        else if (child->isElement() && !hidesText(*child)) stack.emplace_back(child, 0);
    }
    return out;
}

void DomPage::setInnerText(Element e, const std::string& text) {
    Node& el = element(e);
    clearChildren(el);
    // Line breaks become <br> elements, as a browser's innerText setter makes them.
    std::string line;
    auto flush = [&] {
        if (!line.empty()) el.appendChild(Node::makeText(std::move(line)));
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            flush();
            el.appendChild(Node::makeElement("br"));
        } else {
            line += text[i];
        }
    }
    flush();
}

void DomPage::insertAdjacentHTML(Element e, InsertPosition where, const std::string& html) {
    Node& el = element(e);
    if (where == InsertPosition::AfterBegin || where == InsertPosition::BeforeEnd) {
        insertParsed(el, where == InsertPosition::AfterBegin ? 0 : el.children.size(), html, el);
        return;
    }
    Node* parent = el.parent;
    if (!parent || !parent->isElement()) {
        throw PageError("markup cannot be inserted beside <" + el.name + ">: it has no parent element");
    }
    std::size_t index = el.indexInParent() + (where == InsertPosition::AfterEnd ? 1 : 0);
    insertParsed(*parent, index, html, *parent);
}

// The host's tree goes in as it is: it was parsed once already.
void DomPage::insertStoredForm(std::unique_ptr<Node> form) {
    Node& b = element(body());
    inserted(*b.insertChild(0, std::move(form)));
}

// --- inline style

std::string DomPage::styleValue(Element e, const std::string& property) {
    const dom::Attr* style = element(e).findAttr("style");
    if (!style) return {};
    // Readers take several values of one element in a row (a build reads a
    // dozen per control): its style text is read once for all of them.
    StyleRead& read = *styleRead_;
    if (style->value != read.text) {
        read.text = style->value;
        read.declarations = dom::parseDeclarations(read.text);
    }
    return dom::declaredValue(read.declarations, property);
}

void DomPage::setStyleValue(Element e, const std::string& property, const std::string& value) {
    Node& el = element(e);
    std::optional<std::string> style = el.attr("style");
    if (!style && value.empty()) return;
    el.setAttr("style", dom::withStyleValue(style.value_or(""), property, value));
}

// --- tree

std::vector<Element> DomPage::children(Element e) {
    std::vector<Node*> found;
    for (auto& c : node(e).children) {
        if (c->isElement()) found.push_back(c.get());
    }
    return handlesOf(found);
}

std::vector<Element> DomPage::childNodes(Element e) {
    std::vector<Node*> found;
    for (auto& c : node(e).children) found.push_back(c.get());
    return handlesOf(found);
}

Element DomPage::parent(Element e) {
    Node* p = node(e).parent;
    return p && p->isElement() ? handleOf(*p) : Element{};
}

void DomPage::removeElement(Element e) {
    Node& n = node(e);
    if (!n.parent || n.parent->kind == NodeKind::Document) {
        throw PageError("<" + n.name + "> cannot be removed from the page");
    }
    discard(n.detach());
}

void DomPage::click(Element e) {
    element(e);
    clicks_.push_back(e);
    if (clickHook_) clickHook_(*this, e);
}

}  // namespace zolt
