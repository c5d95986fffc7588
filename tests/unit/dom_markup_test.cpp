// Parsing and serialising markup: fragment contexts, nodes made by code,
// malformed input. Serialising parsed markup is compared byte for byte with
// Chromium in tests/e2e/dom_roundtrip.test.js.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "dom/Parse.h"
#include "dom/Serialize.h"

using namespace zolt::dom;

namespace {

std::string fragmentIn(const std::string& contextName, const std::string& html) {
    auto context = Node::makeElement(contextName);
    for (auto& n : parseFragment(html, *context)) context->appendChild(std::move(n));
    return innerHTML(*context);
}

}  // namespace

TEST(DomFragments, ParseInTheContextOfTheirParent) {
    // {context, markup, what the context holds then}
    const char* cases[][3] = {
        // Rows, cells and options survive only in the right context, as in a browser.
        {"tbody", "<tr><td>a</td></tr>", "<tr><td>a</td></tr>"},
        {"div", "<tr><td>a</td></tr>", "a"},
        {"tr", "<td>1<td>2", "<td>1</td><td>2</td>"},
        {"select", "<option>a<option>b", "<option>a</option><option>b</option>"},
        {"table", "<tr><td>x", "<tbody><tr><td>x</td></tr></tbody>"},
        {"textarea", "<b>&amp;</b>", "&lt;b&gt;&amp;&lt;/b&gt;"},
        {"html", "<div>x</div>", "<div>x</div>"},
        {"x_custom_x", "<li>a<li>b", "<li>a</li><li>b</li>"},
        // Ordinary content is parsed in quirks mode, like the page's
        // documents: a table stays inside an open paragraph.
        {"td", "<p>a<table><tr><td>b</table>c", "<p>a<table><tbody><tr><td>b</td></tr></tbody></table>c</p>"},
        {"div", "<title>t</title><body x=1>a</body><!--c--></html>", "<title>t</title>a<!--c-->"},
    };
    for (const auto& [context, html, held] : cases) EXPECT_EQ(fragmentIn(context, html), held) << context << " " << html;
}

TEST(DomSerialise, TextPutIntoNodesByCode) {
    // Text put into a script by code stays unescaped; a void element drops it.
    auto script = Node::makeElement("script");
    script->appendChild(Node::makeText("a<b"));
    EXPECT_EQ(outerHTML(*script), "<script>a<b</script>");
    auto img = Node::makeElement("IMG");
    img->appendChild(Node::makeText("lost"));
    EXPECT_EQ(outerHTML(*img), "<img>");
}

TEST(DomParse, AnyInputParsesWithoutCrashing) {
    // Random soup of markup pieces, broken tags, bytes that are not UTF-8 and NULs.
    const char* pieces[] = {"<div", ">", "</div>", "<table>", "<tr>", "<td", "</td>", "<select>",
                            "<option", "'", "\"", "=", "&", "&amp", "&#", "<!--", "-->", "<![CDATA[",
                            "<svg>", "<math>", "<script>", "</script>", "<template>", "<p>", "x",
                            "\xff", "\xc3", std::string("\0", 1).c_str(), "<frameset>", "<!DOCTYPE"};
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string html;
        int n = static_cast<int>(rng() % 200);
        for (int i = 0; i < n; ++i) html += pieces[rng() % std::size(pieces)];
        if (round % 2) html += std::string(1, '\0') + "tail";
        auto doc = parseDocument(html);
        ASSERT_TRUE(doc);
        (void)innerHTML(*doc);
        const char* contexts[] = {"div", "tbody", "select", "tr", "textarea"};
        auto context = Node::makeElement(contexts[round % std::size(contexts)]);
        for (auto& node : parseFragment(html, *context)) context->appendChild(std::move(node));
        (void)innerHTML(*context);
    }
}

TEST(DomParse, DeepNestingNeitherExhaustsTheStackNorMemory) {
    // A document nested 3000 levels deep parses; a tree 200000 levels deep
    // (built directly) serialises and is destroyed without recursion.
    std::string html;
    for (int i = 0; i < 3000; ++i) html += "<div>";
    auto doc = parseDocument(html);
    EXPECT_EQ(innerHTML(*doc).size(), 3000 * std::string("<div></div>").size() +
                                          std::string("<html><head></head><body></body></html>").size());
    auto root = Node::makeElement("div");
    Node* at = root.get();
    for (int i = 0; i < 200000; ++i) at = at->appendChild(Node::makeElement("b"));
    at->appendChild(Node::makeText("deep"));
    std::string out = outerHTML(*root);
    EXPECT_EQ(out.size(), 11 + 200000 * 7 + 4);
    EXPECT_EQ(root->textContent(), "deep");
}
