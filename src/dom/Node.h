// A small mutable HTML document tree: document, element, text, comment and
// doctype nodes, each owning its children. Attributes are kept in the order
// the markup gave them, as a browser's attribute collection does.
//
// Every walk over the tree is iterative, so markup nested tens of thousands
// of levels deep (malformed or hostile input) cannot exhaust the stack.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zolt::dom {

enum class NodeKind { Document, Element, Text, Comment, Doctype };
enum class Namespace { Html, Svg, MathMl };

struct Attr {
    std::string name;  // lower case for HTML elements
    std::string value;
};

class Node {
public:
    NodeKind kind;
    Namespace ns = Namespace::Html;
    std::string name;  // element local name (lower case for HTML); doctype name
    std::string data;  // text of text and comment nodes
    std::vector<Attr> attrs;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;

    // Filled in by the page that hands out references to this node.
    std::int64_t handle = 0;
    // Option selectedness once set by script (-1: follow the `selected`
    // attribute), and a select emptied of its selection by script.
    std::int8_t selectedness = -1;
    bool noSelection = false;

    explicit Node(NodeKind k) : kind(k) {}
    ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    static std::unique_ptr<Node> makeDocument();
    static std::unique_ptr<Node> makeElement(std::string localName, Namespace ns = Namespace::Html);
    static std::unique_ptr<Node> makeText(std::string text);
    static std::unique_ptr<Node> makeComment(std::string text);

    bool isElement() const { return kind == NodeKind::Element; }
    // An HTML element with this (lower-case) local name.
    bool isHtml(std::string_view localName) const {
        return kind == NodeKind::Element && ns == Namespace::Html && name == localName;
    }

    // --- attributes; names are compared without regard to ASCII case
    const Attr* findAttr(std::string_view attrName) const;
    std::optional<std::string> attr(std::string_view attrName) const;
    bool hasAttr(std::string_view attrName) const { return findAttr(attrName) != nullptr; }
    // Replaces the value in place, or appends the attribute (name lower-cased
    // for HTML elements).
    void setAttr(std::string_view attrName, std::string value);
    bool removeAttr(std::string_view attrName);

    // --- tree
    std::size_t indexInParent() const;
    // The first child that is an HTML element of this (lower-case) name.
    Node* childElement(std::string_view localName) const;
    Node* appendChild(std::unique_ptr<Node> child);
    Node* insertChild(std::size_t index, std::unique_ptr<Node> child);
    // Takes this node out of its parent and hands it over.
    std::unique_ptr<Node> detach();
    // Takes every child out and hands them over.
    std::vector<std::unique_ptr<Node>> takeChildren();

    bool contains(const Node* other) const;
    // Whether this node comes before `other` in document order (both in one tree).
    bool precedes(const Node& other) const;

    // Concatenated text of every text node inside.
    std::string textContent() const;
};

// Walks `root` and everything inside it in document order. `f` must not
// change the tree.
template <class N, class F>
void forEachNode(N& root, F&& f) {
    std::vector<std::pair<N*, std::size_t>> stack;  // node, next child to visit
    f(root);
    stack.emplace_back(&root, 0);
    while (!stack.empty()) {
        auto& [n, i] = stack.back();
        if (i == n->children.size()) {
            stack.pop_back();
            continue;
        }
        N* child = n->children[i++].get();
        f(*child);
        stack.emplace_back(child, 0);
    }
}

std::string asciiLower(std::string_view s);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace zolt::dom
