#include "dom/Parse.h"

#include <gumbo.h>

#include <cstring>
#include <utility>

namespace zolt::dom {
namespace {

Namespace toNamespace(GumboNamespaceEnum ns) {
    switch (ns) {
        case GUMBO_NAMESPACE_SVG: return Namespace::Svg;
        case GUMBO_NAMESPACE_MATHML: return Namespace::MathMl;
        default: return Namespace::Html;
    }
}

std::string elementName(const GumboElement& el) {
    GumboStringPiece piece = el.original_tag;
    if (piece.data && piece.length) gumbo_tag_from_original_text(&piece);
    if (el.tag_namespace == GUMBO_NAMESPACE_SVG && piece.data && piece.length) {
        if (const char* svg = gumbo_normalize_svg_tagname(&piece)) return svg;
    }
    if (el.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(el.tag);
    return asciiLower(std::string_view(piece.data ? piece.data : "", piece.data ? piece.length : 0));
}

std::unique_ptr<Node> convertOne(const GumboNode& g) {
    switch (g.type) {
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE: {
            const GumboElement& el = g.v.element;
            auto n = Node::makeElement(elementName(el), toNamespace(el.tag_namespace));
            n->attrs.reserve(el.attributes.length);
            for (unsigned i = 0; i < el.attributes.length; ++i) {
                auto* a = static_cast<const GumboAttribute*>(el.attributes.data[i]);
                n->attrs.push_back({a->name, a->value});
            }
            return n;
        }
        case GUMBO_NODE_COMMENT: return Node::makeComment(g.v.text.text);
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_WHITESPACE:
        case GUMBO_NODE_CDATA: return Node::makeText(g.v.text.text);
        default: return nullptr;
    }
}

const GumboVector& childrenOf(const GumboNode& g) {
    return g.type == GUMBO_NODE_DOCUMENT ? g.v.document.children : g.v.element.children;
}

// Copies the children of `from` (and everything below) under `to`, without
// recursion so that deep nesting cannot exhaust the stack.
void convertChildren(const GumboNode& from, Node& to) {
    std::vector<std::pair<const GumboNode*, Node*>> work{{&from, &to}};
    while (!work.empty()) {
        auto [g, parent] = work.back();
        work.pop_back();
        const GumboVector& kids = childrenOf(*g);
        for (unsigned i = 0; i < kids.length; ++i) {
            auto* child = static_cast<const GumboNode*>(kids.data[i]);
            if (auto n = convertOne(*child)) {
                Node* placed = parent->appendChild(std::move(n));
                if (child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE) {
                    work.emplace_back(child, placed);
                }
            }
        }
    }
}

// Runs gumbo without keeping its error list: recording errors copies the
// stack of open elements for each one, which costs memory quadratic in the
// nesting depth of malformed markup.
struct GumboRun {
    GumboOptions options = kGumboDefaultOptions;
    GumboOutput* output = nullptr;
    GumboRun(std::string_view html, GumboTag context, GumboNamespaceEnum ns) {
        options.max_errors = 0;
        options.fragment_context = context;
        options.fragment_namespace = ns;
        output = gumbo_parse_with_options(&options, html.data(), html.size());
    }
    ~GumboRun() { gumbo_destroy_output(&options, output); }
    GumboRun(const GumboRun&) = delete;
    GumboRun& operator=(const GumboRun&) = delete;
};

}  // namespace

std::unique_ptr<Node> parseDocument(std::string_view html) {
    GumboRun run(html, GUMBO_TAG_LAST, GUMBO_NAMESPACE_HTML);
    auto doc = Node::makeDocument();
    const GumboDocument& gd = run.output->document->v.document;
    if (gd.has_doctype) {
        auto dt = std::make_unique<Node>(NodeKind::Doctype);
        dt->name = gd.name ? gd.name : "";
        doc->appendChild(std::move(dt));
    }
    convertChildren(*run.output->document, *doc);
    return doc;
}

std::vector<std::unique_ptr<Node>> parseFragment(std::string_view html, const Node& context) {
    GumboNamespaceEnum ns = GUMBO_NAMESPACE_HTML;
    GumboTag tag = GUMBO_TAG_BODY;
    if (context.kind == NodeKind::Element) {
        if (context.ns == Namespace::Svg) ns = GUMBO_NAMESPACE_SVG;
        if (context.ns == Namespace::MathMl) ns = GUMBO_NAMESPACE_MATHML;
        tag = gumbo_tag_enum(context.name.c_str());
        // An unknown element parses its content like any ordinary element.
        if (tag == GUMBO_TAG_UNKNOWN || tag == GUMBO_TAG_LAST) {
            tag = ns == GUMBO_NAMESPACE_HTML ? GUMBO_TAG_DIV : GUMBO_TAG_SVG;
        }
        if (tag == GUMBO_TAG_HTML) tag = GUMBO_TAG_BODY;
    }
    GumboRun run(html, tag, ns);
    Node holder(NodeKind::Element);
    convertChildren(*run.output->root, holder);
    return holder.takeChildren();
}

}  // namespace zolt::dom
