// Opens the property window: builds its tables on the first request, with the
// "Loading" window up, and on later requests only shows it again.
#include "app/Routines.h"
#include "host/LoadingWindow.h"

namespace zolt {

namespace {

// The control types whose tables are built, in this order.
constexpr const char* kPropertyTypes[] = {"F",   "L",    "T",   "B",   "CK",  "O",   "CB",  "LB",
                                          "IM",  "TBL",  "TXTA", "FRA", "TAB", "CAL", "LNK", "UL"};

}  // namespace

void ShowPropertyWindowCommand(Host& host) {
    Page& page = host.pageRef();
    const int formCount = page.optionCount(page.getElementById("x_FormsList_x"));

    if (!toBool(page.getVariable("bPropertyWindowCreated")) && formCount >= 1) {
        {
            LoadingShown loading(host);
            for (const char* type : kPropertyTypes) page.call("BuildProperties", {std::string(type)});
        }
        page.setVariable("PreviousPropertyType", std::string("F"));
        page.call("CheckProperty", {page.getVariable("SelectedObj")});
        page.setVariable("bPropertyWindowCreated", true);
        return;
    }
    if (toBool(page.getVariable("bPropertyWindowOpen"))) return;
    if (formCount < 1) {
        page.msgBox("You cannot display the Properties window because your project has no forms.",
                    MsgButtons::OK, MsgIcon::Information);
        return;
    }
    page.setStyleValue(page.getElementById("x_MainProp_x"), "display", "inline");
    page.setVariable("bPropertyWindowOpen", true);
    page.call("CheckProperty", {page.getVariable("SelectedObj")});
}

}  // namespace zolt
