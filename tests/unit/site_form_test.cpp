// The built form frame and the control templates on the designer's own markup.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "site/ControlMarkup.h"
#include "site_support.h"

namespace zolt {
namespace {

using namespace testing;

struct SiteMarkup : ::testing::Test {
    ProjectFolder project{"markup"};
    std::unique_ptr<DomPage> page;
    std::unique_ptr<BuildContext> ctx;
    std::string code;

    SiteMarkup() { build(""); }
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
    std::string frame() { return BuildFormMarkup(*ctx, page->getElementById("Form1"), code); }
    static void set(DomPage& p, const char* id, const char* name, const std::string& value) {
        p.setAttribute(p.getElementById(id), name, value);
    }
    void setForm(const char* name, const std::string& value) { set(*page, "Form1", name, value); }
};
using FormFrame = SiteMarkup;
using Controls = SiteMarkup;


TEST_F(FormFrame, DefaultFormIsAHiddenMovableWindowWithItsClosePicture) {
    EXPECT_EQ(frame(),
              "<DIV ID=Form1 Name=Form1 ParentFormID=1 onClick=\"BringToFront('Form1')\" style='position:absolute; "
              "left:100; top:50; width:400; height:400; display:none; z-index:0' role=dialog aria-modal=false "
              "aria-label=\"Form1\" tabindex=-1>"
              "<B ID=CaptionBar onmousedown=\"drag('Form1')\" onmouseup=\"dragstop()\" style='Color:#FFFFFF;cursor:pointer; "
              "Font-Family:Arial; Font-Size:15; DISPLAY:block; background-color:#0000FF;'>Form1</B>"
              "<img src='Images/closebutton.jpg' id=CloseFormX style='POSITION: absolute; cursor:pointer; LEFT:383; "
              "TOP:2;' onClick=\"CloseForm('Form1','')\" alt=\"Close\" role=button aria-label=\"Close\" tabindex=0>"
              "<DIV ID=TForm style='position:absolute; left:0; top:18; cursor:default; border-width:1; "
              "border-style:solid; overflow:hidden; border-color:#000000; background-color:#D5CCBB; width:400; "
              "height:381; background-image:none;background-repeat:no-repeat; background-position:Top Center; '>");
    EXPECT_EQ(code, "");
}

TEST_F(FormFrame, CaptionsKeepLeadingBlanksAStaticFormHasNoDragHandlersAndBorderOffNoBorder) {
    for (auto [caption, bar] : {std::pair{" Orders", ";'>&nbsp; Orders</B>"},
                                {"", ";'><font color=#0000FF>\u00B7</font></B>"},
                                {"Tom's \"<Shop>\"", ";'>Tom's \"&lt;Shop&gt;\"</B>"}}) {
        setForm("Caption", caption);
        EXPECT_NE(frame().find(bar), std::string::npos) << caption;
    }

    setForm("Static", "true");
    setForm("BorderOnOff", "1");
    const std::string f = frame();
    expectParts(f, {"<B ID=CaptionBar  style='Color:#FFFFFF; Font-Family:Arial;", "border-style:none;"});
    EXPECT_FALSE(has(f, "drag("));
}

TEST_F(FormFrame, ClosePictureFollowsItsSwitchesAndTheBodyWidth) {
    setForm("FormCloseFunc", "  Bye()  ");
    EXPECT_NE(frame().find("onClick=\"CloseForm('Form1','Bye()')\" alt="), std::string::npos);
    setForm("CloseButtonEnabled", "false");
    EXPECT_TRUE(has(frame(), "TOP:2;' onClick=\"\" alt=\"Close\" role=button aria-label=\"Close\" aria-disabled=true "
                             "tabindex=-1>"));
    page->setStyleValue(formBodyOf(*page, "Form1"), "width", "250px");
    EXPECT_NE(frame().find("LEFT:233;"), std::string::npos);
    ctx->mode = 0;
    EXPECT_NE(frame().find("<img src='../Images/closebutton.jpg'"), std::string::npos);
    setForm("ShowCloseFormButton", "false");
    EXPECT_EQ(frame().find("<img"), std::string::npos);
}

TEST_F(FormFrame, BackgroundPictureIsRelativeInABuildAndCopied) {
    writeBytes(project.folder / "Images" / "sky.jpg", "sky");
    setForm("BackGroundImageSrc", "C:/pics/sky.jpg");
    setForm("BackGroundImageTileOnOff", "0");
    EXPECT_NE(frame().find("background-image:url(\"Images/sky.jpg\");background-repeat:repeat;"), std::string::npos);
    ASSERT_EQ(ctx->copies.size(), 1u);
    EXPECT_EQ(ctx->copies[0].from, project.folder / "Images" / "sky.jpg");
    EXPECT_EQ(ctx->copies[0].to, project.folder / "Build" / "Images" / "sky.jpg");

    setForm("BackGroundImageSrc", "/nowhere/cloud.jpg");  // a missing picture is listed, not copied
    EXPECT_NE(frame().find("url(\"Images/cloud.jpg\")"), std::string::npos);
    EXPECT_EQ(ctx->missingPictures, std::vector<std::string>{"/nowhere/cloud.jpg"});

    setForm("BackGroundImageSrc", "C:/pics/sky.jpg");
    ctx->imageLocation = "img/";
    EXPECT_NE(frame().find("url(\"img/sky.jpg\")"), std::string::npos);
    EXPECT_EQ(ctx->copies.back().to, project.folder / "Build" / "img" / "sky.jpg");

    ctx->mode = 0;
    setForm("BackGroundImageSrc", "C:\\pics\\sky.jpg");
    EXPECT_NE(frame().find("url(\"C:/pics/sky.jpg\")"), std::string::npos);
}

TEST_F(FormFrame, FunctionsGoToTheCodeAndEventsOntoTheBody) {
    setForm("F_Declarations", "");
    setForm("F_Total", "function Total(){\r\n}");
    setForm("F_Clear", "function Clear(){}");
    setForm("C_onclick", "=ShowHelp(); Log('x');");
    std::string f = frame();
    EXPECT_EQ(code, "\r\n\r\nfunction Total(){\r\n}\r\n\r\nfunction Clear(){}");
    std::string end = "Top Center; ' onclick=\"ShowHelp(); Log('x');\">";
    EXPECT_EQ(f.substr(f.size() - end.size()), end);
}

TEST_F(Controls, LabelExactly) {
    EXPECT_EQ(build(control("L")),
              "<Div ID=lbl1 Name=lbl1   ControlType='L' style='position: absolute; width:;height:; top:50;left:50;"
              "background-color:;font-family:arial; font-size:12;color:black;font-weight:;font-style:; z-index:;"
              "text-Decoration:;cursor:default;' Title='' > label1</Div>");
}

// Each kind of control with some settings, and the pieces of its markup that built pages have needed.
TEST_F(Controls, SettingsShowInTheMarkupOfEachKind) {
    // Settings on the control ("" for its own text); parts of its markup (none: no markup at all).
    using Settings = std::vector<std::pair<const char*, std::string>>;
    struct Case { const char* code; Settings settings; std::vector<std::string> parts; };
    const Case cases[] = {
        {"L", {{"", "  Total <b>"}}, {">&nbsp&nbsp Total &lt;b&gt;</Div>"}},
        {"L", {{"DB_DataSrc", "#Orders"}}, {"Name=lbl1 dataSrc=#Orders  ControlType"}},
        {"L", {{"DB_DataFld", "Total"}}, {"Name=lbl1   ControlType"}},  // a field needs a source
        {"L", {{"DB_DataSrc", "#Orders"}, {"DB_DataFld", "Total"}}, {"dataSrc=#Orders dataFld=Total ControlType"}},
        {"L", {{"C_onclick", "=a && b;"}, {"HasSomeCode", "true"}}, {" onclick='a &amp;&amp; b;event.cancelBubble=true;'>"}},
        {"LNK", {{"href", "about:blankNone"}, {"Target", "'_top\""}, {"TabIndex", "3"}},
         {"<a href='None' Target='_top' ID=lnk1", "Title=''  tabindex=3> link1</a>"}},
        {"UL", {}, {"Title=''  role=list><li>Item 1</li><li>Item 2</li><li>Item 3</li></Div>"}},
        {"T", {{"Password", "true"}, {"Disable", "true"}, {"value", "It's \"done\""}, {"Title", "Say 'hi'"}},
         {"<Input type=password ID=txt1", "value='It&#39;s &quot;done&quot;' Title='Say &#39;hi&#39;' Disabled >"}},
        {"T", {{"type", "hidden"}}, {}},
        {"TXTA", {}, {" Wrap='soft' aria-label=\"txtA1\" ></TextArea>"}},
        {"TXTA", {{"Wrap", "hard"}}, {" Wrap='off' aria-label=\"txtA1\" >"}},
        {"CK", {{"Checked", "true"}},
         {"<Div ID=chk1_D  Name=chk1_D  style='position: absolute; width:65;height:20;",
          "<input type=checkbox ID=chk1 Name=chk1   Value='' style='width:;height:' Checked=true  aria-label=\"Chk1\">"}},
        {"O", {}, {"<input type=radio ID=opt1 Name=opt1   Value='' style='width:;height:'  aria-label=\"Opt1\">"}},
        {"LB", {{"Multiple_Selected", "true"}, {"Size", "4"}, {"TabIndex", "2"}},
         {"z-index:' size=4 tabindex=2 MULTIPLE aria-label=\"lst1\"></Select>"}},
        {"CB", {}, {"z-index:'  aria-label=\"cbo1\"></Select>"}},
        // Events only with HasSomeCode (functions always reach the code: the Writer tests).
        {"B", {{"C_onclick", "=Go('a')"}, {"HasSomeCode", "false"}}, {"Title=''  type=button>"}},
        {"B", {{"C_onclick", "=Go('a')"}, {"C_onmouseover", "=Hover()"}, {"HasSomeCode", "true"}},
         {"Title=''  onclick='Go(\"a\");event.cancelBubble=true;' onmouseover='Hover() ' type=button>"}},
    };
    for (const Case& c : cases) {
        const std::string m = build(control(c.code), [&c](DomPage& p) {
            Element e = p.children(formBodyOf(p, "Form1")).at(0);
            for (const auto& [name, value] : c.settings) {
                *name ? p.setAttribute(e, name, value) : p.setInnerText(e, value);
            }
        });
        if (c.parts.empty()) {
            EXPECT_EQ(m, "") << c.code;
        }
        expectParts(m, c.parts);
    }
}

TEST_F(Controls, GridWritesItsHeaderCellsAndAnEmptyDataTable) {
    std::string m = build(control("TBL"), [](DomPage& p) {
        Element row = p.rows(p.getElementById("Grid_Header_Table1"))[0];
        Element cell = p.insertCell(row, -1);
        p.setAttribute(cell, "width", "80");
        p.setInnerText(cell, "H3");
    });
    expectParts(m, {"<THEAD><TR><TH width=100 scope=col>H1</TH><TH width=100 scope=col>H2</TH><TH width=80 scope=col>"
                    "H3</TH></TR></THEAD></Table>", "border-right-color:black;' ></Table></DIV></DIV>"});
    EXPECT_FALSE(has(m, "Col1"));
}

TEST_F(Controls, FramesHoldTheirControlsOnceEvenNested) {
    std::string inner = replaceAll(replaceAll(control("FRA"), "fra1", "fra2"), "Frame1", "Frame2");
    std::string frame = replaceAll(control("FRA"), "</SPAN></DIV>", "</SPAN>" + control("L") + inner + "</DIV>");
    std::string m = build(frame);
    expectParts(m, {"> Frame1</span><Div ID=lbl1", "label1</Div><DIV ID=fra2", "> Frame2</span></DIV></DIV>"});
    EXPECT_EQ(m.find("ID=lbl1"), m.rfind("ID=lbl1"));
}

TEST_F(Controls, ImagesAreCopiedInABuildOnly) {
    std::string m = build(control("IM"));
    EXPECT_TRUE(has(m, "<Img Src='Images/StartImage.jpg' ID=img1")) << m;
    ASSERT_EQ(ctx->copies.size(), 1u);
    EXPECT_EQ(ctx->copies[0].from.filename(), "StartImage.jpg");
    EXPECT_EQ(ctx->copies[0].to, project.folder / "Build" / "Images" / "StartImage.jpg");
    EXPECT_TRUE(has(build(control("IM"), {}, 0), "<Img Src='/app/Images/StartImage.jpg'") && ctx->copies.empty());
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
    expectParts(m, {"background-color:buttonface;z-index:5' role=tabpanel><Div ID=lbl1", "<TD ID=Tab2 ",
                    "Contents=\"<Div ID=lbl1 Name=lbl1   ControlType='L'", "onclick='Go(~x~);event.cancelBubble=true;'",
                    "value='Say &amp;quot;hi&amp;quot; &amp;amp; go'"});
    EXPECT_EQ(code, "\r\n\r\nfunction Go(){}");
    // The design surface shows the selected page again, ready for the next build.
    expectParts(page->innerHTML(page->getElementById("TABContent_tab1")), {"recorded=\"false\""});
}

// A plain function name is checked on a whole calendar below.
TEST_F(Controls, CalendarClickHandlerNamesTheCalendarAndTheDevelopersFunction) {
    EXPECT_EQ(CalendarClickHandler("Cal1", ""), "=Cal_Clicked('Cal1',event)");
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
    // February 2008 has a 29th.
    expectParts(m, {"onclick='Cal_Clicked(\"Dates\",event,\"Picked(pCallD,pE)\");event.cancelBubble=true;'",
                    "<OPTION value=2 selected>February</OPTION>", "<OPTION value=2008 selected>2008</OPTION>",
                    "title=Friday>29</TD></TR></TABLE>"});
    EXPECT_FALSE(has(m, "Header_") || has(m, "DisplayDate_"));
    EXPECT_EQ(page->getAttribute(page->getElementById("Dates"), "C_onclick"),
              "=Cal_Clicked('Dates',event,'Picked(pCallD,pE)')");

    std::string march = build(control("CAL"));  // start month 0: the current month
    const std::string first = "colspan=7 align=center style='background-color:#D5CCBB'>Mar 1, 2000</TD>";
    expectParts(march, {"<OPTION value=3 selected>March</OPTION>", "FormatStyle='abrmm dd yyyy' " + first});
}

}  // namespace
}  // namespace zolt
