// Parsing and serialising markup (against Chromium: tests/e2e), the short way for well-formed markup, inline style.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "site_support.h"
#include "dom/InlineStyle.h"
#include "dom/Parse.h"
#include "dom/Serialize.h"
#include "dom/WellFormed.h"
#include "storage/TextFile.h"

using namespace zolt;
using namespace zolt::dom;

namespace {

std::string fragmentIn(const std::string& contextName, const std::string& html) {
    auto context = Node::makeElement(contextName);
    for (auto& n : parseFragment(html, *context)) context->appendChild(std::move(n));
    return innerHTML(*context);
}

}  // namespace

TEST(DomFragments, ParseInTheContextOfTheirParent) {
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

TEST(DomSerialise, TextPutIntoNodesByCodeAndDeepNestingNeitherExhaustsTheStackNorMemory) {
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

    // 3000 levels of markup parse; a tree 200000 levels deep (built directly) goes without recursion.
    std::string html;
    for (int i = 0; i < 3000; ++i) html += "<div>";
    auto doc = parseDocument(html);
    EXPECT_EQ(innerHTML(*doc).size(), 3000 * std::string("<div></div>").size() +
                                          std::string("<html><head></head><body></body></html>").size());
    auto root = Node::makeElement("div");
    Node* at = root.get();
    for (int i = 0; i < 200000; ++i) at = at->appendChild(Node::makeElement("b"));
    at->appendChild(Node::makeText("deep"));
    EXPECT_EQ(outerHTML(*root).size(), 11 + 200000 * 7 + 4);
    EXPECT_EQ(root->textContent(), "deep");
}

namespace {

std::string serialized(std::vector<std::unique_ptr<Node>> nodes) {
    auto holder = Node::makeElement("div");
    for (auto& n : nodes) holder->appendChild(std::move(n));
    return innerHTML(*holder);
}

// What the full parser makes of body content.
std::string fullParse(const std::string& html) {
    auto doc = parseDocument("<body>" + html);
    Node* body = doc->childElement("html")->childElement("body");
    return serialized(body->takeChildren());
}

// The short way's tree against the full parser's, compared by their serialisation.
void expectSameTree(const std::string& html, bool mustBeTaken) {
    auto quick = parseWellFormedBody(html);
    if (!quick) {
        EXPECT_FALSE(mustBeTaken) << "left to the full parser: " << html;
        return;
    }
    EXPECT_EQ(serialized(std::move(*quick)), fullParse(html)) << html;
}

}  // namespace

TEST(WellFormedMarkup, TakesTheDesignersMarkupAndBothParsersDropARepeatedAttributeWithoutValue) {
    std::string all;
    for (const auto& [kind, markup] : zolt::testing::kModelControls) all += markup;
    expectSameTree(zolt::testing::formWith(all), true);
    // Forms as a browser stored them (lower-case names, quoted values, escapes).
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(ZOLT_SOURCE_DIR) / "examples/Sample")) {
        if (entry.path().extension() != ".rwf") continue;
        const std::string text = readTextFile(entry.path());
        expectSameTree(text.substr(8, text.size() - 9), true);
    }
}

// What the random markup below never holds: misnesting, end tags of outer elements, odd syntax, entities, other bytes.
TEST(WellFormedMarkup, MarkupNeedingRepairsIsLeftToTheFullParserOrComesOutTheSame) {
    const char* cases[] = {
        "<b><i>x</b></i>", "<select><option>a<option>b</select>", "<ul><li>a<li>b</ul>",
        "<a href=x><a href=y>z</a></a>", "<button><button>x</button></button>", "<div/>x", "<br/><img src=a/>",
        "<textarea>\nfirst</textarea>", "<textarea>\r\n\r\nsecond &amp; <b></TEXTAREA>", "<textarea>x</textarea ",
        "a &copy b", "a &amp b", "&#13;&#10;", "&#x20AC;&#8364;&nbsp;&lt;&gt;&quot;&apos;", "a && b & c",
        "<div title='&amp;x' alt=\"&#39;\" data-x=a&amp;b>t</div>", "<div a='1'b=2></div>", "<div a=\"x\"/></div>",
        "<!-- c --><div></div>", "<div>\r\nline\rline</div>", "<DIV ID=x><SPAN>y</SPAN></DIV>", "</div>", "<", "a<b",
        "<div a=`x`></div>", "<svg><rect/></svg>", "<dl><dt>a</dt><dd>b</dd></dl>",
        "<input type=hidden><table><input type=hidden></table>", "bad \xFF byte", "\xC3\xA9\xE2\x82\xAC\xC2\xAB",
        "<div>\x0C</div>", "<b><b><b><b>x</b></b></b></b>", "<div a=1 A=2 a=3></div>",
    };
    for (const char* html : cases) expectSameTree(html, false);

    // The first of two attributes of one name counts, and the attribute after the repeated one keeps its own name.
    for (const char* html : {"<div a=1 b c=2 b d=3>x</div>", "<p a=1 b c=2 b d=3>x", "<div a=1 b c=2 b/d=3>x</div>",
                             "<div a=1 b c=2 a b d=3>x</div>"}) {
        expectSameTree(html, false);
        auto doc = parseDocument(std::string("<body>") + html);
        const Node& el = *doc->childElement("html")->childElement("body")->children.front();
        std::vector<std::string> names;
        for (const Attr& a : el.attrs) names.push_back(a.name);
        EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c", "d"})) << html;
    }
}

TEST(WellFormedMarkup, RandomMarkupComesOutTheSameWheneverItIsTaken) {
    // Pieces that pair up well or badly, so that some of the markup is well formed and the rest needs repairs.
    const std::vector<std::string> openers = {
        "<div>", "<DIV class=a>", "<span title='t &amp; u'>", "<b>", "<i>", "<a href=\"#\">", "<button>",
        "<table>", "<tbody>", "<tr>", "<td>", "<th>", "<select>", "<option value=1>", "<optgroup>", "<ul>",
        "<li>", "<p>", "<font size=2>", "<label for=x>", "<center>"};
    // Attributes added to openers: repeated names, with and without values.
    const std::vector<std::string> attributes = {" a=1", " b", " B", " b=2", " c='x y'", " d=\"&amp;\"", " id=x", " e", " eb=3"};
    const std::vector<std::string> leaves = {
        "text", " ", "\r\n", "&amp;", "&nbsp;", "&#65;", "<br>", "<img src='x.png'>", "<input type=checkbox checked>",
        "<textarea>a\r\nb</textarea>", "<hr/>", "x &lt; y", "\xC3\xA9"};
    std::mt19937 random(20261206);
    int taken = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string html;
        std::vector<std::string> open;
        const int steps = 1 + static_cast<int>(random() % 14);
        for (int k = 0; k < steps; ++k) {
            const auto kind = random() % 4;
            if (kind < 2) {
                const std::string& o = openers[random() % openers.size()];
                std::string extra;
                for (int n = static_cast<int>(random() % 5); n > 0; --n) extra += attributes[random() % attributes.size()];
                html += o.substr(0, o.size() - 1) + extra + ">";
                open.push_back(o.substr(1, o.find_first_of(" >") - 1));  // "<DIV class=a>" is closed by "</DIV>"
            } else if (kind == 2) {
                html += leaves[random() % leaves.size()];
            } else if (!open.empty()) {
                html += "</" + open.back() + ">";
                open.pop_back();
            }
        }
        while (!open.empty() && random() % 5 != 0) {
            html += "</" + open.back() + ">";
            open.pop_back();
        }
        if (parseWellFormedBody(html)) ++taken;
        expectSameTree(html, false);
    }
    EXPECT_GT(taken, 2000);  // the comparison covered a good share of taken markup
}

TEST(InlineStyle, ReadsTheLastDeclarationAndWritesInPlaceRefusingInjections) {
    const std::string form = "position:absolute; left:100; top:50; width:400; z-index:1";
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

    const char* writes[][4] = {
        {"position:absolute; left:0; top:18;", "left", "25", "position:absolute; left:25; top:18;"},
        {"left:0; top:18;", "width", "5px", "left:0; top:18; width: 5px;"}, {"left:0", "zIndex", "3", "left:0; z-index: 3"},
        {"", "display", "none", "display: none;"}, {"left:1; top:2; LEFT:3", "left", "9", "top:2; LEFT:9"},
        {"left:0; top:18;", "top", "", "left:0;"}, {"top:18", "TOP", "", ""},
        {"z-index=5; left:1", "z-index", "2", "z-index=5; left:1; z-index: 2"},
        // A value or name that would add declarations is not written.
        {"left:0", "color", "red; display:none", "left:0"}, {"left:0", "color:x", "red", "left:0"},
        {"left:0", "", "red", "left:0"}, {"left:0", "background", "url('a;b')", "left:0; background: url('a;b')"},
    };
    for (const auto& [text, name, value, after] : writes) {
        EXPECT_EQ(withStyleValue(text, name, value), after) << text << " " << name << " " << value;
    }
}
