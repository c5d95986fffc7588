// Form markup from files: the designer's own passes unchanged, whatever could run does not.
#include <gtest/gtest.h>

#include "site_support.h"
#include "dom/Parse.h"
#include "dom/Serialize.h"
#include "storage/StoredForm.h"

using namespace zolt;
using namespace zolt::testing;

namespace {

// The markup as the page holds it once parsed (names in lower case, values
// quoted), for comparing markup that differs only in writing.
std::string asParsed(const std::string& markup) {
    auto body = dom::Node::makeElement("body");
    std::string out;
    for (auto& n : dom::parseFragment(markup, *body)) out += dom::outerHTML(*n);
    return out;
}

}  // namespace

TEST(StoredForm, TheDesignersOwnMarkupPassesUnchanged) {
    std::string controls;
    for (const auto& [code, markup] : kModelControls) controls += markup;
    // A tab page kept in a tab cell holds controls too.
    std::string tab = control("TAB");
    const std::string page = asParsed(control("L") + control("CK"));
    std::string escaped;
    for (char c : page) escaped += c == '"' ? std::string("&quot;") : c == '&' ? std::string("&amp;") : std::string(1, c);
    tab.replace(tab.find("Contents=\"\""), 11, "Contents=\"" + escaped + "\"");
    const std::string form = formWith(controls + tab);
    EXPECT_EQ(StoredForm(form).markup(), asParsed(form));
}

TEST(StoredForm, WhatCouldRunIsDroppedAndTheDesignersHandlersComeFromTheModel) {
    // Markup put in the form's body; what is found in the cleaned form, and what is not.
    struct Case { std::string inside; std::vector<std::string> kept, dropped; };
    const std::vector<Case> cases = {
        {"<img src=x onerror=\"alert(1)\">", {"<img src=\"x\">"}, {"onerror"}},
        {"<script>alert(1)</script><noscript><p title=\"</noscript><img src=x onerror=alert(1)>\"></p></noscript>",
         {}, {"script", "onerror", "alert"}},
        {"<iframe srcdoc=\"<b>x</b>\"></iframe><object data=x></object><embed src=x><meta http-equiv=refresh>",
         {}, {"iframe", "srcdoc", "object", "embed", "meta"}},
        {"<svg><a href=\"javascript:alert(1)\">s</a></svg><math><mi>x</mi></math>", {}, {"svg", "math", "alert"}},
        {"<a href=\" JaVa\tScRiPt:alert(1)\" title=t>a</a><a href=\"Page2.htm\">b</a>",
         {"<a title=\"t\">a</a>", "<a href=\"Page2.htm\">b</a>"}, {"alert"}},
        {"<form action=\"vbscript:x\"><button formaction=\"javascript:x\">b</button></form>",
         {"<form><button>b</button></form>"}, {"script:"}},
        // A label's handlers are the model's, whatever the file says, in
        // the file's places; the developer's code stays, also when named
        // after an event.
        {"<div id=lbl1 controltype=L controlid=1 parentformid=1 onclick=\"steal()\" ondblclick=\"steal()\" "
         "F_Go=\"Sub Go()\" C_onclick=\"=Go()\">x</div>",
         {"<div id=\"lbl1\" controltype=\"L\" controlid=\"1\" parentformid=\"1\" ondblclick=\"ShowCodeWindow()\" "
          "f_go=\"Sub Go()\" c_onclick=\"=Go()\" oncontrolselect=\"UpdateWhichControlHasTheFocus(this)\" "
          "onbeforeeditfocus=\"return false\" oncontextmenu=\"CancelRightClick()\" onmove=\"CheckPosition(this)\" "
          "onresize=\"ControlWidthHeight(this)\" onresizestart=\"CheckFormLock()\" onmovestart=\"CheckFormLock()\">x</div>"},
         {"steal", "onclick=\"s"}},
        // A tab page kept in its cell is cleaned as the form is.
        {"<table><tr><td id=Tab0 contents=\"<img src=x onerror=alert(1)><b onclick=x()>b</b>\">t</td></tr></table>",
         {"contents=\"&lt;img src=&quot;x&quot;&gt;&lt;b&gt;b&lt;/b&gt;\""}, {"onerror", "x()"}},
    };
    for (const Case& c : cases) {
        const std::string markup = StoredForm(formWith(c.inside)).markup();
        for (const std::string& k : c.kept) EXPECT_NE(markup.find(k), std::string::npos) << k << "\nin " << markup;
        for (const std::string& d : c.dropped) EXPECT_EQ(markup.find(d), std::string::npos) << d << "\nin " << markup;
    }
}
