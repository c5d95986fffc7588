#include <gtest/gtest.h>

#include "page/Page.h"

using namespace zolt;

TEST(ScriptValue, TextFormFollowsTheScriptLanguage) {
    EXPECT_EQ(toText(ScriptValue{true}), "True");
    EXPECT_EQ(toText(ScriptValue{false}), "False");
    EXPECT_EQ(toText(ScriptValue{11.0}), "11");
    EXPECT_EQ(toText(ScriptValue{-3.0}), "-3");
    EXPECT_EQ(toText(ScriptValue{2.5}), "2.5");
    EXPECT_EQ(toText(ScriptValue{}), "");
}

TEST(ScriptValue, NumbersAndFlagsFromText) {
    EXPECT_EQ(toNumber(ScriptValue{std::string("42")}), 42);
    EXPECT_EQ(toNumber(ScriptValue{std::string("abc")}), 0);
    EXPECT_EQ(toNumber(ScriptValue{}), 0);
    EXPECT_TRUE(toBool(ScriptValue{std::string("True")}));
    EXPECT_FALSE(toBool(ScriptValue{std::string("false")}));
    EXPECT_FALSE(toBool(ScriptValue{std::string("")}));
    EXPECT_TRUE(toBool(ScriptValue{std::string("1")}));
    EXPECT_FALSE(toBool(ScriptValue{Element{}}));
    EXPECT_TRUE(toBool(ScriptValue{Element{7}}));
}
