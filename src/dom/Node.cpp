#include "dom/Node.h"

#include <algorithm>

namespace zolt::dom {

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

Node::~Node() {
    // Children are torn down from a work list rather than by recursion.
    std::vector<std::unique_ptr<Node>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<Node> n = std::move(pending.back());
        pending.pop_back();
        for (auto& c : n->children) pending.push_back(std::move(c));
        n->children.clear();
    }
}

std::unique_ptr<Node> Node::makeDocument() { return std::make_unique<Node>(NodeKind::Document); }

std::unique_ptr<Node> Node::makeElement(std::string localName, Namespace ns) {
    auto n = std::make_unique<Node>(NodeKind::Element);
    n->ns = ns;
    n->name = ns == Namespace::Html ? asciiLower(localName) : std::move(localName);
    return n;
}

std::unique_ptr<Node> Node::makeText(std::string text) {
    auto n = std::make_unique<Node>(NodeKind::Text);
    n->data = std::move(text);
    return n;
}

std::unique_ptr<Node> Node::makeComment(std::string text) {
    auto n = std::make_unique<Node>(NodeKind::Comment);
    n->data = std::move(text);
    return n;
}

const Attr* Node::findAttr(std::string_view attrName) const {
    for (const Attr& a : attrs) {
        if (equalsIgnoringAsciiCase(a.name, attrName)) return &a;
    }
    return nullptr;
}

std::optional<std::string> Node::attr(std::string_view attrName) const {
    if (const Attr* a = findAttr(attrName)) return a->value;
    return std::nullopt;
}

void Node::setAttr(std::string_view attrName, std::string value) {
    if (auto a = const_cast<Attr*>(findAttr(attrName))) {
        a->value = std::move(value);
        return;
    }
    attrs.push_back({ns == Namespace::Html ? asciiLower(attrName) : std::string(attrName),
                     std::move(value)});
}

bool Node::removeAttr(std::string_view attrName) {
    auto it = std::find_if(attrs.begin(), attrs.end(), [&](const Attr& a) {
        return equalsIgnoringAsciiCase(a.name, attrName);
    });
    if (it == attrs.end()) return false;
    attrs.erase(it);
    return true;
}

std::size_t Node::indexInParent() const {
    if (!parent) return 0;
    const auto& sib = parent->children;
    for (std::size_t i = 0; i < sib.size(); ++i) {
        if (sib[i].get() == this) return i;
    }
    return sib.size();
}

Node* Node::childElement(std::string_view localName) const {
    for (auto& c : children) {
        if (c->isHtml(localName)) return c.get();
    }
    return nullptr;
}

Node* Node::appendChild(std::unique_ptr<Node> child) {
    return insertChild(children.size(), std::move(child));
}

Node* Node::insertChild(std::size_t index, std::unique_ptr<Node> child) {
    child->parent = this;
    Node* raw = child.get();
    index = std::min(index, children.size());
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(index), std::move(child));
    return raw;
}

std::unique_ptr<Node> Node::detach() {
    if (!parent) return nullptr;
    auto& sib = parent->children;
    auto it = sib.begin() + static_cast<std::ptrdiff_t>(indexInParent());
    std::unique_ptr<Node> self = std::move(*it);
    sib.erase(it);
    parent = nullptr;
    return self;
}

std::vector<std::unique_ptr<Node>> Node::takeChildren() {
    std::vector<std::unique_ptr<Node>> out = std::move(children);
    children.clear();
    for (auto& c : out) c->parent = nullptr;
    return out;
}

bool Node::contains(const Node* other) const {
    for (; other; other = other->parent) {
        if (other == this) return true;
    }
    return false;
}

bool Node::precedes(const Node& other) const {
    if (this == &other) return false;
    if (contains(&other)) return true;
    if (other.contains(this)) return false;
    // Climb from each side to the children of the nearest common ancestor,
    // then compare their places among its children.
    std::vector<const Node*> mine, theirs;
    for (const Node* n = this; n; n = n->parent) mine.push_back(n);
    for (const Node* n = &other; n; n = n->parent) theirs.push_back(n);
    auto a = mine.rbegin(), b = theirs.rbegin();
    while (a + 1 != mine.rend() && b + 1 != theirs.rend() && *(a + 1) == *(b + 1)) ++a, ++b;
    if (*a != *b) return false;  // not in one tree
    const Node* mineChild = *(a + 1);
    const Node* theirChild = *(b + 1);
    for (const auto& c : (*a)->children) {
        if (c.get() == mineChild) return true;
        if (c.get() == theirChild) return false;
    }
    return false;
}

std::string Node::textContent() const {
    std::string out;
    forEachNode(*this, [&](const Node& n) {
        if (n.kind == NodeKind::Text) out += n.data;
    });
    return out;
}

}  // namespace zolt::dom
