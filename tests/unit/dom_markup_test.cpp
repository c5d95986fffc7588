// Parsing and serialising markup (compared with Chromium in tests/e2e/dom_roundtrip.test.js);
// single properties of inline style text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "dom/InlineStyle.h"
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
        // Ordinary content is parsed in quirks mode, like the page's documents: a table stays inside an open paragraph.
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

TEST(InlineStyle, ReadsTheLastDeclarationIgnoringCaseAndSkipsOnesWithoutColon) {
    const std::string form = "position:absolute; left:100; top:50; width:400; z-index:1";
    // {style text, property, its value}
    const char* cases[][3] = {
        {form.c_str(), "left", "100"}, {form.c_str(), "zIndex", "1"}, {form.c_str(), "height", ""},
        {form.c_str(), "TOP", "50"}, {"border-top-width:2", "borderTopWidth", "2"},
        {"Color:white; DISPLAY:block; background-color:#0000FF", "display", "block"},
        {"POSITION: absolute; cursor:'pointer,hand'; LEFT:383px;", "cursor", "'pointer,hand'"},
        {"z-index=5; left:1", "z-index", ""}, {"left:1; top:2; LEFT : 3 ;", "left", "3"},
        {"background:url('a;b.gif'); color:red", "background", "url('a;b.gif')"},
        {"background:url(a;b.gif); color:red", "color", "red"}, {"", "left", ""}, {";;:;", "left", ""},
    };
    for (const auto& [text, name, value] : cases) EXPECT_EQ(styleValue(text, name), value) << text << " " << name;
}

TEST(InlineStyle, WritesInPlaceAppendsRemovesAndRefusesInjections) {
    // {style text, property, value written, the style text then}
    const char* cases[][4] = {
        {"position:absolute; left:0; top:18;", "left", "25", "position:absolute; left:25; top:18;"},
        {"left:0; top:18;", "width", "5px", "left:0; top:18; width: 5px;"}, {"left:0", "zIndex", "3", "left:0; z-index: 3"},
        {"", "display", "none", "display: none;"}, {"left:1; top:2; LEFT:3", "left", "9", "top:2; LEFT:9"},
        {"left:0; top:18;", "top", "", "left:0;"}, {"top:18", "TOP", "", ""},
        {"z-index=5; left:1", "z-index", "2", "z-index=5; left:1; z-index: 2"},
        // A value or name that would add declarations is not written.
        {"left:0", "color", "red; display:none", "left:0"}, {"left:0", "color:x", "red", "left:0"},
        {"left:0", "", "red", "left:0"}, {"left:0", "background", "url('a;b')", "left:0; background: url('a;b')"},
    };
    for (const auto& [text, name, value, after] : cases) {
        EXPECT_EQ(withStyleValue(text, name, value), after) << text << " " << name << " " << value;
    }
}
