// DomPage: option lists and table rows and cells.
#include <gtest/gtest.h>

#include "page/DomPage.h"

using namespace zolt;

TEST(DomPageOptions, CountTextValueAndGroups) {
    DomPage page("<select id=c><option value=1>  One \n item </option><option>Two</option>"
                 "<optgroup label=g><option value=''>Three</option></optgroup></select><div id=d></div>");
    Element c = page.getElementById("c");
    EXPECT_EQ(page.optionCount(c), 3);
    EXPECT_EQ(page.optionText(c, 0), "One item");
    EXPECT_EQ(page.optionValue(c, 0), "1");
    EXPECT_EQ(page.optionValue(c, 1), "Two");  // no value: the text
    EXPECT_EQ(page.optionValue(c, 2), "");
    EXPECT_THROW(page.optionText(c, 3), PageError);
    EXPECT_THROW(page.optionText(c, -1), PageError);
    EXPECT_THROW(page.optionCount(page.getElementById("d")), PageError);
}

TEST(DomPageOptions, AddRemoveResizeAndStyle) {
    DomPage page("<select id=c><option>a</option></select>");
    Element c = page.getElementById("c");
    page.addOption(c, "z", "26");
    page.addOption(c, "b", "2", 1);
    page.addOption(c, "", "", 99);
    EXPECT_EQ(page.innerHTML(c),
              "<option>a</option><option value=\"2\">b</option><option value=\"26\">z</option>"
              "<option value=\"\"></option>");
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
    page.setSelectedIndex(dd, 0);
    EXPECT_EQ(page.selectedIndex(dd), 0);
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

TEST(DomPageTables, RowsInBrowserOrderAndCells) {
    DomPage page("<table id=t><tfoot><tr id=f><td>f</td></tr></tfoot><tbody><tr id=b1><td>1</td>"
                 "<th>h</th></tr></tbody><thead><tr id=h><td>h</td></tr></thead></table>");
    Element t = page.getElementById("t");
    std::vector<Element> rows = page.rows(t);
    ASSERT_EQ(rows, (std::vector<Element>{page.getElementById("h"), page.getElementById("b1"), page.getElementById("f")}));
    EXPECT_EQ(page.cells(rows[1]).size(), 2u);
    EXPECT_THROW(page.rows(rows[0]), PageError);
    EXPECT_THROW(page.cells(t), PageError);
}

TEST(DomPageTables, InsertAndDeleteRowsAndCells) {
    DomPage page("<table id=t></table><table id=u><tbody></tbody><tbody id=last></tbody></table>");
    Element t = page.getElementById("t");
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
              "<table id=\"t\"><tbody><tr></tr><tr><td></td><td>x</td></tr><tr></tr></tbody></table>");
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

    Element u = page.getElementById("u");
    page.insertRow(u, 0);
    EXPECT_EQ(page.innerHTML(page.getElementById("last")), "<tr></tr>");
}
