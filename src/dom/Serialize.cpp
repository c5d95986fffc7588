#include "dom/Serialize.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

namespace zolt::dom {
namespace {

constexpr std::array kVoidElements{
    "area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr",
    "img", "input", "keygen", "link", "meta", "param", "source", "track", "wbr"};

// Text inside these is written as it stands. noscript is left out: the
// parser here builds its content as markup, so escaping its text gives back
// what the markup said.
constexpr std::array kRawTextParents{
    "style", "script", "xmp", "iframe", "noembed", "noframes", "plaintext"};

template <std::size_t N>
bool isHtmlOneOf(const Node* n, const std::array<const char*, N>& names) {
    if (!n || n->kind != NodeKind::Element || n->ns != Namespace::Html) return false;
    for (const char* name : names) {
        if (n->name == name) return true;
    }
    return false;
}

void escape(std::string& out, std::string_view s, bool inAttribute) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"':
                if (inAttribute) out += "&quot;";
                else out += c;
                break;
            case '\xC2':
                if (i + 1 < s.size() && s[i + 1] == '\xA0') {
                    out += "&nbsp;";
                    ++i;
                } else {
                    out += c;
                }
                break;
            default: out += c;
        }
    }
}

void openTag(std::string& out, const Node& el) {
    out += '<';
    out += el.name;
    for (const Attr& a : el.attrs) {
        out += ' ';
        out += a.name;
        out += "=\"";
        escape(out, a.value, true);
        out += '"';
    }
    out += '>';
}

void closeTag(std::string& out, const Node& el) {
    out += "</";
    out += el.name;
    out += '>';
}

// Writes one node without its children; true when its children and end tag
// are to follow.
bool writeStart(std::string& out, const Node& n) {
    switch (n.kind) {
        case NodeKind::Element:
            openTag(out, n);
            return !isVoidElement(n);
        case NodeKind::Text:
            if (isHtmlOneOf(n.parent, kRawTextParents)) out += n.data;
            else escape(out, n.data, false);
            return false;
        case NodeKind::Comment:
            out += "<!--";
            out += n.data;
            out += "-->";
            return false;
        case NodeKind::Doctype:
            out += "<!DOCTYPE ";
            out += n.name;
            out += '>';
            return false;
        case NodeKind::Document: return true;
    }
    return false;
}

// Writes the children of `root` in document order without recursion.
void writeChildren(std::string& out, const Node& root) {
    std::vector<std::pair<const Node*, std::size_t>> stack{{&root, 0}};
    while (!stack.empty()) {
        auto& [n, i] = stack.back();
        if (i == n->children.size()) {
            if (n != &root && n->kind == NodeKind::Element) closeTag(out, *n);
            stack.pop_back();
            continue;
        }
        const Node* child = n->children[i++].get();
        if (writeStart(out, *child)) stack.emplace_back(child, 0);
    }
}

}  // namespace

bool isVoidElement(const Node& node) { return isHtmlOneOf(&node, kVoidElements); }

std::string innerHTML(const Node& node) {
    std::string out;
    if (!isVoidElement(node)) writeChildren(out, node);
    return out;
}

std::string outerHTML(const Node& node) {
    std::string out;
    if (writeStart(out, node)) {
        writeChildren(out, node);
        if (node.kind == NodeKind::Element) closeTag(out, node);
    }
    return out;
}

}  // namespace zolt::dom
