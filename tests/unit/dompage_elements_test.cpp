// DomPage: finding elements, handles, attributes, markup, text and the tree.
#include <gtest/gtest.h>

#include "page/DomPage.h"

using namespace zolt;

namespace {

const char* kTwoForms =
    "<html><body>"
    "<div id=Form1 ParentFormID=1><div id=TForm><div id=lbl1 name=lbl1>a</div></div></div>"
    "<div id=Form2 ParentFormID=2><div id=TForm><div id=lbl1 name=lbl1>b</div></div></div>"
    "</body></html>";

}  // namespace

TEST(DomPageIds, FirstMatchIgnoringCaseFollowsInsertsRemovesAndRenames) {
    DomPage page(kTwoForms);
    Element first = page.getElementById("LBL1");
    ASSERT_TRUE(first);
    EXPECT_EQ(page.innerText(first), "a");
    EXPECT_FALSE(page.getElementById("lbl2"));
    EXPECT_FALSE(page.getElementById(""));
    std::vector<Element> named = page.getElementsByName("lbl1");  // in document order
    ASSERT_EQ(named.size(), 2u);
    EXPECT_EQ(named[0], first);

    // A new holder before the first one takes over; after it, it does not.
    page.insertAdjacentHTML(page.body(), InsertPosition::AfterBegin, "<span id=Lbl1>new</span>");
    EXPECT_EQ(page.innerText(page.getElementById("lbl1")), "new");
    page.insertAdjacentHTML(page.body(), InsertPosition::BeforeEnd, "<span id=unique>u</span>");
    EXPECT_EQ(page.innerText(page.getElementById("UNIQUE")), "u");

    // Removing the first holder falls back to the next one in document order.
    page.removeElement(page.getElementById("lbl1"));
    EXPECT_EQ(page.getElementById("lbl1"), first);
    page.removeElement(page.getElementById("Form1"));
    EXPECT_EQ(page.getElementById("lbl1"), named[1]);

    // Renaming: the temporary id goes, the final id is found.
    page.insertAdjacentHTML(page.getElementById("TForm"), InsertPosition::BeforeEnd,
                            "<div id=xL_xBx_Lx>c</div>");
    Element created = page.getElementById("xl_xbx_lx");
    page.setAttribute(created, "ID", "lbl2");
    EXPECT_FALSE(page.getElementById("xL_xBx_Lx"));
    EXPECT_EQ(page.getElementById("lbl2"), created);
    page.setAttribute(created, "id", "lbl1");
    EXPECT_EQ(page.innerText(page.getElementById("lbl1")), "b");  // still the earlier one
    page.removeAttribute(page.getElementById("lbl1"), "Id");
    EXPECT_EQ(page.getElementById("lbl1"), created);
    page.setInnerHTML(page.getElementById("TForm"), "");
    EXPECT_FALSE(page.getElementById("lbl1"));
}

TEST(DomPageHandles, RemovedNodesGoStaleAndKeptOnesStay) {
    DomPage page(kTwoForms);
    Element form1 = page.getElementById("Form1");
    Element label = page.getElementById("lbl1");
    Element form2 = page.getElementById("Form2");
    EXPECT_EQ(page.getElementById("form1"), form1);  // the same handle every time

    page.setOuterHTML(form1, "<div id=Form1>replaced</div>");
    EXPECT_THROW(page.outerHTML(form1), PageError);
    EXPECT_THROW(page.getAttribute(label, "id"), PageError);
    EXPECT_NE(page.getElementById("Form1"), form1);
    EXPECT_EQ(page.getAttribute(form2, "parentformid"), "2");

    page.loadDocument("<p>x</p>");
    EXPECT_THROW(page.tagName(form2), PageError);
    EXPECT_THROW(page.tagName(Element{}), PageError);
    EXPECT_THROW(page.getAttribute(page.childNodes(page.children(page.body()).at(0)).at(0), "x"), PageError)
        << "a paragraph's text node has no attributes";
}

TEST(DomPageAttributes, CaseInsensitiveNamesInCollectionOrder) {
    DomPage page("<div id=a ParentFormID=1 F_MyFunc='x' style='left:1'></div>");
    Element a = page.getElementById("a");
    EXPECT_EQ(page.getAttribute(a, "PARENTFORMID"), "1");
    EXPECT_EQ(page.getAttribute(a, "missing"), std::nullopt);
    page.setAttribute(a, "F_MYFUNC", "y");
    page.setAttribute(a, "C_Click", "z");
    page.removeAttribute(a, "Style");
    std::vector<Attribute> expected{{"id", "a"}, {"parentformid", "1"}, {"f_myfunc", "y"}, {"c_click", "z"}};
    EXPECT_EQ(page.attributes(a), expected);
    for (const char* bad : {"a b", "x\"=y", ""}) EXPECT_THROW(page.setAttribute(a, bad, "x"), PageError) << bad;
    // Style text itself is dom_inline_style_test's; an empty value makes no style attribute.
    page.setStyleValue(a, "left", "");
    EXPECT_EQ(page.getAttribute(a, "style"), std::nullopt);
    page.setStyleValue(a, "zIndex", "4");
    EXPECT_EQ(page.getAttribute(a, "style"), "z-index: 4;");
}

TEST(DomPageMarkup, InsertsInTheRightPlaceAndContext) {
    DomPage page("<table id=t><tbody id=b><tr id=r1><td>1</td></tr></tbody></table>"
                 "<select id=s></select><div id=d>x</div>");
    page.insertAdjacentHTML(page.getElementById("r1"), InsertPosition::AfterEnd, "<tr id=r2><td>2</td></tr>");
    page.insertAdjacentHTML(page.getElementById("b"), InsertPosition::AfterBegin, "<tr id=r0><td>0</td></tr>");
    EXPECT_EQ(page.innerHTML(page.getElementById("b")),
              "<tr id=\"r0\"><td>0</td></tr><tr id=\"r1\"><td>1</td></tr><tr id=\"r2\"><td>2</td></tr>");
    page.setInnerHTML(page.getElementById("s"), "<option value=1>One<option>Two");
    EXPECT_EQ(page.optionCount(page.getElementById("s")), 2);
    Element d = page.getElementById("d");
    page.insertAdjacentHTML(d, InsertPosition::BeforeBegin, "<i>a</i>");
    page.insertAdjacentHTML(d, InsertPosition::BeforeEnd, "<b>y</b>");
    EXPECT_NE(page.outerHTML(page.parent(d)).find("<i>a</i><div id=\"d\">x<b>y</b></div>"), std::string::npos);
    EXPECT_THROW(page.insertAdjacentHTML(page.parent(page.body()), InsertPosition::BeforeBegin, "x"),
                 PageError);
    EXPECT_THROW(page.setOuterHTML(page.parent(page.body()), "<p>"), PageError);
}

TEST(DomPageText, LineBreaksBecomeBrAndBack) {
    DomPage page("<div id=d>a<b>b</b><br>c<script>no</script><style>no</style></div>");
    Element d = page.getElementById("d");
    EXPECT_EQ(page.innerText(d), "ab\nc");
    page.setInnerText(d, "x < y\r\nz\n");
    EXPECT_EQ(page.innerHTML(d), "x &lt; y<br>z<br>");
    EXPECT_EQ(page.innerText(d), "x < y\nz\n");
}

TEST(DomPageTree, ChildrenParentsRemoveAndClick) {
    DomPage page("<div id=f>t<!--c--><b id=x></b><i></i></div>");
    Element f = page.getElementById("f");
    EXPECT_EQ(page.children(f).size(), 2u);
    std::vector<Element> nodes = page.childNodes(f);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(page.nodeType(nodes[0]), NodeType::Text);
    EXPECT_EQ(page.nodeType(nodes[1]), NodeType::Comment);
    EXPECT_EQ(page.parent(nodes[2]), f);
    EXPECT_EQ(page.tagName(page.parent(page.body())), "HTML");
    EXPECT_FALSE(page.parent(page.parent(page.body())));
    EXPECT_THROW(page.removeElement(page.parent(page.body())), PageError);

    std::vector<Element> seen;
    page.onClick([&](DomPage& p, Element e) {
        seen.push_back(e);
        p.removeElement(e);
    });
    page.click(nodes[2]);
    EXPECT_EQ(seen, std::vector<Element>{nodes[2]});
    EXPECT_EQ(page.clicks(), std::vector<Element>{nodes[2]});
    EXPECT_EQ(page.innerHTML(f), "t<!--c--><i></i>");
    EXPECT_THROW(page.click(nodes[2]), PageError);
}
