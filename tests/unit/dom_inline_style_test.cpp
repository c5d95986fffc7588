// Reading and writing single properties of inline style text.
#include <gtest/gtest.h>

#include "dom/InlineStyle.h"

using namespace zolt::dom;

TEST(InlineStyle, ReadsTheLastDeclarationIgnoringCaseAndSkipsOnesWithoutColon) {
    const std::string form = "position:absolute; left:100; top:50; width:400; z-index:1";
    EXPECT_EQ(styleValue(form, "left"), "100");
    EXPECT_EQ(styleValue(form, "zIndex"), "1");
    EXPECT_EQ(styleValue(form, "height"), "");
    EXPECT_EQ(styleValue(form, "TOP"), "50");
    EXPECT_EQ(styleValue("border-top-width:2", "borderTopWidth"), "2");
    EXPECT_EQ(styleValue("Color:white; DISPLAY:block; background-color:#0000FF", "display"), "block");
    EXPECT_EQ(styleValue("POSITION: absolute; cursor:'pointer,hand'; LEFT:383px;", "cursor"),
              "'pointer,hand'");
    EXPECT_EQ(styleValue("z-index=5; left:1", "z-index"), "");
    EXPECT_EQ(styleValue("left:1; top:2; LEFT : 3 ;", "left"), "3");
    EXPECT_EQ(styleValue("background:url('a;b.gif'); color:red", "background"), "url('a;b.gif')");
    EXPECT_EQ(styleValue("background:url(a;b.gif); color:red", "color"), "red");
    EXPECT_EQ(styleValue("", "left"), "");
    EXPECT_EQ(styleValue(";;:;", "left"), "");
}

TEST(InlineStyle, WritesInPlaceAppendsRemovesAndRefusesInjections) {
    EXPECT_EQ(withStyleValue("position:absolute; left:0; top:18;", "left", "25"),
              "position:absolute; left:25; top:18;");
    EXPECT_EQ(withStyleValue("left:0; top:18;", "width", "5px"), "left:0; top:18; width: 5px;");
    EXPECT_EQ(withStyleValue("left:0", "zIndex", "3"), "left:0; z-index: 3");
    EXPECT_EQ(withStyleValue("", "display", "none"), "display: none;");
    EXPECT_EQ(withStyleValue("left:1; top:2; LEFT:3", "left", "9"), "top:2; LEFT:9");
    EXPECT_EQ(withStyleValue("left:0; top:18;", "top", ""), "left:0;");
    EXPECT_EQ(withStyleValue("top:18", "TOP", ""), "");
    EXPECT_EQ(withStyleValue("z-index=5; left:1", "z-index", "2"), "z-index=5; left:1; z-index: 2");
    // A value or name that would add declarations is not written.
    EXPECT_EQ(withStyleValue("left:0", "color", "red; display:none"), "left:0");
    EXPECT_EQ(withStyleValue("left:0", "color:x", "red"), "left:0");
    EXPECT_EQ(withStyleValue("left:0", "", "red"), "left:0");
    EXPECT_EQ(withStyleValue("left:0", "background", "url('a;b')"), "left:0; background: url('a;b')");
}
