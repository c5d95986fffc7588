// The short way for well-formed body content builds exactly the full parser's tree.
#include <gtest/gtest.h>

#include <random>

#include "site_support.h"
#include "dom/Parse.h"
#include "dom/Serialize.h"
#include "dom/WellFormed.h"
#include "storage/TextFile.h"

using namespace zolt;
using namespace zolt::dom;

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

// Serialization shows every difference that matters here except attribute
// values that differ only in what escaping hides, so values are compared too.
void expectSameTree(const std::string& html, bool mustBeTaken) {
    auto quick = parseWellFormedBody(html);
    if (!quick) {
        EXPECT_FALSE(mustBeTaken) << "left to the full parser: " << html;
        return;
    }
    EXPECT_EQ(serialized(std::move(*quick)), fullParse(html)) << html;
}

}  // namespace

TEST(WellFormedMarkup, TakesTheDesignersMarkupAndBuildsTheSameTree) {
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

TEST(WellFormedMarkup, MarkupNeedingRepairsIsLeftToTheFullParserOrComesOutTheSame) {
    const char* cases[] = {
        "<p>a<div>b</div></p>", "<b><i>x</b></i>", "<table><tr><td>x</td></tr></table>",
        "<table> <tbody> <tr> <td>x</td> </tr> </tbody> </table>", "<table>x<tbody></tbody></table>",
        "<select><option>a<option>b</select>", "<select> <optgroup><option>a</option></optgroup></select>",
        "<select><div>x</div></select>", "<ul><li>a<li>b</ul>", "<ul><li>a</li><li>b</li></ul>",
        "<a href=x><a href=y>z</a></a>", "<button><button>x</button></button>", "<div/>x", "<br/><img src=a/>",
        "<textarea>\nfirst</textarea>", "<textarea>\r\n\r\nsecond &amp; <b></TEXTAREA>", "<textarea>x</textarea ",
        "a &copy b", "a &amp b", "&#13;&#10;", "&#x20AC;&#8364;&nbsp;&lt;&gt;&quot;&apos;", "a && b & c",
        "<div title='&amp;x' alt=\"&#39;\" data-x=a&amp;b>t</div>", "<div a=1 A=2 a=3></div>",
        "<div a='1'b=2></div>", "<div a=\"x\"/></div>", "<!-- c --><div></div>", "<div>\r\nline\rline</div>",
        "<DIV ID=x><SPAN>y</SPAN></DIV>", "<td>x</td>", "<tr>", "</div>", "<div>", "<", "a<b", "<div a=`x`></div>",
        "<svg><rect/></svg>", "<font color=red><b>x</b></font>", "<dl><dt>a</dt><dd>b</dd></dl>",
        "<input type=hidden><table><input type=hidden></table>", "\xC3\xA9\xE2\x82\xAC\xC2\xAB", "bad \xFF byte",
        "<div>\x0C</div>", "<b><b><b><b>x</b></b></b></b>",
    };
    for (const char* html : cases) expectSameTree(html, false);
}

TEST(WellFormedMarkup, ARepeatedAttributeWithoutValueIsDroppedByBothParsers) {
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
            switch (random() % 4) {
            case 0:
            case 1: {
                const std::string& o = openers[random() % openers.size()];
                std::string extra;
                for (int n = static_cast<int>(random() % 5); n > 0; --n) extra += attributes[random() % attributes.size()];
                html += o.substr(0, o.size() - 1) + extra + ">";
                std::string name = o.substr(1, o.find_first_of(" >") - 1);
                for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                open.push_back(name);
                break;
            }
            case 2: html += leaves[random() % leaves.size()]; break;
            default:
                if (!open.empty()) {
                    html += "</" + open.back() + ">";
                    open.pop_back();
                }
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
