// DomPage speed on a large project: 50 forms of 40 controls each.
//   lookups  getElementById of every form and control (warm index)
//   byName   getElementsByName of every control name (each in all 50 forms)
//   outer    outerHTML of every form (what saving the forms reads)
//   churn    setAttribute / setStyleValue on every control, then renames
//            of ids each followed by a lookup (the index rebuilt each time)
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "page/DomPage.h"

using namespace zolt;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kForms = 50;
constexpr int kControls = 40;

std::string formMarkup(int n) {
    const std::string id = std::to_string(n);
    std::string html =
        "<DIV ID=Form" + id + " FormCloseFunc='' x_Upda_F_tes_x CloseButtonEnabled=true HasSomeCode=false "
        "F_Declarations Static=false Locked=false TitleBarColorIndex=6 TitleBarColorRGBValue=#0000FF "
        "BackColorIndex=3 BackColor=#D5CCBB BackColorRGBValue=#D5CCBB FrmWidth=400 FrmHeight=400 "
        "Caption=Form" + id + " Name=Form" + id + " ParentFormID=" + id + " ControlType='F' class=drag "
        "style='position:absolute; left:100; top:50; width:400; height:400; z-index:1' GLblCount=0 "
        "StyleSheet='' onClick='UpdateWhichFormHasTheFocus(this)' oncontextmenu='CheckProperty(this)' >"
        "<B ID=CaptionBar style='Color:white; Font-Family:Arial; Font-Size:15; DISPLAY:block; "
        "background-color:#0000FF'>Form" + id + "</B><img ondragstart='return false' "
        "src='/app/Images/closebutton.jpg' id=CloseFormX style=\"POSITION: absolute; LEFT:383px; TOP:2px;\" "
        "onclick='CloseForm(this.parentElement)'><DIV ID=TForm ControlType='TF' contentEditable=true "
        "style='position:absolute; left:0; top:18; width:400; height:381;' onClick='x()' >";
    for (int i = 1; i <= kControls; ++i) {
        const std::string c = std::to_string(i);
        const std::string common = " ParentFormID=" + id + " ControlID=" + c +
            " BackColorIndex=3 BackColorRGBValue=#D5CCBB FontTypeIndex=0 BorderStyleIndex=8 HasSomeCode=false"
            " F_Click=\"Sub ctl_Click()\r\n\tMsgBox &quot;" + c + "&quot;\r\nEnd Sub\""
            " style='position:absolute; left:" + std::to_string(10 + i) + "; top:" + std::to_string(5 * i) +
            "; width:80; height:20; z-index:" + std::to_string(i + 1) + "'";
        switch (i % 4) {
            case 0: html += "<DIV ID=lbl" + c + " Name=lbl" + c + " ControlType='L'" + common + ">label" + c + "</DIV>"; break;
            case 1: html += "<INPUT type=text ID=txt" + c + " Name=txt" + c + " ControlType='T'" + common + " value='Text" + c + "'>"; break;
            case 2: html += "<BUTTON ID=btn" + c + " Name=btn" + c + " ControlType='B'" + common + ">Button" + c + "</BUTTON>"; break;
            case 3: html += "<SELECT ID=cbo" + c + " Name=cbo" + c + " ControlType='CB'" + common +
                            "><OPTION value=1>One</OPTION><OPTION value=2>Two</OPTION></SELECT>"; break;
        }
    }
    return html + "</Div></DIV>";
}

std::string controlId(int i) {
    static const char* prefix[] = {"lbl", "txt", "btn", "cbo"};
    return prefix[i % 4] + std::to_string(i);
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
    std::string doc = "<html><head><title>ZOLT</title></head><body>";
    for (int n = 1; n <= kForms; ++n) doc += formMarkup(n);
    doc += "</body></html>";

    auto t = Clock::now();
    DomPage page(doc);
    std::printf("load      %8.2f ms  (%zu KB of markup)\n", msSince(t), doc.size() / 1024);

    t = Clock::now();
    int found = 0;
    for (int round = 0; round < 10; ++round) {
        for (int n = 1; n <= kForms; ++n) {
            found += static_cast<bool>(page.getElementById("FORM" + std::to_string(n)));
            for (int i = 1; i <= kControls; ++i) found += static_cast<bool>(page.getElementById(controlId(i)));
        }
    }
    double lookups = msSince(t);
    std::printf("lookups   %8.2f ms  (%d lookups, %.3f us each)\n", lookups, found, lookups * 1000 / found);

    t = Clock::now();
    std::size_t named = 0;
    for (int i = 1; i <= kControls; ++i) named += page.getElementsByName(controlId(i)).size();
    double byName = msSince(t);
    std::printf("byName    %8.2f ms  (%d lookups finding %zu, %.3f ms each)\n", byName, kControls, named,
                byName / kControls);

    std::vector<Element> forms;
    for (int n = 1; n <= kForms; ++n) forms.push_back(page.getElementById("Form" + std::to_string(n)));
    t = Clock::now();
    std::size_t bytes = 0;
    for (Element f : forms) bytes += page.outerHTML(f).size();
    std::printf("outer     %8.2f ms  (%d forms, %zu KB)\n", msSince(t), kForms, bytes / 1024);

    std::vector<Element> controls;
    for (Element f : forms) {
        Element body = page.children(f).at(2);
        for (Element c : page.children(body)) controls.push_back(c);
    }
    t = Clock::now();
    for (int round = 0; round < 10; ++round) {
        for (Element c : controls) {
            page.setAttribute(c, "BackColorRGBValue", "#00000" + std::to_string(round));
            page.setStyleValue(c, "left", std::to_string(round * 3));
        }
    }
    std::printf("churn     %8.2f ms  (%zu attribute and style writes)\n", msSince(t), controls.size() * 20);

    t = Clock::now();
    for (int i = 0; i < 200; ++i) {
        page.setAttribute(controls[static_cast<std::size_t>(i)], "id", "renamed" + std::to_string(i));
        found += static_cast<bool>(page.getElementById("lbl4"));
    }
    std::printf("renames   %8.2f ms  (200 id changes, each followed by a lookup)\n", msSince(t));
    return found > 0 ? 0 : 1;
}
