// DomPage: elements, markup and the tree; option lists and tables; variables, routines and boxes; script values.
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
    EXPECT_EQ(page.innerText(first), "a");
    EXPECT_FALSE(page.getElementById("lbl2") || page.getElementById(""));
    std::vector<Element> named = page.getElementsByName("lbl1");  // in document order
    ASSERT_EQ(named.size(), 2u);
    EXPECT_EQ(named[0], first);

    // A new holder before the first one takes over; after it, it does not.
    page.insertAdjacentHTML(page.body(), InsertPosition::AfterBegin, "<span id=Lbl1>new</span>");
    EXPECT_EQ(page.innerText(page.getElementById("lbl1")), "new");
    page.insertAdjacentHTML(page.body(), InsertPosition::BeforeEnd, "<span id=unique>u</span>");
    EXPECT_EQ(page.innerText(page.getElementById("UNIQUE")), "u");

    page.removeElement(page.getElementById("lbl1"));
    EXPECT_EQ(page.getElementById("lbl1"), first);
    page.removeElement(page.getElementById("Form1"));
    EXPECT_EQ(page.getElementById("lbl1"), named[1]);

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
    // Style text itself is dom_markup_test's; an empty value makes no style attribute.
    page.setStyleValue(a, "left", "");
    EXPECT_EQ(page.getAttribute(a, "style"), std::nullopt);
    page.setStyleValue(a, "zIndex", "4");
    EXPECT_EQ(page.getAttribute(a, "style"), "z-index: 4;");
}

TEST(DomPageMarkup, InsertsInTheRightPlaceAndContextAndSetsText) {
    DomPage page("<table id=t><tbody id=b><tr id=r1><td>1</td></tr></tbody></table><select id=s></select>"
                 "<div id=d>x</div><div id=t2>a<b>b</b><br>c<script>no</script><style>no</style></div>");
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

    // Line breaks become <br> and back.
    Element text = page.getElementById("t2");
    EXPECT_EQ(page.innerText(text), "ab\nc");
    page.setInnerText(text, "x < y\r\nz\n");
    EXPECT_EQ(page.innerHTML(text), "x &lt; y<br>z<br>");
    EXPECT_EQ(page.innerText(text), "x < y\nz\n");
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

TEST(DomPageOptions, CountTextValueGroupsAddRemoveResizeAndStyle) {
    DomPage page("<select id=c><option value=1>  One \n item </option><option>Two</option>"
                 "<optgroup label=g><option value=''>Three</option></optgroup></select><div id=d></div>");
    Element c = page.getElementById("c");
    EXPECT_EQ(page.optionCount(c), 3);
    EXPECT_EQ(page.optionText(c, 0), "One item");
    // Without a value, the text.
    EXPECT_EQ((std::vector{page.optionValue(c, 0), page.optionValue(c, 1), page.optionValue(c, 2)}),
              (std::vector<std::string>{"1", "Two", ""}));
    for (int i : {3, -1}) EXPECT_THROW(page.optionText(c, i), PageError) << i;
    EXPECT_THROW(page.optionCount(page.getElementById("d")), PageError);

    page.setInnerHTML(c, "<option>a</option>");
    page.addOption(c, "z", "26");
    page.addOption(c, "b", "2", 1);
    page.addOption(c, "", "", 99);
    Element kept = page.children(c).at(0);
    Element gone = page.children(c).at(1);
    page.removeOption(c, 1);
    page.removeOption(c, 7);  // out of range: nothing, as in the browser
    EXPECT_THROW(page.tagName(gone), PageError);
    EXPECT_EQ(page.optionCount(c), 3);
    page.setOptionStyle(c, 1, "background-color", "red");
    EXPECT_EQ(page.innerHTML(c),
              "<option>a</option><option value=\"26\" style=\"background-color: red;\">z</option>"
              "<option value=\"\"></option>");
    page.setOptionCount(c, 5);
    page.setOptionCount(c, 1);
    EXPECT_EQ(page.optionCount(c), 1);
    EXPECT_EQ(page.tagName(kept), "OPTION");
    page.setOptionCount(c, 0);
    EXPECT_EQ(page.innerHTML(c), "");
    EXPECT_THROW(page.tagName(kept), PageError);
    EXPECT_THROW(page.setOptionCount(c, -1), PageError);
}

TEST(DomPageOptions, SelectionOfDropDownsAndListBoxes) {
    DomPage page("<select id=dd><option>a<option selected>b<option selected>c</select>"
                 "<select id=plain><option>a<option>b</select><select id=empty></select>"
                 "<select id=lb size=4><option>a<option>b</select>"
                 "<select id=multi multiple><option>a<option selected>b<option selected>c</select>");
    // A drop-down shows the last option marked, or its first; a list box may show none.
    for (auto [id, index] : {std::pair{"dd", 2}, {"plain", 0}, {"empty", -1}, {"lb", -1}, {"multi", 1}}) {
        EXPECT_EQ(page.selectedIndex(page.getElementById(id)), index) << id;
    }

    Element dd = page.getElementById("dd");
    page.setSelectedIndex(dd, -1);
    EXPECT_EQ(page.selectedIndex(dd), -1);
    page.addOption(dd, "d", "d");
    EXPECT_EQ(page.selectedIndex(dd), 0);
    Element lb = page.getElementById("lb");
    page.setSelectedIndex(lb, 1);
    EXPECT_EQ(page.selectedIndex(lb), 1);
    page.removeOption(lb, 1);
    EXPECT_EQ(page.selectedIndex(lb), -1);
    // Selecting by script changes state, not markup.
    EXPECT_EQ(page.outerHTML(lb), "<select id=\"lb\" size=\"4\"><option>a</option></select>");
}

TEST(DomPageTables, RowsInBrowserOrderCellsInsertsAndDeletes) {
    DomPage page("<table id=t><tfoot><tr id=f><td>f</td></tr></tfoot><tbody><tr id=b1><td>1</td>"
                 "<th>h</th></tr></tbody><thead><tr id=h><td>h</td></tr></thead></table>");
    Element t = page.getElementById("t");
    std::vector<Element> rows = page.rows(t);
    ASSERT_EQ(rows, (std::vector<Element>{page.getElementById("h"), page.getElementById("b1"), page.getElementById("f")}));
    EXPECT_EQ(page.cells(rows[1]).size(), 2u);
    EXPECT_THROW(page.rows(rows[0]), PageError);
    EXPECT_THROW(page.cells(t), PageError);

    page.insertAdjacentHTML(page.body(), InsertPosition::BeforeEnd,
                            "<table id=e></table><table id=u><tbody></tbody><tbody id=last></tbody></table>");
    t = page.getElementById("e");
    Element r0 = page.insertRow(t, -1);  // an empty table gets a body
    Element r1 = page.insertRow(t, 1);
    Element rTop = page.insertRow(t, 0);
    EXPECT_THROW(page.insertRow(t, 5), PageError);
    EXPECT_THROW(page.insertRow(t, -2), PageError);
    EXPECT_EQ(page.rows(t), (std::vector<Element>{rTop, r0, r1}));
    Element c0 = page.insertCell(r0, -1);
    Element cTop = page.insertCell(r0, 0);
    page.setInnerText(c0, "x");
    EXPECT_EQ(page.outerHTML(t),
              "<table id=\"e\"><tbody><tr></tr><tr><td></td><td>x</td></tr><tr></tr></tbody></table>");
    EXPECT_THROW(page.insertCell(r0, 3), PageError);
    page.deleteCell(r0, -1);
    EXPECT_THROW(page.tagName(c0), PageError);
    EXPECT_THROW(page.deleteCell(r0, 1), PageError);
    EXPECT_EQ(page.cells(r0), std::vector<Element>{cTop});
    page.deleteRow(t, 0);
    page.deleteRow(t, -1);
    EXPECT_EQ(page.rows(t), std::vector<Element>{r0});
    EXPECT_THROW(page.deleteRow(t, 1), PageError);
    page.deleteRow(t, 0);
    page.deleteRow(t, -1);  // nothing left: nothing happens

    page.insertRow(page.getElementById("u"), 0);
    EXPECT_EQ(page.innerHTML(page.getElementById("last")), "<tr></tr>");
}

TEST(DomPageScript, VariablesArraysAndRoutinesCalledByNameWithArgumentsByReference) {
    DomPage page("<div id=f></div>");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(page.getVariable("sNeverSet")));
    page.setVariable("bProjectInfoChanged", true);
    EXPECT_EQ(page.getVariable("bProjectInfoChanged"), ScriptValue{true});
    page.setVariable("SelectedObj", page.body());
    EXPECT_EQ(toElement(page.getVariable("SelectedObj")), page.body());

    EXPECT_TRUE(page.getArray("arrNone").empty());
    page.setArray("arrColor", {std::string("#000000"), 2.0});
    EXPECT_EQ(page.getArrayEntry("arrColor", 1), ScriptValue{2.0});
    EXPECT_TRUE(std::holds_alternative<std::monostate>(page.getArrayEntry("arrColor", 9)));
    page.setArrayEntry("arrColor", 3, std::string("x"));
    EXPECT_EQ(page.getArray("arrColor").size(), 4u);
    page.setArrayEntry("arrNew", 0, 1.0);
    EXPECT_EQ(page.getArray("arrNew"), std::vector<ScriptValue>{1.0});

    EXPECT_THROW(page.getVariable("arrColor"), PageError);
    EXPECT_THROW(page.setArrayEntry("bProjectInfoChanged", 0, 1.0), PageError);
    EXPECT_THROW(page.getArrayEntry("arrColor", -1), PageError);

    page.registerRoutine("BringUpToDateForm", [](DomPage& p, std::vector<ScriptValue>& args) {
        p.setAttribute(toElement(args.at(0)), "upgraded", "true");
        args.at(1) = std::string("V1.01");
        return ScriptValue{true};
    });
    Element f = page.getElementById("f");
    CallResult r = page.call("BringUpToDateForm", {f, std::string("V1.00")});
    EXPECT_EQ(r.value, ScriptValue{true});
    EXPECT_EQ(r.args.at(1), ScriptValue{std::string("V1.01")});
    EXPECT_EQ(page.getAttribute(f, "upgraded"), "true");

    EXPECT_THROW(page.call("NoSuchRoutine"), PageError);
    page.registerRoutine("Broken", [](DomPage&, std::vector<ScriptValue>& args) {
        return args.at(5);  // std::out_of_range inside the routine
    });
    EXPECT_THROW(page.call("Broken"), PageError);
}

TEST(DomPageBoxes, AnsweredFromTheScriptAndRecorded) {
    DomPage page;
    page.answerMsgBox(MsgResult::Yes);
    page.answerInputBox(std::string("Orders"));
    page.answerInputBox(std::nullopt);
    EXPECT_EQ(page.msgBox("Save changes?", MsgButtons::YesNoCancel, MsgIcon::Question), MsgResult::Yes);
    EXPECT_EQ(page.inputBox("Form name:", "ZOLT", "Form1"), "Orders");
    EXPECT_EQ(page.inputBox("Again:"), std::nullopt);
    ASSERT_EQ(page.shownBoxes().size(), 3u);
    EXPECT_EQ(page.shownBoxes()[1].defaultText, "Form1");

    EXPECT_THROW(page.msgBox("Surprise", MsgButtons::OK, MsgIcon::Information), PageError);
    page.answerInputBox(std::string("x"));
    EXPECT_THROW(page.msgBox("Wrong kind", MsgButtons::OK, MsgIcon::None), PageError);
    page.answerMsgBox(MsgResult::Yes);
    EXPECT_EQ(page.inputBox("The answer still waits"), "x");
    EXPECT_THROW(page.inputBox("Wrong kind"), PageError);
    // An answer that is not on the box is refused.
    DomPage other;
    other.answerMsgBox(MsgResult::Cancel);
    EXPECT_THROW(other.msgBox("Built.", MsgButtons::OK, MsgIcon::Information), PageError);
}

TEST(ScriptValue, TextNumbersAndFlagsFollowTheScriptLanguage) {
    const std::pair<ScriptValue, std::string> texts[] = {
        {true, "True"}, {false, "False"}, {11.0, "11"}, {-3.0, "-3"}, {2.5, "2.5"}, {ScriptValue{}, ""}};
    for (const auto& [value, text] : texts) EXPECT_EQ(toText(value), text);
    EXPECT_EQ((std::vector{toNumber(ScriptValue{std::string("42")}), toNumber(ScriptValue{std::string("abc")}),
                           toNumber(ScriptValue{})}), (std::vector{42.0, 0.0, 0.0}));
    const std::pair<ScriptValue, bool> flags[] = {{std::string("True"), true}, {std::string("false"), false},
                                                  {std::string(""), false},    {std::string("1"), true},
                                                  {Element{}, false},          {Element{7}, true}};
    for (const auto& [value, flag] : flags) EXPECT_EQ(toBool(value), flag) << toText(value);
}
