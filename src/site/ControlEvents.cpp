// Code attributes of controls: functions into the script, event handlers
// onto the control's tag.
#include "site/ControlMarkup.h"
#include "site/Markup.h"

namespace zolt {

std::string BuildControlEvents(BuildContext& ctx, Element control, std::string& code) {
    std::string result;
    for (const Attribute& a : ctx.page.attributes(control)) {
        if (a.value.empty()) continue;
        // The page holds attribute names in lower case.
        if (containsNoCase(a.name, "F_")) {
            code += "\r\n\r\n" + a.value;
        } else if (containsNoCase(a.name, "C_")) {
            std::string event = removeNoCase(a.name, "C_");
            std::string handler = replaceAll(replaceAll(a.value, "'", "\""), "&", "&amp;").substr(1);
            std::string ending;
            if (event == "onclick") {
                ending = a.value.back() == ';' ? "event.cancelBubble=true;'" : ";event.cancelBubble=true;'";
            } else {
                ending = " '";
            }
            // Single quotes inside the handler become double quotes, so the
            // handler can stand between single quotes.
            result += " " + event + "='" + handler + ending;
        }
    }
    return result;
}

std::string CalendarClickHandler(const std::string& id, const std::string& devClickFunc) {
    std::string text = "=Cal_Clicked('" + id + "',event";
    if (devClickFunc.empty()) return text + ")";
    const std::string& f = devClickFunc;
    text += ",'" + replaceAll(f, ")", "");
    std::size_t open = f.find('(');
    if (open == std::string::npos) return text + "(pCallD,pE)')";
    if (open + 1 < f.size() && f[open + 1] == ')') return text + "pCallD,pE)')";
    return text + ",pCallD,pE)')";
}

}  // namespace zolt
