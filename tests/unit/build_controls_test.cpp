// Control templates on the designer's own control markup: the exact texts,
// and the cases that broke built pages.
#include <gtest/gtest.h>

#include <functional>

#include "build/ControlMarkup.h"
#include "build_support.h"

namespace zolt {
namespace {

using namespace testing;

struct Controls : ::testing::Test {
    ProjectFolder project{"controls"};
    std::unique_ptr<DomPage> page;
    std::unique_ptr<BuildContext> ctx;
    std::string code;

    // Loads a form holding `controls` and returns the markup of its body.
    std::string build(const std::string& controls, const std::function<void(DomPage&)>& setup = {}, int mode = 1) {
        page = std::make_unique<DomPage>(designerDocument(formWith(controls)));
        if (setup) setup(*page);
        ctx = std::make_unique<BuildContext>(*page);
        ctx->mode = mode;
        ctx->projectFolder = project.folder;
        ctx->appFolder = appFolder();
        ctx->today = {2026, 3, 6};
        code.clear();
        return BuildControlMarkup(*ctx, formBodyOf(*page, "Form1"), code);
    }
    static void set(DomPage& p, const char* id, const char* name, const std::string& value) {
        p.setAttribute(p.getElementById(id), name, value);
    }
};

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(Controls, EmptyBodyWritesNothing) { EXPECT_EQ(build(""), ""); }

TEST_F(Controls, LabelExactlyAndItsCaptionBlanks) {
    EXPECT_EQ(build(control("L")),
              "<Div ID=lbl1 Name=lbl1   ControlType='L' style='position: absolute; width:;height:; top:50;left:50;"
              "background-color:;font-family:arial; font-size:12;color:black;font-weight:;font-style:; z-index:;"
              "text-Decoration:;cursor:default;' Title='' > label1</Div>");
    std::string m = build(control("L"), [](DomPage& p) { p.setInnerText(p.getElementById("lbl1"), "  Total <b>"); });
    EXPECT_TRUE(has(m, ">&nbsp&nbsp Total &lt;b&gt;</Div>")) << m;
}

TEST_F(Controls, BindingFragmentNeedsADataSource) {
    for (auto [src, fld, part] : {std::tuple{"#Orders", "", "Name=lbl1 dataSrc=#Orders  ControlType"},
                                  {"", "Total", "Name=lbl1   ControlType"},
                                  {"#Orders", "Total", "Name=lbl1 dataSrc=#Orders dataFld=Total ControlType"}}) {
        std::string m = build(control("L"), [src = src, fld = fld](DomPage& p) {
            set(p, "lbl1", "DB_DataSrc", src);
            set(p, "lbl1", "DB_DataFld", fld);
        });
        EXPECT_TRUE(has(m, part)) << m;
    }
}

TEST_F(Controls, FunctionsAlwaysReachTheCodeButEventsOnlyWithHasSomeCode) {
    auto withCode = [](const char* has) {
        return [=](DomPage& p) {
            set(p, "btn1", "F_Go", "function Go(){}");
            set(p, "btn1", "C_onclick", "=Go('a')");
            set(p, "btn1", "C_onmouseover", "=Hover()");
            set(p, "btn1", "HasSomeCode", has);
        };
    };
    std::string off = build(control("B"), withCode("false"));
    EXPECT_EQ(code, "\r\n\r\nfunction Go(){}");
    EXPECT_FALSE(has(off, "onclick"));
    std::string on = build(control("B"), withCode("true"));
    EXPECT_TRUE(has(on, "Title=''  onclick='Go(\"a\");event.cancelBubble=true;' onmouseover='Hover() ' type=button>"))
        << on;
}

TEST_F(Controls, ClickHandlerIsEscapedAndEndsWithOneSemicolon) {
    std::string m = build(control("L"), [](DomPage& p) {
        set(p, "lbl1", "C_onclick", "=a && b;");
        set(p, "lbl1", "HasSomeCode", "true");
    });
    EXPECT_TRUE(has(m, " onclick='a &amp;&amp; b;event.cancelBubble=true;'>")) << m;
}

TEST_F(Controls, LinkDropsAboutBlankAndQuotesInItsTarget) {
    std::string m = build(control("LNK"), [](DomPage& p) {
        set(p, "lnk1", "href", "about:blankNone");
        set(p, "lnk1", "Target", "'_top\"");
        set(p, "lnk1", "TabIndex", "3");
    });
    EXPECT_TRUE(has(m, "<a href='None' Target='_top' ID=lnk1")) << m;
    EXPECT_TRUE(has(m, "Title=''  tabindex=3> link1</a>")) << m;
}

TEST_F(Controls, UnorderedListKeepsItsItemsWithoutTheDesignerHandler) {
    EXPECT_TRUE(has(build(control("UL")), "Title=''  role=list><li>Item 1</li><li>Item 2</li><li>Item 3</li></Div>"));
}

TEST_F(Controls, TextBoxPasswordDisabledAndQuotedValue) {
    std::string m = build(control("T"), [](DomPage& p) {
        set(p, "txt1", "Password", "true");
        set(p, "txt1", "Disable", "true");
        set(p, "txt1", "value", "It's \"done\"");
        set(p, "txt1", "Title", "Say 'hi'");
    });
    EXPECT_TRUE(has(m, "<Input type=password ID=txt1")) << m;
    EXPECT_TRUE(has(m, "value='It&#39;s &quot;done&quot;' Title='Say &#39;hi&#39;' Disabled >")) << m;
    std::string hidden = build(control("T"), [](DomPage& p) { set(p, "txt1", "type", "hidden"); });
    EXPECT_EQ(hidden, "");
}

TEST_F(Controls, TextAreaWrapsSoftOrOff) {
    EXPECT_TRUE(has(build(control("TXTA")), " Wrap='soft' aria-label=\"txtA1\" ></TextArea>"));
    EXPECT_TRUE(has(build(control("TXTA"), [](DomPage& p) { set(p, "txtA1", "Wrap", "hard"); }), " Wrap='off' aria-label=\"txtA1\" >"));
}

TEST_F(Controls, CheckBoxIsADivHoldingTheInput) {
    std::string m = build(control("CK"), [](DomPage& p) { set(p, "chk1", "Checked", "true"); });
    EXPECT_TRUE(has(m, "<Div ID=chk1_D  Name=chk1_D  style='position: absolute; width:65;height:20;")) << m;
    EXPECT_TRUE(has(m, "<input type=checkbox ID=chk1 Name=chk1   Value='' style='width:;height:' Checked=true  "
                      "aria-label=\"Chk1\">"))
        << m;
    std::string o = build(control("O"));
    EXPECT_TRUE(has(o, "<input type=radio ID=opt1 Name=opt1   Value='' style='width:;height:'  aria-label=\"Opt1\">")) << o;
}

TEST_F(Controls, ListBoxMultipleAndComboEnding) {
    std::string lb = build(control("LB"), [](DomPage& p) {
        set(p, "lst1", "Multiple_Selected", "true");
        set(p, "lst1", "Size", "4");
        set(p, "lst1", "TabIndex", "2");
    });
    EXPECT_TRUE(has(lb, "z-index:' size=4 tabindex=2 MULTIPLE aria-label=\"lst1\"></Select>")) << lb;
    EXPECT_TRUE(has(build(control("CB")), "z-index:'  aria-label=\"cbo1\"></Select>"));
}

TEST_F(Controls, GridWritesItsHeaderCellsAndAnEmptyDataTable) {
    std::string m = build(control("TBL"), [](DomPage& p) {
        Element row = p.rows(p.getElementById("Grid_Header_Table1"))[0];
        Element cell = p.insertCell(row, -1);
        p.setAttribute(cell, "width", "80");
        p.setInnerText(cell, "H3");
    });
    EXPECT_TRUE(has(m, "<THEAD><TR><TH width=100 scope=col>H1</TH><TH width=100 scope=col>H2</TH><TH width=80 scope=col>H3</TH>"
                    "</TR></THEAD></Table>")) << m;
    EXPECT_TRUE(has(m, "border-right-color:black;' ></Table></DIV></DIV>")) << m;
    EXPECT_FALSE(has(m, "Col1"));
}

TEST_F(Controls, FramesHoldTheirControlsOnceEvenNested) {
    std::string inner = replaceAll(replaceAll(control("FRA"), "fra1", "fra2"), "Frame1", "Frame2");
    std::string frame = replaceAll(control("FRA"), "</SPAN></DIV>", "</SPAN>" + control("L") + inner + "</DIV>");
    std::string m = build(frame);
    EXPECT_TRUE(has(m, "> Frame1</span><Div ID=lbl1")) << m;
    EXPECT_TRUE(has(m, "label1</Div><DIV ID=fra2")) << m;
    EXPECT_TRUE(has(m, "> Frame2</span></DIV></DIV>")) << m;
    EXPECT_EQ(m.find("ID=lbl1"), m.rfind("ID=lbl1"));
}

TEST_F(Controls, ImagesAreCopiedInABuildOnly) {
    std::string m = build(control("IM"));
    EXPECT_TRUE(has(m, "<Img Src='Images/StartImage.jpg' ID=img1")) << m;
    ASSERT_EQ(ctx->copies.size(), 1u);
    EXPECT_EQ(ctx->copies[0].from.filename(), "StartImage.jpg");
    EXPECT_EQ(ctx->copies[0].to, project.folder / "Build" / "Images" / "StartImage.jpg");
    std::string preview = build(control("IM"), {}, 0);
    EXPECT_TRUE(has(preview, "<Img Src='/app/Images/StartImage.jpg'")) << preview;
    EXPECT_TRUE(ctx->copies.empty());
}

TEST_F(Controls, TabPagesAreWrittenLiveAndAsContentsWithTildes) {
    std::string m = build(control("TAB"), [](DomPage& p) {
        Element content = p.getElementById("TABContent_tab1");
        p.setInnerHTML(content, control("L"));
        Element cells = p.rows(p.getElementById("TabTable_tab1"))[0];
        std::string handler = " HasSomeCode=true C_onclick=\"=Go('x')\" F_Go=\"function Go(){}\"";
        std::string box = replaceAll(control("T"), "value=Text1", "value=\"Say &quot;hi&quot; &amp; go\"");
        p.setAttribute(p.cells(cells)[1], "Contents", replaceAll(box, " HasSomeCode=false", handler));
        p.setStyleValue(content, "background-color", "");
    });
    EXPECT_TRUE(has(m, "background-color:buttonface;z-index:5' role=tabpanel><Div ID=lbl1")) << m;
    EXPECT_TRUE(has(m, "Contents=\"<Div ID=lbl1 Name=lbl1   ControlType='L'")) << m;
    EXPECT_TRUE(has(m, "value='Say &amp;quot;hi&amp;quot; &amp;amp; go'")) << m;
    EXPECT_TRUE(has(m, "onclick='Go(~x~);event.cancelBubble=true;'")) << m;
    EXPECT_EQ(code, "\r\n\r\nfunction Go(){}");
    EXPECT_TRUE(has(m, "<TD ID=Tab2 ")) << m;
    // The design surface shows the selected page again, ready for the next build.
    Element content = page->getElementById("TABContent_tab1");
    EXPECT_TRUE(has(page->innerHTML(content), "recorded=\"false\"")) << page->innerHTML(content);
}

TEST_F(Controls, CalendarClickHandlerNamesTheCalendarAndTheDevelopersFunction) {
    EXPECT_EQ(CalendarClickHandler("Cal1", ""), "=Cal_Clicked('Cal1',event)");
    EXPECT_EQ(CalendarClickHandler("Cal1", "DayPicked"), "=Cal_Clicked('Cal1',event,'DayPicked(pCallD,pE)')");
    EXPECT_EQ(CalendarClickHandler("Cal1", "DayPicked()"), "=Cal_Clicked('Cal1',event,'DayPicked(pCallD,pE)')");
    EXPECT_EQ(CalendarClickHandler("Cal1", "DayPicked(1)"), "=Cal_Clicked('Cal1',event,'DayPicked(1,pCallD,pE)')");
}

TEST_F(Controls, CalendarRowsFollowItsSwitchesAndStartMonth) {
    std::string m = build(control("CAL"), [](DomPage& p) {
        set(p, "Cal1", "ID", "Dates");
        set(p, "Dates", "Dev_Click_Func", "Picked");
        set(p, "Dates", "StartYearIndex", "8");  // 2008
        set(p, "Dates", "StartMonthIndex", "2");
        set(p, "Dates", "HeaderOnOff", "1");
        set(p, "Dates", "DateOnOff", "1");
    });
    EXPECT_TRUE(has(m, "onclick='Cal_Clicked(\"Dates\",event,\"Picked(pCallD,pE)\");event.cancelBubble=true;'")) << m;
    EXPECT_FALSE(has(m, "Header_"));
    EXPECT_FALSE(has(m, "DisplayDate_"));
    EXPECT_TRUE(has(m, "<OPTION value=2 selected>February</OPTION>")) << m;
    EXPECT_TRUE(has(m, "<OPTION value=2008 selected>2008</OPTION>"));
    EXPECT_TRUE(has(m, "title=Friday>29</TD></TR></TABLE>")) << m;  // a leap year
    EXPECT_EQ(page->getAttribute(page->getElementById("Dates"), "C_onclick"),
              "=Cal_Clicked('Dates',event,'Picked(pCallD,pE)')");

    std::string march = build(control("CAL"));  // start month 0: the current month
    EXPECT_TRUE(has(march, "<OPTION value=3 selected>March</OPTION>"));
    EXPECT_TRUE(has(march, "FormatStyle='abrmm dd yyyy' colspan=7 align=center style='background-color:#D5CCBB'>"
                           "Mar 1, 2000</TD>"));
}

}  // namespace
}  // namespace zolt
