#include "dom/Parse.h"

#include "dom/WellFormed.h"

#include <gumbo.h>

#include <algorithm>
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

std::vector<Attr> gumboAttributes(const GumboElement& el) {
    std::vector<Attr> out;
    out.reserve(el.attributes.length);
    for (unsigned i = 0; i < el.attributes.length; ++i) {
        auto* a = static_cast<const GumboAttribute*>(el.attributes.data[i]);
        out.push_back({a->name, a->value});
    }
    return out;
}

bool isTagSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// One attribute of a start tag's source text, as the HTML5 tokenizer splits
// the tag: its name in lower case, whether a value follows, and its text.
struct TagAttribute {
    std::string name;
    bool valued;
    std::string_view text;
};

std::vector<TagAttribute> startTagAttributes(std::string_view tag) {
    std::vector<TagAttribute> out;
    std::size_t i = 1;  // after "<"
    while (i < tag.size() && !isTagSpace(tag[i]) && tag[i] != '/' && tag[i] != '>') ++i;
    while (i < tag.size() && tag[i] != '>') {
        if (isTagSpace(tag[i]) || tag[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t start = i++;  // a name may start with "="
        while (i < tag.size() && !isTagSpace(tag[i]) && tag[i] != '/' && tag[i] != '>' && tag[i] != '=') ++i;
        TagAttribute a{asciiLower(tag.substr(start, i - start)), false, {}};
        std::size_t j = i;
        while (j < tag.size() && isTagSpace(tag[j])) ++j;
        if (j < tag.size() && tag[j] == '=') {
            a.valued = true;
            for (i = j + 1; i < tag.size() && isTagSpace(tag[i]);) ++i;
            if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
                const std::size_t close = tag.find(tag[i], i + 1);
                i = close == std::string_view::npos ? tag.size() : close + 1;
            } else {
                while (i < tag.size() && !isTagSpace(tag[i]) && tag[i] != '>') ++i;
            }
        }
        a.text = tag.substr(start, i - start);
        out.push_back(std::move(a));
    }
    return out;
}

std::vector<Attr> attributesOfTag(std::string_view tag);

// An element's attributes. Gumbo, when it may record no more errors (we let
// it record none), mishandles an attribute repeated without a value: it keeps
// its name and puts it in front of the next attribute's ("<div b=1 b c=2>"
// gives "bc"). Such a start tag is read again without the repeated
// attribute, which the tokenizer drops anyway.
std::vector<Attr> elementAttributes(const GumboElement& el) {
    if (el.tag_namespace != GUMBO_NAMESPACE_HTML || !el.original_tag.data) return gumboAttributes(el);
    const std::string_view tag(el.original_tag.data, el.original_tag.length);
    std::vector<TagAttribute> parts = startTagAttributes(tag);
    std::vector<std::string_view> seen;
    std::string rebuilt = "<div";
    bool repeated = false;
    for (const TagAttribute& a : parts) {
        const bool again = std::find(seen.begin(), seen.end(), a.name) != seen.end();
        if (again && !a.valued) {
            repeated = true;
            continue;
        }
        seen.push_back(a.name);
        rebuilt.append(" ").append(a.text);
    }
    if (!repeated) return gumboAttributes(el);
    return attributesOfTag(rebuilt + ">");
}

std::unique_ptr<Node> convertOne(const GumboNode& g) {
    switch (g.type) {
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE: {
            const GumboElement& el = g.v.element;
            auto n = Node::makeElement(elementName(el), toNamespace(el.tag_namespace));
            n->attrs = elementAttributes(el);
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

// The attributes of a lone start tag of an HTML element.
std::vector<Attr> attributesOfTag(std::string_view tag) {
    GumboRun run(tag, GUMBO_TAG_DIV, GUMBO_NAMESPACE_HTML);
    const GumboVector& kids = run.output->root->v.element.children;
    for (unsigned i = 0; i < kids.length; ++i) {
        auto* child = static_cast<const GumboNode*>(kids.data[i]);
        if (child->type == GUMBO_NODE_ELEMENT) return gumboAttributes(child->v.element);
    }
    return {};
}

// Contexts whose content is not parsed as ordinary body content: the
// tokenizer starts in a text state, or the tree builder in a table, select,
// template, head or frameset mode.
constexpr GumboTag kOwnModeContexts[] = {
    GUMBO_TAG_TITLE, GUMBO_TAG_TEXTAREA, GUMBO_TAG_STYLE, GUMBO_TAG_XMP, GUMBO_TAG_IFRAME,
    GUMBO_TAG_NOEMBED, GUMBO_TAG_NOFRAMES, GUMBO_TAG_SCRIPT, GUMBO_TAG_NOSCRIPT,
    GUMBO_TAG_PLAINTEXT, GUMBO_TAG_TABLE, GUMBO_TAG_TBODY, GUMBO_TAG_THEAD, GUMBO_TAG_TFOOT,
    GUMBO_TAG_TR, GUMBO_TAG_CAPTION, GUMBO_TAG_COLGROUP, GUMBO_TAG_SELECT, GUMBO_TAG_TEMPLATE,
    GUMBO_TAG_HEAD, GUMBO_TAG_FRAMESET};

bool parsesAsBody(GumboTag context) {
    for (GumboTag t : kOwnModeContexts) {
        if (t == context) return false;
    }
    return true;
}

// Ordinary body content, parsed as the body of a document without DOCTYPE:
// gumbo's fragment mode knows no quirks mode, and the page's documents are in
// it (there a table does not close an open paragraph). Comments the markup
// puts after "</body>" or "</html>" follow the body's content (so content
// after such a comment comes before it, unlike in a browser).
std::vector<std::unique_ptr<Node>> parseInBody(std::string_view html) {
    std::string text = "<body>";
    text.append(html);
    std::unique_ptr<Node> doc = parseDocument(text);
    std::vector<std::unique_ptr<Node>> out;
    Node* root = doc->childElement("html");
    Node* body = root ? root->childElement("body") : nullptr;
    if (!body) return out;
    auto takeAll = [&](std::vector<std::unique_ptr<Node>> nodes) {
        for (auto& n : nodes) out.push_back(std::move(n));
    };
    takeAll(body->takeChildren());
    std::size_t afterBody = body->indexInParent() + 1;
    std::vector<std::unique_ptr<Node>> rest = root->takeChildren();
    rest.erase(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(afterBody));
    takeAll(std::move(rest));
    std::vector<std::unique_ptr<Node>> afterRoot = doc->takeChildren();
    for (auto& n : afterRoot) {
        if (n->kind == NodeKind::Comment) out.push_back(std::move(n));
    }
    return out;
}

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
    if (ns == GUMBO_NAMESPACE_HTML && parsesAsBody(tag)) {
        if (auto nodes = parseWellFormedBody(html)) return std::move(*nodes);
        return parseInBody(html);
    }
    GumboRun run(html, tag, ns);
    Node holder(NodeKind::Element);
    convertChildren(*run.output->root, holder);
    return holder.takeChildren();
}

std::string keepAttributeCarriageReturns(std::string_view markup) {
    std::string out;
    out.reserve(markup.size());
    char quote = 0;
    bool inTag = false;
    for (size_t i = 0; i < markup.size(); ++i) {
        const char c = markup[i];
        if (quote) {
            if (c == quote) quote = 0;
            if (c == '\r') {
                out += "&#13;";
                continue;
            }
        } else if (inTag) {
            if (c == '"' || c == '\'') quote = c;
            else if (c == '>') inTag = false;
        } else if (c == '<' && markup.substr(i, 4) == "<!--") {
            size_t end = markup.find("-->", i + 4);
            end = end == std::string_view::npos ? markup.size() : end + 3;
            out.append(markup.substr(i, end - i));
            i = end - 1;
            continue;
        } else if (c == '<') {
            inTag = true;
        }
        out += c;
    }
    return out;
}

}  // namespace zolt::dom
