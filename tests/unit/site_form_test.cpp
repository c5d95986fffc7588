// The built form frame: container, title bar, close picture, body opening and
// the form's code.
#include <gtest/gtest.h>

#include "site/ControlMarkup.h"
#include "site_support.h"

namespace zolt {
namespace {

using namespace testing;

struct FormFrame : ::testing::Test {
    ProjectFolder project{"form"};
    DomPage page{designerDocument(formWith(""))};
    BuildContext ctx{page};
    Element form = page.getElementById("Form1");
    std::string code;

    FormFrame() {
        ctx.projectFolder = project.folder;
        ctx.appFolder = appFolder();
    }
    std::string frame() { return BuildFormMarkup(ctx, form, code); }
    void set(const char* name, const std::string& value) { page.setAttribute(form, name, value); }
};

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

TEST_F(FormFrame, CaptionsKeepLeadingBlanksAndAnEmptyOneShowsAMiddleDot) {
    for (auto [caption, bar] : {std::pair{" Orders", ";'>&nbsp; Orders</B>"},
                                {"", ";'><font color=#0000FF>\u00B7</font></B>"},
                                {"Tom's \"<Shop>\"", ";'>Tom's \"&lt;Shop&gt;\"</B>"}}) {
        set("Caption", caption);
        EXPECT_NE(frame().find(bar), std::string::npos) << caption;
    }
}

TEST_F(FormFrame, StaticFormHasNoDragHandlersNorPointerAndBorderOffHasNoBorder) {
    set("Static", "true");
    set("BorderOnOff", "1");
    std::string f = frame();
    EXPECT_NE(f.find("<B ID=CaptionBar  style='Color:#FFFFFF; Font-Family:Arial;"), std::string::npos);
    EXPECT_EQ(f.find("drag("), std::string::npos);
    EXPECT_NE(f.find("border-style:none;"), std::string::npos);  // whatever the body shows
}

TEST_F(FormFrame, ClosePictureFollowsItsSwitchesAndTheBodyWidth) {
    set("FormCloseFunc", "  Bye()  ");
    EXPECT_NE(frame().find("onClick=\"CloseForm('Form1','Bye()')\" alt="), std::string::npos);
    set("CloseButtonEnabled", "false");
    EXPECT_NE(frame().find("TOP:2;' onClick=\"\" alt=\"Close\" role=button aria-label=\"Close\" aria-disabled=true "
                          "tabindex=-1>"),
              std::string::npos);
    page.setStyleValue(formBodyOf(page, "Form1"), "width", "250px");
    EXPECT_NE(frame().find("LEFT:233;"), std::string::npos);
    ctx.mode = 0;
    EXPECT_NE(frame().find("<img src='../Images/closebutton.jpg'"), std::string::npos);
    set("ShowCloseFormButton", "false");
    EXPECT_EQ(frame().find("<img"), std::string::npos);
}

TEST_F(FormFrame, BackgroundPictureIsRelativeInABuildAndCopied) {
    writeBytes(project.folder / "Images" / "sky.jpg", "sky");
    set("BackGroundImageSrc", "C:/pics/sky.jpg");
    set("BackGroundImageTileOnOff", "0");
    EXPECT_NE(frame().find("background-image:url(\"Images/sky.jpg\");background-repeat:repeat;"), std::string::npos);
    ASSERT_EQ(ctx.copies.size(), 1u);
    EXPECT_EQ(ctx.copies[0].from, project.folder / "Images" / "sky.jpg");
    EXPECT_EQ(ctx.copies[0].to, project.folder / "Build" / "Images" / "sky.jpg");

    set("BackGroundImageSrc", "/nowhere/cloud.jpg");  // a missing picture is listed, not copied
    EXPECT_NE(frame().find("url(\"Images/cloud.jpg\")"), std::string::npos);
    EXPECT_EQ(ctx.missingPictures, std::vector<std::string>{"/nowhere/cloud.jpg"});

    set("BackGroundImageSrc", "C:/pics/sky.jpg");
    ctx.imageLocation = "img/";
    EXPECT_NE(frame().find("url(\"img/sky.jpg\")"), std::string::npos);
    EXPECT_EQ(ctx.copies.back().to, project.folder / "Build" / "img" / "sky.jpg");

    ctx.mode = 0;
    set("BackGroundImageSrc", "C:\\pics\\sky.jpg");
    EXPECT_NE(frame().find("url(\"C:/pics/sky.jpg\")"), std::string::npos);
}

TEST_F(FormFrame, FunctionsGoToTheCodeAndEventsOntoTheBody) {
    set("F_Declarations", "");
    set("F_Total", "function Total(){\r\n}");
    set("F_Clear", "function Clear(){}");
    set("C_onclick", "=ShowHelp(); Log('x');");
    std::string f = frame();
    EXPECT_EQ(code, "\r\n\r\nfunction Total(){\r\n}\r\n\r\nfunction Clear(){}");
    std::string end = "Top Center; ' onclick=\"ShowHelp(); Log('x');\">";
    EXPECT_EQ(f.substr(f.size() - end.size()), end);
}

}  // namespace
}  // namespace zolt
