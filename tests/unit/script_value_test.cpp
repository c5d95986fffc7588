// Script values as the page's script language reads them.
#include <gtest/gtest.h>

#include "page/Page.h"

using namespace zolt;

TEST(ScriptValue, TextNumbersAndFlagsFollowTheScriptLanguage) {
    const std::pair<ScriptValue, std::string> texts[] = {
        {true, "True"}, {false, "False"}, {11.0, "11"}, {-3.0, "-3"}, {2.5, "2.5"}, {ScriptValue{}, ""}};
    for (const auto& [value, text] : texts) EXPECT_EQ(toText(value), text);
    EXPECT_EQ(toNumber(ScriptValue{std::string("42")}), 42);
    EXPECT_EQ(toNumber(ScriptValue{std::string("abc")}), 0);
    EXPECT_EQ(toNumber(ScriptValue{}), 0);
    const std::pair<ScriptValue, bool> flags[] = {{std::string("True"), true}, {std::string("false"), false},
                                                  {std::string(""), false},    {std::string("1"), true},
                                                  {Element{}, false},          {Element{7}, true}};
    for (const auto& [value, flag] : flags) EXPECT_EQ(toBool(value), flag) << toText(value);
}
