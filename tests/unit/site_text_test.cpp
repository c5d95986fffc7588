// Text routines shared with the designer page, the runtime script, the headless build.
#include <gtest/gtest.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "app/HeadlessBuild.h"
#include "site/CalendarText.h"
#include "site/Markup.h"
#include "site/Runtime.h"
#include "site_support.h"
#include "storage/TextFile.h"

namespace zolt {
namespace {

using namespace testing;

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The same cases as the designer's calendar script (tests/page/model_calendar.test.js).
TEST(CalendarText, DayRowsDatesAndCaptionBlanksAsTheDesignerGivesThem) {
    const nlohmann::json cases =
        nlohmann::json::parse(readTextFile(std::filesystem::path(ZOLT_SOURCE_DIR) / "tests/fixtures/calendar_cases.json"));
    auto text = [](const nlohmann::json& j) { return j.get<std::string>(); };
    for (const auto& c : cases["months"]) {
        EXPECT_EQ(BuildCalendarRows(c["month"].get<int>(), c["year"].get<int>()), text(c["rows"])) << text(c["about"]);
    }
    for (const auto& c : cases["dates"]) {
        const auto d = c["date"].get<std::vector<int>>();
        for (int k = 0; k < 8; ++k) EXPECT_EQ(formatDateText(k, {d[0], d[1], d[2]}), text(c["texts"][k]));
    }
    for (const auto& c : cases["captions"]) EXPECT_EQ(ReplaceSpaces(text(c[0])), text(c[1]));
}

TEST(CalendarText, MonthAndYearListsOfTheBuiltPage) {
    // The selected month and year are checked on whole calendars (site_form_test).
    EXPECT_EQ(GetMonths("Month", false, false, 3, "Cal1")
                  .rfind("<SELECT ID=CalMonth_Cal1 Name=CalMonth_Cal1 style=\"font-family:arial;font-size:10;\" "
                         "onchange='BuildCalendar(\"Cal1\")' aria-label=Month><OPTION value=1>Jan</OPTION>", 0), 0u);
    std::string years = GetYears("Year", 4, "Cal1", {2026, 3, 6});
    EXPECT_NE(years.find("<OPTION value=2036>2036</OPTION></SELECT>"), std::string::npos);
    EXPECT_EQ(count(years, "<OPTION"), 37);
    EXPECT_EQ(count(GetYears("Year", -1, "Cal1", {2001, 1, 1}), "<OPTION"), 15);  // never fewer than 2000..2014
}

TEST(MarkupText, EntitiesAndLineBreaksBecomeText) {
    EXPECT_EQ(markupText("<input type=checkbox>&nbsp; Chk1<br>a &amp; b &lt;c&gt; &#39;d&#x27; &bogus;"),
              "\u00A0 Chk1\na & b <c> 'd' &bogus;");
}

// Which functions a built page gets is checked on whole builds (site_writer_test).
TEST(Runtime, GlobalsComeFirstAndEveryLineEndsWithCrLf) {
    RuntimeOptions o;
    o.zIndexCounter = "12";
    o.startForm = "Orders";
    std::string plain = RuntimeScript(o);
    EXPECT_EQ(plain.rfind("var GCntrlObj;\r\nvar GbValCon;\r\nvar GsFunc;\r\nvar zIndexCounter=12;\r\n"
                          "var sBrowserType=navigator.appName;\r\nvar GSelectedForm=\"Orders\";\r\n\r\n"
                          "function CloseForm(pObj,pOptionalFuncToCall){\r\n", 0), 0u);
    EXPECT_EQ(count(plain, "\n"), count(plain, "\r\n"));
    EXPECT_EQ(plain.substr(plain.size() - 5), "}\r\n\r\n");
}

TEST(HeadlessBuild, BuildsAProjectOnDiskAndRefusesOneWithoutStartForm) {
    ProjectFolder project("headless");
    writeTextFile(project.folder / "Form1.rwf", "V1.01\r\n#" + formWith(control("L")) + "#");
    std::string file = "\u00ABV1.01\u00BB\r\n\u00ABnotice\u00BB\r\n\u00ABProject\u00BB\r\n!BodyColor=ffffee!\r\n"
                       "!PageTitle=Shop!\r\n!ProjectStartForm=Form1!\r\n\u00ABBody Code\u00BB\r\n"
                       "\u00A7F_Util=function Util(){\r\n}\u00A7\r\n\u00ABForms\u00BB\r\n#Form1/True#\r\n";
    writeTextFile(project.projectFile(), file);
    std::ostringstream out, err;
    EXPECT_EQ(HeadlessBuild(project.projectFile(), appFolder(), out, err), 0) << err.str();
    EXPECT_NE(out.str().find("Project: Shop.rwp was built."), std::string::npos);
    std::string html = readTextFile(project.folder / "Build" / "default.htm");
    EXPECT_NE(html.find("<BODY bgcolor=#ffffee\r\n"), std::string::npos);
    EXPECT_NE(html.find("<DIV ID=Form1 "), std::string::npos);
    std::string script = readTextFile(project.folder / "Build" / "Shop.js");
    EXPECT_NE(script.find("function Util(){\r\n}"), std::string::npos);

    writeTextFile(project.projectFile(), replaceAll(file, "!ProjectStartForm=Form1!\r\n", ""));
    std::ostringstream out2, err2;
    EXPECT_EQ(HeadlessBuild(project.projectFile(), appFolder(), out2, err2), 1);
    EXPECT_EQ(err2.str(), "There is no start form selected.\n");
}

}  // namespace
}  // namespace zolt
